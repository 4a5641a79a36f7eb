#pragma once

#include "platform/framework/Classes.h"
#include "platform/framework/FormResources.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/framework/WinControl.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace framework {

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
extern const TEnumInfo PositionInfo;
extern const TEnumInfo FormBorderStyleInfo;

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult result) { m_modalResult = result; }
    bool Modal() const { return m_modal; }
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition position) { m_position = position; }
    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    bool KeyPreview() const { return m_keyPreview; }
    void SetKeyPreview(bool keyPreview) { m_keyPreview = keyPreview; }

    // The control that has, or gets when the form is active, the focus.
    TWinControl* ActiveControl() const { return m_activeControl; }
    void SetActiveControl(TWinControl* control);
    void FocusControl(TWinControl* control);
    // Called when a window of the form gets the focus: CM_EXIT up from the old control to the
    // common parent, CM_ENTER down to the new one, then CM_FOCUSCHANGED to the whole form.
    bool SetFocusedControl(TWinControl* control);
    TWinControl* FocusedControl() const { return m_focusedControl; }
    void DefocusControl(TWinControl* control, bool removing);
    bool Active() const;

    // Runs until ModalResult is set; each step of the loop takes the scripted user's next action.
    virtual TModalResult ShowModal();
    virtual void Show();
    virtual void Hide();
    void Close();
    bool CloseQuery();
    // Frees the form at the next ProcessMessages, so a handler may release its own form.
    void Release();

    // Fires OnCreate; CreateForm calls it after the resource is read.
    void DoCreate();

    // The scripted user's actions enter here and go through synthetic mouse and keyboard input.
    virtual void PerformUserAction(const TUserAction& action);
    // Each part of a dotted path is a component that the scope owns or, failing that, the one
    // control of that name placed inside it (such as a module library's control in a tab sheet).
    TComponent& FindScriptControl(const std::string& path) const;

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    bool CanFocus() const override { return Visible() && Enabled(); }
    bool IsVisibleStored() const override { return Visible(); }
    void SetFocus() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintCaptionText(gdi::HDC dc, const TRect& bar) override;
    void CMDialogKey(TMessage& message) override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    virtual void UserClick(TComponent& control);
    virtual void UserClickAt(TComponent& control, TPoint point);
    virtual void UserType(TComponent& control, const std::string& text);
    virtual void UserCheck(TComponent& control, bool checked);
    virtual void UserSelectTab(TComponent& control, const std::string& caption);
    virtual void UserWait(int milliseconds);
    virtual void UserKey(TComponent* control, std::uint16_t key, TShiftState shift);
    virtual void UserClose();

private:
    friend class TScreen;
    void RunModalLoop(const std::optional<TUserScript>& script);
    void CloseModal();
    void SetWindowFocus();
    void PlaceOnScreen();

    TModalResult m_modalResult = mrNone;
    bool m_modal = false;
    bool m_keyPreview = false;
    bool m_formDestroying = false;
    TPosition m_position = poDesigned;
    TFormBorderStyle m_borderStyle = bsSizeable;
    TWinControl* m_activeControl = nullptr;
    TWinControl* m_focusedControl = nullptr;
    int m_focusCount = 0;
    class TScreen* m_screen = nullptr;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

// A frame is built from its own resource like a form and sits inside a form as a container.
class TFrame : public TWinControl {
public:
    explicit TFrame(TComponent* owner);
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
};

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }
    const std::string& ExeName() const { return m_exeName; }
    void SetExeName(const std::string& exeName) { m_exeName = exeName; }
    TCustomForm* MainForm() const { return m_mainForm; }
    void SetMainForm(TCustomForm* form);
    // Creates a form owned by the application; the first one becomes the main form.
    template <class T> T* CreateForm();

    int MessageBox(const std::string& text, const std::string& caption, int flags);
    // Records the error being handled (call from a catch block); the program goes on.
    void HandleException(TObject* sender);
    const std::vector<std::string>& Errors() const { return m_errors; }
    void ClearErrors() { m_errors.clear(); }
    std::function<void(TObject* sender, const std::exception& error)> OnException;

    void CancelHint();
    bool HintActive() const { return m_hintActive; }
    void ActivateHint() { m_hintActive = true; }

    // Runs queued work and frees released forms; the visual half adds its message queue here.
    void ProcessMessages();
    void Post(std::function<void()> work);
    void ReleaseForm(TCustomForm* form);

    void Notification(TComponent* component, TOperation operation) override;

private:
    std::string m_title;
    std::string m_exeName;
    TCustomForm* m_mainForm = nullptr;
    std::vector<std::string> m_errors;
    bool m_hintActive = false;
    std::vector<std::function<void()>> m_posted;
    std::vector<TCustomForm*> m_released;
};

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* owner);
    ~TScreen() override;

    int FormCount() const { return static_cast<int>(m_forms.size()); }
    TCustomForm* Forms(int index) const;
    TCustomForm* ActiveForm() const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetSize(int width, int height);
    int PixelsPerInch() const { return 96; }
    int Cursor() const { return m_cursor; }
    void SetCursor(int cursor) { m_cursor = cursor; }

    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void PushModal(TCustomForm* form) { m_modal.push_back(form); }
    void PopModal(TCustomForm* form);

private:
    std::vector<TCustomForm*> m_forms;
    std::vector<TCustomForm*> m_modal;
    int m_width = 1024;
    int m_height = 768;
    int m_cursor = 0;
};

class TMouse {
public:
    int WheelScrollLines() const { return m_wheelScrollLines; }
    void SetWheelScrollLines(int lines) { m_wheelScrollLines = lines; }

private:
    int m_wheelScrollLines = 3;
};

// The three process-wide slots; a plug-in swaps in its host's objects and restores its own.
TApplication* Application();
void SetApplication(TApplication* application);
TScreen* Screen();
void SetScreen(TScreen* screen);
using THintWindowClass = const class TClassInfo*;
THintWindowClass HintWindowClass();
void SetHintWindowClass(THintWindowClass hintWindowClass);
// The framework's own application and screen, which the slots hold until something replaces them.
TApplication* OwnApplication();
TScreen* OwnScreen();

TMouse& Mouse();

int Win32MajorVersion();
int Win32MinorVersion();
void SetPlatformVersion(int major, int minor);

// Creates a form or frame of class T, reads its resource and fires OnCreate. The owner
// defaults to the application in the slot; on failure nothing is left behind.
template <class T> T* CreateForm(TComponent* owner = nullptr) {
    if (owner == nullptr)
        owner = Application();
    std::unique_ptr<T> form(new T(owner));
    InitComponentFromResource(*form);
    if constexpr (std::is_base_of_v<TCustomForm, T>)
        form->DoCreate();
    return form.release();
}

template <class T> T* TApplication::CreateForm() {
    T* form = framework::CreateForm<T>(this);
    if (m_mainForm == nullptr)
        SetMainForm(form);
    return form;
}

} // namespace framework

namespace framework {

class TBitmap;

// The form as the screen shows it, frame and children included, after all pending painting.
void RenderForm(TCustomForm& form, TBitmap& bitmap);
void SaveFormPng(TCustomForm& form, const std::string& path);

} // namespace framework
