#include "platform/rtl/FileReplacement.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"
#include "tests/platform/rtl/TempFolder.h"
#include "tests/support/SmallFileSystem.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

namespace {

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileReplacement, TheNewFileIsMadeBesideTheOldOneAndTakesItsPlaceWhole) {
    TempFolder temp;
    const std::string target = temp.Path() + "y.Package";
    rtl::WriteFileBytes(target, "the old package");
    std::string seen;
    const bool replaced = rtl::WriteReplacing(target, [&](const std::string& temporary) {
        seen = temporary;
        // The old file is still whole while the new one is written.
        EXPECT_EQ(rtl::ReadFileBytes(target), "the old package");
        rtl::WriteFileBytes(temporary, "the new package");
        return true;
    });
    EXPECT_TRUE(replaced);
    EXPECT_EQ(rtl::ExtractFilePath(seen), temp.Path());
    EXPECT_FALSE(rtl::EndsText(".Package", seen)) << seen;
    EXPECT_EQ(rtl::ReadFileBytes(target), "the new package");
    EXPECT_EQ(Names(temp.Path()), std::vector<std::string>{"y.Package"});

    // A file that is not there yet is made the same way; a name given in another letter case
    // replaces the file that is there.
    EXPECT_TRUE(rtl::WriteReplacing(temp.Path() + "new.PACKAGE", [](const std::string& temporary) {
        rtl::WriteFileBytes(temporary, "first");
        return true;
    }));
    EXPECT_EQ(rtl::ReadFileBytes(temp.Path() + "new.PACKAGE"), "first");
    rtl::CopyFileReplacing(target, temp.Path() + "Y.PACKAGE");
    EXPECT_EQ(Names(temp.Path()), (std::vector<std::string>{"new.PACKAGE", "y.Package"}));
}

