#include "ModuleSupport.h"

#include "host/Database.h"
#include "host/HostState.h"

#include "platform/framework/ComCtrls.h"
#include "platform/framework/ExtCtrls.h"
#include "platform/framework/Forms.h"
#include "platform/framework/StdCtrls.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace framework;

namespace {

using ExportProc = decltype(&VekPackage_ExportProc);
using ImportProc = decltype(&VekPackage_ImportProc);
using FreeProc = decltype(&VekPackage_Free);
using ViewProc = decltype(&VekPackage_View);

class ModulePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = std::string(TARNWICK_BINARY_DIR) + "/module_page_test/" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(m_folder);
        host::CreateSampleInstallation(m_folder + "/inst");
        host::SetInstalledPluginBuild(host::PluginBuild::Full);
        ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
        host::SetSelectedAccountBook("ZT-0001");

        m_form = std::make_unique<TForm>(nullptr);
        m_form->SetBounds(0, 0, 420, 260);
        m_form->SetCaption("模块页面");
        m_sheet = new TPanel(m_form.get());
        m_sheet->SetParent(m_form.get());
        m_sheet->SetAlign(alClient);
        m_form->Show();
    }
    void TearDown() override {
        m_form.reset();
        host::CloseInstallation();
        std::filesystem::remove_all(m_folder);
    }

    // The page's label and tree view among the sheet's controls, in the order they were made.
    template <class T> T* PageControl() const {
        T* found = nullptr;
        for (int i = 0; i < m_sheet->ControlCount(); ++i)
            if (auto* c = dynamic_cast<T*>(m_sheet->Controls(i))) {
                EXPECT_EQ(found, nullptr) << "one of each on the page";
                found = c;
            }
        return found;
    }

    std::string m_folder;
    std::unique_ptr<TForm> m_form;
    TPanel* m_sheet = nullptr;
};

TEST_F(ModulePageTest, ExportPageListsWhatWillBeMovedAndFreeRemovesIt) {
    const modtest::Snapshot data = modtest::TakeSnapshot(host::SampleProjectId);
    ASSERT_FALSE(data.Persons.empty());
    ASSERT_FALSE(data.Matters.empty());
    ASSERT_FALSE(data.Analysis.empty());
    ASSERT_FALSE(data.Materials.empty());
    const struct {
        const char* caption;
        const char* label;
        std::size_t items;
        const char* firstItem;
    } cases[] = {
        {"项目信息", "将导出当前项目的基本信息：", 6, "项目编号：XM2026001"},
        {"项目资料", "将导出项目资料中的以下文件：", data.Materials.size(), nullptr},
        {"系统人员", "将导出参与当前项目的以下人员：", data.Persons.size(), nullptr},
        {"审计事项", "将导出以下审计事项：", data.Matters.size(), nullptr},
        {"审计分析", "将导出所选账套的以下审计分析：", data.Analysis.size(), nullptr},
    };
    const std::string png = std::string(TARNWICK_BINARY_DIR) + "/module_page_test/export_page.png";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        const modtest::ModuleRow& row = modtest::Registered(c.caption);
        modtest::LoadedLibrary lib(row.DllFile);
        auto exportProc = reinterpret_cast<ExportProc>(lib.Entry("VekPackage_ExportProc"));
        auto freeProc = reinterpret_cast<FreeProc>(lib.Entry("VekPackage_Free"));
        auto view = reinterpret_cast<ViewProc>(lib.Entry("VekPackage_View"));
        const int components = m_sheet->ComponentCount();

        EXPECT_EQ(view(nullptr, nullptr, nullptr, row.EntryID), static_cast<std::int32_t>(c.items));
        // A second build for the same entry replaces the first page rather than adding to it.
        exportProc(nullptr, nullptr, nullptr, row.EntryID, m_sheet);
        exportProc(nullptr, nullptr, nullptr, row.EntryID, m_sheet);
        ASSERT_EQ(m_sheet->ControlCount(), 2);
        EXPECT_EQ(m_sheet->ComponentCount(), components + 2) << "owned by the sheet";
        auto* label = PageControl<TLabel>();
        auto* tree = PageControl<TTreeView>();
        ASSERT_NE(label, nullptr);
        ASSERT_NE(tree, nullptr);
        EXPECT_EQ(label->Caption(), c.label);
        EXPECT_EQ(label->Align(), alTop);
        EXPECT_EQ(tree->Align(), alClient);
        EXPECT_EQ(tree->Items()->Count(), static_cast<int>(c.items));
        if (c.firstItem != nullptr && tree->Items()->Count() > 0) {
            EXPECT_EQ(tree->Items()->Item(0)->Text(), c.firstItem);
        }
        EXPECT_EQ(tree->BoundsRect().top, label->BoundsRect().bottom) << "the tree fills the rest";
        if (std::string(c.caption) == "系统人员")
            SaveFormPng(*m_form, png);

        freeProc(nullptr, nullptr, nullptr, row.EntryID, 1);
        EXPECT_EQ(m_sheet->ControlCount(), 0);
        EXPECT_EQ(m_sheet->ComponentCount(), components);
        freeProc(nullptr, nullptr, nullptr, row.EntryID, 1); // nothing left to free
    }
    EXPECT_TRUE(std::filesystem::exists(png));
}

