#include "host/ziptool/ArchiveEntries.h"

#include "platform/rtl/FileSystem.h"

#include <sys/stat.h>

#include <algorithm>
#include <set>
#include <unordered_map>

namespace host {

namespace {

// Each entry is written whole through the file-system adapter, so it must fit in memory.
constexpr zip_uint64_t kLargestEntry = zip_uint64_t(1) << 30;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string SizeText(std::uint64_t bytes) {
    return std::to_string(bytes >> 20) + " MiB";
}

} // namespace

std::string PrefixOf(const ZipEntryName& name, std::size_t count) {
    std::string prefix;
    for (std::size_t i = 0; i < count; ++i)
        prefix += (i ? "/" : "") + name.parts[i];
    return prefix;
}

std::string ListEntries(zip_t* archive, std::vector<UnpackEntry>& entries) {
    zip_int64_t count = zip_get_num_entries(archive, 0);
    entries.reserve(static_cast<std::size_t>(std::max<zip_int64_t>(count, 0)));
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_uint64_t index = static_cast<zip_uint64_t>(i);
        zip_stat_t st;
        const char* rawName = zip_get_name(archive, index, 0);
        if (rawName == nullptr || zip_stat_index(archive, index, 0, &st) != 0)
            return std::string("an entry cannot be read: ") + zip_strerror(archive);
        UnpackEntry entry{index, ParseZipEntryName(rawName), st.size, st.comp_size};
        if (entry.name.Refused())
            return entry.name.refusal;

        zip_uint8_t opsys = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(archive, index, 0, &opsys, &attributes) == 0 &&
            opsys == ZIP_OPSYS_UNIX) {
            zip_uint32_t type = (attributes >> 16) & S_IFMT;
            if (type == S_IFLNK)
                return "the entry " + Quoted(rawName) + " is a link";
            if (type == S_IFDIR)
                entry.name.isFolder = true;
            else if (type != 0 && type != S_IFREG)
                return "the entry " + Quoted(rawName) + " is a special file";
        }
        if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
            return "the entry " + Quoted(rawName) + " is encrypted";
        if (entry.name.isFolder) {
            entry.size = entry.compressedSize = 0;
        } else {
            if (!(st.valid & ZIP_STAT_COMP_SIZE))
                return "the entry " + Quoted(rawName) + " declares no compressed size";
            if (!(st.valid & ZIP_STAT_SIZE) || st.size > kLargestEntry)
                return "the entry " + Quoted(rawName) + " is too large to unpack";
            if ((st.valid & ZIP_STAT_COMP_METHOD) && !zip_compression_method_supported(st.comp_method, 0))
                return "the entry " + Quoted(rawName) + " uses an unsupported compression method";
        }
        entries.push_back(std::move(entry));
    }
    return "";
}

std::string CheckEntryCount(zip_int64_t count, const TZipToolSettings& settings) {
    if (count < 0 || static_cast<std::uint64_t>(count) > settings.MaxEntries)
        return "the archive holds " + std::to_string(count) + " entries, more than the " +
               std::to_string(settings.MaxEntries) + " allowed";
    return "";
}

std::string CheckTotalSize(const std::vector<UnpackEntry>& entries, const TZipToolSettings& settings) {
    std::uint64_t total = 0, compressed = 0;
    for (const UnpackEntry& entry : entries) {
        total += entry.size; // each is at most kLargestEntry, so the sum cannot wrap
        compressed += std::min<std::uint64_t>(entry.compressedSize, kLargestEntry);
        if (total > settings.MaxTotalSize)
            return "the archive unpacks to more than the " + SizeText(settings.MaxTotalSize) + " allowed";
    }
    if (total > settings.RatioFreeSize && total / std::max<std::uint64_t>(compressed, 1) >= settings.MaxRatio)
        return "the archive unpacks to " + SizeText(total) + ", more than " + std::to_string(settings.MaxRatio) +
               " times its compressed size";
    return "";
}

std::string CheckNames(const std::vector<UnpackEntry>& entries) {
    std::unordered_map<std::string, std::string> spellings; // folded path -> as first written
    std::set<std::string> files, folders;                   // folded
    for (const UnpackEntry& entry : entries) {
        const std::size_t parts = entry.name.parts.size();
        for (std::size_t n = 1; n <= parts; ++n) {
            std::string prefix = PrefixOf(entry.name, n);
            std::string folded = Folded(prefix);
            const auto [known, added] = spellings.emplace(folded, prefix);
            if (!added && known->second != prefix)
                return "the archive holds " + Quoted(known->second) + " and " + Quoted(prefix) +
                       ", which differ only in case";
            const bool isFolder = n < parts || entry.name.isFolder;
            if (!isFolder && !files.insert(folded).second)
                return "the archive holds " + Quoted(prefix) + " twice";
            if (isFolder)
                folders.insert(std::move(folded));
        }
    }
    for (const std::string& file : files)
        if (folders.count(file))
            return "the archive holds " + Quoted(file) + " both as a file and as a folder";
    return "";
}

std::string CheckExisting(const std::string& root, const std::vector<UnpackEntry>& entries) {
    for (const UnpackEntry& entry : entries) {
        for (std::size_t n = 1; n <= entry.name.parts.size(); ++n) {
            std::string path = root + PrefixOf(entry.name, n);
            int attr = rtl::FileGetAttr(path);
            if (attr == -1)
                break;
            if (attr & rtl::faSymLink)
                return Quoted(path) + " is a link";
            bool wantFolder = n < entry.name.parts.size() || entry.name.isFolder;
            if (wantFolder != ((attr & rtl::faDirectory) != 0))
                return Quoted(path) + " exists as a " + (wantFolder ? "file" : "folder");
            if (!wantFolder && (attr & rtl::faReadOnly))
                return Quoted(path) + " is read-only";
        }
    }
    return "";
}

std::string CopyEntryToFile(zip_t* archive, const UnpackEntry& entry, const std::string& path,
                            std::vector<char>& buffer) {
    zip_file_t* file = zip_fopen_index(archive, entry.index, 0);
    if (file == nullptr)
        return "the entry " + Quoted(entry.name.Joined()) + " cannot be read: " + zip_strerror(archive);
    std::string error;
    try {
        rtl::TFileWriter writer(path);
        zip_uint64_t total = 0;
        for (;;) {
            zip_int64_t n = zip_fread(file, buffer.data(), buffer.size());
            if (n < 0) {
                error = "the entry " + Quoted(entry.name.Joined()) + " is damaged: " + zip_file_strerror(file);
                break;
            }
            if (n == 0)
                break;
            total += static_cast<zip_uint64_t>(n);
            if (total > entry.size) {
                error = "the entry " + Quoted(entry.name.Joined()) + " is longer than it declares";
                break;
            }
            writer.Write({buffer.data(), static_cast<std::size_t>(n)});
        }
        if (error.empty() && total != entry.size)
            error = "the entry " + Quoted(entry.name.Joined()) + " is shorter than it declares";
        writer.Close();
    } catch (...) {
        zip_fclose(file);
        throw;
    }
    zip_fclose(file);
    return error;
}

} // namespace host
