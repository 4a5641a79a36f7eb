// Crafted and unlucky packages imported through the plug-in's export, as the host calls it, with the
// real forms and the sample modules: each is refused with its message, or imports only what it may,
// and leaves the installation's projects, persons and databases as they were.

#include "tests/support/CraftedPackage.h"
#include "core/EntryRoutines.h"
#include "core/Exports.h"
#include "core/HostApi.h"
#include "core/import/ImportForms.h"
#include "core/import/PackageReaders.h"
#include "core/import/UntFrm_MainReaderUnPack.h"
#include "tests/core/import/CraftedImportTest.h"

#include "controls/tabs/LuPageControl.h"
#include "host/Database.h"

#include "platform/framework/Forms.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/rtl/FileSystem.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace tarnwick;
using tests::CraftedDocument;
using tests::SampleItem;

namespace {

constexpr char NotAPackageText[] = "数据包格式不正确或非项目数据包，请检查后导入！";
constexpr char NothingImportableText[] = "没有可导入的数据信息！";
constexpr char OutsiderText[] = "当前人员没有参与该项目，不能导入！";
const std::string Prep = "IniXMLInfo: ";
const std::string Entry = "ImportXMLInfo: ";

class CraftedPackageTest : public CraftedImportTest {
protected:
    void SetUp() override {
        CraftedImportTest::SetUp();
        ImportForms() = TImportForms();
        m_packages = m_folder + ".packages/";
        fs::remove_all(m_packages);
        fs::create_directories(m_packages);
    }
    void TearDown() override {
        fs::remove_all(m_packages);
        CraftedImportTest::TearDown();
    }

    std::string Package(const std::string& name, const std::string& xml,
                        const std::vector<std::pair<std::string, std::string>>& files = {}) {
        const std::string file = m_packages + name + ".Package";
        tests::WriteCraftedPackage(file, xml, files);
        return file;
    }

    // A file of analysis rows of the account book "ZT-0001", as the audit analysis exports it, whose
    // first row would overwrite the sample project's.
    std::string AnalysisRows() {
        const std::string file = m_packages + "analysis.db";
        {
            host::Database db;
            db.Open(file, true);
            db.Exec(
                "create table XM_AuditAnalysis (AnalysisID TEXT PRIMARY KEY, AccBookID TEXT, Subject TEXT, "
                "Amount REAL, Note TEXT)");
            db.Run("insert into XM_AuditAnalysis values (?,?,?,?,?)", {"A001", "ZT-0001", "被改写", "1", ""});
            db.Run("insert into XM_AuditAnalysis values (?,?,?,?,?)", {"A900", "ZT-0001", "新增", "2", ""});
        }
        std::string rows = rtl::ReadFileBytes(file);
        fs::remove(file);
        return rows;
    }

    // The project part of the project, listing this many persons, as the build under test packs it.
    std::vector<std::pair<std::string, std::string>> ProjectPart(const std::string& prjId,
                                                                 std::size_t persons) {
        std::string list;
        for (std::size_t i = 0; i < persons; ++i)
            list += tests::Element("PrjPer", {{"PerUUID", std::to_string(300000000000000000 + i)}});
        const std::string part =
            tests::Element("VekProject", {},
                           tests::Element("PrjInfo", {{"PrjID", prjId}, {"PrjName", "测试项目"}},
                                          tests::Element("PrjPerInfo", {}, list)));
        if (OwnPackageVersion() == "3")
            return {{"XMGL/PrjInfo.xml", part}};
        const std::string packed = m_packages + "XMGL.pck";
        tests::WriteArchive(packed, {{"PrjInfo.xml", part}});
        std::string bytes = rtl::ReadFileBytes(packed);
        fs::remove(packed);
        return {{"XMGL.pck", bytes}};
    }

