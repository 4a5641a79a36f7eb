#include "platform/rtl/StagingFolders.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/OpenFolder.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/RemoveTree.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>

namespace rtl {

namespace {

// The process id in a staging folder's name with this marker, or 0 when the name is no such
// staging folder's.
pid_t ProcessOfStagingName(std::string_view name, std::string_view marker) {
    const std::string dotted = "." + std::string(marker) + "-";
    const std::size_t at = name.rfind(dotted);
    if (name.size() < 2 || name.front() != '.' || at == std::string_view::npos || at == 0)
        return 0;
    const std::string_view rest = name.substr(at + dotted.size());
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == rest.size())
        return 0;
    long pid = 0;
    const auto [pidEnd, pidError] = std::from_chars(rest.data(), rest.data() + dash, pid);
    unsigned attempt = 0;
    const char* const end = rest.data() + rest.size();
    const auto [attemptEnd, attemptError] = std::from_chars(rest.data() + dash + 1, end, attempt);
    // A tool's own temporary beside a staging name adds a dot and a suffix of its own.
    const bool suffixed = attemptEnd != end && *attemptEnd == '.' && attemptEnd + 1 != end;
    if (pidError != std::errc() || pidEnd != rest.data() + dash || attemptError != std::errc() ||
        (attemptEnd != end && !suffixed) || pid <= 0)
        return 0;
    return static_cast<pid_t>(pid);
}

// The process id in the name, by any of the sweep's markers; 0 when it has none of them.
pid_t ProcessOfSweptName(std::string_view name, const TStagingSweep& sweep) {
    for (const std::string_view marker : sweep.markers)
        if (const pid_t pid = ProcessOfStagingName(name, marker))
            return pid;
    return 0;
}

bool IsStale(pid_t pid, bool ownAreStale) {
    if (pid == ::getpid())
        return ownAreStale;
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

bool IsFolder(const TSearchRec& entry) {
    return (entry.Attr & faDirectory) && !(entry.Attr & faSymLink);
}

bool Remove(const TOpenFolder& open, const TSearchRec& entry) {
    return IsFolder(entry) ? RemoveTree(open.PathOf(entry.Name)) : open.DeleteFile(entry.Name);
}

int SweepOpenFolder(TOpenFolder& open, const TStagingSweep& sweep) {
    int removed = 0;
    for (const TSearchRec& entry : open.Entries()) {
        if (ProcessOfSweptName(entry.Name, sweep) != 0) {
            if (SweepTakes(entry.Name, sweep) && Remove(open, entry))
                ++removed;
        } else if (sweep.throughSubfolders && IsFolder(entry) && open.Enter(entry.Name)) {
            removed += SweepOpenFolder(open, sweep);
            if (!open.Leave())
                break; // the tree was moved meanwhile
        }
    }
    return removed;
}

} // namespace

bool SweepTakes(std::string_view name, const TStagingSweep& sweep) {
    const pid_t pid = ProcessOfSweptName(name, sweep);
    return pid != 0 && IsStale(pid, sweep.ownAreStale) && !(sweep.keep && sweep.keep(name));
}

std::string StagingFolderName(std::string_view destinationName, int attempt, std::string_view marker) {
    return "." + std::string(destinationName) + "." + std::string(marker) + "-" + std::to_string(::getpid()) +
           "-" + std::to_string(attempt);
}

int SweepStagingFoldersIn(std::string_view folder, const TStagingSweep& sweep) {
    TOpenFolder open = TOpenFolder::Open(folder.empty() ? "." : folder, true);
    return open.IsOpen() ? SweepOpenFolder(open, sweep) : 0;
}

int SweepStaleStagingFolders(std::string_view destination) {
    return SweepStagingFoldersIn(ExtractFileDir(ExcludeTrailingPathDelimiter(destination)), {});
}

} // namespace rtl
