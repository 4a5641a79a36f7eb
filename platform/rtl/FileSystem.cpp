#include "platform/rtl/FileSystem.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystemInternals.h"
#include "platform/rtl/OpenFolder.h"
#include "platform/rtl/Paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <unordered_map>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace rtl {

struct SearchState {
    std::vector<TSearchRec> entries;
    std::size_t next = 0;
};

namespace {

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string detail::FoldedName(std::string_view name) {
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldAscii);
    return folded;
}

namespace {

using detail::FoldedName;
using detail::IsDotName;

bool Exists(const std::string& native) {
    struct stat st;
    return ::lstat(native.c_str(), &st) == 0;
}

// Folded name -> the names on disk that fold to it.
using FolderListing = std::unordered_map<std::string, std::vector<std::string>>;

FolderListing ReadListing(const std::string& folder) {
    FolderListing listing;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return listing;
    while (const dirent* entry = ::readdir(dir))
        listing[FoldedName(entry->d_name)].emplace_back(entry->d_name);
    ::closedir(dir);
    return listing;
}

// Native folder path, as ToNativePath builds it, -> its listing.
struct ListingCache {
    std::unordered_map<std::string, FolderListing> folders;
};

thread_local ListingCache* activeListings = nullptr;

// The smallest name on disk that matches component but for the case of ASCII letters.
std::optional<std::string> FindIgnoringCase(const std::string& folder, const std::string& component) {
    FolderListing uncached;
    const FolderListing* listing = &uncached;
    if (activeListings != nullptr) {
        auto found = activeListings->folders.find(folder);
        if (found == activeListings->folders.end())
            found = activeListings->folders.emplace(folder, ReadListing(folder)).first;
        listing = &found->second;
    } else {
        uncached = ReadListing(folder);
    }
    const auto match = listing->find(FoldedName(component));
    if (match == listing->end() || match->second.empty())
        return std::nullopt;
    return *std::min_element(match->second.begin(), match->second.end());
}

// Name of the last component of a native path, ignoring a trailing "/".
std::string LastComponent(std::string_view native) {
    while (native.size() > 1 && native.back() == '/')
        native.remove_suffix(1);
    const std::size_t slash = native.find_last_of('/');
    return std::string(slash == std::string_view::npos ? native : native.substr(slash + 1));
}

std::string ParentOf(std::string_view native) {
    while (native.size() > 1 && native.back() == '/')
        native.remove_suffix(1);
    const std::size_t slash = native.find_last_of('/');
    if (slash == std::string_view::npos)
        return std::string();
    return std::string(native.substr(0, slash == 0 ? 1 : slash));
}

// Keeps a cached listing in step with a name the adapter itself created or removed.
void NoteName(const std::string& native, bool created) {
    if (activeListings == nullptr)
        return;
    const auto folder = activeListings->folders.find(ParentOf(native));
    if (folder == activeListings->folders.end())
        return;
    const std::string name = LastComponent(native);
    std::vector<std::string>& names = folder->second[FoldedName(name)];
    const auto found = std::find(names.begin(), names.end(), name);
    if (created && found == names.end())
        names.push_back(name);
    else if (!created && found != names.end())
        names.erase(found);
}

} // namespace

void detail::NoteCreated(const std::string& native) {
    NoteName(native, true);
}

void detail::NoteRemoved(const std::string& native) {
    NoteName(native, false);
}

bool detail::IsDotName(std::string_view name) {
    return name == "." || name == "..";
}

int detail::AttributesOf(const struct stat& st, std::string_view name) {
    int attr = 0;
    if (S_ISLNK(st.st_mode))
        attr |= faSymLink;
    else if (S_ISDIR(st.st_mode))
        attr |= faDirectory;
    else
        attr |= faArchive;
    if (!S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR))
        attr |= faReadOnly;
    if (!name.empty() && name.front() == '.' && !IsDotName(name))
        attr |= faHidden;
    return attr;
}

