#pragma once

#include "host/HostControl.h"
#include "host/modules/common/ModuleEntries.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Loads an installation's module libraries the way the plug-in does, by the file names Vek_PackMod
// gives them below the program folder, and reads back what the installation holds.
namespace modtest {

struct ModuleRow {
    std::string Caption;
    std::string DllFile;
    std::int32_t EntryID = 0;
    int ModInPrj = 0;
};
std::vector<ModuleRow> RegisteredModules();
const ModuleRow& Registered(const std::string& caption);

class LoadedLibrary {
public:
    explicit LoadedLibrary(const std::string& fileBelowProgramFolder);
    ~LoadedLibrary();
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    void* Entry(const char* name) const;

    std::string Export(std::int32_t entryId) const;
    std::int32_t Import(std::int32_t entryId, const std::string& path) const;

private:
    void* m_handle = nullptr;
};

std::string ExportModule(const std::string& caption);
std::int32_t ImportModule(const std::string& caption, const std::string& path, std::int32_t entryId = 0);

// The item name a package records for a result (a folder's last name with "\", a file's name).
std::string ItemName(const std::string& result);

// Everything the modules move, as text, for comparing two installations.
struct Snapshot {
    std::vector<std::string> Project;
    std::vector<std::vector<std::string>> Persons;
    std::vector<std::vector<std::string>> Matters;
    std::vector<std::vector<std::string>> Analysis;
    std::map<std::string, std::string> Materials;
};
Snapshot TakeSnapshot(const std::string& prjId);
std::map<std::string, std::string> FilesBelow(const std::string& folder);

} // namespace modtest
