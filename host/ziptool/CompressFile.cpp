#include "host/ziptool/VekZipTool.h"

#include "host/ziptool/CaughtError.h"
#include "host/ziptool/DeflatedSource.h"
#include "host/ziptool/OrderedWork.h"
#include "host/ziptool/ZipEntryName.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

#include <zip.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>
#include <exception>
#include <filesystem>
#include <new>
#include <set>
#include <vector>

namespace host {

namespace {

const std::string kListSeparator = "@&@";

// The level other archivers use by default: their speed at nearly the size of the best level.
constexpr int kDeflateLevel = 6;
// Smaller files are deflated whole in memory on worker threads; larger ones are streamed by libzip.
constexpr std::uint64_t kLargestParallelEntry = std::uint64_t(16) << 20;
// Deflated data waiting to be written, at most: enough to keep the workers busy while libzip
// writes, small enough that the memory of a large package stays that of a small one.
constexpr std::uint64_t kPendingBudget = std::uint64_t(32) << 20;

struct PackEntry {
    std::string name;       // inside the archive, "/"-separated
    std::string sourcePath; // empty for a folder entry
    std::uint64_t size = 0;
    std::time_t modified = 0;
};

struct PackPlan {
    std::vector<PackEntry> entries;
    std::string error;
};

// Search records carry the local time as a day number.
std::time_t ModifiedTime(double localDayNumber) {
    constexpr double kUnixEpochDay = 25569.0; // 1970-01-01 counted from 1899-12-30
    const std::time_t localSeconds = static_cast<std::time_t>(std::llround((localDayNumber - kUnixEpochDay) * 86400.0));
    std::tm broken{};
    ::gmtime_r(&localSeconds, &broken);
    broken.tm_isdst = -1;
    return std::mktime(&broken);
}

std::string Canonical(const std::string& path) {
    std::error_code ignored;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(rtl::ToNativePath(path), ignored);
    return canonical.lexically_normal().string();
}

// Names are checked with the extractor's rule, so that everything packed can be unpacked.
bool AcceptName(const std::string& name, PackPlan& plan) {
    ZipEntryName parsed = ParseZipEntryName(name);
    if (parsed.Refused()) {
        plan.error = "Cannot pack: " + parsed.refusal;
        return false;
    }
    return true;
}

bool CollectFolder(const std::string& folder, const std::string& prefix, const std::string& skipCanonical,
                   PackPlan& plan) {
    rtl::TSearchRec rec;
    std::vector<rtl::TSearchRec> found;
    for (int rc = rtl::FindFirst(folder + "*", rtl::faAnyFile, rec); rc == 0; rc = rtl::FindNext(rec))
        if (rec.Name != "." && rec.Name != "..")
            found.push_back(rec);
    rtl::FindClose(rec);

    std::set<std::string> folded;
    for (const rtl::TSearchRec& each : found) {
        const std::string& name = each.Name;
        const int attr = each.Attr;
        if (attr & rtl::faSymLink)
            continue; // a link could pull files from outside the folder into the archive
        std::string entryName = prefix + name;
        if (!folded.insert(Folded(name)).second) {
            // The archive would not unpack: names that differ only in case are one file there.
            plan.error = "Cannot pack \"" + folder + name + "\": another name in its folder differs only in case";
            return false;
        }
        if (name.find('\\') != std::string::npos) {
            plan.error = "Cannot pack \"" + folder + name + "\": a \"\\\" in a name would unpack as a folder";
            return false;
        }
        if (!AcceptName(entryName, plan))
            return false;
        std::string path = folder + name;
        if (attr & rtl::faDirectory) {
            plan.entries.push_back({entryName + "/", "", 0, 0});
            if (!CollectFolder(path + "/", entryName + "/", skipCanonical, plan))
                return false;
        } else if (skipCanonical.empty() || Canonical(path) != skipCanonical) {
            plan.entries.push_back({entryName, path, static_cast<std::uint64_t>(each.Size), ModifiedTime(each.Time)});
        }
    }
    return true;
}

// The final name itself, not a folder on the way to it.
bool IsLink(const std::string& path) {
    const int attr = rtl::FileGetAttr(rtl::ExcludeTrailingPathDelimiter(path));
    return attr != -1 && (attr & rtl::faSymLink);
}

PackEntry ListedEntry(const std::string& path, const std::string& name) {
    PackEntry entry{name, path, 0, std::time(nullptr)};
    rtl::TSearchRec rec;
    if (rtl::FindFirst(path, rtl::faAnyFile, rec) == 0 && rec.Name == rtl::ExtractFileName(path)) {
        entry.size = static_cast<std::uint64_t>(rec.Size);
        entry.modified = ModifiedTime(rec.Time);
    }
    rtl::FindClose(rec);
    return entry;
}

PackPlan PlanList(const std::string& source) {
    PackPlan plan;
    std::vector<std::string> pieces;
    for (std::size_t pos = 0;;) {
        std::size_t end = source.find(kListSeparator, pos);
        pieces.push_back(source.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        if (end == std::string::npos)
            break;
        pos = end + kListSeparator.size();
    }
    if (pieces.size() > 1 && pieces.back().empty())
        pieces.pop_back();

    std::set<std::string> names;
    for (const std::string& piece : pieces) {
        if (piece.empty()) {
            plan.error = "The file list \"" + source + "\" has an empty name";
            return plan;
        }
        if (IsLink(piece)) {
            plan.error = "The listed file \"" + piece + "\" is a link";
            return plan;
        }
        if (!rtl::FileExists(piece)) {
            plan.error = "The listed file \"" + piece + "\" " +
                         (rtl::DirectoryExists(piece) ? "is a folder" : "does not exist");
            return plan;
        }
        std::string name = rtl::ExtractFileName(piece);
        if (!AcceptName(name, plan))
            return plan;
        if (!names.insert(Folded(name)).second) {
            plan.error = "Two listed files are both named \"" + name + "\"";
            return plan;
        }
        plan.entries.push_back(ListedEntry(piece, name));
    }
    return plan;
}

PackPlan PlanSource(const std::string& source, const std::string& dest) {
    if (source.find(kListSeparator) != std::string::npos)
        return PlanList(source);
    if (IsLink(source)) {
        // Packing the link's target would put into the package what the caller never named.
        PackPlan plan;
        plan.error = "The source \"" + source + "\" is a link";
        return plan;
    }
    if (rtl::DirectoryExists(source)) {
        PackPlan plan;
        std::string folder = rtl::IncludeTrailingPathDelimiter(source);
        std::string skip = rtl::FileExists(dest) ? Canonical(dest) : std::string();
        CollectFolder(folder, "", skip, plan);
        return plan;
    }
    if (rtl::FileExists(source))
        return PlanList(source);
    PackPlan plan;
    plan.error = "The source \"" + source + "\" does not exist";
    return plan;
}

std::string CheckDestination(const std::string& dest) {
    if (dest.empty())
        return "No archive file name given";
    if (rtl::HasTrailingPathDelimiter(dest) || rtl::DirectoryExists(dest))
        return "The archive \"" + dest + "\" names a folder";
    std::string folder = rtl::ExtractFileDir(dest);
    if (!folder.empty() && !rtl::DirectoryExists(folder))
        return "The folder of the archive \"" + dest + "\" does not exist";
    int attr = rtl::FileGetAttr(dest);
    if (attr != -1 && (attr & rtl::faReadOnly))
        return "The archive \"" + dest + "\" is read-only";
    return "";
}

std::string ZipError(zip_t* archive) {
    return zip_error_strerror(zip_get_error(archive));
}

bool ParallelEntry(const PackEntry& entry) {
    return !entry.sourcePath.empty() && entry.size <= kLargestParallelEntry;
}

// Files up to kLargestParallelEntry are read and deflated on worker threads, in archive order, while
// libzip writes the ones before them.
class ParallelDeflate {
public:
    explicit ParallelDeflate(const std::vector<PackEntry>& entries) {
        std::vector<std::uint64_t> weights;
        for (const PackEntry& entry : entries)
            if (ParallelEntry(entry)) {
                m_paths.push_back(entry.sourcePath);
                weights.push_back(entry.size);
            }
        m_work = std::make_unique<TOrderedWork<TDeflated>>(
            std::move(weights), TOrderedWork<TDeflated>::DefaultWorkers(), kPendingBudget,
            [this](std::size_t index, unsigned) { return DeflateBytes(rtl::ReadFileBytes(m_paths[index]), kDeflateLevel); });
    }

    // The next parallel entry's data, for libzip to ask for when it writes that entry.
    std::function<TDeflated()> NextTaker() {
        return [work = m_work.get(), index = m_nextTaker++] { return work->Take(index); };
    }

private:
    std::vector<std::string> m_paths;
    std::unique_ptr<TOrderedWork<TDeflated>> m_work;
    std::size_t m_nextTaker = 0;
};

zip_source_t* EntrySource(zip_t* archive, const PackEntry& entry, ParallelDeflate& parallel, std::string& failure) {
    if (ParallelEntry(entry))
        return NewDeflatedSource(archive, parallel.NextTaker(), entry.modified, failure);
    return zip_source_file(archive, rtl::ToNativePath(entry.sourcePath).c_str(), 0, -1);
}

std::string WriteArchive(const std::vector<PackEntry>& entries, const std::string& dest) {
    // Declared first, so that the workers outlive the archive and its sources.
    ParallelDeflate parallel(entries);
    std::string failure;
    int errorCode = 0;
    // libzip writes a temporary file beside the archive and renames it over the old one on close.
    zip_t* archive = zip_open(rtl::ToNativePath(dest).c_str(), ZIP_CREATE | ZIP_TRUNCATE, &errorCode);
    if (archive == nullptr) {
        zip_error_t error;
        zip_error_init_with_code(&error, errorCode);
        std::string message = "Cannot create the archive \"" + dest + "\": " + zip_error_strerror(&error);
        zip_error_fini(&error);
        return message;
    }
    auto fail = [&](const std::string& what) {
        std::string message = failure.empty() ? what + ": " + ZipError(archive) : what + ": " + failure;
        zip_discard(archive);
        return message;
    };
    for (const PackEntry& entry : entries) {
        zip_int64_t index;
        zip_uint32_t mode;
        if (entry.sourcePath.empty()) {
            index = zip_dir_add(archive, entry.name.c_str(), ZIP_FL_ENC_UTF_8);
            mode = S_IFDIR | 0755;
        } else {
            zip_source_t* data = EntrySource(archive, entry, parallel, failure);
            if (data == nullptr)
                return fail("Cannot read \"" + entry.sourcePath + "\"");
            index = zip_file_add(archive, entry.name.c_str(), data, ZIP_FL_ENC_UTF_8);
            if (index < 0)
                zip_source_free(data);
            mode = S_IFREG | 0644;
        }
        if (index < 0 ||
            (!entry.sourcePath.empty() &&
             zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, kDeflateLevel) != 0) ||
            zip_file_set_external_attributes(archive, static_cast<zip_uint64_t>(index), 0, ZIP_OPSYS_UNIX,
                                             mode << 16) != 0)
            return fail("Cannot add \"" + entry.name + "\"");
    }
    if (zip_close(archive) != 0)
        return fail("Cannot write the archive \"" + dest + "\"");
    return "";
}

std::string Compress(const std::string& source, const std::string& dest, std::size_t& files) {
    if (source.empty())
        return "No source given to pack";
    if (std::string error = CheckDestination(dest); !error.empty())
        return error;
    PackPlan plan = PlanSource(source, dest);
    if (plan.error.empty() && plan.entries.empty())
        plan.error = "The source \"" + source + "\" holds nothing to pack";
    if (!plan.error.empty())
        return plan.error;
    if (std::string error = WriteArchive(plan.entries, dest); !error.empty())
        return error;
    files = std::count_if(plan.entries.begin(), plan.entries.end(),
                          [](const PackEntry& e) { return !e.sourcePath.empty(); });
    return "";
}

} // namespace

bool CompressFile(const std::string& source, const std::string& dest, std::string& out) {
    std::size_t files = 0;
    out = CaughtError([&] { return Compress(source, dest, files); });
    if (!out.empty())
        return false;
    out = "Packed " + std::to_string(files) + " files into \"" + dest + "\"";
    return true;
}

} // namespace host
