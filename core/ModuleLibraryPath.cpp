#include "core/ModuleLibraryPath.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/ProgramFolder.h"
#include "platform/rtl/Text.h"

#include <vector>

namespace tarnwick {

namespace {

constexpr char WorkFolderName[] = "~Vek~Temp";

std::vector<std::string> PathParts(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            parts.push_back(part);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    parts.push_back(part);
    return parts;
}

bool SafeAsWritten(const std::string& fileName) {
    if (fileName.empty() || rtl::IsPathDelimiter(fileName.front()) || fileName.find(':') != std::string::npos)
        return false;
    for (const std::string& part : PathParts(fileName))
        if (part == ".." || rtl::SameText(part, WorkFolderName))
            return false;
    return true;
}

} // namespace

std::string ModuleLibraryPath(const std::string& fileName) {
    if (!SafeAsWritten(fileName))
        return "";
    const std::string folder = rtl::ResolvedPath(rtl::ProgramFolder());
    const std::string file = rtl::ResolvedPath(rtl::ProgramFolder() + fileName);
    if (folder.empty() || file.empty() || !rtl::FileExists(file))
        return "";
    const std::string root = folder == "/" ? folder : folder + "/";
    if (file.size() <= root.size() || file.compare(0, root.size(), root) != 0)
        return "";
    for (const std::string& part : PathParts(file.substr(root.size())))
        if (rtl::SameText(part, WorkFolderName))
            return "";
    return file;
}

} // namespace tarnwick
