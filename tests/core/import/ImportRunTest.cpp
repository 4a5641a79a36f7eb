#include "core/HostApi.h"
#include "core/PackageState.h"
#include "core/WorkFolders.h"
#include "core/import/ImportRun.h"
#include "core/import/ImportState.h"
#include "tests/core/import/ModuleTabsFixture.h"
#include "tests/support/SmallFileSystem.h"

#include "platform/ado/ADOConnection.h"
#include "platform/rtl/FileSystem.h"

#include <sqlite3.h>

#include <filesystem>

using namespace tarnwick;

namespace {

constexpr char Module[] = "Mods\\TestModule.dll";
const std::string RunLog = "解包进行中...: ";

// Every tab's module is the test module, which answers what each test sets per entry id.
class ImportRunTest : public ModuleTabsTest {
protected:
    void SetUp() override {
        ModuleTabsTest::SetUp();
        PackageProjectInfo.PrjID = host::SampleProjectId;
        ProjectCreatedByImport = false;
        if constexpr (BuildTrait::KeepsPackageState)
            LastPackageVersion = 3;
        host::SetCurrentUser(host::SampleMemberId);
        NewLogEntries();
    }

    static TImportItem Tab(const std::string& caption, std::int32_t entryId, const std::string& file = Module) {
        return {0, caption, entryId, file, caption + ".db"};
    }
    std::vector<std::string> ImportCalls() {
        std::vector<std::string> calls;
        for (const TestModuleCall& call : TestModuleCalls("Mods/TestModule.dll"))
            if (call.Entry == "VekPackage_Import")
                calls.push_back(std::to_string(call.EntryId) + " " + call.Path);
        return calls;
    }
    // The items' operation records, or what the build under test writes of them: none in the reduced
    // build.
    std::vector<std::string> OptionMemos() const {
        EXPECT_TRUE(BuildTrait::WritesOperationRecords || host::PrjOptionRows().empty());
        std::vector<std::string> memos;
        for (const host::PrjOptionRow& row : host::PrjOptionRows()) {
            EXPECT_EQ(row.Optype, "项目信息导入");
            memos.push_back(row.OpMemo);
        }
        return memos;
    }
    std::vector<std::string> ProgressTexts() const {
        std::vector<std::string> texts;
        for (const host::ProcessCall& call : host::ProcessCalls())
            texts.push_back(call.Kind == host::ProcessCallKind::End ? "end" : call.Text);
        return texts;
    }
};

TEST_F(ImportRunTest, EveryModuleAnsweringOneIsReportedLoggedAndRecordedPerTab) {
    for (int id : {4, 5, 2})
        Answer(id, 1);
    const std::string first = "\r\n审计事项导入成功！\r\n";
    const std::string second = "\r\n审计分析导入成功！\r\n";
    const std::string third = "\r\n项目资料导入成功！\r\n";
    ExpectBoxes({"审计事项导入成功！\r\n\r\n审计分析导入成功！\r\n\r\n项目资料导入成功！"});

    RunPackageImport(nullptr, {Tab("审计事项", 4), Tab("审计分析", 5), Tab("项目资料", 2)}, WorkFolder(), "User");

    EXPECT_EQ(ImportCalls(), (std::vector<std::string>{"4 " + WorkFolder() + "审计事项.db",
                                                        "5 " + WorkFolder() + "审计分析.db",
                                                        "2 " + WorkFolder() + "项目资料.db"}));
    EXPECT_EQ(NewLogEntries(), Logged({RunLog + first, RunLog + first + second, RunLog + first + second + third}));
    EXPECT_EQ(OptionMemos(), Recorded({"XM2026001:审计事项", "XM2026001:审计分析", "XM2026001:项目资料"}));
    if constexpr (BuildTrait::WritesOperationRecords) {
        EXPECT_EQ(host::PrjOptionRows().front().UserID, host::SampleMemberId);
    }
    EXPECT_EQ(ProgressTexts(), (std::vector<std::string>{"正在准备数据．．．", "正在导入审计事项．．．",
                                                          "正在导入审计分析．．．", "正在导入项目资料．．．",
                                                          "end"}));
    EXPECT_TRUE(host::EveryProcessEnded());
}

TEST_F(ImportRunTest, ManyTabsLogOneEntryEachOfBoundedLengthAndReportEveryOutcome) {
    Answer(4, 1);
    constexpr int tabs = 200;
    std::vector<TImportItem> items;
    std::string report;
    for (int i = 0; i < tabs; ++i) {
        items.push_back(Tab("审计事项" + std::to_string(i), 4));
        report += "\r\n审计事项" + std::to_string(i) + "导入成功！\r\n";
    }
    ExpectBoxes({report.substr(2, report.size() - 4)});

    RunPackageImport(nullptr, items, WorkFolder(), "User");

    const std::vector<std::string> entries = NewLogEntries();
    ASSERT_EQ(entries.size(), Logged(std::vector<std::string>(tabs)).size());
    std::size_t total = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        const std::string line = "\r\n审计事项" + std::to_string(i) + "导入成功！\r\n";
        const std::string& entry = entries[i];
        // Each entry ends with its own page's outcome; a long report is cut to its latest whole lines.
        EXPECT_EQ(entry.substr(entry.size() - line.size()), line);
        EXPECT_LE(entry.size(), RunLog.size() + 1000 + std::string("……").size());
        if (entry.size() > RunLog.size() + 1000) {
            EXPECT_EQ(entry.substr(RunLog.size(), std::string("……\r\n").size()), "……\r\n");
        }
        total += entry.size();
    }
    if constexpr (BuildTrait::WritesLogEntries) {
        EXPECT_EQ(entries.front(), RunLog + "\r\n审计事项0导入成功！\r\n");
        EXPECT_LT(total, tabs * 1100u) << "the log grows with the pages, not with their square";
    }
}

