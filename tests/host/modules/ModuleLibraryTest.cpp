#include "ModuleSupport.h"

#include "host/AppInterface.h"
#include "host/Database.h"
#include "host/HostState.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

#include <gtest/gtest.h>

#include <filesystem>

using host::PluginBuild;
using sharemem::CountedText;

namespace {

const char* const kCaptions[] = {"项目信息", "项目资料", "系统人员", "审计事项", "审计分析"};
constexpr char kNewPerson[] = "200000000000000014";

struct Exported {
    std::map<std::string, std::string> Results; // caption -> result path
    std::map<std::string, std::string> Items;   // caption -> item name in the package
    modtest::Snapshot Source;
};

class ModuleLibraryTest : public ::testing::TestWithParam<PluginBuild> {
protected:
    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : name)
            if (c == '/')
                c = '_';
        m_root = std::string(TARNWICK_BINARY_DIR) + "/modules_test/" + name;
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root);
    }
    void TearDown() override {
        host::CloseInstallation();
        std::filesystem::remove_all(m_root);
    }

    bool Reduced() const { return GetParam() == PluginBuild::Reduced; }
    std::string WorkFolder() const { return host::InstallationFolder() + "~Vek~Temp\\CommonReader\\"; }

    // Installation A with its first project changed, so that the import has something to carry.
    void OpenSource() {
        host::CreateSampleInstallation(m_root + "/A");
        host::SetInstalledPluginBuild(GetParam());
        host::Database base;
        base.Open(host::BaseDatabasePath(), false);
        base.Run("update Vek_Project set ReMark = ?, ValidWorkDays = 30 where PrjID = ?",
                 {"复核后的备注'引号", host::SampleProjectId});
        base.Run("insert into Vek_Person values (?,?,?,?,?,?,?,?)",
                 {kNewPerson, "周婷", "女", "29", "审计员", "组员", "新成员", "zhouting"});
        base.Run("insert into Vek_PrjPerson values (?,?)", {host::SampleProjectId, kNewPerson});
        base.Run("update Vek_Person set PerMemo = ? where PerUUID = ?",
                 {"负责资料与底稿", "200000000000000012"});
        host::Database db;
        db.Open(host::ProjectDatabasePath(host::SampleProjectId), false);
        db.Exec("update XM_AuditMatter set Amount = 125000.75 where MatterID = 'M001'");
        db.Exec("insert into XM_AuditMatter values ('M003', '应付账款函证', NULL)");
        db.Exec("insert into XM_AuditAnalysis values ('A003', 'ZT-0001', '其他应收款', 7, '抽查')");
        db.Exec("insert into XM_AuditAnalysis values ('A004', 'ZT-0002', '银行存款', 1, '')");
        const std::string materials = host::ProjectMaterialsFolder(host::SampleProjectId);
        rtl::WriteFileBytes(materials + "审计通知书.txt", "改过的通知书\n");
        rtl::ForceDirectories(materials + "底稿");
        rtl::WriteFileBytes(materials + "底稿\\往来款项.txt", std::string("二进制\0数据", 16));
        ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
        host::SetSelectedAccountBook("ZT-0001");
    }

    // Every module exports in A; the results are packed as the plug-in's build packs them.
    Exported ExportAll() {
        Exported e;
        host::detail::RemoveTree(WorkFolder());
        rtl::ForceDirectories(WorkFolder());
        std::string list;
        for (const char* caption : kCaptions) {
            const std::string r = modtest::ExportModule(caption);
            e.Results[caption] = r;
            e.Items[caption] = modtest::ItemName(r);
            list += r + "@&@";
        }
        e.Source = modtest::TakeSnapshot(host::SampleProjectId);
        CountedText out;
        const std::string source = Reduced() ? list : WorkFolder();
        EXPECT_EQ(CompressFile(out.Var(), source.c_str(), (m_root + "/A.Package").c_str()), 1) << out.Str();
        return e;
    }

    // Installation B with the package unpacked into its work folder.
    void OpenTarget(bool withProjects) {
        host::CloseInstallation();
        host::CreateSampleInstallation(m_root + "/B", withProjects);
        host::SetInstalledPluginBuild(GetParam());
        rtl::ForceDirectories(WorkFolder());
        CountedText out;
        ASSERT_EQ(ExtractFile(out.Var(), (m_root + "/A.Package").c_str(), WorkFolder().c_str()), 1)
            << out.Str();
    }

    static void ExpectSame(const modtest::Snapshot& a, const modtest::Snapshot& b) {
        EXPECT_EQ(a.Project, b.Project);
        EXPECT_EQ(a.Persons, b.Persons);
        EXPECT_EQ(a.Matters, b.Matters);
        EXPECT_EQ(a.Analysis, b.Analysis);
        EXPECT_EQ(a.Materials, b.Materials);
    }

    std::string m_root;
};

