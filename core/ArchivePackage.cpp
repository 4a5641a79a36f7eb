// The archive package of Tarnwick: the open project's information and materials in one package of
// type "XMGL_PACKAGE_GDB", written into the host's temporary folder and handed to its package
// management.

#include "core/EntryRoutines.h"

#include "core/CompressPackage.h"
#include "core/DeleteFolderTree.h"
#include "core/HostApi.h"
#include "core/HostSession.h"
#include "core/LogEntry.h"
#include "core/ModuleCalls.h"
#include "core/ModuleItems.h"
#include "core/PackageDocument.h"
#include "core/PackageManager.h"
#include "core/PackageState.h"
#include "core/ProgressWindow.h"
#include "core/WorkFolders.h"
#include "core/export/ExportRunRoutines.h"

#include "platform/framework/ComCtrls.h"
#include "platform/framework/Forms.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/xml/XMLDocument.h"

namespace tarnwick {

namespace {

// The archive writes the document's name with this spelling; the file system takes it as the same.
constexpr char ArchiveDocumentName[] = "Package.xml";
constexpr char ArchiveModuleCode[] = "XMGL";

void Log(const std::string& message) {
    WriteLogEntry(message, LogModuleCode::ArchivePackage);
}

bool NamesSomethingToArchive(framework::TTreeView* tree) {
    return tree && tree->HandleAllocated() && tree->Items()->Count() > 0;
}

framework::TCustomForm* HostMainForm() {
    const framework::TApplication* application = framework::Application();
    return application ? application->MainForm() : nullptr;
}

// The whole folder is packed, so a file that outlived the clean-up would join the archive.
std::string PrepareArchiveWorkFolder() {
    const std::string folder = CommonReaderFolder();
    if (rtl::DirectoryExists(folder))
        DeleteFolderTree(folder);
    if (!FolderIsGoneOrEmpty(folder))
        throw rtl::Exception("the work folder " + folder + " cannot be emptied for the archive package");
    rtl::CreateDir(folder);
    LastPackageFolder = folder;
    return folder;
}

void WriteArchiveItemAttributes(const xml::TXMLNode& items) {
    AddPackageItem(items, ProjectMaterialsItem, ReadPackModRow(ProjectMaterialsItem), "ResFile");
}

void WriteArchiveDocument(xml::TXMLDocument& doc, const std::string& serial, const std::string& caption,
                          const std::string& memo) {
    const xml::TXMLNode root = InitPackageXml(doc, ArchivePackageType, caption, memo);
    const xml::TXMLNode prjInfo = WriteProjectInfoNode(root, serial, false);
    WriteProjectPersonsNode(root);
    WriteProjectPersonsNode(prjInfo);
    WriteArchiveItemAttributes(root.AddChild(ExportItemInfoNode));
}

// The host's temporary folder for project management, then the time to the second: archives built
// within one second share their name.
std::string ArchivePackageFileName() {
    sharemem::CountedText folder;
    GetAppTempPathY(folder.Var(), ArchiveModuleCode);
    // An empty answer would put the package at the root of the file system.
    if (folder.Str().empty() || !rtl::DirectoryExists(folder.Str()))
        throw rtl::Exception("the host names no temporary folder for " + std::string(ArchiveModuleCode) +
                             " (\"" + folder.Str() + "\")");
    return folder.Str() + "\\" + rtl::FormatDateTime("yyyymmddhhnnss", PackageNow()) + ".PACKAGE";
}

bool PackAndHandOver(const std::string& workFolder, const std::string& caption) {
    const std::string file = ArchivePackageFileName();
    return CompressPackage(workFolder, file) && HandToPackageManagerEx(file, ArchivePackageType, caption) > 0;
}

} // namespace

std::int32_t BuildArchivePackage(framework::TTreeView* tree, const std::string& caption,
                                 const std::string& memo) {
    if (!NamesSomethingToArchive(tree))
        return 0;
    // Declared first, so that it closes after the document is gone, however the run ends.
    ProgressWindow progress(HostMainForm(), "正在进行归档处理，请稍等．．．");
    xml::TXMLDocument doc(framework::Application());
    const std::string workFolder = PrepareArchiveWorkFolder();
    const std::string serial = OpenProjectSerial();
    if (serial.empty())
        return 0;
    ChangeTransInfo("正在生成归档包文件，请稍等．．．");
    WriteArchiveDocument(doc, serial, caption, memo);
    doc.SaveToFile(workFolder + ArchiveDocumentName);

    const std::string materials = CallPackageGDRes(tree);
    if (materials.empty() || !rtl::DirectoryExists(materials)) {
        rtl::DeleteFile(workFolder + ArchiveDocumentName);
        Log("VekPackage生成归档包文件不存在！");
        return 0;
    }
    const bool handedOver = PackAndHandOver(workFolder, caption);
    // Before the failure is logged, which raises on a full disk: the work folder never stays behind,
    // and its room may let the entry be written.
    if (rtl::DirectoryExists(workFolder))
        DeleteFolderTree(workFolder);
    if (!handedOver) {
        Log("引入报送包管理失败！");
        return 0;
    }
    return 1;
}

} // namespace tarnwick
