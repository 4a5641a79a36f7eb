// Deep trees and long paths through the file adapter: made, resolved, walked and removed without
// resolving the whole path again at each level, up to the longest path the system takes.
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/OpenFolder.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/RemoveTree.h"
#include "platform/rtl/StagingFolders.h"
#include "tests/platform/rtl/EndedProcess.h"
#include "tests/platform/rtl/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <vector>

namespace {

std::string Levels(std::size_t count, const std::string& name = "a") {
    std::string path;
    for (std::size_t i = 0; i < count; ++i)
        path += name + "/";
    return path;
}

bool Exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

TEST(FolderTree, ADeepTreeIsMadeResolvedAndRemoved) {
    TempFolder temp;
    const std::string deep = temp.Path() + "Top\\" + Levels(1900);
    ASSERT_TRUE(rtl::ForceDirectories(deep));
    rtl::WriteFileBytes(deep + "Leaf.txt", "leaf");
    const std::string native = temp.Path() + "Top/" + Levels(1900);
    EXPECT_EQ(rtl::ToNativePath(deep + "Leaf.txt"), native + "Leaf.txt");
    // A name in another case is still found, however deep it lies.
    EXPECT_EQ(rtl::ToNativePath(temp.Path() + "TOP/" + Levels(1900) + "LEAF.TXT"), native + "Leaf.txt");
    EXPECT_EQ(rtl::ReadFileBytes(temp.Path() + "top/" + Levels(1900) + "leaf.txt"), "leaf");
    EXPECT_EQ(rtl::ToNativePath(deep + "New/Name.txt"), native + "New/Name.txt");
    EXPECT_TRUE(rtl::ForceDirectories(deep + "b/c"));
    rtl::TFreeSpace space;
    ASSERT_TRUE(rtl::FreeSpaceAt(deep + "missing/deeper", space));
    EXPECT_GT(space.blockSize, 0u);
    EXPECT_GT(space.bytes, 0u);

    EXPECT_TRUE(rtl::RemoveTree(temp.Path() + "top\\"));
    EXPECT_FALSE(Exists(temp.Path() + "Top"));
}

TEST(FolderTree, TheLongestPathTheSystemTakesIsRemovedGivenWithItsSeparator) {
    TempFolder temp;
    // Folders of 200 bytes down to a last one whose path is exactly PATH_MAX - 1 bytes long.
    std::string path = temp.Path() + "tree";
    const std::string root = path;
    while (path.size() + 1 + 200 < PATH_MAX - 1)
        path += "/" + std::string(200, 'p');
    path += "/" + std::string(PATH_MAX - 1 - path.size() - 1, 'q');
    ASSERT_EQ(path.size(), std::size_t(PATH_MAX - 1));
    ASSERT_TRUE(rtl::ForceDirectories(path));
    rtl::WriteFileBytes(rtl::ExtractFileDir(path) + "/f", "");
    rtl::TOpenFolder last = rtl::TOpenFolder::Open(path);
    ASSERT_TRUE(last.IsOpen());
    ASSERT_TRUE(last.CreateDir("inner")); // below it, only a handle reaches
    last = rtl::TOpenFolder();

    EXPECT_TRUE(rtl::RemoveTree(path + "/"));
    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(rtl::RemoveTree(root + "/"));
    EXPECT_FALSE(Exists(root));
}

TEST(FolderTree, AWalkStopsWhenTheTreeIsMovedUnderIt) {
    TempFolder temp;
    ASSERT_TRUE(rtl::ForceDirectories(temp.Path() + "a/b"));
    ASSERT_TRUE(rtl::ForceDirectories(temp.Path() + "elsewhere"));
    rtl::TOpenFolder folder = rtl::TOpenFolder::Open(temp.Path() + "a");
    ASSERT_TRUE(folder.Enter("b"));
    EXPECT_EQ(folder.Path(), temp.Path() + "a/b");
    ASSERT_EQ(std::rename((temp.Path() + "a/b").c_str(), (temp.Path() + "elsewhere/b").c_str()), 0);
    EXPECT_FALSE(folder.Leave()) << "the folder above is no longer the one it came from";
    EXPECT_FALSE(folder.IsOpen());

    // Links are never entered, and Entries lists them as links.
    ASSERT_EQ(::symlink((temp.Path() + "elsewhere").c_str(), (temp.Path() + "a/link").c_str()), 0);
    folder = rtl::TOpenFolder::Open(temp.Path() + "a");
    EXPECT_FALSE(folder.Enter("link"));
    ASSERT_EQ(folder.Entries().size(), 1u);
    EXPECT_TRUE(folder.Entries().front().Attr & rtl::faSymLink);
    EXPECT_FALSE(rtl::TOpenFolder::Open(temp.Path() + "a/link").IsOpen());
    EXPECT_TRUE(rtl::TOpenFolder::Open(temp.Path() + "a/link", true).IsOpen());
    EXPECT_TRUE(rtl::RemoveTree(temp.Path() + "a"));
    EXPECT_TRUE(Exists(temp.Path() + "elsewhere/b"));
}

TEST(StagingFolders, OnlyThoseOfEndedProcessesAreSwept) {
    TempFolder temp;
    const std::string work = temp.Path() + "CommonReader/";
    ASSERT_TRUE(rtl::ForceDirectories(work));
    const std::string ended = std::to_string(EndedProcess());
    const std::string stale = temp.Path() + ".CommonReader.unpacking-" + ended + "-0";
    ASSERT_TRUE(rtl::ForceDirectories(stale + "/content/" + Levels(500)));
    rtl::WriteFileBytes(stale + "/content/" + Levels(500) + "f.txt", "f");
    ASSERT_TRUE(rtl::ForceDirectories(temp.Path() + ".XMGL.unpacking-" + ended + "-7"));
    const std::string kept[] = {
        temp.Path() + rtl::StagingFolderName("CommonReader", 0), // this process's own
        temp.Path() + ".CommonReader.unpacking-1-0",             // of a process that runs
        temp.Path() + ".CommonReader.unpacking-x-0",             // no staging folder's name
        temp.Path() + ".CommonReader.unpacking-" + ended,
        temp.Path() + "CommonReader.unpacking-" + ended + "-0",
    };
    for (const std::string& folder : kept)
        ASSERT_TRUE(rtl::ForceDirectories(folder));
    // A link named like a stale staging folder goes as a link; what it points to stays.
    ASSERT_TRUE(rtl::ForceDirectories(temp.Path() + "outside"));
    rtl::WriteFileBytes(temp.Path() + "outside/keep.txt", "keep");
    ASSERT_EQ(::symlink((temp.Path() + "outside").c_str(), (temp.Path() + ".Other.unpacking-" + ended + "-1").c_str()), 0);

    EXPECT_EQ(rtl::SweepStaleStagingFolders(work), 3);
    EXPECT_FALSE(Exists(stale));
    EXPECT_FALSE(Exists(temp.Path() + ".XMGL.unpacking-" + ended + "-7"));
    EXPECT_FALSE(Exists(temp.Path() + ".Other.unpacking-" + ended + "-1"));
    for (const std::string& folder : kept)
        EXPECT_TRUE(Exists(folder)) << folder;
    EXPECT_TRUE(Exists(work));
    EXPECT_EQ(rtl::ReadFileBytes(temp.Path() + "outside/keep.txt"), "keep");
    EXPECT_EQ(rtl::SweepStaleStagingFolders(temp.Path() + "missing/folder"), 0);
}

// One sweep serves every kind of staging folder: each takes only its own marker's, and a sweep for
// a process that makes one at a time takes its own as well, but never a name it is told to keep.
TEST(StagingFolders, ASweepTakesOnlyItsMarkersFoldersAndKeepsWhatItIsTold) {
    TempFolder temp;
    const std::string ended = std::to_string(EndedProcess());
    const std::string endedUnpacking = ".XM1.unpacking-" + ended + "-0";
    const std::string endedCreating = ".XM1.creating-" + ended + "-0";
    const std::string ownCreating = rtl::StagingFolderName("XM2", 4, "creating");
    const std::string keptCreating = ".XM3.creating-" + ended + "-1";
    const std::string negativeAttempt = ".XM4.creating-" + ended + "--1";
    for (const std::string& name :
         {endedUnpacking, endedCreating, ownCreating, keptCreating, negativeAttempt})
        ASSERT_TRUE(rtl::ForceDirectories(temp.Path() + name + "/content"));
    EXPECT_EQ(ownCreating, ".XM2.creating-" + std::to_string(::getpid()) + "-4");

    rtl::TStagingSweep creating;
    creating.markers = {"creating"};
    creating.ownAreStale = true;
    creating.keep = [&](std::string_view name) { return name == keptCreating; };
    EXPECT_EQ(rtl::SweepStagingFoldersIn(temp.Path(), creating), 2);
    EXPECT_FALSE(Exists(temp.Path() + endedCreating));
    EXPECT_FALSE(Exists(temp.Path() + ownCreating));
    for (const std::string& name : {endedUnpacking, keptCreating, negativeAttempt})
        EXPECT_TRUE(Exists(temp.Path() + name)) << name;

    EXPECT_EQ(rtl::SweepStagingFoldersIn(temp.Path(), {}), 1);
    EXPECT_FALSE(Exists(temp.Path() + endedUnpacking));
    EXPECT_TRUE(Exists(temp.Path() + keptCreating));
}

// Temporary files are named like staging folders, and a tool that writes beside such a name adds a
// suffix of its own; both go when their process has ended, below the folder too when the sweep is
// told to go through its sub-folders, and never through a link.
TEST(StagingFolders, TemporaryFilesAndTheirToolsFilesGoLikeStagingFolders) {
    TempFolder temp;
    const std::string ended = std::to_string(EndedProcess());
    const std::string own = std::to_string(::getpid());
    struct Row {
        std::string path;
        bool folder;
        bool staysOneLevel;
        bool staysThrough;
    };
    const std::vector<Row> rows = {
        {".a.Package.replacing-" + ended + "-1", false, false, false},
        {".a.Package.replacing-" + ended + "-1.x3Fq9Z", false, false, false},
        {".ResFile.pck.replacing-" + ended + "-2", true, false, false},
        {"sub/.审计通知书.txt.replacing-" + ended + "-7", false, true, false},
        {"sub/deeper/.b.txt.replacing-" + ended + "-8.AbCdEf", false, true, false},
        {".a.Package.replacing-" + own + "-1", false, true, true},
        {"sub/.b.txt.replacing-" + own + "-2.AbCdEf", false, true, true},
        {".a.Package.replacing-" + ended + "-1.", false, true, true},
        {".a.Package.replacing-" + ended + "-1x", false, true, true},
        {".a.Package.unpacking-" + ended + "-1", false, true, true},
        {"a.Package", false, true, true},
    };
    const std::string outside = temp.Path() + "outside/.c.txt.replacing-" + ended + "-3";
    const auto make = [&] {
        for (const Row& row : rows) {
            const std::string path = temp.Path() + "tree/" + row.path;
            ASSERT_TRUE(rtl::ForceDirectories(row.folder ? path : rtl::ExtractFilePath(path)));
            if (!row.folder)
                rtl::WriteFileBytes(path, "x");
        }
        // A link to a folder outside the tree is never walked through.
        ASSERT_TRUE(rtl::ForceDirectories(rtl::ExtractFilePath(outside)));
        rtl::WriteFileBytes(outside, "x");
        ASSERT_EQ(::symlink(rtl::ExtractFileDir(outside).c_str(), (temp.Path() + "tree/sub/link").c_str()),
                  0);
    };
    for (const bool through : {false, true}) {
        SCOPED_TRACE(through ? "through sub-folders" : "one level");
        std::filesystem::remove_all(temp.Path() + "tree");
        std::filesystem::remove_all(temp.Path() + "outside");
        make();
        rtl::TStagingSweep sweep;
        sweep.markers = {rtl::ReplacingMarker};
        sweep.throughSubfolders = through;
        rtl::SweepStagingFoldersIn(temp.Path() + "tree", sweep);
        for (const Row& row : rows)
            EXPECT_EQ(Exists(temp.Path() + "tree/" + row.path),
                      through ? row.staysThrough : row.staysOneLevel)
                << row.path;
        EXPECT_TRUE(Exists(outside));
        EXPECT_TRUE(Exists(temp.Path() + "tree/sub/link"));
    }
}

} // namespace
