// A tab sheet made in code holds the page a module library builds into it, and takes that page
// with it when it goes.
#include "tests/controls/tabs/TabTestSupport.h"
#include "tests/host/modules/ModuleSupport.h"

#include "host/HostState.h"
#include "platform/framework/ComCtrls.h"
#include "platform/framework/StdCtrls.h"
#include "platform/gdi/Gdi.h"

#include <filesystem>

using namespace tabtest;

namespace {

using ExportProc = decltype(&VekPackage_ExportProc);
using FreeProc = decltype(&VekPackage_Free);

class TabSheetModule : public TabForm {
protected:
    void SetUp() override {
        TabForm::SetUp();
        folder = std::string(TARNWICK_BINARY_DIR) + "/tab_sheet_module_test";
        std::filesystem::remove_all(folder);
        host::CreateSampleInstallation(folder + "/inst");
        host::SetInstalledPluginBuild(host::PluginBuild::Full);
        ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
        host::SetSelectedAccountBook("ZT-0001");
    }
    void TearDown() override {
        TabForm::TearDown();
        host::CloseInstallation();
        std::filesystem::remove_all(folder);
    }
    std::string folder;
};

TEST_F(TabSheetModule, TheModulesPageLivesAndDiesWithItsSheet) {
    auto* pc = new TLuPageControl(form.get());
    pc->SetBoundsRect(TRect{0, 0, 400, 300});
    pc->SetParent(form.get());
    form->Show();
    const modtest::ModuleRow& row = modtest::Registered("系统人员");
    modtest::LoadedLibrary lib(row.DllFile);
    auto exportProc = reinterpret_cast<ExportProc>(lib.Entry("VekPackage_ExportProc"));
    auto freeProc = reinterpret_cast<FreeProc>(lib.Entry("VekPackage_Free"));

    // Drawing objects that the control keeps between paints are made by the first paint.
    pc->Repaint();
    const int objectsBefore = gdi::LiveObjectCount();
    auto* sheet = new TLuTabSheet(pc);
    sheet->SetCaption(row.Caption);
    sheet->SetPageControl(pc);
    pc->SetActivePageIndex(0);
    exportProc(nullptr, nullptr, nullptr, row.EntryID, sheet);
    ASSERT_EQ(sheet->ControlCount(), 2);
    auto* tree = dynamic_cast<framework::TTreeView*>(sheet->Controls(1));
    ASSERT_NE(tree, nullptr);
    pc->Repaint();
    EXPECT_EQ(sheet->BoundsRect(), pc->GetDisplayRect());
    EXPECT_EQ(tree->Parent(), sheet);
    EXPECT_EQ(tree->BoundsRect().right, sheet->ClientWidth()) << "the page fills the sheet";

    // The sheet goes first; the module then finds nothing left to release.
    delete sheet;
    EXPECT_EQ(pc->PageCount(), 0);
    EXPECT_EQ(pc->ActivePage(), nullptr);
    freeProc(nullptr, nullptr, nullptr, row.EntryID, 1);
    pc->Repaint();
    EXPECT_EQ(gdi::LiveObjectCount(), objectsBefore);
}

} // namespace
