#include "host/ziptool/RemoveTree.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

namespace host {

bool RemoveTree(const std::string& folder) {
    const int attr = rtl::FileGetAttr(rtl::ExcludeTrailingPathDelimiter(folder));
    if (attr == -1)
        return true;
    if (attr & rtl::faSymLink)
        return rtl::DeleteFile(rtl::ExcludeTrailingPathDelimiter(folder));
    std::string dir = rtl::IncludeTrailingPathDelimiter(folder);
    bool done = true;
    rtl::TSearchRec rec;
    for (int rc = rtl::FindFirst(dir + "*.*", rtl::faAnyFile, rec); rc == 0; rc = rtl::FindNext(rec)) {
        if (rec.Name == "." || rec.Name == "..")
            continue;
        if ((rec.Attr & rtl::faDirectory) && !(rec.Attr & rtl::faSymLink))
            done = RemoveTree(dir + rec.Name) && done;
        else
            done = rtl::DeleteFile(dir + rec.Name) && done;
    }
    rtl::FindClose(rec);
    return rtl::RemoveDir(dir) && done;
}

} // namespace host
