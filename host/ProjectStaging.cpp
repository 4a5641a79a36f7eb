#include "host/ProjectStaging.h"

#include "host/HostState.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/StagingFolders.h"

#include <string_view>

namespace host::detail {

namespace {

constexpr std::string_view kMarker = "creating";
constexpr int kNameAttempts = 100;

// An unused staging name in projects for the destination name.
std::string UnusedName(const std::string& projects, const std::string& name) {
    for (int n = 0; n < kNameAttempts; ++n) {
        const std::string path = projects + rtl::StagingFolderName(name, n, kMarker);
        if (rtl::FileGetAttr(path) == -1)
            return path;
    }
    throw rtl::EInOutError("no free staging name for \"" + name + "\" in \"" + projects + "\"");
}

} // namespace

ProjectStaging::ProjectStaging(const std::string& projectsFolder, const std::string& prjId)
    : m_projects(rtl::IncludeTrailingPathDelimiter(projectsFolder)), m_target(m_projects + prjId) {
    rtl::ForceDirectories(m_projects);
    const std::string folder = UnusedName(m_projects, prjId);
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
        const std::string aside = UnusedName(m_projects, rtl::ExtractFileName(m_target));
        if (!rtl::RenameFile(m_target, aside))
            throw rtl::EInOutError("\"" + m_target + "\" is in the way of the new project");
        RemoveTree(aside);
    }
    if (!rtl::RenameFile(rtl::ExcludeTrailingPathDelimiter(m_folder), m_target))
        throw rtl::EInOutError("\"" + m_folder + "\" cannot be moved to \"" + m_target + "\"");
    m_placed = true;
}

void SweepStaleProjectStagings(const std::string& projectsFolder) {
    rtl::TStagingSweep sweep;
    sweep.marker = kMarker;
    sweep.ownAreStale = true;
    sweep.keep = [](std::string_view name) { return ProjectExists(std::string(name)); };
    rtl::SweepStagingFoldersIn(projectsFolder, sweep);
}

} // namespace host::detail
