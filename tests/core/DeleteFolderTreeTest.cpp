#include "core/DeleteFolderTree.h"

#include "platform/rtl/FileSystem.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class DeleteFolderTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::path(TARNWICK_BINARY_DIR) / "tmp" /
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override {
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root);
    }

    static void Write(const fs::path& file, bool readOnly = false) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "data";
        if (readOnly)
            fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
    }

    // The system writes folder paths with backslashes.
    static std::string AsText(const fs::path& p) {
        std::string s = p.string();
        for (char& c : s)
            if (c == '/')
                c = '\\';
        return s;
    }

    fs::path root;
};

} // namespace

TEST_F(DeleteFolderTreeTest, MissingPathAnswersZeroAndDoesNothing) {
    EXPECT_EQ(tarnwick::DeleteFolderTree(AsText(root / "missing")), 0);
    EXPECT_TRUE(fs::exists(root));
}

TEST_F(DeleteFolderTreeTest, DeletesNestedTreeWithReadOnlyFilesWithOrWithoutTrailingSeparator) {
    for (const std::string suffix : {"", "\\"}) {
        const fs::path tree = root / "CommonReader";
        Write(tree / "Package.XML");
        Write(tree / "XMGL" / "prj.dat", true);
        Write(tree / "ResFile" / "a" / "b" / ".hidden", true);
        fs::create_directories(tree / "empty");

        EXPECT_EQ(tarnwick::DeleteFolderTree(AsText(tree) + suffix), 0) << "suffix '" << suffix << "'";
        EXPECT_FALSE(fs::exists(tree)) << "suffix '" << suffix << "'";
    }
}

TEST_F(DeleteFolderTreeTest, LinksAreRemovedAsLinksAndTheirTargetsSurvive) {
    const fs::path outside = root / "outside";
    Write(outside / "precious.txt");
    const fs::path tree = root / "work";
    Write(tree / "own.txt");
    fs::create_directory_symlink(outside, tree / "linked-folder");
    fs::create_symlink(outside / "precious.txt", tree / "linked-file");

    EXPECT_EQ(tarnwick::DeleteFolderTree(AsText(tree)), 0);
    EXPECT_FALSE(fs::exists(tree));
    EXPECT_TRUE(fs::exists(outside / "precious.txt"));

    // A link given as the folder itself is removed, not followed.
    fs::create_directory_symlink(outside, root / "link-to-outside");
    EXPECT_EQ(tarnwick::DeleteFolderTree(AsText(root / "link-to-outside")), 0);
    EXPECT_FALSE(fs::is_symlink(root / "link-to-outside"));
    EXPECT_TRUE(fs::exists(outside / "precious.txt"));
}

TEST_F(DeleteFolderTreeTest, DeepTreesAndTheLongestPathAreDeleted) {
    // 1,800 levels, and a folder whose path is exactly as long as the system takes, given with the
    // trailing backslash the system writes: both go whole.
    fs::path deep = root / "deep";
    std::string levels;
    for (int i = 0; i < 1800; ++i)
        levels += "a/";
    ASSERT_TRUE(rtl::ForceDirectories(deep.string() + "/" + levels));
    Write(deep.string() + "/" + levels + "leaf.txt", true);

    std::string longest = (root / "long").string();
    while (longest.size() + 201 < PATH_MAX - 1)
        longest += "/" + std::string(200, 'p');
    longest += "/" + std::string(PATH_MAX - 2 - longest.size(), 'q');
    ASSERT_EQ(longest.size(), std::size_t(PATH_MAX - 1));
    ASSERT_TRUE(rtl::ForceDirectories(longest));
    Write(fs::path(longest).parent_path() / "f.txt");

    for (const fs::path& tree : {deep, fs::path(longest), root / "long"}) {
        EXPECT_EQ(tarnwick::DeleteFolderTree(AsText(tree) + "\\"), 0) << tree.string().size();
        EXPECT_FALSE(fs::exists(tree)) << tree.string().size();
    }
}
