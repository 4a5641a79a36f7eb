#pragma once

#include <cstdint>
#include <string>

namespace tarnwick {

// Extracts the package into the work folder (given back in folder, ending in a backslash), records
// its version (Tarnwick only) and settles its project with the host for this user: 1 go on to the
// wizard; -1 refused or failed (the user has been told where there is something to tell); -3 a
// version-1 package, which the host's report package management takes. Sets ImportMode,
// OnlyProjectInfoPackage, PackageProjectInfo and LastPackageVersion afresh on every call.
std::int32_t PrepareImport(const std::string& packageFile, const std::string& userKind,
                           const std::string& openProjectSerial, std::string& folder);

} // namespace tarnwick
