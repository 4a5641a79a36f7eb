// Packages made to hurt, imported through the plug-in's entry VekPackPortInfo: names deeper or
// longer than a file system takes, many entries, a work folder without room, and staging folders
// that killed imports left behind. After each: the databases are sound, no staging or work folder
// is left, and nothing outside the installation changed.
#include "core/Exports.h"
#include "core/HostApi.h"
#include "tests/core/import/CraftedImportTest.h"
#include "tests/host/ziptool/ZipTestSupport.h"
#include "tests/platform/rtl/EndedProcess.h"
#include "tests/support/SmallFileSystem.h"

#include "platform/framework/Forms.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/StagingFolders.h"

#include <unistd.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

constexpr char NotAPackageText[] = "数据包格式不正确或非项目数据包，请检查后导入！";
constexpr char NoRoomText[] = "数据包无法解压，磁盘空间不足或写入失败，不能导入！";

std::string Deep(std::size_t levels) {
    std::string name;
    for (std::size_t i = 0; i < levels; ++i)
        name += "a/";
    return name + "f.txt";
}

std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    if (fs::exists(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
    return names;
}

class CraftedArchivePathsTest : public CraftedImportTest {
protected:
    // A package of the sample project (its member imports it into the open project) with these
    // entries added as they are written.
    std::string Crafted(const std::string& name, const std::vector<RawEntry>& entries) {
        const std::string package = MakePackage(name, PackageRecipe());
        AddRawEntries(package, entries);
        return package;
    }

    void StartAsMember() {
        StartOver(host::SampleMemberId);
        ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    }
};

TEST_F(CraftedArchivePathsTest, WhatNoFileSystemTakesIsRefusedWholeAndWhatFitsImports) {
    // The deepest name that fits below the work folder's staging folder, with some room to spare.
    const std::size_t work = m_folder.size() + std::string("/~Vek~Temp/").size();
    const std::size_t fits = (4095 - 2 * (work + std::string("CommonReader/").size()) - 80) / 2;
    std::vector<RawEntry> huge, many;
    for (int i = 0; i < 20; ++i)
        huge.push_back({std::string(1, char('b' + i)) + "/" + Deep(32764), "x"}); // 65,535 bytes, as long as a name gets
    for (int i = 0; i < 3000; ++i)
        many.push_back({"many/entry" + std::to_string(i) + ".txt", "small"});
    const std::string tooLongPath = "is longer than a path may be (4095 bytes)";
    struct Case {
        const char* what;
        std::vector<RawEntry> entries;
        std::int32_t result;
        std::vector<std::string> boxes;
        std::string reason = {}; // the compression tool's, logged beside the box's text
    } cases[] = {
        {"a file as deep as a path reaches", {{Deep(fits), "deep"}}, 1, {}},
        {"2,100 levels", {{Deep(2100), "deep"}}, -1, {NotAPackageText}, tooLongPath},
        {"a path of 4,096 bytes", {{"b" + Deep(2045), "deep"}}, -1, {NotAPackageText}, tooLongPath},
        {"twenty names of 65 KB", huge, -1, {NotAPackageText}, tooLongPath},
        {"a name longer than a file system takes",
         {{std::string(256, 'n'), "long"}},
         -1,
         {NotAPackageText},
         "holds a name longer than a file system takes (255 bytes)"},
        {"3,000 small entries", many, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartAsMember();
        const std::string package = Crafted("crafted", c.entries);
        const Untouched before = Snapshot();
        ExpectBoxes(c.boxes);
        EXPECT_EQ(Import(package), c.result);
        EXPECT_EQ(BoxTexts(), c.boxes);
        const std::vector<std::string> log = NewLogEntries();
        if (c.reason.empty() || BuildTrait::Reduced) {
            EXPECT_TRUE(log.empty());
        } else {
            ASSERT_EQ(log.size(), 1u);
            const std::string start =
                std::string("IniXMLInfo: ") + NotAPackageText + " Cannot unpack: the entry ";
            EXPECT_EQ(log[0].rfind(start, 0), 0u) << log[0];
            EXPECT_NE(log[0].find(c.reason), std::string::npos) << log[0];
        }
        EXPECT_EQ(m_wizardCalls.size(), c.result == 1 ? 1u : 0u);
        ExpectNothingLeft(before, package);
    }
}

TEST_F(CraftedArchivePathsTest, AWorkFolderThatCannotTakeThePackageIsSaidSoAndLogged) {
    StartAsMember();
    const std::string package = MakePackage("good", PackageRecipe());
    const Untouched before = Snapshot();
    host::InjectAnswer("ExtractFile", ExtractDestinationFailed);
    ExpectBoxes({NoRoomText});
    EXPECT_EQ(Import(package), -1);
    host::ClearInjections();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{NoRoomText});
    EXPECT_EQ(NewLogEntries(), Logged({std::string("IniXMLInfo: ") + NoRoomText, "IniXMLInfo: -1"}));
    EXPECT_TRUE(m_wizardCalls.empty());
    ExpectNothingLeft(before, package);
}

TEST_F(CraftedArchivePathsTest, AFullFileSystemUnderTheWorkFolderIsNoFaultOfThePackage) {
    StartAsMember();
    PackageRecipe recipe;
    recipe.files = {{"资料/扫描.bin", std::string(400 * 1024, 's')}};
    const std::string package = MakePackage("large", recipe);
    const Untouched before = Snapshot();
    {
        // Over the work folders' folder, which holds "XMGL" again once the small file system is gone.
        tests::SmallFileSystem disk(m_folder + "/~Vek~Temp", 128 * 1024);
        if (!disk.Mounted())
            GTEST_SKIP() << disk.Reason();
        ExpectBoxes({NoRoomText});
        EXPECT_EQ(Import(package), -1);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{NoRoomText});
        const std::vector<std::string> log = NewLogEntries();
        if constexpr (!BuildTrait::Reduced) {
            ASSERT_EQ(log.size(), 2u);
            EXPECT_NE(log[1].find("no space left"), std::string::npos) << log[1];
        }
        EXPECT_TRUE(NamesIn(m_folder + "/~Vek~Temp").empty()) << "the work folder or a staging folder";
    }
    ExpectNothingLeft(before, package);
}

