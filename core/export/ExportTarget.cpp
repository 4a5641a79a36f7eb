#include "core/export/ExportTarget.h"

#include "core/Messages.h"
#include "core/WorkFolders.h"
#include "core/export/ExportRunRoutines.h"

#include "platform/framework/Dialogs.h"
#include "platform/win/WinConst.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"

namespace tarnwick {

namespace {

bool AskForProjectPackage(ExportRunWizard& wizard, std::int32_t projectParts, TExportTarget& target) {
    if (projectParts == ProjectInformation && !ProjectHasAuditItems() &&
        ShowBox("此项目没有审计事项，确定导出吗？", ConfirmExportFlags) != win::IDOK)
        return false;
    return wizard.AskPackageNameAndMemo(target.name, target.memo);
}

// The file the package is written to: a chosen package file as it is; any other chosen name with
// ".Package" added, in place of the extension when the chosen file exists.
std::string ChosenPackageFile(const std::string& chosen) {
    if (rtl::EndsText(PackageExtension, chosen))
        return chosen;
    return PackageFileName(rtl::FileExists(chosen) ? rtl::ChangeFileExt(chosen, "") : chosen);
}

bool AskForPackageFile(framework::TSaveDialog& dialog, const std::string& workFolder, TExportTarget& target) {
    if (!dialog.Execute())
        return false;
    target.fileName = ChosenPackageFile(dialog.FileName());
    // The work folder goes when the run ends, and a package saved there would go with it.
    if (PathLiesInFolder(target.fileName, workFolder)) {
        ShowInfo("包文件不能保存在临时目录中！");
        return false;
    }
    // The question names the file that would be replaced, which need not be the one chosen.
    return !rtl::FileExists(target.fileName) ||
           ShowBox("该文件已经存在,确实要覆盖吗？\r\n" + target.fileName, OverwritePackageFlags) == win::IDYES;
}

} // namespace

std::string PackageFileName(const std::string& name) {
    return rtl::EndsText(PackageExtension, name) ? name : name + PackageExtension;
}

bool AskExportTarget(ExportRunWizard& wizard, const std::string& serial, std::int32_t projectParts,
                     framework::TSaveDialog& dialog, const std::string& workFolder, TExportTarget& target) {
    if (!serial.empty())
        return AskForProjectPackage(wizard, projectParts, target);
    return AskForPackageFile(dialog, workFolder, target);
}

} // namespace tarnwick
