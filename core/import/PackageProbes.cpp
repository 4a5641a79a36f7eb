#include "core/import/PackageProbes.h"

#include "core/ModuleItems.h"
#include "core/PackageDocument.h"
#include "core/import/ImportItems.h"
#include "core/import/UserKind.h"

#include "platform/rtl/Paths.h"

namespace tarnwick {

bool PackageTypeIs(const std::string& xmlFile, const std::string& typeName) {
    xml::TXMLDocument doc;
    doc.LoadFromFile(xmlFile);
    const xml::TXMLNode info = FindRootNode(doc, PackageInfoNode);
    if (info.IsNull())
        return false;
    const std::optional<std::string> type = PackageAttribute(info, "PackageTypeName");
    return type && *type == typeName;
}

int CountImportableItems(const std::string& xmlFile) {
    int count = 0;
    // What the wizard would offer, so that nothing counted here fails to become a tab there.
    for (const TImportItem& item : ReadImportItems(xmlFile, rtl::ExtractFilePath(xmlFile)).Items) {
        if (item.Caption == SystemPersonnelItem && !CurrentUserIsAdministrator())
            continue;
        ++count;
    }
    return count;
}

} // namespace tarnwick
