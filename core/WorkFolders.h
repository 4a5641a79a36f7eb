#pragma once

#include <string>

namespace tarnwick {

// The host program's folder (from the executable name of the application in the slot) followed by
// "~Vek~Temp\CommonReader\". Raises when that application names no folder, so that a work folder is
// never taken relative to the current directory.
std::string CommonReaderFolder();

// The program folder followed by "~Vek~Temp\XMGL\": the resource package's work folder, which the
// host keeps in place.
std::string XmglFolder();

// The file lies somewhere below the folder, as written or once links are followed.
bool PathLiesInFolder(const std::string& path, const std::string& folder);
// Nothing is at the folder's place, or an empty folder is: safe to fill without stale files joining.
bool FolderIsGoneOrEmpty(const std::string& folder);

} // namespace tarnwick
