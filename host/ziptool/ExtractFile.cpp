#include "host/ziptool/VekZipTool.h"

#include "host/ziptool/ArchiveEntries.h"
#include "host/ziptool/CaughtError.h"
#include "host/ziptool/StagingFolder.h"
#include "host/ziptool/ZipToolSettings.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/OpenFolder.h"
#include "platform/rtl/Paths.h"

#include <zip.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <thread>
#include <vector>

namespace host {

namespace {

constexpr std::size_t kCopyBuffer = 256 * 1024;
constexpr std::uint64_t kBytesPerWorker = std::uint64_t(4) << 20;

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ArchivePtr = std::unique_ptr<zip_t, ArchiveCloser>;

ArchivePtr OpenArchive(const std::string& archivePath, int flags, std::string& error) {
    int errorCode = 0;
    zip_t* opened = zip_open(rtl::ToNativePath(archivePath).c_str(), flags, &errorCode);
    if (opened == nullptr) {
        zip_error_t zipError;
        zip_error_init_with_code(&zipError, errorCode);
        error = "\"" + archivePath + "\" is not a readable archive: " + zip_error_strerror(&zipError);
        zip_error_fini(&zipError);
    }
    return ArchivePtr(opened);
}

// A failure and whose it is: the archive's, or the destination's.
struct Failure {
    TExtractResult result = TExtractResult::Done;
    std::string reason;

    static Failure Archive(std::string reason) { return {TExtractResult::ArchiveRefused, std::move(reason)}; }
    static Failure Destination(std::string reason) {
        return {TExtractResult::DestinationFailed, std::move(reason)};
    }
    explicit operator bool() const { return !reason.empty(); }
};

Failure ArchiveFailure(std::string reason) {
    return reason.empty() ? Failure() : Failure::Archive(std::move(reason));
}

Failure DestinationFailure(std::string reason) {
    return reason.empty() ? Failure() : Failure::Destination(std::move(reason));
}

Failure CheckArguments(const std::string& archivePath, const std::string& destDir) {
    if (archivePath.empty() || !rtl::FileExists(archivePath))
        return Failure::Archive("the archive \"" + archivePath + "\" does not exist");
    if (destDir.empty())
        return Failure::Destination("no destination folder given");
    if (rtl::FileExists(destDir))
        return Failure::Destination("the destination \"" + destDir + "\" is a file");
    return {};
}

// What the archive holds, checked against itself and the tool's bounds.
Failure CheckArchive(zip_t* archive, const std::string& destDir, std::vector<UnpackEntry>& entries, TNameTree& tree) {
    const TZipToolSettings settings = ZipToolSettings();
    if (Failure failure = ArchiveFailure(CheckEntryCount(zip_get_num_entries(archive, 0), settings)))
        return failure;
    if (Failure failure = ArchiveFailure(ListEntries(archive, entries)))
        return failure;
    if (Failure failure = ArchiveFailure(CheckTotalSize(entries, settings)))
        return failure;
    if (Failure failure = ArchiveFailure(CheckNames(entries, tree)))
        return failure;
    // Every name must fit below the staging folder too, where it is written first.
    const std::size_t root = std::max(rtl::ToNativePath(rtl::IncludeTrailingPathDelimiter(destDir)).size(),
                                      TStagingFolder::LongestContentPath(destDir));
    return ArchiveFailure(CheckPathLengths(entries, root));
}

// What is already at the destination, and the room it has.
Failure CheckDestination(const std::string& destDir, const std::vector<UnpackEntry>& entries, const TNameTree& tree) {
    if (Failure failure = DestinationFailure(CheckExisting(destDir, tree)))
        return failure;
    return DestinationFailure(CheckFreeSpace(destDir, entries, tree));
}

// Every folder of the tree below content, each made and entered by name once.
Failure CreateFolders(const std::string& content, const TNameTree& tree) {
    rtl::TOpenFolder folder = rtl::TOpenFolder::Open(content);
    if (!folder.IsOpen())
        return Failure::Destination("the staging folder \"" + content + "\" cannot be opened");
    std::vector<TNameTree::Index> next{tree[TNameTree::Root].firstChild};
    while (!next.empty()) {
        const TNameTree::Index index = next.back();
        if (index == TNameTree::None) {
            next.pop_back();
            if (!next.empty() && !folder.Leave())
                return Failure::Destination("the staging folder \"" + content + "\" was moved while it was filled");
            continue;
        }
        const TNameTree::Node& node = tree[index];
        next.back() = node.nextSibling;
        if (!node.isFolder)
            continue;
        if (!folder.CreateDir(node.name) || !folder.Enter(node.name))
            return Failure::Destination("the folder " + ShownName(folder.PathOf(node.name)) +
                                        " cannot be created: " + std::strerror(errno));
        next.push_back(node.firstChild);
    }
    return {};
}

// Each worker has its own handle on the archive and writes whole files; the folders exist already.
class ParallelUnpack {
public:
    ParallelUnpack(const std::string& archivePath, const std::string& content, const std::vector<UnpackEntry>& entries,
                   const TNameTree& tree)
        : m_archivePath(archivePath), m_content(content), m_tree(tree) {
        for (const UnpackEntry& entry : entries)
            if (!entry.name.isFolder)
                m_files.push_back(&entry);
        // Largest first: a large file taken last would leave one worker inflating it alone.
        std::stable_sort(m_files.begin(), m_files.end(),
                         [](const UnpackEntry* a, const UnpackEntry* b) { return a->size > b->size; });
    }

