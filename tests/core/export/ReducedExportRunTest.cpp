// What only the reduced build's export run does: it packs the files its modules wrote, wherever they
// lie, removes them after a run that reached its end, and leaves its work folder empty.

#include "tests/core/export/ExportRunFixture.h"

#include "core/WorkFolders.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

class ReducedExportRunTest : public ExportRunTest {
protected:
    // A file a module answers, outside the work folder.
    std::string ModuleFile(const std::string& relative, const std::string& bytes = "rows") {
        const std::string path = m_folder + "/exported/" + relative;
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path) << bytes;
        return path;
    }

    // The package the host was handed, and the items its "Package.XML" names.
    std::string TakenPackage() {
        EXPECT_EQ(host::PackagesTaken().size(), 1u);
        return host::PackagesTaken().empty() ? "" : rtl::ToNativePath(host::PackagesTaken().front().StoredAs);
    }
    static std::vector<std::string> Items(const std::string& package) {
        const std::vector<std::string> outline = Outline(EntryText(package, "Package.XML"));
        const auto items = std::find(outline.begin(), outline.end(), "ExportItemInfo");
        return items == outline.end() ? std::vector<std::string>{} : std::vector<std::string>(items + 1, outline.end());
    }
    void ExportTwo(const std::string& first, const std::string& second) {
        host::InjectTextAnswer("VekPackage_Export#1", first);
        host::InjectTextAnswer("VekPackage_Export#3", second);
        ChooseModules({"项目信息", "系统人员"});
        NamePackage("列表");
    }
};

TEST_F(ReducedExportRunTest, TheListedFilesArePackedUnderTheirNamesAndRemovedAfterwards) {
    const std::string a = ModuleFile("x/a.dat", "first");
    const std::string b = ModuleFile("y/b.dat", "second");
    std::ofstream(WorkFolder() + "stale.dat") << "left by an earlier run";
    ExportTwo(a, b);
    ExpectBox("数据打包成功！");
    RunExport();

    const std::string package = TakenPackage();
    EXPECT_EQ(EntryNames(package), (std::vector<std::string>{"Package.XML", "a.dat", "b.dat"}));
    EXPECT_EQ(EntryText(package, "b.dat"), "second");
    const std::vector<std::string> items = Items(package);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_TRUE(items[0].ends_with("AppName=项目信息 AppFileName=a.dat")) << items[0];
    EXPECT_TRUE(items[1].ends_with("AppName=系统人员 AppFileName=b.dat")) << items[1];
    EXPECT_FALSE(fs::exists(a));
    EXPECT_FALSE(fs::exists(b));
    EXPECT_TRUE(WorkFolderLeftClear());
    EXPECT_TRUE(NewLogEntries().empty());
    EXPECT_EQ(m_wizard.closed, 1);
}

TEST_F(ReducedExportRunTest, ResultsThePackageCannotHoldFailAndStayWhereTheyAre) {
    struct Case {
        const char* what;
        std::string first, second;
        std::vector<std::string> entries;
    };
    const std::string folder = m_folder + "/exported/folder";
    fs::create_directories(folder);
    // clang-format off
    const Case cases[] = {
        {"a folder", ModuleFile("one/a.dat"), folder, {"Package.XML", "a.dat"}},
        {"a second file of the same name", ModuleFile("one/same.dat"), ModuleFile("two/SAME.DAT"),
         {"Package.XML", "same.dat"}},
        {"a file named like the table of contents", ModuleFile("one/c.dat"), ModuleFile("two/package.xml"),
         {"Package.XML", "c.dat"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host::ClearRecords();
        framework::DialogService().ClearRecords();
        ExportTwo(c.first, c.second);
        ExpectBox("系统人员导出失败！");
        RunExport();

        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"系统人员导出失败！"});
        const std::string package = TakenPackage();
        EXPECT_EQ(EntryNames(package), c.entries);
        EXPECT_EQ(Items(package).size(), 1u);
        EXPECT_TRUE(fs::exists(c.second)) << "only listed files are removed";
        EXPECT_FALSE(fs::exists(c.first));
        EXPECT_TRUE(WorkFolderLeftClear());
        host::ClearInjections();
    }
}

