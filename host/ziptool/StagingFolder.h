#pragma once

#include <string>
#include <vector>

namespace host {

// A fresh folder beside an extraction's destination (in the destination's parent, so on the same
// file system) that receives the whole archive before anything reaches the destination; its name
// is rtl::StagingFolderName's, so that a leftover of a killed process is swept later.
class TStagingFolder {
public:
    // Creates the destination's missing parents and the staging folder; raises when it cannot.
    explicit TStagingFolder(const std::string& destDir);
    // Removes the staging folder with what is left in it, and, unless the content was moved into
    // place, the parents it created.
    ~TStagingFolder();
    TStagingFolder(const TStagingFolder&) = delete;
    TStagingFolder& operator=(const TStagingFolder&) = delete;

    // Where the archive's content goes, with a trailing "/".
    const std::string& Content() const { return m_content; }
    // The length of the longest Content() path a staging folder for destDir can have.
    static std::size_t LongestContentPath(const std::string& destDir);

    // A missing destination becomes the content folder, renamed in one step. An existing one
    // receives the content name by name: new names are moved in, folders are merged, and files of
    // the same name are replaced (the old ones go into the staging folder, to be removed with it).
    // Raises on failure, after putting back everything it had moved.
    void MoveIntoPlace();

private:
    struct Move {
        std::string from, to; // native paths
    };

    void CreateParents();
    void CreateStaging();
    void MergeFolder(const std::string& from, const std::string& to);
    void MoveName(const std::string& from, const std::string& to);
    void PutBack();

    std::string m_dest;     // without a trailing separator
    std::string m_parent;   // "" or with a trailing separator
    std::string m_createdParent; // the outermost parent this folder created, or ""
    std::string m_staging;  // with a trailing separator
    std::string m_content;  // with a trailing separator
    std::string m_replaced; // with a trailing separator
    std::size_t m_replacedCount = 0;
    std::vector<Move> m_moves;
    bool m_placed = false;
};

} // namespace host
