// The export run of both builds: the checked modules export their data, which is described in
// "Package.XML", packed into a ".Package" file and, with a project open, handed to the host. Where
// the run works and what it packs is the build's own (ExportPackageFiles).

#include "core/export/ExportRun.h"

#include "core/CompressPackage.h"
#include "core/HostSession.h"
#include "core/LogEntry.h"
#include "core/Messages.h"
#include "core/ModuleCalls.h"
#include "core/ModuleContract.h"
#include "core/ModuleItems.h"
#include "core/PackageDocument.h"
#include "core/PackageManager.h"
#include "core/ProgressWindow.h"
#include "core/WorkFolders.h"
#include "core/export/ExportPackageFiles.h"
#include "core/export/ExportTarget.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StagingFolders.h"
#include "platform/rtl/Text.h"
#include "platform/xml/XMLDocument.h"

namespace tarnwick {

namespace {

constexpr char LineBreak[] = "\r\n";

void Log(const std::string& message) {
    WriteLogEntry(message, LogModuleCode::ExportRun);
}

// A package that was not written ends the run as a failure; an older one at target stays as it was.
void Pack(const std::string& source, const std::string& target) {
    if (!CompressPackage(source, target))
        throw rtl::Exception("no package was written to " + target);
}

std::string SuccessText() {
    return OpenProjectSerial().empty() ? "数据包导出成功！" : "数据打包成功！";
}

// One press of "导出".
class TExportRun {
public:
    TExportRun(ExportRunWizard& wizard, framework::TSaveDialog& dialog, xml::TXMLDocument& doc,
               ProgressWindow& progress, ExportPackageFiles& files)
        : m_wizard(wizard), m_dialog(dialog), m_doc(doc), m_progress(progress), m_files(files),
          m_workFolder(files.WorkFolder()) {}

    // True when the run reached its end and the wizard closes; errors before the items are
    // written reach the caller.
    bool Run();

private:
    xml::TXMLNode WriteHeader();
    bool WriteItemsAndPack(const xml::TXMLNode& items);
    void ExportProjectMaterials(const xml::TXMLNode& items);
    void ExportModuleTabs(const xml::TXMLNode& items);
    void ExportModule(const xml::TXMLNode& items, const ExportModuleTab& tab);
    void AddFailure(const std::string& caption, const char* what);
    bool PackProjectPackage();
    bool PackChosenFile();
    // The closing message of a package that was written.
    void ShowOutcome();
    void ReportPackingFailure();

