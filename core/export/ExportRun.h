#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace framework {
class TCustomForm;
}

// The export run: what it needs of the wizard that starts it, and the run itself.
namespace tarnwick {

// CheckedProjectParts: what of the project the checked modules take along.
inline constexpr std::int32_t NoProjectParts = 0;
inline constexpr std::int32_t ProjectMaterialsOnly = 1;
inline constexpr std::int32_t ProjectInformation = 2;

// A visible module tab as the run reads it: the module's caption, its entry id (the tab's Tag) and
// its module library (the tab's Hint).
struct ExportModuleTab {
    std::string caption;
    std::int32_t entryId = 0;
    std::string libraryFile;
};

// The wizard as the export run sees it.
class ExportRunWizard {
public:
    virtual ~ExportRunWizard() = default;

    // The form that owns the run's progress window.
    virtual framework::TCustomForm& Form() = 0;
    // Above 0: the resource export, on a wizard that is never shown.
    virtual std::int32_t ResourceMode() const = 0;
    virtual std::int32_t CheckedProjectParts() const = 0;
    virtual bool IsItemChecked(const std::string& caption) const = 0;
    // The package-name dialog; false when the user cancels it.
    virtual bool AskPackageNameAndMemo(std::string& name, std::string& memo) = 0;
    // The module tabs whose tab is visible, in page order.
    virtual std::vector<ExportModuleTab> VisibleModuleTabs() const = 0;
    // The caption of the module page control's first page, which the resource export renames.
    virtual std::string FirstPageCaption() const = 0;
    virtual void SetFirstPageCaption(const std::string& caption) = 0;
    // Closes the wizard the exports keep as the current one, ending its modal loop.
    virtual void CloseWizard() = 0;
};

// Turns the checked modules into a package: the work folder, "Package.XML", the module exports,
// the packing, the hand-over to the host, the message and the log entries. Reports everything
// itself; errors raised before the items are written reach the caller, after the clean-up.
void ExportPackage(ExportRunWizard& wizard);

} // namespace tarnwick
