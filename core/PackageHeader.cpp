#include "core/PackageDocument.h"

namespace tarnwick {

xml::TXMLNode InitPackageXml(xml::TXMLDocument& doc, const std::string& packageType,
                             const std::string& caption, const std::string& memo) {
    return PreparePackageDocument(doc, packageType, caption, memo, "3");
}

} // namespace tarnwick
