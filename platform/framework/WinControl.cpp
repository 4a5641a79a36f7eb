#include "platform/framework/WinControl.h"

#include "platform/framework/DockTree.h"
#include "platform/framework/Forms.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"

#include <algorithm>

namespace framework {

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    m_destroying = true;
    // The clients go with the site; nothing is laid out any more.
    m_dockManager.reset();
    // Leave the parent while still a windowed control, so that the form lets go of the focus.
    SetParent(nullptr);
    // Children go with their parent, the last in z-order first.
    while (!m_controls.empty()) {
        TControl* child = m_controls.back();
        RemoveControl(child);
        delete child;
    }
    DestroyHandle();
}

HWND TWinControl::Handle() {
    HandleNeeded();
    return m_handle;
}

void TWinControl::HandleNeeded() {
    if (m_handle != nullptr)
        return;
    if (Parent() != nullptr)
        Parent()->HandleNeeded();
    CreateHandle();
}

void TWinControl::CreateHandle() {
    if (m_handle != nullptr)
        return;
    CreateWnd();
    for (TControl* c : m_controls)
        c->UpdateAnchorRules();
}

void TWinControl::CreateParams(TCreateParams& p) {
    p = TCreateParams{};
    p.Caption = Text();
    p.Style = Parent() != nullptr ? (win::WS_CHILD | win::WS_CLIPSIBLINGS) : win::WS_POPUP;
    if (ControlStyle().Contains(csAcceptsControls)) {
        p.Style |= win::WS_CLIPCHILDREN;
        p.ExStyle |= win::WS_EX_CONTROLPARENT;
    }
    if (!Enabled())
        p.Style |= win::WS_DISABLED;
    if (m_tabStop)
        p.Style |= win::WS_TABSTOP;
    if (Visible())
        p.Style |= win::WS_VISIBLE;
    p.X = Left();
    p.Y = Top();
    p.Width = Width();
    p.Height = Height();
    p.WndParent = Parent();
    p.WinClassName = ClassName();
    p.WindowClassStyle = win::CS_VREDRAW | win::CS_HREDRAW | win::CS_DBLCLKS;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    CreateWindowHandle(params);
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
    m_handle = CreateWindowFor(*this, params);
    m_handle->SyncSize();
    SendMessage(m_handle, win::WM_CREATE, 0, 0);
}

void TWinControl::DestroyWnd() {
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    HWND h = m_handle;
    SendMessage(h, win::WM_DESTROY, 0, 0);
    if (TControl* capture = GetCaptureControl(); capture != nullptr && GetCapture() == h)
        SetCaptureControl(nullptr);
    DestroyWindow(h);
    m_handle = nullptr;
}

void TWinControl::DestroyHandle() {
    if (m_handle == nullptr)
        return;
    SetControlState(ControlState() + TControlState{csDestroyingHandle});
    for (TControl* c : m_controls)
        if (auto* w = dynamic_cast<TWinControl*>(c))
            w->DestroyHandle();
    DestroyWnd();
    SetControlState(ControlState() - TControlState{csDestroyingHandle});
}

void TWinControl::RecreateWnd() {
    if (m_handle == nullptr)
        return;
    const bool hadFocus = Focused();
    DestroyHandle();
    UpdateShowing();
    if (m_handle == nullptr && (Parent() == nullptr || Parent()->HandleAllocated()))
        HandleNeeded();
    if (hadFocus && CanFocus())
        SetFocus();
}

void TWinControl::UpdateShowing() {
    if (!Showing())
        return;
    HandleNeeded();
    for (TControl* c : m_controls)
        if (auto* w = dynamic_cast<TWinControl*>(c); w != nullptr && w->Visible())
            w->UpdateShowing();
}

TDockTree* TWinControl::CreateDockManager() {
    return new TDockTree(this);
}

