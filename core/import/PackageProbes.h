#pragma once

#include <string>

namespace tarnwick {

// PackageInfo's PackageTypeName is typeName; false without PackageInfo. Raises when the document
// cannot be loaded.
bool PackageTypeIs(const std::string& xmlFile, const std::string& typeName);

} // namespace tarnwick
