#include "core/import/PackageProbes.h"

#include "core/PackageDocument.h"

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

} // namespace tarnwick
