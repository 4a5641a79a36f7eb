#pragma once

#include "core/ModuleContract.h"

#include <cstdint>
#include <string>

namespace tarnwick {

// Calls into module libraries (named relative to the program folder) and the package library. Each
// call loads the library and fetches its entry by name; a library that is refused (see
// ModuleLibraryPath), does not load or lacks the entry skips the call: ModuleCallSkipped (-1), or an
// empty text. The host's application, screen and hint window class are those in the framework's
// slots. Only the package library's VekPackage_PrjRes is unloaded after its call.
//
// Integer answers: the entry's own result, or 0 when an entry without one ran; -1 when it raised.

// Raises inside the entry show "装载 VekPackage_View 失败！".
std::int32_t CallModuleView(const std::string& libraryFile, std::int32_t entryId);
// Raises inside the entry show "装载 VekPackage_ExportProc 失败！".
std::int32_t CallModuleExportProc(const std::string& libraryFile, std::int32_t entryId, TModuleParent parent);
// The ModuleExportResult; empty when skipped or raised (silently).
std::string CallModuleExport(const std::string& libraryFile, std::int32_t entryId);
// closing: 1 from the export wizard, 0 from the import wizard. Raises are silent.
std::int32_t CallModuleFree(const std::string& libraryFile, std::int32_t entryId, std::uint8_t closing);
// Raises are silent.
std::int32_t CallModuleImportProc(const std::string& libraryFile, std::int32_t entryId,
                                  const std::string& path, TModuleParent parent);
// The ModuleImportResult; raises are silent.
std::int32_t CallModuleImport(const std::string& libraryFile, std::int32_t entryId, const std::string& path);

// The package library. Raises show "装载 VekPackage_ResIDs 失败！"; the resource file stays empty.
std::string CallPackageResIDs(const std::string& resIds);
// The project materials' folder, or "-2". An error inside the entry is passed on after the library
// was unloaded, as a copy of its own (its message kept), since the original's code went with it.
std::string CallPackagePrjRes(std::int32_t mode);
// Fetched through the host's interface lookup; raises show the "Load API Error: Load VekPackage
// Error" box and the folder stays empty.
std::string CallPackageGDRes(TModuleTreeView treeView);

} // namespace tarnwick