TEST_F(ImportRunTest, AModuleAnsweringZeroStopsTheRunSilently) {
    Answer(4, 1);
    Answer(5, 0);
    Answer(2, 1);

    RunPackageImport(nullptr, {Tab("审计事项", 4), Tab("审计分析", 5), Tab("项目资料", 2)}, WorkFolder(), "User");

    EXPECT_EQ(ImportCalls().size(), 2u);
    EXPECT_EQ(NewLogEntries(), Logged({RunLog + "\r\n审计事项导入成功！\r\n"}));
    EXPECT_EQ(OptionMemos(), Recorded({"XM2026001:审计事项"}));
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_TRUE(host::EveryProcessEnded());
}

TEST_F(ImportRunTest, ThePersonnelTabIsReportedToTheAdministratorOnly) {
    Answer(4, 1);
    Answer(3, 0); // imported, whatever it answers, for a user who cannot see it
    Answer(5, -1);
    const std::vector<TImportItem> tabs = {Tab("审计事项", 4), Tab("系统人员", 3), Tab("审计分析", 5)};

    ExpectBoxes({"审计事项导入成功！\r\n\r\n审计分析导入失败！"});
    RunPackageImport(nullptr, tabs, WorkFolder(), "User");
    EXPECT_EQ(ImportCalls().size(), 3u);
    EXPECT_EQ(NewLogEntries(),
              Logged({RunLog + "\r\n审计事项导入成功！\r\n", RunLog + "\r\n审计事项导入成功！\r\n",
                      RunLog + "\r\n审计事项导入成功！\r\n\r\n审计分析导入失败！\r\n"}));
    EXPECT_EQ(OptionMemos(), Recorded({"XM2026001:审计事项"}));

    // The administrator's run reports it, and stops where it answers 0.
    StartOver(tarnwick::AdministratorUserId);
    Answer(3, 1);
    ExpectBoxes({"审计事项导入成功！\r\n\r\n系统人员导入成功！\r\n\r\n审计分析导入失败！"});
    RunPackageImport(nullptr, tabs, WorkFolder(), "Admin");
    EXPECT_EQ(OptionMemos().size(), Recorded({"", "", ""}).size());
    if constexpr (BuildTrait::WritesOperationRecords) {
        EXPECT_EQ(host::PrjOptionRows().back().UserID, tarnwick::AdministratorUserId);
    }
    StartOver(tarnwick::AdministratorUserId);
    Answer(3, 0);
    RunPackageImport(nullptr, tabs, WorkFolder(), "admin");
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(ImportCalls().size(), 3u + 3u + 2u);
}

TEST_F(ImportRunTest, OutcomesWithoutSuccess) {
    Answer(4, -2);
    Answer(5, 7);
    ExpectBoxes({"审计事项没有选中任何数据！\r\n\r\n项目资料导入失败！"});
    RunPackageImport(nullptr, {Tab("审计事项", 4), Tab("审计分析", 5), Tab("项目资料", 2, "Mods\\Absent.dll")},
                     WorkFolder(), "User");
    EXPECT_TRUE(OptionMemos().empty());
    EXPECT_EQ(NewLogEntries().size(), Logged({"", "", ""}).size());

    // Nothing to report is a success.
    StartOver(host::SampleMemberId);
    ExpectBoxes({"数据包导入成功！"});
    RunPackageImport(nullptr, {Tab("系统人员", 3), Tab("审计分析", 5)}, WorkFolder(), "User");
    ExpectBoxes({"数据包导入成功！"});
    RunPackageImport(nullptr, {}, WorkFolder(), "User");
}