void TWinControl::DockManagerNeeded() {
    if (m_dockManager || !m_dockSite || !m_useDockManager)
        return;
    m_dockManager.reset(CreateDockManager());
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return m_controls[static_cast<std::size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c != nullptr; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    if (control == nullptr)
        return;
    if (control->IsWindowed() && static_cast<TWinControl*>(control)->ContainsControl(this))
        throw EInvalidOperation("A control cannot be inserted into itself or its own child");
    InsertChild(control);
    control->UpdateAnchorRules();
    control->Perform(win::CM_PARENTCOLORCHANGED, 0, 0);
    control->Perform(win::CM_PARENTFONTCHANGED, 0, 0);
    if (control->ParentShowHint())
        control->SetParentShowHint(true);
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        if (w->Visible() && HandleAllocated() && Showing())
            w->UpdateShowing();
    } else {
        control->Invalidate();
    }
    AlignControl(control);
    Perform(win::CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 1);
}

void TWinControl::InsertChild(TControl* control) {
    control->m_parent = this;
    m_controls.push_back(control);
    if (auto* w = dynamic_cast<TWinControl*>(control))
        m_tabList.push_back(w);
}

void TWinControl::RemoveControl(TControl* control) {
    if (control == nullptr || control->m_parent != this)
        return;
    Perform(win::CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 0);
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        if (TCustomForm* form = GetParentForm(this))
            form->DefocusControl(w, true);
        if (GetCaptureControl() != nullptr && w->ContainsControl(GetCaptureControl()))
            SetCaptureControl(nullptr);
        w->DestroyHandle();
    } else {
        if (GetCaptureControl() == control)
            SetCaptureControl(nullptr);
        control->Invalidate();
    }
    if (m_dockManager)
        m_dockManager->RemoveControl(control);
    RemoveChild(control);
    if (!m_destroying)
        Realign();
}

void TWinControl::RemoveChild(TControl* control) {
    m_controls.erase(std::remove(m_controls.begin(), m_controls.end(), control), m_controls.end());
    m_tabList.erase(std::remove(m_tabList.begin(), m_tabList.end(), control), m_tabList.end());
    control->m_parent = nullptr;
}

void TWinControl::SetChildOrder(TComponent* child, int order) {
    if (auto* c = dynamic_cast<TControl*>(child))
        MoveChild(c, order);
}

void TWinControl::MoveChild(TControl* control, int order) {
    auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it == m_controls.end())
        return;
    m_controls.erase(it);
    order = std::clamp(order, 0, static_cast<int>(m_controls.size()));
    m_controls.insert(m_controls.begin() + order, control);
    control->Invalidate();
}

void TWinControl::Broadcast(TMessage& message) {
    for (TControl* c : std::vector<TControl*>(m_controls)) {
        c->WindowProc(message);
        if (message.Result != 0)
            return;
    }
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    for (TControl* c : m_controls)
        if (c->Owner() == root)
            proc(c);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    FixTabList();
    Realign();
}

void TWinControl::SetBorderWidth(int width) {
    if (width < 0 || width == m_borderWidth)
        return;
    m_borderWidth = width;
    Realign();
    Invalidate();
}

void TWinControl::SetCtl3D(bool ctl3D) {
    m_parentCtl3D = false;
    if (ctl3D == m_ctl3D)
        return;
    m_ctl3D = ctl3D;
    Perform(win::CM_CTL3DCHANGED, 0, 0);
    RecreateWnd();
}

void TWinControl::SetParentCtl3D(bool parentCtl3D) {
    m_parentCtl3D = parentCtl3D;
    if (parentCtl3D && Parent() != nullptr && Parent()->Ctl3D() != m_ctl3D) {
        m_ctl3D = Parent()->Ctl3D();
        RecreateWnd();
    }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    TControl::SetBounds(left, top, width, height);
}

TControlActionLinkClass TWinControl::GetActionLinkClass() const {
    return &NewActionLink<TWinControlActionLink>;
}

