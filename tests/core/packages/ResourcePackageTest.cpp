#include "tests/core/packages/PackagesFixture.h"

#include "tests/support/SmallFileSystem.h"

#include "core/PackageDocument.h"

#include "platform/rtl/FileSystem.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

class ResourcePackageTest : public PackagesTest {
protected:
    void SetUp() override {
        PackagesTest::SetUp();
        fs::create_directories(m_folder + "/Out");
        m_target = m_folder + "/Out/资料包.PACKAGE";
    }

    std::string m_target;
};

TEST_F(ResourcePackageTest, WithAProjectOpenThePackageHoldsItsInformationAndTheResourceFile) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));

    ASSERT_TRUE(ResourcePackage("R003", m_target));

    const std::string unpacked = Unpack(m_target);
    EXPECT_EQ(Files(unpacked), (std::vector<std::string>{"Package.XML", "ResFile.pck"}));
    xml::TXMLDocument doc;
    LoadDocument(unpacked, doc);
    const xml::TXMLNode info = FindRootNode(doc, PackageInfoNode);
    EXPECT_EQ(PackageAttributeText(info, "PackageTypeName"), ReaderPackageType);
    EXPECT_EQ(PackageAttributeText(info, "PackageCaption"), "资料包.PACKAGE");
    EXPECT_EQ(PackageAttribute(info, "PackageMemo"), "");
    const xml::TXMLNode prjInfo = FindRootNode(doc, PrjInfoNode);
    EXPECT_EQ(PackageAttributeText(prjInfo, "PrjID"), host::SampleProjectId);
    EXPECT_EQ(PackageAttributeText(prjInfo, "PrjInfoExport"), "False");
    EXPECT_EQ(PackagePersons(FindProjectPersons(doc)).size(), 3u);
    const std::vector<xml::TXMLNode> items = PackageItems(doc);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].NodeName(), "项目资料");
    EXPECT_EQ(PackageAttributeText(items[0], "ModGuid"), "{6A1F0C2E-0002-4C57-9E10-000000000002}");
    EXPECT_EQ(PackageAttributeText(items[0], "ModCaption"), "项目资料");
    EXPECT_EQ(PackageAttributeText(items[0], "ModDllFile"), "Modules\\ProjectMaterials.dll");
    EXPECT_EQ(PackageAttributeText(items[0], "EntryID"), "2");
    EXPECT_EQ(PackageAttributeText(items[0], "AppName"), "项目资料");
    EXPECT_EQ(PackageAttributeText(items[0], "AppFileName"), "ResFile.pck");
    // The resource file holds the materials the ids name.
    EXPECT_EQ(Files(Unpack(unpacked + "/ResFile.pck")), std::vector<std::string>{"审计通知书.txt"});

    // The host's work folder is left in place and empty; nothing is logged or shown.
    EXPECT_TRUE(fs::is_directory(XmglFolder()));
    EXPECT_TRUE(Files(XmglFolder()).empty());
    EXPECT_TRUE(NewLogEntries().empty());
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_TRUE(host::ProcessCalls().empty());
}

struct ResourceCase {
    const char* name;
    bool projectOpen;
    const char* resIds;
    // Injected into the host; "" leaves it alone.
    const char* resourceAnswer; // the package library's answer: "file" names a file of the test's
    bool compressFails;
    bool staleTarget;
    bool queryFails;
    // Expected:
    bool result;
    bool packageWritten;
    bool prjInfo;
    std::vector<std::string> items;
    bool moduleAttributes;
};

