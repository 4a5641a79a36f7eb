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
    };
    // clang-format on
    cases.insert(cases.end(), std::begin(more), std::end(more));

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartOver(c.user);
        if (*c.openProject) {
            ASSERT_TRUE(host::OpenProject(c.openProject));
        }
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