    ExportRunWizard& m_wizard;
    framework::TSaveDialog& m_dialog;
    xml::TXMLDocument& m_doc;
    ProgressWindow& m_progress;
    ExportPackageFiles& m_files;
    const std::string m_workFolder;
    std::string m_serial;
    std::int32_t m_projectParts = NoProjectParts;
    TExportTarget m_target;
    // Read once: a module library may change the wizard's pages while it exports.
    std::vector<ExportModuleTab> m_tabs;
    std::string m_msg;
    int m_notSelected = 0;
};

bool TExportRun::Run() {
    if (!m_files.Prepare())
        return false;
    m_serial = OpenProjectSerial();
    m_projectParts = m_wizard.CheckedProjectParts();
    if (!AskExportTarget(m_wizard, m_serial, m_projectParts, m_dialog, m_workFolder, m_target))
        return false;
    const xml::TXMLNode root = WriteHeader();
    m_tabs = m_wizard.VisibleModuleTabs();
    return WriteItemsAndPack(root.AddChild(ExportItemInfoNode));
}

xml::TXMLNode TExportRun::WriteHeader() {
    const xml::TXMLNode root = InitPackageXml(m_doc, ReaderPackageType, m_target.name, m_target.memo);
    Log("初始化解析文件成功！");
    // A package made with a project open names that project whatever modules it holds: an import
    // puts project-bound items only into the project a package names. PrjInfoExport still says
    // whether the project information itself travels.
    if (!m_serial.empty() || m_wizard.ResourceMode() > 0) {
        const xml::TXMLNode prjInfo = WriteProjectInfoNode(root, m_serial, m_wizard.IsItemChecked(ProjectInfoItem));
        WriteProjectPersonsNode(prjInfo);
    }
    return root;
}

bool TExportRun::WriteItemsAndPack(const xml::TXMLNode& items) {
    try {
        if (m_wizard.ResourceMode() > 0)
            ExportProjectMaterials(items);
        else
            ExportModuleTabs(items);
        m_doc.SaveToFile(m_workFolder + PackageDocumentName);
        return m_serial.empty() ? PackChosenFile() : PackProjectPackage();
    } catch (...) {
        ReportPackingFailure();
        return true;
    }
}

void TExportRun::ExportProjectMaterials(const xml::TXMLNode& items) {
    const std::string dir = CallPackagePrjRes(m_wizard.ResourceMode());
    if (m_files.TakesMaterials(dir)) {
        m_wizard.SetFirstPageCaption(ProjectMaterialsItem);
        // Tarnwick takes every folder; the reduced build refuses a file that the package cannot hold.
        if (m_files.TakeResult(items, ProjectMaterialsItem, dir))
            return;
        AddFailure(ProjectMaterialsItem, "导出失败！");
    } else if (dir == ExportNothingSelected) {
        m_msg = "没有要导出的资料！";
    } else {
        AddFailure(m_wizard.FirstPageCaption(), "导出失败！");
    }
    Log(m_msg);
}

void TExportRun::ExportModuleTabs(const xml::TXMLNode& items) {
    for (const ExportModuleTab& tab : m_tabs) {
        try {
            ExportModule(items, tab);
        } catch (...) {
            // One module's failure costs only its own item.
            AddFailure(tab.caption, "导出失败！");
        }
        if (!rtl::Trim(m_msg).empty())
            Log(m_msg);
    }
}

void TExportRun::ExportModule(const xml::TXMLNode& items, const ExportModuleTab& tab) {
    m_progress.Change("正在导出" + tab.caption + "．．．");
    const std::string result = CallModuleExport(tab.libraryFile, tab.entryId);
    if (result.empty() || result == ExportFailed || result == ExportNoProject || result == ExportNotWritten) {
        AddFailure(tab.caption, "导出失败！");
    } else if (result == ExportNothingSelected) {
        ++m_notSelected;
        AddFailure(tab.caption, "没有选择要导出的信息！");
    } else if (!m_files.TakeResult(items, tab.caption, result)) {
        AddFailure(tab.caption, "导出失败！");
    }
}

void TExportRun::AddFailure(const std::string& caption, const char* what) {
    m_msg += LineBreak + caption + what + LineBreak;
}

bool TExportRun::PackProjectPackage() {
    const std::string target = m_workFolder + PackageFileName(m_target.name);
    Pack(m_files.PackSource(), target);
    if (m_wizard.ResourceMode() > 0 && !m_msg.empty()) {
        m_progress.Hide();
        ShowInfo(m_msg);
        return true;
    }
    if (static_cast<int>(m_tabs.size()) == m_notSelected) {
        // Nothing was chosen on any page: the user may still choose.
        m_progress.Hide();
        ShowInfo(m_msg);
        Log(m_msg);
        return false;
    }
    if (HandToPackageManager(target) < 1) {
        m_files.Free();
        m_progress.Hide();
        const std::string text = m_msg + LineBreak + "报送数据包管理失败！";
        ShowInfo(text);
        Log(text);
        return true;
    }
    ShowOutcome();
    return true;
}

bool TExportRun::PackChosenFile() {
    Pack(m_files.PackSource(), m_target.fileName);
    ShowOutcome();
    return true;
}

void TExportRun::ShowOutcome() {
    m_progress.Hide();
    // What the modules could not export is in the log already; it is no success.
    if (!rtl::Trim(m_msg).empty()) {
        ShowInfo(m_msg);
        return;
    }
    ShowInfo(SuccessText());
    Log("数据打包成功！");
}

void TExportRun::ReportPackingFailure() {
    m_files.Free();
    ShowInfo(OpenProjectSerial().empty() ? "数据包导出失败！" : "数据打包失败！");
    Log("数据打包失败！");
}

} // namespace

void ExportPackage(ExportRunWizard& wizard) {
    rtl::SweepStaleStagingFolders(CommonReaderFolder());
    // Destroyed in reverse: the progress window ends, the document and dialog go, then the files.
    const std::unique_ptr<ExportPackageFiles> files = MakeExportPackageFiles();
    framework::TSaveDialog dialog(framework::Application());
    dialog.SetTitle("请输入要导出的包文件名");
    dialog.SetFilter("项目数据统一导出包文件 (*.Package)|*.Package|所有文件(*.*)|*.*");
    xml::TXMLDocument doc(framework::Application());
    ProgressWindow progress(&wizard.Form(), "正在导出所选择的信息．．．");
    progress.Hide();
    if (TExportRun(wizard, dialog, doc, progress, *files).Run()) {
        wizard.CloseWizard();
        files->Finish();
    }
}

} // namespace tarnwick
