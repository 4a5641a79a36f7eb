#include "core/EntryRoutines.h"
#include "core/import/ImportForms.h"
#include "core/import/UntFrm_MainReaderUnPack.h"
#include "tests/core/import/ModuleTabsFixture.h"

#include "controls/button/LuBitBtn.h"
#include "controls/tabs/LuPageControl.h"

#include "platform/framework/ScriptedUser.h"
#include "platform/rtl/FileSystem.h"

using namespace tarnwick;

namespace {

constexpr char Module[] = "Mods\\TestModule.dll";
constexpr char Wizard[] = "TFrm_MainReaderUnPack";

// Both import forms are the real ones, and every module is the test module.
class ImportWizardTest : public ModuleTabsTest {
protected:
    void SetUp() override {
        ModuleTabsTest::SetUp();
        ImportForms() = TImportForms();
        for (const char* caption : {"项目信息", "项目资料", "系统人员", "审计事项", "审计分析"})
            SetModuleLibrary(caption, Module);
        host::SetCurrentUser(host::SampleMemberId);
    }


    std::vector<std::string> Calls(const std::string& entry) {
        std::vector<std::string> calls;
        for (const TestModuleCall& call : TestModuleCalls("Mods/TestModule.dll"))
            if (call.Entry == entry)
                calls.push_back(std::to_string(call.EntryId) + " " +
                                (entry == "VekPackage_Free" ? std::to_string(call.Closing) : call.Path));
        return calls;
    }

    std::string OwnProjectPackage(const std::vector<std::string>& items) {
        ImportForms().CreateProject = CreateProjectFromPackage;
        PackageRecipe recipe;
        recipe.items = items;
        return MakePackage("own", recipe);
    }
};

struct TabView {
    std::string name, caption, hint, helpKeyword;
    std::intptr_t tag = 0;
    bool tabVisible = false;
    bool operator==(const TabView&) const = default;
};

std::vector<TabView> Tabs(framework::TCustomForm& form) {
    const lu::TLuPageControl& pages = dynamic_cast<TFrm_MainReaderUnPack&>(form).PageImport();
    std::vector<TabView> tabs;
    for (int i = 0; i < pages.GetPageCount(); ++i) {
        const lu::TLuTabSheet* tab = pages.GetPage(i);
        tabs.push_back({tab->Name(), tab->Caption(), tab->Hint(), tab->HelpKeyword(), tab->Tag(), tab->TabVisible()});
    }
    return tabs;
}

void PrintTo(const TabView& t, std::ostream* os) {
    *os << t.name << " " << t.caption << " " << t.hint << " " << t.helpKeyword << " " << t.tag
        << (t.tabVisible ? "" : " hidden");
}

TEST_F(ImportWizardTest, APreviewShowsOneTabPerItemAndEveryPathBeginsWithTheSeparator) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    const std::string package = OwnProjectPackage({"项目信息", "审计事项", "系统人员", "项目资料"});
    std::vector<TabView> tabs;
    std::string caption, activeTab;
    bool importShown = true;
    framework::ScriptedUser()
        .ScriptFor(Wizard)
        .Do([&](framework::TCustomForm& form) {
            auto& wizard = dynamic_cast<TFrm_MainReaderUnPack&>(form);
            tabs = Tabs(form);
            caption = form.Caption();
            importShown = wizard.btnHorzNext().Visible();
            activeTab = wizard.PageImport().ActivePage() ? wizard.PageImport().ActivePage()->Caption() : "";
            framework::SaveFormPng(form, std::string(TARNWICK_BINARY_DIR) + "/import-wizard-preview.png");
        })
        .Close();

    EXPECT_EQ(ImportPackage(package, "1"), 1);

