#pragma once

#include <string>

namespace tarnwick {

// The host program's folder (from the executable name of the application in the slot) followed by
// "~Vek~Temp\CommonReader\". Raises when that application names no folder, so that a work folder is
// never taken relative to the current directory.
std::string CommonReaderFolder();

} // namespace tarnwick
