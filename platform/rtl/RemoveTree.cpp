#include "platform/rtl/RemoveTree.h"

#include "platform/rtl/OpenFolder.h"
#include "platform/rtl/Paths.h"

#include <vector>

namespace rtl {

namespace {

bool IsFolder(int attr) {
    return (attr & faDirectory) && !(attr & faSymLink);
}

// One folder of the walk: its listing and how far it has got.
struct Level {
    std::vector<TSearchRec> entries;
    std::size_t next = 0;
    bool emptied = true;
};

} // namespace

bool RemoveFolderContent(TOpenFolder& folder, const TEntryRemover& removeEntry, bool stopFolderOnFailure) {
    // An explicit stack: a tree may be deeper than the call stack.
    std::vector<Level> levels;
    levels.push_back({folder.Entries()});
    for (;;) {
        Level& level = levels.back();
        if (level.next == level.entries.size()) {
            const bool emptied = level.emptied;
            levels.pop_back();
            if (levels.empty())
                return emptied;
            if (!folder.Leave())
                return false;
            Level& above = levels.back();
            above.emptied = folder.RemoveDir(above.entries[above.next - 1].Name) && emptied && above.emptied;
            continue;
        }
        const TSearchRec& entry = level.entries[level.next++];
        if (IsFolder(entry.Attr)) {
            if (folder.Enter(entry.Name))
                levels.push_back({folder.Entries()});
            else
                level.emptied = false;
        } else if (!removeEntry(folder, entry)) {
            level.emptied = false;
            if (stopFolderOnFailure)
                level.next = level.entries.size();
        }
    }
}

bool RemoveTree(std::string_view folder) {
    // Without its trailing separator a path may be as long as the system takes.
    const std::string path = ExcludeTrailingPathDelimiter(folder);
    const int attr = FileGetAttr(path);
    if (attr == -1)
        return true;
    if (attr & faSymLink)
        return DeleteFile(path);
    TOpenFolder open = TOpenFolder::Open(path);
    if (!open.IsOpen())
        return false;
    const bool emptied = RemoveFolderContent(
        open, [](const TOpenFolder& in, const TSearchRec& entry) { return in.DeleteFile(entry.Name); }, false);
    open = TOpenFolder();
    return RemoveDir(path) && emptied;
}

} // namespace rtl
