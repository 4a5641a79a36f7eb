#pragma once

#include <string>

namespace win {

// Libraries are loaded by path text as the system writes it ("System\API\VekPackage.dll"); the path
// is resolved through the file-system adapter. A library that does not load, or an entry that does
// not exist, gives nil and raises nothing.
using HMODULE = void*;
using FARPROC = void*;

HMODULE LoadLibraryA(const char* fileName);
FARPROC GetProcAddress(HMODULE module, const char* procName);
bool FreeLibrary(HMODULE module);

// Why the last LoadLibraryA failed, for diagnostics.
std::string LastLibraryError();

} // namespace win
