#pragma once

#include <string>

namespace host::detail {

// Removes what processes that ended while they worked left in the folders the installation at root
// owns: staging folders and temporary files of the work and temporary folders ("~Vek~Temp",
// "Temp"), of "PackageStore" and of the projects' materials, and unfinished project creations in
// "Projects". Only names that carry the staging marker of a process that no longer runs go, and no
// link is followed.
void SweepInstallationLeftovers(const std::string& root);

} // namespace host::detail
