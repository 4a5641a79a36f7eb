#include "platform/framework/Forms.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Graphics.h"
#include "platform/framework/HandlerGuard.h"
#include "platform/framework/Input.h"
#include "platform/framework/Timers.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/Text.h"

#include <algorithm>
#include <unistd.h>

namespace framework {

namespace {

std::string DescribeForm(const TCustomForm& form) {
    return "Form " + (form.Name().empty() ? std::string("(unnamed)") : form.Name()) + " (" +
           form.ClassName() + ")";
}

std::string ExecutablePath() {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

} // namespace

const TEnumInfo PositionInfo{"TPosition",
                             {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                              "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"}};
const TEnumInfo FormBorderStyleInfo{
    "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(
        TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csAcceptsControls});
    SetInitialColor(gdi::clBtnFace);
    SetVisible(false);
    SetInitialSize(320, 240);
    m_screen = Screen();
    if (m_screen != nullptr)
        m_screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    m_formDestroying = true;
    m_activeControl = nullptr;
    m_focusedControl = nullptr;
    // Controls leave while their form is still a form, so they can still reach it.
    DestroyComponents();
    if (m_screen != nullptr)
        m_screen->RemoveForm(this);
}

void TCustomForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style = win::WS_POPUP | win::WS_CLIPCHILDREN | win::WS_CLIPSIBLINGS;
    if (!Enabled())
        p.Style |= win::WS_DISABLED;
    if (Visible())
        p.Style |= win::WS_VISIBLE;
    switch (m_borderStyle) {
    case bsNone:
        break;
    case bsSingle:
    case bsToolWindow:
        p.Style |= win::WS_CAPTION | win::WS_SYSMENU;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        p.Style |= win::WS_CAPTION | win::WS_THICKFRAME | win::WS_SYSMENU;
        break;
    case bsDialog:
        p.Style |= win::WS_CAPTION | win::WS_SYSMENU;
        break;
    }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    RecreateWnd();
    Realign();
}

void TCustomForm::PaintCaptionText(gdi::HDC dc, const TRect& bar) {
    gdi::LOGFONT lf;
    lf.lfHeight = -11;
    lf.lfWeight = 700;
    lf.lfFaceName = "Tahoma";
    gdi::HFONT font = gdi::CreateFontIndirect(&lf);
    gdi::HGDIOBJ old = gdi::SelectObject(dc, font);
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    gdi::SetTextColor(dc, gdi::GetSysColor(gdi::COLOR_CAPTIONTEXT));
    TRect r = bar;
    r.left += 4;
    gdi::DrawText(dc, Caption(), &r,
                  gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX | gdi::DT_END_ELLIPSIS);
    gdi::SelectObject(dc, old);
    gdi::DeleteObject(font);
}

void TCustomForm::DoCreate() {
    if (OnCreate)
        Guarded(this, [this] { OnCreate(this); });
}

bool TCustomForm::Active() const {
    return Visible() && Screen() != nullptr && Screen()->ActiveForm() == this;
}

void TCustomForm::PlaceOnScreen() {
    TScreen* s = Screen();
    if (s == nullptr)
        return;
    if (m_position == poScreenCenter || m_position == poDesktopCenter || m_position == poMainFormCenter ||
        m_position == poOwnerFormCenter)
        SetBounds((s->Width() - Width()) / 2, (s->Height() - Height()) / 2, Width(), Height());
}

void TCustomForm::Show() {
    if (Visible())
        return;
    PlaceOnScreen();
    DoShow();
    SetVisible(true);
    HandleNeeded();
    UpdateShowing();
    if (m_activeControl == nullptr && !ComponentState().Contains(csDesigning))
        m_activeControl = FindNextControl(nullptr, true, true, false);
    SetWindowFocus();
}

void TCustomForm::Hide() {
    if (!Visible())
        return;
    HWND focus = GetFocus();
    if (focus != nullptr && ContainsControl(&focus->Control()))
        framework::SetFocus(nullptr);
    SetVisible(false);
    DoHide();
}

void TCustomForm::SetWindowFocus() {
    if (!Visible() || !HandleAllocated())
        return;
    HWND target =
        m_activeControl != nullptr && m_activeControl->CanFocus() ? m_activeControl->Handle() : Handle();
    framework::SetFocus(target);
}

