// The import preparation, compiled for each build: Tarnwick keeps the package version for
// GetPackageVer and logs every refusal; the reduced build does neither.

#include "core/import/PrepareImport.h"

#include "core/BuildTrait.h"
#include "core/DeleteFolderTree.h"
#include "core/HostApi.h"
#include "core/HostSession.h"
#include "core/LogEntry.h"
#include "core/Messages.h"
#include "core/PackageDocument.h"
#include "core/PackageState.h"
#include "core/ProgressWindow.h"
#include "core/WorkFolders.h"
#include "core/import/DetectPackageVersion.h"
#include "core/import/ImportForms.h"
#include "core/import/ImportItems.h"
#include "core/import/ImportState.h"
#include "core/import/LocalProjectMembers.h"
#include "core/import/PackageReaders.h"
#include "core/import/ProjectPartLists.h"

#include "platform/framework/Forms.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/StagingFolders.h"
#include "platform/rtl/Text.h"
#include "platform/win/WinConst.h"

#include <algorithm>
#include <vector>

namespace tarnwick {

namespace {

constexpr std::int32_t Proceed = 1;
constexpr std::int32_t Refused = -1;
constexpr std::int32_t ReportPackage = -3;

std::int32_t Refuse(const std::string& text) {
    ShowInfoAndLog(text, LogModuleCode::ImportPreparation);
    return Refused;
}

constexpr char MalformedPackageText[] = "数据包格式不正确或非项目数据包，请检查后导入！";
constexpr char NothingImportableText[] = "没有可导入的数据信息！";

// Nothing of an earlier package may decide for this one.
void ForgetEarlierPackage() {
    ImportMode = ImportModeUnfiltered;
    OnlyProjectInfoPackage = false;
    OnlyProjectFreeItems = false;
    ResetPrjInfoRecord(PackageProjectInfo);
    PackagePrjInfoExport.clear();
    if constexpr (BuildTrait::KeepsPackageState)
        LastPackageVersion = -1;
}

// The work folder is emptied before the package is extracted into it; the package itself must not
// go with it, and no stale file may join the new package.
bool PrepareWorkFolder(const std::string& packageFile, const std::string& folder) {
    if (PathLiesInFolder(packageFile, folder)) {
        Refuse("数据包位于导入工作目录中，请将其移到其他位置后导入！");
        return false;
    }
    DeleteFolderTree(folder);
    if (!FolderIsGoneOrEmpty(folder)) {
        Refuse("导入工作目录无法清空，不能导入！");
        return false;
    }
    rtl::ForceDirectories(folder);
    return true;
}

framework::TCustomForm* HostMainForm() {
    const framework::TApplication* application = framework::Application();
    return application ? application->MainForm() : nullptr;
}

bool IsAdministrator(const std::string& userKind) {
    return rtl::LowerCase(userKind) == "admin";
}

bool IsPackagePerson(const std::vector<std::string>& persons, const std::string& userId) {
    return std::any_of(persons.begin(), persons.end(),
                       [&](const std::string& person) { return rtl::SameText(person, userId); });
}

bool ProjectExistsLocally(const std::string& prjId) {
    const sharemem::CountedText id(prjId);
    return VekProjectExist(id.Get());
}

std::int32_t RefuseOutsider() {
    return Refuse("当前人员没有参与该项目，不能导入！");
}

std::int32_t ImportIntoOpenProject(const std::string& xmlFile, const std::string& serial,
                                   const std::string& prjId) {
    if (serial != prjId)
        return Refuse("当前项目与导入包项目信息不同，不能导入！");
    // A package of project-free items only changes no project.
    bool hasMaterials = false;
    if (!PackageIsProjectFree(xmlFile, hasMaterials) && !IsLocalProjectMember(prjId, HostProgramUserId()))
        return RefuseOutsider();
    if (OnlyProjectInfoPackage)
        ShowInfoAndLog("当前项目已经存在，数据包无其它信息！", LogModuleCode::ImportPreparation);
    ImportMode = ImportModeIntoProject;
    return Proceed;
}

std::int32_t OpenExistingProject(const std::string& prjId, bool hasMaterials) {
    if (!hasMaterials)
        return Proceed;
    if (ShowBox("是否打开要导入的项目？", OpenProjectFlags) != win::IDYES)
        return Refused;
    OpenPackageProject(prjId);
    // The host does not say whether it opened the project; its open project does.
    if (OpenProjectSerial() != prjId)
        return Refuse("打开要导入的项目失败，不能导入！");
    ImportMode = ImportModeIntoProject;
    return Proceed;
}

std::int32_t CreatePackageProject(const std::string& folder, int version, ProgressWindow& progress) {
    if (rtl::UpperCase(PackagePrjInfoExport) == "FALSE") {
        ShowInfo("没有打开项目！");
        WriteLogEntry("没有项目信息不能建立项目！", LogModuleCode::ImportPreparation);
        return Refused;
    }
    std::string projectPart, resourcePart;
    bool hasProjectPart = false;
    if (version == 2) {
        projectPart = folder + "XMGL.pck";
        resourcePart = folder + "ResFile.pck";
        hasProjectPart = rtl::FileExists(projectPart);
    } else {
        projectPart = folder + "XMGL\\";
        resourcePart = folder + "ResFile\\";
        hasProjectPart = rtl::DirectoryExists(projectPart);
    }
    if (!hasProjectPart)
        return Refuse("数据包中没有项目信息，不能建立项目！");
    progress.Hide();
    const std::int32_t created = ImportForms().CreateProject(projectPart, resourcePart);
    if (created == 0)
        return Refused;
    if (created < 0)
        return Refuse("创建项目失败！");
    ImportMode = ImportModeIntoProject;
    ProjectCreatedByImport = true;
    return Proceed;
}

std::int32_t SettleProjectWithoutOpenProject(const std::string& xmlFile, const std::string& folder,
                                             int version, const std::vector<std::string>& persons,
                                             ProgressWindow& progress) {
    bool hasMaterials = false;
    if (PackageIsProjectFree(xmlFile, hasMaterials)) {
        ImportMode = ImportModeProjectFree;
        return Proceed;
    }
    const std::string prjId = PackageProjectInfo.PrjID.Str();
    const std::string userId = HostProgramUserId();
    // Who belongs to a project of this installation is this installation's to say; the package's
    // persons count only for the project that is made from it.
    if (ProjectExistsLocally(prjId)) {
        if (!IsLocalProjectMember(prjId, userId))
            return RefuseOutsider();
        return OpenExistingProject(prjId, hasMaterials);
    }
    if (!IsPackagePerson(persons, userId))
        return RefuseOutsider();
    return CreatePackageProject(folder, version, progress);
}

void RefuseTooManyPersons() {
    Refuse("数据包中的项目人员多于" + std::to_string(MaxPackagePersons) + "个，不能导入！");
}

// What no real package holds is refused before any of its items or persons is looked at.
bool PackageDocumentIsUsable(const std::string& xmlFile) {
    xml::TXMLDocument doc;
    doc.LoadFromFile(xmlFile);
    if (FindRootNode(doc, ExportItemInfoNode).IsNull()) {
        Refuse(MalformedPackageText);
        return false;
    }
    if (PackageItems(doc).size() > MaxPackageItems) {
        Refuse("数据包中的数据项多于" + std::to_string(MaxPackageItems) + "个，不能导入！");
        return false;
    }
    if (PackagePersons(FindProjectPersons(doc)).size() > MaxPackagePersons) {
        RefuseTooManyPersons();
        return false;
    }
    return true;
}

// The project part is read by the host whole, persons and all; what the package document may not
// list, its project part may not either.
bool ProjectPartIsUsable(const std::string& folder, int version) {
    if (ProjectPartHoldsListLongerThan(folder, version, MaxPackagePersons)) {
        RefuseTooManyPersons();
        return false;
    }
    return true;
}

std::int32_t SettleProject(const std::string& folder, int version, const std::string& userKind,
                           const std::string& serial, ProgressWindow& progress) {
    const std::string xmlFile = folder + PackageDocumentName;
    if (!rtl::FileExists(xmlFile))
        return Refused;
    // The project is read for the administrator as well, as the import run names it in its records.
    ReadPackageProjectInfo(xmlFile);
    const std::string prjId = PackageProjectInfo.PrjID.Str();
    const bool administrator = IsAdministrator(userKind);
    OnlyProjectFreeItems = !administrator && prjId.empty();
    // Before any project is opened or created for it.
    if (CountReadableItems(xmlFile, folder) < 1)
        return Refuse(NothingImportableText);
    // The administrator imports without any project checks.
    if (administrator) {
        ImportMode = ImportModeProjectFree;
        return Proceed;
    }
    if (prjId.empty())
        return Proceed;
    std::vector<std::string> persons;
    ReadPackagePersons(xmlFile, persons);
    OnlyProjectInfoPackage = PackageHasOnlyProjectInfo(xmlFile);
    const std::string openSerial = rtl::Trim(serial);
    if (!openSerial.empty())
        return ImportIntoOpenProject(xmlFile, openSerial, prjId);
    return SettleProjectWithoutOpenProject(xmlFile, folder, version, persons, progress);
}

} // namespace

std::int32_t PrepareImport(const std::string& packageFile, const std::string& userKind,
                           const std::string& openProjectSerial, std::string& folder) {
    rtl::SweepStaleStagingFolders(CommonReaderFolder());
    ForgetEarlierPackage();
    ProgressWindow progress(HostMainForm(), "正在准备数据．．．");
    folder = CommonReaderFolder();
    if (!PrepareWorkFolder(packageFile, folder))
        return Refused;

    const int version = DetectPackageVersion(packageFile, folder);
    if constexpr (BuildTrait::KeepsPackageState)
        LastPackageVersion = version;
    if (version == -1)
        return Refused;
    if (version == 1) {
        WriteLogEntry("调用报送数据包管理处理！", LogModuleCode::ImportPreparation);
        return ReportPackage;
    }
    if (version != 2 && version != 3) {
        // A package of another function has been named already; a package document whose version
        // this build does not read has not.
        if (rtl::FileExists(folder + PackageDocumentName))
            return Refuse(MalformedPackageText);
        return Refused;
    }
    if (!PackageDocumentIsUsable(folder + PackageDocumentName) || !ProjectPartIsUsable(folder, version))
        return Refused;
    return SettleProject(folder, version, userKind, openProjectSerial, progress) == Refused ? Refused
                                                                                            : Proceed;
}

} // namespace tarnwick
