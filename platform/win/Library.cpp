#include "platform/win/Library.h"

#include "platform/rtl/FileSystem.h"

#include <dlfcn.h>

namespace win {

namespace {
std::string g_lastError;
} // namespace

HMODULE LoadLibraryA(const char* fileName) {
    if (!fileName || !*fileName) {
        g_lastError = "no library name";
        return nullptr;
    }
    std::string path;
    try {
        path = rtl::ToNativePath(fileName);
    } catch (const std::exception& e) {
        g_lastError = e.what();
        return nullptr;
    }
    if (!rtl::FileExists(fileName)) {
        // Never let dlopen search its own paths for a name we could not find.
        g_lastError = std::string("library not found: ") + fileName;
        return nullptr;
    }
    if (path.find('/') == std::string::npos)
        path = "./" + path;
    HMODULE module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* reason = dlerror();
        g_lastError = reason ? reason : "dlopen failed";
    }
    return module;
}

FARPROC GetProcAddress(HMODULE module, const char* procName) {
    if (!module || !procName)
        return nullptr;
    dlerror();
    return dlsym(module, procName);
}

bool FreeLibrary(HMODULE module) { return module && dlclose(module) == 0; }

std::string LastLibraryError() { return g_lastError; }

} // namespace win