    const std::string folder = WorkFolder();
    EXPECT_EQ(caption, "Velmora 预览");
    EXPECT_FALSE(importShown);
    EXPECT_EQ(activeTab, "审计事项");
    EXPECT_EQ(tabs, (std::vector<TabView>{
                        {"ImportTab1", "审计事项", Module, "审计事项.db", 4, true},
                        {"ImportTab2", "系统人员", Module, "系统人员.db", 3, false},
                        {"ImportTab3", "项目资料", Module, "项目资料.db", 2, true},
                    }));
    EXPECT_EQ(Calls("VekPackage_ImportProc"),
              (std::vector<std::string>{"4 @&@" + folder + "审计事项.db", "3 @&@" + folder + "系统人员.db",
                                        "2 @&@" + folder + "项目资料.db"}));
    EXPECT_EQ(Calls("VekPackage_Free"), (std::vector<std::string>{"2 0", "3 0", "4 0"}));
    EXPECT_TRUE(Calls("VekPackage_Import").empty());
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(ImportWizardTest, TheImportButtonImportsEveryTabTheHiddenOneIncluded) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    for (int id : {2, 3, 4})
        Answer(id, 1);
    const std::string package = OwnProjectPackage({"审计事项", "系统人员", "项目资料"});
    framework::ScriptedUser()
        .ScriptFor(Wizard)
        .Do([](framework::TCustomForm& form) { EXPECT_EQ(form.Caption(), "Velmora 导入"); })
        .Click("btnHorzNext")
        .Do([](framework::TCustomForm& form) {
            EXPECT_EQ(form.ModalResult(), framework::mrNone) << "the wizard stays open after the run";
        })
        .Click("btnHorzNext")
        .Click("btnCancel");
    const std::string report = "审计事项导入成功！\r\n\r\n项目资料导入成功！";
    ExpectBoxes({report, report});

    EXPECT_EQ(ImportPackage(package, ""), 1);

    const std::string folder = WorkFolder();
    const std::vector<std::string> run = {"4 " + folder + "审计事项.db", "3 " + folder + "系统人员.db",
                                          "2 " + folder + "项目资料.db"};
    std::vector<std::string> twice = run;
    twice.insert(twice.end(), run.begin(), run.end());
    EXPECT_EQ(Calls("VekPackage_Import"), twice);
    EXPECT_EQ(host::PrjOptionRows().size(), Recorded({"", "", "", ""}).size());
    EXPECT_EQ(Calls("VekPackage_Free").size(), 3u);
    EXPECT_TRUE(host::EveryProcessEnded());
}

TEST_F(ImportWizardTest, AProjectJustCreatedGetsItsMaterialsFromEntry201) {
    ImportForms().CreateProject = CreateProjectFromPackage;
    Answer(201, 1);
    Answer(4, 1);
    const std::string fixture = std::string(TARNWICK_FIXTURES) + "/host/NewProject/";
    const std::string fixtureInfo = rtl::ReadFileBytes(fixture + "XMGL/PrjInfo.xml");
    const std::string plan = rtl::ReadFileBytes(fixture + "ResFile/审计方案.txt");
    for (const std::string version : {"2", "3"}) {
        // The reduced build reads no version-3 package.
        if (std::stoi(version) > BuildTrait::PackageVersion)
            continue;
        SCOPED_TRACE(version);
        StartOver(host::SampleMemberId);
        // Each version creates a project of its own.
        const std::string prjId = "XM202610" + version;
        std::string prjInfo = fixtureInfo;
        prjInfo.replace(prjInfo.find("XM2026101"), 9, prjId);
        PackageRecipe recipe;
        recipe.version = version;
        recipe.prjId = prjId;
        recipe.items = std::vector<std::string>{"项目资料", "审计事项"};
        recipe.projectParts = false;
        if (version == "3") {
            recipe.files = {{"XMGL/PrjInfo.xml", prjInfo}, {"ResFile/审计方案.txt", plan}};
        } else {
            recipe.files = {{"XMGL.pck", rtl::ReadFileBytes(MakePackageOfFiles("xmgl", {{"PrjInfo.xml", prjInfo}}))},
                          {"ResFile.pck", rtl::ReadFileBytes(MakePackageOfFiles("res", {{"审计方案.txt", plan}}))}};
        }
        const std::string package = MakePackage("created-v" + version, recipe);
        const std::size_t before = Calls("VekPackage_Import").size();
        framework::ScriptedUser().ScriptFor("TFrmCreatePrj").Click("btnOk");
        framework::ScriptedUser().ScriptFor(Wizard).Click("btnHorzNext").Click("btnCancel");
        ExpectBoxes({"项目资料导入成功！\r\n\r\n审计事项导入成功！"});

        EXPECT_EQ(ImportPackage(package, ""), 1);

        const std::string materials = version == "2" ? m_folder + "/~Vek~Temp\\XMGL\\ResFile\\"
                                                     : WorkFolder() + "项目资料.db";
        EXPECT_EQ(Calls("VekPackage_ImportProc").back(), "4 " + WorkFolder() + "审计事项.db");
        EXPECT_EQ(Calls("VekPackage_Import").size(), before + 2);
        EXPECT_EQ(Calls("VekPackage_Import")[before], "201 " + materials);
        const auto procs = Calls("VekPackage_ImportProc");
        EXPECT_EQ(procs[procs.size() - 2], "201 " + materials);
        EXPECT_EQ(host::ProjectsCreated(), std::vector<std::string>{prjId});
    }
}

