#pragma once

#include <cstdint>

// The library's start and its library procedure. The start runs when the plug-in is loaded and the
// detach when it is unloaded (the shared object's constructor and destructor).
namespace tarnwick {

constexpr std::int32_t DLL_PROCESS_DETACH = 0;
constexpr std::int32_t DLL_PROCESS_ATTACH = 1;
constexpr std::int32_t DLL_THREAD_ATTACH = 2;
constexpr std::int32_t DLL_THREAD_DETACH = 3;

// Attach keeps the three objects the framework's slots hold at load; detach writes them back, so the
// host's objects the exports put there never outlive the library in its slots.
void LibraryDllProc(std::int32_t reason);

} // namespace tarnwick