TEST_P(ModuleLibraryTest, ResultsHaveTheShapeOfTheBuild) {
    OpenSource();
    Exported e = ExportAll();
    for (const auto& [caption, r] : e.Results) {
        if (Reduced()) {
            EXPECT_TRUE(rtl::FileExists(r)) << caption << ": " << r;
            EXPECT_EQ(r.rfind(WorkFolder(), 0), std::string::npos) << caption;
        } else {
            EXPECT_EQ(r.rfind(WorkFolder(), 0), 0u) << caption << ": " << r;
        }
    }
    EXPECT_EQ(e.Items["项目信息"], Reduced() ? "XMGL.pck" : "XMGL\\");
    EXPECT_EQ(e.Items["项目资料"], Reduced() ? "ResFile.pck" : "ResFile\\");
    if (!Reduced()) {
        EXPECT_TRUE(rtl::DirectoryExists(e.Results["项目信息"]));
        EXPECT_TRUE(rtl::DirectoryExists(e.Results["项目资料"]));
    }
}

// B holds the same sample project; the imports bring A's changes and keep what only B has.
TEST_P(ModuleLibraryTest, RoundTripIntoAnExistingProject) {
    OpenSource();
    Exported e = ExportAll();
    OpenTarget(true);
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    {
        host::Database db;
        db.Open(host::ProjectDatabasePath(host::SampleProjectId), false);
        db.Exec("insert into XM_AuditMatter values ('M099', '本地事项', 1)");
        rtl::WriteFileBytes(host::ProjectMaterialsFolder(host::SampleProjectId) + "本地.txt", "local");
    }
    for (const char* caption : kCaptions)
        EXPECT_EQ(modtest::ImportModule(caption, WorkFolder() + e.Items[caption]), 1) << caption;

    modtest::Snapshot b = modtest::TakeSnapshot(host::SampleProjectId);
    ASSERT_FALSE(b.Matters.empty());
    EXPECT_EQ(b.Matters.back().at(0), "M099");
    b.Matters.pop_back();
    EXPECT_EQ(b.Materials.erase("本地.txt"), 1u);
    ExpectSame(e.Source, b);
    EXPECT_EQ(e.Source.Matters.size(), 3u);
    EXPECT_EQ(e.Source.Matters.back().back(), "null");
    EXPECT_EQ(e.Source.Persons.size(), 4u);
    host::Database db;
    db.Open(host::ProjectDatabasePath(host::SampleProjectId), false);
    EXPECT_TRUE(db.Query("select * from XM_AuditAnalysis where AnalysisID = 'A004'").empty())
        << "rows of another account book stay behind";
}

