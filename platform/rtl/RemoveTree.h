#pragma once

#include "platform/rtl/FileSystem.h"

#include <functional>
#include <string_view>

namespace rtl {

class TOpenFolder;

// Removes what the open folder holds, deepest first: each sub-folder (never a link) is entered by
// name, emptied and removed, and every other entry (files, links, special files) goes to
// removeEntry, which answers whether it is gone. A failed entry stops the listing of its folder when
// stopFolderOnFailure is set, and the walk goes on in the folder above; a folder that cannot be
// removed stays. The handle ends where it started, or closed when the tree was moved meanwhile.
// True when everything is gone.
using TEntryRemover = std::function<bool(const TOpenFolder& folder, const TSearchRec& entry)>;
bool RemoveFolderContent(TOpenFolder& folder, const TEntryRemover& removeEntry, bool stopFolderOnFailure);

// Removes a folder with everything in it; a link is removed as a link and its target never entered,
// and read-only files stay. The time is linear in the size of the tree, at any depth and whatever
// the length of the paths inside it. True when nothing is left.
bool RemoveTree(std::string_view folder);

} // namespace rtl
