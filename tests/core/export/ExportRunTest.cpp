// The export run of each build on a sample installation: the package, its "Package.XML", the
// hand-over, the messages and the log entries, and the work folder afterwards.

#include "tests/core/export/ExportRunFixture.h"
#include "tests/platform/rtl/EndedProcess.h"
#include "tests/support/FillUpAtFirstBox.h"
#include "tests/support/SmallFileSystem.h"

#include "core/HostApi.h"
#include "core/PackageState.h"
#include "core/WorkFolders.h"

#include "platform/ado/ADOQuery.h"
#include "platform/framework/Dialogs.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"

#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

const std::string RunLog = "AllInfoImportPck: ";

std::vector<std::string> FileNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The run's last log entry; the reduced build writes none.
void ExpectLastLogEntry(const std::vector<std::string>& entries, const std::string& last) {
    if constexpr (!BuildTrait::WritesLogEntries) {
        EXPECT_TRUE(entries.empty());
        return;
    }
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.back(), last);
}

// A sample installation on the small disk, with the sample project open for a member of it.
void OpenSampleProjectOn(const tests::SmallFileSystem& disk) {
    host::CreateSampleInstallation(disk.Path() + "installation");
    host::SetInstalledPluginBuild(BuildTrait::Reduced ? host::PluginBuild::Reduced : host::PluginBuild::Full);
    host::SetCurrentUser(host::SampleMemberId);
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    host::ClearRecords();
}

} // namespace

TEST_F(ExportRunTest, TwoModulesMakeAPackageThatIsHandedToTheHost) {
    ChooseModules({"项目信息", "系统人员"});
    m_wizard.projectParts = ProjectInformation;
    NamePackage("年度审计", "第一次导出");
    ExpectBox("数据打包成功！");
    RunExport();

    ASSERT_EQ(host::PackagesTaken().size(), 1u);
    const host::PackageTaken taken = host::PackagesTaken().front();
    EXPECT_EQ(rtl::ExtractFileName(taken.Source), "年度审计.Package");
    const std::string package = rtl::ToNativePath(taken.StoredAs);
    const std::vector<std::string> names = EntryNames(package);
    EXPECT_NE(std::find(names.begin(), names.end(), "Package.XML"), names.end());
    EXPECT_EQ(std::count_if(names.begin(), names.end(), [](const std::string& n) { return n.ends_with(".Package"); }), 0)
        << "the package does not hold itself";

    const std::vector<std::string> outline = Outline(EntryText(package, "Package.XML"));
    ASSERT_GE(outline.size(), 4u);
    EXPECT_EQ(outline[0], "VekPackage");
    EXPECT_TRUE(outline[1].starts_with("PackageInfo PackageTypeName=XMGL_PACKAGE_READER PackageType=1 PackageUser=" +
                                       std::string(host::SampleMemberId) +
                                       " PackageCaption=年度审计 PackageMemo=第一次导出 PackageCreateTime="))
        << outline[1];
    EXPECT_TRUE(outline[1].ends_with(" PackageVersion=" + OwnPackageVersion() + " PackageReaderVer=2")) << outline[1];
    EXPECT_TRUE(outline[2].starts_with("PrjInfo PrjID=" + std::string(host::SampleProjectId))) << outline[2];
    EXPECT_TRUE(outline[2].ends_with("PrjInfoExport=True")) << outline[2];
    const auto items = std::find(outline.begin(), outline.end(), "ExportItemInfo");
    ASSERT_NE(items, outline.end());
    ASSERT_EQ(outline.end() - items, 3);
    EXPECT_TRUE(items[1].starts_with("项目信息 ModGuid={6A1F0C2E-0001-4C57-9E10-000000000001} ModCaption=项目信息 "
                                     "ModDllFile=Modules\\ProjectInfo.dll EntryID=1 AppName=项目信息 AppFileName="))
        << items[1];
    EXPECT_TRUE(items[2].starts_with("系统人员 ModGuid={6A1F0C2E-0003-4C57-9E10-000000000003} ModCaption=系统人员 "
                                     "ModDllFile=Modules\\Personnel.dll EntryID=3 AppName=系统人员 AppFileName="))
        << items[2];

    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"数据打包成功！"}));
    EXPECT_EQ(NewLogEntries(), Logged({RunLog + "初始化解析文件成功！", RunLog + "数据打包成功！"}));
    EXPECT_EQ(m_wizard.closed, 1);
    EXPECT_TRUE(WorkFolderLeftClear());
    if constexpr (BuildTrait::KeepsPackageState) {
        EXPECT_EQ(LastPackageFolder, CommonReaderFolder());
    }
    EXPECT_TRUE(host::EveryProcessEnded());
}

