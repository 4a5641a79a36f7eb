// A library that notes each time it is loaded: its own path, one line, appended to the file that
// TARNWICK_LOAD_RECORD names. Tests place it where a package might point and read the note back.

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

namespace {

__attribute__((constructor)) void NoteLoading() {
    const char* record = std::getenv("TARNWICK_LOAD_RECORD");
    if (!record)
        return;
    Dl_info info{};
    const char* self = dladdr(reinterpret_cast<void*>(&NoteLoading), &info) && info.dli_fname ? info.dli_fname : "?";
    if (std::FILE* file = std::fopen(record, "a")) {
        std::fprintf(file, "%s\n", self);
        std::fclose(file);
    }
}

} // namespace
