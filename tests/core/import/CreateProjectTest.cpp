#include "core/EntryRoutines.h"
#include "core/ProjectInfoText.h"
#include "core/import/ImportState.h"
#include "core/import/UntFrmCreatePrj.h"
#include "tests/core/import/ImportFixture.h"

#include "controls/edit/LuRichEdit.h"

#include "platform/framework/Forms.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/rtl/FileSystem.h"

using namespace tarnwick;

namespace {

constexpr char NewProjectId[] = "XM2026101";
constexpr char CreationFailedText[] = "创建项目失败！";

// A member imports a package of a project this installation lacks, with the real creation form.
class CreateProjectTest : public ImportTest {
protected:
    void SetUp() override {
        ImportTest::SetUp();
        ImportForms().CreateProject = CreateProjectFromPackage;
        host::SetCurrentUser(host::SampleMemberId);
    }

    // The project's two parts are folders in version 3 and packed files in version 2.
    std::string NewProjectPackage() {
        const std::string fixture = std::string(TARNWICK_FIXTURES) + "/host/NewProject/";
        PackageRecipe recipe;
        recipe.prjId = NewProjectId;
        recipe.prjAttributes = {{"PrjReportOrgan", "北岭市审计局"}, {"IsReport", "1"}};
        recipe.projectParts = false;
        if (recipe.version == "2")
            recipe.files = {{"XMGL.pck", Packed(fixture + "XMGL/")}, {"ResFile.pck", Packed(fixture + "ResFile/")}};
        else
            recipe.files = {{"XMGL/PrjInfo.xml", rtl::ReadFileBytes(fixture + "XMGL/PrjInfo.xml")},
                          {"ResFile/审计方案.txt", rtl::ReadFileBytes(fixture + "ResFile/审计方案.txt")}};
        return MakePackage("new-project", recipe);
    }

    std::string Packed(const std::string& folder) {
        const std::string archive = m_folder + "/part.pck";
        sharemem::CountedText out;
        CompressFile(out.Var(), folder.c_str(), archive.c_str());
        return rtl::ReadFileBytes(archive);
    }

    std::vector<host::PrjOptionRow> Records() const { return host::PrjOptionRows(); }
};

TEST_F(CreateProjectTest, ConfirmingTheFormCreatesTheProjectAndRecordsIt) {
    std::string shown;
    framework::ScriptedUser()
        .ScriptFor("TFrmCreatePrj")
        .Do([&](framework::TCustomForm& form) {
            shown = dynamic_cast<TFrmCreatePrj&>(form).RichEditPrjInfo().Text();
            framework::SaveFormPng(form, std::string(TARNWICK_BINARY_DIR) + "/create-project-form.png");
        })
        .Click("btnOk");

    EXPECT_EQ(ImportPackage(NewProjectPackage(), ""), 1);

    EXPECT_NE(shown.find("    项目编号：XM2026101\r"), std::string::npos);
    EXPECT_NE(shown.find("    填报单位：北岭市审计局\r"), std::string::npos);
    EXPECT_NE(shown.find("    是否举报：是\r"), std::string::npos);
    EXPECT_EQ(host::ProjectsCreated(), std::vector<std::string>{NewProjectId});
    // The reduced build records no operation; the rest of the import is the same in both builds.
    const std::vector<host::PrjOptionRow> records = Records();
    ASSERT_EQ(records.size(), Recorded({""}).size());
    for (const host::PrjOptionRow& record : records) {
        EXPECT_EQ(record.UserID, host::SampleMemberId);
        EXPECT_EQ(record.Optype, "导入项目");
        EXPECT_EQ(record.OpMemo, NewProjectId);
    }
    EXPECT_TRUE(ProjectCreatedByImport);
    EXPECT_EQ(ImportMode, ImportModeIntoProject);
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_TRUE(NewLogEntries().empty());
    ASSERT_EQ(m_wizardCalls.size(), 1u);
    EXPECT_EQ(m_wizardCalls[0].folder, WorkFolder());
    EXPECT_TRUE(rtl::FileExists(host::ProjectMaterialsFolder(NewProjectId) + "审计方案.txt"))
        << "the project is made from the package's parts of the build's own version";
    EXPECT_FALSE(rtl::DirectoryExists(m_folder + "/~Vek~Temp\\XMGL\\ResFile\\"))
        << "the materials the host unpacked for this import are gone with it";
    EXPECT_TRUE(host::EveryProcessEnded());
}

TEST_F(CreateProjectTest, CancellingTheFormAsksTheHostNothing) {
    const std::function<void(framework::TUserScript&)> ways[] = {
        [](framework::TUserScript& s) { s.Click("btnCancel"); },
        [](framework::TUserScript& s) { s.Close(); },
    };
    const std::string package = NewProjectPackage();
    for (const auto& cancel : ways) {
        cancel(framework::ScriptedUser().ScriptFor("TFrmCreatePrj"));
        EXPECT_EQ(ImportPackage(package, ""), -1);
        EXPECT_TRUE(host::ProjectsCreated().empty());
        EXPECT_TRUE(Records().empty());
        EXPECT_TRUE(BoxTexts().empty());
        EXPECT_TRUE(NewLogEntries().empty());
        EXPECT_TRUE(m_wizardCalls.empty());
    }
}

TEST_F(CreateProjectTest, EveryFailedCreationIsReportedAndOnlyAnAnsweredOneRecorded) {
    struct Case {
        const char* name;
        std::function<void()> inject;
        std::int32_t answer;
        bool recorded;
    };
    const Case cases[] = {
        {"the host refuses", [] { host::InjectAnswer("VekCreatePrj", -5); }, -5, true},
        {"the host offers no creation", [] { host::InjectAbsent("VekCreatePrj"); }, -1, false},
        {"the host's creation raises", [] { host::InjectRaise("VekCreatePrj", "disk full"); }, -1, false},
        {"the package's project part is unreadable", [] {}, -1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartOver(host::SampleMemberId);
        const std::size_t recordsBefore = Records().size();
        c.inject();
        PackageRecipe recipe;
        recipe.prjId = NewProjectId; // its project part is no project
        const std::string package = MakePackage("failing", recipe);

        framework::ScriptedUser().ScriptFor("TFrmCreatePrj").Click("btnOk");
        ExpectBoxes({CreationFailedText});
        EXPECT_EQ(ImportPackage(package, ""), -1);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{CreationFailedText});
        EXPECT_EQ(NewLogEntries(), Logged({std::string("IniXMLInfo: ") + CreationFailedText}));
        EXPECT_EQ(Records().size() - recordsBefore, c.recorded && BuildTrait::WritesOperationRecords ? 1u : 0u);
        EXPECT_TRUE(host::ProjectsCreated().empty());
        EXPECT_FALSE(ProjectCreatedByImport);

        // The creation's own answer, as the preparation receives it.
        framework::ScriptedUser().ScriptFor("TFrmCreatePrj").Click("btnOk");
        EXPECT_EQ(CreateProjectFromPackage(WorkFolder() + "XMGL\\", WorkFolder() + "ResFile\\"), c.answer);
        host::ClearInjections();
    }
}

} // namespace
