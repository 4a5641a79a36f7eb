#include "platform/framework/ScriptedUser.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/rtl/Text.h"

namespace framework {

std::string TUserAction::Describe() const {
    switch (kind) {
    case TUserActionKind::Click:
        return "click " + control;
    case TUserActionKind::ClickAt:
        return "click " + control + " at (" + std::to_string(point.x) + ", " + std::to_string(point.y) + ")";
    case TUserActionKind::Type:
        return "type '" + text + "' into " + control;
    case TUserActionKind::Check:
        return std::string(checked ? "check " : "uncheck ") + control;
    case TUserActionKind::SelectTab:
        return "select the tab '" + text + "' of " + control;
    case TUserActionKind::Key:
        return "press key " + std::to_string(key) + (control.empty() ? "" : " in " + control);
    case TUserActionKind::Wait:
        return "wait " + std::to_string(milliseconds) + " ms";
    case TUserActionKind::Close:
        return "close the form";
    case TUserActionKind::Do:
        return "look at the form";
    }
    return {};
}

TUserScript& TUserScript::Add(TUserAction action) {
    m_actions.push_back(std::move(action));
    return *this;
}

TUserScript& TUserScript::Click(const std::string& control) {
    return Add({.kind = TUserActionKind::Click, .control = control});
}

TUserScript& TUserScript::ClickAt(const std::string& control, gdi::POINT point) {
    return Add({.kind = TUserActionKind::ClickAt, .control = control, .point = point});
}

TUserScript& TUserScript::Type(const std::string& control, const std::string& text) {
    return Add({.kind = TUserActionKind::Type, .control = control, .text = text});
}

TUserScript& TUserScript::Check(const std::string& control, bool checked) {
    return Add({.kind = TUserActionKind::Check, .control = control, .checked = checked});
}

TUserScript& TUserScript::SelectTab(const std::string& control, const std::string& caption) {
    return Add({.kind = TUserActionKind::SelectTab, .control = control, .text = caption});
}

TUserScript& TUserScript::PressKey(std::uint16_t key, const std::string& control, TShiftState shift) {
    return Add({.kind = TUserActionKind::Key, .control = control, .key = key, .shift = shift});
}

TUserScript& TUserScript::Wait(int milliseconds) {
    if (milliseconds < 0)
        throw EScriptError("A script cannot wait " + std::to_string(milliseconds) + " ms");
    return Add({.kind = TUserActionKind::Wait, .milliseconds = milliseconds});
}

TUserScript& TUserScript::Close() {
    return Add({.kind = TUserActionKind::Close});
}

TUserScript& TUserScript::Do(std::function<void(TCustomForm&)> step) {
    return Add({.kind = TUserActionKind::Do, .step = std::move(step)});
}

namespace {

std::string TargetName(const IScriptTarget& target) {
    if (const auto* c = dynamic_cast<const TComponent*>(&target))
        return c->Name() + " (" + c->ClassName() + ")";
    return "the control";
}

} // namespace

void IScriptTarget::ScriptClick() {
    throw EScriptError(TargetName(*this) + " cannot be clicked");
}
void IScriptTarget::ScriptClickAt(gdi::POINT) {
    throw EScriptError(TargetName(*this) + " cannot be clicked");
}
void IScriptTarget::ScriptType(const std::string&) {
    throw EScriptError(TargetName(*this) + " takes no typing");
}
void IScriptTarget::ScriptCheck(bool) {
    throw EScriptError(TargetName(*this) + " cannot be checked");
}
void IScriptTarget::ScriptSelectTab(const std::string& caption) {
    throw EScriptError(TargetName(*this) + " has no tab '" + caption + "' to select");
}
void IScriptTarget::ScriptKey(std::uint16_t, TShiftState) {
    throw EScriptError(TargetName(*this) + " takes no keys");
}

TUserScript& TScriptedUser::ScriptFor(const std::string& formClassOrName) {
    auto& queue = m_scripts[rtl::UpperCase(formClassOrName)];
    queue.emplace_back();
    return queue.back();
}

void TScriptedUser::AnswerBox(int result, const std::string& expectText) {
    m_answers.push_back(TDialogAnswer{TDialogAnswer::Button, result, {}, expectText});
}

void TScriptedUser::AnswerFile(const std::string& fileName) {
    m_answers.push_back(TDialogAnswer{TDialogAnswer::File, IDOK, fileName, {}});
}

void TScriptedUser::CancelFile() {
    m_answers.push_back(TDialogAnswer{TDialogAnswer::CancelFile, IDCANCEL, {}, {}});
}

void TScriptedUser::Reset() {
    m_scripts.clear();
    m_answers.clear();
    m_provider = nullptr;
}

std::size_t TScriptedUser::PendingScripts() const {
    std::size_t n = 0;
    for (const auto& entry : m_scripts)
        n += entry.second.size();
    return n;
}

std::optional<TUserScript> TScriptedUser::TakeScript(const TCustomForm& form) {
    for (const std::string& key : {form.Name(), form.ClassName()}) {
        auto it = m_scripts.find(rtl::UpperCase(key));
        if (key.empty() || it == m_scripts.end() || it->second.empty())
            continue;
        TUserScript script = std::move(it->second.front());
        it->second.pop_front();
        return script;
    }
    return std::nullopt;
}

TDialogAnswer TScriptedUser::TakeAnswer(const TDialogRecord& record) {
    const bool fileDialog = record.kind == TDialogKind::Open || record.kind == TDialogKind::Save;
    const char* what = record.kind == TDialogKind::MessageBox ? "message box"
                       : record.kind == TDialogKind::Message  ? "message"
                       : record.kind == TDialogKind::Open     ? "open dialog"
                                                              : "save dialog";
    std::string shown = std::string(what) + " \"" + record.text + "\" (title \"" + record.title + "\")";
    std::optional<TDialogAnswer> provided;
    if (m_answers.empty() && m_provider)
        provided = m_provider(record);
    if (m_answers.empty() && !provided)
        throw EScriptError("Unexpected " + shown + ": no answer queued");
    TDialogAnswer answer = provided ? *provided : m_answers.front();
    if (fileDialog != (answer.kind != TDialogAnswer::Button))
        throw EScriptError("Unexpected " + shown + ": the next answer is for a " +
                           (fileDialog ? "message box" : "file dialog"));
    if (!answer.expectText.empty() && answer.expectText != record.text)
        throw EScriptError("Unexpected " + shown + ": expected \"" + answer.expectText + "\"");
    if (!provided)
        m_answers.pop_front();
    return answer;
}

TScriptedUser& ScriptedUser() {
    static TScriptedUser user;
    return user;
}

} // namespace framework
