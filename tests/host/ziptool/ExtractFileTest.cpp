#include "host/ziptool/VekZipTool.h"

#include "platform/rtl/FileSystem.h"
#include "tests/host/ziptool/ZipTestSupport.h"
#include "tests/platform/rtl/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

using host::CompressFile;
using host::ExtractFile;
using Names = std::set<std::string>;

namespace {

// Extracts into <tmp>/box/dest and checks that nothing at all was written, inside or outside.
void ExpectNothingExtracted(const TempFolder& tmp, const std::string& archive, const std::string& what) {
    std::string box = tmp.Path() + "box/";
    rtl::ForceDirectories(box + "dest");
    Names before = TreeOf(tmp.Path());
    std::string out;
    EXPECT_FALSE(ExtractFile(archive, box + "dest", out)) << what;
    EXPECT_NE(out, "") << what;
    EXPECT_EQ(TreeOf(tmp.Path()), before) << what << ": " << out;
}

} // namespace

TEST(ExtractFile, HostileArchivesExtractNothing) {
    TempFolder tmp;
    std::string outside = tmp.Path() + "box/evil.txt";
    struct Case {
        const char* what;
        RawEntry entry;
    } cases[] = {
        {"parent segment", {"../evil.txt", "x"}},
        {"nested parent segments", {"sub/../../evil.txt", "x"}},
        {"backslash parent segment", {"..\\evil.txt", "x"}},
        {"absolute path", {outside, "x"}},
        {"drive path", {"C:\\evil.txt", "x"}},
        {"drive-relative path", {"C:evil.txt", "x"}},
        {"UNC path", {"\\\\host\\share\\evil.txt", "x"}},
        {"link entry", {"link", tmp.Path() + "box", true}},
        {"link to a file", {"passwd", "/etc/passwd", true}},
    };
    for (const Case& c : cases) {
        std::string archive = tmp.Path() + "hostile.zip";
        WriteRawArchive(archive, {{"good.txt", "fine"}, c.entry});
        ExpectNothingExtracted(tmp, archive, c.what);
        std::remove(archive.c_str());
    }
}

TEST(ExtractFile, ExistingLinkBelowTheDestinationIsNotFollowed) {
    TempFolder tmp;
    std::string dest = tmp.Path() + "box/dest/";
    rtl::ForceDirectories(dest);
    rtl::ForceDirectories(tmp.Path() + "elsewhere");
    ASSERT_EQ(::symlink((tmp.Path() + "elsewhere").c_str(), (dest + "sub").c_str()), 0);
    ASSERT_EQ(::symlink((tmp.Path() + "elsewhere/f.txt").c_str(), (dest + "f.txt").c_str()), 0);
    for (const char* name : {"sub/x.txt", "SUB/x.txt", "f.txt"}) {
        std::string archive = tmp.Path() + "a.zip";
        WriteRawArchive(archive, {{name, "x"}});
        ExpectNothingExtracted(tmp, archive, name);
        std::remove(archive.c_str());
    }
    EXPECT_TRUE(TreeOf(tmp.Path() + "elsewhere").empty());
}

TEST(ExtractFile, CorruptOrForeignFilesExtractNothing) {
    TempFolder tmp;
    std::string good = tmp.Path() + "good.zip";
    std::string text(20000, 'a');
    WriteRawArchive(good, {{"first.txt", "first"}, {"big.txt", text}});
    std::string bytes = rtl::ReadFileBytes(good);

    std::string damaged = bytes;
    std::size_t data = bytes.find("big.txt") + 7 + 4; // inside the deflated data of the second entry
    damaged[data] = static_cast<char>(damaged[data] ^ 0x55);
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty file", ""},
        {"text file", "<VekPackage/>"},
        {"random bytes", std::string(4096, '\x9c')},
        {"first half of an archive", bytes.substr(0, bytes.size() / 2)},
        {"archive without its last bytes", bytes.substr(0, bytes.size() - 5)},
        {"damaged data", damaged},
    };
    for (const Case& c : cases) {
        std::string file = tmp.Path() + "bad.Package";
        PutFile(file, c.bytes);
        ExpectNothingExtracted(tmp, file, c.what);
        std::remove(file.c_str());
    }
    ExpectNothingExtracted(tmp, tmp.Path() + "missing.Package", "missing archive");
}

TEST(ExtractFile, FileAndFolderOfOneNameAreRefused) {
    TempFolder tmp;
    std::string archive = tmp.Path() + "a.zip";
    WriteRawArchive(archive, {{"a", "file"}, {"A/b.txt", "x"}});
    ExpectNothingExtracted(tmp, archive, "file and folder");
}

TEST(ExtractFile, CreatesTheDestinationAndReplacesFiles) {
    TempFolder tmp;
    std::string archive = tmp.Path() + "a.zip";
    WriteRawArchive(archive, {{"sub\\inner.txt", "new"}, {"top.txt", "top"}, {"empty/", "", false, true}});
    std::string dest = tmp.Path() + "made\\dest\\";
    rtl::ForceDirectories(tmp.Path() + "made/dest/sub");
    PutFile(tmp.Path() + "made/dest/sub/inner.txt", "old");
    std::string out;
    ASSERT_TRUE(ExtractFile(archive, dest, out)) << out;
    EXPECT_EQ(TreeOf(tmp.Path() + "made/dest"), (Names{"sub/", "sub/inner.txt", "top.txt", "empty/"}));
    EXPECT_EQ(rtl::ReadFileBytes(tmp.Path() + "made/dest/sub/inner.txt"), "new");

    PutFile(tmp.Path() + "fresh-file", "");
    EXPECT_FALSE(ExtractFile(archive, tmp.Path() + "fresh-file", out)) << "the destination is a file";
}

TEST(ExtractFile, ReadOnlyFileInTheWayStopsBeforeWriting) {
    TempFolder tmp;
    std::string archive = tmp.Path() + "a.zip";
    WriteRawArchive(archive, {{"first.txt", "1"}, {"locked.txt", "new"}});
    PutFile(tmp.Path() + "box/dest/locked.txt", "old");
    rtl::FileSetAttr(tmp.Path() + "box/dest/locked.txt", rtl::faReadOnly);
    ExpectNothingExtracted(tmp, archive, "read-only file");
    EXPECT_EQ(rtl::ReadFileBytes(tmp.Path() + "box/dest/locked.txt"), "old");
}
