#pragma once

#include "platform/rtl/FileSystem.h"

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

namespace rtl {

// A folder held open, whose entries are reached by name relative to it. A walk through a tree moves
// one handle down and up again instead of resolving every entry's whole path anew, so it takes time
// linear in the size of the tree at any depth, and holds one descriptor however deep it goes.
// Names given to it are taken exactly as written (they come from Entries or from the caller's own
// new names): no case-insensitive lookup.
class TOpenFolder {
public:
    TOpenFolder() = default;
    // The folder at path, resolved as ToNativePath resolves it. A link in the last place is followed
    // only when followLink is set. The handle is not open when there is no such folder.
    static TOpenFolder Open(std::string_view path, bool followLink = false);
    ~TOpenFolder();
    TOpenFolder(TOpenFolder&& other) noexcept;
    TOpenFolder& operator=(TOpenFolder&& other) noexcept;
    TOpenFolder(const TOpenFolder&) = delete;
    TOpenFolder& operator=(const TOpenFolder&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    // The folder's POSIX path, without a trailing separator ("" for the current folder), and that of
    // one of its entries.
    const std::string& Path() const { return m_path; }
    std::string PathOf(std::string_view name) const;

    // Moves the handle into its sub-folder name, never through a link; false, with the handle where
    // it was, when there is no such folder.
    bool Enter(std::string_view name);
    // Moves it back to the folder it last entered from. False when nothing was entered; false, with
    // the handle closed, when that folder is no longer the one above (the tree was moved meanwhile).
    bool Leave();

    // The entries but "." and "..", as FindFirst lists them with every attribute.
    std::vector<TSearchRec> Entries() const;
    // FileSetAttr of the entry (a link is left alone).
    int SetAttr(std::string_view name, int attr) const;
    bool CreateDir(std::string_view name) const;
    // DeleteFile of the entry: a read-only file stays, a link goes as a link.
    bool DeleteFile(std::string_view name) const;
    bool RemoveDir(std::string_view name) const;

private:
    friend class TFileWriter;

    struct Above {
        dev_t device;
        ino_t inode;
        std::size_t pathLength;
    };

    int m_fd = -1;
    std::string m_path;
    std::vector<Above> m_above; // the folders entered from, innermost last
};

} // namespace rtl
