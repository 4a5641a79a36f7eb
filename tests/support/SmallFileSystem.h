#pragma once
// A small file system of its own, for tests of what a full disk does: a tmpfs of the given size
// mounted on a folder made for it. Only a process that may mount (root) gets one; elsewhere
// Mounted() is false and Reason() says why, for the test to skip with.
#include <sys/mount.h>
#include <sys/statvfs.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

namespace tests {

class SmallFileSystem {
public:
    SmallFileSystem(const std::string& folder, std::size_t bytes) : m_folder(folder) {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
        std::filesystem::create_directories(m_folder);
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
        if (::mount("tarnwick-test", m_folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0)
            m_mounted = true;
        else
            m_reason = "cannot mount a small file system on " + m_folder + ": " + std::strerror(errno);
    }
    ~SmallFileSystem() {
        if (m_mounted)
            ::umount2(m_folder.c_str(), MNT_DETACH);
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
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
    const std::string& Reason() const { return m_reason; }
    // The mounted folder, with a trailing "/".
    std::string Path() const { return m_folder + "/"; }

private:
    std::string m_folder;
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
