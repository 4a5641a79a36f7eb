#include "core/EntryRoutines.h"
#include "core/HostApi.h"
#include "core/NotAvailableInThisBuild.h"
#include "core/WorkFolders.h"
#include "core/import/ImportState.h"
#include "tests/core/import/ImportFixture.h"
#include "tests/host/ziptool/ZipTestSupport.h"
#include "tests/support/SmallFileSystem.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Gbk.h"

#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

using ImportPackageTest = ImportTest;

const std::string Entry = "ImportXMLInfo: ";
const std::string Prep = "IniXMLInfo: ";
constexpr char MissingProjectId[] = "XM2026777";
constexpr char NotAPackageText[] = "数据包格式不正确或非项目数据包，请检查后导入！";

TEST_F(ImportPackageTest, EntryTable) {
    struct Row {
        const char* name;
        const char* user;
        bool ownProjectOpen;
        const char* prjId;
        std::vector<std::string> items;
        const char* typeName;
        const char* version;
        const char* flag;
        // Expected:
        std::int32_t result;
        std::vector<std::string> boxes;
        std::vector<std::string> log;
        bool wizard;
    };
    const char* member = host::SampleMemberId;
    const char* admin = AdministratorUserId;
    const char* own = host::SampleProjectId;
    // clang-format off
    const Row rows[] = {
        {"an ordinary package", member, true, own, {"审计事项"}, "", "3", "", 1, {}, {}, true},
        {"the administrator's package", admin, false, own, {"系统人员"}, "", "2", "0", 1, {}, {}, true},
        {"an archive package previewed", member, true, own, {"项目资料"}, "XMGL_PACKAGE_GDB", "3", "1", 1, {}, {},
         true},
        {"an archive package imported", member, true, own, {"项目资料"}, "XMGL_PACKAGE_GDB", "3", "", -1,
         {"归档包不能导入！"}, {Entry + "归档包不能导入！"}, false},
        {"only project information", member, true, own, {"项目信息"}, "", "3", "", -1,
         {"当前项目已经存在，数据包无其它信息！"}, {Prep + "当前项目已经存在，数据包无其它信息！"}, false},
        {"only project information, its project just created", member, false, MissingProjectId, {"项目信息"}, "",
         "3", "", -1, {}, {}, false},
        {"nothing importable, its project just created", member, false, MissingProjectId,
         {"项目信息", "审计分析"}, "", "3", "", 1, {}, {}, true},
        {"nothing importable for this user", member, false, own, {"系统人员"}, "", "3", "", -1,
         {"没有可导入的数据信息！"}, {Entry + "没有可导入的数据信息！"}, false},
        {"a version-1 package", member, false, own, {"审计事项"}, "", "1", "", -3, {},
         {Prep + "调用报送数据包管理处理！"}, false},
        {"an unknown version", member, false, own, {"审计事项"}, "", "4", "", -1, {NotAPackageText},
         {Prep + NotAPackageText}, false},
        {"a version-2 package", member, true, own, {"审计事项"}, "", "2", "", 1, {}, {}, true},
        {"a version-2 archive package previewed", member, true, own, {"项目资料"}, "XMGL_PACKAGE_GDB", "2", "1",
         1, {}, {}, true},
        {"a version-2 archive package imported", member, true, own, {"项目资料"}, "XMGL_PACKAGE_GDB", "2", "",
         -1, {"归档包不能导入！"}, {Entry + "归档包不能导入！"}, false},
        {"a version-2 package for a project just created", member, false, MissingProjectId,
         {"项目信息", "审计分析"}, "", "2", "", 1, {}, {}, true},
    };
    // clang-format on
    for (const Row& tableRow : rows) {
        SCOPED_TRACE(tableRow.name);
        Row row = tableRow;
        // The reduced build reads no version-3 package, archives included, and says so.
        const bool readable = !(BuildTrait::Reduced && std::string(row.version) == "3");
        if (!readable)
            row = {row.name,
                   row.user,
                   row.ownProjectOpen,
                   row.prjId,
                   row.items,
                   row.typeName,
                   row.version,
                   row.flag,
                   -1,
                   {NotAPackageText},
                   {Prep + NotAPackageText},
                   false};
        row.log = Logged(row.log);
        StartOver(row.user);
        PackageRecipe recipe;
        recipe.prjId = row.prjId;
        recipe.items = row.items;
        recipe.typeName = row.typeName;
        recipe.version = row.version;
        const std::string package = MakePackage("entry", recipe);
        if (row.ownProjectOpen) {
            ASSERT_TRUE(host::OpenProject(own));
        }
        ExpectBoxes(row.boxes);

        EXPECT_EQ(ImportPackage(package, row.flag), row.result);

        EXPECT_EQ(BoxTexts(), row.boxes);
        EXPECT_EQ(NewLogEntries(), row.log);
        ASSERT_EQ(m_wizardCalls.size(), row.wizard ? 1u : 0u);
        if (row.wizard) {
            EXPECT_EQ(m_wizardCalls[0].folder, WorkFolder());
            EXPECT_EQ(m_wizardCalls[0].userKind, row.user == admin ? "Admin" : "User");
            EXPECT_EQ(m_wizardCalls[0].preview, std::string(row.flag) == "1");
        }
        EXPECT_EQ(ProjectCreatedByImport, row.prjId == MissingProjectId && readable);
        EXPECT_TRUE(host::EveryProcessEnded());
    }
}

