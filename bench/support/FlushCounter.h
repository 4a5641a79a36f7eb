#pragma once

#include <cstdint>
#include <string>

// Counts the fsync and fdatasync calls of this process, whichever library makes them (SQLite, the
// file adapter). The program that links FlushCounter.cpp defines both functions itself and exports
// them, so the dynamic linker binds every library's call to them before the C library's; each
// counts and passes the call on to the C library. Calls made with syscall() directly are not seen:
// nothing in the system makes them.
namespace bench {

struct FlushCalls {
    std::uint64_t fsync = 0;
    std::uint64_t fdatasync = 0;
    // Those of the watched folder itself and of the files right inside it, both kinds.
    std::uint64_t inWatchedFolder = 0;

    std::uint64_t Total() const { return fsync + fdatasync; }
    FlushCalls operator-(const FlushCalls& before) const {
        return {fsync - before.fsync, fdatasync - before.fdatasync, inWatchedFolder - before.inWatchedFolder};
    }
};

FlushCalls FlushCallsSoFar();

// From now on the flushes of this folder and of the files right inside it are counted apart as well.
void WatchFlushesIn(const std::string& folder);

// Stops the benchmark unless a flush made inside a shared library (SQLite's, on a database in
// folder) is counted, and counted as the watched folder's: without it the counts would say nothing.
void CheckFlushesAreCounted(const std::string& folder);

} // namespace bench
