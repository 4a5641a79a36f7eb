#include "core/import/ImportRun.h"

#include "core/DeleteFolderTree.h"
#include "core/HostSession.h"
#include "core/ItemRecordsTransaction.h"
#include "core/LogEntry.h"
#include "core/Messages.h"
#include "core/ModuleCalls.h"
#include "core/ModuleContract.h"
#include "core/ModuleItems.h"
#include "core/ProgressWindow.h"
#include "core/ProjectOptionLog.h"
#include "core/WorkFolders.h"
#include "core/import/ImportState.h"

#include "platform/framework/ScriptedUser.h"
#include "platform/rtl/Text.h"

namespace tarnwick {

namespace {

// The answer of a personnel tab whose outcome this user does not see.
constexpr std::int32_t Unreported = 2;
// Each page's log entry carries the report so far; past this length only its latest lines, so that
// what one import writes to the log grows with its pages, not with their square.
constexpr std::size_t MaxLoggedReport = 1000;
constexpr char CutMark[] = "……";

bool IsAdministrator(const std::string& userKind) {
    return rtl::UpperCase(userKind) == "ADMIN";
}

std::string ProgressText(const TImportItem& tab) {
    if (ProjectCreatedByImport && tab.Caption == ProjectMaterialsItem)
        return "正在导入项目资料．．．";
    return "正在导入" + tab.Caption + "．．．";
}

std::int32_t ImportTab(const TImportItem& tab, const std::string& packageFolder, const std::string& userKind) {
    const TModuleCallTarget target = ModuleCallTargetOf(tab, packageFolder, false);
    const std::int32_t result = CallModuleImport(tab.ModDllFile, target.EntryID, target.Path);
    if (tab.Caption == SystemPersonnelItem && !IsAdministrator(userKind))
        return Unreported;
    return result;
}

// The report as a log entry carries it: whole, or its latest whole lines behind a mark.
std::string LoggedReport(const std::string& report) {
    if (report.size() <= MaxLoggedReport)
        return report;
    std::size_t from = report.find("\r\n", report.size() - MaxLoggedReport);
    from = from == std::string::npos ? report.size() : from;
    return CutMark + report.substr(from);
}

void AddOutcome(std::string& report, const std::string& caption, std::int32_t result) {
    switch (result) {
    case ImportNothing:
        report += "\r\n" + caption + "没有选中任何数据！\r\n";
        break;
    case ImportFailed:
        report += "\r\n" + caption + "导入失败！\r\n";
        break;
    case ImportDone:
        report += "\r\n" + caption + "导入成功！\r\n";
        break;
    default:
        break;
    }
}

// The page's log entry and, for an item imported, its operation record: one commit to the base
// database.
void RecordOutcome(const std::string& report, const std::string& caption, std::int32_t result) {
    ItemRecordsTransaction transaction;
    WriteLogEntry(LoggedReport(report), LogModuleCode::ImportRun);
    if (result == ImportDone)
        WriteProjectOptionLog(CurrentUserId(), OptypeItemImport, PackageProjectInfo.PrjID.Str() + ":" + caption);
    transaction.Commit();
}

// False when a module stopped the run.
bool ImportEveryTab(framework::TCustomForm* owner, const std::vector<TImportItem>& tabs,
                    const std::string& packageFolder, const std::string& userKind, std::string& report) {
    ProgressWindow progress(owner, "正在准备数据．．．");
    for (const TImportItem& tab : tabs) {
        progress.Change(ProgressText(tab));
        const std::int32_t result = ImportTab(tab, packageFolder, userKind);
        if (result == ImportNotDone)
            return false;
        AddOutcome(report, tab.Caption, result);
        RecordOutcome(report, tab.Caption, result);
    }
    return true;
}

} // namespace

void RunPackageImport(framework::TCustomForm* owner, const std::vector<TImportItem>& tabs,
                      const std::string& packageFolder, const std::string& userKind) {
    std::string report;
    bool completed = false;
    try {
        completed = ImportEveryTab(owner, tabs, packageFolder, userKind, report);
    } catch (const framework::EScriptError&) {
        // The scripted user's own failure is the test's to see, not an import failure.
        throw;
    } catch (...) {
        // The work folder goes first: on a full disk the failure's log entry needs its space. What
        // the package held cannot be imported again from this wizard.
        DeleteFolderTree(CommonReaderFolder());
        ShowInfo("数据包导入失败！");
        WriteLogEntry(LoggedReport(report), LogModuleCode::ImportRun);
        return;
    }
    if (completed)
        ShowInfo(rtl::Trim(report).empty() ? std::string("数据包导入成功！") : report);
}

} // namespace tarnwick
