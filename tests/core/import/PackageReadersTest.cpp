#include "core/import/PackageReaders.h"
#include "core/HostApi.h"
#include "core/PackageDocument.h"
#include "core/import/ImportItems.h"
#include "core/import/ImportState.h"
#include "core/import/PackageProbes.h"
#include "tests/core/import/ImportFixture.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/xml/XMLDocument.h"

using namespace tarnwick;

namespace {

class PackageReadersTest : public ImportTest {
protected:
    // Writes the recipe's "Package.XML" and its items' files; answers the document's path.
    std::string Document(const PackageRecipe& recipe) {
        const std::string folder = m_folder + "/Documents/" + std::to_string(++m_count) + "/";
        rtl::ForceDirectories(folder);
        rtl::WriteFileBytes(folder + "Package.XML", PackageXml(recipe));
        for (const std::string& caption : recipe.items.value_or(std::vector<std::string>{}))
            rtl::WriteFileBytes(folder + caption + ".db", "rows");
        return folder + "Package.XML";
    }
    std::string ItemsDocument(const std::vector<std::string>& items) {
        PackageRecipe recipe;
        recipe.items = items;
        return Document(recipe);
    }
    std::string Broken() { return MakeFile("Broken.XML", "<VekPackage>"); }

    int m_count = 0;
};

TEST_F(PackageReadersTest, TheProjectReadsBackAsTheExportWroteIt) {
    xml::TXMLDocument doc;
    WriteProjectInfoNode(PreparePackageDocument(doc, "", "c", "m", "3"), host::SampleProjectId, true);
    const std::string path = MakeFile("Package.XML", doc.SaveToString());
    TVekPrjInfo expected;
    const sharemem::CountedText serial(host::SampleProjectId);
    VekLoadPrj(&expected, serial.Get());

    ReadPackageProjectInfo(path);

    const TVekPrjInfo& read = PackageProjectInfo;
    EXPECT_EQ(PackagePrjInfoExport, "True");
    for (auto field :
         {&TVekPrjInfo::PrjID,        &TVekPrjInfo::PrjName,           &TVekPrjInfo::PrjReportOrgan,
          &TVekPrjInfo::AuditContent, &TVekPrjInfo::PrjExecuteOrganID, &TVekPrjInfo::PrjExecuteOrgan,
          &TVekPrjInfo::AuditStyle,   &TVekPrjInfo::PrjLevel,          &TVekPrjInfo::PrjClass,
          &TVekPrjInfo::SpecialClass, &TVekPrjInfo::OrgFunction,       &TVekPrjInfo::AuditArea,
          &TVekPrjInfo::ProjectRely,  &TVekPrjInfo::AuditObject,       &TVekPrjInfo::AuditEmphasis,
          &TVekPrjInfo::ReMark,       &TVekPrjInfo::AuditedCorpID,     &TVekPrjInfo::AuditedCorpName,
          &TVekPrjInfo::LastAuditOrg, &TVekPrjInfo::AuthorizedField,   &TVekPrjInfo::SupervisorOrg,
          &TVekPrjInfo::AuditSpan,    &TVekPrjInfo::STATTARGENAME,     &TVekPrjInfo::STATTARGEID})
        EXPECT_EQ((read.*field).Str(), (expected.*field).Str());
    for (auto field :
         {&TVekPrjInfo::PlanExecStartDate, &TVekPrjInfo::PlanExecEndDate, &TVekPrjInfo::LastAuditDate})
        EXPECT_EQ(read.*field, expected.*field);
    for (auto field :
         {&TVekPrjInfo::ValidWorkDays, &TVekPrjInfo::PrjPersonsQuantity, &TVekPrjInfo::IsLeaderGive,
          &TVekPrjInfo::IsGranted, &TVekPrjInfo::IsReport, &TVekPrjInfo::IsIndividual})
        EXPECT_EQ(read.*field, expected.*field);
    EXPECT_EQ(read.PlanExecEndDate, 46053.5);
    EXPECT_EQ(read.ValidWorkDays, 22);
}

TEST_F(PackageReadersTest, AFieldThatDoesNotParseReadsAsZeroAndTheRestStays) {
    PackageRecipe recipe;
    recipe.prjInfoExport = "False";
    recipe.prjAttributes = {{"ValidWorkDays", "二十"},     {"PrjPersonsQuantity", "3"},   {"IsGranted", "yes"},
                          {"PlanExecStartDate", "soon"}, {"LastAuditDate", "45292.25"}, {"IsReport", "1"}};
    const std::string path = Document(recipe);
    ReadPackageProjectInfo(path);
    EXPECT_EQ(PackageProjectInfo.PrjID.Str(), host::SampleProjectId);
    EXPECT_EQ(PackageProjectInfo.PrjName.Str(), "测试项目");
    EXPECT_EQ(PackageProjectInfo.ValidWorkDays, 0);
    EXPECT_EQ(PackageProjectInfo.PrjPersonsQuantity, 3);
    EXPECT_EQ(PackageProjectInfo.IsGranted, 0);
    EXPECT_EQ(PackageProjectInfo.IsReport, 1);
    EXPECT_EQ(PackageProjectInfo.PlanExecStartDate, 0);
    EXPECT_EQ(PackageProjectInfo.LastAuditDate, 45292.25);
    EXPECT_EQ(PackageProjectInfo.AuditArea.Str(), "");
    EXPECT_EQ(PackagePrjInfoExport, "False");

    // Working style 1 imports no project information.
    host::SetWorkingStyle(1);
    ReadPackageProjectInfo(path);
    EXPECT_EQ(PackagePrjInfoExport, "FALSE");

    // A document that does not load leaves nothing of the one before.
    ExpectBoxes({"打开文件失败！"});
    ReadPackageProjectInfo(Broken());
    EXPECT_EQ(PackageProjectInfo.PrjID.Str(), "");
    EXPECT_EQ(PackageProjectInfo.PrjPersonsQuantity, 0);
    EXPECT_EQ(PackagePrjInfoExport, "");
}

TEST_F(PackageReadersTest, PersonsInDocumentOrderAndNeverAnError) {
    PackageRecipe recipe;
    recipe.persons = {"P3", "p1", "P2"};
    std::vector<std::string> persons = {"kept"};
    ReadPackagePersons(Document(recipe), persons);
    EXPECT_EQ(persons, (std::vector<std::string>{"kept", "P3", "p1", "P2"}));

    recipe.prjId.reset();
    ReadPackagePersons(Document(recipe), persons);
    ReadPackagePersons(Broken(), persons);
    ReadPackagePersons(m_folder + "/none.XML", persons);
    EXPECT_EQ(persons.size(), 4u);
}

TEST_F(PackageReadersTest, ItemProbes) {
    bool materials = false;
    EXPECT_TRUE(PackageHasOnlyProjectInfo(ItemsDocument({"项目信息"})));
    EXPECT_TRUE(PackageHasOnlyProjectInfo(ItemsDocument({})));
    EXPECT_FALSE(PackageHasOnlyProjectInfo(ItemsDocument({"项目信息", "系统人员"})));

    EXPECT_TRUE(PackageIsProjectFree(ItemsDocument({"系统人员", "未登记模块"}), materials));
    EXPECT_FALSE(materials);
    // A module bound through the account book works on the open project too.
    EXPECT_FALSE(PackageIsProjectFree(ItemsDocument({"系统人员", "审计分析"}), materials));
    EXPECT_FALSE(materials);
    EXPECT_FALSE(PackageIsProjectFree(ItemsDocument({"审计事项"}), materials));
    EXPECT_FALSE(materials);
    EXPECT_FALSE(PackageIsProjectFree(ItemsDocument({"系统人员", "项目资料"}), materials));
    EXPECT_TRUE(materials);

    PackageRecipe archive;
    archive.typeName = "XMGL_PACKAGE_GDB";
    EXPECT_TRUE(PackageTypeIs(Document(archive), "XMGL_PACKAGE_GDB"));
    EXPECT_FALSE(PackageTypeIs(Document(PackageRecipe()), "XMGL_PACKAGE_GDB"));
    EXPECT_FALSE(PackageTypeIs(MakeFile("NoInfo.XML", "<VekPackage/>"), "XMGL_PACKAGE_GDB"));

    PackageRecipe noItems;
    noItems.items.reset();
    const std::string withoutItems = Document(noItems);
    EXPECT_THROW(PackageHasOnlyProjectInfo(withoutItems), rtl::Exception);
    EXPECT_THROW(PackageIsProjectFree(withoutItems, materials), rtl::Exception);
    EXPECT_THROW(CountImportableItems(withoutItems), rtl::Exception);
    EXPECT_THROW(PackageTypeIs(Broken(), "XMGL_PACKAGE_GDB"), rtl::Exception);
    EXPECT_THROW(PackageHasOnlyProjectInfo(Broken()), rtl::Exception);
}

TEST_F(PackageReadersTest, ImportableItemsByModeUserAndAccountBook) {
    const std::vector<std::string> all = {"项目信息", "项目资料", "系统人员", "审计事项", "审计分析"};
    struct Row {
        std::int32_t mode;
        const char* user;
        const char* book;
        std::vector<std::string> items;
        int count;
    };
    // clang-format off
    const Row rows[] = {
        {ImportModeProjectFree, AdministratorUserId, "", all, 1},
        {ImportModeIntoProject, host::SampleMemberId, "ZT-0001", all, 3},
        {ImportModeUnfiltered, host::SampleMemberId, "-1", all, 3},
        {ImportModeUnfiltered, AdministratorUserId, "ZT-0001", all, 5},
        {ImportModeProjectFree, host::SampleMemberId, "ZT-0001", {"系统人员"}, 0},
        {ImportModeUnfiltered, host::SampleMemberId, "", {}, 0},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.mode) + " " + row.user + " " + row.book);
        host::SetCurrentUser(row.user);
        host::SetSelectedAccountBook(row.book);
        ImportMode = row.mode;
        EXPECT_EQ(CountImportableItems(ItemsDocument(row.items)), row.count);
    }
    // An item of a module this installation lacks is not importable; the others still count.
    EXPECT_EQ(CountImportableItems(ItemsDocument({"审计事项", "未登记模块"})), 1);

    // A failing account-book lookup is told once for every item that asks.
    ImportMode = ImportModeUnfiltered;
    host::InjectRaise("GetSelAccBookID", "no audit analysis");
    ExpectBoxes({"装载 GetSelAccBookID 失败！", "装载 GetSelAccBookID 失败！"});
    EXPECT_EQ(CountImportableItems(ItemsDocument({"审计分析", "审计事项"})), 1);
    ImportMode = ImportModeUnfiltered;
}

} // namespace