void TWinControl::ApplyBounds(const TRect& bounds) {
    if (m_handle == nullptr) {
        TControl::ApplyBounds(bounds);
        return;
    }
    const TRect old = BoundsRect();
    TWindowPos pos{m_handle, bounds.left, bounds.top, bounds.Width(), bounds.Height(), 0};
    if (bounds.left == old.left && bounds.top == old.top)
        pos.flags |= win::SWP_NOMOVE;
    if (bounds.Width() == old.Width() && bounds.Height() == old.Height())
        pos.flags |= win::SWP_NOSIZE;
    SendMessage(m_handle, win::WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    // A window procedure that kept the message to itself still moves the control.
    if (BoundsRect() == old)
        UpdateBoundsRect(bounds);
}

void TWinControl::WMWindowPosChanged(TMessage& m) {
    m.Result = 0;
    const auto* pos = reinterpret_cast<const TWindowPos*>(m.LParam);
    if (pos != nullptr)
        UpdateBoundsRect(TRect{pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy});
}

void TWinControl::BoundsChanged(const TRect& oldBounds) {
    const bool sized = oldBounds.Width() != Width() || oldBounds.Height() != Height();
    const bool moved = oldBounds.left != Left() || oldBounds.top != Top();
    if (m_handle == nullptr) {
        if (sized)
            Realign();
        return;
    }
    m_handle->SyncSize();
    if (moved)
        SendMessage(m_handle, win::WM_MOVE, 0, PointToLParam(TPoint{Left(), Top()}));
    if (sized) {
        const TRect c = ClientRect();
        SendMessage(m_handle, win::WM_SIZE, 0, PointToLParam(TPoint{c.Width(), c.Height()}));
    }
}

void TWinControl::VisibleChanging() {
    if (Visible()) {
        // The focus leaves a control that is being hidden.
        if (TCustomForm* form = GetParentForm(this))
            form->DefocusControl(this, false);
    }
}

void TWinControl::CMVisibleChanged(TMessage&) {
    if (Visible())
        UpdateShowing();
    if (m_handle != nullptr && Visible()) {
        m_handle->SetFramePending(true);
        m_handle->Invalidate(nullptr, true);
        RedrawWindow(m_handle, nullptr, nullptr,
                     win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_ALLCHILDREN | win::RDW_FRAME);
    }
}

void TWinControl::CMEnabledChanged(TMessage&) {
    if (!Enabled() && Parent() != nullptr)
        if (TCustomForm* form = GetParentForm(this))
            form->DefocusControl(this, false);
    if (m_handle != nullptr && !ComponentState().Contains(csDesigning))
        EnableWindow(m_handle, Enabled());
    Invalidate();
}

void TWinControl::CMColorChanged(TMessage& m) {
    TControl::CMColorChanged(m);
    TMessage parentColor{win::CM_PARENTCOLORCHANGED, 0, 0, 0};
    for (TControl* c : std::vector<TControl*>(m_controls)) {
        parentColor.Result = 0;
        c->WindowProc(parentColor);
    }
}

void TWinControl::CMFontChanged(TMessage& m) {
    TControl::CMFontChanged(m);
    TMessage parentFont{win::CM_PARENTFONTCHANGED, 0, 0, 0};
    for (TControl* c : std::vector<TControl*>(m_controls)) {
        parentFont.Result = 0;
        c->WindowProc(parentFont);
    }
}

void TWinControl::WndProc(TMessage& m) {
    // A windowless child under the mouse, or holding the capture, takes the mouse message.
    if (IsMouseButtonOrMoveMessage(m.Msg) && IsControlMouseMsg(m))
        return;
    switch (m.Msg) {
    case win::WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this); form != nullptr && !form->SetFocusedControl(this))
            return;
        DefaultHandler(m);
        return;
    case win::WM_KILLFOCUS:
        if (ControlState().Contains(csFocusing))
            return;
        DefaultHandler(m);
        return;
    case win::WM_WINDOWPOSCHANGED:
        WMWindowPosChanged(m);
        return;
    case win::WM_NCCALCSIZE:
        WMNCCalcSize(m);
        return;
    case win::WM_NCPAINT:
        WMNCPaint(m);
        return;
    case win::WM_NCHITTEST:
        WMNCHitTest(m);
        return;
    case win::WM_ERASEBKGND:
        WMEraseBkgnd(m);
        return;
    case win::WM_PAINT:
        WMPaint(m);
        return;
    case win::WM_SETCURSOR:
        WMSetCursor(m);
        return;
    case win::CN_KEYDOWN:
    case win::CN_SYSKEYDOWN:
        CNKeyDown(m);
        return;
    case win::CN_CHAR:
    case win::CN_SYSCHAR:
        CNChar(m);
        return;
    case win::WM_KEYDOWN:
    case win::WM_SYSKEYDOWN:
        if (!DoKeyDown(m))
            DefaultHandler(m);
        return;
    case win::WM_KEYUP:
    case win::WM_SYSKEYUP:
        if (!DoKeyUp(m))
            DefaultHandler(m);
        return;
    case win::WM_CHAR:
        if (!DoKeyPress(m))
            DefaultHandler(m);
        return;
    case win::WM_SIZE:
        Realign();
        DefaultHandler(m);
        return;
    case win::CM_DIALOGKEY:
        CMDialogKey(m);
        return;
    case win::CM_DIALOGCHAR:
        CMDialogChar(m);
        return;
    case win::CM_FOCUSCHANGED:
        CMFocusChanged(m);
        return;
    case win::CM_ENTER:
        CMEnter(m);
        return;
    case win::CM_EXIT:
        CMExit(m);
        return;
    case win::CM_RECREATEWND:
        RecreateWnd();
        return;
    default:
        break;
    }
    TControl::WndProc(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
    switch (m.Msg) {
    case win::WM_MOUSEACTIVATE:
        m.Result = win::MA_ACTIVATE;
        return;
    case win::WM_GETDLGCODE:
        m.Result = 0;
        return;
    case win::WM_NCHITTEST:
        WMNCHitTest(m);
        return;
    case win::WM_NCLBUTTONDOWN:
    case win::WM_NCLBUTTONDBLCLK:
        // A second quick press on a scroll-bar arrow scrolls again.
        WMNCLButtonDown(m);
        return;
    case win::WM_CANCELMODE:
        if (m_handle != nullptr && GetCapture() == m_handle)
            ReleaseCapture();
        m.Result = 0;
        return;
    default:
        m.Result = 0;
    }
}

