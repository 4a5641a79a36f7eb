// velmora compare DIR-A DIR-B PRJID: one project as two installations hold it, side by side.

#include "host/velmora/Arguments.h"
#include "host/velmora/Commands.h"
#include "host/velmora/Terminal.h"

#include "host/Database.h"
#include "host/HostControl.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

#include <filesystem>
#include <map>
#include <vector>

namespace fs = std::filesystem;

namespace velmora {

namespace {

// What an installation holds of a project, section by section; each entry is one line of text,
// keyed so that the two installations' lines can be set side by side.
using Section = std::map<std::string, std::string>;
using Snapshot = std::map<std::string, Section>;

std::string Joined(const host::Database::Row& row, std::size_t from = 0) {
    std::string line;
    for (std::size_t i = from; i < row.size(); ++i)
        line += (i > from ? " | " : "") + row[i];
    return line;
}

Section ProjectRecord(host::Database& base, const std::string& prjId) {
    Section section;
    const auto columns = base.Query("select name from pragma_table_info('Vek_Project') order by cid");
    const auto rows = base.Query("select * from Vek_Project where PrjID = ?", {prjId});
    for (std::size_t i = 0; !rows.empty() && i < columns.size(); ++i)
        section[columns[i].at(0)] = rows.front().at(i);
    return section;
}

Section Persons(host::Database& base, const std::string& prjId) {
    Section section;
    for (const auto& row : base.Query("select p.* from Vek_PrjPerson m join Vek_Person p on p.PerUUID = m.PerUUID "
                                      "where m.PrjID = ?",
                                      {prjId}))
        section[row.at(0)] = Joined(row, 1);
    return section;
}

// Every file's bytes, by path below the materials folder.
Section Materials(const std::string& folder) {
    Section section;
    const fs::path root = rtl::ToNativePath(folder);
    if (!fs::is_directory(root))
        return section;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            section[fs::relative(entry.path(), root).string()] = rtl::ReadFileBytes(entry.path().string());
    return section;
}

void AddTables(Snapshot& snapshot, const std::string& databaseFile) {
    if (!rtl::FileExists(databaseFile))
        return;
    host::Database db;
    db.Open(databaseFile, false);
    for (const auto& table : db.Query("select name from sqlite_master where type = 'table' order by name")) {
        // The host's own tables of a project (its resource tree) are moved by no module.
        if (table.at(0).rfind("Vek_", 0) == 0)
            continue;
        Section& section = snapshot["table " + table.at(0)];
        for (const auto& row : db.Query("select * from \"" + table.at(0) + "\""))
            section[Joined(row)] = Joined(row);
    }
}

Snapshot Take(const std::string& installation, const std::string& prjId) {
    host::OpenInstallation(installation);
    Snapshot snapshot;
    {
        host::Database base;
        base.Open(rtl::ToNativePath(host::BaseDatabasePath()), false);
        snapshot["project record"] = ProjectRecord(base, prjId);
        snapshot["persons"] = Persons(base, prjId);
    }
    snapshot["materials"] = Materials(host::ProjectMaterialsFolder(prjId));
    AddTables(snapshot, rtl::ToNativePath(host::ProjectDatabasePath(prjId)));
    host::CloseInstallation();
    return snapshot;
}

std::string Shown(const std::string& section, const std::string& key, const std::string& value) {
    if (section == "materials")
        return key + " (" + std::to_string(value.size()) + " bytes)";
    if (section == "project record")
        return key + " = " + value;
    if (section == "persons")
        return key + " | " + value;
    return value;
}

// Prints each line once when both hold it alike, and both sides where they differ; answers the
// number of differences.
int CompareSection(const std::string& name, const Section& a, const Section& b) {
    Say("compare", name + ":");
    int differences = 0;
    std::map<std::string, bool> keys;
    for (const auto& [key, value] : a)
        keys[key] = true;
    for (const auto& [key, value] : b)
        keys[key] = true;
    for (const auto& [key, unused] : keys) {
        const auto inA = a.find(key);
        const auto inB = b.find(key);
        if (inA != a.end() && inB != b.end() && inA->second == inB->second) {
            Say("compare", "  =  " + Shown(name, key, inA->second));
            continue;
        }
        ++differences;
        Say("compare", "  A: " + (inA == a.end() ? "(none)" : Shown(name, key, inA->second)));
        Say("compare", "  B: " + (inB == b.end() ? "(none)" : Shown(name, key, inB->second)));
    }
    if (keys.empty())
        Say("compare", "  (nothing in either)");
    return differences;
}

int RunCompare(const std::vector<std::string>& words) {
    const Arguments args(words, {});
    if (args.Positional().size() != 3)
        throw UsageError("compare takes two installation folders and a project id");
    const std::string prjId = args.Positional()[2];
    const Snapshot a = Take(args.Positional()[0], prjId);
    const Snapshot b = Take(args.Positional()[1], prjId);
    Say("compare", "project " + prjId + ": A is " + args.Positional()[0] + ", B is " + args.Positional()[1]);
    std::map<std::string, bool> sections;
    for (const auto& [name, section] : a)
        sections[name] = true;
    for (const auto& [name, section] : b)
        sections[name] = true;
    int differences = 0;
    for (const auto& [name, unused] : sections) {
        const auto inA = a.find(name);
        const auto inB = b.find(name);
        differences += CompareSection(name, inA == a.end() ? Section() : inA->second,
                                      inB == b.end() ? Section() : inB->second);
    }
    Say("compare", differences == 0 ? "B holds the project exactly as A does"
                                    : std::to_string(differences) + " difference(s)");
    return differences == 0 ? 0 : 1;
}

} // namespace

[[maybe_unused]] const bool registered =
    RegisterCommand({"compare", "compare DIR-A DIR-B PRJID          one project in two installations",
                     R"(usage: velmora compare DIR-A DIR-B PRJID

Prints what the installations in DIR-A and DIR-B hold of the project PRJID, side by side: its
project record, its persons, its materials (compared byte for byte) and the rows of every table of
its project database (but the host's own "Vek_" tables, which no module moves). A line both hold alike is printed once ("="); where they differ both sides
are printed. Answers 0 when B holds everything exactly as A does.
)",
                     RunCompare});

} // namespace velmora