TEST_F(ResourcePackageTest, ResourceCases) {
    // clang-format off
    const ResourceCase cases[] = {
        {"an empty id list", true, "", "", false, false, false, false, false, false, {}, false},
        {"no project open", false, "R003", "", false, false, false, true, true, false, {}, false},
        {"the library gives no file", true, "R003", "none", false, false, false, true, true, true, {}, false},
        {"the library names a file that is not there", true, "R003", "missing", false, false, false, true, true,
         true, {}, false},
        {"a resource file of the library's choice", true, "R001", "file", false, false, false, true, true, true,
         {"项目资料"}, true},
        {"a failing module query", true, "R003", "", false, false, true, true, true, true, {"项目资料"}, false},
        {"the compression fails", true, "R003", "file", true, false, false, false, false, true, {}, false},
        {"the compression fails over an old package", true, "R003", "", true, true, false, false, false, true,
         {}, false},
        {"an old package is replaced", true, "R003", "", false, true, false, true, true, true, {"项目资料"},
         true},
    };
    // clang-format on
    for (const ResourceCase& c : cases) {
        SCOPED_TRACE(c.name);
        host::ClearRecords();
        host::CloseProject();
        fs::remove(m_target);
        if (c.projectOpen) {
            ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
        }
        const std::string resourceFile = m_folder + "/Library/资料.pck";
        fs::create_directories(m_folder + "/Library");
        std::ofstream(resourceFile) << "resources";
        const std::string answer = c.resourceAnswer;
        if (answer == "none")
            host::InjectTextAnswer("VekPackage_ResIDs", "");
        else if (answer == "missing")
            host::InjectTextAnswer("VekPackage_ResIDs", m_folder + "/Library/none.pck");
        else if (answer == "file")
            host::InjectTextAnswer("VekPackage_ResIDs", resourceFile);
        if (c.compressFails)
            host::InjectAnswer("CompressFile", 0);
        if (c.queryFails)
            host::InjectRaise("GetBaseDBConnection", "the base database is away");
        if (c.staleTarget)
            std::ofstream(m_target) << "an old package";

        EXPECT_EQ(ResourcePackage(c.resIds, m_target), c.result);
        host::ClearInjections();

        // A package that was not written leaves an old one as it was.
        EXPECT_EQ(fs::exists(m_target), c.packageWritten || c.staleTarget);
        if (c.staleTarget && !c.packageWritten) {
            std::ifstream old(m_target);
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "an old package");
        }
        EXPECT_EQ(Files(m_folder + "/Out").size(), fs::exists(m_target) ? 1u : 0u) << "no file beside the package";
        EXPECT_EQ(host::LastPluginError(), "");
        EXPECT_TRUE(NewLogEntries().empty());
        EXPECT_TRUE(BoxTexts().empty());
        // The resource file went, whatever became of the package.
        EXPECT_EQ(fs::exists(resourceFile), answer != "file");
        if (std::string(c.resIds).empty()) {
            // Nothing was saved: the work folder holds no document.
            EXPECT_TRUE(Files(XmglFolder()).empty());
            continue;
        }
        EXPECT_TRUE(fs::is_directory(XmglFolder()));
        EXPECT_TRUE(Files(XmglFolder()).empty());
        if (!c.packageWritten)
            continue;
        xml::TXMLDocument doc;
        LoadDocument(Unpack(m_target), doc);
        EXPECT_EQ(FindRootNode(doc, PrjInfoNode).IsNull(), !c.prjInfo);
        EXPECT_FALSE(FindRootNode(doc, ExportItemInfoNode).IsNull());
        std::vector<std::string> names;
        for (const xml::TXMLNode& item : PackageItems(doc)) {
            names.push_back(item.NodeName());
            EXPECT_EQ(PackageAttribute(item, "ModGuid").has_value(), c.moduleAttributes);
            EXPECT_EQ(PackageAttribute(item, "EntryID").has_value(), c.moduleAttributes);
            EXPECT_EQ(PackageAttributeText(item, "AppName"), "项目资料");
        }
        EXPECT_EQ(names, c.items);
    }
}

TEST_F(ResourcePackageTest, AFullDiskKeepsTheOldPackage) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    tests::SmallFileSystem disk(m_folder + "/disk", 64 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    const std::string target = disk.Path() + "资料包.PACKAGE";
    std::ofstream(target) << "an old package";
    // A resource file larger than the whole disk.
    const std::string resourceFile = m_folder + "/Library/大资料.pck";
    fs::create_directories(m_folder + "/Library");
    std::ofstream(resourceFile, std::ios::binary) << tests::IncompressibleBytes(256 * 1024);
    host::InjectTextAnswer("VekPackage_ResIDs", resourceFile);

    EXPECT_FALSE(ResourcePackage("R003", target));
    std::ifstream old(target);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "an old package");
    EXPECT_EQ(Files(disk.Path()), std::vector<std::string>{"资料包.PACKAGE"});
    EXPECT_TRUE(Files(XmglFolder()).empty());
}

TEST_F(ResourcePackageTest, APackageNamedInsideTheWorkFolderIsNotReportedAsBuilt) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    EXPECT_FALSE(ResourcePackage("R003", XmglFolder() + "/inside.PACKAGE"));
    EXPECT_TRUE(Files(XmglFolder()).empty());
}

TEST_F(ResourcePackageTest, AMissingWorkFolderEndsTheRunWithAnErrorForTheHost) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    fs::remove_all(XmglFolder());
    EXPECT_FALSE(ResourcePackage("R003", m_target));
    EXPECT_NE(host::LastPluginError().find("VekPackResIDs: "), std::string::npos);
    EXPECT_FALSE(fs::exists(m_target));
    // The folder is the host's: the run does not create it.
    EXPECT_FALSE(fs::exists(XmglFolder()));
}

} // namespace
