#include "core/PackageState.h"

namespace tarnwick {

std::int32_t LastPackageVersion = 0;
std::string LastPackageFolder;

} // namespace tarnwick
