#include "core/WorkFolders.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/ProgramFolder.h"

namespace tarnwick {

namespace {

bool StartsWithFolder(const std::string& path, std::string folder) {
    if (path.empty() || folder.empty())
        return false;
    if (folder.back() != '/')
        folder.push_back('/');
    return path.compare(0, folder.size(), folder) == 0;
}

} // namespace

std::string CommonReaderFolder() {
    return rtl::IncludeTrailingPathDelimiter(rtl::ProgramFolder()) + "~Vek~Temp\\CommonReader\\";
}

std::string XmglFolder() {
    return rtl::IncludeTrailingPathDelimiter(rtl::ProgramFolder()) + "~Vek~Temp\\XMGL\\";
}

std::string ProjectMaterialsFolder() {
    return XmglFolder() + "ResFile\\";
}

bool PathLiesInFolder(const std::string& path, const std::string& folder) {
    return StartsWithFolder(rtl::ToNativePath(path), rtl::ToNativePath(folder)) ||
           StartsWithFolder(rtl::ResolvedPath(path), rtl::ResolvedPath(folder));
}

bool FolderIsGoneOrEmpty(const std::string& folder) {
    const std::string dir = rtl::ExcludeTrailingPathDelimiter(folder);
    const int attr = rtl::FileGetAttr(dir);
    if (attr == -1)
        return true;
    if ((attr & rtl::faSymLink) || !(attr & rtl::faDirectory))
        return false;
    rtl::TSearchRec rec;
    bool empty = true;
    for (int found = rtl::FindFirst(dir + "/*.*", rtl::faAnyFile, rec); found == 0 && empty;
         found = rtl::FindNext(rec))
        empty = rec.Name == "." || rec.Name == "..";
    rtl::FindClose(rec);
    return empty;
}

} // namespace tarnwick
