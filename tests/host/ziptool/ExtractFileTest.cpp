#include "host/ziptool/VekZipTool.h"
#include "host/ziptool/ZipToolSettings.h"

#include "platform/rtl/FileSystem.h"
#include "tests/host/ziptool/ZeroArchive.h"
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

namespace {

// Restores the tool's settings when the test ends.
class SettingsScope {
public:
    explicit SettingsScope(const host::TZipToolSettings& settings) { host::SetZipToolSettings(settings); }
    ~SettingsScope() { host::SetZipToolSettings(m_saved); }

private:
    host::TZipToolSettings m_saved = host::ZipToolSettings();
};

} // namespace

TEST(ExtractFile, BombsAreRefusedBeforeAnythingIsWritten) {
    TempFolder tmp;
    constexpr std::uint64_t MiB = 1 << 20;
    host::TZipToolSettings defaults;
    host::TZipToolSettings small = defaults;
    small.MaxTotalSize = 2 * MiB;
    small.MaxEntries = 3;
    struct Case {
        const char* what;
        host::TZipToolSettings settings;
        std::vector<ZeroEntry> entries;
        const char* reason;
    } cases[] = {
        {"four entries of 64 MiB", defaults,
         {{"Package.XML", 100, 100}, {"a", 64 * MiB, 64 * MiB}, {"b", 64 * MiB, 64 * MiB},
          {"c", 64 * MiB, 64 * MiB}, {"d", 64 * MiB, 64 * MiB}},
         "times its compressed size"},
        {"more than the total allowed", small, {{"a", MiB, MiB}, {"b", MiB, MiB}, {"c", 10, 10}}, "allowed"},
        {"more entries than allowed", small, {{"a", 1, 1}, {"b", 1, 1}, {"c", 1, 1}, {"d", 1, 1}}, "entries"},
        {"an entry larger than it declares", defaults, {{"Package.XML", 10, 10}, {"lie", 1000, 4 * MiB}},
         "lie"},
    };
    for (const Case& c : cases) {
        std::string archive = tmp.Path() + "bomb.zip";
        WriteZeroArchive(archive, c.entries);
        SettingsScope settings(c.settings);
        ExpectNothingExtracted(tmp, archive, c.what);
        std::string out;
        ExtractFile(archive, tmp.Path() + "box/dest", out);
        EXPECT_NE(out.find(c.reason), std::string::npos) << c.what << ": " << out;
        std::remove(archive.c_str());
    }
}

TEST(ExtractFile, FailureWhileWritingLeavesTheDestinationAsItWas) {
    TempFolder tmp;
    std::string archive = tmp.Path() + "a.zip";
    // Damaged data shows only while the entry is inflated, with the staging folder made and in part filled.
    WriteRawArchive(archive, {{"Package.XML", "new"}, {"sub/new.txt", "n"}, {"damaged.txt", std::string(20000, 'd')}});
    std::string bytes = rtl::ReadFileBytes(archive);
    const std::size_t data = bytes.find("damaged.txt") + 11 + 4;
    bytes[data] = static_cast<char>(bytes[data] ^ 0x55);
    PutFile(archive, bytes);

    PutFile(tmp.Path() + "box/dest/Package.XML", "old");
    PutFile(tmp.Path() + "box/dest/sub/kept.txt", "kept");
    ExpectNothingExtracted(tmp, archive, "an existing destination");
    EXPECT_EQ(rtl::ReadFileBytes(tmp.Path() + "box/dest/Package.XML"), "old");

    Names before = TreeOf(tmp.Path());
    std::string out;
    EXPECT_FALSE(ExtractFile(archive, tmp.Path() + "new/deeper/dest", out));
    EXPECT_EQ(TreeOf(tmp.Path()), before) << "the parents made for the destination are gone too";
}

TEST(ExtractFile, NamesThatDifferOnlyInCaseAreRefused) {
    TempFolder tmp;
    const std::vector<std::vector<RawEntry>> archives = {
        {{"Readme.txt", "1"}, {"README.TXT", "2"}},
        {{"Data/a.txt", "1"}, {"DATA/b.txt", "2"}},
        {{"Data/", "", false, true}, {"data/b.txt", "2"}},
    };
    for (const auto& entries : archives) {
        std::string archive = tmp.Path() + "a.zip";
        WriteRawArchive(archive, entries);
        ExpectNothingExtracted(tmp, archive, entries[1].name);
        std::remove(archive.c_str());
    }

    // libzip writes no name twice; rename the second entry in the archive's bytes.
    std::string archive = tmp.Path() + "twice.zip";
    WriteRawArchive(archive, {{"same.txt", "1"}, {"samX.txt", "2"}});
    std::string bytes = rtl::ReadFileBytes(archive);
    for (std::size_t at; (at = bytes.find("samX.txt")) != std::string::npos;)
        bytes[at + 3] = 'e';
    PutFile(archive, bytes);
    ExpectNothingExtracted(tmp, archive, "one name twice");
}

TEST(ExtractFile, MergesIntoAnExistingDestinationUnderItsSpelling) {
    TempFolder tmp;
    std::string archive = tmp.Path() + "a.zip";
    WriteRawArchive(archive, {{"Package.XML", "new"}, {"SUB/b.txt", "b"}, {"fresh/c.txt", "c"}});
    std::string dest = tmp.Path() + "dest/";
    PutFile(dest + "Package.xml", "old");
    PutFile(dest + "Sub/a.txt", "a");
    std::string out;
    ASSERT_TRUE(ExtractFile(archive, tmp.Path() + "DEST", out)) << out;
    EXPECT_EQ(TreeOf(tmp.Path()), (Names{"a.zip", "dest/", "dest/Package.xml", "dest/Sub/", "dest/Sub/a.txt",
                                         "dest/Sub/b.txt", "dest/fresh/", "dest/fresh/c.txt"}));
    EXPECT_EQ(rtl::ReadFileBytes(dest + "Package.xml"), "new");
}
