#pragma once

#include "host/Database.h"

#include <filesystem>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace tests {

// What a project's creation or import may change in an installation: the rows of its projects and
// persons, the folders below "Projects", and the host's folders for unpacked parts. Values are
// quoted, so that a change of type shows as well.
struct InstallationState {
    std::vector<std::vector<std::string>> Rows;
    std::set<std::string> ProjectFolders;
    bool UnpackedMaterials = false;
    bool UnpackedPart = false;

    bool operator==(const InstallationState&) const = default;
};

// For a failed comparison to show what differs.
inline void PrintTo(const InstallationState& state, std::ostream* out) {
    for (const auto& row : state.Rows) {
        *out << "\n  ";
        for (const std::string& value : row)
            *out << value << " ";
    }
    *out << "\n  project folders:";
    for (const std::string& folder : state.ProjectFolders)
        *out << " " << folder;
    *out << "\n  unpacked materials: " << state.UnpackedMaterials << ", unpacked part: " << state.UnpackedPart;
}

inline std::vector<std::vector<std::string>> QuotedRows(host::Database& db, const std::string& table) {
    std::string columns;
    for (const auto& column : db.Query("select name from pragma_table_info(?)", {table}))
        columns += (columns.empty() ? "quote(" : ", quote(") + column.at(0) + ")";
    return db.Query("select '" + table + "', " + columns + " from " + table + " order by rowid");
}

inline InstallationState StateOf(const std::string& folder) {
    InstallationState state;
    host::Database db;
    db.Open(folder + "/base.db", false);
    for (const char* table : {"Vek_Project", "Vek_Person", "Vek_PrjPerson"})
        for (auto& row : QuotedRows(db, table))
            state.Rows.push_back(std::move(row));
    for (const auto& entry : std::filesystem::directory_iterator(folder + "/Projects"))
        state.ProjectFolders.insert(entry.path().filename().string());
    state.UnpackedMaterials = std::filesystem::exists(folder + "/~Vek~Temp/XMGL/ResFile");
    state.UnpackedPart = std::filesystem::exists(folder + "/Temp/XMGL/CreatePrj");
    return state;
}

// What "pragma integrity_check" answers for the database file: "ok" when it is sound.
inline std::string IntegrityOf(const std::string& database) {
    host::Database db;
    db.Open(database, false);
    return db.Query("pragma integrity_check").at(0).at(0);
}

} // namespace tests
