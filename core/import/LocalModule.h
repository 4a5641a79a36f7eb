#pragma once

#include "platform/xml/XMLNode.h"

#include <optional>
#include <string>

namespace tarnwick {

// The row of this installation's Vek_PackMod that a package item belongs to, as the import wizard
// calls it: found by the item's ModGuid, or by its caption where the package gives no GUID.
struct TLocalModule {
    std::string ModCaption;
    std::string ModDllFile;
    std::string EntryID;
    std::string ModInPrj;
};

std::optional<TLocalModule> FindLocalModule(const xml::TXMLNode& item);

// The module works on the open project: any binding but "0", an account book's ("2") included.
bool WorksOnProject(const TLocalModule& module);

} // namespace tarnwick
