#pragma once

#include <string>

namespace tarnwick {

// PackageInfo's PackageTypeName is typeName; false without PackageInfo. Raises when the document
// cannot be loaded.
bool PackageTypeIs(const std::string& xmlFile, const std::string& typeName);
// How many of the package's items this user could import under the current ImportMode: the items
// the wizard would offer (ReadImportItems, with the package folder beside xmlFile), the "系统人员"
// item only for the administrator. Raises when the document cannot be loaded or has no
// ExportItemInfo.
int CountImportableItems(const std::string& xmlFile);

} // namespace tarnwick
