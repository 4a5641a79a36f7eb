#pragma once

#include <string>

namespace host::detail {

// The folder in which a new project's files are built before the project exists: beside the
// projects' folders (so on their file system), named ".<id>.creating-<pid>-<n>", and moved into the
// project's place in one rename. It holds an empty file of its own name until the project's rows are
// committed, so that a folder in the project's place without rows tells whether a creation that did
// not finish left it.
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
    // and found no project of this id (in any case): a folder in the way that a creation which
    // ended between its move and its commit left is removed first. Raises rtl::EInOutError when the
    // folder cannot be moved, or when any other folder or file is in the way: it is not the host's.
    void MoveIntoPlace();
    // The project's rows are committed: the folder stays where it is, without its mark.
    void Keep();

private:
    std::string m_projects; // with a trailing separator
    std::string m_target;   // without a trailing separator
    std::string m_folder;   // with a trailing separator
    std::string m_mark;     // the name of the file that marks the folder as a creation's
    bool m_placed = false;
    bool m_kept = false;
};

// Removes the staging folders left in projectsFolder by creations whose process is gone, or is this
// process (which builds one project at a time, so none of its own is in use when a creation begins),
// the folders such creations moved into a project's place without committing its rows, and their
// marks in projects whose rows were committed. The folder of a project is never removed, whatever
// its name, and neither is a folder without rows that no creation left.
void SweepStaleProjectStagings(const std::string& projectsFolder);

} // namespace host::detail