TEST_F(CraftedArchivePathsTest, StagingFoldersOfKilledImportsAreSweptWhenTheNextOneStarts) {
    StartAsMember();
    const std::string package = MakePackage("good", PackageRecipe());
    const std::string temp = m_folder + "/~Vek~Temp/";
    const std::string stale = temp + ".CommonReader.unpacking-" + std::to_string(EndedProcess()) + "-0";
    rtl::ForceDirectories(stale + "/content/" + Deep(600));
    rtl::WriteFileBytes(stale + "/content/Package.XML", "<VekPackage/>");
    const std::string live = temp + rtl::StagingFolderName("XMGL", 3);
    rtl::ForceDirectories(live);
    EXPECT_EQ(Import(package), 1);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(live)) << "the staging folder of a process that runs stays";
    EXPECT_EQ(NamesIn(temp), (std::set<std::string>{"XMGL", fs::path(live).filename().string()}));
}

TEST_F(CraftedArchivePathsTest, StagingFoldersOfKilledRunsAreSweptWhenAnExportStarts) {
    StartAsMember();
    const std::string stale = m_folder + "/~Vek~Temp/.XMGL.unpacking-" + std::to_string(EndedProcess()) + "-2";
    rtl::ForceDirectories(stale + "/content/ResFile");
    RunAppEvn(framework::HintWindowClass(), framework::Application(), framework::Screen(), 0, 1, 1, 0);
    EXPECT_FALSE(fs::exists(stale));
}

} // namespace
