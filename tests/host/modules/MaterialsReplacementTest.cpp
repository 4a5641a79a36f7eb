// An import of project materials replaces each of the project's files whole, never writes over it:
// a disk that fills or a process killed during the import leaves every material either as it was or
// as the package has it, and the failure is the module's.
#include "ModuleSupport.h"

#include "tests/support/SmallFileSystem.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr char kMaterials[] = "项目资料";
constexpr char kNotice[] = "审计通知书.txt";
constexpr std::int32_t kImportFailed = -1;

std::map<std::string, std::string> Materials() {
    return modtest::FilesBelow(host::ProjectMaterialsFolder(host::SampleProjectId));
}

// An installation on a file system of its own that the test fills up, and an item folder beside it.
class MaterialsOnAFullDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string root = std::string(TARNWICK_BINARY_DIR) + "/materials_replacement_test/" +
                                 program_invocation_short_name + "/";
        m_disk.emplace(root + "small_fs", 32 << 20);
        if (!m_disk->Mounted())
            GTEST_SKIP() << m_disk->Reason();
        host::CreateSampleInstallation(m_disk->Path() + "inst");
        ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
        m_item = root + "item/";
        fs::remove_all(m_item);
        fs::create_directories(m_item);
        rtl::WriteFileBytes(m_item + kNotice, tests::IncompressibleBytes(2 << 20));
    }
    void TearDown() override {
        host::CloseInstallation();
        m_disk.reset();
        fs::remove_all(m_item);
    }

    std::optional<tests::SmallFileSystem> m_disk;
    std::string m_item;
};

TEST_F(MaterialsOnAFullDiskTest, TheProjectsMaterialStaysWholeAndTheModuleFails) {
    const std::map<std::string, std::string> before = Materials();
    ASSERT_EQ(before.count(kNotice), 1u);
    for (const std::size_t free : {std::size_t(1) << 20, std::size_t(0)}) {
        SCOPED_TRACE(std::to_string(free) + " bytes free");
        ASSERT_TRUE(m_disk->LeaveFree(free));
        EXPECT_EQ(modtest::ImportModule(kMaterials, m_item), kImportFailed);
        EXPECT_EQ(Materials(), before) << "no material is cut short, and no temporary stays beside it";
        fs::remove(m_disk->Path() + "filler");
    }
    EXPECT_EQ(modtest::ImportModule(kMaterials, m_item), 1);
    EXPECT_EQ(Materials().at(kNotice), rtl::ReadFileBytes(m_item + kNotice));
}

class MaterialsKillTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = std::string(TARNWICK_BINARY_DIR) + "/materials_replacement_test/" +
                 program_invocation_short_name + "/" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        fs::remove_all(m_root);
        host::CreateSampleInstallation(m_root + "inst");
    }
    void TearDown() override {
        host::CloseInstallation();
        fs::remove_all(m_root);
    }

    std::string m_root;
};

// Whether bytes stand in the project's materials folder, under the material's own name or another.
bool Written(const std::string& bytes) {
    for (const auto& entry :
         fs::directory_iterator(rtl::ToNativePath(host::ProjectMaterialsFolder(host::SampleProjectId))))
        if (entry.is_regular_file() && rtl::ReadFileBytes(entry.path().string()) == bytes)
            return true;
    return false;
}

// The host's process is killed while it writes a material (its bytes come through a pipe that the
// test holds open); the material that was there is whole, and what the import left goes at the next
// start.
TEST_F(MaterialsKillTest, AProcessKilledWhileItWritesAMaterialLeavesTheOldOneWhole) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    const std::map<std::string, std::string> before = Materials();
    const std::string item = m_root + "item/";
    fs::create_directories(item);
    ASSERT_EQ(::mkfifo((item + kNotice).c_str(), 0600), 0);
    host::CloseInstallation();

    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        try {
            host::OpenInstallation(m_root + "inst");
            host::OpenProject(host::SampleProjectId);
            modtest::ImportModule(kMaterials, item);
            ::_exit(2);
        } catch (...) {
            ::_exit(3);
        }
    }
    const int pipe = ::open((item + kNotice).c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(pipe, 0);
    const std::string half = "新的通知书，前一半";
    ASSERT_EQ(::write(pipe, half.data(), half.size()), static_cast<ssize_t>(half.size()));
    host::OpenInstallation(m_root + "inst");
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    // Until the half stands on the disk, as the material or beside it: only then is the kill inside
    // the material's write. The bound only keeps a broken import from hanging the test.
    for (int i = 0; i < 20000 && !Written(half); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    host::CloseInstallation();
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(pipe);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "2: the import ended; 3: it raised";

    host::OpenInstallation(m_root + "inst");
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    EXPECT_EQ(Materials(), before) << "the old material whole, and the temporary swept at the start";
}

} // namespace