// B has no project: the host creates it from the two project parts, then the modules import.
TEST_P(ModuleLibraryTest, CreatePrjFromThePartsThenImport) {
    OpenSource();
    Exported e = ExportAll();
    OpenTarget(false);
    auto create = reinterpret_cast<tarnwick::TVekCreatePrj>(VekGetAppInterface("XMGL", "VekCreatePrj", 1));
    ASSERT_NE(create, nullptr);
    const std::string prj = WorkFolder() + (Reduced() ? "XMGL.pck" : "XMGL\\");
    const std::string res = WorkFolder() + (Reduced() ? "ResFile.pck" : "ResFile\\");
    EXPECT_EQ(create(CountedText(prj).Get(), CountedText(res).Get()), 1);
    EXPECT_EQ(host::ProjectsCreated(), std::vector<std::string>{host::SampleProjectId});
    EXPECT_EQ(create(CountedText(prj).Get(), CountedText(res).Get()), -3);

    const std::string unpacked = host::InstallationFolder() + "~Vek~Temp\\XMGL\\ResFile\\";
    if (Reduced())
        EXPECT_EQ(modtest::FilesBelow(unpacked), e.Source.Materials);
    else
        EXPECT_FALSE(rtl::DirectoryExists(unpacked));
    modtest::Snapshot created = modtest::TakeSnapshot(host::SampleProjectId);
    EXPECT_EQ(created.Project, e.Source.Project);
    EXPECT_EQ(created.Materials, e.Source.Materials);
    EXPECT_TRUE(created.Matters.empty());

    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    EXPECT_EQ(modtest::ImportModule("项目资料", Reduced() ? unpacked : res, 201), 1);
    for (const char* caption : {"系统人员", "审计事项", "审计分析"})
        EXPECT_EQ(modtest::ImportModule(caption, WorkFolder() + e.Items[caption]), 1) << caption;
    ExpectSame(e.Source, modtest::TakeSnapshot(host::SampleProjectId));
}

// Without a project the personnel module moves every person of the installation; they join B's
// persons and no project.
TEST_P(ModuleLibraryTest, WithoutAProjectTheSystemsPersonsMove) {
    OpenSource();
    host::CloseProject();
    const std::string result = modtest::ExportModule("系统人员");
    ASSERT_TRUE(rtl::FileExists(result)) << result;
    const std::string persons = "select * from Vek_Person order by PerUUID";
    std::vector<host::Database::Row> source;
    {
        host::Database base;
        base.Open(host::BaseDatabasePath(), false);
        source = base.Query(persons);
    }
    CountedText out;
    ASSERT_EQ(CompressFile(out.Var(), (result + "@&@").c_str(), (m_root + "/A.Package").c_str()), 1) << out.Str();

    OpenTarget(false);
    const auto membership = [] {
        host::Database base;
        base.Open(host::BaseDatabasePath(), false);
        return base.Query("select * from Vek_PrjPerson").size();
    };
    const std::size_t members = membership();
    EXPECT_EQ(modtest::ImportModule("系统人员", WorkFolder() + "SystemPersonnel.db"), 1);
    host::Database base;
    base.Open(host::BaseDatabasePath(), false);
    EXPECT_EQ(base.Query(persons), source) << "周婷 among them";
    EXPECT_EQ(membership(), members);
}