TEST_F(ImportRunTest, TheMaterialsOfAProjectJustCreatedComeFromWhereTheHostPutThem) {
    Answer(201, 1);
    ProjectCreatedByImport = true;
    for (int version : {2, 3}) {
        if (version > BuildTrait::PackageVersion)
            continue;
        SCOPED_TRACE(version);
        StartOver(host::SampleMemberId);
        if constexpr (BuildTrait::KeepsPackageState)
            LastPackageVersion = version;
        ExpectBoxes({"项目资料导入成功！"});
        RunPackageImport(nullptr, {Tab("项目资料", 2)}, WorkFolder(), "User");
        const std::string folder = version == 2 ? m_folder + "/~Vek~Temp\\XMGL\\ResFile\\" : WorkFolder() + "项目资料.db";
        EXPECT_EQ(ImportCalls().back(), "201 " + folder);
        EXPECT_EQ(ProgressTexts().at(1), "正在导入项目资料．．．");
    }
}

// A page's log entry and operation record reach the base database in one commit.
TEST_F(ImportRunTest, EachPageIsOneCommitOfItsLogEntryAndRecord) {
    Answer(4, 1);
    Answer(5, 1);
    Answer(2, -1);
    ExpectBoxes({"审计事项导入成功！\r\n\r\n审计分析导入成功！\r\n\r\n项目资料导入失败！"});
    int commits = 0;
    sqlite3* base = GetBaseDBConnection()->Handle();
    sqlite3_commit_hook(base, [](void* count) { return ++*static_cast<int*>(count), 0; }, &commits);

    RunPackageImport(nullptr, {Tab("审计事项", 4), Tab("审计分析", 5), Tab("项目资料", 2)}, WorkFolder(), "User");

    sqlite3_commit_hook(base, nullptr, nullptr);
    EXPECT_EQ(commits, BuildTrait::WritesLogEntries ? 3 : 0);
    EXPECT_EQ(NewLogEntries(), Logged({RunLog + "\r\n审计事项导入成功！\r\n",
                                       RunLog + "\r\n审计事项导入成功！\r\n\r\n审计分析导入成功！\r\n",
                                       RunLog + "\r\n审计事项导入成功！\r\n\r\n审计分析导入成功！\r\n\r\n项目资料导入失败！\r\n"}));
    EXPECT_EQ(OptionMemos(), Recorded({"XM2026001:审计事项", "XM2026001:审计分析"}));
}

// When the installation's disk is full, the page's log entry fails and the run ends as failed; the
// work folder, which holds what filled the disk, goes before the failure is logged, so that its entry
// is kept.
TEST_F(ImportRunTest, AFailureOnAFullInstallationDiskIsStillLogged) {
    if constexpr (!BuildTrait::WritesLogEntries)
        GTEST_SKIP() << "the reduced build writes nothing to the base database during the run";
    tests::SmallFileSystem disk(m_folder + "-disk", 48 << 20);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    host::CreateSampleInstallation(disk.Path() + "installation");
    host::SetCurrentUser(host::SampleMemberId);
    NewLogEntries();
    std::filesystem::create_directories(disk.Path() + "installation/Mods");
    std::filesystem::copy_file(std::string(TEST_LIBS) + "/TestModule.dll", disk.Path() + "installation/Mods/TestModule.dll");
    rtl::ForceDirectories(CommonReaderFolder());
    ASSERT_TRUE(disk.FillUp(rtl::ToNativePath(CommonReaderFolder()) + "审计事项.db"));
    Answer(4, 1);
    ExpectBoxes({"数据包导入失败！"});

    RunPackageImport(nullptr, {Tab("审计事项", 4)}, CommonReaderFolder(), "User");

    EXPECT_EQ(NewLogEntries(), Logged({RunLog + "\r\n审计事项导入成功！\r\n"}));
    EXPECT_FALSE(rtl::DirectoryExists(CommonReaderFolder()));
    EXPECT_TRUE(host::EveryProcessEnded());
}

TEST_F(ImportRunTest, AnErrorOfTheRunIsReportedAsAFailedImport) {
    host::InjectRaise("ChangeTransInfo", "the progress window is gone");
    ExpectBoxes({"数据包导入失败！"});
    RunPackageImport(nullptr, {Tab("审计事项", 4)}, WorkFolder(), "User");
    EXPECT_TRUE(ImportCalls().empty());
    EXPECT_EQ(NewLogEntries(), Logged({RunLog}));
    EXPECT_TRUE(host::EveryProcessEnded());
}

} // namespace
