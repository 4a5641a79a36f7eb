#include "host/HostControl.h"
#include "host/HostState.h"
#include "host/modules/common/ModuleLibrary.h"
#include "host/modules/common/ResultPlace.h"
#include "host/modules/common/TableFile.h"

#include "platform/rtl/FileSystem.h"

// "系统人员": the open project's persons, their records in Vek_Person and their membership.
namespace host::modules {

namespace {

constexpr char kFile[] = "Personnel.db";

std::vector<std::string> PersonLines(const std::string& database, const std::string& sql,
                                     const std::vector<std::string>& params) {
    std::vector<std::string> lines;
    for (const auto& row : ReadRows(database, sql, params))
        lines.push_back(row.at(0) + "（" + row.at(1) + "，" + row.at(2) + "）");
    return lines;
}

class PersonnelModule : public ModuleLibrary {
public:
    std::string Export(std::int32_t) override {
        const std::string serial = OpenProjectSerial();
        const std::string file = ResultFile(kFile);
        const int rows =
            ExportRows(host::BaseDatabasePath(), "Vek_Person",
                       "PerUUID in (select PerUUID from Vek_PrjPerson where PrjID = ?)", {serial}, file);
        if (rows == 0) {
            rtl::DeleteFile(file);
            return NothingSelected;
        }
        return file;
    }

    std::int32_t Import(std::int32_t, const std::string& path) override {
        const std::string serial = OpenProjectSerial();
        if (MergeRows(host::BaseDatabasePath(), "Vek_Person", path) == 0)
            return ImportNothing;
        host::Database base;
        base.Open(host::BaseDatabasePath(), false);
        for (const auto& person :
             ReadRows(path, "select PerUUID from Vek_Person where PerUUID is not null order by rowid"))
            base.Run("insert or ignore into Vek_PrjPerson values (?,?)", {serial, person.at(0)});
        return ImportDone;
    }

    PageContent ExportContent(std::int32_t) override {
        return {"将导出参与当前项目的以下人员：",
                PersonLines(host::BaseDatabasePath(),
                            "select p.PerName, p.PerJob, p.PerRole from Vek_Person p join Vek_PrjPerson m on "
                            "m.PerUUID = p.PerUUID where m.PrjID = ? order by m.rowid",
                            {OpenProjectSerial()})};
    }

    PageContent ImportContent(std::int32_t, const std::string& path) override {
        return {"将把以下人员导入当前项目：",
                PersonLines(path, "select PerName, PerJob, PerRole from Vek_Person order by rowid", {})};
    }
};

} // namespace

ModuleLibrary& TheModule() {
    static PersonnelModule module;
    return module;
}

} // namespace host::modules
