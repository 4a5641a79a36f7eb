#pragma once

#include <string>

namespace host::detail {

// The folder in which a new project's files are built before the project exists: beside the
// projects' folders (so on their file system), named ".<id>.creating-<pid>-<n>", and moved into the
// project's place in one rename.
class ProjectStaging {
public:
    // Creates the folder in projectsFolder; raises rtl::EInOutError when it cannot.
    ProjectStaging(const std::string& projectsFolder, const std::string& prjId);
    // Removes the folder with what it holds; a folder moved into place but not kept is taken back
    // out of the project's place first.
    ~ProjectStaging();
    ProjectStaging(const ProjectStaging&) = delete;
    ProjectStaging& operator=(const ProjectStaging&) = delete;

    // With a trailing separator.
    const std::string& Folder() const { return m_folder; }

    // Renames the folder to the project's folder. The caller holds the base database's write lock
    // and found no project of this id (in any case): a folder in the way is then the leftover of a
    // creation that ended between its move and its commit, and is removed first. Raises
    // rtl::EInOutError when the folder cannot be moved.
    void MoveIntoPlace();
    // The project's rows are committed: the folder stays where it is.
    void Keep() { m_kept = true; }

private:
    std::string m_projects; // with a trailing separator
    std::string m_target;   // without a trailing separator
    std::string m_folder;   // with a trailing separator
    bool m_placed = false;
    bool m_kept = false;
};

// Removes the staging folders left in projectsFolder by creations whose process is gone, or is this
// process (which builds one project at a time, so none of its own is in use when a creation begins).
// The folder of a project is never removed, whatever its name.
void SweepStaleProjectStagings(const std::string& projectsFolder);

} // namespace host::detail
