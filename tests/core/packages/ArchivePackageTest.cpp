#include "tests/core/packages/PackagesFixture.h"
#include "tests/support/FillUpAtFirstBox.h"
#include "tests/support/SmallFileSystem.h"

#include "core/Messages.h"

#include "core/PackageDocument.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

#include <filesystem>
#include <fstream>
#include <regex>

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

using ArchivePackageTest = PackagesTest;

std::string PackageDir() {
    sharemem::CountedText dir;
    GetPackageDir(dir.Var());
    return dir.Str();
}

std::vector<std::string> PersonIds(const xml::TXMLNode& prjPerInfo) {
    std::vector<std::string> ids;
    for (const xml::TXMLNode& person : PackagePersons(prjPerInfo))
        ids.push_back(PackageAttributeText(person, "PerUUID"));
    return ids;
}

TEST_F(ArchivePackageTest, TheArchiveOfTheOpenProjectIsHandedToThePackageManagement) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    framework::TTreeView* tree = Tree({"2026年度财务收支审计", "审计通知书"});

    EXPECT_EQ(ArchivePackage(tree, "年度归档", "归档说明"), 1);

    const std::vector<host::PackageTaken> taken = host::PackagesTaken();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_TRUE(taken[0].Extended);
    EXPECT_EQ(taken[0].TypeName, ArchivePackageType);
    EXPECT_EQ(taken[0].Memo, "年度归档");
    const std::string tempFolder = host::TempFolder("XMGL");
    ASSERT_EQ(taken[0].Source.substr(0, tempFolder.size() + 1), tempFolder + "\\");
    EXPECT_TRUE(std::regex_match(taken[0].Source.substr(tempFolder.size() + 1), std::regex("[0-9]{14}\\.PACKAGE")));

    const std::string unpacked = Unpack(taken[0].StoredAs);
    EXPECT_EQ(Files(unpacked), (std::vector<std::string>{"Package.xml", "ResFile/审计通知书.txt"}));
    xml::TXMLDocument doc;
    LoadDocument(unpacked, doc);
    const xml::TXMLNode info = FindRootNode(doc, PackageInfoNode);
    EXPECT_EQ(PackageAttributeText(info, "PackageTypeName"), ArchivePackageType);
    EXPECT_EQ(PackageAttributeText(info, "PackageCaption"), "年度归档");
    EXPECT_EQ(PackageAttributeText(info, "PackageMemo"), "归档说明");
    const xml::TXMLNode prjInfo = FindRootNode(doc, PrjInfoNode);
    EXPECT_EQ(PackageAttributeText(prjInfo, "PrjID"), host::SampleProjectId);
    EXPECT_EQ(PackageAttributeText(prjInfo, "PrjInfoExport"), "False");
    // The persons are written twice: inside PrjInfo, where readers look, and under the root.
    const std::vector<std::string> persons = {host::SampleMemberId, "200000000000000012", "200000000000000013"};
    EXPECT_EQ(PersonIds(FindProjectPersons(doc)), persons);
    EXPECT_EQ(PersonIds(FindRootNode(doc, PrjPerInfoNode)), persons);
    std::vector<std::string> rootChildren;
    for (int i = 0; i < doc.DocumentElement().ChildNodes().Count(); ++i)
        rootChildren.push_back(doc.DocumentElement().ChildNodes()[i].NodeName());
    EXPECT_EQ(rootChildren, (std::vector<std::string>{"PackageInfo", "PrjInfo", "PrjPerInfo", "ExportItemInfo"}));
    const std::vector<xml::TXMLNode> items = PackageItems(doc);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].NodeName(), "项目资料");
    EXPECT_EQ(PackageAttributeText(items[0], "ModGuid"), "{6A1F0C2E-0002-4C57-9E10-000000000002}");
    EXPECT_EQ(PackageAttributeText(items[0], "ModDllFile"), "Modules\\ProjectMaterials.dll");
    EXPECT_EQ(PackageAttributeText(items[0], "AppName"), "项目资料");
    EXPECT_EQ(PackageAttributeText(items[0], "AppFileName"), "ResFile");

    // The progress window over the host's main form, closed at the end; the work folder is gone
    // but still reported.
    const std::vector<host::ProcessCall> calls = host::ProcessCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].Kind, host::ProcessCallKind::Begin);
    EXPECT_EQ(calls[0].Text, "正在进行归档处理，请稍等．．．");
    EXPECT_EQ(calls[0].Owner, m_mainForm.get());
    EXPECT_EQ(calls[1].Kind, host::ProcessCallKind::Change);
    EXPECT_EQ(calls[1].Text, "正在生成归档包文件，请稍等．．．");
    EXPECT_EQ(calls[2].Kind, host::ProcessCallKind::End);
    EXPECT_FALSE(fs::exists(WorkFolder()));
    EXPECT_EQ(PackageDir(), m_folder + "/~Vek~Temp\\CommonReader\\");
    EXPECT_TRUE(NewLogEntries().empty());
    EXPECT_TRUE(BoxTexts().empty());
}

