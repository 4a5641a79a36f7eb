#include "host/AppInterface.h"
#include "host/HostControl.h"
#include "tests/support/InstallationState.h"
#include "tests/support/SampleInstallationTest.h"
#include "tests/support/SmallFileSystem.h"

#include "platform/rtl/FileSystem.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <set>

using sharemem::CountedText;
namespace fs = std::filesystem;

namespace {

const std::string kFixtures = std::string(TARNWICK_FIXTURES) + "/host/";
constexpr char kNewProject[] = "XM2026101"; // the project of the fixture's part
constexpr int kProjectCreated = 1;
constexpr int kProjectExists = -3;
constexpr int kProjectNotWritten = -5;

std::int32_t Create(const std::string& projectPart, const std::string& materialsPart) {
    return VekCreatePrj(CountedText(projectPart).Get(), CountedText(materialsPart).Get());
}

// The parts of a package: folders (version 3) or packed files (version 2).
struct Parts {
    const char* Shape;
    std::string Project, Materials;
};

class ProjectCreationTest : public SampleInstallationTest {
protected:
    ProjectCreationTest() : SampleInstallationTest("project_creation_test") {}

    void SetUp() override {
        SampleInstallationTest::SetUp();
        m_parts = m_folder + "_parts/";
        fs::remove_all(m_parts);
        fs::create_directories(m_parts);
    }
    void TearDown() override {
        SampleInstallationTest::TearDown();
        fs::remove_all(m_parts);
    }

    std::vector<Parts> BothShapes() const {
        for (const char* part : {"XMGL", "ResFile"}) {
            CountedText out;
            EXPECT_EQ(CompressFile(out.Var(), (kFixtures + "NewProject/" + part + "/").c_str(),
                                   (m_parts + part + ".pck").c_str()),
                      1)
                << out.Str();
        }
        return {{"folders", kFixtures + "NewProject/XMGL/", kFixtures + "NewProject/ResFile/"},
                {"packed files", m_parts + "XMGL.pck", m_parts + "ResFile.pck"}};
    }

    void ExpectTheNewProjectWhole() const {
        EXPECT_TRUE(VekProjectExist(CountedText(kNewProject).Get()));
        EXPECT_EQ(host::OpenProjectId(), kNewProject);
        EXPECT_EQ(rtl::ReadFileBytes(host::ProjectMaterialsFolder(kNewProject) + "审计方案.txt"),
                  rtl::ReadFileBytes(kFixtures + "NewProject/ResFile/审计方案.txt"));
        EXPECT_EQ(tests::IntegrityOf(host::ProjectDatabasePath(kNewProject)), "ok");
        EXPECT_EQ(tests::IntegrityOf(host::BaseDatabasePath()), "ok");
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder + "/Projects/" + kNewProject))
            names.insert(entry.path().filename().string());
        EXPECT_EQ(names, (std::set<std::string>{"Project.db", "ResFile"})) << "the creation's mark goes";
    }

    // The folders below "Projects" that are not a project's.
    std::set<std::string> Leftovers() const {
        std::set<std::string> names = tests::StateOf(m_folder).ProjectFolders;
        for (const char* id :
             {host::SampleProjectId, host::SecondProjectId, host::ThirdProjectId, kNewProject})
            names.erase(id);
        return names;
    }

    std::string m_parts;
};

TEST_F(ProjectCreationTest, AFailureAtAnyStepLeavesNoTraceOfTheProject) {
    for (const Parts& parts : BothShapes()) {
        for (const char* step : {"VekCreatePrj.Files", "VekCreatePrj.Rows", "VekCreatePrj.Move"}) {
            SCOPED_TRACE(std::string(parts.Shape) + ", " + step);
            const tests::InstallationState before = tests::StateOf(m_folder);
            host::InjectRaise(step, "the disk is full");
            EXPECT_EQ(Create(parts.Project, parts.Materials), kProjectNotWritten);
            EXPECT_EQ(tests::StateOf(m_folder), before);
            EXPECT_FALSE(VekProjectExist(CountedText(kNewProject).Get()));
            EXPECT_EQ(host::OpenProjectId(), "");
            EXPECT_TRUE(host::ProjectsCreated().empty());
            EXPECT_EQ(tests::IntegrityOf(host::BaseDatabasePath()), "ok");
        }
        host::ClearInjections();
        EXPECT_EQ(Create(parts.Project, parts.Materials), kProjectCreated) << parts.Shape;
        ExpectTheNewProjectWhole();
        EXPECT_EQ(Leftovers(), std::set<std::string>{});
        // Over again with the other shape.
        host::CloseInstallation();
        fs::remove_all(m_folder);
        host::CreateSampleInstallation(m_folder);
    }
}

