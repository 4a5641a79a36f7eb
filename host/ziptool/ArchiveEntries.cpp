#include "host/ziptool/ArchiveEntries.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/OpenFolder.h"

#include <sys/stat.h>

#include <algorithm>
#include <unordered_map>

namespace host {

namespace {

// Each entry is written whole through the file-system adapter, so it must fit in memory.
constexpr zip_uint64_t kLargestEntry = zip_uint64_t(1) << 30;

std::string SizeText(std::uint64_t bytes) {
    return bytes < (std::uint64_t(1) << 20) ? std::to_string((bytes + 1023) >> 10) + " KiB"
                                            : std::to_string(bytes >> 20) + " MiB";
}

} // namespace

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
                return "the entry " + ShownName(rawName) + " is a link";
            if (type == S_IFDIR)
                entry.name.isFolder = true;
            else if (type != 0 && type != S_IFREG)
                return "the entry " + ShownName(rawName) + " is a special file";
        }
        if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
            return "the entry " + ShownName(rawName) + " is encrypted";
        if (entry.name.isFolder) {
            entry.size = entry.compressedSize = 0;
        } else {
            if (!(st.valid & ZIP_STAT_COMP_SIZE))
                return "the entry " + ShownName(rawName) + " declares no compressed size";
            if (!(st.valid & ZIP_STAT_SIZE) || st.size > kLargestEntry)
                return "the entry " + ShownName(rawName) + " is too large to unpack";
            if ((st.valid & ZIP_STAT_COMP_METHOD) && !zip_compression_method_supported(st.comp_method, 0))
                return "the entry " + ShownName(rawName) + " uses an unsupported compression method";
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

std::string CheckNames(std::vector<UnpackEntry>& entries, TNameTree& tree) {
    for (UnpackEntry& entry : entries)
        if (std::string error = tree.Add(entry.name, entry.folder); !error.empty())
            return error;
    return "";
}

std::string CheckPathLengths(const std::vector<UnpackEntry>& entries, std::size_t rootLength) {
    for (const UnpackEntry& entry : entries) {
        std::size_t length = rootLength + entry.name.parts.size() - 1;
        for (const std::string& part : entry.name.parts)
            length += part.size();
        if (length > MaxPathBytes)
            return "the entry " + ShownName(entry.name.Joined()) + " reaches deeper than a path may be long (" +
                   std::to_string(MaxPathBytes) + " bytes) below the destination";
    }
    return "";
}

namespace {

// One folder of the destination's listing: its names as written and in lower case, the smallest
// name first, as the file adapter chooses among names of one spelling.
class FolderNames {
public:
    explicit FolderNames(std::vector<rtl::TSearchRec> entries) : m_entries(std::move(entries)) {
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            m_exact.emplace(m_entries[i].Name, i);
            m_folded.emplace(Folded(m_entries[i].Name), i); // the listing comes smallest first
        }
    }

    const rtl::TSearchRec* Find(const std::string& name) const {
        if (auto exact = m_exact.find(name); exact != m_exact.end())
            return &m_entries[exact->second];
        if (auto folded = m_folded.find(Folded(name)); folded != m_folded.end())
            return &m_entries[folded->second];
        return nullptr;
    }

private:
    std::vector<rtl::TSearchRec> m_entries;
    std::unordered_map<std::string, std::size_t> m_exact, m_folded;
};

struct ExistingLevel {
    TNameTree::Index next; // the next child of the tree folder to compare
    FolderNames names;
};

} // namespace

