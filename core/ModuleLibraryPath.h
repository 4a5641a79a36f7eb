#pragma once

#include <string>

namespace tarnwick {

// The file to load for a library named relative to the program folder, or "" when the name must not
// be loaded: empty, absolute, with a drive or a ".." part, not an existing file, resolving (links
// followed) outside the program folder, or into a "~Vek~Temp" work folder. Packages carry library
// names, and loading one of those would run code that came with the package.
std::string ModuleLibraryPath(const std::string& fileName);

} // namespace tarnwick
