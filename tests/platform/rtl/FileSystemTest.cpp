#include "platform/rtl/FileSystem.h"

#include "platform/rtl/Exceptions.h"
#include "tests/platform/rtl/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::vector<std::string> FindAll(const std::string& pattern, int attr) {
    std::vector<std::string> names;
    rtl::TSearchRec rec;
    for (int rc = rtl::FindFirst(pattern, attr, rec); rc == 0; rc = rtl::FindNext(rec))
        names.push_back(rec.Name);
    rtl::FindClose(rec);
    return names;
}

TEST(FileSystem, ResolvesMissingNamesCaseInsensitivelyComponentByComponent) {
    TempFolder temp;
    ASSERT_TRUE(rtl::ForceDirectories(temp.Path() + "Work\\Sub"));
    rtl::WriteFileBytes(temp.Path() + "Work/Sub/Package.xml", "<x/>");

    EXPECT_EQ(rtl::ToNativePath(temp.Path() + "WORK\\sub\\Package.XML"),
              temp.Path() + "Work/Sub/Package.xml");
    EXPECT_TRUE(rtl::FileExists(temp.Path() + "work\\SUB\\PACKAGE.XML"));
    EXPECT_EQ(rtl::ReadFileBytes(temp.Path() + "work\\sub\\package.XML"), "<x/>");
    // A missing name keeps its spelling after the resolved part, so new files get the name asked for.
    EXPECT_EQ(rtl::ToNativePath(temp.Path() + "work\\New\\File.TXT"), temp.Path() + "Work/New/File.TXT");
    EXPECT_EQ(rtl::ToNativePath(temp.Path() + "work\\"), temp.Path() + "Work/");
}

TEST(FileSystem, CopyFileBytesCopiesWholeFilesOfEveryKindAndMakesNoCopyOfAMissingFile) {
    TempFolder temp;
    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    rtl::WriteFileBytes(temp.Path() + "big.bin", bytes);
    rtl::WriteFileBytes(temp.Path() + "empty.bin", "");
    rtl::CopyFileBytes(temp.Path() + "big.bin", temp.Path() + "copy.bin");
    rtl::CopyFileBytes(temp.Path() + "empty.bin", temp.Path() + "empty copy.bin");
    EXPECT_EQ(rtl::ReadFileBytes(temp.Path() + "copy.bin"), bytes);
    EXPECT_EQ(rtl::ReadFileBytes(temp.Path() + "empty copy.bin"), "");
    // A shorter copy over a longer file leaves none of the old bytes.
    rtl::CopyFileBytes(temp.Path() + "empty.bin", temp.Path() + "copy.bin");
    EXPECT_EQ(rtl::ReadFileBytes(temp.Path() + "copy.bin"), "");
    // A file whose size the system does not know in advance is copied by reading it.
    rtl::CopyFileBytes("/proc/version", temp.Path() + "version.txt");
    EXPECT_EQ(rtl::ReadFileBytes(temp.Path() + "version.txt"), rtl::ReadFileBytes("/proc/version"));
    EXPECT_FALSE(rtl::ReadFileBytes(temp.Path() + "version.txt").empty());
    EXPECT_THROW(rtl::CopyFileBytes(temp.Path() + "missing.bin", temp.Path() + "none.bin"), rtl::EInOutError);
    EXPECT_FALSE(rtl::FileExists(temp.Path() + "none.bin"));
}

TEST(FileSystem, ListingScopeFollowsTheAdaptersOwnChanges) {
    TempFolder temp;
    rtl::WriteFileBytes(temp.Path() + "Old.txt", "old");
    {
        rtl::TFolderListingScope scope;
        EXPECT_EQ(rtl::ToNativePath(temp.Path() + "OLD.TXT"), temp.Path() + "Old.txt");
        rtl::WriteFileBytes(temp.Path() + "New.txt", "n");
        ASSERT_TRUE(rtl::CreateDir(temp.Path() + "Dir"));
        ASSERT_TRUE(rtl::RenameFile(temp.Path() + "old.txt", temp.Path() + "Moved.txt"));
        EXPECT_EQ(rtl::ToNativePath(temp.Path() + "NEW.TXT"), temp.Path() + "New.txt");
        EXPECT_EQ(rtl::ToNativePath(temp.Path() + "dir\\x"), temp.Path() + "Dir/x");
        EXPECT_EQ(rtl::ToNativePath(temp.Path() + "old.TXT"), temp.Path() + "old.TXT");
        EXPECT_EQ(rtl::ToNativePath(temp.Path() + "moved.TXT"), temp.Path() + "Moved.txt");
        ASSERT_TRUE(rtl::DeleteFile(temp.Path() + "MOVED.txt"));
        ASSERT_TRUE(rtl::RemoveDir(temp.Path() + "DIR"));
        EXPECT_EQ(rtl::ToNativePath(temp.Path() + "moved.TXT"), temp.Path() + "moved.TXT");
        EXPECT_FALSE(rtl::DirectoryExists(temp.Path() + "dir"));

        // Changes made around the adapter are not seen while the scope lasts...
        ASSERT_EQ(::mkdir((temp.Path() + "Outside").c_str(), 0777), 0);
        EXPECT_FALSE(rtl::DirectoryExists(temp.Path() + "OUTSIDE"));
    }
    // ...and are once it has ended.
    EXPECT_TRUE(rtl::DirectoryExists(temp.Path() + "OUTSIDE"));
}

