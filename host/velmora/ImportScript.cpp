#include "host/velmora/ImportScript.h"

#include "host/velmora/Terminal.h"
#include "host/velmora/UserSteps.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/rtl/Text.h"

namespace velmora {

namespace {

using framework::TControl;
using framework::TCustomForm;
using framework::TDialogAnswer;
using framework::TDialogRecord;
using framework::TWinControl;

constexpr char CreationFormClass[] = "TFrmCreatePrj";
constexpr char WizardClass[] = "TFrm_MainReaderUnPack";

struct TabView {
    std::string caption;
    bool shown = false;
};

// The module tabs: the pages the page control owns, in page order, a page whose tab is hidden
// included.
std::vector<TabView> ModuleTabs(TCustomForm& wizard) {
    std::vector<TabView> tabs;
    const auto* pages = dynamic_cast<const TWinControl*>(wizard.FindComponent("PageImport"));
    const auto* strip = dynamic_cast<const framework::IScriptTabs*>(pages);
    for (int i = 0; strip && i < pages->ComponentCount(); ++i) {
        const auto* page = dynamic_cast<const TControl*>(pages->Components(i));
        if (!page)
            continue;
        const std::string caption = page->Caption();
        gdi::RECT rect{};
        tabs.push_back({caption, strip->ScriptTabRect(caption, rect)});
    }
    return tabs;
}

} // namespace

ImportScript::ImportScript(const ImportRequest& request, PictureBook& pictures)
    : m_request(request), m_pictures(pictures), m_boxes(request.answers, pictures) {}

ImportScript::~ImportScript() {
    framework::ScriptedUser().Reset();
}

void ImportScript::Queue() {
    framework::ScriptedUser().ScriptFor(CreationFormClass).Do([this](TCustomForm& f) {
        ReadProjectInformation(f);
    });
    framework::ScriptedUser().ScriptFor(WizardClass).Do([this](TCustomForm& f) { LookAtEveryTab(f); });
    framework::ScriptedUser().SetAnswerProvider(
        [this](const TDialogRecord& shown) { return AnswerBox(shown); });
}

void ImportScript::ReadProjectInformation(TCustomForm& form) {
    Say("form", "\"" + form.Caption() + "\" shows the package's project before it is created");
    if (const auto* text = dynamic_cast<const TControl*>(form.FindComponent("RichEditPrjInfo"))) {
        std::string line;
        for (char c : text->Text() + "\r") {
            if (c != '\r') {
                line.push_back(c);
                continue;
            }
            if (!rtl::Trim(line).empty())
                Say("form", "  " + rtl::Trim(line));
            line.clear();
        }
    }
    m_pictures.Form(form, "project-creation");
    Press(form, m_request.createProject ? "btnOk" : "btnCancel");
}

void ImportScript::LookAtEveryTab(TCustomForm& wizard) {
    const std::vector<TabView> tabs = ModuleTabs(wizard);
    Say("wizard", "\"" + wizard.Caption() + "\" shows " + std::to_string(tabs.size()) + " module tab(s)");
    for (const TabView& tab : tabs) {
        if (!tab.shown) {
            Say("wizard", "  " + tab.caption + "  (tab hidden)");
            continue;
        }
        Say("user", "selects the tab " + tab.caption);
        framework::TUserAction select;
        select.kind = framework::TUserActionKind::SelectTab;
        select.control = "PageImport";
        select.text = tab.caption;
        wizard.PerformUserAction(select);
        m_pictures.Form(wizard, "module-tab-" + tab.caption);
    }
    if (!m_request.preview)
        Press(wizard, "btnHorzNext");
    Press(wizard, "btnCancel");
}

std::optional<TDialogAnswer> ImportScript::AnswerBox(const TDialogRecord& box) {
    if (box.kind == framework::TDialogKind::Save || box.kind == framework::TDialogKind::Open) {
        Say("dialog", "\"" + box.title + "\" asks for a file");
        Say("user", "cancels the dialog");
        return TDialogAnswer{TDialogAnswer::CancelFile, framework::IDCANCEL, {}, {}};
    }
    return m_boxes.Answer(box, [this](const std::string& problem) {
        m_problems.push_back(problem);
        Say("user", "cannot go on: " + problem);
    });
}

} // namespace velmora
