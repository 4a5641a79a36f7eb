#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace rtl {

// Files a user keeps (packages, stored copies, installed libraries) are never seen half-written:
// the new content is made under a temporary name in the file's folder and renamed over the file in
// one step once it is complete, so a failure, a full disk or a killed process leaves the old file as
// it was. The temporary name is a hidden staging name (StagingFolders.h) made of the file's name,
// the marker "replacing" and the process, so it never ends in the file's extension, and what a killed
// process leaves is told apart by its name and swept.

// write makes the new file at the temporary path it is given and answers whether it succeeded. Only
// when it answers true and a file is there does that file replace target; otherwise the temporary
// file is removed and false answered. An error raised by write passes on once the temporary file is
// removed. A read-only file or a folder at target is not replaced (false, write not called).
bool WriteReplacing(std::string_view target, const std::function<bool(const std::string& temporary)>& write);

// CopyFileBytes through WriteReplacing; raises EInOutError when to was not replaced.
void CopyFileReplacing(std::string_view from, std::string_view to);

// Renames from over to in one step, where both lie on one file system, so that no byte is written
// twice; elsewhere CopyFileReplacing, then from is removed. What WriteReplacing does not replace is
// not replaced either; raises EInOutError when to was not replaced.
void MoveFileReplacing(std::string_view from, std::string_view to);

// Removes the temporaries that processes which no longer run left beside target while they wrote
// it, and nothing else beside it. Answers how many were removed.
int SweepLeftoversOf(std::string_view target);

} // namespace rtl