void TCustomForm::SetFocus() {
    if (!Visible() || !Enabled())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    SetWindowFocus();
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == m_activeControl)
        return;
    if (control != nullptr && (control == this || GetParentForm(control) != this ||
                               (!ComponentState().Contains(csLoading) && !control->CanFocus())))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    m_activeControl = control;
    if (!ComponentState().Contains(csLoading) && Visible())
        SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control) {
    if (control != nullptr && control != this && !control->CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    m_activeControl = control == this ? nullptr : control;
    if (Visible())
        SetWindowFocus();
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    if (m_formDestroying)
        return true;
    const int count = ++m_focusCount;
    m_activeControl = control != this ? control : nullptr;
    if (control->ControlState().Contains(csFocusing))
        return true;
    control->SetControlState(control->ControlState() + TControlState{csFocusing});
    auto done = [control] { control->SetControlState(control->ControlState() - TControlState{csFocusing}); };
    try {
        if (m_focusedControl == nullptr)
            m_focusedControl = this;
        if (m_focusedControl != control) {
            while (m_focusedControl != nullptr && !m_focusedControl->ContainsControl(control)) {
                TWinControl* leaving = m_focusedControl;
                m_focusedControl = leaving->Parent();
                leaving->Perform(win::CM_EXIT, 0, 0);
                if (count != m_focusCount) {
                    done();
                    return false;
                }
            }
            while (m_focusedControl != control) {
                TWinControl* entering = control;
                while (entering->Parent() != m_focusedControl)
                    entering = entering->Parent();
                m_focusedControl = entering;
                entering->Perform(win::CM_ENTER, 0, 0);
                if (count != m_focusCount) {
                    done();
                    return false;
                }
            }
            Perform(win::CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
        }
    } catch (...) {
        done();
        throw;
    }
    done();
    return true;
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (m_formDestroying || control == nullptr)
        return;
    if (removing && m_focusedControl != nullptr && control->ContainsControl(m_focusedControl))
        m_focusedControl = control->Parent();
    if (m_activeControl != nullptr && control->ContainsControl(m_activeControl)) {
        m_activeControl = nullptr;
        if (Visible() && HandleAllocated()) {
            HWND focus = GetFocus();
            if (focus != nullptr && control->ContainsControl(&focus->Control()))
                framework::SetFocus(Handle());
        }
    }
}

void TCustomForm::CMDialogKey(TMessage& m) {
    if (GetKeyState(win::VK_MENU) >= 0) {
        switch (static_cast<int>(m.WParam)) {
        case win::VK_TAB:
            if (GetKeyState(win::VK_CONTROL) >= 0) {
                SelectNext(m_activeControl, GetKeyState(win::VK_SHIFT) >= 0, true);
                m.Result = 1;
                return;
            }
            break;
        case win::VK_LEFT:
        case win::VK_RIGHT:
        case win::VK_UP:
        case win::VK_DOWN:
            if (m_activeControl != nullptr && m_activeControl->Parent() != nullptr) {
                m_activeControl->Parent()->SelectNext(
                    m_activeControl, m.WParam == win::VK_RIGHT || m.WParam == win::VK_DOWN, false);
                m.Result = 1;
            }
            return;
        default:
            break;
        }
    }
    TWinControl::CMDialogKey(m);
}

void TCustomForm::DoShow() {
    if (OnShow)
        Guarded(this, [this] { OnShow(this); });
}

void TCustomForm::DoHide() {
    if (OnHide)
        Guarded(this, [this] { OnHide(this); });
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose)
        Guarded(this, [this, &action] { OnClose(this, action); });
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery)
        Guarded(this, [this, &canClose] { OnCloseQuery(this, canClose); });
    return canClose;
}

void TCustomForm::Close() {
    if (m_modal) {
        // The modal loop sees the result and runs OnClose.
        m_modalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caHide)
        Hide();
    else if (action == caFree)
        Release();
}

void TCustomForm::Release() {
    Application()->ReleaseForm(this);
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || m_modal)
        throw EInvalidOperation("Cannot make a visible window modal");
    TApplication* app = Application();
    app->CancelHint();
    TScreen* screen = Screen();
    m_modal = true;
    m_modalResult = mrNone;
    screen->PushModal(this);
    auto leave = [&] {
        m_modal = false;
        screen->PopModal(this);
        Hide();
    };
    try {
        std::optional<TUserScript> script = ScriptedUser().TakeScript(*this);
        Show();
        RunModalLoop(script);
    } catch (...) {
        leave();
        throw;
    }
    leave();
    return m_modalResult;
}