struct ArchiveCase {
    const char* name;
    bool projectOpen;
    std::vector<std::string> nodes;
    bool handle;
    void (*inject)();
    // Expected:
    std::int32_t result;
    bool progress;
    std::vector<std::string> log;
    std::vector<std::string> workFolder; // null for a folder that is gone
    bool workFolderGone;
    std::vector<std::string> boxes;
};

const std::string Archive = "VekGDBPackage: ";

TEST_F(ArchivePackageTest, ArchiveCases) {
    // clang-format off
    const ArchiveCase cases[] = {
        {"an empty tree view", true, {}, true, [] {}, 0, false, {}, {}, false, {}},
        {"a tree view without a window", true, {"项目"}, false, [] {}, 0, false, {}, {}, false, {}},
        {"no project open", false, {"项目"}, true, [] {}, 0, true, {}, {}, false, {}},
        {"no archive material", true, {"项目"}, true,
         [] { host::InjectTextAnswer("VekPackage_GDRes", ""); }, 0, true,
         {Archive + "VekPackage生成归档包文件不存在！"}, {}, false, {}},
        {"an archive material that is no folder", true, {"项目"}, true,
         [] { host::InjectTextAnswer("VekPackage_GDRes", "/nowhere/ResFile"); }, 0, true,
         {Archive + "VekPackage生成归档包文件不存在！"}, {}, false, {}},
        {"a package library that raises", true, {"项目"}, true,
         [] { host::InjectRaise("VekPackage_GDRes", "broken"); }, 0, true,
         {Archive + "VekPackage生成归档包文件不存在！"}, {}, false, {"Load API Error: Load VekPackage Error"}},
        {"the compression fails", true, {"项目"}, true, [] { host::InjectAnswer("CompressFile", 0); }, 0, true,
         {Archive + "引入报送包管理失败！"}, {}, true, {}},
        {"the package management refuses", true, {"项目"}, true,
         [] { host::InjectAnswer("ReferenceDataPackageEx", 0); }, 0, true, {Archive + "引入报送包管理失败！"}, {},
         true, {}},
        {"no package management", true, {"项目"}, true, [] { host::InjectAbsent("ReferenceDataPackageEx"); }, 0,
         true, {Archive + "引入报送包管理失败！"}, {}, true, {}},
    };
    // clang-format on
    for (const ArchiveCase& c : cases) {
        SCOPED_TRACE(c.name);
        host::ClearRecords();
        host::CloseProject();
        framework::DialogService().ClearRecords();
        fs::remove_all(WorkFolder());
        fs::create_directories(WorkFolder());
        std::ofstream(WorkFolder() + "/stale.txt") << "from an earlier run";
        if (c.projectOpen) {
            ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
        }
        c.inject();
        for (const std::string& box : c.boxes)
            framework::ScriptedUser().AnswerBox(framework::IDOK, box);

        EXPECT_EQ(ArchivePackage(Tree(c.nodes, c.handle), "归档", ""), c.result);
        host::ClearInjections();

        EXPECT_EQ(host::LastPluginError(), "");
        EXPECT_TRUE(host::PackagesTaken().empty());
        EXPECT_EQ(NewLogEntries(), c.log);
        EXPECT_EQ(BoxTexts(), c.boxes);
        EXPECT_EQ(host::ProcessCalls().empty(), !c.progress);
        EXPECT_TRUE(host::EveryProcessEnded());
        if (!c.progress) {
            // Nothing was touched.
            EXPECT_EQ(Files(WorkFolder()), std::vector<std::string>{"stale.txt"});
            continue;
        }
        // The work folder was made afresh: the earlier run's file never joins an archive.
        EXPECT_EQ(fs::exists(WorkFolder()), !c.workFolderGone);
        EXPECT_EQ(Files(WorkFolder()), c.workFolder);
    }
}

