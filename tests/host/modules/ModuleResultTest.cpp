#include "ModuleSupport.h"

#include "host/Database.h"
#include "host/HostState.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using host::PluginBuild;
using sharemem::CountedText;

namespace {

class ModuleResultTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = std::string(TARNWICK_BINARY_DIR) + "/module_result_test/" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(m_folder);
        host::CreateSampleInstallation(m_folder);
        rtl::ForceDirectories(WorkFolder());
    }
    void TearDown() override {
        host::CloseInstallation();
        std::filesystem::remove_all(m_folder);
    }
    std::string WorkFolder() const { return host::InstallationFolder() + "~Vek~Temp\\CommonReader\\"; }

    std::string m_folder;
};

std::string PackageCall(const char* entry, const std::string& argument = "") {
    modtest::LoadedLibrary lib("System\\API\\VekPackage.dll");
    CountedText answer("stale");
    if (std::string(entry) == "VekPackage_PrjRes")
        reinterpret_cast<decltype(&VekPackage_PrjRes)>(lib.Entry(entry))(answer.Var(), nullptr, nullptr,
                                                                         nullptr, 1);
    else if (std::string(entry) == "VekPackage_ResIDs")
        reinterpret_cast<decltype(&VekPackage_ResIDs)>(lib.Entry(entry))(answer.Var(), nullptr,
                                                                         argument.c_str());
    else
        reinterpret_cast<decltype(&VekPackage_GDRes)>(lib.Entry(entry))(answer.Var(), nullptr);
    return answer.Str();
}

TEST_F(ModuleResultTest, EveryRegisteredLibraryLoadsWithItsEntries) {
    auto rows = modtest::RegisteredModules();
    ASSERT_EQ(rows.size(), 5u);
    std::set<int> inPrj;
    for (const auto& row : rows) {
        inPrj.insert(row.ModInPrj);
        modtest::LoadedLibrary lib(row.DllFile);
        for (const char* entry : {"VekPackage_View", "VekPackage_ExportProc", "VekPackage_Export",
                                  "VekPackage_Free", "VekPackage_ImportProc", "VekPackage_Import"})
            EXPECT_NE(lib.Entry(entry), nullptr) << row.Caption << " " << entry;
    }
    EXPECT_EQ(inPrj, (std::set<int>{0, 1, 2}));
    modtest::LoadedLibrary package("System\\API\\VekPackage.dll");
    for (const char* entry : {"VekPackage_PrjRes", "VekPackage_ResIDs", "VekPackage_GDRes"})
        EXPECT_NE(package.Entry(entry), nullptr) << entry;
    EXPECT_EQ(package.Entry("VekPackage_Export"), nullptr);
}

TEST_F(ModuleResultTest, ExportAnswersTheFailureAndNothingSelectedCodes) {
    for (const char* caption : {"项目信息", "项目资料", "审计事项", "审计分析"})
        EXPECT_EQ(modtest::ExportModule(caption), "-3") << caption << " without an open project";
    // The personnel are the system's, not only a project's.
    EXPECT_EQ(modtest::ExportModule("系统人员"), WorkFolder() + "SystemPersonnel.db") << "without an open project";
    EXPECT_EQ(PackageCall("VekPackage_PrjRes"), "-2");
    EXPECT_EQ(PackageCall("VekPackage_GDRes"), "");

    ASSERT_TRUE(host::OpenProject(host::ThirdProjectId));
    EXPECT_EQ(modtest::ExportModule("系统人员"), "-2") << "a project without persons";
    EXPECT_EQ(modtest::ExportModule("审计分析"), "-2") << "no account book selected";
    host::SetSelectedAccountBook("-1");
    EXPECT_EQ(modtest::ExportModule("审计分析"), "-2");
    host::SetSelectedAccountBook("ZT-0009");
    EXPECT_EQ(modtest::ExportModule("审计分析"), "-2") << "a book without rows";
    host::detail::RemoveTree(host::ProjectMaterialsFolder(host::ThirdProjectId));
    rtl::ForceDirectories(host::ProjectMaterialsFolder(host::ThirdProjectId) + "empty");
    EXPECT_EQ(modtest::ExportModule("项目资料"), "-2");
    EXPECT_EQ(PackageCall("VekPackage_PrjRes"), "-2");

    // The work folder cannot be made: the result cannot be written.
    host::detail::RemoveTree(WorkFolder());
    rtl::WriteFileBytes(host::InstallationFolder() + "~Vek~Temp\\CommonReader", "in the way");
    EXPECT_EQ(modtest::ExportModule("项目信息"), "-4");
    EXPECT_EQ(modtest::ExportModule("审计事项"), "-4");
}