void TCustomForm::RunModalLoop(const std::optional<TUserScript>& script) {
    std::size_t next = 0;
    for (;;) {
        Application()->ProcessMessages();
        if (m_modalResult != mrNone) {
            CloseModal();
            if (m_modalResult != mrNone)
                return;
            continue;
        }
        if (!script)
            throw EScriptError(DescribeForm(*this) + " was shown modally without a script");
        if (next >= script->Actions().size()) {
            std::string after = next == 0 ? "" : " after \"" + script->Actions()[next - 1].Describe() + "\"";
            throw EScriptError(DescribeForm(*this) + " was left open by its script" + after);
        }
        PerformUserAction(script->Actions()[next++]);
    }
}

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone)
        m_modalResult = mrNone;
    else if (action == caFree)
        Release();
}

namespace {

void CollectPlacedControls(const TWinControl& parent, std::string_view name, std::vector<TControl*>& found) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* c = parent.Controls(i);
        if (rtl::SameText(c->Name(), name))
            found.push_back(c);
        if (auto* w = dynamic_cast<const TWinControl*>(c))
            CollectPlacedControls(*w, name, found);
    }
}

} // namespace

TComponent& TCustomForm::FindScriptControl(const std::string& path) const {
    const TComponent* scope = this;
    std::string_view rest = path;
    TComponent* found = nullptr;
    while (!rest.empty()) {
        std::size_t dot = rest.find('.');
        std::string_view part = rest.substr(0, dot);
        found = scope->FindComponent(part);
        if (const auto* container = dynamic_cast<const TWinControl*>(scope); found == nullptr && container) {
            std::vector<TControl*> placed;
            CollectPlacedControls(*container, part, placed);
            if (placed.size() > 1)
                throw EScriptError(DescribeForm(*this) + " has " + std::to_string(placed.size()) +
                                   " controls named " + std::string(part) +
                                   "; name the one meant by its container (Sheet.Name)");
            found = placed.empty() ? nullptr : placed.front();
        }
        if (found == nullptr)
            throw EScriptError(DescribeForm(*this) + " has no control named " + path);
        scope = found;
        rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
    }
    if (found == nullptr)
        throw EScriptError(DescribeForm(*this) + ": a script action names no control");
    return *found;
}

void TCustomForm::PerformUserAction(const TUserAction& action) {
    switch (action.kind) {
    case TUserActionKind::Click:
        UserClick(FindScriptControl(action.control));
        return;
    case TUserActionKind::ClickAt:
        UserClickAt(FindScriptControl(action.control), action.point);
        return;
    case TUserActionKind::Type:
        UserType(FindScriptControl(action.control), action.text);
        return;
    case TUserActionKind::Check:
        UserCheck(FindScriptControl(action.control), action.checked);
        return;
    case TUserActionKind::SelectTab:
        UserSelectTab(FindScriptControl(action.control), action.text);
        return;
    case TUserActionKind::Wait:
        UserWait(action.milliseconds);
        return;
    case TUserActionKind::Key:
        UserKey(action.control.empty() ? nullptr : &FindScriptControl(action.control), action.key,
                action.shift);
        return;
    case TUserActionKind::Close:
        UserClose();
        return;
    case TUserActionKind::Do:
        action.step(*this);
        return;
    }
}

namespace {

IScriptTarget& TargetOf(TComponent& control, const TCustomForm& form) {
    auto* target = dynamic_cast<IScriptTarget*>(&control);
    if (target == nullptr)
        throw EScriptError(DescribeForm(form) + ": " + control.Name() + " (" + control.ClassName() +
                           ") takes no user input");
    return *target;
}

} // namespace

void TCustomForm::UserClick(TComponent& control) {
    IScriptTarget& target = TargetOf(control, *this);
    Guarded(&control, [&] { target.ScriptClick(); });
}

void TCustomForm::UserClickAt(TComponent& control, TPoint point) {
    IScriptTarget& target = TargetOf(control, *this);
    Guarded(&control, [&] { target.ScriptClickAt(point); });
}

void TCustomForm::UserType(TComponent& control, const std::string& text) {
    IScriptTarget& target = TargetOf(control, *this);
    Guarded(&control, [&] { target.ScriptType(text); });
}

