#include "host/ziptool/ZipEntryName.h"

#include <gtest/gtest.h>

using host::ParseZipEntryName;

TEST(ZipEntryName, SafeNamesSplitIntoParts) {
    struct Case {
        const char* name;
        std::vector<std::string> parts;
        bool folder;
    } cases[] = {
        {"Package.XML", {"Package.XML"}, false},
        {"资料/说明.txt", {"资料", "说明.txt"}, false},
        {"a\\b\\c.dat", {"a", "b", "c.dat"}, false},
        {"./a//b/", {"a", "b"}, true},
        {"sub\\", {"sub"}, true},
        {"a..b/..c", {"a..b", "..c"}, false},
    };
    for (const Case& c : cases) {
        auto parsed = ParseZipEntryName(c.name);
        EXPECT_FALSE(parsed.Refused()) << c.name << ": " << parsed.refusal;
        EXPECT_EQ(parsed.parts, c.parts) << c.name;
        EXPECT_EQ(parsed.isFolder, c.folder) << c.name;
    }
}

TEST(ZipEntryName, HostileNamesAreRefused) {
    const char* names[] = {"",
                           "/etc/passwd",
                           "\\evil.txt",
                           "\\\\server\\share\\x",
                           "//server/share/x",
                           "C:\\x",
                           "C:x",
                           "c:/x",
                           "../x",
                           "a/../../x",
                           "..\\x",
                           "a\\..",
                           "..",
                           "a/b:stream",
                           "x\ny",
                           "\xFF.txt",
                           "\xC1\x81.txt",
                           "\xED\xA0\x80.txt",
                           ".",
                           "./"};
    for (const char* name : names)
        EXPECT_TRUE(ParseZipEntryName(name).Refused()) << "accepted: " << name;
}
