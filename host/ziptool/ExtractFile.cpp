#include "host/ziptool/VekZipTool.h"

#include "host/ziptool/ArchiveEntries.h"
#include "host/ziptool/CaughtError.h"
#include "host/ziptool/StagingFolder.h"
#include "host/ziptool/ZipToolSettings.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

#include <zip.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
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

std::string CheckArguments(const std::string& archivePath, const std::string& destDir) {
    if (archivePath.empty() || !rtl::FileExists(archivePath))
        return "the archive \"" + archivePath + "\" does not exist";
    if (destDir.empty())
        return "no destination folder given";
    if (rtl::FileExists(destDir))
        return "the destination \"" + destDir + "\" is a file";
    return "";
}

std::string CheckArchive(zip_t* archive, const std::string& root, std::vector<UnpackEntry>& entries) {
    const TZipToolSettings settings = ZipToolSettings();
    if (std::string error = CheckEntryCount(zip_get_num_entries(archive, 0), settings); !error.empty())
        return error;
    if (std::string error = ListEntries(archive, entries); !error.empty())
        return error;
    if (std::string error = CheckTotalSize(entries, settings); !error.empty())
        return error;
    if (std::string error = CheckNames(entries); !error.empty())
        return error;
    return CheckExisting(root, entries);
}

std::string CreateFolders(const std::string& content, const std::vector<UnpackEntry>& entries) {
    for (const UnpackEntry& entry : entries) {
        const std::size_t depth = entry.name.parts.size() - (entry.name.isFolder ? 0 : 1);
        if (depth == 0)
            continue;
        const std::string path = content + PrefixOf(entry.name, depth);
        if (!rtl::ForceDirectories(path))
            return "the folder \"" + path + "\" cannot be created";
    }
    return "";
}

// Each worker has its own handle on the archive and writes whole files; the folders exist already.
class ParallelUnpack {
public:
    ParallelUnpack(const std::string& archivePath, const std::string& content, const std::vector<UnpackEntry>& entries)
        : m_archivePath(archivePath), m_content(content) {
        for (const UnpackEntry& entry : entries)
            if (!entry.name.isFolder)
                m_files.push_back(&entry);
        // Largest first: a large file taken last would leave one worker inflating it alone.
        std::stable_sort(m_files.begin(), m_files.end(),
                         [](const UnpackEntry* a, const UnpackEntry* b) { return a->size > b->size; });
    }

    std::string Run() {
        const unsigned workers = WorkerCount();
        std::vector<std::thread> threads;
        for (unsigned w = 1; w < workers; ++w)
            threads.emplace_back([this] { Work(); });
        Work();
        for (std::thread& thread : threads)
            thread.join();
        return m_error;
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

    void Work() {
        // New names in the staging folder never need resolving, but looking for them must not read
        // the folder again for every file. Another worker's files are missing from this worker's
        // listings, which cannot change an outcome: no name differs from another only in case.
        rtl::TFolderListingScope listings;
        const std::string error = CaughtError([&] {
            std::string failure;
            ArchivePtr archive;
            std::vector<char> buffer;
            while (failure.empty() && !m_failed) {
                const std::size_t index = m_next++;
                if (index >= m_files.size())
                    break;
                const UnpackEntry& entry = *m_files[index];
                const std::string path = m_content + entry.name.Joined();
                if (entry.size == 0) {
                    rtl::WriteFileBytes(path, "");
                    continue;
                }
                // Opening reads the whole directory of the archive: only when there is data to read.
                if (!archive && !(archive = OpenArchive(m_archivePath, ZIP_RDONLY, failure)))
                    break;
                buffer.resize(kCopyBuffer);
                failure = CopyEntryToFile(archive.get(), entry, path, buffer);
            }
            return failure;
        });
        if (!error.empty()) {
            std::lock_guard lock(m_errorMutex);
            if (m_error.empty())
                m_error = error;
            m_failed = true;
        }
    }

    const std::string m_archivePath;
    const std::string m_content;
    std::vector<const UnpackEntry*> m_files;
    std::atomic<std::size_t> m_next{0};
    std::atomic<bool> m_failed{false};
    std::mutex m_errorMutex;
    std::string m_error;
};

std::string Extract(const std::string& archivePath, const std::string& destDir, std::size_t& files) {
    if (std::string error = CheckArguments(archivePath, destDir); !error.empty())
        return error;
    std::string error;
    ArchivePtr archive = OpenArchive(archivePath, ZIP_RDONLY | ZIP_CHECKCONS, error);
    if (!archive)
        return error;
    // Case-insensitive lookups of new names read each folder once, not once per name.
    rtl::TFolderListingScope listings;
    std::vector<UnpackEntry> entries;
    if (error = CheckArchive(archive.get(), rtl::IncludeTrailingPathDelimiter(destDir), entries); !error.empty())
        return error;
    archive.reset();

    TStagingFolder staging(destDir);
    if (error = CreateFolders(staging.Content(), entries); !error.empty())
        return error;
    if (error = ParallelUnpack(archivePath, staging.Content(), entries).Run(); !error.empty())
        return error;
    staging.MoveIntoPlace();
    for (const UnpackEntry& entry : entries)
        files += entry.name.isFolder ? 0 : 1;
    return "";
}

} // namespace

bool ExtractFile(const std::string& archive, const std::string& destDir, std::string& out) {
    out.clear();
    std::size_t files = 0;
    const std::string error = CaughtError([&] { return Extract(archive, destDir, files); });
    if (!error.empty()) {
        out = "Cannot unpack: " + error;
        return false;
    }
    out = "Unpacked " + std::to_string(files) + " files into \"" + destDir + "\"";
    return true;
}

} // namespace host
