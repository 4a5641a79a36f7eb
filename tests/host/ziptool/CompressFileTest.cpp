#include "host/ziptool/VekZipTool.h"

#include "platform/rtl/FileSystem.h"
#include "tests/host/ziptool/ZipTestSupport.h"
#include "tests/platform/rtl/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

using host::CompressFile;
using host::ExtractFile;
using Names = std::set<std::string>;

namespace {

// A work folder as the export leaves it: the document, a module's file and a module's folder.
void FillSource(const std::string& src) {
    rtl::ForceDirectories(src + "资料/空");
    PutFile(src + "Package.XML", "<VekPackage/>");
    PutFile(src + "data.bin", AllByteValues());
    PutFile(src + "资料/说明.txt", "说明");
    PutFile(src + ".hidden", "h");
}

const Names kSourceNames = {"Package.XML", "data.bin", "资料/", "资料/说明.txt", "资料/空/", ".hidden"};

} // namespace

TEST(CompressFile, FolderSourceStoresRelativeNamesAndRoundTrips) {
    TempFolder tmp;
    std::string src = tmp.Path() + "src/";
    FillSource(src);
    for (std::string source : {tmp.Path() + "src", tmp.Path() + "src/", tmp.Path() + "src\\"}) {
        std::string archive = tmp.Path() + "out.Package";
        std::string out;
        ASSERT_TRUE(CompressFile(source, archive, out)) << source << ": " << out;
        EXPECT_EQ(ArchiveNames(archive), kSourceNames) << source;
    }

    std::string dest = tmp.Path() + "dest/";
    std::string out;
    ASSERT_TRUE(ExtractFile(tmp.Path() + "out.Package", dest, out)) << out;
    EXPECT_EQ(TreeOf(dest), kSourceNames);
    EXPECT_EQ(rtl::ReadFileBytes(dest + "data.bin"), AllByteValues());
    EXPECT_EQ(rtl::ReadFileBytes(dest + "资料/说明.txt"), "说明");
}

TEST(CompressFile, ListSourceStoresBareNames) {
    TempFolder tmp;
    rtl::ForceDirectories(tmp.Path() + "x");
    rtl::ForceDirectories(tmp.Path() + "y");
    PutFile(tmp.Path() + "w/Package.XML", "doc");
    PutFile(tmp.Path() + "x/a.dat", "a");
    PutFile(tmp.Path() + "y/b.dat", "b");
    std::string w = tmp.Path() + "w\\Package.XML", a = tmp.Path() + "x\\a.dat", b = tmp.Path() + "y/b.dat";
    struct Case {
        std::string source;
        Names names;
    } cases[] = {
        {w + "@&@" + a + "@&@" + b + "@&@", {"Package.XML", "a.dat", "b.dat"}},
        {w + "@&@" + a + "@&@" + b, {"Package.XML", "a.dat", "b.dat"}},
        {w + "@&@", {"Package.XML"}},
        {a, {"a.dat"}},
    };
    for (const Case& c : cases) {
        std::string archive = tmp.Path() + "list.Package";
        std::string out;
        ASSERT_TRUE(CompressFile(c.source, archive, out)) << c.source << ": " << out;
        EXPECT_EQ(ArchiveNames(archive), c.names) << c.source;
    }
    std::string out;
    ASSERT_TRUE(ExtractFile(tmp.Path() + "list.Package", tmp.Path() + "dest", out)) << out;
    EXPECT_EQ(rtl::ReadFileBytes(tmp.Path() + "dest/a.dat"), "a");
}

TEST(CompressFile, BadSourcesFailAndWriteNothing) {
    TempFolder tmp;
    PutFile(tmp.Path() + "x/a.dat", "a");
    rtl::ForceDirectories(tmp.Path() + "y");
    PutFile(tmp.Path() + "y/A.DAT", "other");
    rtl::ForceDirectories(tmp.Path() + "empty");
    std::string a = tmp.Path() + "x/a.dat";
    const std::string sources[] = {
        "",
        tmp.Path() + "missing",
        a + "@&@" + tmp.Path() + "x/missing.dat@&@",
        a + "@&@@&@" + a,
        a + "@&@" + tmp.Path() + "y/A.DAT",
        a + "@&@" + tmp.Path() + "y",
        tmp.Path() + "empty",
    };
    for (const std::string& source : sources) {
        std::string archive = tmp.Path() + "out.Package";
        std::string out;
        EXPECT_FALSE(CompressFile(source, archive, out)) << source;
        EXPECT_FALSE(out.empty());
        EXPECT_FALSE(rtl::FileExists(archive)) << source;
    }
    std::string out;
    EXPECT_FALSE(CompressFile(a, "", out));
    EXPECT_FALSE(CompressFile(a, tmp.Path() + "y", out)) << "a folder is no archive name";
    EXPECT_FALSE(CompressFile(a, tmp.Path() + "nofolder/out.Package", out));
}

TEST(CompressFile, DestinationInsideSourceIsLeftOut) {
    TempFolder tmp;
    std::string src = tmp.Path() + "src/";
    FillSource(src);
    for (int run = 0; run < 2; ++run) {
        std::string out;
        ASSERT_TRUE(CompressFile(src, src + "out.Package", out)) << out;
        EXPECT_EQ(ArchiveNames(src + "out.Package"), kSourceNames)
            << "run " << run << " skips the old archive";
    }
    Names withFirst = kSourceNames;
    withFirst.insert("out.Package");
    for (int run = 0; run < 2; ++run) {
        std::string out;
        // Spelled differently from the folder walk's names: the adapter resolves it to the same file.
        ASSERT_TRUE(CompressFile(src, tmp.Path() + "SRC\\资料\\Out.Package", out)) << out;
        EXPECT_EQ(ArchiveNames(src + "资料/Out.Package"), withFirst) << "run " << run;
    }
}

