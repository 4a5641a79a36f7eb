#pragma once

#include <string>

namespace tarnwick {

// Deletes a folder with everything in it. Answers 0, or -1 when an error was raised while listing
// or deleting. Files that cannot be deleted stop the listing of their folder and leave it in place,
// without a report. A symbolic link is removed as a link: its target is never entered.
int DeleteFolderTree(std::string path);

} // namespace tarnwick
