#pragma once

#include <string>

namespace tarnwick {

// Packs source (a folder whose whole content is packed, or files joined by ListSeparator) into the
// package file target with the host's compression tool. True only when target is there afterwards:
// a file already at target is removed first, so that it cannot pass for the new package, and false
// is answered when it cannot be removed.
bool CompressPackage(const std::string& source, const std::string& target);

} // namespace tarnwick
