#pragma once

#include <cstdint>
#include <string>

namespace framework {
class TTreeView;
}

// The workers the exports hand over to. Each raises what its run raises; the exports decide what
// reaches the host.
namespace tarnwick {

// Creates the export wizard owned by the application in the slot, keeps it as the current export
// form, shows it modally and frees it, also when showing raised.
void ShowExportWizard();

// The export wizard in port mode: created as above, captioned, its note area hidden, its module tabs
// cleared, the module list loaded, the rows named in the comma text captions checked and one step
// taken forward before it is shown modally. Answers the modal result; the form is freed.
int ShowExportWizardInPortMode(const std::string& captions);

// Previews (flag "1") or imports a package; an empty file name lets the user choose the file.
std::int32_t ImportPackage(const std::string& fileName, const std::string& flag);

// The export run in resource mode on a wizard that is never shown; always -1.
std::int32_t RunResourceExport(std::int32_t mode);

// A package of "Package.XML" and the resource file the package library produces for resIds.
bool PackProjectResources(const std::string& resIds, const std::string& packageFile);

// The archive package of the open project, handed to the host's package management: 1, or 0.
std::int32_t BuildArchivePackage(framework::TTreeView* tree, const std::string& caption,
                                 const std::string& memo);

} // namespace tarnwick