// The host's process ends during the creation; the next process finds no project and can create it.
TEST_F(ProjectCreationTest, AProcessKilledDuringTheCreationLeavesNoProject) {
    const std::string part = kFixtures + "NewProject/XMGL/", materials = kFixtures + "NewProject/ResFile/";
    for (const char* step : {"VekCreatePrj.Files", "VekCreatePrj.Rows", "VekCreatePrj.Move"}) {
        SCOPED_TRACE(step);
        host::CloseInstallation();
        // A child of its own opens the installation, so that no database connection crosses the fork.
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            try {
                host::OpenInstallation(m_folder);
                host::InjectKill(step);
                Create(part, materials);
                ::_exit(2);
            } catch (...) {
                ::_exit(3);
            }
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "2: the creation ended without reaching the step; 3: it raised";

        EXPECT_FALSE(Leftovers().empty() && !fs::exists(m_folder + "/Projects/" + kNewProject))
            << "the child left nothing behind: it was not killed inside the creation";
        host::OpenInstallation(m_folder);
        EXPECT_EQ(Leftovers(), std::set<std::string>{}) << "what the dead process left is swept at the start";
        EXPECT_FALSE(fs::exists(m_folder + "/Projects/" + kNewProject));
        EXPECT_FALSE(VekProjectExist(CountedText(kNewProject).Get()));
        EXPECT_FALSE(host::OpenProject(kNewProject));
        EXPECT_EQ(tests::IntegrityOf(host::BaseDatabasePath()), "ok");

        EXPECT_EQ(Create(part, materials), kProjectCreated);
        ExpectTheNewProjectWhole();
        EXPECT_EQ(Leftovers(), std::set<std::string>{});

        host::CloseInstallation();
        fs::remove_all(m_folder);
        host::CreateSampleInstallation(m_folder);
    }
}

