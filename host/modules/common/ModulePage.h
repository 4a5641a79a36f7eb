#pragma once

#include "core/ModuleContract.h"
#include "host/modules/common/ModuleLibrary.h"

#include <cstdint>

// A module's page inside the tab sheet the wizard hands over: a label saying what will be moved and a
// tree view with one item per table row, file or person. The controls belong to the tab sheet; the
// library keeps which ones it made per entry id so that the release can free exactly those.
namespace host::modules {

// Builds the page in parent, replacing a page still standing for entryId. Raises when parent is not
// a windowed control.
void BuildModulePage(const char* entry, std::int32_t entryId, tarnwick::TModuleParent parent,
                     const PageContent& content);
// Frees the controls of the page of entryId; nothing when none stands (or its parent has gone).
void FreeModulePage(std::int32_t entryId);

} // namespace host::modules