    std::string m_packages;
};

// The project part the host's project-information module would store: the sample project renamed.
const std::vector<std::pair<std::string, std::string>> kRenamingProjectPart = {
    {"XMGL/PrjInfo.xml",
     tests::Element(
         "VekProject", {},
         tests::Element("PrjInfo", {{"PrjID", host::SampleProjectId}, {"PrjName", "改名的项目"}},
                        tests::Element("PrjPerInfo", {},
                                       tests::Element("PrjPer", {{"PerUUID", host::SampleOutsiderId}}))))},
};

TEST_F(CraftedPackageTest, RefusedPackagesChangeNothing) {
    struct Case {
        std::string name;
        const char* user;
        const char* openProject; // empty: none
        CraftedDocument doc;
        std::vector<std::pair<std::string, std::string>> files;
        std::vector<std::string> boxes;
        std::vector<std::string> log;
        const char* accountBook = ""; // selected in the audit analysis
    };
    const auto doc = [](std::function<void(CraftedDocument&)> change) {
        CraftedDocument d;
        d.version = OwnPackageVersion();
        d.prjId = host::SampleProjectId;
        d.persons = {host::SampleMemberId};
        d.items = std::vector<std::string>{SampleItem("审计事项", "审计事项.db")};
        change(d);
        return d;
    };
    const std::vector<std::pair<std::string, std::string>> matters = {{"审计事项.db", "rows"}};
    const std::vector<std::pair<std::string, std::string>> analysis = {{"审计分析.db", AnalysisRows()}};
    const std::vector<std::pair<std::string, std::string>> partOfTooMany =
        ProjectPart("XM2026777", MaxPackagePersons + 1);
    const char* member = host::SampleMemberId;
    const char* outsider = host::SampleOutsiderId;
    std::vector<Case> cases;
    // clang-format off
    for (const char* version : {"", " 3", "03", "3.0", "4", "-3", "99999999999999999999"})
        cases.push_back({"PackageVersion \"" + std::string(version) + "\"", member,
                         host::SampleProjectId, doc([&](CraftedDocument& d) { d.version = version; }), matters,
                         {NotAPackageText}, {Prep + NotAPackageText}});
    const Case more[] = {
        {"no PackageVersion", member, host::SampleProjectId, doc([](CraftedDocument& d) { d.version.reset(); }),
         matters, {NotAPackageText}, {Prep + NotAPackageText}},
        {"no PackageInfo", member, host::SampleProjectId, doc([](CraftedDocument& d) { d.packageInfo = false; }),
         matters, {NotAPackageText}, {Prep + NotAPackageText}},
        {"no ExportItemInfo", member, host::SampleProjectId, doc([](CraftedDocument& d) { d.items.reset(); }), {},
         {NotAPackageText}, {Prep + NotAPackageText}},
        {"more items than any installation holds", member, host::SampleProjectId,
         doc([](CraftedDocument& d) { d.items = std::vector<std::string>(MaxPackageItems + 1, "<审计事项/>"); }),
         matters, {"数据包中的数据项多于1000个，不能导入！"}, {Prep + "数据包中的数据项多于1000个，不能导入！"}},
        {"more persons than any installation holds", member, host::SampleProjectId,
         doc([](CraftedDocument& d) { d.persons.assign(MaxPackagePersons + 1, host::SampleMemberId); }), matters,
         {"数据包中的项目人员多于10000个，不能导入！"}, {Prep + "数据包中的项目人员多于10000个，不能导入！"}},
        {"only an item whose module this installation lacks, for a project to be created", member, "",
         doc([](CraftedDocument& d) {
             d.prjId = "XM2026777";
             d.items = std::vector<std::string>{tests::ForeignItem("新模块", "Modules\\New.dll", "new.db")};
         }),
         {{"new.db", "rows"}, {"XMGL/PrjInfo.xml", "<VekProject/>"}, {"XMGL.pck", "part"}}, {NothingImportableText},
         {Prep + NothingImportableText}},
        {"no PrjInfo: the project part of another project", outsider, "",
         doc([](CraftedDocument& d) {
             d.prjId.reset();
             d.items = std::vector<std::string>{SampleItem("项目信息", "XMGL\\")};
         }),
         kRenamingProjectPart, {NothingImportableText}, {Prep + NothingImportableText}},
        {"no PrjInfo: project-bound items into the open project", member, host::SampleProjectId,
         doc([](CraftedDocument& d) {
             d.prjId.reset();
             d.items = std::vector<std::string>{SampleItem("项目信息", "XMGL\\"), SampleItem("审计事项", "审计事项.db")};
         }),
         {kRenamingProjectPart[0], matters[0]}, {NothingImportableText}, {Prep + NothingImportableText}},
        {"an outsider who lists themself among the package's persons", outsider, "",
         doc([](CraftedDocument& d) {
             d.persons = {host::SampleOutsiderId};
             d.items = std::vector<std::string>{SampleItem("项目资料", "ResFile\\"), SampleItem("项目信息", "XMGL\\")};
         }),
         {kRenamingProjectPart[0], {"ResFile/外来.txt", "x"}}, {OutsiderText}, {Prep + OutsiderText}},
        {"an outsider with the package's project open", outsider, host::SampleProjectId,
         doc([](CraftedDocument& d) {
             d.persons = {host::SampleOutsiderId};
             d.items = std::vector<std::string>{SampleItem("项目信息", "XMGL\\"), SampleItem("审计事项", "审计事项.db")};
         }),
         {kRenamingProjectPart[0], matters[0]}, {OutsiderText}, {Prep + OutsiderText}},
        {"an outsider's account-book package with the package's project open", outsider, host::SampleProjectId,
         doc([](CraftedDocument& d) { d.items = std::vector<std::string>{SampleItem("审计分析", "审计分析.db")}; }),
         analysis, {OutsiderText}, {Prep + OutsiderText}, "ZT-0001"},
        {"an outsider's item named as the analysis, of the audit matters' module", outsider, host::SampleProjectId,
         doc([](CraftedDocument& d) {
             d.items = std::vector<std::string>{tests::DisguisedItem("审计分析", "审计事项", "审计事项.db")};
         }),
         matters, {OutsiderText}, {Prep + OutsiderText}},
        {"an outsider's item named as the analysis, of the materials' module", outsider, host::SampleProjectId,
         doc([](CraftedDocument& d) {
             d.items = std::vector<std::string>{tests::DisguisedItem("审计分析", "项目资料", "ResFile\\")};
         }),
         {{"ResFile/外来.txt", "x"}}, {OutsiderText}, {Prep + OutsiderText}},
        {"the administrator with another project open, an account-book package", AdministratorUserId,
         host::SecondProjectId,
         doc([](CraftedDocument& d) { d.items = std::vector<std::string>{SampleItem("审计分析", "审计分析.db")}; }),
         analysis, {NothingImportableText}, {Entry + NothingImportableText}, "ZT-0001"},
        {"a project part of more persons than any installation holds, for a project to be created", member, "",
         doc([](CraftedDocument& d) {
             d.prjId = "XM2026777";
             d.items = std::vector<std::string>{
                 SampleItem("项目信息", OwnPackageVersion() == "3" ? "XMGL\\" : "XMGL.pck")};
         }),
         partOfTooMany, {"数据包中的项目人员多于10000个，不能导入！"}, {Prep + "数据包中的项目人员多于10000个，不能导入！"}},
    };
    // clang-format on
    cases.insert(cases.end(), std::begin(more), std::end(more));

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartOver(c.user);
        if (*c.openProject) {
            ASSERT_TRUE(host::OpenProject(c.openProject));
        }
        host::SetSelectedAccountBook(c.accountBook);
        const std::string package = Package("crafted", tests::CraftedXml(c.doc), c.files);
        const Untouched before = Snapshot();
        ExpectBoxes(c.boxes);

        EXPECT_EQ(Import(package), -1);

        EXPECT_EQ(BoxTexts(), c.boxes);
        EXPECT_EQ(NewLogEntries(), Logged(c.log));
        EXPECT_TRUE(host::ProjectsCreated().empty());
        EXPECT_TRUE(host::PrjOptionRows().empty());
        ExpectNothingLeft(before, package);
    }
}

