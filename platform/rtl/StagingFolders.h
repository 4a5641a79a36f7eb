#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace rtl {

// A staging folder receives work beside its destination (in the same parent, so on the same file
// system) before the work is moved into place. It is hidden and named after the destination, what
// it is made for and the process that made it, ".<destination>.<marker>-<process id>-<attempt>"
// (".CommonReader.unpacking-812-0", ".XM2026001.creating-812-3"), so that a leftover tells where it
// came from and whether it is stale: its process is gone.

// The marker of the folders in which archives are unpacked.
inline constexpr std::string_view UnpackingMarker = "unpacking";

// The name of this process's staging folder for the destination name, at that attempt.
std::string StagingFolderName(std::string_view destinationName, int attempt,
                              std::string_view marker = UnpackingMarker);

// Which staging folders a sweep takes.
struct TStagingSweep {
    std::string_view marker = UnpackingMarker;
    // A process that makes one such folder at a time has none of its own in use when it sweeps.
    bool ownAreStale = false;
    // Names that stay whatever they read like (a sweep must not take what only looks stale).
    std::function<bool(std::string_view name)> keep;
};

// Removes the staging folders in folder that the sweep takes, of whatever destination they were
// made for: those of processes that no longer run (a process killed while it worked leaves its
// staging folder behind). Links are removed as links. Answers how many were removed.
int SweepStagingFoldersIn(std::string_view folder, const TStagingSweep& sweep);

// The unpacking folders' sweep beside destination.
int SweepStaleStagingFolders(std::string_view destination);

} // namespace rtl