// A personnel file changes the open project's persons only when it is a project's, and only for a
// member of that project or the administrator; the installation's persons join no project. Only the
// administrator imports the installation's persons or changes a person's record; anyone else adds the
// persons B lacks, and the module's refusal of the installation's persons is the log's to tell, as
// their tab is hidden from them.
TEST_P(ModuleLibraryTest, PersonsJoinTheOpenProjectOnlyFromAProjectsFileForAMember) {
    OpenSource();
    {
        // A's records of persons that B knows differ, and 赵丽 is in A's sample project.
        host::Database base;
        base.Open(host::BaseDatabasePath(), false);
        base.Run("update Vek_Person set PerName = ?, PerRole = ? where PerUUID = ?",
                 {"张明被外人改写", "系统管理员", host::SampleMemberId});
        base.Run("update Vek_Person set PerMemo = ? where PerUUID = ?",
                 {"外来的改写", host::SampleOutsiderId});
        base.Run("insert into Vek_PrjPerson values (?,?)", {host::SampleProjectId, host::SampleOutsiderId});
    }
    const std::string projectFile = modtest::ExportModule("系统人员");
    host::CloseProject();
    const std::string systemFile = modtest::ExportModule("系统人员");
    ASSERT_NE(rtl::ExtractFileName(projectFile), rtl::ExtractFileName(systemFile));
    CountedText out;
    ASSERT_EQ(CompressFile(out.Var(), (projectFile + "@&@" + systemFile + "@&@").c_str(),
                           (m_root + "/A.Package").c_str()),
              1)
        << out.Str();
    const auto rows = [](const char* sql) {
        host::Database base;
        base.Open(host::BaseDatabasePath(), false);
        return base.Query(sql);
    };
    constexpr char persons[] = "select * from Vek_Person order by PerUUID";
    constexpr char members[] = "select * from Vek_PrjPerson order by PrjID, PerUUID";
    const std::string system = rtl::ExtractFileName(systemFile), project = rtl::ExtractFileName(projectFile);
    const char* const admin = tarnwick::AdministratorUserId;
    const char* const outsider = host::SampleOutsiderId;
    const char* const member = host::SampleMemberId;
    // The outsider makes a project of their own, listing only themself, and imports into it.
    constexpr char ownProject[] = "XM2026102";
    const std::string refusal = "VekPackage_Import: 系统人员只能由系统管理员导入，未导入任何人员！";
    const struct {
        const char* name;
        const char* user;
        std::string openProject;
        std::string file;
        int answer;
        bool personsAdded, recordsRewritten, membersChange, refusalLogged;
    } cases[] = {
        {"the installation's persons, imported by the administrator", admin, host::SampleProjectId, system, 1,
         true, true, false, false},
        {"a project's persons, imported by an outsider", outsider, host::SampleProjectId, project, -1, false,
         false, false, false},
        {"a project's persons, imported by a member", member, host::SampleProjectId, project, 1, true, false,
         true, false},
        {"a project's persons, imported by the administrator", admin, host::SampleProjectId, project, 1, true,
         true, true, false},
        {"a project's persons, imported by a member with no project open", member, "", project, 1, true,
         false, false, false},
        {"the installation's persons, imported by a member of the open project", outsider,
         host::SecondProjectId, system, -1, false, false, false, true},
        {"the installation's persons, imported with no project open", outsider, "", system, -1, false, false,
         false, true},
        {"the installation's persons, imported into a project just created", outsider, ownProject, system, -1,
         false, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host::CloseInstallation();
        std::filesystem::remove_all(m_root + "/B");
        OpenTarget(true);
        host::SetCurrentUser(c.user);
        if (c.openProject == ownProject) {
            const std::string part = m_root + "/B/OwnPart/";
            rtl::ForceDirectories(part);
            rtl::WriteFileBytes(part + "PrjInfo.xml",
                                std::string("<VekProject><PrjInfo PrjID=\"") + ownProject +
                                    "\"><PrjPerInfo><PrjPer PerUUID=\"" + outsider +
                                    "\" PerName=\"赵丽改名\"/></PrjPerInfo></PrjInfo></VekProject>");
            const auto personsBeforeCreation = rows(persons);
            ASSERT_EQ(VekCreatePrj(CountedText(part).Get(), CountedText("").Get()), 1);
            EXPECT_EQ(rows(persons), personsBeforeCreation) << "the part's person is known here";
        } else if (!c.openProject.empty()) {
            ASSERT_TRUE(host::OpenProject(c.openProject));
        }
        ASSERT_EQ(host::OpenProjectId(), c.openProject);
        const auto personsBefore = rows(persons);
        const auto membersBefore = rows(members);
        const std::size_t logBefore = host::LogRows().size();
        EXPECT_EQ(modtest::ImportModule("系统人员", WorkFolder() + c.file), c.answer);
        const auto personsAfter = rows(persons);
        bool rewritten = false;
        for (const auto& before : personsBefore)
            for (const auto& after : personsAfter)
                rewritten = rewritten || (after.at(0) == before.at(0) && after != before);
        EXPECT_EQ(personsAfter.size() > personsBefore.size(), c.personsAdded);
        EXPECT_EQ(rewritten, c.recordsRewritten);
        EXPECT_EQ(rows(members) != membersBefore, c.membersChange);
        std::vector<std::string> logged;
        const std::vector<host::LogRow> log = host::LogRows();
        for (std::size_t i = logBefore; i < log.size(); ++i) {
            EXPECT_EQ(log[i].User, c.user);
            EXPECT_EQ(log[i].Program, "Personnel");
            logged.push_back(log[i].ModuleCode + ": " + log[i].Message);
        }
        EXPECT_EQ(logged, c.refusalLogged ? std::vector<std::string>{refusal} : std::vector<std::string>{});
    }
}

INSTANTIATE_TEST_SUITE_P(Builds, ModuleLibraryTest,
                         ::testing::Values(PluginBuild::Full, PluginBuild::Reduced), [](const auto& info) {
                             return info.param == PluginBuild::Full ? "Full" : "Reduced";
                         });

} // namespace
