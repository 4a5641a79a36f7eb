// Archives made to hurt: names that reach deeper or run longer than a file system takes, and many
// entries. Each is unpacked into a fresh folder, and afterwards nothing else is there: no staging
// folder, no half-made tree, nothing beside the destination.
#include "host/ziptool/VekZipTool.h"
#include "host/ziptool/ZipToolSettings.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/RemoveTree.h"
#include "tests/host/ziptool/ZipTestSupport.h"
#include "tests/platform/rtl/TempFolder.h"
#include "tests/support/SmallFileSystem.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <functional>

using host::ExtractArchive;
using host::TExtractResult;

namespace {

// "a/a/.../a/" (levels times) and then the file name.
std::string Deep(std::size_t levels, const std::string& file = "f.txt") {
    std::string name;
    for (std::size_t i = 0; i < levels; ++i)
        name += "a/";
    return name + file;
}

// Levels of "a/" below the folder that surely fit in a path, with room for the staging folder the
// tool writes through first (named after the destination, and longer by some 40 bytes) and for a
// file name of five bytes; and levels that surely do not, whatever the staging folder.
std::size_t LevelsThatFit(const std::string& dest) {
    return (host::MaxPathBytes - 2 * dest.size() - 60) / 2;
}
std::size_t LevelsTooDeep(const std::string& dest) {
    return (host::MaxPathBytes - dest.size()) / 2 + 1;
}

struct Crafted {
    const char* what;
    std::vector<RawEntry> entries;
    TExtractResult result;
    const char* reason; // in the tool's answer; "" for an archive that unpacks
};

} // namespace

TEST(CraftedArchive, DeepAndLongNamesAreRefusedWholeAndWhatFitsUnpacks) {
    TempFolder tmp;
    const std::string dest = tmp.Path() + "dest";
    const std::size_t fit = LevelsThatFit(dest);
    const std::string longest(host::MaxNameBytes, 'n');
    const std::string hugeName = Deep(32765, ""); // 65 KB of name, 32,765 levels
    std::vector<RawEntry> manyHuge;
    for (int i = 0; i < 20; ++i)
        manyHuge.push_back({std::to_string(i) + "/" + hugeName + "f", "x"});
    std::vector<RawEntry> many;
    for (int i = 0; i < 3000; ++i)
        many.push_back({"many/entry" + std::to_string(i) + ".txt", std::to_string(i)});
    const Crafted cases[] = {
        {"a file as deep as a path may reach", {{"Package.XML", "p"}, {Deep(fit), "deep"}}, TExtractResult::Done, ""},
        {"every folder of a deep path as an entry of its own",
         [&] {
             std::vector<RawEntry> folders{{"Package.XML", "p"}};
             for (std::size_t level = 1; level <= 300; ++level)
                 folders.push_back({Deep(level, ""), "", false, true});
             return folders;
         }(),
         TExtractResult::Done, ""},
        {"a file deeper than a path reaches", {{"Package.XML", "p"}, {Deep(LevelsTooDeep(dest)), "deep"}},
         TExtractResult::ArchiveRefused, "deeper than a path may be long"},
        {"2,100 levels", {{"Package.XML", "p"}, {Deep(2100), "deep"}}, TExtractResult::ArchiveRefused,
         "longer than a path may be"},
        {"twenty names of 65 KB", manyHuge, TExtractResult::ArchiveRefused, "longer than a path may be"},
        {"a name as long as a file system takes", {{longest, "x"}, {"sub/" + longest + "/f", "y"}},
         TExtractResult::Done, ""},
        {"a name one byte longer", {{"Package.XML", "p"}, {"sub/" + longest + "n/f", "y"}},
         TExtractResult::ArchiveRefused, "longer than a file system takes"},
        {"3,000 small entries in one folder", many, TExtractResult::Done, ""},
    };
    for (const Crafted& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string archive = tmp.Path() + "crafted.zip";
        WriteRawArchive(archive, c.entries);
        std::string out;
        EXPECT_EQ(ExtractArchive(archive, dest, out), c.result) << out;
        EXPECT_NE(out.find(c.reason), std::string::npos) << out;
        EXPECT_LT(out.size(), 1000u) << "a long name is cut in the answer";
        std::set<std::string> unpacked = TreeOf(dest);
        if (c.result == TExtractResult::Done) {
            std::set<std::string> expected;
            for (const RawEntry& entry : c.entries) {
                std::string name = entry.name;
                for (std::size_t slash = name.find('/'); slash != std::string::npos; slash = name.find('/', slash + 1))
                    expected.insert(name.substr(0, slash + 1));
                expected.insert(name);
            }
            EXPECT_EQ(unpacked, expected);
            if (const RawEntry& last = c.entries.back(); !last.folder) {
                EXPECT_EQ(rtl::ReadFileBytes(dest + "/" + last.name), last.data);
            }
        } else {
            EXPECT_TRUE(unpacked.empty());
            EXPECT_FALSE(std::filesystem::exists(dest));
        }
        // The destination and the archive, nothing else: no staging folder, no half-made tree.
        EXPECT_EQ(TreeOf(tmp.Path()).size(), unpacked.size() + (unpacked.empty() ? 1 : 2));
        EXPECT_TRUE(rtl::RemoveTree(dest));
        std::remove(archive.c_str());
    }
}

