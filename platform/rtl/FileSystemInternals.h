#pragma once

#include "platform/rtl/FileSystem.h"

#include <sys/stat.h>

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

// What the parts of the file-system adapter share; nothing outside platform/rtl includes this.
namespace rtl::detail {

std::string FoldedName(std::string_view name);
bool IsDotName(std::string_view name);
int AttributesOf(const struct stat& st, std::string_view name);
double LocalDayNumber(std::time_t t);

// The entries of an open folder that FindFirst would find with this name pattern and attr, in its
// order. Takes the descriptor over and closes it.
std::vector<TSearchRec> ListFolder(int folder, std::string_view pattern, int attr);

// Keep the listings of an active TFolderListingScope in step with what the adapter itself creates
// and removes; native is the POSIX path of the name.
void NoteCreated(const std::string& native);
void NoteRemoved(const std::string& native);

// ToNativePath split where the file system stops knowing the path: the first existingParts
// components exist (under the spelling text holds); the rest do not.
struct TResolvedPath {
    std::string text;                 // as ToNativePath answers it, without a trailing separator
    std::vector<std::size_t> ends;    // text.size() after each component
    std::size_t rootLength = 0;       // 1 for an absolute path, else 0
    std::size_t existingParts = 0;

    // The first count components ("/" or "" for none).
    std::string Prefix(std::size_t count) const;
};
TResolvedPath ResolvePath(std::string_view path);

} // namespace rtl::detail
