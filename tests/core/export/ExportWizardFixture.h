#pragma once

#include "core/export/UntFrm_MainReaderPack.h"
#include "tests/core/export/ExportRunFixture.h"
#include "tests/core/modules/TestModule.h"

#include "platform/framework/ScriptedUser.h"
#include "platform/win/Library.h"

#include <functional>
#include <string>
#include <vector>

// The export wizard as RunAppEvn (mode 0) and VekPackPortInfo (mode 0) show it, on a sample
// installation, driven by the scripted user.
class ExportWizardTest : public ExportRunTest {
protected:
    void TearDown() override;

    // Vek_PackMod in place of the sample's rows, in this order.
    struct ModuleSetup {
        std::string caption;
        int modInPrj = 0;
        int entryId = 3;
        std::string library = "Modules\\Personnel.dll";
        std::string memo = {};
    };
    void SetModules(const std::vector<ModuleSetup>& rows);
    // The test module library, which records its calls, as "Mods\TestModule.dll".
    void InstallTestModule();
    std::vector<TestModuleCall>& TestModuleCalls();

    // What the user does in the next showing of the wizard.
    framework::TUserScript& WizardScript();
    // Adds the user's steps: checking a module's row by its caption, and looking at the wizard.
    static void Check(framework::TUserScript& script, const std::string& caption, bool checked = true);
    static void Look(framework::TUserScript& script, std::function<void(tarnwick::TFrm_MainReaderPack&)> look);
    // A PNG of the wizard (or dialog) as it is now, into the build folder; answers its path.
    static std::string Picture(framework::TCustomForm& form, const std::string& name);
    static std::string Picture(const framework::TDialogRecord& box, const std::string& name);

    // The wizard as RunAppEvn mode 0 shows it, and as VekPackPortInfo mode 0 does (its modal result).
    void ShowWizard();
    int ShowWizardInPortMode(const std::string& captions);

    // Reading the wizard while it is open.
    static std::string Caption(const framework::TCustomForm& form, const std::string& control);
    static bool IsVisible(const framework::TCustomForm& form, const std::string& control);
    static int ImageIndex(const framework::TCustomForm& form, const std::string& control);
    static tarnwick::TFrame_CheckItem& Row(const tarnwick::TFrm_MainReaderPack& wizard, const std::string& caption);
    // Captions of the module tabs whose tab is visible, and of the one shown.
    static std::vector<std::string> VisibleModuleTabs(const tarnwick::TFrm_MainReaderPack& wizard);
    static std::string ShownModuleTab(const tarnwick::TFrm_MainReaderPack& wizard);

private:
    std::vector<win::HMODULE> m_held;
};