TEST_F(ProjectCreationTest, OnlyStagingFoldersOfEndedProcessesAreSwept) {
    const pid_t ended = ::fork();
    ASSERT_NE(ended, -1);
    if (ended == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
    const std::string projects = m_folder + "/Projects/";
    const std::string endedName =
        "." + std::string(kNewProject) + ".creating-" + std::to_string(ended) + "-0";
    const std::string ownName = ".XM2026999.creating-" + std::to_string(::getpid()) + "-3";
    const std::string liveName =
        "." + std::string(kNewProject) + ".creating-" + std::to_string(::getppid()) + "-0";
    const std::vector<std::string> kept = {
        liveName, ".hidden", "XM1.creating-" + std::to_string(ended) + "-0",
        "." + std::string(kNewProject) + ".creating-" + std::to_string(ended)};
    for (const std::string& name : kept)
        fs::create_directories(projects + name);
    for (const std::string& name : {endedName, ownName}) {
        fs::create_directories(projects + name + "/ResFile");
        rtl::WriteFileBytes(projects + name + "/ResFile/a.txt", "half");
    }
    // A project whose id reads like a staging folder's is a project all the same.
    const std::string oddId = ".XM7.creating-" + std::to_string(ended) + "-1";
    const std::string oddPart = m_parts + "odd/";
    rtl::ForceDirectories(oddPart);
    rtl::WriteFileBytes(oddPart + "PrjInfo.xml",
                        "<VekProject><PrjInfo PrjID=\"" + oddId + "\"/></VekProject>");
    ASSERT_EQ(Create(oddPart, ""), kProjectCreated);

    ASSERT_EQ(Create(kFixtures + "NewProject/XMGL/", kFixtures + "NewProject/ResFile/"), kProjectCreated);
    std::set<std::string> expected(kept.begin(), kept.end());
    expected.insert(oddId);
    EXPECT_EQ(Leftovers(), expected);
    EXPECT_TRUE(VekProjectExist(CountedText(oddId).Get()));
    EXPECT_TRUE(fs::exists(projects + oddId + "/Project.db"));
}

// A folder in a project's place that no creation left is the user's: neither the start nor a
// creation of that project removes it, and the creation fails with nothing changed.
TEST_F(ProjectCreationTest, AFolderWithoutRowsThatNoCreationLeftStays) {
    const std::string folder = m_folder + "/Projects/" + kNewProject + "/";
    fs::create_directories(folder + "ResFile");
    rtl::WriteFileBytes(folder + "ResFile/自己的.txt", "the user's");
    // The mark of a creation that runs, or of no creation at all, makes no leftover of it either.
    rtl::WriteFileBytes(folder + "." + kNewProject + ".creating-" + std::to_string(::getppid()) + "-0", "");
    rtl::WriteFileBytes(folder + ".creating", "");
    host::CloseInstallation();
    host::OpenInstallation(m_folder);
    const tests::InstallationState before = tests::StateOf(m_folder);
    EXPECT_EQ(Create(kFixtures + "NewProject/XMGL/", kFixtures + "NewProject/ResFile/"), kProjectNotWritten);
    EXPECT_EQ(tests::StateOf(m_folder), before);
    EXPECT_EQ(rtl::ReadFileBytes(folder + "ResFile/自己的.txt"), "the user's");
    EXPECT_FALSE(fs::exists(folder + "Project.db"));
    EXPECT_FALSE(VekProjectExist(CountedText(kNewProject).Get()));
}

TEST_F(ProjectCreationTest, AnIdThatDiffersOnlyInCaseNamesTheExistingProject) {
    const std::string part = m_parts + "lower/";
    rtl::ForceDirectories(part);
    rtl::WriteFileBytes(part + "PrjInfo.xml",
                        "<VekProject><PrjInfo PrjID=\"xm2026001\" PrjName=\"x\"/></VekProject>");
    const tests::InstallationState before = tests::StateOf(m_folder);
    const std::string materials = host::ProjectMaterialsFolder(host::SampleProjectId) + "审计通知书.txt";
    const std::string content = rtl::ReadFileBytes(materials);
    EXPECT_EQ(Create(part, kFixtures + "NewProject/ResFile/"), kProjectExists);
    EXPECT_EQ(tests::StateOf(m_folder), before);
    EXPECT_EQ(rtl::ReadFileBytes(materials), content);
    EXPECT_EQ(tests::IntegrityOf(host::ProjectDatabasePath(host::SampleProjectId)), "ok");
}

TEST_F(ProjectCreationTest, APartListingMorePersonsThanAnyProjectHasCreatesNothing) {
    const std::string part = m_parts + "crowded/";
    rtl::ForceDirectories(part);
    std::string persons;
    for (std::size_t i = 0; i <= host::MaxProjectPartList; ++i)
        persons += "<PrjPer PerUUID=\"" + std::to_string(300000000000000000 + i) + "\"/>";
    rtl::WriteFileBytes(part + "PrjInfo.xml", "<VekProject><PrjInfo PrjID=\"" + std::string(kNewProject) +
                                                  "\"><PrjPerInfo>" + persons +
                                                  "</PrjPerInfo></PrjInfo></VekProject>");
    const tests::InstallationState before = tests::StateOf(m_folder);
    EXPECT_EQ(Create(part, ""), -1);
    EXPECT_EQ(tests::StateOf(m_folder), before);
    EXPECT_FALSE(VekProjectExist(CountedText(kNewProject).Get()));
}

// An installation on a file system of its own that the test fills up, so that the creation runs out
// of space while it copies the materials.
class SmallFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string root = std::string(TARNWICK_BINARY_DIR) + "/project_creation_test/" +
                                 program_invocation_short_name + "/";
        m_disk.emplace(root + "small_fs", 32 << 20);
        if (!m_disk->Mounted())
            GTEST_SKIP() << m_disk->Reason();
        m_folder = m_disk->Path() + "inst";
        host::CreateSampleInstallation(m_folder);
        m_materials = root + "small_fs_materials/";
        fs::remove_all(m_materials);
        fs::create_directories(m_materials);
        for (int i = 1; i <= 5; ++i) {
            std::string bytes(kFileSize, '\0');
            for (std::size_t b = 0; b < bytes.size(); ++b)
                bytes[b] = static_cast<char>((b * 7919 + i) % 251);
            rtl::WriteFileBytes(m_materials + "底稿" + std::to_string(i) + ".dat", bytes);
        }
    }
    void TearDown() override {
        host::CloseInstallation();
        m_disk.reset();
        fs::remove_all(m_materials);
    }

    static constexpr std::size_t kFileSize = 256 * 1024;
    std::optional<tests::SmallFileSystem> m_disk;
    std::string m_folder, m_materials;
};

TEST_F(SmallFileSystemTest, RunningOutOfSpaceLeavesNoTraceOfTheProject) {
    struct Case {
        const char* Name;
        std::size_t Free;
    };
    const Case cases[] = {
        {"room for the database and three of the five files", 64 * 1024 + kFileSize * 7 / 2},
        {"no room at all", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_TRUE(m_disk->LeaveFree(c.Free));
        const tests::InstallationState before = tests::StateOf(m_folder);
        EXPECT_EQ(Create(kFixtures + "NewProject/XMGL/", m_materials), kProjectNotWritten);
        EXPECT_EQ(tests::StateOf(m_folder), before);
        EXPECT_FALSE(VekProjectExist(CountedText(kNewProject).Get()));
        EXPECT_EQ(tests::IntegrityOf(host::BaseDatabasePath()), "ok");
        fs::remove(m_disk->Path() + "filler");
    }
    EXPECT_EQ(Create(kFixtures + "NewProject/XMGL/", m_materials), kProjectCreated);
    for (int i = 1; i <= 5; ++i) {
        const std::string name = "底稿" + std::to_string(i) + ".dat";
        EXPECT_EQ(rtl::ReadFileBytes(host::ProjectMaterialsFolder(kNewProject) + name),
                  rtl::ReadFileBytes(m_materials + name));
    }
}

} // namespace
