#include "core/import/PrepareImport.h"

#include "core/HostApi.h"
#include "core/HostSession.h"
#include "core/PackageState.h"
#include "core/import/ImportState.h"
#include "core/import/UserKind.h"
#include "tests/core/import/ImportFixture.h"

#include "platform/ado/ADOConnection.h"
#include "platform/framework/Dialogs.h"
#include "platform/rtl/FileSystem.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

using PrepareImportTest = ImportTest;

enum class User { Admin, Member, Outsider };
// HostOnly: the project library reports an open project that the host program does not pass on.
enum class Open { None, Own, Other, HostOnly };
// Unopenable: the host says the project exists, but it does not open.
enum class Local { Exists, Missing, Unopenable };
// AccountBook: a module bound through the selected account book. Disguised*: an item captioned as
// that module that names the audit matters' or the materials' module. Unreadable: a project-bound
// item whose file the package lacks.
enum class Items {
    Bound,
    WithMaterials,
    ProjectFree,
    OnlyInfo,
    AccountBook,
    DisguisedMatters,
    DisguisedMaterials,
    Unreadable
};
// The two "WithoutProjectPart" kinds lack the part a project is created from ("XMGL\" or "XMGL.pck").
enum class Kind { V1, V2, V3, V2WithoutProjectPart, V3WithoutProjectPart, Foreign, NotAPackage };

constexpr char MissingProjectId[] = "XM2026777";

struct Row {
    const char* name;
    User user;
    Open open;
    Local local;
    const char* prjInfoExport;
    Items items;
    std::int32_t creationAnswer;
    Kind kind;
    int reply; // to the question whether to open the project
    // Expected:
    std::int32_t result;
    std::int32_t mode;
    std::vector<std::string> boxes;
    std::vector<std::string> log;
    std::vector<std::string> opened;
    bool creationAsked;
};

std::string UserId(User user) {
    switch (user) {
    case User::Admin:
        return AdministratorUserId;
    case User::Member:
        return host::SampleMemberId;
    case User::Outsider:
        return host::SampleOutsiderId;
    }
    return "";
}

std::vector<std::string> Captions(Items items) {
    switch (items) {
    case Items::Bound:
    case Items::Unreadable:
        return {"审计事项"};
    case Items::WithMaterials:
        return {"项目资料", "审计事项"};
    case Items::ProjectFree:
        return {"系统人员"};
    case Items::OnlyInfo:
        return {"项目信息"};
    case Items::AccountBook:
    case Items::DisguisedMatters:
    case Items::DisguisedMaterials:
        return {"审计分析"};
    }
    return {};
}

std::map<std::string, std::string> ItemModules(Items items) {
    switch (items) {
    case Items::DisguisedMatters:
        return {{"审计分析", "审计事项"}};
    case Items::DisguisedMaterials:
        return {{"审计分析", "项目资料"}};
    default:
        return {};
    }
}

int VersionOf(Kind kind) {
    switch (kind) {
    case Kind::V1:
        return 1;
    case Kind::V2:
    case Kind::V2WithoutProjectPart:
        return 2;
    case Kind::V3:
    case Kind::V3WithoutProjectPart:
        return 3;
    case Kind::Foreign:
        return 0;
    case Kind::NotAPackage:
        return -1;
    }
    return -2;
}

const std::string Prep = "IniXMLInfo: ";
const std::string NoProjectPartText = "数据包中没有项目信息，不能建立项目！";
const std::string NotAPackageText = "数据包格式不正确或非项目数据包，请检查后导入！";
// The compression tool's reason, logged beside the text; "{package}" stands for the package's path.
const std::string NotAnArchiveReason =
    " Cannot unpack: \"{package}\" is not a readable archive: Not a zip archive";
const std::string NothingImportableText = "没有可导入的数据信息！";

