#pragma once

#include <cstdint>

namespace host {

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
