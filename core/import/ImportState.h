#pragma once

#include "core/VekPrjInfo.h"

#include <cstdint>
#include <string>

// What the import preparation leaves for the import entry and the import wizard. All of it lives as
// long as the library is loaded and is set again by every preparation.
namespace tarnwick {

// Which package items the wizard offers.
inline constexpr std::int32_t ImportModeUnfiltered = 0;  // nothing is skipped by mode
inline constexpr std::int32_t ImportModeProjectFree = 1; // items of project-bound modules are skipped
inline constexpr std::int32_t ImportModeIntoProject = 2; // the project information item is skipped

extern std::int32_t ImportMode;
// The package holds no item but the project information.
extern bool OnlyProjectInfoPackage;
// Only items whose module needs no project (ModInPrj 0) can be imported: the package names no
// project, so it may change none, and the user is no administrator.
extern bool OnlyProjectFreeItems;
// The host created the package's project during this import.
extern bool ProjectCreatedByImport;
// The package's project as its PrjInfo describes it.
extern TVekPrjInfo PackageProjectInfo;
// PrjInfoExport as the export wrote it ("True"/"False"); "FALSE" in working style 1.
extern std::string PackagePrjInfoExport;

} // namespace tarnwick