// The project part of a package's "Package.XML": PrjInfo with its project and flag, then its persons.
std::vector<std::string> ProjectPart(const std::vector<std::string>& outline) {
    std::vector<std::string> part;
    for (const std::string& line : outline) {
        if (line.starts_with("PrjInfo ")) {
            const std::string id = line.substr(0, line.find(' ', 8));
            part.push_back(id + " " + line.substr(line.rfind(' ') + 1));
        } else if (line == "PrjPerInfo") {
            part.push_back(line);
        } else if (line.starts_with("PrjPer ")) {
            part.push_back(line.substr(0, line.find(' ', 7)));
        }
    }
    return part;
}

// With a project open the package names it whatever is checked, so that its project-bound items
// can be imported into that project; PrjInfoExport says whether the project information travels.
TEST_F(ExportRunTest, APackageMadeWithAProjectOpenNamesTheProjectWhateverIsChecked) {
    const std::vector<std::string> persons = {"PrjPerInfo", "PrjPer PerUUID=200000000000000011",
                                              "PrjPer PerUUID=200000000000000012",
                                              "PrjPer PerUUID=200000000000000013"};
    const auto named = [&](const char* flag) {
        std::vector<std::string> part = {"PrjInfo PrjID=" + std::string(host::SampleProjectId) + " " + flag};
        part.insert(part.end(), persons.begin(), persons.end());
        return part;
    };
    struct Case {
        std::vector<std::string> modules;
        std::int32_t projectParts;
        bool projectOpen;
        std::vector<std::string> projectPart;
    };
    const std::vector<Case> cases = {
        {{"审计事项"}, NoProjectParts, true, named("PrjInfoExport=False")},
        {{"系统人员"}, NoProjectParts, true, named("PrjInfoExport=False")},
        {{"项目资料"}, ProjectMaterialsOnly, true, named("PrjInfoExport=False")},
        {{"项目信息", "审计事项"}, ProjectInformation, true, named("PrjInfoExport=True")},
        {{"系统人员"}, NoProjectParts, false, {}},
    };
    fs::create_directories(m_folder + "/out");
    int run = 0;
    for (const Case& c : cases) {
        const std::string name = "p" + std::to_string(++run);
        SCOPED_TRACE(name);
        host::ClearRecords();
        framework::DialogService().ClearRecords();
        if (c.projectOpen) {
            ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
        } else {
            host::CloseProject();
        }
        ChooseModules(c.modules);
        m_wizard.projectParts = c.projectParts;
        std::string package = m_folder + "/out/" + name + ".Package";
        if (c.projectOpen) {
            NamePackage(name);
            ExpectBox("数据打包成功！");
        } else {
            framework::ScriptedUser().AnswerFile(package);
            ExpectBox("数据包导出成功！");
        }
        RunExport();
        if (c.projectOpen) {
            ASSERT_EQ(host::PackagesTaken().size(), 1u);
            package = rtl::ToNativePath(host::PackagesTaken().front().StoredAs);
        }
        EXPECT_EQ(ProjectPart(Outline(EntryText(package, "Package.XML"))), c.projectPart);
    }
}

