#include "host/velmora/ExportScript.h"

#include "host/velmora/Terminal.h"
#include "host/velmora/UserSteps.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/framework/ScriptedUser.h"

namespace velmora {

namespace {

using framework::TControl;
using framework::TCustomForm;
using framework::TDialogAnswer;
using framework::TDialogRecord;
using framework::TWinControl;

constexpr char WizardClass[] = "TFrm_MainReaderPack";
constexpr char NameDialogClass[] = "TFrmEdtPckFile";

// The module rows of the list: frames inside the scroll box, each with its check box.
struct ModuleRow {
    std::string frame;
    std::string caption;
    bool enabled = false;
};

std::vector<ModuleRow> ModuleRows(TCustomForm& wizard) {
    std::vector<ModuleRow> rows;
    const auto* box = dynamic_cast<TWinControl*>(wizard.FindComponent("Sc"));
    for (int i = 0; box && i < box->ControlCount(); ++i) {
        const TControl* frame = box->Controls(i);
        const auto* check = dynamic_cast<const TControl*>(frame->FindComponent("cSelectItem"));
        if (check)
            rows.push_back({frame->Name(), check->Caption(), check->Enabled()});
    }
    return rows;
}

// The page a page control shows: the one child page that is visible.
const TControl* ShownPage(TCustomForm& form, const std::string& pageControl) {
    const auto* pages = dynamic_cast<TWinControl*>(form.FindComponent(pageControl));
    for (int i = 0; pages && i < pages->ControlCount(); ++i)
        if (pages->Controls(i)->Visible())
            return pages->Controls(i);
    return nullptr;
}

bool StillOpen(const TCustomForm& form) {
    return form.ModalResult() == framework::mrNone;
}

} // namespace

ExportScript::ExportScript(const ExportRequest& request, PictureBook& pictures)
    : m_request(request), m_pictures(pictures), m_boxes(request.answers, pictures) {}

ExportScript::~ExportScript() {
    framework::ScriptedUser().Reset();
}

void ExportScript::Fail(const std::string& problem) {
    m_problems.push_back(problem);
    Say("user", "cannot go on: " + problem);
}

void ExportScript::Queue() {
    framework::TUserScript& wizard = framework::ScriptedUser().ScriptFor(WizardClass);
    wizard.Do([this](TCustomForm& f) { ShowModuleList(f); });
    for (const std::string& caption : m_request.modules)
        wizard.Do([this, caption](TCustomForm& f) { CheckModule(f, caption); });
    wizard.Do([this](TCustomForm& f) {
        if (m_problems.empty())
            Press(f, "btnHorzNext");
    });
    for (std::size_t tab = 0; tab < m_request.modules.size(); ++tab)
        wizard.Do([this, tab](TCustomForm& f) { StepThroughTab(f, tab); });
    wizard.Do([this](TCustomForm& f) { CloseIfStillOpen(f); });

    framework::ScriptedUser().ScriptFor(NameDialogClass).Do([this](TCustomForm& f) { NameThePackage(f); });
    framework::ScriptedUser().SetAnswerProvider(
        [this](const TDialogRecord& shown) { return AnswerBox(shown); });
}

void ExportScript::ShowModuleList(TCustomForm& wizard) {
    Say("wizard", "\"" + wizard.Caption() + "\" shows the module list");
    for (const ModuleRow& row : ModuleRows(wizard))
        Say("wizard", "  " + row.caption + (row.enabled ? "" : "  (disabled)"));
    m_pictures.Form(wizard, "module-list");
}

void ExportScript::CheckModule(TCustomForm& wizard, const std::string& caption) {
    if (!m_problems.empty())
        return;
    for (const ModuleRow& row : ModuleRows(wizard)) {
        if (row.caption != caption)
            continue;
        if (!row.enabled)
            return Fail("the module " + caption + " cannot be checked for this user and project");
        Say("user", "checks " + caption);
        framework::TUserAction check;
        check.kind = framework::TUserActionKind::Check;
        check.control = row.frame + ".cSelectItem";
        check.checked = true;
        wizard.PerformUserAction(check);
        return;
    }
    Fail("the module list has no module " + caption);
}

void ExportScript::StepThroughTab(TCustomForm& wizard, std::size_t tab) {
    if (!m_problems.empty() || !StillOpen(wizard))
        return;
    const TControl* page = ShownPage(wizard, "PageInfo");
    Say("wizard", "module tab " + std::to_string(tab + 1) + ": " + (page ? page->Caption() : "(none)"));
    m_pictures.Form(wizard, "module-tab-" + (page ? page->Caption() : std::to_string(tab + 1)));
    Press(wizard, "btnHorzNext");
}

void ExportScript::NameThePackage(TCustomForm& dialog) {
    Say("dialog", "\"" + dialog.Caption() + "\" asks for the package's name and memo");
    const std::string name = m_request.name.value_or("");
    const std::string memo = m_request.memo.value_or("");
    framework::TUserAction type;
    type.kind = framework::TUserActionKind::Type;
    if (!name.empty()) {
        Say("user", "types the name \"" + name + "\"");
        type.control = "EdtName";
        type.text = name;
        dialog.PerformUserAction(type);
    }
    if (!memo.empty()) {
        Say("user", "types the memo \"" + memo + "\"");
        type.control = "EdtMemo";
        type.text = memo;
        dialog.PerformUserAction(type);
    }
    m_pictures.Form(dialog, "package-name");
    if (m_request.name) {
        Press(dialog, "btnok");
        // A name the dialog refuses keeps it open; the user gives up.
        if (StillOpen(dialog))
            Press(dialog, "btnCancel");
    } else {
        Press(dialog, "btnCancel");
    }
}

void ExportScript::CloseIfStillOpen(TCustomForm& wizard) {
    if (!StillOpen(wizard))
        return;
    Say("wizard", "is still open");
    Press(wizard, "btnCancel");
}

std::optional<TDialogAnswer> ExportScript::AnswerBox(const TDialogRecord& box) {
    if (box.kind == framework::TDialogKind::Save || box.kind == framework::TDialogKind::Open) {
        Say("dialog", "\"" + box.title + "\" asks for a file");
        if (!m_request.savePath || m_fileChosen) {
            Say("user", "cancels the dialog");
            return TDialogAnswer{TDialogAnswer::CancelFile, framework::IDCANCEL, {}, {}};
        }
        m_fileChosen = true;
        Say("user", "chooses " + *m_request.savePath);
        return TDialogAnswer{TDialogAnswer::File, framework::IDOK, *m_request.savePath, {}};
    }
    return m_boxes.Answer(box, [this](const std::string& problem) { Fail(problem); });
}

} // namespace velmora