TEST_F(CraftedPackageTest, AnItemWhoseModuleThisInstallationLacksGetsNoTabAndTheOthersImport) {
    StartOver(host::SampleMemberId);
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    CraftedDocument doc;
    doc.version = OwnPackageVersion();
    doc.prjId = host::SampleProjectId;
    doc.persons = {host::SampleMemberId};
    doc.items = std::vector<std::string>{tests::ForeignItem("新模块", "Modules\\New.dll", "new.db"),
                                         SampleItem("审计事项", "审计事项.db")};
    // One audit matter, as the module exported it.
    const std::string matters = m_packages + "matters.db";
    {
        host::Database db;
        db.Open(matters, true);
        db.Exec("create table XM_AuditMatter (MatterID TEXT PRIMARY KEY, MatterName TEXT, Amount REAL)");
        db.Run("insert into XM_AuditMatter values (?,?,?)", {"M900", "新增事项", "1"});
    }
    const std::string package = Package("foreign-module", tests::CraftedXml(doc),
                                        {{"new.db", "rows"}, {"审计事项.db", rtl::ReadFileBytes(matters)}});
    fs::remove(matters);
    std::vector<std::string> tabs;
    framework::ScriptedUser()
        .ScriptFor("TFrm_MainReaderUnPack")
        .Do([&](framework::TCustomForm& form) {
            const lu::TLuPageControl& pages = dynamic_cast<TFrm_MainReaderUnPack&>(form).PageImport();
            for (int i = 0; i < pages.GetPageCount(); ++i)
                tabs.push_back(pages.GetPage(i)->Name() + " " + pages.GetPage(i)->Caption());
        })
        .Click("btnHorzNext")
        .Close();
    ExpectBoxes({"新模块读取信息失败！", "审计事项导入成功！"});

    EXPECT_EQ(Import(package), 1);

    EXPECT_EQ(tabs, std::vector<std::string>{"ImportTab1 审计事项"});
    host::Database project;
    project.Open(host::ProjectDatabasePath(host::SampleProjectId), false);
    EXPECT_EQ(project.Query("select MatterName from XM_AuditMatter where MatterID = 'M900'"),
              std::vector<host::Database::Row>{{"新增事项"}});
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"新模块读取信息失败！", "审计事项导入成功！"}));
    ExpectSoundAndTidy(package);
}

} // namespace
