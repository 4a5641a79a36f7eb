#pragma once

#include "platform/framework/Classes.h"
#include "platform/win/WinConst.h"

#include <string>
#include <vector>

namespace framework {

// The message-box numbers, as the dialog service's callers spell them.
using win::IDABORT;
using win::IDCANCEL;
using win::IDIGNORE;
using win::IDNO;
using win::IDOK;
using win::IDRETRY;
using win::IDYES;
using win::MB_ABORTRETRYIGNORE;
using win::MB_DEFBUTTON1;
using win::MB_DEFBUTTON2;
using win::MB_DEFBUTTON3;
using win::MB_ICONASTERISK;
using win::MB_ICONERROR;
using win::MB_ICONEXCLAMATION;
using win::MB_ICONHAND;
using win::MB_ICONINFORMATION;
using win::MB_ICONQUESTION;
using win::MB_ICONWARNING;
using win::MB_OK;
using win::MB_OKCANCEL;
using win::MB_RETRYCANCEL;
using win::MB_YESNO;
using win::MB_YESNOCANCEL;

class TBitmap;

enum class TDialogKind { MessageBox, Message, Open, Save };

// The buttons a box with these flags offers, left to right; none for flags it does not know.
std::vector<int> MessageBoxButtons(int flags);

struct TDialogRecord {
    TDialogKind kind = TDialogKind::MessageBox;
    std::string text; // the message, or the file dialog's file name on entry
    std::string title;
    int flags = 0;
    std::string filter;
    int result = 0; // the button, or IDOK/IDCANCEL for file dialogs
    std::string fileName;
};

// Every message box and file dialog passes through here; it records what was shown and takes the
// answer from the scripted user.
class TDialogService {
public:
    int MessageBox(const std::string& text, const std::string& title, int flags);
    void ShowMessage(const std::string& text, const std::string& title);
    bool ExecuteFileDialog(TDialogKind kind, const std::string& title, const std::string& filter,
                           std::string& fileName);

    const std::vector<TDialogRecord>& Records() const { return m_records; }
    // The sounds of MessageBeep, in order.
    const std::vector<unsigned>& Beeps() const { return m_beeps; }
    void Beep(unsigned type) { m_beeps.push_back(type); }
    // Forgets what was shown and heard.
    void ClearRecords() {
        m_records.clear();
        m_beeps.clear();
    }

private:
    std::vector<TDialogRecord> m_records;
    std::vector<unsigned> m_beeps;
};

TDialogService& DialogService();

// Draws a shown message box or message as the screen would: the title bar, the icon its flags
// name, the text and the buttons, the default one marked. File dialogs are refused.
void RenderMessageBox(const TDialogRecord& record, TBitmap& bitmap);
void SaveMessageBoxPng(const TDialogRecord& record, const std::string& path);

// There is no speaker: the dialog service records the sound.
bool MessageBeep(unsigned type);

// The plain message window, titled with the application's title.
void ShowMessage(const std::string& text);

class TCommonDialog : public TComponent {
public:
    using TComponent::TComponent;
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& v) { m_title = v; }
    virtual bool Execute() = 0;

private:
    std::string m_title;
};

class TOpenDialog : public TCommonDialog {
public:
    using TCommonDialog::TCommonDialog;
    const std::string& Filter() const { return m_filter; }
    void SetFilter(const std::string& v) { m_filter = v; }
    int FilterIndex() const { return m_filterIndex; }
    void SetFilterIndex(int v) { m_filterIndex = v; }
    const std::string& FileName() const { return m_fileName; }
    void SetFileName(const std::string& v) { m_fileName = v; }
    const std::string& DefaultExt() const { return m_defaultExt; }
    void SetDefaultExt(const std::string& v) { m_defaultExt = v; }
    const std::string& InitialDir() const { return m_initialDir; }
    void SetInitialDir(const std::string& v) { m_initialDir = v; }

    bool Execute() override;

protected:
    virtual TDialogKind Kind() const { return TDialogKind::Open; }

private:
    std::string m_filter;
    int m_filterIndex = 1;
    std::string m_fileName;
    std::string m_defaultExt;
    std::string m_initialDir;
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;

protected:
    TDialogKind Kind() const override { return TDialogKind::Save; }
};

} // namespace framework
