#pragma once

#include "platform/xml/XMLNode.h"

#include <string>

namespace tarnwick {

// Appends to ExportItemInfo the item element of a module tab, named after its caption: the module's
// Vek_PackMod row (left out when there is none), AppName, and AppFileName naming the module's result
// inside the package. False when the result names nothing the package can hold; the element then
// stays without AppFileName. Each build has its own rule for the result.
bool WriteExportItemAttributes(const xml::TXMLNode& items, const std::string& caption, const std::string& result);

} // namespace tarnwick
