#include "core/DeleteFolderTree.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

namespace tarnwick {

namespace {

constexpr int kEveryAttribute =
    rtl::faReadOnly | rtl::faHidden | rtl::faSysFile | rtl::faVolumeID | rtl::faDirectory | rtl::faArchive;

bool IsLink(const std::string& path) {
    const int attr = rtl::FileGetAttr(path);
    return attr != -1 && (attr & rtl::faSymLink);
}

bool DeleteEntry(const std::string& path) {
    const int attr = rtl::FileGetAttr(path);
    if (attr != -1 && !(attr & rtl::faSymLink))
        rtl::FileSetAttr(path, attr & ~rtl::faReadOnly);
    return rtl::DeleteFile(path);
}

} // namespace

int DeleteFolderTree(std::string path) {
    if (IsLink(rtl::ExcludeTrailingPathDelimiter(path)))
        return rtl::DeleteFile(rtl::ExcludeTrailingPathDelimiter(path)) ? 0 : -1;
    if (!rtl::DirectoryExists(path))
        return 0;
    try {
        path = rtl::IncludeTrailingPathDelimiter(path);
        rtl::TSearchRec rec;
        for (int found = rtl::FindFirst(path + "*.*", kEveryAttribute, rec); found == 0;
             found = rtl::FindNext(rec)) {
            const std::string entry = path + rec.Name;
            if ((rec.Attr & rtl::faDirectory) && !(rec.Attr & rtl::faSymLink)) {
                if (rec.Name == "." || rec.Name == "..")
                    continue;
                if (DeleteFolderTree(entry) == -1)
                    break;
            } else if (!(rec.Attr & rtl::faVolumeID)) {
                if (!DeleteEntry(entry))
                    break;
            }
        }
        rtl::FindClose(rec);
        rtl::RemoveDir(path);
    } catch (const std::exception&) {
        return -1;
    }
    return 0;
}

} // namespace tarnwick
