#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>

namespace host {

// What the file systems of this system take, in bytes: a longer name, or a path that reaches deeper
// than a path may be long, is refused before anything is written. Without these limits such an
// archive fails only once its folders are half made, and no path routine can reach what it left.
inline constexpr std::size_t MaxNameBytes = NAME_MAX;     // one folder or file name
inline constexpr std::size_t MaxPathBytes = PATH_MAX - 1; // a whole path, the destination's included

// The bounds ExtractFile puts on an archive, checked on the sizes the archive declares before
// anything is written (an entry that inflates beyond its declared size is refused while reading).
// The defaults lie far beyond any real package, and far below what would fill a disk.
struct TZipToolSettings {
    // Sum of the declared sizes of all entries.
    std::uint64_t MaxTotalSize = std::uint64_t(8) << 30;
    // Files and folders together.
    std::uint64_t MaxEntries = 500000;
    // Declared total size against the declared compressed size. Archives that unpack to less than
    // RatioFreeSize are not held to it: small, very regular documents compress that well.
    std::uint64_t MaxRatio = 200;
    std::uint64_t RatioFreeSize = std::uint64_t(64) << 20;
};

// Process-wide; an extraction reads them once when it starts.
TZipToolSettings ZipToolSettings();
void SetZipToolSettings(const TZipToolSettings& settings);

} // namespace host
