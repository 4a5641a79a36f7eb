#include "host/ProjectStaging.h"

#include "host/HostState.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/OpenFolder.h"
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

// This process builds one project at a time, so none of its own staging names is in use when a
// sweep runs.
rtl::TStagingSweep CreatingSweep() {
    rtl::TStagingSweep sweep;
    sweep.markers = {kMarker};
    sweep.ownAreStale = true;
    return sweep;
}

bool IsFolder(const rtl::TSearchRec& entry) {
    return (entry.Attr & rtl::faDirectory) && !(entry.Attr & rtl::faSymLink);
}

// A staging folder holds a file of its own name until its creation ends, also once it stands in the
// project's place: a folder holding the mark of an ended creation is what that creation left.
bool IsUnfinishedCreation(const rtl::TOpenFolder& folder) {
    for (const rtl::TSearchRec& entry : folder.Entries())
        if (!IsFolder(entry) && rtl::SweepTakes(entry.Name, CreatingSweep()))
            return true;
    return false;
}

bool IsUnfinishedCreation(const std::string& folder) {
    const rtl::TOpenFolder open = rtl::TOpenFolder::Open(folder);
    return open.IsOpen() && IsUnfinishedCreation(open);
}

} // namespace

ProjectStaging::ProjectStaging(const std::string& projectsFolder, const std::string& prjId)
    : m_projects(rtl::IncludeTrailingPathDelimiter(projectsFolder)), m_target(m_projects + prjId) {
    rtl::ForceDirectories(m_projects);
    const std::string folder = UnusedName(m_projects, prjId);
    if (!rtl::CreateDir(folder))
        throw rtl::EInOutError("the staging folder \"" + folder + "\" cannot be created");
    m_folder = rtl::IncludeTrailingPathDelimiter(folder);
    m_mark = rtl::ExtractFileName(folder);
    try {
        rtl::WriteFileBytes(m_folder + m_mark, "");
    } catch (...) {
        RemoveTree(folder);
        throw;
    }
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

void ProjectStaging::Keep() {
    m_kept = true;
    // A mark that stays is swept with the stale staging folders.
    rtl::DeleteFile(rtl::IncludeTrailingPathDelimiter(m_target) + m_mark);
}

void ProjectStaging::MoveIntoPlace() {
    if (rtl::FileGetAttr(m_target) != -1) {
        if (!IsUnfinishedCreation(m_target))
            throw rtl::EInOutError("\"" + m_target + "\" is in the way of the new project");
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
    rtl::TStagingSweep sweep = CreatingSweep();
    sweep.keep = [](std::string_view name) { return ProjectExists(std::string(name)); };
    rtl::SweepStagingFoldersIn(projectsFolder, sweep);

    rtl::TOpenFolder projects = rtl::TOpenFolder::Open(projectsFolder, true);
    if (!projects.IsOpen())
        return;
    for (const rtl::TSearchRec& entry : projects.Entries()) {
        if (!IsFolder(entry) || !projects.Enter(entry.Name))
            continue;
        const bool leftover = !ProjectFolderTaken(entry.Name) && IsUnfinishedCreation(projects);
        if (!leftover)
            rtl::SweepStagingFoldersIn(projects.Path(), CreatingSweep());
        if (!projects.Leave())
            return;
        if (leftover)
            RemoveTree(projects.PathOf(entry.Name));
    }
}

} // namespace host::detail