TEST_F(ExportRunTest, AModuleThatFailsCostsOnlyItsOwnItem) {
    struct Case {
        const char* what;
        std::function<void()> inject;
    };
    const std::vector<Case> cases = {
        {"answers -1", [] { host::InjectTextAnswer("VekPackage_Export#3", "-1"); }},
        {"answers nothing", [] { host::InjectTextAnswer("VekPackage_Export#3", ""); }},
        {"answers a path that is not there", [] { host::InjectTextAnswer("VekPackage_Export#3", "C:\\nowhere\\x.dat"); }},
        {"raises", [] { host::InjectRaise("VekPackage_Export#3", "the module broke"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host::ClearRecords();
        NewLogEntries();
        framework::DialogService().ClearRecords();
        c.inject();
        ChooseModules({"项目信息", "系统人员"});
        m_wizard.projectParts = ProjectInformation;
        NamePackage("部分");
        ExpectBox("系统人员导出失败！");
        RunExport();

        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"系统人员导出失败！"}) << "no success is shown";
        EXPECT_EQ(NewLogEntries(), Logged({RunLog + "初始化解析文件成功！", RunLog + "\r\n系统人员导出失败！\r\n"}));
        ASSERT_EQ(host::PackagesTaken().size(), 1u) << "the other modules' package still goes to the host";
        const std::vector<std::string> outline =
            Outline(EntryText(rtl::ToNativePath(host::PackagesTaken().front().StoredAs), "Package.XML"));
        const auto items = std::find(outline.begin(), outline.end(), "ExportItemInfo");
        // Tarnwick keeps the item of a result that is not there, without AppFileName.
        const bool keptWithoutFile = !BuildTrait::Reduced && c.what == std::string("answers a path that is not there");
        ASSERT_EQ(outline.end() - items, keptWithoutFile ? 3 : 2);
        EXPECT_TRUE(items[1].starts_with("项目信息 "));
        EXPECT_TRUE(WorkFolderLeftClear());
        host::ClearInjections();
    }
}

TEST_F(ExportRunTest, NothingChosenOnAnyPageKeepsTheWizardOpenWithAProject) {
    host::InjectTextAnswer("VekPackage_Export#1", "-2");
    host::InjectTextAnswer("VekPackage_Export#3", "-2");
    ChooseModules({"项目信息", "系统人员"});
    m_wizard.projectParts = ProjectInformation;
    NamePackage("空");
    const std::string msg = "\r\n项目信息没有选择要导出的信息！\r\n\r\n系统人员没有选择要导出的信息！\r\n";
    ExpectBox(msg.substr(2, msg.size() - 4));
    RunExport();
    EXPECT_TRUE(host::PackagesTaken().empty());
    EXPECT_EQ(m_wizard.closed, 0);
    ExpectLastLogEntry(NewLogEntries(), RunLog + msg);
    // The reduced build leaves its work folder as it is after this early end, the package inside.
    if constexpr (BuildTrait::Reduced) {
        EXPECT_TRUE(fs::exists(WorkFolder() + "空.Package"));
    } else {
        EXPECT_TRUE(WorkFolderLeftClear());
    }
}

TEST_F(ExportRunTest, WithoutAProjectTheChosenFileIsWrittenAndFailuresAreLoggedAsSuch) {
    host::CloseProject();
    host::InjectTextAnswer("VekPackage_Export#3", "-2");
    ChooseModules({"系统人员"});
    const std::string file = m_folder + "/out/none.Package";
    fs::create_directories(m_folder + "/out");
    // What killed exports of this file left beside it goes; what others left stays.
    const std::string ended = std::to_string(EndedProcess());
    const std::vector<std::string> leftovers = {".none.Package.replacing-" + ended + "-1",
                                                ".none.Package.replacing-" + ended + "-1.x3Fq9Z"};
    const std::string others = m_folder + "/out/.other.Package.replacing-" + ended + "-1";
    for (const std::string& name : leftovers)
        rtl::WriteFileBytes(m_folder + "/out/" + name, "half");
    rtl::WriteFileBytes(others, "half");
    framework::ScriptedUser().AnswerFile(file);
    ExpectBox("系统人员没有选择要导出的信息！");
    RunExport();
    EXPECT_TRUE(fs::exists(file));
    for (const std::string& name : leftovers)
        EXPECT_FALSE(fs::exists(m_folder + "/out/" + name)) << name;
    EXPECT_TRUE(fs::exists(others));
    EXPECT_TRUE(host::PackagesTaken().empty()) << "without a project nothing is handed over";
    // What the modules could not export is logged, never a success.
    EXPECT_EQ(NewLogEntries(),
              Logged({RunLog + "初始化解析文件成功！", RunLog + "\r\n系统人员没有选择要导出的信息！\r\n"}));
    EXPECT_EQ(m_wizard.closed, 1);
}

TEST_F(ExportRunTest, ThePackageFileNameGetsOneExtension) {
    // A project's package: the name typed.
    ChooseModules({"系统人员"});
    NamePackage("b.Package");
    ExpectBox("数据打包成功！");
    RunExport();
    ASSERT_EQ(host::PackagesTaken().size(), 1u);
    EXPECT_EQ(rtl::ExtractFileName(host::PackagesTaken().front().Source), "b.Package");

    // No project: the file chosen in the save dialog. The module answers a file of its own.
    host::CloseProject();
    host::InjectTextAnswer("VekPackage_Export#3", m_folder + "/result.dat");
    const std::string out = m_folder + "/out/";
    fs::create_directories(out);
    std::ofstream(out + "a.Package") << "an older package";
    std::ofstream(out + "y.Package") << "an older package";
    std::ofstream(out + "old.txt") << "not a package";
    // The question names the file that is written, whichever was chosen; a file that is not
    // written is never asked about.
    struct Case {
        std::string chosen;
        std::string written;
        bool asked;
    };
    for (const Case& c : std::vector<Case>{{"b.Package", "b.Package", false},
                                           {"c.PACKAGE", "c.PACKAGE", false},
                                           {"d", "d.Package", false},
                                           {"a.Package", "a.Package", true},
                                           {"y", "y.Package", true},
                                           {"b", "b.Package", true},
                                           {"old.txt", "old.Package", false},
                                           {"old.txt", "old.Package", true}}) {
        SCOPED_TRACE(c.chosen + (c.asked ? " (asked)" : ""));
        // The reduced build removes the module's file after each run.
        std::ofstream(m_folder + "/result.dat") << "rows";
        framework::ScriptedUser().AnswerFile(out + c.chosen);
        if (c.asked)
            ExpectBox("该文件已经存在,确实要覆盖吗？\r\n" + out + c.written, win::IDYES);
        ExpectBox("数据包导出成功！");
        RunExport();
        EXPECT_EQ(EntryNames(out + c.written).front(), "Package.XML");
        EXPECT_FALSE(fs::exists(out + c.written + ".Package"));
    }
    EXPECT_EQ(rtl::ReadFileBytes(out + "old.txt"), "not a package");
    // No on the overwrite question ends the run with nothing written; the wizard stays open.
    const std::string before = rtl::ReadFileBytes(out + "old.Package");
    for (const std::string chosen : {"old.txt", "old.Package"}) {
        SCOPED_TRACE(chosen);
        framework::ScriptedUser().AnswerFile(out + chosen);
        ExpectBox("该文件已经存在,确实要覆盖吗？\r\n" + out + "old.Package", win::IDNO);
        const int closed = m_wizard.closed;
        RunExport();
        EXPECT_EQ(m_wizard.closed, closed);
        EXPECT_EQ(rtl::ReadFileBytes(out + "old.Package"), before);
        EXPECT_TRUE(WorkFolderLeftClear());
    }
}

TEST_F(ExportRunTest, APackageThatWasNotWrittenIsAFailure) {
    // The compression tool reports nothing and writes nothing: a stale package must not pass.
    host::InjectAnswer("CompressFile", 0);
    ChooseModules({"系统人员"});
    NamePackage("无");
    ExpectBox("数据打包失败！");
    RunExport();
    EXPECT_TRUE(host::PackagesTaken().empty());
    ExpectLastLogEntry(NewLogEntries(), RunLog + "数据打包失败！");
    EXPECT_EQ(m_wizard.closed, 1);
    EXPECT_TRUE(WorkFolderLeftClear());

    // A folder that cannot take the package, with no project open.
    host::ClearInjections();
    host::CloseProject();
    fs::create_directories(m_folder + "/out");
    std::ofstream(m_folder + "/out/file") << "a file where the folder should be";
    const std::string stale = m_folder + "/out/stale.Package";
    std::ofstream(stale) << "an older package";
    for (const std::string& chosen : {m_folder + "/out/file/x.Package", m_folder + "/missing/x.Package"}) {
        SCOPED_TRACE(chosen);
        framework::ScriptedUser().AnswerFile(chosen);
        ExpectBox("数据包导出失败！");
        RunExport();
        ExpectLastLogEntry(NewLogEntries(), RunLog + "数据打包失败！");
        EXPECT_TRUE(WorkFolderLeftClear());
    }
    // The old package is kept as it was, and not passed off as the new one.
    host::InjectAnswer("CompressFile", 0);
    framework::ScriptedUser().AnswerFile(stale);
    ExpectBox("该文件已经存在,确实要覆盖吗？\r\n" + stale, win::IDYES);
    ExpectBox("数据包导出失败！");
    RunExport();
    EXPECT_EQ(rtl::ReadFileBytes(stale), "an older package");
    EXPECT_EQ(FileNames(m_folder + "/out"), (std::vector<std::string>{"file", "stale.Package"}));
}

TEST_F(ExportRunTest, APackThatFailsOnAFullDiskKeepsTheOldPackage) {
    tests::SmallFileSystem disk(m_folder + "/disk", 64 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    // Without a project the personnel are the system's: enough of them that their package is
    // larger than the whole disk.
    host::CloseProject();
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string memo = tests::IncompressibleBytes(400 * 1000);
    for (char& c : memo)
        c = letters[static_cast<unsigned char>(c) % letters.size()];
    ado::TADOQuery query;
    query.SetConnection(GetBaseDBConnection());
    GetBaseDBConnection()->BeginTrans();
    for (int i = 0; i < 400; ++i) {
        query.SQL().SetText("insert into Vek_Person (PerUUID, PerName, PerMemo) values ('3" + std::to_string(100000 + i) +
                            "', '人员" + std::to_string(i) + "', '" + memo.substr(i * 1000, 1000) + "')");
        query.ExecSQL();
    }
    GetBaseDBConnection()->CommitTrans();
    const std::string old = disk.Path() + "y.Package";
    std::ofstream(old) << "an older package";
    ChooseModules({"系统人员"});
    framework::ScriptedUser().AnswerFile(disk.Path() + "y");
    ExpectBox("该文件已经存在,确实要覆盖吗？\r\n" + old, win::IDYES);
    ExpectBox("数据包导出失败！");
    RunExport();

    EXPECT_EQ(rtl::ReadFileBytes(old), "an older package");
    EXPECT_EQ(FileNames(disk.Path()), std::vector<std::string>{"y.Package"}) << "no half-written package beside it";
    ExpectLastLogEntry(NewLogEntries(), RunLog + "数据打包失败！");
    EXPECT_EQ(m_wizard.closed, 1);
    EXPECT_TRUE(WorkFolderLeftClear());
    EXPECT_TRUE(host::EveryProcessEnded());
}

// When what the modules export fills the installation's disk, the run fails; the work folder goes
// before the failure is logged, so that its entry is kept.
TEST_F(ExportRunTest, AFailureOnAFullInstallationDiskIsStillLogged) {
    tests::SmallFileSystem disk(m_folder + "-disk", 48 << 20);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    ASSERT_NO_FATAL_FAILURE(OpenSampleProjectOn(disk));
    NewLogEntries();
    // The first module's export fills the disk.
    bool filled = false;
    struct ObserverReset {
        ~ObserverReset() { host::SetProcessObserver(nullptr); }
    } observerReset;
    host::SetProcessObserver([&](const host::ProcessCall& call) {
        if (call.Kind == host::ProcessCallKind::Change && !filled)
            filled = disk.FillUp(WorkFolder() + "filler");
    });
    ChooseModules({"审计事项"});
    NamePackage("满盘");
    ExpectBox("数据打包失败！");

    RunExport();

    EXPECT_TRUE(filled);
    ExpectLastLogEntry(NewLogEntries(), RunLog + "数据打包失败！");
    EXPECT_TRUE(host::PackagesTaken().empty());
    EXPECT_TRUE(WorkFolderLeftClear());
    EXPECT_TRUE(host::EveryProcessEnded());
}

// The host failing to take the package, with the installation's disk full by the time the user has
// read why: the work folder goes before that failure is logged too.
TEST_F(ExportRunTest, AHandOverThatFailsOnAFullInstallationDiskIsStillLogged) {
    tests::SmallFileSystem disk(m_folder + "-disk", 48 << 20);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    ASSERT_NO_FATAL_FAILURE(OpenSampleProjectOn(disk));
    NewLogEntries();
    host::InjectRaise("ReferenceDataPackage", "no space left on the installation's disk");
    bool filled = false;
    tests::FillUpAtFirstBox(disk, filled);
    ChooseModules({"审计事项"});
    NamePackage("满盘");

    RunExport();

    EXPECT_TRUE(filled);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"XMGLReferenceDataPak Error!", "报送数据包管理失败！"}));
    ExpectLastLogEntry(NewLogEntries(), RunLog + "\r\n报送数据包管理失败！");
    EXPECT_TRUE(host::PackagesTaken().empty());
    EXPECT_TRUE(WorkFolderLeftClear());
    EXPECT_TRUE(host::EveryProcessEnded());
}