// The row as the build under test plays it: the reduced build reads no version-3 package and refuses
// it as one it cannot read, and it writes no log entries.
Row OnThisBuild(Row row) {
    if (BuildTrait::Reduced && VersionOf(row.kind) == 3) {
        row.result = -1;
        row.mode = ImportModeUnfiltered;
        row.boxes = {NotAPackageText};
        row.log = {Prep + NotAPackageText};
        row.opened.clear();
        row.creationAsked = false;
    }
    row.log = Logged(row.log);
    return row;
}

TEST_F(PrepareImportTest, DecisionTable) {
    const int Y = framework::IDYES, N = framework::IDNO;
    // clang-format off
    const Row rows[] = {
        // Version and user kind.
        {"administrator, version 3", User::Admin, Open::None, Local::Exists, "True", Items::Bound, 1, Kind::V3, 0,
         1, 1, {}, {}, {}, false},
        {"administrator beside another project", User::Admin, Open::Other, Local::Missing, "FALSE", Items::Bound,
         1, Kind::V2, 0, 1, 1, {}, {}, {}, false},
        {"version 1", User::Admin, Open::None, Local::Exists, "True", Items::Bound, 1, Kind::V1, 0,
         -3, 0, {}, {Prep + "调用报送数据包管理处理！"}, {}, false},
        {"foreign package", User::Member, Open::None, Local::Exists, "True", Items::Bound, 1, Kind::Foreign, 0,
         -1, 0, {"要导入的包是系统人员导出的包，请使用系统人员管理的系统人员导入功能导入！"},
         {Prep + "要导入的包是系统人员导出的包，请使用系统人员管理的系统人员导入功能导入！"}, {}, false},
        {"not a package", User::Member, Open::None, Local::Exists, "True", Items::Bound, 1, Kind::NotAPackage, 0,
         -1, 0, {NotAPackageText}, {Prep + NotAPackageText + NotAnArchiveReason}, {}, false},
        // A project is open.
        {"the package's project is open", User::Member, Open::Own, Local::Exists, "True", Items::Bound, 1,
         Kind::V3, 0, 1, 2, {}, {}, {}, false},
        {"only project information for the open project", User::Member, Open::Own, Local::Exists, "True",
         Items::OnlyInfo, 1, Kind::V3, 0, 1, 2, {"当前项目已经存在，数据包无其它信息！"},
         {Prep + "当前项目已经存在，数据包无其它信息！"}, {}, false},
        {"another project is open", User::Member, Open::Other, Local::Exists, "True", Items::Bound, 1, Kind::V2,
         0, -1, 0, {"当前项目与导入包项目信息不同，不能导入！"}, {Prep + "当前项目与导入包项目信息不同，不能导入！"},
         {}, false},
        {"a non-member with the package's project open", User::Outsider, Open::Own, Local::Exists, "True",
         Items::Bound, 1, Kind::V3, 0, -1, 0, {"当前人员没有参与该项目，不能导入！"},
         {Prep + "当前人员没有参与该项目，不能导入！"}, {}, false},
        {"a non-member's project-free package for the open project", User::Outsider, Open::Own, Local::Exists,
         "True", Items::ProjectFree, 1, Kind::V3, 0, 1, 2, {}, {}, {}, false},
        {"a non-member's account-book package for the open project", User::Outsider, Open::Own, Local::Exists,
         "True", Items::AccountBook, 1, Kind::V2, 0, -1, 0, {"当前人员没有参与该项目，不能导入！"},
         {Prep + "当前人员没有参与该项目，不能导入！"}, {}, false},
        {"a non-member's item named as the analysis, of the audit matters' module", User::Outsider, Open::Own,
         Local::Exists, "True", Items::DisguisedMatters, 1, Kind::V2, 0, -1, 0, {"当前人员没有参与该项目，不能导入！"},
         {Prep + "当前人员没有参与该项目，不能导入！"}, {}, false},
        {"a non-member's item named as the analysis, of the materials' module", User::Outsider, Open::Own,
         Local::Exists, "True", Items::DisguisedMaterials, 1, Kind::V2, 0, -1, 0,
         {"当前人员没有参与该项目，不能导入！"}, {Prep + "当前人员没有参与该项目，不能导入！"}, {}, false},
        // No project is open.
        {"project-free package", User::Member, Open::None, Local::Exists, "True", Items::ProjectFree, 1,
         Kind::V3, 0, 1, 1, {}, {}, {}, false},
        {"project-free package of a non-member", User::Outsider, Open::None, Local::Missing, "True",
         Items::ProjectFree, 1, Kind::V2, 0, 1, 1, {}, {}, {}, false},
        {"account-book package of a non-member", User::Outsider, Open::None, Local::Exists, "True",
         Items::AccountBook, 1, Kind::V2, 0, -1, 0, {"当前人员没有参与该项目，不能导入！"},
         {Prep + "当前人员没有参与该项目，不能导入！"}, {}, false},
        {"existing project, materials named as the analysis, opened", User::Member, Open::None, Local::Exists,
         "True", Items::DisguisedMaterials, 1, Kind::V2, Y, 1, 2, {OpenProjectQuestion}, {},
         {host::SampleProjectId}, false},
        {"a non-member", User::Outsider, Open::None, Local::Exists, "True", Items::Bound, 1, Kind::V3, 0, -1, 0,
         {"当前人员没有参与该项目，不能导入！"}, {Prep + "当前人员没有参与该项目，不能导入！"}, {}, false},
        {"a non-member while the project library reports a project", User::Outsider, Open::HostOnly,
         Local::Exists, "True", Items::Bound, 1, Kind::V3, 0, -1, 0, {"当前人员没有参与该项目，不能导入！"},
         {Prep + "当前人员没有参与该项目，不能导入！"}, {}, false},
        {"existing project, no materials", User::Member, Open::None, Local::Exists, "True", Items::Bound, 1,
         Kind::V3, 0, 1, 0, {}, {}, {}, false},
        {"existing project, materials, opened", User::Member, Open::None, Local::Exists, "True",
         Items::WithMaterials, 1, Kind::V3, Y, 1, 2, {OpenProjectQuestion}, {}, {host::SampleProjectId}, false},
        {"existing project, materials, not opened", User::Member, Open::None, Local::Exists, "True",
         Items::WithMaterials, 1, Kind::V2, N, -1, 0, {OpenProjectQuestion}, {}, {}, false},
        {"the project does not open", User::Member, Open::None, Local::Unopenable, "True", Items::WithMaterials, 1,
         Kind::V3, Y, -1, 0, {OpenProjectQuestion, "打开要导入的项目失败，不能导入！"},
         {Prep + "打开要导入的项目失败，不能导入！"}, {MissingProjectId}, false},
        {"missing project without project information", User::Member, Open::None, Local::Missing, "FALSE",
         Items::Bound, 1, Kind::V3, 0, -1, 0, {"没有打开项目！"}, {Prep + "没有项目信息不能建立项目！"}, {},
         false},
        {"missing project created, version 3", User::Member, Open::None, Local::Missing, "True", Items::Bound, 1,
         Kind::V3, 0, 1, 2, {}, {}, {}, true},
        {"missing project created, version 2", User::Member, Open::None, Local::Missing, "true",
         Items::WithMaterials, 7, Kind::V2, 0, 1, 2, {}, {}, {}, true},
        {"missing project, no project part, version 3", User::Member, Open::None, Local::Missing, "True",
         Items::Bound, 1, Kind::V3WithoutProjectPart, 0, -1, 0, {NoProjectPartText}, {Prep + NoProjectPartText},
         {}, false},
        {"missing project, no project part, version 2", User::Member, Open::None, Local::Missing, "True",
         Items::Bound, 1, Kind::V2WithoutProjectPart, 0, -1, 0, {NoProjectPartText}, {Prep + NoProjectPartText},
         {}, false},
        {"creation cancelled", User::Member, Open::None, Local::Missing, "True", Items::Bound, 0, Kind::V3, 0, -1,
         0, {}, {}, {}, true},
        {"creation failed", User::Member, Open::None, Local::Missing, "True", Items::Bound, -5, Kind::V2, 0, -1, 0,
         {"创建项目失败！"}, {Prep + "创建项目失败！"}, {}, true},
        // Nothing that could be imported makes no project.
        {"project-bound items that cannot be read, project to be created", User::Member, Open::None,
         Local::Missing, "True", Items::Unreadable, 1, Kind::V2, 0, -1, 0, {NothingImportableText},
         {Prep + NothingImportableText}, {}, false},
    };
    // clang-format on

    for (const Row& tableRow : rows) {
        SCOPED_TRACE(tableRow.name);
        const Row row = OnThisBuild(tableRow);
        StartOver(UserId(row.user));
        const std::string prjId = row.local == Local::Exists ? host::SampleProjectId : MissingProjectId;
        std::string package;
        if (row.kind == Kind::Foreign) {
            package = MakePackageOfFiles("foreign", {{"perinfo.per", "persons"}});
        } else if (row.kind == Kind::NotAPackage) {
            package = MakeFile("garbage.Package", "this is no archive");
        } else {
            PackageRecipe recipe;
            recipe.version = std::to_string(VersionOf(row.kind));
            recipe.projectParts =
                row.kind != Kind::V2WithoutProjectPart && row.kind != Kind::V3WithoutProjectPart;
            recipe.prjId = prjId;
            recipe.prjInfoExport = row.prjInfoExport;
            recipe.items = Captions(row.items);
            recipe.itemModules = ItemModules(row.items);
            recipe.itemFiles = row.items != Items::Unreadable;
            package = MakePackage("table", recipe);
        }
        if (row.open == Open::Own) {
            ASSERT_TRUE(host::OpenProject(prjId));
        } else if (row.open != Open::None) {
            ASSERT_TRUE(host::OpenProject(host::SecondProjectId));
        }
        host::ClearRecords();
        if (row.open == Open::HostOnly)
            host::InjectTextAnswer("GetCurPrjSerial", "");
        if (row.local == Local::Unopenable) {
            host::InjectAnswer("VekProjectExist", 1);
            // The host counts the member among the persons of the project it says it has.
            GetBaseDBConnection()->Execute("insert into Vek_PrjPerson values ('" + prjId + "', '" +
                                           UserId(row.user) + "')");
        }
        m_creationAnswer = row.creationAnswer;
        ExpectBoxes(row.boxes, row.reply);
        const auto outside = TreeOutsideWorkFolder();

        std::string folder;
        const std::int32_t result =
            PrepareImport(package, UserKindOfCurrentUser(), HostProgramProjectSerial(), folder);

        EXPECT_EQ(result, row.result);
        EXPECT_EQ(ImportMode, row.mode);
        if constexpr (BuildTrait::KeepsPackageState) {
            EXPECT_EQ(LastPackageVersion, VersionOf(row.kind));
        }
        EXPECT_EQ(folder, WorkFolder());
        EXPECT_EQ(BoxTexts(), row.boxes);
        for (const auto& box : framework::DialogService().Records())
            EXPECT_EQ(box.flags, box.text == OpenProjectQuestion ? 36 : 64);
        std::vector<std::string> log = row.log;
        for (std::string& entry : log)
            if (const std::size_t at = entry.find("{package}"); at != std::string::npos)
                entry.replace(at, std::strlen("{package}"), package);
        EXPECT_EQ(NewLogEntries(), log);
        EXPECT_EQ(host::ProjectsOpened(), row.opened);
        ASSERT_EQ(m_creationCalls.size(), row.creationAsked ? 1u : 0u);
        if (row.creationAsked) {
            const bool files = VersionOf(row.kind) == 2;
            EXPECT_EQ(m_creationCalls[0].projectPart, WorkFolder() + (files ? "XMGL.pck" : "XMGL\\"));
            EXPECT_EQ(m_creationCalls[0].resourcePart, WorkFolder() + (files ? "ResFile.pck" : "ResFile\\"));
        }
        EXPECT_EQ(ProjectCreatedByImport, row.creationAsked && row.creationAnswer > 0);
        if (VersionOf(row.kind) == 2 || (VersionOf(row.kind) == 3 && !BuildTrait::Reduced)) {
            EXPECT_EQ(PackageProjectInfo.PrjID.Str(), prjId);
        }

        // The progress window: shown first, out of the way for the creation form, closed at the end.
        const auto calls = host::ProcessCalls();
        ASSERT_GE(calls.size(), 2u);
        EXPECT_EQ(calls.front().Kind, host::ProcessCallKind::Begin);
        EXPECT_EQ(calls.front().Text, "正在准备数据．．．");
        EXPECT_EQ(calls.size(), row.creationAsked ? 3u : 2u);
        if (row.creationAsked) {
            EXPECT_EQ(calls[1].Kind, host::ProcessCallKind::Hide);
        }
        EXPECT_TRUE(host::EveryProcessEnded());
        EXPECT_EQ(TreeOutsideWorkFolder(), outside);
        EXPECT_TRUE(rtl::FileExists(package));
        ProjectCreatedByImport = false;
    }
}

