#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rtl {

// The one place that talks to the operating system about files. Every path text may use "\" or "/";
// a name that does not exist as written is looked up case-insensitively (ASCII letters) in its
// folder, one component at a time, so "Package.XML" finds "Package.xml".
//
// Where POSIX differs from what callers were written for, callers win:
// - a read-only file (no owner write permission) is neither deleted nor overwritten, even by root;
// - RenameFile never replaces an existing file;
// - links are never followed by attributes, enumeration or deletion: a link reports faSymLink, has
//   no permissions of its own (FileSetAttr leaves it and its target alone) and is deleted as a link.

constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02; // names starting with "." (but not "." and "..")
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20; // every regular file
constexpr int faSymLink = 0x40;
constexpr int faAnyFile = 0x3F;

// While one exists on a thread, the adapter reads each folder's listing at most once for that
// thread's case-insensitive lookups and keeps it up to date with what it creates, renames and
// deletes itself, so that an operation touching many names in one folder takes linear time. Changes
// made meanwhile by others are not seen. Scopes nest; the outermost one owns the listings.
class TFolderListingScope {
public:
    TFolderListingScope();
    ~TFolderListingScope();
    TFolderListingScope(const TFolderListingScope&) = delete;
    TFolderListingScope& operator=(const TFolderListingScope&) = delete;

private:
    bool m_owner;
};

// The resolved POSIX path: separators mapped, existing components matched case-insensitively.
// Components after the first one that cannot be found are kept as written. A trailing separator stays.
std::string ToNativePath(std::string_view path);
// ToNativePath with every link followed and "." and ".." folded, or "" when the path does not exist.
std::string ResolvedPath(std::string_view path);

// True for anything but a folder (links are followed; a dangling link is no file).
bool FileExists(std::string_view path);
bool DirectoryExists(std::string_view path);
// Creates one folder; false when it exists already or its parent is missing.
bool CreateDir(std::string_view path);
// Creates the folder and all missing parents; raises EInOutError for an empty path.
bool ForceDirectories(std::string_view path);
bool RemoveDir(std::string_view path);
bool DeleteFile(std::string_view path);
bool RenameFile(std::string_view oldName, std::string_view newName);

// The fa* attributes, or -1 when the path does not exist.
int FileGetAttr(std::string_view path);
// Only faReadOnly has an effect. Answers 0 or an errno value.
int FileSetAttr(std::string_view path, int attr);

struct SearchState;

struct TSearchRec {
    std::string Name;
    int Attr = 0;
    std::int64_t Size = 0;
    double Time = 0; // last write, as a local day number (TDateTime)
    std::shared_ptr<SearchState> State;
};

// Pattern: a folder part and a name with "*" and "?" ("*.*" matches every name, "." and ".." included),
// compared case-insensitively. An entry with faHidden, faSysFile, faVolumeID or faDirectory is found
// only when attr holds that bit. Answers 0 when an entry was found, otherwise a non-zero error code.
int FindFirst(std::string_view pathPattern, int attr, TSearchRec& rec);
int FindNext(TSearchRec& rec);
void FindClose(TSearchRec& rec);

class TOpenFolder;

// A file written piece by piece: created, or emptied when it exists, as WriteFileBytes does.
// Raises EInOutError with the path in the message.
class TFileWriter {
public:
    explicit TFileWriter(std::string_view path);
    // A new file in the folder, under exactly that name, never through a link; raises when the name
    // exists already. No path is resolved, so writing many files into one folder costs no lookups.
    TFileWriter(const TOpenFolder& folder, std::string_view newName);
    // Closes a file still open, ignoring errors: call Close to see them.
    ~TFileWriter();
    TFileWriter(const TFileWriter&) = delete;
    TFileWriter& operator=(const TFileWriter&) = delete;

    void Write(std::string_view bytes);
    // Appends the rest of an open file; sourcePath names it in errors.
    void CopyFrom(int source, std::string_view sourcePath);
    void Close();

private:
    std::string m_path;
    int m_fd;
};

// What the file system that holds path (or would hold it: its nearest existing folder is asked)
// leaves for new files. False when it cannot be told.
struct TFreeSpace {
    std::uint64_t bytes = 0;     // free to an unprivileged user
    std::uint64_t blockSize = 0; // a file takes whole blocks
    std::uint64_t files = 0;     // new files and folders it still takes; UINT64_MAX when it sets no limit
};
bool FreeSpaceAt(std::string_view path, TFreeSpace& space);

// Whole-file access; raise EInOutError with the path in the message.
std::string ReadFileBytes(std::string_view path);
void WriteFileBytes(std::string_view path, std::string_view bytes);
// A copy of the file that never holds the file in memory whole.
void CopyFileBytes(std::string_view from, std::string_view to);

} // namespace rtl
