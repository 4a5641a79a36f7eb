#pragma once

#include <string>

namespace tarnwick {

// Extracts the package into folder and tells its format from PackageVersion: 1 up to the version
// the build writes (3, or 2 in the reduced build); 0 when it is no package of this function (a
// foreign package has been named to the user) or its version is one the build does not read; -1 when it is not a package at all (a message has been shown). A ".sql" file that is not
// a client dataset raises.
int DetectPackageVersion(const std::string& packageFile, const std::string& folder);

// The version a PackageVersion text stands for in this build, 0 for any this build does not read.
int PackageVersionOf(const std::string& text);

} // namespace tarnwick
