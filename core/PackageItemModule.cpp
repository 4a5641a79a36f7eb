#include "core/PackageItemModule.h"

#include "core/HostApi.h"

#include "platform/ado/ADOQuery.h"
#include "platform/rtl/Text.h"

namespace tarnwick {

std::optional<TPackageItemModule> ReadPackageItemModule(const std::string& caption) {
    ado::TADOQuery query;
    query.SetConnection(GetBaseDBConnection());
    query.SQL().SetText("select ModGuid, ModCaption, ModDllFile, EntryID, ModMemo from Vek_PackMod where "
                        "ModCaption = " +
                        rtl::QuotedStr(rtl::Trim(caption)));
    query.Open();
    if (query.Eof())
        return std::nullopt;
    return TPackageItemModule{query.Fields()[0].AsString(), query.Fields()[1].AsString(),
                              query.Fields()[2].AsString(), query.Fields()[3].AsString()};
}

} // namespace tarnwick
