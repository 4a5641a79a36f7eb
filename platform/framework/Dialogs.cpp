#include "platform/framework/Dialogs.h"

#include "platform/framework/Forms.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/framework/TypInfo.h"

namespace framework {

namespace {

std::string Quoted(const TDialogRecord& r) {
    return "\"" + r.text + "\" (title \"" + r.title + "\")";
}

} // namespace

std::vector<int> MessageBoxButtons(int flags) {
    switch (flags & 0x0F) {
    case MB_OK:
        return {IDOK};
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
        return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case MB_RETRYCANCEL:
        return {IDRETRY, IDCANCEL};
    default:
        return {};
    }
}

int TDialogService::MessageBox(const std::string& text, const std::string& title, int flags) {
    TDialogRecord record;
    record.kind = TDialogKind::MessageBox;
    record.text = text;
    record.title = title;
    record.flags = flags;
    m_records.push_back(record);
    std::vector<int> buttons = MessageBoxButtons(flags);
    if (buttons.empty())
        throw EScriptError("Message box " + Quoted(record) + " has unknown button flags " +
                           std::to_string(flags));
    TDialogAnswer answer = ScriptedUser().TakeAnswer(record);
    bool offered = false;
    for (int b : buttons)
        offered = offered || b == answer.result;
    if (!offered)
        throw EScriptError("Message box " + Quoted(record) + " has no button " +
                           std::to_string(answer.result));
    m_records.back().result = answer.result;
    return answer.result;
}

void TDialogService::ShowMessage(const std::string& text, const std::string& title) {
    TDialogRecord record;
    record.kind = TDialogKind::Message;
    record.text = text;
    record.title = title;
    m_records.push_back(record);
    TDialogAnswer answer = ScriptedUser().TakeAnswer(record);
    if (answer.result != IDOK)
        throw EScriptError("Message " + Quoted(record) + " has only an OK button");
    m_records.back().result = IDOK;
}

bool TDialogService::ExecuteFileDialog(TDialogKind kind, const std::string& title, const std::string& filter,
                                       std::string& fileName) {
    TDialogRecord record;
    record.kind = kind;
    record.text = fileName;
    record.title = title;
    record.filter = filter;
    m_records.push_back(record);
    TDialogAnswer answer = ScriptedUser().TakeAnswer(record);
    if (answer.kind == TDialogAnswer::CancelFile) {
        m_records.back().result = IDCANCEL;
        return false;
    }
    fileName = answer.fileName;
    m_records.back().result = IDOK;
    m_records.back().fileName = fileName;
    return true;
}

TDialogService& DialogService() {
    static TDialogService service;
    return service;
}

bool MessageBeep(unsigned type) {
    DialogService().Beep(type);
    return true;
}

void ShowMessage(const std::string& text) {
    TApplication* app = Application();
    DialogService().ShowMessage(text, app != nullptr ? app->Title() : std::string());
}

bool TOpenDialog::Execute() {
    std::string name = m_fileName;
    if (!DialogService().ExecuteFileDialog(Kind(), Title(), m_filter, name))
        return false;
    m_fileName = name;
    return true;
}

namespace {

[[maybe_unused]] const auto registerOpen =
    RegisterClass<TOpenDialog, TComponent>("TOpenDialog")
        .String("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
        .String("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
        .String("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
        .String("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
        .Integer("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex, 1)
        .String("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
[[maybe_unused]] const auto registerSave = RegisterClass<TSaveDialog, TOpenDialog>("TSaveDialog");

} // namespace

} // namespace framework
