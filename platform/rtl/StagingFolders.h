#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rtl {

// A staging folder receives work beside its destination (in the same parent, so on the same file
// system) before the work is moved into place. It is hidden and named after the destination, what
// it is made for and the process that made it, ".<destination>.<marker>-<process id>-<attempt>"
// (".CommonReader.unpacking-812-0", ".XM2026001.creating-812-3"), so that a leftover tells where it
// came from and whether it is stale: its process is gone. A temporary file is named the same way,
// and so is what a tool makes beside such a name, after a dot of its own
// (".a.Package.replacing-812-1.x3Fq9Z").

// The marker of the folders in which archives are unpacked.
inline constexpr std::string_view UnpackingMarker = "unpacking";
// The marker of the temporary files that replace a file in one rename (FileReplacement.h).
inline constexpr std::string_view ReplacingMarker = "replacing";
// The marker of the scratch folders in which work is unpacked or put together for one step.
inline constexpr std::string_view WorkingMarker = "working";

// The name of this process's staging folder for the destination name, at that attempt.
std::string StagingFolderName(std::string_view destinationName, int attempt,
                              std::string_view marker = UnpackingMarker);

// Which staging folders a sweep takes.
struct TStagingSweep {
    // The markers of the names it takes, so that one walk of a folder serves them all.
    std::vector<std::string_view> markers = std::vector<std::string_view>(1, UnpackingMarker);
    // A process that makes one such folder at a time has none of its own in use when it sweeps.
    bool ownAreStale = false;
    // Names that stay whatever they read like (a sweep must not take what only looks stale).
    std::function<bool(std::string_view name)> keep;
    // Whether the sweep goes on into the sub-folders (never through a link, never into a staging
    // folder of a process that runs), for temporaries that lie beside files anywhere in a tree.
    bool throughSubfolders = false;
};

// Whether the sweep takes the name: a staging name with one of its markers, of a process that no longer runs.
bool SweepTakes(std::string_view name, const TStagingSweep& sweep);

// Removes the staging folders and files in folder that the sweep takes, of whatever destination
// they were made for: those of processes that no longer run (a process killed while it worked
// leaves its staging folder behind). Links are removed as links. Answers how many were removed.
int SweepStagingFoldersIn(std::string_view folder, const TStagingSweep& sweep);

// The unpacking folders' sweep beside destination.
int SweepStaleStagingFolders(std::string_view destination);

} // namespace rtl
