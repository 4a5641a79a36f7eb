#include "host/HostControl.h"
#include "host/modules/common/ModuleLibrary.h"
#include "host/modules/common/ResultPlace.h"
#include "host/modules/common/TableFile.h"

#include "core/HostApi.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Text.h"

// Tables of the project database: "审计事项" (entry 4) moves every audit matter, "审计分析" (entry 5)
// the analysis rows of the account book selected in the audit analysis. Imports merge by key.
namespace host::modules {

namespace {

struct TableEntry {
    std::int32_t entryId;
    const char* table;
    const char* file;
    bool byAccountBook;
    const char* lineSql; // key, name and amount of each row, for the page
    const char* exportLabel;
    const char* importLabel;
};
constexpr TableEntry kTables[] = {
    {4, "XM_AuditMatter", "XM_AuditMatter.db", false,
     "select MatterID, MatterName, Amount from XM_AuditMatter", "将导出以下审计事项：",
     "将按编号合并以下审计事项："},
    {5, "XM_AuditAnalysis", "XM_AuditAnalysis.db", true,
     "select AnalysisID, Subject, Amount from XM_AuditAnalysis", "将导出所选账套的以下审计分析：",
     "将按编号合并以下审计分析："},
};

// A page shows the first rows only: a table of a million rows would otherwise be read whole into
// the page before the user sees it.
constexpr std::size_t kShownRows = 500;

std::vector<std::string> RowLines(const std::string& database, const std::string& sql,
                                  const std::vector<std::string>& params) {
    std::vector<std::string> lines;
    for (const auto& row : ReadRows(database, sql + " limit " + std::to_string(kShownRows), params))
        lines.push_back(row.at(0) + "  " + row.at(1) + "  " + row.at(2));
    if (lines.size() == kShownRows) {
        const std::string total = ReadRows(database, "select count(*) from (" + sql + ")", params).at(0).at(0);
        if (total != std::to_string(kShownRows))
            lines.push_back("……共 " + total + " 条");
    }
    return lines;
}

const TableEntry& EntryOf(std::int32_t entryId) {
    for (const TableEntry& t : kTables)
        if (t.entryId == entryId)
            return t;
    throw rtl::Exception("no table for entry " + std::to_string(entryId));
}

std::string SelectedAccountBook() {
    auto get =
        reinterpret_cast<tarnwick::TGetSelAccBookID>(::VekGetAppInterface("SJFX", "GetSelAccBookID", 1));
    if (!get)
        return "";
    sharemem::CountedText id;
    get(id.Var());
    std::string book = rtl::Trim(id.Str());
    return book == "-1" ? "" : book;
}

class AuditTablesModule : public ModuleLibrary {
public:
    std::string Export(std::int32_t entryId) override {
        const TableEntry& entry = EntryOf(entryId);
        const std::string serial = OpenProjectSerial();
        std::string where;
        std::vector<std::string> params;
        if (entry.byAccountBook) {
            const std::string book = SelectedAccountBook();
            if (book.empty())
                return NothingSelected;
            where = "AccBookID = ?";
            params.push_back(book);
        }
        const std::string file = ResultFile(entry.file);
        if (ExportRows(host::ProjectDatabasePath(serial), entry.table, where, params, file) == 0) {
            rtl::DeleteFile(file);
            return NothingSelected;
        }
        return file;
    }

    std::int32_t Import(std::int32_t entryId, const std::string& path) override {
        const TableEntry& entry = EntryOf(entryId);
        const std::string serial = OpenProjectSerial();
        return MergeRows(host::ProjectDatabasePath(serial), entry.table, path) == 0 ? ImportNothing
                                                                                    : ImportDone;
    }

    PageContent ExportContent(std::int32_t entryId) override {
        const TableEntry& entry = EntryOf(entryId);
        const std::string db = host::ProjectDatabasePath(OpenProjectSerial());
        if (!entry.byAccountBook)
            return {entry.exportLabel, RowLines(db, std::string(entry.lineSql) + " order by 1", {})};
        const std::string book = SelectedAccountBook();
        if (book.empty())
            return {"没有选择账套，没有要导出的审计分析。", {}};
        return {entry.exportLabel,
                RowLines(db, std::string(entry.lineSql) + " where AccBookID = ? order by 1", {book})};
    }

    PageContent ImportContent(std::int32_t entryId, const std::string& path) override {
        const TableEntry& entry = EntryOf(entryId);
        return {entry.importLabel, RowLines(path, std::string(entry.lineSql) + " order by rowid", {})};
    }
};

} // namespace

ModuleLibrary& TheModule() {
    static AuditTablesModule module;
    return module;
}

} // namespace host::modules