TEST_F(ImportPackageTest, TheUserChoosesTheFileWhenNoneIsGiven) {
    const std::string package = MakePackage("chosen", PackageRecipe());
    host::SetCurrentUser(host::SampleMemberId);
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    framework::ScriptedUser().AnswerFile(package);
    EXPECT_EQ(ImportPackage("  ", ""), 1);
    const auto& dialogs = framework::DialogService().Records();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].kind, framework::TDialogKind::Open);
    EXPECT_EQ(dialogs[0].title, "请选择一个导出包文件");
    EXPECT_EQ(dialogs[0].filter, "项目数据统一导出包文件 (*.Package)|*.Package|所有文件(*.*)|*.*");
    EXPECT_EQ(m_wizardCalls.size(), 1u);

    // A cancelled choice, a missing file and a folder end before anything is prepared.
    StartOver(AdministratorUserId);
    framework::ScriptedUser().CancelFile();
    EXPECT_EQ(ImportPackage("", ""), -1);
    EXPECT_EQ(ImportPackage(m_folder + "/Packages/none.Package", ""), -1);
    EXPECT_EQ(ImportPackage(m_folder + "/Packages", ""), -1);
    EXPECT_TRUE(host::ProcessCalls().empty());
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{""}); // the dialog's record
    EXPECT_TRUE(m_wizardCalls.empty());
}

TEST_F(ImportPackageTest, NothingOfAnEarlierPackageDecidesForTheNext) {
    // A member's package with only project information for the open project...
    host::SetCurrentUser(host::SampleMemberId);
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    PackageRecipe onlyInfo;
    onlyInfo.items = std::vector<std::string>{"项目信息"};
    ExpectBoxes({"当前项目已经存在，数据包无其它信息！"});
    EXPECT_EQ(ImportPackage(MakePackage("first", onlyInfo), ""), -1);
    EXPECT_TRUE(OnlyProjectInfoPackage);
    EXPECT_EQ(ImportMode, ImportModeIntoProject);

    // ...does not refuse the administrator's next package, which names its own project.
    StartOver(AdministratorUserId);
    PackageRecipe other;
    other.prjId = host::SecondProjectId;
    other.items = std::vector<std::string>{"系统人员"};
    EXPECT_EQ(ImportPackage(MakePackage("second", other), ""), 1);
    EXPECT_FALSE(OnlyProjectInfoPackage);
    EXPECT_EQ(ImportMode, ImportModeProjectFree);
    EXPECT_EQ(PackageProjectInfo.PrjID.Str(), host::SecondProjectId);

    // A package without a project ends with an explicit mode, and names no earlier project; its
    // project-bound item is nothing this member may import.
    StartOver(host::SampleMemberId);
    PackageRecipe noProject;
    noProject.prjId.reset();
    ExpectBoxes({"没有可导入的数据信息！"});
    EXPECT_EQ(ImportPackage(MakePackage("third", noProject), ""), -1);
    EXPECT_EQ(ImportMode, ImportModeUnfiltered);
    EXPECT_EQ(PackageProjectInfo.PrjID.Str(), "");
    EXPECT_TRUE(m_wizardCalls.empty());
}