TEST(FileReplacement, AWriteThatFailsLeavesTheOldFileByteForByteAndNothingBesideIt) {
    struct Case {
        const char* what;
        std::function<bool(const std::string&)> write;
        bool raises;
    };
    const std::vector<Case> cases = {
        {"answers false after writing part of it",
         [](const std::string& t) {
             rtl::WriteFileBytes(t, "half");
             return false;
         },
         false},
        {"raises after writing part of it",
         [](const std::string& t) -> bool {
             rtl::WriteFileBytes(t, "half");
             throw rtl::EInOutError("the disk is full");
         },
         true},
        {"answers true and writes nothing", [](const std::string&) { return true; }, false},
        {"makes a folder", [](const std::string& t) { return rtl::CreateDir(t); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder temp;
        const std::string target = temp.Path() + "old.Package";
        rtl::WriteFileBytes(target, "the old package");
        if (c.raises) {
            EXPECT_THROW(rtl::WriteReplacing(target, c.write), rtl::EInOutError);
        } else {
            EXPECT_FALSE(rtl::WriteReplacing(target, c.write));
        }
        EXPECT_EQ(rtl::ReadFileBytes(target), "the old package");
        // An empty folder the write made is left; no file is.
        for (const std::string& name : Names(temp.Path()))
            EXPECT_TRUE(name == "old.Package" || std::filesystem::is_directory(temp.Path() + name)) << name;
    }
}

TEST(FileReplacement, WhatMustNotBeReplacedIsNotWrittenAtAll) {
    TempFolder temp;
    rtl::WriteFileBytes(temp.Path() + "kept.Package", "read-only");
    ASSERT_EQ(rtl::FileSetAttr(temp.Path() + "kept.Package", rtl::faReadOnly), 0);
    ASSERT_TRUE(rtl::CreateDir(temp.Path() + "folder.Package"));
    int calls = 0;
    const auto write = [&](const std::string& temporary) {
        ++calls;
        rtl::WriteFileBytes(temporary, "new");
        return true;
    };
    for (const std::string target : {"kept.Package", "folder.Package", "folder.Package\\"}) {
        SCOPED_TRACE(target);
        EXPECT_FALSE(rtl::WriteReplacing(temp.Path() + target, write));
    }
    EXPECT_FALSE(rtl::WriteReplacing("", write));
    EXPECT_EQ(calls, 0);
    // A folder that is not there fails in the write.
    EXPECT_THROW(rtl::WriteReplacing(temp.Path() + "missing/x.Package", write), rtl::EInOutError);
    EXPECT_EQ(rtl::ReadFileBytes(temp.Path() + "kept.Package"), "read-only");
    EXPECT_EQ(Names(temp.Path()), (std::vector<std::string>{"folder.Package", "kept.Package"}));
    rtl::FileSetAttr(temp.Path() + "kept.Package", 0);

    // A copy of a file that is not there raises and replaces nothing.
    EXPECT_THROW(rtl::CopyFileReplacing(temp.Path() + "none", temp.Path() + "kept.Package"), rtl::EInOutError);
    EXPECT_EQ(rtl::ReadFileBytes(temp.Path() + "kept.Package"), "read-only");
}

TEST(FileReplacement, ACopyOntoAFullDiskKeepsTheOldFile) {
    TempFolder temp;
    tests::SmallFileSystem disk(temp.Path() + "disk", 64 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    const std::string target = disk.Path() + "满盘.Package";
    rtl::WriteFileBytes(target, "the old package");
    rtl::WriteFileBytes(temp.Path() + "big.Package", tests::IncompressibleBytes(256 * 1024));
    EXPECT_THROW(rtl::CopyFileReplacing(temp.Path() + "big.Package", target), rtl::EInOutError);
    EXPECT_EQ(rtl::ReadFileBytes(target), "the old package");
    EXPECT_EQ(Names(disk.Path()), std::vector<std::string>{"满盘.Package"});
}

// A process killed while it writes leaves its temporary (and what a tool made beside it) under a
// name that tells the file and the process; the next write of the same file removes them, and only
// them.
TEST(FileReplacement, WhatAKilledWriteLeftIsSweptWhenTheSameFileIsWrittenAgain) {
    TempFolder temp;
    const std::vector<std::string> targets = {"y.Package", "y", "z.Package"};
    // The leftovers' names but their attempt numbers.
    std::vector<std::string> expected;
    for (const std::string& name : targets) {
        rtl::WriteFileBytes(temp.Path() + name, "old " + name);
        expected.push_back(name);
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            rtl::WriteReplacing(temp.Path() + name, [](const std::string& temporary) {
                rtl::WriteFileBytes(temporary, "half");
                rtl::WriteFileBytes(temporary + ".x3Fq9Z", "the tool's own half");
                ::kill(::getpid(), SIGKILL);
                return true;
            });
            ::_exit(2);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        const std::string leftover = "." + name + ".replacing-" + std::to_string(child) + "-#";
        expected.push_back(leftover);
        expected.push_back(leftover + ".x3Fq9Z");
    }
    const auto namesButAttempts = [&] {
        std::vector<std::string> names;
        for (std::string name : Names(temp.Path())) {
            const std::size_t dash = name.rfind('-');
            if (name.find(".replacing-") != std::string::npos && dash != std::string::npos) {
                const std::size_t end = name.find('.', dash);
                name.replace(dash + 1, (end == std::string::npos ? name.size() : end) - dash - 1, "#");
            }
            names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        return names;
    };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(namesButAttempts(), expected);
    for (const std::string& name : targets)
        EXPECT_EQ(rtl::ReadFileBytes(temp.Path() + name), "old " + name);

    EXPECT_EQ(rtl::SweepLeftoversOf(temp.Path() + "y.Package"), 2);
    expected.erase(std::remove_if(expected.begin(), expected.end(),
                                  [](const std::string& n) { return n.rfind(".y.Package.", 0) == 0; }),
                   expected.end());
    EXPECT_EQ(namesButAttempts(), expected);
}

} // namespace