// Without a project the personnel module offers every person of the installation, and takes them
// back into the installation.
TEST_F(ModulePageTest, WithoutAProjectThePersonnelPagesNameTheSystemsPersons) {
    host::CloseProject();
    std::size_t persons = 0;
    {
        host::Database base;
        base.Open(host::BaseDatabasePath(), false);
        persons = base.Query("select PerUUID from Vek_Person").size();
    }
    ASSERT_GT(persons, modtest::TakeSnapshot(host::SampleProjectId).Persons.size()) << "more than one project's";
    const modtest::ModuleRow& row = modtest::Registered("系统人员");
    modtest::LoadedLibrary lib(row.DllFile);
    auto view = reinterpret_cast<ViewProc>(lib.Entry("VekPackage_View"));
    auto exportProc = reinterpret_cast<ExportProc>(lib.Entry("VekPackage_ExportProc"));
    auto importProc = reinterpret_cast<ImportProc>(lib.Entry("VekPackage_ImportProc"));
    auto freeProc = reinterpret_cast<FreeProc>(lib.Entry("VekPackage_Free"));

    EXPECT_EQ(view(nullptr, nullptr, nullptr, row.EntryID), static_cast<std::int32_t>(persons));
    exportProc(nullptr, nullptr, nullptr, row.EntryID, m_sheet);
    ASSERT_EQ(m_sheet->ControlCount(), 2);
    EXPECT_EQ(PageControl<TLabel>()->Caption(), "将导出系统中的以下人员：");
    EXPECT_EQ(PageControl<TTreeView>()->Items()->Count(), static_cast<int>(persons));
    SaveFormPng(*m_form, std::string(TARNWICK_BINARY_DIR) + "/module_page_test/system_personnel_page.png");
    freeProc(nullptr, nullptr, nullptr, row.EntryID, 1);

    rtl::ForceDirectories(host::InstallationFolder() + "~Vek~Temp\\CommonReader\\");
    const std::string item = lib.Export(row.EntryID);
    importProc(nullptr, nullptr, nullptr, row.EntryID, item.c_str(), m_sheet);
    ASSERT_EQ(m_sheet->ControlCount(), 2);
    EXPECT_EQ(PageControl<TLabel>()->Caption(), "将把以下人员导入系统：");
    EXPECT_EQ(PageControl<TTreeView>()->Items()->Count(), static_cast<int>(persons));
    freeProc(nullptr, nullptr, nullptr, row.EntryID, 0);
}

