#include "core/import/LocalProjectMembers.h"

#include "core/HostApi.h"

#include "platform/ado/ADOQuery.h"

namespace tarnwick {

// The host hands out the person list of the open project only; a project that is not open is read
// from the host's own table of project persons, over the base connection it gives.
bool IsLocalProjectMember(const std::string& prjId, const std::string& userId) {
    ado::TADOQuery query;
    query.SetConnection(GetBaseDBConnection());
    query.SQL().SetText(
        "select count(*) from Vek_PrjPerson where PrjID = :Project and upper(PerUUID) = upper(:User)");
    query.Parameters().ParamByName("Project").SetAsString(prjId);
    query.Parameters().ParamByName("User").SetAsString(userId);
    query.Open();
    return !query.Eof() && query.Fields()[0].AsInteger() > 0;
}

} // namespace tarnwick