    Failure Run() {
        const unsigned workers = WorkerCount();
        std::vector<std::thread> threads;
        for (unsigned w = 1; w < workers; ++w)
            threads.emplace_back([this] { Work(); });
        Work();
        for (std::thread& thread : threads)
            thread.join();
        return m_failure;
    }

private:
    // Workers pay off for inflating; creating many small files in one folder they would only
    // queue for the folder's lock.
    unsigned WorkerCount() const {
        std::uint64_t bytes = 0;
        for (const UnpackEntry* file : m_files)
            bytes += file->size;
        return static_cast<unsigned>(std::clamp<std::uint64_t>(bytes / kBytesPerWorker, 1,
                                                               std::clamp(std::thread::hardware_concurrency(), 1u, 8u)));
    }

    // The failure of one file: the archive's when its data is wrong, the destination's when the
    // writing raised.
    Failure UnpackOne(const UnpackEntry& entry, ArchivePtr& archive, std::vector<char>& buffer,
                      TNameTree::Index& openNode, rtl::TOpenFolder& folder) {
        // Files of one folder mostly come one after another: each folder is opened once for them, and
        // no file's path is looked up.
        if (openNode != entry.folder) {
            folder = rtl::TOpenFolder::Open(m_content + m_tree.PathOf(entry.folder));
            openNode = entry.folder;
        }
        if (!folder.IsOpen())
            return Failure::Destination("the folder \"" + m_content + m_tree.PathOf(entry.folder) +
                                        "\" cannot be opened");
        if (entry.size == 0) {
            rtl::TFileWriter(folder, entry.name.parts.back()).Close();
            return {};
        }
        std::string failure;
        // Opening reads the whole directory of the archive: only when there is data to read.
        if (!archive && !(archive = OpenArchive(m_archivePath, ZIP_RDONLY, failure)))
            return Failure::Archive(failure);
        buffer.resize(kCopyBuffer);
        return ArchiveFailure(CopyEntryToFile(archive.get(), entry, folder, buffer));
    }

    void Work() {
        Failure failure;
        const std::string raised = CaughtError([&] {
            ArchivePtr archive;
            std::vector<char> buffer;
            TNameTree::Index openNode = TNameTree::None;
            rtl::TOpenFolder folder;
            while (!failure && !m_failed) {
                const std::size_t index = m_next++;
                if (index >= m_files.size())
                    break;
                failure = UnpackOne(*m_files[index], archive, buffer, openNode, folder);
            }
            return std::string();
        });
        if (!raised.empty())
            failure = Failure::Destination(raised);
        if (failure) {
            std::lock_guard lock(m_failureMutex);
            if (!m_failure)
                m_failure = failure;
            m_failed = true;
        }
    }

    const std::string m_archivePath;
    const std::string m_content;
    const TNameTree& m_tree;
    std::vector<const UnpackEntry*> m_files;
    std::atomic<std::size_t> m_next{0};
    std::atomic<bool> m_failed{false};
    std::mutex m_failureMutex;
    Failure m_failure;
};

Failure Extract(const std::string& archivePath, const std::string& destDir, std::size_t& files) {
    if (Failure failure = CheckArguments(archivePath, destDir))
        return failure;
    std::string error;
    ArchivePtr archive = OpenArchive(archivePath, ZIP_RDONLY | ZIP_CHECKCONS, error);
    if (!archive)
        return Failure::Archive(error);
    // Case-insensitive lookups of new names read each folder once, not once per name.
    rtl::TFolderListingScope listings;
    std::vector<UnpackEntry> entries;
    TNameTree tree;
    if (Failure failure = CheckArchive(archive.get(), destDir, entries, tree))
        return failure;
    archive.reset();
    if (Failure failure = CheckDestination(destDir, entries, tree))
        return failure;

    std::optional<TStagingFolder> staging;
    if (Failure failure = DestinationFailure(CaughtError([&] {
            staging.emplace(destDir);
            return std::string();
        })))
        return failure;
    if (Failure failure = CreateFolders(staging->Content(), tree))
        return failure;
    if (Failure failure = ParallelUnpack(archivePath, staging->Content(), entries, tree).Run())
        return failure;
    if (Failure failure = DestinationFailure(CaughtError([&] {
            staging->MoveIntoPlace();
            return std::string();
        })))
        return failure;
    for (const UnpackEntry& entry : entries)
        files += entry.name.isFolder ? 0 : 1;
    return {};
}

} // namespace

TExtractResult ExtractArchive(const std::string& archive, const std::string& destDir, std::string& out) {
    out.clear();
    std::size_t files = 0;
    Failure failure;
    // Whatever is raised beyond the steps' own guards (out of memory, say) is no fault of the
    // destination's.
    if (const std::string raised = CaughtError([&] {
            failure = Extract(archive, destDir, files);
            return std::string();
        });
        !raised.empty())
        failure = Failure::Archive(raised);
    if (failure) {
        out = "Cannot unpack: " + failure.reason;
        return failure.result;
    }
    out = "Unpacked " + std::to_string(files) + " files into \"" + destDir + "\"";
    return TExtractResult::Done;
}

bool ExtractFile(const std::string& archive, const std::string& destDir, std::string& out) {
    return ExtractArchive(archive, destDir, out) == TExtractResult::Done;
}

} // namespace host
