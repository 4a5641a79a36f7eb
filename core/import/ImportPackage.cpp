// The import entry; its refusals are logged where the build writes log entries.

#include "core/EntryRoutines.h"

#include "core/DeleteFolderTree.h"
#include "core/HostSession.h"
#include "core/LogEntry.h"
#include "core/NotAvailableInThisBuild.h"
#include "core/PackageDocument.h"
#include "core/WorkFolders.h"
#include "core/import/ImportForms.h"
#include "core/import/ImportItems.h"
#include "core/import/ImportState.h"
#include "core/import/PackageProbes.h"
#include "core/import/PrepareImport.h"
#include "core/import/UserKind.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Text.h"

namespace tarnwick {

namespace {

constexpr char PreviewFlag[] = "1";

std::string ChoosePackageFile() {
    framework::TOpenDialog dialog(framework::Application());
    dialog.SetTitle("请选择一个导出包文件");
    dialog.SetFilter("项目数据统一导出包文件 (*.Package)|*.Package|所有文件(*.*)|*.*");
    return dialog.Execute() ? dialog.FileName() : std::string();
}

std::int32_t Refuse(const std::string& text) {
    ShowInfoAndLog(text, LogModuleCode::ImportEntry);
    return -1;
}

std::int32_t RunImport(const std::string& givenName, const std::string& flag) {
    const std::string fileName = rtl::Trim(givenName).empty() ? ChoosePackageFile() : givenName;
    if (fileName.empty() || !rtl::FileExists(fileName))
        return -1;
    const std::string serial = HostProgramProjectSerial();
    const std::string userKind = UserKindOfCurrentUser();

    std::string folder;
    const std::int32_t prepared = PrepareImport(fileName, userKind, serial, folder);
    if (prepared < 1)
        return prepared;
    // The preparation has said what there is to say about such a package.
    if (OnlyProjectInfoPackage)
        return -1;

    const std::string xmlFile = folder + PackageDocumentName;
    const bool preview = flag == PreviewFlag;
    if (PackageTypeIs(xmlFile, ArchivePackageType) && !preview)
        return Refuse("归档包不能导入！");
    // A project just created from the package is worth showing even with nothing to import.
    if (CountImportableItems(xmlFile) < 1 && !ProjectCreatedByImport)
        return Refuse("没有可导入的数据信息！");

    ImportForms().ShowWizard(folder, userKind, preview);
    return 1;
}

// The materials the host unpacked for a project created from a version-2 package are used only
// by this import.
struct ProjectMaterialsCleanup {
    ~ProjectMaterialsCleanup() { DeleteFolderTree(ProjectMaterialsFolder()); }
};

} // namespace

std::int32_t ImportPackage(const std::string& fileName, const std::string& flag) {
    ProjectCreatedByImport = false;
    const ProjectMaterialsCleanup cleanup;
    try {
        return RunImport(fileName, flag);
    } catch (const ENotAvailableInThisBuild&) {
        throw;
    } catch (const framework::EScriptError&) {
        // The scripted user's own failure is the test's to see, not an import failure.
        throw;
    } catch (...) {
        // The work folder goes before the refusal is logged: on a full disk the entry needs its space.
        DeleteFolderTree(CommonReaderFolder());
        return Refuse("数据包导入失败！");
    }
}

} // namespace tarnwick