double detail::LocalDayNumber(std::time_t t) {
    std::tm local{};
    ::localtime_r(&t, &local);
    constexpr double kUnixEpochDay = 25569.0; // 1970-01-01 counted from 1899-12-30
    return static_cast<double>(t + local.tm_gmtoff) / 86400.0 + kUnixEpochDay;
}

namespace {

using detail::AttributesOf;
using detail::NoteCreated;
using detail::NoteRemoved;

bool MatchesPattern(std::string_view pattern, std::string_view name) {
    // Iterative "*" / "?" matching with backtracking to the last star.
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || FoldAscii(pattern[p]) == FoldAscii(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool MatchesSearchPattern(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*")
        return true;
    if (MatchesPattern(pattern, name))
        return true;
    // "name.*" also finds "name" without an extension.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
        name.find('.') == std::string_view::npos)
        return MatchesPattern(pattern.substr(0, pattern.size() - 2), name);
    return false;
}

[[noreturn]] void RaiseInOut(const char* what, std::string_view path, int error) {
    throw EInOutError(std::string(what) + " \"" + std::string(path) + "\": " + std::strerror(error));
}

} // namespace

TFolderListingScope::TFolderListingScope() : m_owner(activeListings == nullptr) {
    if (m_owner)
        activeListings = new ListingCache;
}

TFolderListingScope::~TFolderListingScope() {
    if (!m_owner)
        return;
    delete activeListings;
    activeListings = nullptr;
}

std::string detail::TResolvedPath::Prefix(std::size_t count) const {
    return text.substr(0, count == 0 ? rootLength : ends[count - 1]);
}

namespace {

// Whether the first count components exist as text spells them: one lstat, without copying.
bool PrefixExists(detail::TResolvedPath& path, std::size_t count) {
    if (count == 0)
        return true;
    const std::size_t end = path.ends[count - 1];
    const char saved = path.text[end];
    path.text[end] = '\0';
    struct stat st;
    const bool exists = ::lstat(path.text.c_str(), &st) == 0;
    path.text[end] = saved;
    return exists;
}

// The largest count in [known, parts] whose prefix exists, the first known existing. A prefix that
// does not exist has no longer one that does, so a bisection finds it; the two cheapest guesses
// come first: the whole path, then all but its last name (a new file in a known folder).
std::size_t ExistingParts(detail::TResolvedPath& path, std::size_t known) {
    const std::size_t parts = path.ends.size();
    if (PrefixExists(path, parts))
        return parts;
    if (parts - 1 <= known || PrefixExists(path, parts - 1))
        return std::max(known, parts - 1);
    std::size_t low = known, high = parts - 2;
    while (low < high) {
        const std::size_t middle = low + (high - low + 1) / 2;
        if (PrefixExists(path, middle))
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

void ReplaceComponent(detail::TResolvedPath& path, std::size_t index, const std::string& name) {
    const std::size_t begin = index == 0 ? path.rootLength : path.ends[index - 1] + 1;
    const std::size_t oldLength = path.ends[index] - begin;
    path.text.replace(begin, oldLength, name);
    for (std::size_t i = index; i < path.ends.size(); ++i)
        path.ends[i] = path.ends[i] - oldLength + name.size();
}

} // namespace

detail::TResolvedPath detail::ResolvePath(std::string_view path) {
    TResolvedPath resolved;
    if (path.empty())
        return resolved;
    if (IsPathDelimiter(path.front())) {
        resolved.text = "/";
        resolved.rootLength = 1;
    }
    std::size_t pos = 0;
    while (pos < path.size()) {
        std::size_t end = path.find_first_of("\\/", pos);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > pos) {
            if (!resolved.text.empty() && resolved.text.back() != '/')
                resolved.text.push_back('/');
            resolved.text.append(path.substr(pos, end - pos));
            resolved.ends.push_back(resolved.text.size());
        }
        pos = end + 1;
    }
    // Each round costs a few lstats of the whole path, and there is one round per name that exists
    // only in another case: never one per component.
    std::size_t known = 0;
    while (known < resolved.ends.size()) {
        known = ExistingParts(resolved, known);
        resolved.existingParts = known;
        if (known == resolved.ends.size())
            break;
        const std::size_t begin = known == 0 ? resolved.rootLength : resolved.ends[known - 1] + 1;
        const std::string component = resolved.text.substr(begin, resolved.ends[known] - begin);
        if (IsDotName(component))
            break;
        const std::optional<std::string> found = FindIgnoringCase(resolved.Prefix(known), component);
        if (!found || *found == component)
            break;
        ReplaceComponent(resolved, known, *found);
        ++known;
        resolved.existingParts = known;
    }
    return resolved;
}

std::string ToNativePath(std::string_view path) {
    std::string native = detail::ResolvePath(path).text;
    if (path.size() > 1 && IsPathDelimiter(path.back()) && native.back() != '/')
        native.push_back('/');
    return native;
}

std::string ResolvedPath(std::string_view path) {
    const std::string native = ToNativePath(path);
    if (native.empty())
        return "";
    char* resolved = realpath(native.c_str(), nullptr);
    if (!resolved)
        return "";
    std::string result(resolved);
    std::free(resolved);
    return result;
}

bool FileExists(std::string_view path) {
    struct stat st;
    return ::stat(ToNativePath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view path) {
    struct stat st;
    return !path.empty() && ::stat(ToNativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDir(std::string_view path) {
    if (path.empty())
        return false;
    const std::string native = ToNativePath(path);
    if (::mkdir(native.c_str(), 0777) != 0)
        return false;
    NoteCreated(native);
    return true;
}

bool ForceDirectories(std::string_view path) {
    if (path.empty())
        throw EInOutError("Unable to create directory: the path is empty");
    const detail::TResolvedPath resolved = detail::ResolvePath(path);
    struct stat st;
    if (::stat(resolved.text.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    // From the deepest folder that exists, each missing one is made and entered by name, so a deep
    // path costs time linear in its depth.
    const std::size_t existing = resolved.existingParts;
    const std::string known = resolved.Prefix(existing);
    TOpenFolder folder = TOpenFolder::Open(known.empty() ? "." : known, true);
    for (std::size_t i = existing; i < resolved.ends.size() && folder.IsOpen(); ++i) {
        const std::size_t begin = i == 0 ? resolved.rootLength : resolved.ends[i - 1] + 1;
        const std::string name = resolved.text.substr(begin, resolved.ends[i] - begin);
        if (name == ".")
            continue;
        if (name == "..") {
            if (!folder.Leave())
                return false;
            continue;
        }
        if (!folder.CreateDir(name) && errno != EEXIST)
            return false;
        if (!folder.Enter(name))
            return false;
    }
    return folder.IsOpen();
}

bool RemoveDir(std::string_view path) {
    if (path.empty())
        return false;
    const std::string native = ToNativePath(path);
    if (::rmdir(native.c_str()) != 0)
        return false;
    NoteRemoved(native);
    return true;
}

bool DeleteFile(std::string_view path) {
    if (path.empty())
        return false;
    const std::string native = ToNativePath(path);
    struct stat st;
    if (::lstat(native.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    if (!S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR))
        return false;
    if (::unlink(native.c_str()) != 0)
        return false;
    NoteRemoved(native);
    return true;
}

namespace {

bool Renamed(const std::string& from, const std::string& to) {
    NoteRemoved(from);
    NoteCreated(to);
    return true;
}

} // namespace

bool RenameFile(std::string_view oldName, std::string_view newName) {
    if (oldName.empty() || newName.empty())
        return false;
    const std::string from = ToNativePath(oldName);
    std::string to = ToNativePath(newName);
    if (to == from) {
        // Only the case of the name changes: the resolution found the file itself.
        const std::size_t slash = newName.find_last_of("\\/");
        const std::string given(newName.substr(slash == std::string_view::npos ? 0 : slash + 1));
        const std::string parent = ParentOf(from);
        to = parent.empty() ? given : parent == "/" ? "/" + given : parent + "/" + given;
        if (to == from)
            return true;
        return ::rename(from.c_str(), to.c_str()) == 0 && Renamed(from, to);
    }
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return Renamed(from, to);
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (Exists(to))
        return false;
    return ::rename(from.c_str(), to.c_str()) == 0 && Renamed(from, to);
}

int FileGetAttr(std::string_view path) {
    if (path.empty())
        return -1;
    const std::string native = ToNativePath(path);
    struct stat st;
    if (::lstat(native.c_str(), &st) != 0)
        return -1;
    return AttributesOf(st, LastComponent(native));
}

int FileSetAttr(std::string_view path, int attr) {
    const std::string native = ToNativePath(path);
    struct stat st;
    if (path.empty() || ::lstat(native.c_str(), &st) != 0)
        return ENOENT;
    if (S_ISLNK(st.st_mode))
        return 0;
    mode_t mode = st.st_mode & 07777;
    mode = (attr & faReadOnly) ? (mode & ~static_cast<mode_t>(S_IWUSR)) : (mode | S_IWUSR);
    return ::chmod(native.c_str(), mode) == 0 ? 0 : errno;
}

std::vector<TSearchRec> detail::ListFolder(int folder, std::string_view pattern, int attr) {
    std::vector<TSearchRec> entries;
    DIR* dir = ::fdopendir(folder);
    if (!dir) {
        ::close(folder);
        return entries;
    }
    constexpr int kExcludable = faHidden | faSysFile | faVolumeID | faDirectory;
    std::vector<std::string> folded;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!MatchesSearchPattern(pattern, name))
            continue;
        struct stat st;
        if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        TSearchRec found;
        found.Name = name;
        found.Attr = AttributesOf(st, name);
        if ((found.Attr & ~attr & kExcludable) != 0)
            continue;
        found.Size = S_ISREG(st.st_mode) ? static_cast<std::int64_t>(st.st_size) : 0;
        found.Time = LocalDayNumber(st.st_mtime);
        entries.push_back(std::move(found));
    }
    ::closedir(dir);
    // "." and ".." first, then by name, so that enumeration order does not depend on the file system.
    std::vector<std::pair<std::string, std::size_t>> order;
    order.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& name = entries[i].Name;
        const char rank = name == "." ? '\0' : name == ".." ? '\1' : '\2';
        order.emplace_back(rank + FoldedName(name), i);
    }
    std::sort(order.begin(), order.end(), [&](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : entries[a.second].Name < entries[b.second].Name;
    });
    std::vector<TSearchRec> sorted;
    sorted.reserve(entries.size());
    for (const auto& [key, index] : order)
        sorted.push_back(std::move(entries[index]));
    return sorted;
}

int FindFirst(std::string_view pathPattern, int attr, TSearchRec& rec) {
    FindClose(rec);
    const std::size_t split = pathPattern.find_last_of("\\/");
    const std::string_view folderPart =
        split == std::string_view::npos ? std::string_view() : pathPattern.substr(0, split + 1);
    const std::string_view pattern = pathPattern.substr(split == std::string_view::npos ? 0 : split + 1);
    if (pattern.empty())
        return ENOENT;

    std::string folder = folderPart.empty() ? std::string(".") : ToNativePath(folderPart);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno ? errno : ENOENT;
    auto state = std::make_shared<SearchState>();
    state->entries = detail::ListFolder(fd, pattern, attr);
    if (state->entries.empty())
        return ENOENT;
    rec.State = std::move(state);
    return FindNext(rec);
}

int FindNext(TSearchRec& rec) {
    if (!rec.State || rec.State->next >= rec.State->entries.size())
        return ENOENT;
    std::shared_ptr<SearchState> state = rec.State;
    const TSearchRec& found = state->entries[state->next++];
    rec.Name = found.Name;
    rec.Attr = found.Attr;
    rec.Size = found.Size;
    rec.Time = found.Time;
    return 0;
}

void FindClose(TSearchRec& rec) {
    rec.State.reset();
}

namespace {

// Tells sized the size of a regular file, then hands its bytes to take a chunk at a time.
template <class Sized, class Take> void ReadChunks(std::string_view path, Sized sized, Take take) {
    const std::string native = ToNativePath(path);
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        RaiseInOut("Cannot open file", path, errno);
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        sized(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            RaiseInOut("Cannot read file", path, error);
        }
        if (n == 0)
            break;
        try {
            take(std::string_view(buffer, static_cast<std::size_t>(n)));
        } catch (...) {
            ::close(fd);
            throw;
        }
    }
    ::close(fd);
}

} // namespace

std::string ReadFileBytes(std::string_view path) {
    std::string bytes;
    ReadChunks(path, [&](std::size_t size) { bytes.reserve(size); }, [&](std::string_view chunk) { bytes.append(chunk); });
    return bytes;
}

void CopyFileBytes(std::string_view from, std::string_view to) {
    const std::string native = ToNativePath(from);
    const int source = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0)
        RaiseInOut("Cannot open file", from, errno);
    try {
        // The copy is made only once the original has opened.
        TFileWriter file(to);
        file.CopyFrom(source, from);
        file.Close();
    } catch (...) {
        ::close(source);
        throw;
    }
    ::close(source);
}

TFileWriter::TFileWriter(std::string_view path) : m_path(path) {
    if (path.empty())
        throw EInOutError("Cannot create file: the path is empty");
    const std::string native = ToNativePath(path);
    struct stat st;
    if (::stat(native.c_str(), &st) == 0 && (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR)))
        RaiseInOut("Cannot create file", path, S_ISDIR(st.st_mode) ? EISDIR : EACCES);
    m_fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (m_fd < 0)
        RaiseInOut("Cannot create file", path, errno);
    NoteCreated(native);
}

TFileWriter::TFileWriter(const TOpenFolder& folder, std::string_view newName) : m_path(folder.PathOf(newName)) {
    if (!folder.IsOpen() || newName.empty())
        RaiseInOut("Cannot create file", m_path, ENOENT);
    m_fd = ::openat(folder.m_fd, std::string(newName).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    0666);
    if (m_fd < 0)
        RaiseInOut("Cannot create file", m_path, errno);
    NoteCreated(m_path);
}

TFileWriter::~TFileWriter() {
    if (m_fd >= 0)
        ::close(m_fd);
}

void TFileWriter::Write(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            RaiseInOut("Cannot write file", m_path, errno);
        }
        done += static_cast<std::size_t>(n);
    }
}

