#include "ModuleSupport.h"

#include "host/HostState.h"
#include "tests/support/InstallationState.h"
#include "tests/support/SampleInstallationTest.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>

using sharemem::CountedText;

namespace {

constexpr char kMissingProject[] = "XM2026404";
constexpr char kNewName[] = "改名后的项目";

// The "项目信息" item of a package: a project part that renames prjId and lists the outsider among its
// persons, as a crafted package would.
class ProjectPartImportTest : public SampleInstallationTest {
protected:
    ProjectPartImportTest() : SampleInstallationTest("project_part_import_test") {}

    std::string PartOf(const std::string& prjId) const {
        const std::string folder = m_folder + "/~Vek~Temp/CommonReader/XMGL_" + prjId + "/";
        rtl::ForceDirectories(folder);
        rtl::WriteFileBytes(folder + "PrjInfo.xml",
                            "<VekProject><PrjInfo PrjID=\"" + prjId + "\" PrjName=\"" + kNewName +
                                "\" ValidWorkDays=\"99\"><PrjPerInfo><PrjPer PerUUID=\"" +
                                host::SampleOutsiderId +
                                "\" PerName=\"赵丽\"/></PrjPerInfo></PrjInfo></VekProject>");
        return folder;
    }

    static std::string RefusalOf(const std::string& part) {
        try {
            host::detail::StoreProjectPart(part);
        } catch (const rtl::Exception& e) {
            return e.what();
        }
        return "";
    }

    static void Open(const std::string& prjId) {
        if (prjId.empty())
            host::CloseProject();
        else
            ASSERT_TRUE(host::OpenProject(prjId));
    }
};

TEST_F(ProjectPartImportTest, APartOfAnotherProjectThanTheOpenOneOrByANonMemberChangesNothing) {
    struct Case {
        const char* Name;
        const char* OpenProject;
        const char* User;
        const char* PartProject;
        const char* Reason;
    };
    const Case cases[] = {
        {"no project open, an outsider", "", host::SampleOutsiderId, host::SampleProjectId,
         "no project is open"},
        {"no project open, a member", "", host::SampleMemberId, host::SampleProjectId, "no project is open"},
        {"another project open, of which the user is a member", host::SecondProjectId, host::SampleOutsiderId,
         host::SampleProjectId, "the open project is \"XM2026002\""},
        {"another project open, the administrator", host::SecondProjectId, tarnwick::AdministratorUserId,
         host::SampleProjectId, "the open project is \"XM2026002\""},
        {"the part's project open, an outsider", host::SampleProjectId, host::SampleOutsiderId,
         host::SampleProjectId, "is no member of the project"},
        {"a project missing here, none open", "", host::SampleMemberId, kMissingProject,
         "no project is open"},
        {"a project missing here, another open", host::SampleProjectId, host::SampleMemberId, kMissingProject,
         "the open project is \"XM2026001\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Open(c.OpenProject);
        host::SetCurrentUser(c.User);
        const std::string part = PartOf(c.PartProject);
        const tests::InstallationState before = tests::StateOf(m_folder);
        EXPECT_EQ(modtest::ImportModule("项目信息", part), tarnwick::ImportFailed);
        EXPECT_NE(RefusalOf(part).find(c.Reason), std::string::npos) << RefusalOf(part);
        EXPECT_EQ(tests::StateOf(m_folder), before);
        EXPECT_FALSE(VekProjectExist(CountedText(kMissingProject).Get()));
        EXPECT_EQ(host::OpenProjectId(), c.OpenProject);
    }
}

TEST_F(ProjectPartImportTest, AMemberOrTheAdministratorUpdatesTheOpenProject) {
    for (const char* user : {host::SampleMemberId, tarnwick::AdministratorUserId}) {
        SCOPED_TRACE(user);
        Open(host::SampleProjectId);
        host::SetCurrentUser(user);
        EXPECT_EQ(modtest::ImportModule("项目信息", PartOf(host::SampleProjectId)), tarnwick::ImportDone);
        tarnwick::TVekPrjInfo rec;
        VekLoadPrj(&rec, CountedText(host::SampleProjectId).Get());
        EXPECT_EQ(rec.PrjName.Str(), kNewName);
        EXPECT_EQ(rec.ValidWorkDays, 99);
        const std::vector<std::string> persons = host::detail::ProjectPersons(host::SampleProjectId);
        EXPECT_NE(std::find(persons.begin(), persons.end(), host::SampleOutsiderId), persons.end());
        host::CloseInstallation();
        std::filesystem::remove_all(m_folder);
        host::CreateSampleInstallation(m_folder);
    }
}

TEST_F(ProjectPartImportTest, AFailureBeforeTheCommitChangesNothing) {
    Open(host::SampleProjectId);
    host::SetCurrentUser(host::SampleMemberId);
    const std::string part = PartOf(host::SampleProjectId);
    const tests::InstallationState before = tests::StateOf(m_folder);
    host::InjectRaise("StoreProjectPart.Rows", "the disk is full");
    EXPECT_EQ(modtest::ImportModule("项目信息", part), tarnwick::ImportFailed);
    EXPECT_EQ(tests::StateOf(m_folder), before);
    EXPECT_EQ(tests::IntegrityOf(host::BaseDatabasePath()), "ok");
}

} // namespace
