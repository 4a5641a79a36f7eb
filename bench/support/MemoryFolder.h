#pragma once

#include <filesystem>

#include <unistd.h>

namespace bench {

// The folder's name in memory (/dev/shm) when the machine has a memory file system, else the folder
// itself. There creating a file costs what the program spends on it, while a busy disk's inode
// allocator adds delays of its own that fall on whichever program creates files after many were
// deleted.
inline std::filesystem::path MemoryFolderOr(const std::filesystem::path& folder) {
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0)
        return std::filesystem::path("/dev/shm") / folder.filename();
    return folder;
}

} // namespace bench
