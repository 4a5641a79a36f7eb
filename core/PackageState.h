#pragma once

#include <cstdint>
#include <string>

// What the host reads back through GetPackageVer and GetPackageDir (Tarnwick only); both live as
// long as the library is loaded.
namespace tarnwick {

// The package version the last import preparation found; 0 until then.
extern std::int32_t LastPackageVersion;
// The work folder of the last export run or archive package; empty until then.
extern std::string LastPackageFolder;

} // namespace tarnwick