TEST(CompressFile, ExistingDestinationIsReplacedOnlyBySuccess) {
    TempFolder tmp;
    std::string src = tmp.Path() + "src/";
    FillSource(src);
    std::string archive = tmp.Path() + "out/pack.Package";
    PutFile(archive, "old content");
    std::string out;

    EXPECT_FALSE(CompressFile(src + "Package.XML@&@" + src + "gone.dat", archive, out));
    EXPECT_EQ(rtl::ReadFileBytes(archive), "old content");

    ASSERT_TRUE(CompressFile(src, archive, out)) << out;
    EXPECT_EQ(ArchiveNames(archive), kSourceNames);
    EXPECT_EQ(TreeOf(tmp.Path() + "out"), Names{"pack.Package"}) << "no temporary file left behind";

    ::chmod(archive.c_str(), 0444);
    std::string before = rtl::ReadFileBytes(archive);
    EXPECT_FALSE(CompressFile(src + "Package.XML", archive, out)) << "a read-only archive is not replaced";
    EXPECT_EQ(rtl::ReadFileBytes(archive), before);
}

TEST(CompressFile, LinksInsideTheFolderAreLeftOut) {
    TempFolder tmp;
    PutFile(tmp.Path() + "secret.txt", "secret");
    std::string src = tmp.Path() + "src/";
    PutFile(src + "a.txt", "a");
    ASSERT_EQ(::symlink((tmp.Path() + "secret.txt").c_str(), (src + "link.txt").c_str()), 0);
    ASSERT_EQ(::symlink(tmp.Path().c_str(), (src + "up").c_str()), 0);
    std::string out;
    ASSERT_TRUE(CompressFile(src, tmp.Path() + "out.Package", out)) << out;
    EXPECT_EQ(ArchiveNames(tmp.Path() + "out.Package"), Names{"a.txt"});
}

TEST(CompressFile, SourcesThatAreLinksAreRefused) {
    TempFolder tmp;
    PutFile(tmp.Path() + "real/a.txt", "a");
    ASSERT_EQ(::symlink((tmp.Path() + "real").c_str(), (tmp.Path() + "folder-link").c_str()), 0);
    ASSERT_EQ(::symlink((tmp.Path() + "real/a.txt").c_str(), (tmp.Path() + "file-link").c_str()), 0);
    for (std::string source : {tmp.Path() + "folder-link", tmp.Path() + "folder-link/", tmp.Path() + "file-link",
                               tmp.Path() + "real/a.txt@&@" + tmp.Path() + "file-link"}) {
        std::string out;
        EXPECT_FALSE(CompressFile(source, tmp.Path() + "out.Package", out)) << source;
        EXPECT_NE(out.find("link"), std::string::npos) << out;
        EXPECT_FALSE(rtl::FileExists(tmp.Path() + "out.Package"));
    }
}

TEST(CompressFile, NamesThatWouldNotUnpackAreRefused) {
    TempFolder tmp;
    PutFile(tmp.Path() + "src/Readme.txt", "1");
    // Around the adapter, which would take the second name for the first file.
    std::ofstream(tmp.Path() + "src/README.TXT") << "2";
    std::string out;
    EXPECT_FALSE(CompressFile(tmp.Path() + "src", tmp.Path() + "out.Package", out));
    EXPECT_NE(out.find("only in case"), std::string::npos) << out;
}

TEST(CompressFile, ManyAndLargeFilesMakeAPlainArchive) {
    TempFolder tmp;
    std::string src = tmp.Path() + "src/";
    // Larger than what is deflated in memory, so that both ways of writing meet in one archive.
    std::string block;
    for (int line = 0; block.size() < (1u << 20); ++line)
        block += "line " + std::to_string(line) + " of the large file\n";
    std::string large;
    for (int copy = 0; copy < 17; ++copy)
        large += block;
    PutFile(src + "large.txt", large);
    Names names = {"large.txt", "small/"};
    for (int i = 0; i < 200; ++i) {
        PutFile(src + "small/" + std::to_string(i) + ".txt", std::string(static_cast<std::size_t>(i) * 100, 'a' + i % 26));
        names.insert("small/" + std::to_string(i) + ".txt");
    }
    std::string archive = tmp.Path() + "out.Package";
    std::string out;
    ASSERT_TRUE(CompressFile(src, archive, out)) << out;
    EXPECT_EQ(ArchiveNames(archive), names);
    if (::access("/usr/bin/unzip", X_OK) == 0) {
        EXPECT_EQ(std::system(("/usr/bin/unzip -tqq '" + archive + "' >/dev/null").c_str()), 0);
    }

    ASSERT_TRUE(ExtractFile(archive, tmp.Path() + "dest", out)) << out;
    EXPECT_EQ(rtl::ReadFileBytes(tmp.Path() + "dest/large.txt"), large);
    EXPECT_EQ(rtl::ReadFileBytes(tmp.Path() + "dest/small/199.txt"), std::string(19900, 'a' + 199 % 26));
}
