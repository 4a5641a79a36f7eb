#pragma once

#include <string>

namespace tarnwick {

// Packs source (a folder whose whole content is packed, or files joined by ListSeparator) into the
// package file target with the host's compression tool. True only when the tool wrote a new package:
// it is written under a temporary name and renamed over target once complete, so that a failed pack
// leaves an older package at target as it was, and no half-written file under the package's name.
// What ended processes left beside target while they wrote it is removed first.
bool CompressPackage(const std::string& source, const std::string& target);

} // namespace tarnwick
