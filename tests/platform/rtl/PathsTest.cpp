#include "platform/rtl/Paths.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    const char* input;
    const char* path;
    const char* dir;
    const char* name;
    const char* ext;
};

TEST(Paths, ExtractionTable) {
    const PathCase cases[] = {
        {"C:\\Vek\\Temp\\Package.XML", "C:\\Vek\\Temp\\", "C:\\Vek\\Temp", "Package.XML", ".XML"},
        {"/opt/tarnwick/System/API/VekPackage.dll", "/opt/tarnwick/System/API/", "/opt/tarnwick/System/API",
         "VekPackage.dll", ".dll"},
        {"~Vek~Temp\\CommonReader\\", "~Vek~Temp\\CommonReader\\", "~Vek~Temp\\CommonReader", "", ""},
        {"mixed/sub\\file.tar.gz", "mixed/sub\\", "mixed/sub", "file.tar.gz", ".gz"},
        {"C:name.txt", "C:", "C:", "name.txt", ".txt"},
        {"C:\\", "C:\\", "C:\\", "", ""},
        {"/", "/", "/", "", ""},
        {"dir.d\\noext", "dir.d\\", "dir.d", "noext", ""},
        {"plain", "", "", "plain", ""},
        {".hidden", "", "", ".hidden", ".hidden"},
        {"", "", "", "", ""},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(rtl::ExtractFilePath(c.input), c.path);
        EXPECT_EQ(rtl::ExtractFileDir(c.input), c.dir);
        EXPECT_EQ(rtl::ExtractFileName(c.input), c.name);
        EXPECT_EQ(rtl::ExtractFileExt(c.input), c.ext);
    }
}

TEST(Paths, ChangeFileExtReplacesOnlyTheNamePart) {
    EXPECT_EQ(rtl::ChangeFileExt("a\\b.c\\file.zip", ".package"), "a\\b.c\\file.package");
    EXPECT_EQ(rtl::ChangeFileExt("a.b/file", ".xml"), "a.b/file.xml");
    EXPECT_EQ(rtl::ChangeFileExt("file.tar.gz", ""), "file.tar");
}

TEST(Paths, TrailingDelimiterTable) {
    struct Case {
        const char* input;
        bool has;
        const char* included;
        const char* excluded;
    };
    const Case cases[] = {
        {"C:\\Temp", false, "C:\\Temp\\", "C:\\Temp"},
        {"C:\\Temp\\", true, "C:\\Temp\\", "C:\\Temp"},
        {"/tmp/x", false, "/tmp/x/", "/tmp/x"},
        {"/tmp/x/", true, "/tmp/x/", "/tmp/x"},
        {"Temp", false, "Temp\\", "Temp"},
        {"", false, "\\", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(rtl::HasTrailingPathDelimiter(c.input), c.has);
        EXPECT_EQ(rtl::IncludeTrailingPathDelimiter(c.input), c.included);
        EXPECT_EQ(rtl::ExcludeTrailingPathDelimiter(c.input), c.excluded);
    }
}

} // namespace
