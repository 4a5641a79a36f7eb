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
        const std::vector<std::string> persons = MergeRows(host::BaseDatabasePath(), "Vek_Person", path);
        if (persons.empty())
            return ImportNothing;
        host::Database base;
        base.Open(host::BaseDatabasePath(), false);
        for (const std::string& id : persons)
            base.Run("insert or ignore into Vek_PrjPerson values (?,?)", {serial, id});
        return ImportDone;
    }
};

} // namespace

ModuleLibrary& TheModule() {
    static PersonnelModule module;
    return module;
}

} // namespace host::modules
