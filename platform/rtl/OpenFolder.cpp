#include "platform/rtl/OpenFolder.h"

#include "platform/rtl/FileSystemInternals.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace rtl {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// The current folder is "": the adapter's own paths name its entries without a folder part.
std::string Joined(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path.push_back('/');
    path.append(name);
    return path;
}

} // namespace

TOpenFolder TOpenFolder::Open(std::string_view path, bool followLink) {
    TOpenFolder folder;
    std::string native = path.empty() ? std::string() : ToNativePath(path);
    // A trailing separator would make the system follow a link in the last place.
    while (native.size() > 1 && native.back() == '/')
        native.pop_back();
    if (native.empty())
        return folder;
    folder.m_fd = ::open(native.c_str(), kFolderFlags | (followLink ? 0 : O_NOFOLLOW));
    if (folder.m_fd >= 0)
        folder.m_path = native == "." ? std::string() : std::move(native);
    return folder;
}

TOpenFolder::~TOpenFolder() {
    if (m_fd >= 0)
        ::close(m_fd);
}

TOpenFolder::TOpenFolder(TOpenFolder&& other) noexcept
    : m_fd(other.m_fd), m_path(std::move(other.m_path)), m_above(std::move(other.m_above)) {
    other.m_fd = -1;
}

TOpenFolder& TOpenFolder::operator=(TOpenFolder&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = other.m_fd;
        m_path = std::move(other.m_path);
        m_above = std::move(other.m_above);
        other.m_fd = -1;
    }
    return *this;
}

std::string TOpenFolder::PathOf(std::string_view name) const {
    return Joined(m_path, name);
}

bool TOpenFolder::Enter(std::string_view name) {
    if (m_fd < 0 || name.empty() || detail::IsDotName(name))
        return false;
    struct stat here;
    if (::fstat(m_fd, &here) != 0)
        return false;
    const int child = ::openat(m_fd, std::string(name).c_str(), kFolderFlags | O_NOFOLLOW);
    if (child < 0)
        return false;
    ::close(m_fd);
    m_fd = child;
    m_above.push_back({here.st_dev, here.st_ino, m_path.size()});
    m_path = Joined(m_path, name);
    return true;
}

bool TOpenFolder::Leave() {
    if (m_fd < 0 || m_above.empty())
        return false;
    const Above above = m_above.back();
    m_above.pop_back();
    const int parent = ::openat(m_fd, "..", kFolderFlags);
    ::close(m_fd);
    m_fd = -1;
    struct stat st;
    if (parent < 0)
        return false;
    if (::fstat(parent, &st) != 0 || st.st_dev != above.device || st.st_ino != above.inode) {
        ::close(parent);
        return false;
    }
    m_fd = parent;
    m_path.resize(above.pathLength);
    return true;
}

std::vector<TSearchRec> TOpenFolder::Entries() const {
    if (m_fd < 0)
        return {};
    // A descriptor of its own: the listing must not move this handle's position.
    const int listing = ::openat(m_fd, ".", kFolderFlags);
    if (listing < 0)
        return {};
    std::vector<TSearchRec> entries = detail::ListFolder(listing, "*.*", faAnyFile);
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [](const TSearchRec& entry) { return detail::IsDotName(entry.Name); }),
                  entries.end());
    return entries;
}

int TOpenFolder::SetAttr(std::string_view name, int attr) const {
    const std::string entry(name);
    struct stat st;
    if (m_fd < 0 || ::fstatat(m_fd, entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return ENOENT;
    if (S_ISLNK(st.st_mode))
        return 0;
    mode_t mode = st.st_mode & 07777;
    mode = (attr & faReadOnly) ? (mode & ~static_cast<mode_t>(S_IWUSR)) : (mode | S_IWUSR);
    return ::fchmodat(m_fd, entry.c_str(), mode, 0) == 0 ? 0 : errno;
}

bool TOpenFolder::CreateDir(std::string_view name) const {
    if (m_fd < 0 || name.empty() || ::mkdirat(m_fd, std::string(name).c_str(), 0777) != 0)
        return false;
    detail::NoteCreated(PathOf(name));
    return true;
}

bool TOpenFolder::DeleteFile(std::string_view name) const {
    const std::string entry(name);
    struct stat st;
    if (m_fd < 0 || ::fstatat(m_fd, entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || S_ISDIR(st.st_mode))
        return false;
    if (!S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR))
        return false;
    if (::unlinkat(m_fd, entry.c_str(), 0) != 0)
        return false;
    detail::NoteRemoved(PathOf(name));
    return true;
}

bool TOpenFolder::RemoveDir(std::string_view name) const {
    if (m_fd < 0 || ::unlinkat(m_fd, std::string(name).c_str(), AT_REMOVEDIR) != 0)
        return false;
    detail::NoteRemoved(PathOf(name));
    return true;
}

} // namespace rtl
