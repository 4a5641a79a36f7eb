#include "core/PackageDocument.h"

#include "core/BuildTrait.h"

#include <string>

namespace tarnwick {

xml::TXMLNode InitPackageXml(xml::TXMLDocument& doc, const std::string& packageType,
                             const std::string& caption, const std::string& memo) {
    return PreparePackageDocument(doc, packageType, caption, memo, std::to_string(BuildTrait::PackageVersion));
}

} // namespace tarnwick
