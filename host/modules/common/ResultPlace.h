#pragma once

#include <string>

// Where a module library puts its results and how it reads an item back. The full build packs the
// whole work folder "~Vek~Temp\CommonReader\", so results go inside it and may be folders; the
// reduced build packs a list of files, so every result is a file.
namespace host::modules {

bool ReducedBuild();
std::string CommonReaderFolder();
// The host's temporary folder of module "XMGL", where reduced-build results are written.
std::string ReducedResultFolder();

// A fresh, empty folder for a result: CommonReaderFolder() + name + "\" (full build) or a scratch
// folder below ReducedResultFolder() (reduced build, packed afterwards with PackResult).
std::string FreshResultFolder(const std::string& name);
// A fresh, empty scratch folder below ReducedResultFolder(), whatever the build.
std::string FreshScratchFolder(const std::string& name);
// The path of a result file: inside the work folder (full build) or ReducedResultFolder().
std::string ResultFile(const std::string& name);
// Packs folder into ReducedResultFolder() + archiveName, removes folder and answers the archive.
std::string PackResult(const std::string& folder, const std::string& archiveName);

// An item to import as a folder: a folder is used as it is; a packed file is unpacked into a scratch
// folder that the returned holder removes again.
class ItemFolder {
public:
    explicit ItemFolder(const std::string& item);
    ~ItemFolder();
    ItemFolder(const ItemFolder&) = delete;
    ItemFolder& operator=(const ItemFolder&) = delete;
    const std::string& Path() const { return m_path; }
    // Whether the folder was unpacked for this item alone, so that its files may be moved away.
    bool Unpacked() const { return !m_scratch.empty(); }

private:
    std::string m_path;
    std::string m_scratch;
};

// The open project's serial, empty when none is open.
std::string CurrentProjectSerial();
// The open project's serial, raising EModuleFailure(NoProjectOpen) when none is open.
std::string OpenProjectSerial();
// True when folder holds at least one file, in any sub-folder.
bool HoldsFiles(const std::string& folder);

} // namespace host::modules