TEST(FileSystem, CreateDirMakesOneLevelOnly) {
    TempFolder temp;
    EXPECT_FALSE(rtl::CreateDir(temp.Path() + "missing\\child"));
    EXPECT_FALSE(rtl::DirectoryExists(temp.Path() + "missing"));
    EXPECT_TRUE(rtl::CreateDir(temp.Path() + "one"));
    EXPECT_FALSE(rtl::CreateDir(temp.Path() + "ONE"));
    EXPECT_TRUE(rtl::CreateDir(temp.Path() + "one\\two"));
    EXPECT_TRUE(rtl::DirectoryExists(temp.Path() + "One\\Two\\"));
    EXPECT_FALSE(rtl::FileExists(temp.Path() + "one"));

    EXPECT_TRUE(rtl::ForceDirectories(temp.Path() + "a\\b\\c\\"));
    EXPECT_TRUE(rtl::ForceDirectories(temp.Path() + "A\\B"));
    rtl::WriteFileBytes(temp.Path() + "file", "x");
    EXPECT_FALSE(rtl::ForceDirectories(temp.Path() + "file\\below"));
    EXPECT_THROW(rtl::ForceDirectories(""), rtl::EInOutError);

    EXPECT_FALSE(rtl::RemoveDir(temp.Path() + "one"));
    EXPECT_TRUE(rtl::RemoveDir(temp.Path() + "one\\TWO"));
    EXPECT_TRUE(rtl::RemoveDir(temp.Path() + "ONE"));
}

TEST(FileSystem, FindFirstListsDotEntriesAndHonoursMaskAndPattern) {
    TempFolder temp;
    ASSERT_TRUE(rtl::CreateDir(temp.Path() + "Sub"));
    rtl::WriteFileBytes(temp.Path() + "b.TXT", "12345");
    rtl::WriteFileBytes(temp.Path() + "a.txt", "");
    rtl::WriteFileBytes(temp.Path() + "noext", "");
    rtl::WriteFileBytes(temp.Path() + ".hidden", "");

    EXPECT_EQ(FindAll(temp.Path() + "*.*", rtl::faAnyFile),
              (std::vector<std::string>{".", "..", ".hidden", "a.txt", "b.TXT", "noext", "Sub"}));
    EXPECT_EQ(FindAll(temp.Path() + "*", 0), (std::vector<std::string>{"a.txt", "b.TXT", "noext"}));
    EXPECT_EQ(FindAll(temp.Path() + "*.txt", rtl::faAnyFile), (std::vector<std::string>{"a.txt", "b.TXT"}));
    EXPECT_EQ(FindAll(temp.Path() + "B*.t?t", 0), (std::vector<std::string>{"b.TXT"}));
    EXPECT_EQ(FindAll(temp.Path() + "noext.*", 0), (std::vector<std::string>{"noext"}));
    EXPECT_EQ(FindAll(temp.Path() + "*.*", rtl::faDirectory),
              (std::vector<std::string>{".", "..", "a.txt", "b.TXT", "noext", "Sub"}));

    rtl::TSearchRec rec;
    ASSERT_EQ(rtl::FindFirst(temp.Path() + "B.txt", rtl::faAnyFile, rec), 0);
    EXPECT_EQ(rec.Size, 5);
    EXPECT_EQ(rec.Attr, rtl::faArchive);
    EXPECT_GT(rec.Time, 40000.0);
    EXPECT_NE(rtl::FindNext(rec), 0);
    rtl::FindClose(rec);
    ASSERT_EQ(rtl::FindFirst(temp.Path() + "*.*", rtl::faAnyFile, rec), 0);
    EXPECT_EQ(rec.Name, ".");
    EXPECT_EQ(rec.Attr, rtl::faDirectory);
    rtl::FindClose(rec);

    EXPECT_NE(rtl::FindFirst(temp.Path() + "*.zip", rtl::faAnyFile, rec), 0);
    EXPECT_NE(rtl::FindFirst(temp.Path() + "missing\\*.*", rtl::faAnyFile, rec), 0);
}

