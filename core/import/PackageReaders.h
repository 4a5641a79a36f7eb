#pragma once

#include "platform/xml/XMLDocument.h"

#include <cstddef>
#include <string>
#include <vector>

// What the import preparation reads from a package's "Package.XML" to decide on its project.
namespace tarnwick {

// Far above what any installation holds: a package with more items or more persons of its project
// is refused before any of them is looked at.
inline constexpr std::size_t MaxPackageItems = 1000;
inline constexpr std::size_t MaxPackagePersons = 10000;

// The attribute on the first PrjInfo child of the document element; empty when that element or the
// attribute is missing.
void ReadPrjInfoAttribute(const xml::TXMLDocument& doc, const std::string& name, std::string& value);
// Fills PackageProjectInfo and PackagePrjInfoExport from PrjInfo, after emptying both. A document
// that cannot be loaded shows "打开文件失败！" and leaves them empty. A number or date that does not
// parse reads as 0; the other fields are kept.
void ReadPackageProjectInfo(const std::string& xmlFile);
// Appends the PerUUID of every person of the package's project, in document order. Never fails: any
// error ends the reading and keeps what was appended.
void ReadPackagePersons(const std::string& xmlFile, std::vector<std::string>& persons);
// No item but the project information (no item at all counts as such). Raises when the document
// cannot be loaded or has no ExportItemInfo.
bool PackageHasOnlyProjectInfo(const std::string& xmlFile);
// No item belongs to a module that works on a project (any ModInPrj but "0"), each module found as
// the wizard calls it. hasMaterials is set when the project materials module is among those; the
// caller starts it false. Raises like the above.
bool PackageIsProjectFree(const std::string& xmlFile, bool& hasMaterials);
// Asks the host to open the project; the host's answer says nothing, so this answers true.
bool OpenPackageProject(const std::string& prjId);

// The items of ExportItemInfo in document order; raises when ExportItemInfo is missing.
std::vector<xml::TXMLNode> RequiredPackageItems(const xml::TXMLDocument& doc);

} // namespace tarnwick