void TFileWriter::CopyFrom(int source, std::string_view sourcePath) {
    // The kernel moves the bytes without passing them through this process where it can; a source it
    // cannot copy that way (another file system on an old kernel, a special file) is read instead.
    bool copied = false;
    for (;;) {
        const ssize_t n = ::copy_file_range(source, nullptr, m_fd, nullptr, std::size_t(1) << 30, 0);
        if (n > 0) {
            copied = true;
            continue;
        }
        if (n == 0 && copied)
            return;
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP ||
            errno == EBADF)
            break;
        RaiseInOut("Cannot copy file", sourcePath, errno);
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(source, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            RaiseInOut("Cannot read file", sourcePath, errno);
        }
        if (n == 0)
            return;
        Write(std::string_view(buffer, static_cast<std::size_t>(n)));
    }
}

void TFileWriter::Close() {
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        RaiseInOut("Cannot write file", m_path, errno);
}

void WriteFileBytes(std::string_view path, std::string_view bytes) {
    TFileWriter file(path);
    file.Write(bytes);
    file.Close();
}

bool FreeSpaceAt(std::string_view path, TFreeSpace& space) {
    const detail::TResolvedPath resolved = detail::ResolvePath(path);
    const std::string known = resolved.Prefix(resolved.existingParts);
    struct statvfs st;
    if (::statvfs(known.empty() ? "." : known.c_str(), &st) != 0)
        return false;
    space.bytes = static_cast<std::uint64_t>(st.f_bavail) * st.f_frsize;
    space.blockSize = st.f_frsize ? st.f_frsize : st.f_bsize;
    // Some file systems count no files at all and report none.
    space.files = st.f_files == 0 ? UINT64_MAX : static_cast<std::uint64_t>(st.f_favail);
    return true;
}

} // namespace rtl
