#include "host/ProjectStaging.h"

#include "host/HostState.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <vector>

namespace host::detail {

namespace {

constexpr char kMarker[] = ".creating-";
constexpr int kNameAttempts = 100;

std::string StagingStem(const std::string& projects, const std::string& prjId) {
    return projects + "." + prjId + kMarker + std::to_string(::getpid()) + "-";
}

std::string UnusedName(const std::string& stem) {
    for (int n = 0; n < kNameAttempts; ++n)
        if (rtl::FileGetAttr(stem + std::to_string(n)) == -1)
            return stem + std::to_string(n);
    throw rtl::EInOutError("no free name for \"" + stem + "\"");
}

// The process that made a staging folder, from its name; 0 when the name is no staging folder's.
pid_t StagingProcess(const std::string& name) {
    if (name.empty() || name.front() != '.')
        return 0;
    const std::size_t marker = name.rfind(kMarker);
    if (marker == std::string::npos || marker == 0)
        return 0;
    const char* first = name.data() + marker + sizeof(kMarker) - 1;
    const char* last = name.data() + name.size();
    pid_t pid = 0;
    auto [end, ec] = std::from_chars(first, last, pid);
    if (ec != std::errc() || pid <= 0 || end == last || *end != '-')
        return 0;
    unsigned number = 0;
    auto [rest, numberEc] = std::from_chars(end + 1, last, number);
    return numberEc == std::errc() && rest == last ? pid : 0;
}

bool IsStale(pid_t pid) {
    return pid == ::getpid() || (::kill(pid, 0) != 0 && errno == ESRCH);
}

} // namespace

ProjectStaging::ProjectStaging(const std::string& projectsFolder, const std::string& prjId)
    : m_projects(rtl::IncludeTrailingPathDelimiter(projectsFolder)), m_target(m_projects + prjId) {
    rtl::ForceDirectories(m_projects);
    const std::string stem = StagingStem(m_projects, prjId);
    const std::string folder = UnusedName(stem);
    if (!rtl::CreateDir(folder))
        throw rtl::EInOutError("the staging folder \"" + folder + "\" cannot be created");
    m_folder = rtl::IncludeTrailingPathDelimiter(folder);
}

ProjectStaging::~ProjectStaging() {
    if (m_kept)
        return;
    try {
        const std::string folder = rtl::ExcludeTrailingPathDelimiter(m_folder);
        if (m_placed && !rtl::RenameFile(m_target, folder))
            RemoveTree(m_target);
        RemoveTree(folder);
    } catch (const std::exception&) {
        // What stays is swept by the next creation, or is no project for want of its rows.
    }
}

void ProjectStaging::MoveIntoPlace() {
    if (rtl::FileGetAttr(m_target) != -1) {
        // Out of the project's place first, under a staging name, so that what a failed removal
        // leaves is swept later and never taken for the project.
        const std::string aside = UnusedName(StagingStem(m_projects, rtl::ExtractFileName(m_target)));
        if (!rtl::RenameFile(m_target, aside))
            throw rtl::EInOutError("\"" + m_target + "\" is in the way of the new project");
        RemoveTree(aside);
    }
    if (!rtl::RenameFile(rtl::ExcludeTrailingPathDelimiter(m_folder), m_target))
        throw rtl::EInOutError("\"" + m_folder + "\" cannot be moved to \"" + m_target + "\"");
    m_placed = true;
}

void SweepStaleProjectStagings(const std::string& projectsFolder) {
    const std::string projects = rtl::IncludeTrailingPathDelimiter(projectsFolder);
    std::vector<std::string> stale;
    rtl::TSearchRec rec;
    for (int rc = rtl::FindFirst(projects + "*.*", rtl::faAnyFile, rec); rc == 0; rc = rtl::FindNext(rec)) {
        const pid_t pid = StagingProcess(rec.Name);
        if (pid != 0 && IsStale(pid) && !ProjectExists(rec.Name))
            stale.push_back(rec.Name);
    }
    rtl::FindClose(rec);
    for (const std::string& name : stale)
        RemoveTree(projects + name);
}

} // namespace host::detail