std::string CheckExisting(const std::string& root, const TNameTree& tree) {
    // A link at the destination itself is the caller's layout, as for every path it gives.
    rtl::TOpenFolder folder = rtl::TOpenFolder::Open(root, true);
    if (!folder.IsOpen())
        return "";
    std::vector<ExistingLevel> levels;
    levels.push_back({tree[TNameTree::Root].firstChild, FolderNames(folder.Entries())});
    while (!levels.empty()) {
        ExistingLevel& level = levels.back();
        if (level.next == TNameTree::None) {
            levels.pop_back();
            if (!levels.empty() && !folder.Leave())
                return "the destination " + ShownName(root) + " changed while it was checked";
            continue;
        }
        const TNameTree::Node& node = tree[level.next];
        level.next = node.nextSibling;
        const rtl::TSearchRec* existing = level.names.Find(node.name);
        if (existing == nullptr)
            continue;
        const std::string path = folder.PathOf(existing->Name);
        if (existing->Attr & rtl::faSymLink)
            return ShownName(path) + " is a link";
        const bool isFolder = (existing->Attr & rtl::faDirectory) != 0;
        if (node.isFolder != isFolder)
            return ShownName(path) + " exists as a " + (node.isFolder ? "file" : "folder");
        if (!node.isFolder && (existing->Attr & rtl::faReadOnly))
            return ShownName(path) + " is read-only";
        if (node.isFolder && node.firstChild != TNameTree::None) {
            if (!folder.Enter(existing->Name))
                return ShownName(path) + " cannot be opened";
            levels.push_back({node.firstChild, FolderNames(folder.Entries())});
        }
    }
    return "";
}

std::string CheckFreeSpace(const std::string& root, const std::vector<UnpackEntry>& entries, const TNameTree& tree) {
    rtl::TFreeSpace space;
    if (!rtl::FreeSpaceAt(root, space))
        return "the free space at " + ShownName(root) + " cannot be told";
    const std::uint64_t block = std::max<std::uint64_t>(space.blockSize, 1);
    // Every folder takes a block; an empty file takes none. The staging folder adds three folders.
    std::uint64_t blocks = 3, files = 3;
    for (std::size_t node = 1; node < tree.Size(); ++node)
        if (tree[static_cast<TNameTree::Index>(node)].isFolder)
            ++blocks;
    for (const UnpackEntry& entry : entries)
        if (!entry.name.isFolder)
            blocks += (entry.size + block - 1) / block;
    files += tree.Size() - 1;
    if (blocks > space.bytes / block)
        return "no space left for the archive's content: it needs " + SizeText(blocks * block) + ", and " +
               ShownName(root) + " has " + SizeText(space.bytes) + " free";
    if (files > space.files)
        return "no space left for the archive's " + std::to_string(files) + " files and folders: " +
               ShownName(root) + " takes " + std::to_string(space.files) + " more";
    return "";
}

std::string CopyEntryToFile(zip_t* archive, const UnpackEntry& entry, const rtl::TOpenFolder& folder,
                            std::vector<char>& buffer) {
    zip_file_t* file = zip_fopen_index(archive, entry.index, 0);
    if (file == nullptr)
        return "the entry " + ShownName(entry.name.Joined()) + " cannot be read: " + zip_strerror(archive);
    std::string error;
    try {
        rtl::TFileWriter writer(folder, entry.name.parts.back());
        zip_uint64_t total = 0;
        for (;;) {
            zip_int64_t n = zip_fread(file, buffer.data(), buffer.size());
            if (n < 0) {
                error = "the entry " + ShownName(entry.name.Joined()) + " is damaged: " + zip_file_strerror(file);
                break;
            }
            if (n == 0)
                break;
            total += static_cast<zip_uint64_t>(n);
            if (total > entry.size) {
                error = "the entry " + ShownName(entry.name.Joined()) + " is longer than it declares";
                break;
            }
            writer.Write({buffer.data(), static_cast<std::size_t>(n)});
        }
        if (error.empty() && total != entry.size)
            error = "the entry " + ShownName(entry.name.Joined()) + " is shorter than it declares";
        writer.Close();
    } catch (...) {
        zip_fclose(file);
        throw;
    }
    zip_fclose(file);
    return error;
}

} // namespace host