TEST_F(ExportRunTest, TheHostRefusingThePackageIsReported) {
    host::InjectAnswer("ReferenceDataPackage", 0);
    ChooseModules({"系统人员"});
    NamePackage("拒收");
    ExpectBox("报送数据包管理失败！");
    RunExport();
    ExpectLastLogEntry(NewLogEntries(), RunLog + "\r\n报送数据包管理失败！");
    EXPECT_EQ(m_wizard.closed, 1);
    EXPECT_TRUE(WorkFolderLeftClear());
}

TEST_F(ExportRunTest, AWorkFolderThatCannotBeEmptiedIsNotUsed) {
    if constexpr (BuildTrait::Reduced)
        GTEST_SKIP() << "the reduced build does not empty its work folder before a run";
    // A name the file system adapter cannot address, so the clean-up cannot delete it.
    fs::create_directories(WorkFolder());
    std::ofstream(WorkFolder() + "stale\\name.dat") << "stale";
    ChooseModules({"系统人员"});
    ExpectBox("导出工作目录无法清空，不能导出！");
    RunExport();
    EXPECT_EQ(NewLogEntries(), std::vector<std::string>{RunLog + "导出工作目录无法清空，不能导出！"});
    EXPECT_TRUE(host::PackagesTaken().empty());
    EXPECT_EQ(m_wizard.closed, 0);
    EXPECT_TRUE(host::EveryProcessEnded());
    fs::remove_all(WorkFolder());
}

