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

constexpr std::string_view kMarker = ".unpacking-";

// The process id in a staging folder's name, or 0 when the name is no staging folder's.
pid_t ProcessOfStagingName(std::string_view name) {
    const std::size_t marker = name.rfind(kMarker);
    if (name.size() < 2 || name.front() != '.' || marker == std::string_view::npos || marker == 0)
        return 0;
    const std::string_view rest = name.substr(marker + kMarker.size());
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == rest.size())
        return 0;
    long pid = 0;
    const auto [pidEnd, pidError] = std::from_chars(rest.data(), rest.data() + dash, pid);
    int attempt = 0;
    const auto [attemptEnd, attemptError] = std::from_chars(rest.data() + dash + 1, rest.data() + rest.size(), attempt);
    if (pidError != std::errc() || pidEnd != rest.data() + dash || attemptError != std::errc() ||
        attemptEnd != rest.data() + rest.size() || pid <= 0)
        return 0;
    return static_cast<pid_t>(pid);
}

bool ProcessIsGone(pid_t pid) {
    return pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH;
}

} // namespace

std::string StagingFolderName(std::string_view destinationName, int attempt) {
    return "." + std::string(destinationName) + std::string(kMarker) + std::to_string(::getpid()) + "-" +
           std::to_string(attempt);
}

int SweepStaleStagingFolders(std::string_view destination) {
    const std::string parent = ExtractFileDir(ExcludeTrailingPathDelimiter(destination));
    const TOpenFolder folder = TOpenFolder::Open(parent.empty() ? "." : parent, true);
    if (!folder.IsOpen())
        return 0;
    int removed = 0;
    for (const TSearchRec& entry : folder.Entries()) {
        const pid_t pid = ProcessOfStagingName(entry.Name);
        if (pid != 0 && ProcessIsGone(pid) && RemoveTree(folder.PathOf(entry.Name)))
            ++removed;
    }
    return removed;
}

} // namespace rtl
