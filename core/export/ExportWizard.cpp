// The exports' way into the export wizard.

#include "core/EntryRoutines.h"

#include "core/export/UntFrm_MainReaderPack.h"

#include <memory>

namespace tarnwick {

namespace {

// The wizard as the exports make it: owned by the application in the slot, known as the current
// export wizard until it is freed.
class CurrentWizard {
public:
    CurrentWizard() : m_form(framework::CreateForm<TFrm_MainReaderPack>(framework::Application())) {
        Frm_MainReaderPack = m_form.get();
    }
    ~CurrentWizard() { Frm_MainReaderPack = nullptr; }
    CurrentWizard(const CurrentWizard&) = delete;
    CurrentWizard& operator=(const CurrentWizard&) = delete;

    TFrm_MainReaderPack& Form() const { return *m_form; }

private:
    std::unique_ptr<TFrm_MainReaderPack> m_form;
};

constexpr char NextStep[] = "下一步";

} // namespace

void ShowExportWizard() {
    CurrentWizard wizard;
    wizard.Form().ShowModal();
}

int ShowExportWizardInPortMode(const std::string& captions) {
    CurrentWizard wizard;
    TFrm_MainReaderPack& form = wizard.Form();
    form.EnterPortMode();
    form.LoadModuleList();
    form.CheckItemsByCaption(captions);
    form.RunStep(NextStep);
    return form.ShowModal();
}

std::int32_t RunResourceExport(std::int32_t mode) {
    // Never shown: no module list and no module tab is built, and the run asks the package
    // library for the project materials instead.
    CurrentWizard wizard;
    wizard.Form().SetResourceMode(mode);
    wizard.Form().ExportPackage();
    return -1;
}

} // namespace tarnwick
