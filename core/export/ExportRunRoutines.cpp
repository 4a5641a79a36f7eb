#include "core/export/ExportRunRoutines.h"

#include "core/HostApi.h"

#include "platform/ado/ADOQuery.h"
#include "platform/rtl/Text.h"

namespace tarnwick {

bool ProjectHasAuditItems() {
    ado::TADOQuery query;
    query.SetConnection(GetCurPrjDBConnection());
    query.SQL().SetText("select ResID from Vek_ResTrv where ResTypeName = 'DGGL_SJSX'");
    query.Open();
    const bool found = !query.IsEmpty();
    query.Close();
    query.SetConnection(nullptr);
    return found;
}

std::optional<TPackageItemModule> ReadPackModRow(const std::string& caption) {
    ado::TADOQuery query;
    query.SetConnection(GetBaseDBConnection());
    query.SQL().SetText("select ModGuid, ModCaption, ModDllFile, EntryID, ModMemo from Vek_PackMod where ModCaption = " +
                        rtl::QuotedStr(rtl::Trim(caption)));
    query.Open();
    if (query.Eof())
        return std::nullopt;
    return TPackageItemModule{query.Fields()[0].AsString(), query.Fields()[1].AsString(),
                              query.Fields()[2].AsString(), query.Fields()[3].AsString()};
}

} // namespace tarnwick