TEST_F(ImportPackageTest, BadInputEndsWithMinusOneAndWritesNothingOutsideTheWorkFolder) {
    const std::string goodXml = PackageXml(PackageRecipe());
    const std::string good = MakePackage("good", PackageRecipe());
    const std::string goodBytes = rtl::ReadFileBytes(good);
    const std::string evil = m_folder + "/~Vek~Temp/evil.txt";
    const std::string body = "<VekPackage><PackageInfo PackageVersion=\"3\" PackageCaption=\"" +
                             rtl::Utf8ToGbk("审计项目") + "\"/><ExportItemInfo/></VekPackage>";
    // Each box is the preparation's, and logged by it; an archive the compression tool refuses is
    // logged with the tool's reason beside the box's text ("{package}" stands for the package's path).
    struct Case {
        const char* name;
        std::function<std::string()> make;
        std::vector<std::string> boxes;
        std::string reason = {};
    };
    const std::string unreadable = "\"{package}\" is not a readable archive: Not a zip archive";
    // clang-format off
    const Case cases[] = {
        {"a truncated ZIP", [&] { return MakeFile("truncated.Package", goodBytes.substr(0, goodBytes.size() / 2)); },
         {NotAPackageText}, unreadable},
        {"a ZIP with a \"..\" entry",
         [&] {
             const std::string path = m_folder + "/Packages/dotdot.Package";
             WriteRawArchive(path, {{"Package.XML", goodXml}, {"../evil.txt", "x"}});
             return path;
         },
         {NotAPackageText}, "the entry \"../evil.txt\" leads out of its folder (\"..\")"},
        {"a ZIP with a link",
         [&] {
             const std::string path = m_folder + "/Packages/link.Package";
             WriteRawArchive(path, {{"Package.XML", goodXml}, {"evil.txt", "../evil.txt", true}});
             return path;
         },
         {NotAPackageText}, "the entry \"evil.txt\" is a link"},
        {"a document type declaration",
         [&] {
             return MakePackageOfFiles(
                 "doctype", {{"Package.XML", "<?xml version=\"1.0\"?><!DOCTYPE VekPackage [<!ENTITY e SYSTEM "
                                             "\"file:///etc/passwd\">]><VekPackage>&e;</VekPackage>"}});
         },
         {"打开文件失败！"}},
        {"an undeclared encoding",
         [&] { return MakePackageOfFiles("encoding", {{"Package.XML", "<?xml version=\"1.0\"?>" + body}}); },
         {"打开文件失败！"}},
        {"no ExportItemInfo",
         [&] {
             PackageRecipe recipe;
             recipe.items.reset();
             return MakePackage("noitems", recipe);
         },
         {NotAPackageText}},
        {"an empty file", [&] { return MakeFile("empty.Package", ""); }, {NotAPackageText}, unreadable},
        {"a folder", [&] { return m_folder + "/Packages/folder.Package/"; }, {}},
    };
    // clang-format on
    fs::create_directories(m_folder + "/Packages/folder.Package");
    for (const char* user : {host::SampleMemberId, AdministratorUserId}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " for " + user);
            StartOver(user);
            const std::string package = c.make();
            const std::string bytes = rtl::FileExists(package) ? rtl::ReadFileBytes(package) : "";
            const auto outside = TreeOutsideWorkFolder();
            ExpectBoxes(c.boxes);

            EXPECT_EQ(ImportPackage(package, ""), -1);

            EXPECT_EQ(BoxTexts(), c.boxes);
            std::vector<std::string> log;
            std::string reason = c.reason;
            if (const std::size_t at = reason.find("{package}"); at != std::string::npos)
                reason.replace(at, std::strlen("{package}"), package);
            for (const std::string& box : c.boxes)
                log.push_back(Prep + box + (reason.empty() ? "" : " Cannot unpack: " + reason));
            EXPECT_EQ(NewLogEntries(), Logged(log));
            EXPECT_TRUE(m_wizardCalls.empty());
            EXPECT_TRUE(host::EveryProcessEnded());
            EXPECT_EQ(TreeOutsideWorkFolder(), outside);
            EXPECT_FALSE(fs::exists(fs::symlink_status(evil)));
            EXPECT_EQ(rtl::FileExists(package) ? rtl::ReadFileBytes(package) : "", bytes);
        }
    }
}

