#include "tests/host/ziptool/ZipTestSupport.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

#include <zip.h>

#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>

namespace {

void WriteEntries(const std::string& path, int flags, const std::vector<RawEntry>& entries) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), flags, &error);
    if (archive == nullptr)
        throw std::runtime_error("zip_open failed");
    for (const RawEntry& entry : entries) {
        zip_int64_t index;
        if (entry.folder) {
            index = zip_dir_add(archive, entry.name.c_str(), ZIP_FL_ENC_RAW);
        } else {
            zip_source_t* source = zip_source_buffer(archive, entry.data.data(), entry.data.size(), 0);
            index = zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_RAW);
        }
        if (index < 0)
            throw std::runtime_error("cannot add " + entry.name + ": " + zip_strerror(archive));
        if (entry.symlink)
            zip_file_set_external_attributes(archive, static_cast<zip_uint64_t>(index), 0, ZIP_OPSYS_UNIX,
                                             static_cast<zip_uint32_t>(S_IFLNK | 0777) << 16);
    }
    if (zip_close(archive) != 0)
        throw std::runtime_error("zip_close failed");
}

} // namespace

void WriteRawArchive(const std::string& path, const std::vector<RawEntry>& entries) {
    WriteEntries(path, ZIP_CREATE | ZIP_TRUNCATE, entries);
}

void AddRawEntries(const std::string& path, const std::vector<RawEntry>& entries) {
    WriteEntries(path, 0, entries);
}

std::set<std::string> ArchiveNames(const std::string& path) {
    int error = 0;
    zip_t* archive = zip_open(rtl::ToNativePath(path).c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (archive == nullptr)
        throw std::runtime_error("not an archive: " + path);
    std::set<std::string> names;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i)
        names.insert(zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW));
    zip_discard(archive);
    return names;
}

std::set<std::string> TreeOf(const std::string& root) {
    std::set<std::string> tree;
    if (!std::filesystem::exists(root))
        return tree;
    const std::string prefix = std::filesystem::path(root).lexically_normal().string();
    const std::size_t skip = prefix.size() + (prefix.back() == '/' ? 0 : 1);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(prefix)) {
        // Cut as text: resolving each path would cost a lookup per level of a deep tree.
        std::string relative = entry.path().string().substr(skip);
        tree.insert(entry.is_directory() && !entry.is_symlink() ? relative + "/" : relative);
    }
    return tree;
}

std::string AllByteValues() {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes;
}

void PutFile(const std::string& path, const std::string& bytes) {
    rtl::ForceDirectories(rtl::ExtractFileDir(path));
    rtl::WriteFileBytes(path, bytes);
}