TEST_F(ArchivePackageTest, TwoArchivesWithinOneSecondShareTheirName) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    SetPackageClock([] { return rtl::EncodeDate(2026, 12, 10) + rtl::EncodeTime(21, 5, 9, 0); });
    framework::TTreeView* tree = Tree({"项目"});

    EXPECT_EQ(ArchivePackage(tree, "第一次", ""), 1);
    EXPECT_EQ(ArchivePackage(tree, "第二次", ""), 1);

    const std::vector<host::PackageTaken> taken = host::PackagesTaken();
    ASSERT_EQ(taken.size(), 2u);
    const std::string file = host::TempFolder("XMGL") + "\\20261210210509.PACKAGE";
    EXPECT_EQ(taken[0].Source, file);
    EXPECT_EQ(taken[1].Source, file);
    // The second replaced the first; the package management kept a copy of each.
    xml::TXMLDocument first, second;
    LoadDocument(Unpack(taken[0].StoredAs), first);
    LoadDocument(Unpack(file), second);
    EXPECT_EQ(PackageAttributeText(FindRootNode(first, PackageInfoNode), "PackageCaption"), "第一次");
    EXPECT_EQ(PackageAttributeText(FindRootNode(second, PackageInfoNode), "PackageCaption"), "第二次");
}

// The package management failing with the installation's disk full by the time the user has read
// why: the failure's log entry cannot be written there, and the work folder still goes.
TEST_F(ArchivePackageTest, AHandOverThatFailsOnAFullInstallationDiskLeavesNoWorkFolder) {
    tests::SmallFileSystem disk(m_folder + "-disk", 48 << 20);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    const std::string installation = disk.Path() + "installation";
    host::CreateSampleInstallation(installation);
    framework::Application()->SetExeName(installation + "/Velmora");
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    host::ClearRecords();
    host::InjectRaise("ReferenceDataPackageEx", "no space left on the installation's disk");
    bool filled = false;
    tests::FillUpAtFirstBox(disk, filled);

    EXPECT_EQ(ArchivePackage(Tree({"项目"}), "归档", ""), 0);

    EXPECT_TRUE(filled);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{LoadVekProjectManageError});
    EXPECT_TRUE(host::PackagesTaken().empty());
    EXPECT_FALSE(fs::exists(installation + "/~Vek~Temp/CommonReader"));
}

TEST_F(ArchivePackageTest, AnArchiveThatFailsUnderTheSameNameKeepsTheFirst) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    SetPackageClock([] { return rtl::EncodeDate(2026, 12, 10) + rtl::EncodeTime(21, 5, 9, 0); });
    EXPECT_EQ(ArchivePackage(Tree({"项目"}), "第一次", ""), 1);
    const std::string file = rtl::ToNativePath(host::TempFolder("XMGL") + "\\20261210210509.PACKAGE");
    const std::string first = rtl::ReadFileBytes(file);

    for (const bool raises : {false, true}) {
        SCOPED_TRACE(raises ? "the tool raises" : "the tool writes nothing");
        host::ClearRecords();
        if (raises)
            host::InjectRaise("CompressFile", "disk full");
        else
            host::InjectAnswer("CompressFile", 0);
        EXPECT_EQ(ArchivePackage(Tree({"项目"}), "第二次", ""), 0);
        host::ClearInjections();
        EXPECT_TRUE(host::PackagesTaken().empty());
        EXPECT_EQ(rtl::ReadFileBytes(file), first);
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(rtl::ExtractFileDir(file)))
            names.push_back(entry.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{"20261210210509.PACKAGE"});
    }
}

TEST_F(ArchivePackageTest, ErrorsReachTheHostAndTheProgressWindowStillCloses) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    struct Case {
        const char* name;
        void (*inject)();
        const char* error;
    };
    const Case cases[] = {
        {"a failing module query", [] { host::InjectRaise("GetBaseDBConnection", "the base database is away"); },
         "the base database is away"},
        {"no temporary folder", [] { host::InjectTextAnswer("GetAppTempPathY", ""); },
         "the host names no temporary folder for XMGL"},
        {"a compression tool that raises", [] { host::InjectRaise("CompressFile", "disk full"); }, "disk full"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::ClearRecords();
        c.inject();
        EXPECT_EQ(ArchivePackage(Tree({"项目"}), "归档", ""), 0);
        host::ClearInjections();
        EXPECT_NE(host::LastPluginError().find(std::string("VekGDBPck: ") + c.error), std::string::npos)
            << host::LastPluginError();
        EXPECT_TRUE(host::PackagesTaken().empty());
        EXPECT_FALSE(host::ProcessCalls().empty());
        EXPECT_TRUE(host::EveryProcessEnded());
        EXPECT_TRUE(NewLogEntries().empty());
    }
    EXPECT_FALSE(fs::exists("/" + rtl::FormatDateTime("yyyymmddhhnnss", rtl::Now()) + ".PACKAGE"));
}

} // namespace
