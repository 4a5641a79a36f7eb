#include "core/import/LocalModule.h"

#include "core/HostApi.h"
#include "core/PackageDocument.h"

#include "platform/ado/ADOQuery.h"
#include "platform/rtl/Text.h"

namespace tarnwick {

namespace {

constexpr char ModuleNeedsNoProject[] = "0";

} // namespace

std::optional<TLocalModule> FindLocalModule(const xml::TXMLNode& item) {
    const std::string guid = rtl::Trim(PackageAttributeText(item, "ModGuid"));
    ado::TADOQuery query;
    query.SetConnection(GetBaseDBConnection());
    const std::string select = "select ModCaption, ModDllFile, EntryID, ModInPrj from Vek_PackMod where ";
    if (!guid.empty()) {
        query.SQL().SetText(select + "upper(ModGUID) = upper(:Key)");
        query.Parameters().ParamByName("Key").SetAsString(guid);
    } else {
        query.SQL().SetText(select + "ModCaption = :Key");
        query.Parameters().ParamByName("Key").SetAsString(
            rtl::Trim(PackageAttributeText(item, "ModCaption")));
    }
    query.Open();
    if (query.Eof())
        return std::nullopt;
    return TLocalModule{query.Fields()[0].AsString(), query.Fields()[1].AsString(),
                        query.Fields()[2].AsString(), query.Fields()[3].AsString()};
}

bool WorksOnProject(const TLocalModule& module) {
    return rtl::Trim(module.ModInPrj) != ModuleNeedsNoProject;
}

} // namespace tarnwick
