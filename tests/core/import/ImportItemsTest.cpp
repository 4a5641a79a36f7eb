#include "core/PackageState.h"
#include "core/import/ImportItems.h"
#include "core/import/ImportRun.h"
#include "core/import/ImportState.h"
#include "tests/core/import/ModuleTabsFixture.h"

#include "platform/rtl/FileSystem.h"
#include "platform/win/Library.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

using ImportItemsTest = ModuleTabsTest;

constexpr char Failed[] = "读取信息失败！\r\n";

std::vector<std::string> Describe(const TImportItems& read) {
    std::vector<std::string> items;
    for (const TImportItem& item : read.Items)
        items.push_back(std::to_string(item.Index) + " " + item.Caption + " " + std::to_string(item.EntryID) +
                        " " + item.ModDllFile + " " + item.AppFileName);
    return items;
}

TEST_F(ImportItemsTest, EachItemIsTiedToTheLocalModuleOfItsGuidOrCaption) {
    ImportMode = ImportModeUnfiltered;
    const std::string xml = WriteWorkPackage({
        SampleItem("审计事项", "审计事项.db"),
        With(SampleItem("项目资料", "ResFile\\"), "ModGuid", "{6a1f0c2e-0002-4c57-9e10-000000000002}"),
        Without(SampleItem("系统人员", "perinfo.per"), "ModGuid"),
        With(SampleItem("项目信息", "XMGL\\"), "ModDllFile", "modules/projectinfo.DLL"),
    });
    const TImportItems read = ReadImportItems(xml, WorkFolder());
    EXPECT_EQ(read.Errors, "");
    EXPECT_EQ(Describe(read), (std::vector<std::string>{
                                  "0 审计事项 4 Modules\\AuditMatters.dll 审计事项.db",
                                  "1 项目资料 2 Modules\\ProjectMaterials.dll ResFile\\",
                                  "2 系统人员 3 Modules\\Personnel.dll perinfo.per",
                                  "3 项目信息 1 Modules\\ProjectInfo.dll XMGL\\",
                              }));
}

TEST_F(ImportItemsTest, FilteredItemsKeepTheirNumbersButGetNoTab) {
    const std::vector<ItemSetup> items = {
        SampleItem("项目信息", "XMGL\\"),      SampleItem("审计分析", "审计分析.db"),
        SampleItem("系统人员", "perinfo.per"), SampleItem("审计事项", "审计事项.db"),
    };
    struct Case {
        std::int32_t mode;
        const char* accountBook;
        std::vector<int> indexes;
    };
    const Case cases[] = {
        {ImportModeUnfiltered, "", {0, 2, 3}},
        {ImportModeUnfiltered, "-1", {0, 2, 3}},
        {ImportModeUnfiltered, "ZT-0001", {0, 1, 2, 3}},
        {ImportModeProjectFree, "ZT-0001", {1, 2}},
        {ImportModeIntoProject, "ZT-0001", {1, 2, 3}},
    };
    const std::string xml = WriteWorkPackage(items);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " " + c.accountBook);
        ImportMode = c.mode;
        host::SetSelectedAccountBook(c.accountBook);
        const TImportItems read = ReadImportItems(xml, WorkFolder());
        std::vector<int> indexes;
        for (const TImportItem& item : read.Items)
            indexes.push_back(item.Index);
        EXPECT_EQ(indexes, c.indexes);
        EXPECT_EQ(read.Errors, "");
    }
}