void TCustomForm::UserCheck(TComponent& control, bool checked) {
    IScriptTarget& target = TargetOf(control, *this);
    Guarded(&control, [&] { target.ScriptCheck(checked); });
}

void TCustomForm::UserSelectTab(TComponent& control, const std::string& caption) {
    IScriptTarget& target = TargetOf(control, *this);
    Guarded(&control, [&] { target.ScriptSelectTab(caption); });
}

void TCustomForm::UserWait(int milliseconds) {
    // Timers fire as the time passes; what they changed is painted by the loop's next turn.
    Clock().Advance(milliseconds);
}

void TCustomForm::UserKey(TComponent* control, std::uint16_t key, TShiftState shift) {
    if (control == nullptr) {
        // A key for the form goes to whatever has the focus.
        Guarded(this, [&] { input::PressKey(key, shift); });
        return;
    }
    IScriptTarget& target = TargetOf(*control, *this);
    Guarded(control, [&] { target.ScriptKey(key, shift); });
}

void TCustomForm::UserClose() {
    Close();
}

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (!c->HasParent() || c->GetParentComponent() == this)
            proc(c);
    }
}

TFrame::TFrame(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(
        TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetInitialColor(gdi::clBtnFace);
    SetInitialSize(320, 240);
}

void TFrame::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (!c->HasParent() || c->GetParentComponent() == this)
            proc(c);
    }
}

TApplication::TApplication(TComponent* owner) : TComponent(owner), m_exeName(ExecutablePath()) {}

TApplication::~TApplication() {
    // Forms may still be queued for release; they are owned by someone and go with their owner.
    m_released.clear();
    DestroyComponents();
}

void TApplication::SetMainForm(TCustomForm* form) {
    m_mainForm = form;
    if (form != nullptr)
        form->FreeNotification(this);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, int flags) {
    return DialogService().MessageBox(text, caption, flags);
}

void TApplication::HandleException(TObject* sender) {
    std::exception_ptr error = std::current_exception();
    if (!error)
        return;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        m_errors.push_back(e.what());
        if (OnException)
            OnException(sender, e);
    } catch (...) {
        m_errors.push_back("unknown error");
    }
}

void TApplication::CancelHint() {
    m_hintActive = false;
}

void TApplication::Post(std::function<void()> work) {
    m_posted.push_back(std::move(work));
}

void TApplication::ReleaseForm(TCustomForm* form) {
    if (std::find(m_released.begin(), m_released.end(), form) != m_released.end())
        return;
    m_released.push_back(form);
    form->FreeNotification(this);
}

void TApplication::ProcessMessages() {
    DispatchPostedMessages();
    std::vector<std::function<void()>> posted;
    posted.swap(m_posted);
    for (auto& work : posted)
        Guarded(this, work);
    while (!m_released.empty()) {
        TCustomForm* form = m_released.back();
        m_released.pop_back();
        delete form;
    }
    UpdateAllWindows();
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == m_mainForm)
        m_mainForm = nullptr;
    m_released.erase(std::remove(m_released.begin(), m_released.end(), component), m_released.end());
}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

TScreen::~TScreen() {
    for (TCustomForm* form : m_forms)
        form->m_screen = nullptr;
}

TCustomForm* TScreen::Forms(int index) const {
    if (index < 0 || index >= FormCount())
        throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return m_forms[static_cast<std::size_t>(index)];
}

TCustomForm* TScreen::ActiveForm() const {
    if (!m_modal.empty())
        return m_modal.back();
    for (auto it = m_forms.rbegin(); it != m_forms.rend(); ++it)
        if ((*it)->Visible())
            return *it;
    return nullptr;
}

void TScreen::SetSize(int width, int height) {
    m_width = width;
    m_height = height;
}

void TScreen::AddForm(TCustomForm* form) {
    m_forms.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    m_forms.erase(std::remove(m_forms.begin(), m_forms.end(), form), m_forms.end());
    m_modal.erase(std::remove(m_modal.begin(), m_modal.end(), form), m_modal.end());
}

void TScreen::PopModal(TCustomForm* form) {
    auto it = std::find(m_modal.rbegin(), m_modal.rend(), form);
    if (it != m_modal.rend())
        m_modal.erase(std::next(it).base());
}

