// A version-2 package written by hand from the package document's tables: both builds read it.

#include "core/EntryRoutines.h"
#include "core/PackageDocument.h"
#include "core/import/ImportItems.h"
#include "core/import/ImportState.h"
#include "tests/core/import/ImportFixture.h"

#include "platform/rtl/FileSystem.h"

using namespace tarnwick;

namespace {

using Version2PackageTest = ImportTest;

TEST_F(Version2PackageTest, BothBuildsOfferItsItemsUnderTheirFileNames) {
    const std::string document = rtl::ReadFileBytes(std::string(TARNWICK_FIXTURES) + "/reduced/Version2Package.XML");
    const std::string package = MakePackageOfFiles(
        "version2", {{PackageDocumentName, document}, {"Personnel.db", "persons"}, {"XM_AuditMatter.db", "matters"}});
    host::SetCurrentUser(host::SampleMemberId);
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));

    EXPECT_EQ(ImportPackage(package, ""), 1);

    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_TRUE(NewLogEntries().empty());
    ASSERT_EQ(m_wizardCalls.size(), 1u);
    EXPECT_EQ(ImportMode, ImportModeIntoProject);
    EXPECT_EQ(PackageProjectInfo.PrjName.Str(), "2026年度财务收支审计");
    EXPECT_EQ(PackageProjectInfo.PlanExecStartDate, 46023.0);

    const std::string folder = m_wizardCalls[0].folder;
    const TImportItems items = ReadImportItems(folder + PackageDocumentName, folder);
    EXPECT_EQ(items.Errors, "");
    ASSERT_EQ(items.Items.size(), 2u);
    EXPECT_EQ(items.Items[0].Caption, "系统人员");
    EXPECT_EQ(items.Items[0].AppFileName, "Personnel.db");
    EXPECT_EQ(items.Items[1].EntryID, 4);
    const TModuleCallTarget target = ModuleCallTargetOf(items.Items[1], folder, false);
    EXPECT_EQ(target.Path, folder + "XM_AuditMatter.db");
    EXPECT_EQ(rtl::ReadFileBytes(target.Path), "matters");
}

} // namespace