TEST_F(ImportPackageTest, AFailureOnTheWayIsReportedAndLogged) {
    StartOver(host::SampleMemberId);
    host::InjectRaise("VekProjectExist", "the project list is locked");
    ExpectBoxes({"数据包导入失败！"});
    EXPECT_EQ(ImportPackage(MakePackage("failing", PackageRecipe()), ""), -1);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"数据包导入失败！"});
    EXPECT_EQ(NewLogEntries(), Logged({Entry + "数据包导入失败！"}));
    EXPECT_TRUE(m_wizardCalls.empty());
    EXPECT_TRUE(host::EveryProcessEnded());
    host::ClearInjections();
}

// A failure on an installation disk that the package filled is logged all the same: the work
// folder goes before the entry is written.
TEST_F(ImportPackageTest, AFailureOnAFullInstallationDiskIsStillLogged) {
    const std::string package = MakePackage("filling", PackageRecipe());
    tests::SmallFileSystem disk(m_folder + "-disk", 48 << 20);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    host::CreateSampleInstallation(disk.Path() + "installation");
    StartOver(host::SampleMemberId);
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    ImportForms().ShowWizard = [&](const std::string& folder, const std::string&, bool) {
        ASSERT_TRUE(disk.FillUp(rtl::ToNativePath(folder) + "filler"));
        throw rtl::Exception("the wizard cannot be shown");
    };
    ExpectBoxes({"数据包导入失败！"});

    EXPECT_EQ(ImportPackage(package, ""), -1);

    EXPECT_EQ(NewLogEntries(), Logged({Entry + "数据包导入失败！"}));
    EXPECT_FALSE(rtl::DirectoryExists(CommonReaderFolder()));
}

TEST_F(ImportPackageTest, TheMaterialsUnpackedForAVersion2ImportGoWhenTheImportEnds) {
    const std::string xmgl = m_folder + "/~Vek~Temp/XMGL/";
    const std::string package = MakePackage("materials", PackageRecipe());
    struct Case {
        const char* name;
        std::string package;
        std::int32_t result;
        std::vector<std::string> boxes;
    };
    const Case cases[] = {
        {"an import", package, 1, {}},
        {"a refused import", MakeFile("garbage.Package", "no archive"), -1, {NotAPackageText}},
        {"a package that is not there", m_folder + "/Packages/none.Package", -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartOver(host::SampleMemberId);
        ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
        rtl::ForceDirectories(xmgl + "ResFile/审计方案");
        rtl::WriteFileBytes(xmgl + "ResFile/审计方案/方案.txt", "materials");
        rtl::WriteFileBytes(xmgl + "kept.txt", "the resource package's");
        ExpectBoxes(c.boxes);
        EXPECT_EQ(ImportPackage(c.package, ""), c.result);
        EXPECT_FALSE(fs::exists(xmgl + "ResFile"));
        EXPECT_TRUE(fs::exists(xmgl + "kept.txt")) << "the rest of the folder is not the import's";
    }
}

} // namespace