namespace {

struct OwnObjects {
    std::unique_ptr<TScreen> screen{new TScreen(nullptr)};
    std::unique_ptr<TApplication> application{new TApplication(nullptr)};
};

OwnObjects& Own() {
    static OwnObjects own;
    return own;
}

struct Slots {
    TApplication* application = nullptr;
    bool applicationSet = false;
    TScreen* screen = nullptr;
    bool screenSet = false;
    THintWindowClass hintWindowClass = nullptr;
};

Slots& TheSlots() {
    static Slots slots;
    return slots;
}

struct PlatformVersion {
    int major = 5;
    int minor = 1;
};

PlatformVersion& Version() {
    static PlatformVersion version;
    return version;
}

} // namespace

TApplication* OwnApplication() {
    return Own().application.get();
}
TScreen* OwnScreen() {
    return Own().screen.get();
}

TApplication* Application() {
    return TheSlots().applicationSet ? TheSlots().application : OwnApplication();
}

void SetApplication(TApplication* application) {
    TheSlots().application = application;
    TheSlots().applicationSet = true;
}

TScreen* Screen() {
    return TheSlots().screenSet ? TheSlots().screen : OwnScreen();
}

void SetScreen(TScreen* screen) {
    TheSlots().screen = screen;
    TheSlots().screenSet = true;
}

THintWindowClass HintWindowClass() {
    return TheSlots().hintWindowClass;
}
void SetHintWindowClass(THintWindowClass hintWindowClass) {
    TheSlots().hintWindowClass = hintWindowClass;
}

TMouse& Mouse() {
    static TMouse mouse;
    return mouse;
}

int Win32MajorVersion() {
    return Version().major;
}
int Win32MinorVersion() {
    return Version().minor;
}
void SetPlatformVersion(int major, int minor) {
    Version().major = major;
    Version().minor = minor;
}

namespace {

[[maybe_unused]] const auto registerCustomForm =
    RegisterClass<TCustomForm, TWinControl>("TCustomForm")
        .Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle, FormBorderStyleInfo,
              std::optional<TFormBorderStyle>(bsSizeable))
        .Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition, PositionInfo,
              std::optional<TPosition>(poDesigned))
        .Boolean("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview, false)
        // Form resources may give a form's size as its client area, after its border style; the
        // writer keeps writing the outer size.
        .Integer("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
        .Stored([](const TCustomForm&) { return false; })
        .Integer("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
        .Stored([](const TCustomForm&) { return false; })
        .Component("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
        .Event("OnClose", &TCustomForm::OnClose)
        .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
        .Event("OnCreate", &TCustomForm::OnCreate)
        .Event("OnHide", &TCustomForm::OnHide)
        .Event("OnShow", &TCustomForm::OnShow);
[[maybe_unused]] const auto registerForm = RegisterClass<TForm, TCustomForm>("TForm");
[[maybe_unused]] const auto registerFrame = RegisterClass<TFrame, TWinControl>("TFrame");

} // namespace

} // namespace framework

namespace framework {

namespace {
gdi::Surface ComposeForm(TCustomForm& form) {
    // A form that is not shown is made visible for the picture, without OnShow or the focus.
    const bool shown = form.Visible();
    if (!shown)
        form.TControl::SetVisible(true);
    gdi::Surface surface(std::max(1, form.Width()), std::max(1, form.Height()), 32);
    try {
        form.HandleNeeded();
        RedrawWindow(form.Handle(), nullptr, nullptr, win::RDW_UPDATENOW | win::RDW_ALLCHILDREN);
        ComposeWindow(form.Handle(), surface, 0, 0);
    } catch (...) {
        if (!shown)
            form.TControl::SetVisible(false);
        throw;
    }
    if (!shown)
        form.TControl::SetVisible(false);
    return surface;
}
} // namespace

void RenderForm(TCustomForm& form, TBitmap& bitmap) {
    gdi::Surface surface = ComposeForm(form);
    bitmap.SetSize(surface.Width(), surface.Height());
    gdi::HDC src = gdi::CreateSurfaceDC(&surface);
    gdi::BitBlt(bitmap.Canvas()->Handle(), 0, 0, surface.Width(), surface.Height(), src, 0, 0, gdi::SRCCOPY);
    gdi::DeleteDC(src);
}

void SaveFormPng(TCustomForm& form, const std::string& path) {
    gdi::SavePng(ComposeForm(form), path);
}

} // namespace framework