TEST_F(ImportWizardTest, ItemsThatCannotBeReadAreListedInOneMessage) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    ImportForms().CreateProject = CreateProjectFromPackage;
    // The package of these items, the first now naming a library beside the program folder.
    auto packageOf = [&](const std::vector<std::string>& items) {
        PackageRecipe recipe;
        recipe.items = items;
        recipe.files = {{"Package.XML", [&] {
                             std::string xml = PackageXml(recipe);
                             const std::string from = "Mods\\TestModule.dll";
                             xml.replace(xml.find(from), from.size(), "..\\..\\x.so");
                             return xml;
                         }()}};
        return MakePackage("bad-library", recipe);
    };
    std::size_t pages = 99;
    framework::ScriptedUser().ScriptFor(Wizard).Do([&](framework::TCustomForm& form) {
        pages = Tabs(form).size();
    }).Close();
    ExpectBoxes({"审计事项读取信息失败！"});
    EXPECT_EQ(ImportPackage(packageOf({"审计事项", "项目资料"}), ""), 1);
    EXPECT_EQ(pages, 1u);
    EXPECT_EQ(Calls("VekPackage_ImportProc").size(), 1u);

    // With no item left to read, the wizard is not shown at all: it would open empty and its
    // import button would report success.
    ExpectBoxes({"没有可导入的数据信息！"});
    EXPECT_EQ(ImportPackage(packageOf({"审计事项"}), ""), -1);
    EXPECT_EQ(Calls("VekPackage_ImportProc").size(), 1u);
}

TEST_F(ImportWizardTest, AWizardWithoutItsPackageOpensEmpty) {
    const std::string folder = rtl::ToNativePath(WorkFolder());
    rtl::ForceDirectories(folder);
    framework::Application()->ClearErrors();
    std::size_t pages = 99;
    auto countPages = [&](framework::TCustomForm& form) { pages = Tabs(form).size(); };

    // No "Package.XML": the placeholder pages go and the user is told.
    framework::ScriptedUser().ScriptFor(Wizard).Do(countPages).Close();
    ExpectBoxes({"选择文件不存在，请检查后导入！"});
    ShowImportWizard(WorkFolder(), "User", false);
    EXPECT_EQ(pages, 0u);

    // A document without items raises while the wizard is shown; the application reports it and
    // the wizard stays usable.
    rtl::WriteFileBytes(folder + "Package.XML", "<VekPackage><PackageInfo PackageVersion=\"3\"/></VekPackage>");
    framework::ScriptedUser().ScriptFor(Wizard).Do(countPages).Close();
    ShowImportWizard(WorkFolder(), "User", false);
    EXPECT_EQ(pages, 0u);
    EXPECT_EQ(framework::Application()->Errors().size(), 1u);
    framework::Application()->ClearErrors();
}

} // namespace
