#include "host/HostControl.h"
#include "host/HostState.h"
#include "host/modules/common/ModuleLibrary.h"
#include "host/modules/common/ResultPlace.h"
#include "host/modules/common/TableFile.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"

// "系统人员": the persons of the installation, their records in Vek_Person. With a project open the
// module moves that project's persons and their membership; without one, every person the
// installation knows (the module is offered without a project). The two kinds of file have names of
// their own, so that the installation's persons never join a project on import, and a project's join
// only the open project, for a member of it or the administrator. The records are the
// administrator's: only they import the installation's persons or change a record; anyone else's
// import of a project's persons adds the persons the installation lacks.
namespace host::modules {

namespace {

constexpr char kProjectFile[] = "Personnel.db";
constexpr char kSystemFile[] = "SystemPersonnel.db";
constexpr char kProjectPersons[] = "PerUUID in (select PerUUID from Vek_PrjPerson where PrjID = ?)";

std::vector<std::string> PersonLines(const std::string& database, const std::string& sql,
                                     const std::vector<std::string>& params) {
    std::vector<std::string> lines;
    for (const auto& row : ReadRows(database, sql, params))
        lines.push_back(row.at(0) + "（" + row.at(1) + "，" + row.at(2) + "）");
    return lines;
}

// A file of the installation's persons (exported without a project) joins no project.
bool JoinsProject(const std::string& path) {
    return !rtl::SameText(rtl::ExtractFileName(path), kSystemFile);
}

std::string CurrentUserId() {
    sharemem::CountedText id;
    ::VekGetCurUUID(id.Var());
    return id.Str();
}

// The page of the installation's persons is hidden from anyone but the administrator, and the
// plug-in reports nothing of it to them, so the refusal is told to the log only.
void LogRefusedSystemPersons(const std::string& userId) {
    ::VekLogWrite("系统人员只能由系统管理员导入，未导入任何人员！", 1, userId.c_str(), "VekPackage_Import",
                  "Personnel", 4);
}

class PersonnelModule : public ModuleLibrary {
public:
    std::string Export(std::int32_t) override {
        const std::string serial = CurrentProjectSerial();
        const std::string file = ResultFile(serial.empty() ? kSystemFile : kProjectFile);
        const int rows = serial.empty()
                             ? ExportRows(host::BaseDatabasePath(), "Vek_Person", "", {}, file)
                             : ExportRows(host::BaseDatabasePath(), "Vek_Person", kProjectPersons, {serial}, file);
        if (rows == 0) {
            rtl::DeleteFile(file);
            return NothingSelected;
        }
        return file;
    }

    std::int32_t Import(std::int32_t, const std::string& path) override {
        const std::string userId = CurrentUserId();
        const bool administrator = userId == tarnwick::AdministratorUserId;
        if (!JoinsProject(path) && !administrator) {
            LogRefusedSystemPersons(userId);
            return ImportFailed;
        }
        const std::string serial = JoinsProject(path) ? CurrentProjectSerial() : std::string();
        if (!serial.empty())
            host::detail::RequireImportTarget(serial);
        if (MergeRows(host::BaseDatabasePath(), "Vek_Person", path,
                      administrator ? KnownRows::TakeFileValues : KnownRows::StayAsTheyAre) == 0)
            return ImportNothing;
        if (serial.empty())
            return ImportDone;
        host::Database base;
        base.Open(host::BaseDatabasePath(), false);
        for (const auto& person :
             ReadRows(path, "select PerUUID from Vek_Person where PerUUID is not null order by rowid"))
            base.Run("insert or ignore into Vek_PrjPerson values (?,?)", {serial, person.at(0)});
        return ImportDone;
    }

    PageContent ExportContent(std::int32_t) override {
        const std::string serial = CurrentProjectSerial();
        if (serial.empty())
            return {"将导出系统中的以下人员：",
                    PersonLines(host::BaseDatabasePath(),
                                "select PerName, PerJob, PerRole from Vek_Person order by rowid", {})};
        return {"将导出参与当前项目的以下人员：",
                PersonLines(host::BaseDatabasePath(),
                            "select p.PerName, p.PerJob, p.PerRole from Vek_Person p join Vek_PrjPerson m on "
                            "m.PerUUID = p.PerUUID where m.PrjID = ? order by m.rowid",
                            {serial})};
    }

    PageContent ImportContent(std::int32_t, const std::string& path) override {
        return {JoinsProject(path) && !CurrentProjectSerial().empty() ? "将把以下人员导入当前项目："
                                                                      : "将把以下人员导入系统：",
                PersonLines(path, "select PerName, PerJob, PerRole from Vek_Person order by rowid", {})};
    }
};

} // namespace

ModuleLibrary& TheModule() {
    static PersonnelModule module;
    return module;
}

} // namespace host::modules
