#pragma once

#include <string>
#include <string_view>

namespace rtl {

// A staging folder receives work beside its destination (in the same parent, so on the same file
// system) before the work is moved into place. It is hidden and named after the destination and
// the process that made it, ".<destination>.unpacking-<process id>-<attempt>", so that a leftover
// tells where it came from and whether it is stale: its process is gone.

// The name of this process's staging folder for the destination name, at that attempt.
std::string StagingFolderName(std::string_view destinationName, int attempt);

// Removes the stale staging folders beside destination, of whatever destination they were made
// for: those of processes that no longer run (a process killed while it worked leaves its staging
// folder behind). Links are removed as links. Answers how many were removed.
int SweepStaleStagingFolders(std::string_view destination);

} // namespace rtl