TEST_F(PrepareImportTest, TheWorkFolderIsSafeBeforeItIsUsed) {
    std::string folder;
    const std::string good = MakePackage("good", PackageRecipe());
    const std::string work = m_folder + "/~Vek~Temp/CommonReader/";

    // A package inside the work folder would be deleted before it is read.
    fs::create_directories(work + "Sub");
    fs::copy_file(good, work + "Sub/inside.Package");
    fs::create_symlink(work + "Sub/inside.Package", m_folder + "/Packages/link.Package");
    for (const std::string& package : {work + "Sub/inside.Package", m_folder + "/Packages/link.Package",
                                       m_folder + "/~VEK~TEMP/commonreader/sub/INSIDE.package"}) {
        SCOPED_TRACE(package);
        StartOver(AdministratorUserId);
        const std::string text = "数据包位于导入工作目录中，请将其移到其他位置后导入！";
        ExpectBoxes({text});
        EXPECT_EQ(PrepareImport(package, "Admin", "", folder), -1);
        EXPECT_EQ(NewLogEntries(), Logged({"IniXMLInfo: " + text}));
        if constexpr (BuildTrait::KeepsPackageState) {
            EXPECT_EQ(LastPackageVersion, -1);
        }
        EXPECT_TRUE(fs::exists(work + "Sub/inside.Package"));
        EXPECT_TRUE(host::EveryProcessEnded());
    }

    // A work folder that keeps a file it could not delete is not used: the file would join the import.
    fs::remove_all(work);
    fs::create_directories(work);
    std::ofstream(work + "stale\\name.dat") << "stale";
    StartOver(AdministratorUserId);
    ExpectBoxes({"导入工作目录无法清空，不能导入！"});
    EXPECT_EQ(PrepareImport(good, "Admin", "", folder), -1);
    EXPECT_EQ(NewLogEntries(), Logged({"IniXMLInfo: 导入工作目录无法清空，不能导入！"}));
    EXPECT_FALSE(fs::exists(work + "Package.XML"));

    // Without a work folder nothing can be told about the package.
    fs::remove_all(m_folder + "/~Vek~Temp");
    std::ofstream(m_folder + "/~Vek~Temp") << "a file in the way";
    StartOver(AdministratorUserId);
    ExpectBoxes({"导入工作目录无法建立，不能导入！"});
    EXPECT_EQ(PrepareImport(good, "Admin", "", folder), -1);
    EXPECT_EQ(NewLogEntries(), Logged({"IniXMLInfo: 导入工作目录无法建立，不能导入！"}));
    if constexpr (BuildTrait::KeepsPackageState) {
        EXPECT_EQ(LastPackageVersion, -1);
    }
    EXPECT_TRUE(host::EveryProcessEnded());
    EXPECT_TRUE(fs::exists(good));
}

} // namespace
