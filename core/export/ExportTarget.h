#pragma once

#include "core/export/ExportRun.h"

#include <cstdint>
#include <string>

namespace framework {
class TSaveDialog;
}

// Where an export run writes its package: asked before anything is written, in both builds.
namespace tarnwick {

inline constexpr char PackageExtension[] = ".Package";

struct TExportTarget {
    // With a project open: the package's name (its caption and file name) and memo.
    std::string name;
    std::string memo;
    // Without one: the package file, ".Package" included.
    std::string fileName;
};

// The audit-items question and the package-name dialog (project open), or the save dialog and the
// overwrite question (none open). False when the user ends the run there.
bool AskExportTarget(ExportRunWizard& wizard, const std::string& serial, std::int32_t projectParts,
                     framework::TSaveDialog& dialog, const std::string& workFolder, TExportTarget& target);

// The name with ".Package" appended, unless it ends with it already (letter case aside).
std::string PackageFileName(const std::string& name);

} // namespace tarnwick
