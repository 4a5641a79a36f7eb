#pragma once
// A small file system of its own, for tests of what a full disk does: a tmpfs of the given size (and,
// where given, number of files and folders) mounted on a folder. The mount is made in a mount
// namespace that the test process enters for it, so the test and the programs it starts see it, and
// it goes with the process however that ends: a crashed test leaves no mount behind. Only a process
// that may mount (root) gets one; elsewhere Mounted() is false and Reason() says why, for the test
// to skip with.
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace tests {

namespace detail {

inline int ThreadsOfThisProcess() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Threads:", 0) == 0)
            return std::stoi(line.substr(8));
    return 0;
}

inline std::string EnterOwnMountNamespace() {
    // Only the calling thread would move: another thread would still see the disk as it was.
    if (ThreadsOfThisProcess() != 1)
        return "the test process runs more than one thread, so it cannot take a mount namespace of its own";
    if (::unshare(CLONE_NEWNS) != 0)
        return std::string("no mount namespace of its own can be made here (it needs root): ") +
               std::strerror(errno);
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return std::string("the mounts cannot be made private: ") + std::strerror(errno);
    return "";
}

// Moves this process into a mount namespace of its own, once, whose mounts reach no other process
// but those it starts. Answers why it cannot, or "".
inline const std::string& OwnMountNamespace() {
    // Never destroyed, so that no exit handler is registered from a header.
    static const std::string* const reason = new std::string(EnterOwnMountNamespace());
    return *reason;
}

} // namespace detail

class SmallFileSystem {
public:
    // Mounts on folder, which is made when it is missing (and removed again afterwards); what an
    // existing folder holds is hidden while the small file system covers it. Inodes 0 leaves the
    // number of files and folders to tmpfs.
    SmallFileSystem(const std::string& folder, std::size_t bytes, std::size_t inodes = 0) : m_folder(folder) {
        if (m_reason = detail::OwnMountNamespace(); !m_reason.empty())
            return;
        std::error_code error;
        m_made = std::filesystem::create_directories(m_folder, error);
        std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
        if (inodes != 0)
            options += ",nr_inodes=" + std::to_string(inodes);
        if (::mount("tarnwick-test", m_folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0)
            m_mounted = true;
        else
            m_reason = "cannot mount a small file system on " + m_folder + ": " + std::strerror(errno);
    }
    ~SmallFileSystem() {
        if (m_mounted)
            ::umount2(m_folder.c_str(), MNT_DETACH);
        if (m_made) {
            std::error_code ignored;
            std::filesystem::remove_all(m_folder, ignored);
        }
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool Mounted() const { return m_mounted; }
    // Gives the mounted file system a new size, which must hold what it holds already.
    bool Resize(std::size_t bytes) {
        const std::string options = "size=" + std::to_string(bytes);
        return m_mounted && ::mount(nullptr, m_folder.c_str(), nullptr, MS_REMOUNT | MS_NOSUID | MS_NODEV,
                                    options.c_str()) == 0;
    }
    std::size_t UsedBytes() const {
        struct statvfs s {};
        if (::statvfs(m_folder.c_str(), &s) != 0)
            return 0;
        return static_cast<std::size_t>(s.f_blocks - s.f_bfree) * s.f_frsize;
    }
    std::size_t AvailableBytes() const {
        struct statvfs s {};
        if (::statvfs(m_folder.c_str(), &s) != 0)
            return 0;
        return static_cast<std::size_t>(s.f_bavail) * s.f_frsize;
    }
    // Fills the file system with the file "filler" until about free bytes are left; false when fewer
    // are left already. Removing "filler" gives the room back.
    bool LeaveFree(std::size_t free) const {
        const std::size_t available = AvailableBytes();
        if (available <= free)
            return false;
        std::ofstream filler(Path() + "filler", std::ios::binary);
        filler << std::string(available - free, 'f');
        return static_cast<bool>(filler.flush());
    }
    // Writes the file, a new one anywhere on the mounted file system, until the file system takes not
    // one byte more. False when the file cannot be made, or would lie elsewhere: no other disk is
    // ever filled.
    bool FillUp(const std::string& file) const {
        if (!m_mounted || file.rfind(Path(), 0) != 0)
            return false;
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0)
            return false;
        const std::string chunk(1 << 20, 'f');
        for (std::size_t size = chunk.size(); size > 0; size /= 16)
            while (::write(fd, chunk.data(), size) == static_cast<ssize_t>(size)) {
            }
        ::close(fd);
        return true;
    }
    const std::string& Reason() const { return m_reason; }
    // The mounted folder, with a trailing "/".
    std::string Path() const { return m_folder + "/"; }

private:
    std::string m_folder;
    bool m_made = false;
    bool m_mounted = false;
    std::string m_reason;
};

// Bytes no compressor makes smaller: a package of them is as large as they are.
inline std::string IncompressibleBytes(std::size_t size) {
    std::mt19937 random(20260101);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

} // namespace tests
