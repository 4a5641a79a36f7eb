#include "bench/support/FlushCounter.h"

#include "bench/support/Bounds.h"

#include <sqlite3.h>

#include <atomic>
#include <cstdio>
#include <filesystem>

#include <dlfcn.h>
#include <unistd.h>

namespace {

std::atomic<std::uint64_t> fsyncCalls{0};
std::atomic<std::uint64_t> fdatasyncCalls{0};
std::atomic<std::uint64_t> watchedCalls{0};
std::string watchedFolder;

using SyncFunction = int (*)(int);

SyncFunction CLibraryFunction(const char* name) {
    auto* function = reinterpret_cast<SyncFunction>(::dlsym(RTLD_NEXT, name));
    bench::Check(function != nullptr, std::string("the C library has no ") + name);
    return function;
}

// The file behind fd is the watched folder or lies right inside it.
bool InWatchedFolder(int fd) {
    if (watchedFolder.empty())
        return false;
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    const ssize_t length = ::readlink(link, target, sizeof target);
    if (length <= 0 || length == sizeof target)
        return false;
    const std::string path(target, static_cast<std::size_t>(length));
    return path == watchedFolder || std::filesystem::path(path).parent_path() == watchedFolder;
}

void Count(std::atomic<std::uint64_t>& calls, int fd) {
    ++calls;
    if (InWatchedFolder(fd))
        ++watchedCalls;
}

} // namespace

extern "C" {

int fsync(int fd) {
    static const SyncFunction next = CLibraryFunction("fsync");
    Count(fsyncCalls, fd);
    return next(fd);
}

int fdatasync(int fd) {
    static const SyncFunction next = CLibraryFunction("fdatasync");
    Count(fdatasyncCalls, fd);
    return next(fd);
}

} // extern "C"

namespace bench {

FlushCalls FlushCallsSoFar() {
    return {fsyncCalls.load(), fdatasyncCalls.load(), watchedCalls.load()};
}

void WatchFlushesIn(const std::string& folder) {
    watchedFolder = std::filesystem::canonical(folder).string();
}

void CheckFlushesAreCounted(const std::string& folder) {
    WatchFlushesIn(folder);
    const std::string file = folder + "/flush-check.db";
    sqlite3* db = nullptr;
    const FlushCalls before = FlushCallsSoFar();
    const bool written =
        sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
        sqlite3_exec(db, "pragma synchronous = full; create table t (x)", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    std::remove(file.c_str());
    Check(written, "cannot write " + file);
    const FlushCalls made = FlushCallsSoFar() - before;
    Check(made.Total() > 0, "the flushes SQLite makes are not counted");
    Check(made.inWatchedFolder == made.Total(), "the flushes of a folder's files are not told apart");
}

} // namespace bench