TEST_F(ModulePageTest, ALargeTableShowsItsFirstRowsAndTheTotal) {
    {
        host::Database db;
        db.Open(host::ProjectDatabasePath(host::SampleProjectId), false);
        db.Exec("begin");
        for (int i = 0; i < 600; ++i)
            db.Run("insert into XM_AuditMatter values (?,?,?)", {"N" + std::to_string(1000 + i), "抽查凭证", "1"});
        db.Exec("commit");
    }
    const modtest::ModuleRow& row = modtest::Registered("审计事项");
    modtest::LoadedLibrary lib(row.DllFile);
    auto exportProc = reinterpret_cast<ExportProc>(lib.Entry("VekPackage_ExportProc"));
    auto freeProc = reinterpret_cast<FreeProc>(lib.Entry("VekPackage_Free"));
    exportProc(nullptr, nullptr, nullptr, row.EntryID, m_sheet);
    auto* tree = PageControl<TTreeView>();
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->Items()->Count(), 501);
    EXPECT_EQ(tree->Items()->Item(0)->Text().substr(0, 4), "M001");
    EXPECT_EQ(tree->Items()->Item(500)->Text(), "……共 602 条");
    freeProc(nullptr, nullptr, nullptr, row.EntryID, 1);
}

TEST_F(ModulePageTest, ImportPageAndParentsThatCannotHoldAPage) {
    const modtest::ModuleRow& row = modtest::Registered("项目资料");
    modtest::LoadedLibrary lib(row.DllFile);
    auto exportProc = reinterpret_cast<ExportProc>(lib.Entry("VekPackage_ExportProc"));
    auto importProc = reinterpret_cast<ImportProc>(lib.Entry("VekPackage_ImportProc"));
    auto freeProc = reinterpret_cast<FreeProc>(lib.Entry("VekPackage_Free"));

    rtl::ForceDirectories(host::InstallationFolder() + "~Vek~Temp\\CommonReader\\");
    const std::string item = lib.Export(row.EntryID);
    const std::size_t files = modtest::TakeSnapshot(host::SampleProjectId).Materials.size();
    importProc(nullptr, nullptr, nullptr, row.EntryID, item.c_str(), m_sheet);
    ASSERT_EQ(m_sheet->ControlCount(), 2);
    EXPECT_EQ(PageControl<TLabel>()->Caption(), "将把以下文件导入当前项目的资料：");
    EXPECT_EQ(PageControl<TTreeView>()->Items()->Count(), static_cast<int>(files));

    // A preview's path shows the same page.
    freeProc(nullptr, nullptr, nullptr, row.EntryID, 0);
    importProc(nullptr, nullptr, nullptr, row.EntryID, ("@&@" + item).c_str(), m_sheet);
    ASSERT_EQ(m_sheet->ControlCount(), 2);
    EXPECT_EQ(PageControl<TTreeView>()->Items()->Count(), static_cast<int>(files));

    // The page's parent going first leaves nothing behind for the release to touch.
    delete m_sheet;
    m_sheet = nullptr;
    freeProc(nullptr, nullptr, nullptr, row.EntryID, 0);

    TLabel notWindowed(m_form.get());
    for (tarnwick::TModuleParent parent : {static_cast<tarnwick::TModuleParent>(nullptr),
                                           static_cast<tarnwick::TModuleParent>(&notWindowed)}) {
        EXPECT_THROW(exportProc(nullptr, nullptr, nullptr, row.EntryID, parent), rtl::Exception);
        EXPECT_THROW(importProc(nullptr, nullptr, nullptr, row.EntryID, item.c_str(), parent),
                     rtl::Exception);
    }
    try {
        exportProc(nullptr, nullptr, nullptr, row.EntryID, &notWindowed);
    } catch (const rtl::Exception& e) {
        EXPECT_NE(std::string(e.what()).find("not a windowed control"), std::string::npos) << e.what();
    }
}

} // namespace
