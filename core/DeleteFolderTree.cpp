#include "core/DeleteFolderTree.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/OpenFolder.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/RemoveTree.h"

namespace tarnwick {

namespace {

bool IsLink(const std::string& path) {
    const int attr = rtl::FileGetAttr(path);
    return attr != -1 && (attr & rtl::faSymLink);
}

bool DeleteEntry(const rtl::TOpenFolder& folder, const rtl::TSearchRec& entry) {
    // The system's paths take "\" for a separator, so they cannot name such a file: it stays, as it
    // would when deleted by its path.
    if (entry.Name.find('\\') != std::string::npos)
        return false;
    if (!(entry.Attr & rtl::faSymLink))
        folder.SetAttr(entry.Name, entry.Attr & ~rtl::faReadOnly);
    return folder.DeleteFile(entry.Name);
}

} // namespace

int DeleteFolderTree(std::string path) {
    // Without its trailing separator a path may be as long as the system takes.
    path = rtl::ExcludeTrailingPathDelimiter(path);
    if (IsLink(path))
        return rtl::DeleteFile(path) ? 0 : -1;
    if (!rtl::DirectoryExists(path))
        return 0;
    try {
        // The walk enters each folder by name instead of resolving its whole path again, so a deep
        // tree costs time linear in its size. A file that cannot be deleted stops its folder's listing.
        rtl::TOpenFolder folder = rtl::TOpenFolder::Open(path);
        rtl::RemoveFolderContent(folder, DeleteEntry, true);
        folder = rtl::TOpenFolder();
        rtl::RemoveDir(path);
    } catch (const std::exception&) {
        return -1;
    }
    return 0;
}

} // namespace tarnwick
