// A package exported with the sample project open and only a project-bound module checked, imported
// through the plug-in's import entry into other installations: where the project exists and is open
// its rows arrive; where it is missing, or another project is open, the import is refused and
// nothing changes.

#include "tests/core/export/ExportRunFixture.h"
#include "tests/support/LogEntries.h"

#include "core/Exports.h"

#include "host/Database.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/rtl/FileSystem.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

const std::string Prep = "IniXMLInfo: ";

using Rows = std::vector<host::Database::Row>;

Rows Query(const std::string& database, const std::string& sql) {
    host::Database db;
    db.Open(database, false);
    return db.Query(sql);
}

class ProjectPackageRoundTripTest : public ExportRunTest {
protected:
    void TearDown() override {
        ExportRunTest::TearDown();
        for (const std::string& folder : m_targets)
            fs::remove_all(folder);
    }

    // The package of the sample project with only "审计事项" checked, holding one audit matter the
    // other installations lack; it is copied out of the installation's package store.
    std::string ExportAuditMatters() {
        host::Database project;
        project.Open(host::ProjectDatabasePath(host::SampleProjectId), false);
        project.Run("insert into XM_AuditMatter values (?,?,?)", {"M900", "新增事项", "1"});
        ChooseModules({"审计事项"});
        m_wizard.projectParts = NoProjectParts;
        NamePackage("审计事项");
        ExpectBox("数据打包成功！");
        RunExport();
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"数据打包成功！"});
        if (host::PackagesTaken().size() != 1u)
            return {};
        const std::string package = m_folder + ".package/审计事项.Package";
        fs::create_directories(fs::path(package).parent_path());
        fs::copy_file(rtl::ToNativePath(host::PackagesTaken().front().StoredAs), package);
        m_targets.push_back(m_folder + ".package");
        return package;
    }

    // Another installation, made and opened in the place of the exporting one, with the member at
    // work in it.
    void OpenTarget(const std::string& name, bool withProjects) {
        const std::string folder = m_folder + "." + name;
        fs::remove_all(folder);
        m_targets.push_back(folder);
        host::CloseInstallation();
        host::CreateSampleInstallation(folder, withProjects);
        host::SetInstalledPluginBuild(BuildTrait::Reduced ? host::PluginBuild::Reduced : host::PluginBuild::Full);
        host::SetCurrentUser(host::SampleMemberId);
        host::ClearRecords();
        framework::DialogService().ClearRecords();
        m_targetLogSeen = 0;
    }

    std::int32_t Import(const std::string& package) {
        return VekPackPortInfo(framework::HintWindowClass(), framework::Application(), framework::Screen(),
                               "", -1, 0, package.c_str());
    }

    std::vector<std::string> TargetLogEntries() { return tests::NewLogEntries(m_targetLogSeen); }

    // What a refused import must leave as it was.
    static std::vector<Rows> ProjectsAndPersons() {
        const std::string base = host::BaseDatabasePath();
        return {Query(base, "select * from Vek_Project order by PrjID"),
                Query(base, "select * from Vek_PrjPerson order by PrjID, PerUUID"),
                Query(base, "select * from Vek_Person order by PerUUID")};
    }

    std::vector<std::string> m_targets;
    std::size_t m_targetLogSeen = 0;
};

TEST_F(ProjectPackageRoundTripTest, TheRowsArriveInTheOpenProjectOfAMember) {
    const std::string package = ExportAuditMatters();
    ASSERT_FALSE(package.empty());
    OpenTarget("B", true);
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    const std::vector<Rows> before = ProjectsAndPersons();
    framework::ScriptedUser().ScriptFor("TFrm_MainReaderUnPack").Click("btnHorzNext").Close();
    ExpectBox("审计事项导入成功！");

    EXPECT_EQ(Import(package), 1);

    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"审计事项导入成功！"});
    EXPECT_EQ(Query(host::ProjectDatabasePath(host::SampleProjectId),
                    "select MatterName from XM_AuditMatter where MatterID = 'M900'"),
              Rows{{"新增事项"}});
    EXPECT_EQ(ProjectsAndPersons(), before) << "the project information did not travel";
    EXPECT_TRUE(host::ProjectsCreated().empty());
    EXPECT_TRUE(host::EveryProcessEnded());
}

TEST_F(ProjectPackageRoundTripTest, WithoutItsProjectOrWithAnotherOpenThePackageIsRefused) {
    const std::string package = ExportAuditMatters();
    ASSERT_FALSE(package.empty());
    struct Case {
        const char* target;
        bool withProjects;
        const char* openProject; // empty: none
        std::string box;
        std::vector<std::string> log;
    };
    const std::vector<Case> cases = {
        // Without the project information no project can be made from the package.
        {"without-projects", false, "", "没有打开项目！", {Prep + "没有项目信息不能建立项目！"}},
        {"another-project-open", true, host::SecondProjectId, "当前项目与导入包项目信息不同，不能导入！",
         {Prep + "当前项目与导入包项目信息不同，不能导入！"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        OpenTarget(c.target, c.withProjects);
        if (*c.openProject) {
            ASSERT_TRUE(host::OpenProject(c.openProject));
        }
        const std::vector<Rows> before = ProjectsAndPersons();
        ExpectBox(c.box);

        EXPECT_EQ(Import(package), -1);

        EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.box});
        EXPECT_EQ(TargetLogEntries(), Logged(c.log));
        EXPECT_EQ(ProjectsAndPersons(), before);
        EXPECT_TRUE(host::ProjectsCreated().empty());
        EXPECT_TRUE(host::PrjOptionRows().empty());
        EXPECT_TRUE(host::EveryProcessEnded());
        if (c.withProjects) {
            EXPECT_TRUE(Query(host::ProjectDatabasePath(c.openProject),
                              "select MatterName from XM_AuditMatter where MatterID = 'M900'")
                            .empty());
        }
    }
}

} // namespace
