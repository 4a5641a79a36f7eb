#pragma once

#include <cstdint>
#include <string>

namespace tarnwick {

// Gives a finished package to the host's package management; below 1 means it was not taken. -1
// when the host offers no hand-over or it raised (shown in a plain message window). An error of the
// lookup itself is passed on.
std::int32_t HandToPackageManager(const std::string& file);
// The same with a package type and caption; 0 when the host offers none or it raised (shown in the
// "Load API Error" box).
std::int32_t HandToPackageManagerEx(const std::string& file, const std::string& typeName,
                                    const std::string& caption);

} // namespace tarnwick
