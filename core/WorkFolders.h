#pragma once

#include <string>

namespace tarnwick {

// The program folder followed by "~Vek~Temp\CommonReader\". The program folder is the one module
// libraries are loaded from (rtl::ProgramFolder: the host's folder), never one taken from the
// application's executable name, which a host may leave unset or relative.
std::string CommonReaderFolder();
// The program folder followed by "~Vek~Temp\XMGL\": the reduced build's export folder, and the
// resource package's work folder, which the host keeps in place.
std::string XmglFolder();
// The program folder followed by "~Vek~Temp\XMGL\ResFile\": where the host leaves the project
// materials of a version-2 package when it creates the package's project.
std::string ProjectMaterialsFolder();

// The file lies somewhere below the folder, as written or once links are followed.
bool PathLiesInFolder(const std::string& path, const std::string& folder);
// Nothing is at the folder's place, or an empty folder is: safe to fill without stale files joining.
bool FolderIsGoneOrEmpty(const std::string& folder);

} // namespace tarnwick