TEST_F(ReducedExportRunTest, AFileWhoseItemCannotBeWrittenStaysOutOfThePackageAndInPlace) {
    struct Case {
        const char* what;
        std::function<void()> inject;
        std::vector<std::string> failed;
        std::vector<std::string> entries;
    };
    // clang-format off
    const Case cases[] = {
        {"a caption that cannot name an element", [] {}, {"1 坏模块"}, {"Package.XML", "SAME.DAT"}},
        {"a failing module lookup",
         [] { host::InjectRaise("GetBaseDBConnection", "the base database is away"); },
         {"1 坏模块", "系统人员"}, {"Package.XML"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host::ClearRecords();
        framework::DialogService().ClearRecords();
        // The failing item's file has the name of the next one's, which must still be free.
        const std::string refused = ModuleFile("bad/same.dat", "refused");
        const std::string taken = ModuleFile("good/SAME.DAT", "taken");
        host::InjectTextAnswer("VekPackage_Export#2", refused);
        host::InjectTextAnswer("VekPackage_Export#3", taken);
        ChooseModules({"系统人员"});
        m_wizard.tabs.insert(m_wizard.tabs.begin(), {"1 坏模块", 2, "Modules\\ProjectMaterials.dll"});
        NamePackage("坏项");
        c.inject();
        std::string msg;
        for (const std::string& caption : c.failed)
            msg += "\r\n" + caption + "导出失败！\r\n";
        ExpectBox(msg.substr(2, msg.size() - 4));
        RunExport();
        host::ClearInjections();

        const std::string package = TakenPackage();
        EXPECT_EQ(EntryNames(package), c.entries);
        EXPECT_EQ(Items(package).size(), c.entries.size() - 1);
        if (c.entries.size() > 1) {
            EXPECT_EQ(EntryText(package, "SAME.DAT"), "taken");
        }
        EXPECT_TRUE(fs::exists(refused)) << "a file no item names is not the package's to remove";
        EXPECT_EQ(fs::exists(taken), c.entries.size() == 1);
        EXPECT_TRUE(WorkFolderLeftClear());
        fs::remove_all(m_folder + "/exported");
    }
}

TEST_F(ReducedExportRunTest, AMissingWorkFolderIsNotCreated) {
    fs::remove_all(WorkFolder());
    const std::string a = ModuleFile("a.dat");
    host::InjectTextAnswer("VekPackage_Export#3", a);
    ChooseModules({"系统人员"});
    NamePackage("无目录");
    ExpectBox("数据打包失败！");
    RunExport();
    EXPECT_TRUE(host::PackagesTaken().empty());
    EXPECT_EQ(m_wizard.closed, 1);
    EXPECT_FALSE(fs::exists(a));
    EXPECT_FALSE(fs::exists(WorkFolder()));
    EXPECT_TRUE(host::EveryProcessEnded());
}

TEST_F(ReducedExportRunTest, OnlyARunThatReachesItsEndClearsUp) {
    const std::string kept = ModuleFile("kept.dat");
    host::InjectTextAnswer("VekPackage_Export#1", kept);
    host::InjectTextAnswer("VekPackage_Export#3", "-2");
    ChooseModules({"项目信息", "系统人员"});
    NamePackage("半途");
    ExpectBox("系统人员没有选择要导出的信息！");
    RunExport();
    EXPECT_EQ(m_wizard.closed, 1) << "one module exported, so the run reaches its end";
    EXPECT_FALSE(fs::exists(kept));

    host::InjectTextAnswer("VekPackage_Export#1", "-2");
    ChooseModules({"项目信息", "系统人员"});
    NamePackage("全空");
    ExpectBox("项目信息没有选择要导出的信息！\r\n\r\n系统人员没有选择要导出的信息！");
    std::ofstream(WorkFolder() + "earlier.dat") << "x";
    RunExport();
    EXPECT_EQ(m_wizard.closed, 1) << "nothing chosen on any page keeps the wizard open";
    EXPECT_TRUE(fs::exists(WorkFolder() + "earlier.dat")) << "the work folder is left as it is";
    EXPECT_EQ(host::PackagesTaken().size(), 1u);
}

TEST_F(ReducedExportRunTest, TheResourceExportTakesAFileOnly) {
    m_wizard.resourceMode = 7;
    // The never-shown wizard's design-time page counts as its one visible tab.
    m_wizard.tabs = {{"TabSheet1", 0, ""}};
    NamePackage("资料");
    const std::string materials = ModuleFile("ResFile.pck", "materials");
    host::InjectTextAnswer("VekPackage_PrjRes", materials);
    ExpectBox("数据打包成功！");
    RunExport();
    const std::string package = TakenPackage();
    EXPECT_EQ(EntryNames(package), (std::vector<std::string>{"Package.XML", "ResFile.pck"}));
    EXPECT_EQ(m_wizard.firstPageCaption, "项目资料");
    EXPECT_FALSE(fs::exists(materials));

    // A folder is no file of the list: the page keeps its caption and names the failure.
    host::ClearRecords();
    framework::DialogService().ClearRecords();
    m_wizard.firstPageCaption = "TabSheet1";
    host::InjectTextAnswer("VekPackage_PrjRes", m_folder);
    NamePackage("资料");
    ExpectBox("TabSheet1导出失败！");
    RunExport();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"TabSheet1导出失败！"});
    EXPECT_EQ(m_wizard.firstPageCaption, "TabSheet1");
    EXPECT_TRUE(fs::is_directory(m_folder));
}

} // namespace