TEST_F(ModuleResultTest, InjectedFailures) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    host::InjectTextAnswer("VekPackage_Export#4", "-1");
    EXPECT_EQ(modtest::ExportModule("审计事项"), "-1");
    EXPECT_EQ(modtest::ExportModule("审计分析"), "-2") << "only entry 4 is injected";
    host::InjectTextAnswer("VekPackage_Export#1", "");
    EXPECT_EQ(modtest::ExportModule("项目信息"), "");
    host::InjectRaise("VekPackage_Export#2", "materials broke");
    EXPECT_THROW(modtest::ExportModule("项目资料"), rtl::Exception);
    host::InjectAnswer("VekPackage_Import#3", 0);
    EXPECT_EQ(modtest::ImportModule("系统人员", "anything"), 0);
    host::InjectRaise("VekPackage_Import#4", "import broke");
    EXPECT_THROW(modtest::ImportModule("审计事项", "anything"), rtl::Exception);
    host::InjectTextAnswer("VekPackage_PrjRes", "-1");
    EXPECT_EQ(PackageCall("VekPackage_PrjRes"), "-1");
    host::InjectRaise("VekPackage_GDRes", "no archive");
    EXPECT_THROW(PackageCall("VekPackage_GDRes"), rtl::Exception);
    host::InjectRaise("VekPackage_ResIDs", "no resources");
    EXPECT_THROW(PackageCall("VekPackage_ResIDs", "R003"), rtl::Exception);
    host::ClearInjections();
    EXPECT_EQ(modtest::ExportModule("审计事项"), WorkFolder() + "XM_AuditMatter.db");
}

TEST_F(ModuleResultTest, ImportRefusesWhatIsNoItem) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    const std::string junk = WorkFolder() + "junk.db";
    rtl::WriteFileBytes(junk, "not a database at all");
    const std::string matters = modtest::ExportModule("审计事项");
    for (const char* caption : {"项目信息", "项目资料", "系统人员", "审计事项", "审计分析"}) {
        EXPECT_EQ(modtest::ImportModule(caption, junk), -1) << caption;
        EXPECT_EQ(modtest::ImportModule(caption, WorkFolder() + "missing"), -1) << caption;
        EXPECT_EQ(modtest::ImportModule(caption, ""), -1) << caption;
    }
    EXPECT_EQ(modtest::ImportModule("审计事项", "@&@" + matters), -1) << "a preview path";
    EXPECT_EQ(modtest::ImportModule("系统人员", matters), -1) << "rows of another table";
    EXPECT_EQ(modtest::ImportModule("审计事项", matters), 1);
    host::CloseProject();
    EXPECT_EQ(modtest::ImportModule("审计事项", matters), -1) << "no project open";
}

TEST_F(ModuleResultTest, PackageLibraryAnswers) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    const auto materials = modtest::FilesBelow(host::ProjectMaterialsFolder(host::SampleProjectId));
    EXPECT_EQ(PackageCall("VekPackage_PrjRes"), WorkFolder() + "ResFile\\");
    EXPECT_EQ(modtest::FilesBelow(WorkFolder() + "ResFile"), materials);
    host::detail::RemoveTree(WorkFolder() + "ResFile");
    EXPECT_EQ(PackageCall("VekPackage_GDRes"), WorkFolder() + "ResFile\\");
    EXPECT_EQ(modtest::FilesBelow(WorkFolder() + "ResFile"), materials);

    {
        host::Database db;
        db.Open(host::ProjectDatabasePath(host::SampleProjectId), false);
        db.Run("insert into Vek_ResTrv values (?,?,?)", {"R009", "DGGL_ZL", "..\\..\\..\\base.db"});
    }
    const std::string file = PackageCall("VekPackage_ResIDs", "R003@&@R009@&@R404");
    ASSERT_TRUE(rtl::FileExists(file)) << file;
    EXPECT_EQ(rtl::ExtractFileName(file), "ResFile.pck");
    const std::string unpacked = m_folder + "/unpacked/";
    CountedText out;
    ASSERT_EQ(ExtractFile(out.Var(), file.c_str(), unpacked.c_str()), 1);
    EXPECT_EQ(modtest::FilesBelow(unpacked),
              (std::map<std::string, std::string>{{"审计通知书.txt", materials.at("审计通知书.txt")}}));
    EXPECT_EQ(PackageCall("VekPackage_ResIDs", "R001,R009"), "") << "no material among them";
    EXPECT_EQ(PackageCall("VekPackage_ResIDs", ""), "");

    host::SetInstalledPluginBuild(PluginBuild::Reduced);
    const std::string packed = PackageCall("VekPackage_PrjRes");
    EXPECT_TRUE(rtl::FileExists(packed));
    EXPECT_EQ(rtl::ExtractFileName(packed), "ResFile.pck");
}

} // namespace