TEST_F(ExportRunTest, CancellingTheQuestionsOrTheDialogEndsTheRun) {
    // A project without audit items is asked about first.
    ado::TADOQuery query;
    query.SetConnection(GetCurPrjDBConnection());
    query.SQL().SetText("delete from Vek_ResTrv where ResTypeName = 'DGGL_SJSX'");
    query.ExecSQL();
    ChooseModules({"项目信息"});
    m_wizard.projectParts = ProjectInformation;
    ExpectBox("此项目没有审计事项，确定导出吗？", win::IDCANCEL);
    RunExport();
    // The name dialog, cancelled.
    framework::ScriptedUser().ScriptFor("TFrmEdtPckFile").Click("btnCancel");
    ExpectBox("此项目没有审计事项，确定导出吗？", win::IDOK);
    RunExport();
    // The save dialog, cancelled.
    host::CloseProject();
    framework::ScriptedUser().CancelFile();
    RunExport();

    EXPECT_EQ(m_wizard.closed, 0);
    EXPECT_TRUE(host::PackagesTaken().empty());
    EXPECT_TRUE(WorkFolderLeftClear());
    EXPECT_TRUE(host::EveryProcessEnded());
}

TEST_F(ExportRunTest, APackageNameMustBeOneFileName) {
    ChooseModules({"系统人员"});
    const std::string refused = "包文件名称不能是“.”或“..”，也不能包含下列字符：\\ / : * ? \" < > |";
    for (const std::string name : {"../up", "a/b", "..", ".", "a\\b", "a:b", "a*b", "   "}) {
        SCOPED_TRACE(name);
        framework::TUserScript& script = framework::ScriptedUser().ScriptFor("TFrmEdtPckFile");
        script.Type("EdtName", name).Click("btnok").Click("btnCancel");
        ExpectBox(rtl::Trim(name).empty() ? "包文件名称不能为空！" : refused);
        RunExport();
    }
    EXPECT_TRUE(host::PackagesTaken().empty());
    EXPECT_EQ(m_wizard.closed, 0);
    EXPECT_TRUE(WorkFolderLeftClear());

    // The edit takes at most 50 characters; what it holds is the name.
    const std::string long51(51, 'x');
    NamePackage(long51);
    ExpectBox("数据打包成功！");
    RunExport();
    ASSERT_EQ(host::PackagesTaken().size(), 1u);
    EXPECT_EQ(rtl::ExtractFileName(host::PackagesTaken().front().Source), std::string(50, 'x') + ".Package");
}

