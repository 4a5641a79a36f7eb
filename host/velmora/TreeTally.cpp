#include "host/velmora/TreeTally.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/OpenFolder.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace velmora {

namespace {

bool IsPlainFile(int attr) {
    return (attr & rtl::faArchive) && !(attr & (rtl::faDirectory | rtl::faSymLink));
}

bool IsFolder(int attr) {
    return (attr & rtl::faDirectory) && !(attr & rtl::faSymLink);
}

// One folder of the walk: the sub-folders it still has to enter.
struct Level {
    std::vector<std::string> folders;
    std::size_t next = 0;
};

// Counts the folder's files and answers the names of its sub-folders.
Level Tallied(const rtl::TOpenFolder& folder, TreeTally& tally) {
    Level level;
    for (const rtl::TSearchRec& entry : folder.Entries()) {
        if (IsPlainFile(entry.Attr)) {
            ++tally.files;
            tally.bytes += static_cast<std::uintmax_t>(entry.Size);
        } else if (IsFolder(entry.Attr)) {
            level.folders.push_back(entry.Name);
        }
    }
    return level;
}

} // namespace

void AddToTally(const std::string& path, TreeTally& tally) {
    const int attr = rtl::FileGetAttr(path);
    if (attr == -1)
        return;
    if (IsPlainFile(attr)) {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(rtl::ToNativePath(path), error);
        ++tally.files;
        tally.bytes += error ? 0 : size;
        return;
    }
    rtl::TOpenFolder folder = rtl::TOpenFolder::Open(path);
    if (!folder.IsOpen())
        return;
    // An explicit stack: a tree may be deeper than the call stack.
    std::vector<Level> levels;
    levels.push_back(Tallied(folder, tally));
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.folders.size()) {
            levels.pop_back();
            if (!levels.empty() && !folder.Leave())
                return; // the tree moved meanwhile: what was counted stands
            continue;
        }
        if (folder.Enter(level.folders[level.next++]))
            levels.push_back(Tallied(folder, tally));
    }
}

} // namespace velmora