namespace {

template <class T> TClassBuilder<T> WinControlProperties(TClassBuilder<T> b) {
    return b.Integer("BorderWidth", &T::BorderWidth, &T::SetBorderWidth, 0)
        .Boolean("Ctl3D", &T::Ctl3D, &T::SetCtl3D, true)
        .Boolean("ParentCtl3D", &T::ParentCtl3D, &T::SetParentCtl3D, true)
        .Boolean("DoubleBuffered", &T::DoubleBuffered, &T::SetDoubleBuffered, false)
        .Boolean("DockSite", &T::DockSite, &T::SetDockSite, false)
        .Boolean("UseDockManager", &T::UseDockManager, &T::SetUseDockManager, false)
        .Boolean("TabStop", &T::TabStop, &T::SetTabStop, false)
        .Integer("TabOrder", &T::TabOrder, &T::SetTabOrder)
        .Stored(&T::IsTabOrderStored)
        .Event("OnEnter", &T::OnEnter)
        .Event("OnExit", &T::OnExit)
        .Event("OnKeyDown", &T::OnKeyDown)
        .Event("OnKeyUp", &T::OnKeyUp)
        .Event("OnKeyPress", &T::OnKeyPress);
}

[[maybe_unused]] const auto registerWinControl =
    WinControlProperties(RegisterClass<TWinControl, TControl>("TWinControl"));

} // namespace

} // namespace framework
