#pragma once

#include "platform/xml/XMLNode.h"

#include <string>

namespace tarnwick {

// PackageInfo's PackageTypeName is typeName; false without PackageInfo. Raises when the document
// cannot be loaded.
bool PackageTypeIs(const std::string& xmlFile, const std::string& typeName);
// How many of the package's items this user could import under the current ImportMode. Raises when
// the document cannot be loaded, has no ExportItemInfo, or names a module Vek_PackMod lacks.
int CountImportableItems(const std::string& xmlFile);
// The item filters of the import by ImportMode and the selected account book; the user is not
// considered here.
bool ItemPassesImportFilters(const xml::TXMLNode& item);

} // namespace tarnwick