TEST(FileSystem, ReadOnlyAttributeIsTheOwnerWritePermission) {
    TempFolder temp;
    const std::string file = temp.Path() + "ro.dat";
    rtl::WriteFileBytes(file, "data");
    EXPECT_EQ(rtl::FileGetAttr(file), rtl::faArchive);
    EXPECT_EQ(rtl::FileSetAttr(file, rtl::faArchive | rtl::faReadOnly), 0);
    struct stat st;
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & S_IWUSR, 0u);
    EXPECT_EQ(rtl::FileGetAttr(file), rtl::faArchive | rtl::faReadOnly);

    // A read-only file stays, whoever runs the test.
    EXPECT_FALSE(rtl::DeleteFile(file));
    EXPECT_THROW(rtl::WriteFileBytes(file, "other"), rtl::EInOutError);
    EXPECT_EQ(rtl::ReadFileBytes(file), "data");

    EXPECT_EQ(rtl::FileSetAttr(file, rtl::FileGetAttr(file) & ~rtl::faReadOnly), 0);
    EXPECT_TRUE(rtl::DeleteFile(file));
    EXPECT_EQ(rtl::FileGetAttr(file), -1);
    EXPECT_EQ(rtl::FileGetAttr(temp.Path()), rtl::faDirectory);
    rtl::WriteFileBytes(temp.Path() + ".cfg", "");
    EXPECT_EQ(rtl::FileGetAttr(temp.Path() + ".cfg"), rtl::faArchive | rtl::faHidden);
}

TEST(FileSystem, LinksReportThemselvesAndDeletingOneKeepsItsTarget) {
    TempFolder temp;
    ASSERT_TRUE(rtl::CreateDir(temp.Path() + "outside"));
    rtl::WriteFileBytes(temp.Path() + "outside\\keep.txt", "keep");
    rtl::WriteFileBytes(temp.Path() + "target.txt", "t");
    ASSERT_EQ(::symlink((temp.Path() + "outside").c_str(), (temp.Path() + "dirlink").c_str()), 0);
    ASSERT_EQ(::symlink((temp.Path() + "target.txt").c_str(), (temp.Path() + "filelink").c_str()), 0);

    EXPECT_EQ(rtl::FileGetAttr(temp.Path() + "dirlink"), rtl::faSymLink);
    EXPECT_EQ(rtl::FileSetAttr(temp.Path() + "filelink", rtl::faReadOnly), 0);
    EXPECT_EQ(rtl::FileGetAttr(temp.Path() + "target.txt"), rtl::faArchive);
    rtl::TSearchRec rec;
    ASSERT_EQ(rtl::FindFirst(temp.Path() + "DirLink", 0, rec), 0);
    EXPECT_EQ(rec.Attr, rtl::faSymLink);
    rtl::FindClose(rec);

    EXPECT_TRUE(rtl::DeleteFile(temp.Path() + "DIRLINK"));
    EXPECT_TRUE(rtl::DeleteFile(temp.Path() + "filelink"));
    EXPECT_EQ(rtl::ReadFileBytes(temp.Path() + "outside\\keep.txt"), "keep");
    EXPECT_EQ(rtl::ReadFileBytes(temp.Path() + "target.txt"), "t");
    EXPECT_FALSE(rtl::DeleteFile(temp.Path() + "outside"));
    EXPECT_FALSE(rtl::DeleteFile(temp.Path() + "missing"));
}

TEST(FileSystem, RenameNeverReplacesAndMayChangeCase) {
    TempFolder temp;
    rtl::WriteFileBytes(temp.Path() + "a.txt", "a");
    rtl::WriteFileBytes(temp.Path() + "b.txt", "b");
    EXPECT_FALSE(rtl::RenameFile(temp.Path() + "a.txt", temp.Path() + "B.TXT"));
    EXPECT_EQ(rtl::ReadFileBytes(temp.Path() + "b.txt"), "b");
    EXPECT_TRUE(rtl::RenameFile(temp.Path() + "a.txt", temp.Path() + "c.txt"));
    EXPECT_TRUE(rtl::RenameFile(temp.Path() + "c.txt", temp.Path() + "C.TXT"));
    EXPECT_EQ(FindAll(temp.Path() + "c.*", 0), std::vector<std::string>{"C.TXT"});
    EXPECT_FALSE(rtl::RenameFile(temp.Path() + "missing", temp.Path() + "d.txt"));
}

TEST(FileSystem, WholeFileErrorsNameThePath) {
    TempFolder temp;
    try {
        rtl::ReadFileBytes(temp.Path() + "nope\\gone.bin");
        FAIL() << "no error";
    } catch (const rtl::EInOutError& e) {
        EXPECT_NE(e.Message().find("nope\\gone.bin"), std::string::npos) << e.Message();
    }
    EXPECT_THROW(rtl::WriteFileBytes(temp.Path() + "nope\\new.bin", "x"), rtl::EInOutError);
    EXPECT_THROW(rtl::WriteFileBytes(temp.Path(), "x"), rtl::EInOutError);
    const std::string binary("\0\xFF\r\n", 4);
    rtl::WriteFileBytes(temp.Path() + "bin", binary);
    EXPECT_EQ(rtl::ReadFileBytes(temp.Path() + "BIN"), binary);
}

} // namespace
