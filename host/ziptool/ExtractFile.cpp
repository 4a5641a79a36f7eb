#include "host/ziptool/VekZipTool.h"

#include "host/ziptool/ZipEntryName.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

#include <zip.h>

#include <sys/stat.h>

#include <exception>
#include <new>
#include <set>
#include <vector>

namespace host {

namespace {

// Each entry is written whole through the file-system adapter, so it must fit in memory.
constexpr zip_uint64_t kLargestEntry = zip_uint64_t(1) << 30;

struct UnpackEntry {
    zip_uint64_t index;
    ZipEntryName name;
    zip_uint64_t size;
};

class ArchiveReader {
public:
    explicit ArchiveReader(zip_t* archive) : m_archive(archive) {}
    ~ArchiveReader() { zip_discard(m_archive); }
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;
    zip_t* get() const { return m_archive; }

private:
    zip_t* m_archive;
};

std::string Folded(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string PrefixOf(const ZipEntryName& name, std::size_t count) {
    std::string prefix;
    for (std::size_t i = 0; i < count; ++i)
        prefix += (i ? "/" : "") + name.parts[i];
    return prefix;
}

// Reads the entry whole, or only checks it when sink is null. Answers the error, or "".
std::string ReadEntry(zip_t* archive, const UnpackEntry& entry, std::string* sink) {
    zip_file_t* file = zip_fopen_index(archive, entry.index, 0);
    if (file == nullptr)
        return "the entry \"" + entry.name.Joined() + "\" cannot be read: " + zip_strerror(archive);
    std::string error;
    zip_uint64_t total = 0;
    char buffer[65536];
    for (;;) {
        zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
        if (n < 0) {
            error = "the entry \"" + entry.name.Joined() + "\" is damaged: " + zip_file_strerror(file);
            break;
        }
        if (n == 0)
            break;
        total += static_cast<zip_uint64_t>(n);
        if (total > entry.size) {
            error = "the entry \"" + entry.name.Joined() + "\" is longer than it declares";
            break;
        }
        if (sink != nullptr)
            sink->append(buffer, static_cast<std::size_t>(n));
    }
    zip_fclose(file);
    if (error.empty() && total != entry.size)
        error = "the entry \"" + entry.name.Joined() + "\" is shorter than it declares";
    return error;
}

std::string ListEntries(zip_t* archive, std::vector<UnpackEntry>& entries) {
    zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_uint64_t index = static_cast<zip_uint64_t>(i);
        zip_stat_t st;
        const char* rawName = zip_get_name(archive, index, 0);
        if (rawName == nullptr || zip_stat_index(archive, index, 0, &st) != 0)
            return std::string("an entry cannot be read: ") + zip_strerror(archive);
        UnpackEntry entry{index, ParseZipEntryName(rawName), st.size};
        if (entry.name.Refused())
            return entry.name.refusal;

        zip_uint8_t opsys = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(archive, index, 0, &opsys, &attributes) == 0 &&
            opsys == ZIP_OPSYS_UNIX) {
            zip_uint32_t type = (attributes >> 16) & S_IFMT;
            if (type == S_IFLNK)
                return "the entry \"" + std::string(rawName) + "\" is a link";
            if (type == S_IFDIR)
                entry.name.isFolder = true;
            else if (type != 0 && type != S_IFREG)
                return "the entry \"" + std::string(rawName) + "\" is a special file";
        }
        if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
            return "the entry \"" + std::string(rawName) + "\" is encrypted";
        if (!entry.name.isFolder) {
            if (!(st.valid & ZIP_STAT_SIZE) || st.size > kLargestEntry)
                return "the entry \"" + std::string(rawName) + "\" is too large to unpack";
            if ((st.valid & ZIP_STAT_COMP_METHOD) && !zip_compression_method_supported(st.comp_method, 0))
                return "the entry \"" + std::string(rawName) + "\" uses an unsupported compression method";
        }
        entries.push_back(std::move(entry));
    }
    return "";
}

// A name cannot be both a file and a folder (compared as the file system compares them).
std::string CheckShapes(const std::vector<UnpackEntry>& entries) {
    std::set<std::string> files, folders;
    for (const UnpackEntry& entry : entries) {
        std::size_t parents = entry.name.parts.size() - (entry.name.isFolder ? 0 : 1);
        for (std::size_t n = 1; n <= parents; ++n)
            folders.insert(Folded(PrefixOf(entry.name, n)));
        if (!entry.name.isFolder)
            files.insert(Folded(entry.name.Joined()));
    }
    for (const std::string& file : files)
        if (folders.count(file))
            return "the archive holds \"" + file + "\" both as a file and as a folder";
    return "";
}

// What is already below the destination must not lead the writing elsewhere.
std::string CheckExisting(const std::string& root, const std::vector<UnpackEntry>& entries) {
    for (const UnpackEntry& entry : entries) {
        for (std::size_t n = 1; n <= entry.name.parts.size(); ++n) {
            std::string path = root + PrefixOf(entry.name, n);
            int attr = rtl::FileGetAttr(path);
            if (attr == -1)
                break;
            if (attr & rtl::faSymLink)
                return "\"" + path + "\" is a link";
            bool wantFolder = n < entry.name.parts.size() || entry.name.isFolder;
            if (wantFolder != ((attr & rtl::faDirectory) != 0))
                return "\"" + path + "\" exists as a " + (wantFolder ? "file" : "folder");
            if (!wantFolder && (attr & rtl::faReadOnly))
                return "\"" + path + "\" is read-only";
        }
    }
    return "";
}

std::string WriteEntries(zip_t* archive, const std::string& root, const std::vector<UnpackEntry>& entries) {
    if (!rtl::ForceDirectories(root))
        return "the folder \"" + root + "\" cannot be created";
    for (const UnpackEntry& entry : entries) {
        std::string path = root + entry.name.Joined();
        if (entry.name.isFolder) {
            if (!rtl::ForceDirectories(path))
                return "the folder \"" + path + "\" cannot be created";
            continue;
        }
        if (entry.name.parts.size() > 1 &&
            !rtl::ForceDirectories(root + PrefixOf(entry.name, entry.name.parts.size() - 1)))
            return "the folder for \"" + path + "\" cannot be created";
        std::string data;
        if (std::string error = ReadEntry(archive, entry, &data); !error.empty())
            return error;
        rtl::WriteFileBytes(path, data);
    }
    return "";
}

std::string Extract(const std::string& archivePath, const std::string& destDir, std::size_t& files) {
    if (archivePath.empty() || !rtl::FileExists(archivePath))
        return "the archive \"" + archivePath + "\" does not exist";
    if (destDir.empty())
        return "no destination folder given";
    if (rtl::FileExists(destDir))
        return "the destination \"" + destDir + "\" is a file";

    int errorCode = 0;
    zip_t* opened = zip_open(rtl::ToNativePath(archivePath).c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &errorCode);
    if (opened == nullptr) {
        zip_error_t error;
        zip_error_init_with_code(&error, errorCode);
        std::string message =
            "\"" + archivePath + "\" is not a readable archive: " + zip_error_strerror(&error);
        zip_error_fini(&error);
        return message;
    }
    ArchiveReader archive(opened);

    std::vector<UnpackEntry> entries;
    if (std::string error = ListEntries(archive.get(), entries); !error.empty())
        return error;
    if (std::string error = CheckShapes(entries); !error.empty())
        return error;
    // Damage shows only when the data is read; read it all before writing anything.
    for (const UnpackEntry& entry : entries)
        if (!entry.name.isFolder)
            if (std::string error = ReadEntry(archive.get(), entry, nullptr); !error.empty())
                return error;
    std::string root = rtl::IncludeTrailingPathDelimiter(destDir);
    if (std::string error = CheckExisting(root, entries); !error.empty())
        return error;
    if (std::string error = WriteEntries(archive.get(), root, entries); !error.empty())
        return error;
    for (const UnpackEntry& entry : entries)
        files += entry.name.isFolder ? 0 : 1;
    return "";
}

} // namespace

bool ExtractFile(const std::string& archive, const std::string& destDir, std::string& out) {
    out.clear();
    std::size_t files = 0;
    std::string error;
    try {
        error = Extract(archive, destDir, files);
    } catch (const rtl::Exception& e) {
        error = e.Message();
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    } catch (const std::exception& e) {
        error = e.what();
    }
    if (!error.empty()) {
        out = "Cannot unpack: " + error;
        return false;
    }
    out = "Unpacked " + std::to_string(files) + " files into \"" + destDir + "\"";
    return true;
}

} // namespace host