TEST_F(ExportRunTest, AFolderResultIsNamedByItsLastPartAndABadCaptionFailsAlone) {
    if constexpr (BuildTrait::Reduced)
        GTEST_SKIP() << "the reduced build packs the files of a flat list, not folders";
    fs::create_directories(m_folder + "/exp/audit");
    std::ofstream(m_folder + "/exp/audit/rows.dat") << "rows";
    host::InjectTextAnswer("VekPackage_Export#1", m_folder + "/exp/audit/");
    host::InjectTextAnswer("VekPackage_Export#3", m_folder + "\\exp\\audit");
    ChooseModules({"项目信息", "系统人员"});
    // A caption that cannot name an element.
    m_wizard.tabs.insert(m_wizard.tabs.begin() + 1, {"1 坏模块", 1, "Modules\\ProjectInfo.dll"});
    NamePackage("文件夹");
    ExpectBox("1 坏模块导出失败！");
    RunExport();
    ASSERT_EQ(host::PackagesTaken().size(), 1u);
    const std::vector<std::string> outline =
        Outline(EntryText(rtl::ToNativePath(host::PackagesTaken().front().StoredAs), "Package.XML"));
    const auto items = std::find(outline.begin(), outline.end(), "ExportItemInfo");
    ASSERT_EQ(outline.end() - items, 3);
    EXPECT_TRUE(items[1].ends_with(" AppName=项目信息 AppFileName=audit\\")) << items[1];
    EXPECT_TRUE(items[2].ends_with(" AppName=系统人员 AppFileName=audit\\")) << items[2];
}

TEST_F(ExportRunTest, EveryModuleFailingStillHandsTheEmptyPackageOver) {
    host::InjectTextAnswer("VekPackage_Export#1", "-1");
    host::InjectTextAnswer("VekPackage_Export#3", "-3");
    ChooseModules({"项目信息", "系统人员"});
    NamePackage("全失败");
    ExpectBox("项目信息导出失败！\r\n\r\n系统人员导出失败！");
    RunExport();
    ASSERT_EQ(host::PackagesTaken().size(), 1u);
    EXPECT_EQ(EntryNames(rtl::ToNativePath(host::PackagesTaken().front().StoredAs)),
              std::vector<std::string>{"Package.XML"});
    EXPECT_EQ(m_wizard.closed, 1);
}