TEST_F(ImportItemsTest, AnItemThatCouldLoadForeignCodeOrReadOutsideThePackageIsRefused) {
    ImportMode = ImportModeUnfiltered;
    // The recorder is placed wherever a package could point: beside the program folder, inside it
    // without a module row, and inside the package itself.
    InstallTestLibrary("LoadRecorder.so", "../Recorder.so");
    InstallTestLibrary("LoadRecorder.so", "Mods/Recorder.dll");
    const std::string outside = m_folder + "/../outside.db";
    rtl::WriteFileBytes(outside, "not the package's");
    const fs::path work = rtl::ToNativePath(WorkFolder());
    fs::create_directories(work);
    fs::copy_file(std::string(TEST_LIBS) + "/LoadRecorder.so", work / "x.so");
    fs::create_symlink(outside, work / "link.db");
    fs::create_directory_symlink(m_folder, work / "linkdir");

    const ItemSetup good = SampleItem("审计事项", "审计事项.db");
    struct Case {
        const char* node;
        ItemSetup item;
    };
    const Case cases[] = {
        {"上级目录库", With(good, "ModDllFile", "..\\..\\Recorder.so")},
        {"绝对路径库", With(good, "ModDllFile", fs::absolute(m_folder + "/../Recorder.so").string())},
        {"未登记库", With(good, "ModDllFile", "Mods\\Recorder.dll")},
        {"包内库", With(good, "ModDllFile", "~Vek~Temp\\CommonReader\\x.so")},
        {"上级文件", With(good, "AppFileName", "..\\outside.db")},
        {"子目录文件", With(good, "AppFileName", "sub\\审计事项.db")},
        {"斜杠文件", With(good, "AppFileName", "sub/审计事项.db")},
        {"绝对文件", With(good, "AppFileName", "/etc/hostname")},
        {"空文件名", With(good, "AppFileName", "")},
        {"无文件名", Without(good, "AppFileName")},
        {"当前目录", With(good, "AppFileName", ".\\")},
        {"双斜杠", With(good, "AppFileName", "审计事项.db\\\\")},
        {"缺失文件", With(good, "AppFileName", "absent.db")},
        {"链接文件", With(good, "AppFileName", "link.db")},
        {"链接目录", With(good, "AppFileName", "linkdir\\")},
        {"非数字编号", With(good, "EntryID", "4x")},
        {"空编号", With(good, "EntryID", "")},
        {"外来模块", Without(With(good, "ModCaption", "外来模块"), "ModGuid")},
        {"未知标识", With(good, "ModGuid", "{00000000-0000-0000-0000-000000000000}")},
    };
    std::vector<ItemSetup> items = {good};
    std::string expectedErrors;
    for (const Case& c : cases) {
        ItemSetup item = c.item;
        item.node = c.node;
        items.push_back(item);
        expectedErrors += std::string(c.node) + Failed;
    }
    const std::string xml = WriteWorkPackage(items);
    fs::remove(work / "absent.db");

    const TImportItems read = ReadImportItems(xml, WorkFolder());
    EXPECT_EQ(read.Errors, expectedErrors);
    EXPECT_EQ(Describe(read), std::vector<std::string>{"0 审计事项 4 Modules\\AuditMatters.dll 审计事项.db"});

    // Importing what was read loads only the installation's own module.
    host::InjectAnswer("VekPackage_Import#4", 1);
    ExpectBoxes({"审计事项导入成功！"});
    RunPackageImport(nullptr, read.Items, WorkFolder(), "User");
    EXPECT_EQ(LoadRecord(), "");

    // The recorder does note a load, so its silence above means something.
    win::HMODULE lib = win::LoadLibraryA((m_folder + "/Mods/Recorder.dll").c_str());
    ASSERT_NE(lib, nullptr);
    EXPECT_NE(LoadRecord().find("Recorder.dll"), std::string::npos);
    win::FreeLibrary(lib);
}

TEST_F(ImportItemsTest, ADocumentWithoutItemsRaises) {
    const std::string folder = rtl::ToNativePath(WorkFolder());
    fs::create_directories(folder);
    rtl::WriteFileBytes(folder + "Package.XML", "<VekPackage><PackageInfo PackageVersion=\"3\"/></VekPackage>");
    EXPECT_THROW(ReadImportItems(folder + "Package.XML", WorkFolder()), std::exception);
    rtl::WriteFileBytes(folder + "Package.XML", "<VekPackage><ExportItemInfo/></VekPackage>");
    EXPECT_TRUE(ReadImportItems(folder + "Package.XML", WorkFolder()).Items.empty());
}

TEST_F(ImportItemsTest, WhereEachModuleIsPointed) {
    const std::string folder = WorkFolder();
    const std::string materialsFolder = m_folder + "/~Vek~Temp\\XMGL\\ResFile\\";
    const TImportItem matters{0, "审计事项", 4, "Modules\\AuditMatters.dll", "审计事项.db"};
    const TImportItem materials{1, "项目资料", 2, "Modules\\ProjectMaterials.dll", "ResFile\\"};
    struct Case {
        bool created;
        int version;
        const TImportItem& item;
        bool preview;
        std::int32_t entryId;
        std::string path;
    };
    const Case cases[] = {
        {false, 3, matters, false, 4, folder + "审计事项.db"},
        {false, 3, matters, true, 4, "@&@" + folder + "审计事项.db"},
        {true, 2, matters, true, 4, "@&@" + folder + "审计事项.db"},
        {false, 2, materials, false, 2, folder + "ResFile\\"},
        {false, 2, materials, true, 2, "@&@" + folder + "ResFile\\"},
        {true, 3, materials, false, 201, folder + "ResFile\\"},
        {true, 3, materials, true, 201, "@&@" + folder + "ResFile\\"},
        {true, 2, materials, false, 201, materialsFolder},
        {true, 2, materials, true, 201, materialsFolder},
    };
    for (const Case& c : cases) {
        // The reduced build prepares no version-3 package.
        if (c.version > BuildTrait::PackageVersion)
            continue;
        SCOPED_TRACE(c.item.Caption + (c.created ? " created" : "") + " v" + std::to_string(c.version) +
                     (c.preview ? " preview" : ""));
        ProjectCreatedByImport = c.created;
        if constexpr (BuildTrait::KeepsPackageState)
            LastPackageVersion = c.version;
        const TModuleCallTarget target = ModuleCallTargetOf(c.item, folder, c.preview);
        EXPECT_EQ(target.EntryID, c.entryId);
        EXPECT_EQ(target.Path, c.path);
    }
    ProjectCreatedByImport = false;
}

} // namespace
