#include "tests/core/export/ExportWizardFixture.h"

#include "core/EntryRoutines.h"
#include "core/HostApi.h"
#include "core/export/UntFrame_CheckItem.h"

#include "controls/button/LuBitBtn.h"
#include "controls/checkbox/LuCheckBox.h"
#include "controls/tabs/LuPageControl.h"

#include "tests/support/Pictures.h"

#include "platform/ado/ADOQuery.h"
#include "platform/framework/Dialogs.h"
#include "platform/framework/Graphics.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace tarnwick;

void ExportWizardTest::TearDown() {
    ExportRunTest::TearDown();
    for (win::HMODULE lib : m_held)
        win::FreeLibrary(lib);
}

void ExportWizardTest::SetModules(const std::vector<ModuleSetup>& rows) {
    ado::TADOQuery query;
    query.SetConnection(GetBaseDBConnection());
    query.SQL().SetText("delete from Vek_PackMod");
    query.ExecSQL();
    query.SQL().SetText("insert into Vek_PackMod values (:G, :C, :D, :E, :M, :P, -1, :I)");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        query.Parameters().ParamByName("G").SetAsString("{6A1F0C2E-0000-4C57-9E10-" + std::to_string(100000000000 + i) + "}");
        query.Parameters().ParamByName("C").SetAsString(rows[i].caption);
        query.Parameters().ParamByName("D").SetAsString(rows[i].library);
        query.Parameters().ParamByName("E").SetAsString(std::to_string(rows[i].entryId));
        query.Parameters().ParamByName("M").SetAsString(rows[i].memo);
        query.Parameters().ParamByName("P").SetAsString(std::to_string(rows[i].modInPrj));
        query.Parameters().ParamByName("I").SetAsString(std::to_string(i + 1));
        query.ExecSQL();
    }
}

void ExportWizardTest::InstallTestModule() {
    fs::create_directories(m_folder + "/Mods");
    fs::copy_file(std::string(TEST_LIBS) + "/TestModule.dll", m_folder + "/Mods/TestModule.dll",
                  fs::copy_options::overwrite_existing);
}

std::vector<TestModuleCall>& ExportWizardTest::TestModuleCalls() {
    win::HMODULE lib = win::LoadLibraryA((m_folder + "/Mods/TestModule.dll").c_str());
    EXPECT_NE(lib, nullptr);
    m_held.push_back(lib);
    auto calls = reinterpret_cast<TTestModuleCalls>(win::GetProcAddress(lib, "TestModule_Calls"));
    return *calls();
}

framework::TUserScript& ExportWizardTest::WizardScript() {
    return framework::ScriptedUser().ScriptFor("TFrm_MainReaderPack");
}

void ExportWizardTest::Check(framework::TUserScript& script, const std::string& caption, bool checked) {
    script.Do([caption, checked](framework::TCustomForm& form) {
        auto& wizard = dynamic_cast<TFrm_MainReaderPack&>(form);
        framework::TUserAction action;
        action.kind = framework::TUserActionKind::Check;
        action.control = Row(wizard, caption).Name() + ".cSelectItem";
        action.checked = checked;
        form.PerformUserAction(action);
    });
}

void ExportWizardTest::Look(framework::TUserScript& script, std::function<void(TFrm_MainReaderPack&)> look) {
    script.Do([look](framework::TCustomForm& form) { look(dynamic_cast<TFrm_MainReaderPack&>(form)); });
}

std::string ExportWizardTest::Picture(framework::TCustomForm& form, const std::string& name) {
    framework::TBitmap picture;
    framework::RenderForm(form, picture);
    return tests::SavePicture(picture, "export-wizard-" + name).string();
}

std::string ExportWizardTest::Picture(const framework::TDialogRecord& box, const std::string& name) {
    framework::TBitmap picture;
    framework::RenderMessageBox(box, picture);
    return tests::SavePicture(picture, "export-wizard-" + name).string();
}

void ExportWizardTest::ShowWizard() {
    ShowExportWizard();
}

int ExportWizardTest::ShowWizardInPortMode(const std::string& captions) {
    return ShowExportWizardInPortMode(captions);
}

std::string ExportWizardTest::Caption(const framework::TCustomForm& form, const std::string& control) {
    return dynamic_cast<const framework::TControl&>(*form.FindComponent(control)).Caption();
}

bool ExportWizardTest::IsVisible(const framework::TCustomForm& form, const std::string& control) {
    return dynamic_cast<const framework::TControl&>(*form.FindComponent(control)).Visible();
}

int ExportWizardTest::ImageIndex(const framework::TCustomForm& form, const std::string& control) {
    return dynamic_cast<const lu::TLuBitBtn&>(*form.FindComponent(control)).ImageIndex();
}

TFrame_CheckItem& ExportWizardTest::Row(const TFrm_MainReaderPack& wizard, const std::string& caption) {
    for (TFrame_CheckItem* row : wizard.Rows())
        if (row->cSelectItem().Caption() == caption)
            return *row;
    throw std::runtime_error("the module list has no row " + caption);
}

std::vector<std::string> ExportWizardTest::VisibleModuleTabs(const TFrm_MainReaderPack& wizard) {
    std::vector<std::string> captions;
    for (int i = 0; i < wizard.PageInfo().GetPageCount(); ++i)
        if (wizard.PageInfo().GetPage(i)->TabVisible())
            captions.push_back(wizard.PageInfo().GetPage(i)->Caption());
    return captions;
}

std::string ExportWizardTest::ShownModuleTab(const TFrm_MainReaderPack& wizard) {
    const int active = wizard.PageInfo().GetActivePageIndex();
    return active < 0 ? std::string() : wizard.PageInfo().GetPage(active)->Caption();
}