TEST(CraftedArchive, TheAnswerTellsTheArchiveFromTheDestination) {
    TempFolder tmp;
    const std::string archive = tmp.Path() + "a.zip";
    WriteRawArchive(archive, {{"Package.XML", "p"}, {"sub/locked.txt", "new"}});
    PutFile(tmp.Path() + "garbage.zip", "no archive");
    PutFile(tmp.Path() + "a file", "");
    PutFile(tmp.Path() + "locked/sub/locked.txt", "old");
    rtl::FileSetAttr(tmp.Path() + "locked/sub/locked.txt", rtl::faReadOnly);
    struct Case {
        const char* what;
        std::string archive, dest;
        TExtractResult result;
    } cases[] = {
        {"done", archive, tmp.Path() + "fresh", TExtractResult::Done},
        {"no archive", tmp.Path() + "garbage.zip", tmp.Path() + "x", TExtractResult::ArchiveRefused},
        {"a missing archive", tmp.Path() + "missing.zip", tmp.Path() + "x", TExtractResult::ArchiveRefused},
        {"a destination that is a file", archive, tmp.Path() + "a file", TExtractResult::DestinationFailed},
        {"a destination below a file", archive, tmp.Path() + "a file/below", TExtractResult::DestinationFailed},
        {"a read-only file in the way", archive, tmp.Path() + "locked", TExtractResult::DestinationFailed},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_EQ(ExtractArchive(c.archive, c.dest, out), c.result) << c.what << ": " << out;
    }
    EXPECT_EQ(rtl::ReadFileBytes(tmp.Path() + "locked/sub/locked.txt"), "old");
}

TEST(CraftedArchive, AFullFileSystemIsTheDestinationsFaultAndKeepsNothing) {
    TempFolder tmp;
    const std::string small = tmp.Path() + "small";
    rtl::ForceDirectories(small);
    const std::string big = tmp.Path() + "big.zip";
    WriteRawArchive(big, {{"Package.XML", "p"}, {"data.bin", std::string(600 * 1024, 'x')}});
    const std::string many = tmp.Path() + "many.zip";
    std::vector<RawEntry> entries;
    for (int i = 0; i < 100; ++i)
        entries.push_back({"f" + std::to_string(i), ""});
    WriteRawArchive(many, entries);
    tests::SmallFileSystem disk(small, 256 * 1024, 64);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    PutFile(small + "/kept/old.txt", "old");
    for (const std::string& archive : {big, many}) {
        SCOPED_TRACE(archive);
        std::string out;
        EXPECT_EQ(ExtractArchive(archive, small + "/kept", out), TExtractResult::DestinationFailed) << out;
        EXPECT_NE(out.find("no space left"), std::string::npos) << out;
    }
    EXPECT_EQ(TreeOf(small), (std::set<std::string>{"kept/", "kept/old.txt"}))
        << "the small file system holds more than before";
}
