#pragma once

#include "core/PackageDocument.h"

#include <optional>
#include <string>

namespace tarnwick {

// The Vek_PackMod row of the module captioned with the trimmed caption, read on the base database;
// none when there is no such row. Errors of the query reach the caller.
std::optional<TPackageItemModule> ReadPackageItemModule(const std::string& caption);

} // namespace tarnwick
