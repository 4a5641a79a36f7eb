#include "core/import/ImportState.h"

namespace tarnwick {

std::int32_t ImportMode = ImportModeUnfiltered;
bool OnlyProjectInfoPackage = false;
bool OnlyProjectFreeItems = false;
bool ProjectCreatedByImport = false;
TVekPrjInfo PackageProjectInfo;
std::string PackagePrjInfoExport;

} // namespace tarnwick
