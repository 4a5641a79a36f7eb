#include "platform/framework/WinControl.h"

#include "platform/framework/DockTree.h"
#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"

#include <algorithm>

namespace framework {

void ApplyBorderStyle(TCreateParams& params, TBorderStyle style, bool ctl3D) {
    if (style != bsSingle)
        return;
    if (ctl3D)
        params.ExStyle |= win::WS_EX_CLIENTEDGE;
    else
        params.Style |= win::WS_BORDER;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    m_destroying = true;
    // Children go with their parent, the last in z-order first.
    while (!m_controls.empty()) {
        TControl* child = m_controls.back();
        RemoveControl(child);
        delete child;
    }
    DestroyHandle();
    m_dockManager.reset();
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

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) const {
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        TControl* c = *it;
        if (c->IsWindowed() && !allowWinControls)
            continue;
        const bool visible = c->Visible() || (c->ComponentState().Contains(csDesigning) &&
                                              !c->ControlStyle().Contains(csNoDesignVisible));
        if (!visible || (!allowDisabled && !c->Enabled()))
            continue;
        TRect r = c->BoundsRect();
        if (!gdi::PtInRect(&r, pos))
            continue;
        if (c->Perform(win::CM_HITTEST, 0, PointToLParam(TPoint{pos.x - c->Left(), pos.y - c->Top()})) != 0)
            return c;
    }
    return nullptr;
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
    auto* c = dynamic_cast<TControl*>(child);
    auto it = std::find(m_controls.begin(), m_controls.end(), c);
    if (it == m_controls.end())
        return;
    m_controls.erase(it);
    order = std::clamp(order, 0, static_cast<int>(m_controls.size()));
    m_controls.insert(m_controls.begin() + order, c);
    if (c->IsWindowed())
        c->Invalidate();
    else
        c->Invalidate();
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

// Alignment.

void TWinControl::DisableAlign() {
    ++m_alignLevel;
}

void TWinControl::EnableAlign() {
    if (--m_alignLevel == 0 && m_alignPending && !ComponentState().Contains(csLoading))
        Realign();
}

void TWinControl::Realign() {
    AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* control) {
    if (m_alignLevel > 0 || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) {
        m_alignPending = true;
        return;
    }
    m_alignPending = false;
    DisableAlign();
    try {
        TRect rect = ClientRect();
        AlignControls(control, rect);
    } catch (...) {
        --m_alignLevel;
        throw;
    }
    --m_alignLevel;
    if (m_alignPending && m_alignLevel == 0) {
        // One more pass settles what the first one changed (a child that grew, say).
        m_alignPending = false;
        DisableAlign();
        TRect rect = ClientRect();
        try {
            AlignControls(control, rect);
        } catch (...) {
            --m_alignLevel;
            throw;
        }
        --m_alignLevel;
        m_alignPending = false;
    }
}

void TWinControl::AdjustClientRect(TRect& rect) {
    gdi::InflateRect(&rect, -m_borderWidth, -m_borderWidth);
}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
    AdjustClientRect(rect);
    DoAlignChildren(control, rect);
}

void TWinControl::DoAlignChildren(TControl* control, TRect& rect) {
    const TRect client = ClientRect();
    auto shown = [](const TControl* c) {
        return c->Visible() ||
               (c->ComponentState().Contains(csDesigning) && !c->ControlStyle().Contains(csNoDesignVisible));
    };
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (TControl* c : m_controls)
            if (c->Align() == align && shown(c))
                list.push_back(c);
        auto key = [align](const TControl* c) {
            switch (align) {
            case alTop:
                return c->Top();
            case alBottom:
                return -(c->Top() + c->Height());
            case alLeft:
                return c->Left();
            case alRight:
                return -(c->Left() + c->Width());
            default:
                return 0;
            }
        };
        // The control being moved wins a tie, so that it lands where it was dropped.
        std::stable_sort(list.begin(), list.end(), [&](const TControl* a, const TControl* b) {
            if (key(a) != key(b))
                return key(a) < key(b);
            return a == control && b != control;
        });
        for (TControl* c : list) {
            const int w = std::max(0, rect.Width());
            const int h = std::max(0, rect.Height());
            switch (align) {
            case alTop:
                c->AlignBounds(rect.left, rect.top, w, c->Height());
                rect.top += c->Height();
                break;
            case alBottom:
                c->AlignBounds(rect.left, rect.bottom - c->Height(), w, c->Height());
                rect.bottom -= c->Height();
                break;
            case alLeft:
                c->AlignBounds(rect.left, rect.top, c->Width(), h);
                rect.left += c->Width();
                break;
            case alRight:
                c->AlignBounds(rect.right - c->Width(), rect.top, c->Width(), h);
                rect.right -= c->Width();
                break;
            case alClient:
                c->AlignBounds(rect.left, rect.top, w, h);
                break;
            default:
                break;
            }
        }
    }
    for (TControl* c : m_controls) {
        TRect r;
        if (c->Align() == alNone && c->AnchoredBounds(client.Width(), client.Height(), r))
            c->AlignBounds(r.left, r.top, r.Width(), r.Height());
    }
}

void TWinControl::ShowControl(TControl* control) {
    (void)control;
    if (Parent() != nullptr)
        Parent()->ShowControl(this);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    FixTabList();
    Realign();
}

void TWinControl::FixTabList() {}

void TWinControl::SetBorderWidth(int width) {
    if (width == m_borderWidth)
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

// Geometry.

TRect TWinControl::GetClientRect() const {
    if (m_handle != nullptr) {
        const TRect& a = m_handle->ClientArea();
        return TRect{0, 0, a.Width(), a.Height()};
    }
    // Without a window the non-client answer comes from the same message a window would get.
    TRect area{0, 0, Width(), Height()};
    const_cast<TWinControl*>(this)->Perform(win::WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&area));
    return TRect{0, 0, std::max(0, area.Width()), std::max(0, area.Height())};
}

TPoint TWinControl::ClientOrigin() const {
    TPoint p{Left(), Top()};
    if (Parent() != nullptr) {
        TPoint o = Parent()->ClientOrigin();
        p.x += o.x;
        p.y += o.y;
    }
    if (m_handle != nullptr) {
        p.x += m_handle->ClientArea().left;
        p.y += m_handle->ClientArea().top;
    } else {
        TRect area{0, 0, Width(), Height()};
        const_cast<TWinControl*>(this)->Perform(win::WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&area));
        p.x += area.left;
        p.y += area.top;
    }
    return p;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    TControl::SetBounds(left, top, width, height);
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
    SendMessage(m_handle, win::WM_WINDOWPOSCHANGED, 0, 0);
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
    if (m_handle != nullptr) {
        std::uint32_t style = m_handle->Style();
        m_handle->SetStyle(Enabled() ? style & ~win::WS_DISABLED : style | win::WS_DISABLED);
    }
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

void TWinControl::Invalidate() {
    InvalidateControl(Visible(), ControlStyle().Contains(csOpaque));
}

void TWinControl::InvalidateControl(bool, bool isOpaque) {
    if (m_handle != nullptr)
        InvalidateRect(m_handle, nullptr, !isOpaque);
}

void TWinControl::Update() {
    if (m_handle != nullptr)
        UpdateWindow(m_handle);
}

// Focus.

bool TWinControl::Focused() const {
    return m_handle != nullptr && GetFocus() == m_handle;
}

bool TWinControl::CanFocus() const {
    TCustomForm* form = GetParentForm(this);
    if (form == nullptr)
        return false;
    for (const TWinControl* c = this; c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus() {
    if (TCustomForm* form = GetParentForm(this)) {
        form->FocusControl(this);
        return;
    }
    if (Parent() == nullptr && Showing())
        framework::SetFocus(Handle());
}

void TWinControl::SetTabStop(bool tabStop) {
    if (tabStop == m_tabStop)
        return;
    m_tabStop = tabStop;
    if (m_handle != nullptr) {
        std::uint32_t style = m_handle->Style();
        m_handle->SetStyle(tabStop ? style | win::WS_TABSTOP : style & ~win::WS_TABSTOP);
    }
    Perform(win::CM_TABSTOPCHANGED, 0, 0);
}

int TWinControl::TabOrder() const {
    if (Parent() == nullptr)
        return -1;
    const auto& list = Parent()->m_tabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (Parent() == nullptr)
        return;
    auto& list = Parent()->m_tabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end())
        return;
    list.erase(it);
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : m_tabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    const int n = static_cast<int>(list.size());
    auto it = std::find(list.begin(), list.end(), current);
    int start = it == list.end() ? (goForward ? n - 1 : 0) : static_cast<int>(it - list.begin());
    int i = start;
    do {
        i = goForward ? (i + 1) % n : (i + n - 1) % n;
        TWinControl* c = list[static_cast<std::size_t>(i)];
        if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* c = FindNextControl(current, goForward, checkTabStop, !checkTabStop))
        c->SetFocus();
}

void TWinControl::SelectFirst() {
    TCustomForm* form = GetParentForm(this);
    if (form == nullptr)
        return;
    TWinControl* c = FindNextControl(nullptr, true, true, false);
    if (c == nullptr)
        c = FindNextControl(nullptr, true, false, false);
    if (c != nullptr)
        form->SetActiveControl(c);
}

void TWinControl::DoEnter() {
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit)
        OnExit(this);
}

void TWinControl::ScriptType(const std::string& text) {
    if (!Focused()) {
        if (!CanFocus())
            throw EScriptError(Name() + " (" + ClassName() + ") cannot take the focus for typing");
        SetFocus();
    }
    input::TypeText(text);
}

void TWinControl::ScriptKey(std::uint16_t key, TShiftState shift) {
    if (!Focused()) {
        if (!CanFocus())
            throw EScriptError(Name() + " (" + ClassName() + ") cannot take the focus for a key");
        SetFocus();
    }
    input::PressKey(key, shift);
}

// Keyboard.

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift) {
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char32_t& key) {
    if (OnKeyPress)
        OnKeyPress(this, key);
}

bool TWinControl::DoKeyDown(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyDown(m))
        return true;
    auto key = static_cast<std::uint16_t>(m.WParam);
    KeyDown(key, KeyDataToShiftState(m.LParam));
    m.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyUp(m))
        return true;
    auto key = static_cast<std::uint16_t>(m.WParam);
    KeyUp(key, KeyDataToShiftState(m.LParam));
    m.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyPress(m))
        return true;
    auto key = static_cast<char32_t>(m.WParam);
    KeyPress(key);
    m.WParam = key;
    return key == 0;
}

void TWinControl::CNKeyDown(TMessage& m) {
    m.Result = 1;
    if (!ComponentState().Contains(csDesigning)) {
        int mask = 0;
        switch (static_cast<int>(m.WParam)) {
        case win::VK_TAB:
            mask = win::DLGC_WANTTAB;
            break;
        case win::VK_LEFT:
        case win::VK_RIGHT:
        case win::VK_UP:
        case win::VK_DOWN:
            mask = win::DLGC_WANTARROWS;
            break;
        case win::VK_RETURN:
        case win::VK_ESCAPE:
        case win::VK_CANCEL:
            mask = win::DLGC_WANTALLKEYS;
            break;
        default:
            break;
        }
        TCustomForm* form = GetParentForm(this);
        if (mask != 0 && Perform(win::CM_WANTSPECIALKEY, m.WParam, 0) == 0 &&
            (Perform(win::WM_GETDLGCODE, 0, 0) & mask) == 0 && form != nullptr &&
            form->Perform(win::CM_DIALOGKEY, m.WParam, m.LParam) != 0)
            return;
    }
    m.Result = 0;
}

void TWinControl::CNChar(TMessage& m) {
    m.Result = 1;
    if (!ComponentState().Contains(csDesigning)) {
        TCustomForm* form = GetParentForm(this);
        const bool sys = m.Msg == win::CN_SYSCHAR;
        if ((sys || (Perform(win::WM_GETDLGCODE, 0, 0) & win::DLGC_WANTCHARS) == 0) && form != nullptr &&
            form->Perform(win::CM_DIALOGCHAR, m.WParam, m.LParam) != 0)
            return;
    }
    m.Result = 0;
}

namespace {

// Dialog keys and characters go to the branch that holds the focus first, so the innermost
// container around the focused control answers before anything elsewhere.
void RouteToChildren(const std::vector<TControl*>& children, TMessage& m) {
    HWND focus = GetFocus();
    TControl* focused = focus != nullptr ? &focus->Control() : nullptr;
    TControl* first = nullptr;
    for (TControl* c : children)
        if (auto* w = dynamic_cast<TWinControl*>(c);
            w != nullptr && focused != nullptr && w->ContainsControl(focused))
            first = c;
    if (first != nullptr) {
        first->WindowProc(m);
        if (m.Result != 0)
            return;
    }
    for (TControl* c : children) {
        if (c == first)
            continue;
        c->WindowProc(m);
        if (m.Result != 0)
            return;
    }
}

} // namespace

void TWinControl::CMDialogKey(TMessage& m) {
    RouteToChildren(std::vector<TControl*>(m_controls), m);
}

void TWinControl::CMDialogChar(TMessage& m) {
    RouteToChildren(std::vector<TControl*>(m_controls), m);
}

void TWinControl::CMFocusChanged(TMessage& m) {
    Broadcast(m);
}

void TWinControl::CMEnter(TMessage&) {
    DoEnter();
}

void TWinControl::CMExit(TMessage&) {
    DoExit();
}

// Messages.

bool TWinControl::IsControlMouseMsg(TMessage& m) {
    TControl* control = nullptr;
    if (GetCapture() == m_handle && m_handle != nullptr) {
        TControl* capture = GetCaptureControl();
        if (capture != nullptr && capture != this && capture->Parent() == this)
            control = capture;
    } else {
        control = ControlAtPos(LParamToPoint(m.LParam), false);
    }
    if (control == nullptr)
        return false;
    TPoint p = LParamToPoint(m.LParam);
    p.x -= control->Left();
    p.y -= control->Top();
    m.Result = control->Perform(m.Msg, m.WParam, PointToLParam(p));
    return true;
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
    default:
        m.Result = 0;
    }
}

void TWinControl::WMNCCalcSize(TMessage& m) {
    auto* r = reinterpret_cast<TRect*>(m.LParam);
    if (r == nullptr)
        return;
    std::uint32_t style, exStyle;
    if (m_handle != nullptr) {
        style = m_handle->Style();
        exStyle = m_handle->ExStyle();
    } else {
        TCreateParams p;
        CreateParams(p);
        style = p.Style;
        exStyle = p.ExStyle;
    }
    const bool caption = (style & win::WS_CAPTION) == win::WS_CAPTION;
    if (exStyle & win::WS_EX_CLIENTEDGE)
        gdi::InflateRect(r, -2, -2);
    if (style & win::WS_THICKFRAME)
        gdi::InflateRect(r, -4, -4);
    else if (caption || (style & win::WS_DLGFRAME))
        gdi::InflateRect(r, -3, -3);
    else if (style & win::WS_BORDER)
        gdi::InflateRect(r, -1, -1);
    if (caption)
        r->top += gdi::GetSystemMetrics(gdi::SM_CYCAPTION);
    if (style & win::WS_VSCROLL)
        r->right -= gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
    if (style & win::WS_HSCROLL)
        r->bottom -= gdi::GetSystemMetrics(gdi::SM_CYHSCROLL);
    m.Result = 0;
}

void TWinControl::WMNCPaint(TMessage& m) {
    m.Result = 0;
    if (m_handle == nullptr)
        return;
    gdi::HDC dc = GetWindowDC(m_handle);
    const TRect& a = m_handle->ClientArea();
    gdi::ExcludeClipRect(dc, a.left, a.top, a.right, a.bottom);
    TRect r{0, 0, Width(), Height()};
    const std::uint32_t style = m_handle->Style();
    const std::uint32_t exStyle = m_handle->ExStyle();
    if ((style & win::WS_CAPTION) == win::WS_CAPTION || (style & (win::WS_THICKFRAME | win::WS_DLGFRAME))) {
        gdi::DrawEdge(dc, &r, gdi::EDGE_RAISED, gdi::BF_RECT | gdi::BF_ADJUST);
        gdi::HBRUSH face = gdi::GetSysColorBrush(gdi::COLOR_BTNFACE);
        const int inner = (style & win::WS_THICKFRAME) ? 2 : 1;
        for (int i = 0; i < inner; ++i) {
            gdi::FrameRect(dc, &r, face);
            gdi::InflateRect(&r, -1, -1);
        }
        if ((style & win::WS_CAPTION) == win::WS_CAPTION) {
            const int ch = gdi::GetSystemMetrics(gdi::SM_CYCAPTION);
            TRect bar{r.left, r.top, r.right, r.top + ch - 1};
            gdi::HBRUSH b = gdi::CreateSolidBrush(gdi::GetSysColor(gdi::COLOR_ACTIVECAPTION));
            gdi::FillRect(dc, &bar, b);
            gdi::DeleteObject(b);
            TRect line{r.left, r.top + ch - 1, r.right, r.top + ch};
            gdi::FillRect(dc, &line, face);
            PaintCaptionText(dc, bar);
            r.top += ch;
        }
    } else if (exStyle & win::WS_EX_CLIENTEDGE) {
        gdi::DrawEdge(dc, &r, gdi::EDGE_SUNKEN, gdi::BF_RECT | gdi::BF_ADJUST);
    } else if (style & win::WS_BORDER) {
        gdi::HBRUSH frame = gdi::CreateSolidBrush(gdi::GetSysColor(gdi::COLOR_WINDOWFRAME));
        gdi::FrameRect(dc, &r, frame);
        gdi::DeleteObject(frame);
        gdi::InflateRect(&r, -1, -1);
    }
    if (style & win::WS_VSCROLL) {
        const int sw = gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
        TRect bar{a.right, a.top, a.right + sw, a.bottom};
        PaintScrollBar(dc, bar);
    }
    ReleaseDC(m_handle, dc);
}

void TWinControl::PaintCaptionText(gdi::HDC, const TRect&) {}

void TWinControl::PaintScrollBar(gdi::HDC dc, const TRect& bar) {
    gdi::HBRUSH track = gdi::CreateSolidBrush(gdi::GetSysColor(gdi::COLOR_SCROLLBAR));
    gdi::FillRect(dc, &bar, track);
    gdi::DeleteObject(track);
    const int sw = bar.Width();
    TRect up{bar.left, bar.top, bar.right, bar.top + sw};
    TRect down{bar.left, bar.bottom - sw, bar.right, bar.bottom};
    if (bar.Height() >= 2 * sw) {
        gdi::DrawFrameControl(dc, &up, gdi::DFC_SCROLL, gdi::DFCS_SCROLLUP);
        gdi::DrawFrameControl(dc, &down, gdi::DFC_SCROLL, gdi::DFCS_SCROLLDOWN);
    }
}

void TWinControl::WMNCHitTest(TMessage& m) {
    TRect w;
    if (m_handle == nullptr || !GetWindowRect(m_handle, &w)) {
        m.Result = win::HTNOWHERE;
        return;
    }
    TPoint p = LParamToPoint(m.LParam);
    p.x -= w.left;
    p.y -= w.top;
    TRect whole{0, 0, Width(), Height()};
    const TRect& a = m_handle->ClientArea();
    const std::uint32_t style = m_handle->Style();
    if (!gdi::PtInRect(&whole, p)) {
        m.Result = win::HTNOWHERE;
    } else if (gdi::PtInRect(&a, p)) {
        m.Result = win::HTCLIENT;
    } else if ((style & win::WS_VSCROLL) && p.x >= a.right && p.y >= a.top && p.y < a.bottom &&
               p.x < a.right + gdi::GetSystemMetrics(gdi::SM_CXVSCROLL)) {
        m.Result = win::HTVSCROLL;
    } else if ((style & win::WS_CAPTION) == win::WS_CAPTION && p.y < a.top &&
               p.y >= a.top - gdi::GetSystemMetrics(gdi::SM_CYCAPTION) && p.x >= a.left && p.x < a.right) {
        m.Result = win::HTCAPTION;
    } else if ((style & (win::WS_BORDER | win::WS_THICKFRAME | win::WS_DLGFRAME)) ||
               (m_handle->ExStyle() & win::WS_EX_CLIENTEDGE)) {
        m.Result = win::HTBORDER;
    } else {
        // Non-client area that is no border (a derived control's own frame, say).
        m.Result = win::HTNOWHERE;
    }
}

namespace {
int& CurrentCursorSlot() {
    static int cursor = 0;
    return cursor;
}
} // namespace

int CurrentCursor() {
    return CurrentCursorSlot();
}

void TWinControl::WMSetCursor(TMessage& m) {
    // The parent has the first say, as the default window procedure gives it.
    if (Parent() != nullptr && Parent()->HandleAllocated()) {
        m.Result = Parent()->Perform(win::WM_SETCURSOR, m.WParam, m.LParam);
        if (m.Result != 0)
            return;
    }
    if (m_handle == nullptr || reinterpret_cast<HWND>(m.WParam) != m_handle) {
        m.Result = 0;
        return;
    }
    const int hit = static_cast<std::int16_t>(m.LParam & 0xFFFF);
    if (hit != win::HTCLIENT) {
        CurrentCursorSlot() = 0;
        m.Result = 0;
        return;
    }
    int cursor = Screen() != nullptr ? Screen()->Cursor() : 0;
    if (cursor == 0) {
        TPoint p;
        GetCursorPos(&p);
        p = ScreenToClient(p);
        TControl* c = ControlAtPos(p, false);
        cursor = c != nullptr ? c->Cursor() : Cursor();
    }
    CurrentCursorSlot() = cursor;
    m.Result = 1;
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
    auto dc = reinterpret_cast<gdi::HDC>(m.WParam);
    if (dc == nullptr) {
        m.Result = 0;
        return;
    }
    TRect r = ClientRect();
    gdi::HBRUSH brush = gdi::CreateSolidBrush(gdi::ColorToRGB(Color()));
    gdi::FillRect(dc, &r, brush);
    gdi::DeleteObject(brush);
    m.Result = 1;
}

void TWinControl::WMPaint(TMessage& m) {
    if (m.WParam != 0) {
        PaintHandler(m);
        return;
    }
    if (m_handle == nullptr)
        return;
    TPaintStruct ps;
    gdi::HDC dc = BeginPaint(m_handle, ps);
    if (m_doubleBuffered) {
        const TRect c = ClientRect();
        gdi::HDC mem = gdi::CreateCompatibleDC(dc);
        gdi::HBITMAP bmp = gdi::CreateCompatibleBitmap(dc, std::max(1, c.Width()), std::max(1, c.Height()));
        gdi::HGDIOBJ old = gdi::SelectObject(mem, bmp);
        // Copy what is on the window first, so that areas outside the update keep their pixels.
        gdi::BitBlt(mem, 0, 0, c.Width(), c.Height(), dc, 0, 0, gdi::SRCCOPY);
        Perform(win::WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), reinterpret_cast<LPARAM>(mem));
        Perform(win::WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
        gdi::BitBlt(dc, 0, 0, c.Width(), c.Height(), mem, 0, 0, gdi::SRCCOPY);
        gdi::SelectObject(mem, old);
        gdi::DeleteObject(bmp);
        gdi::DeleteDC(mem);
    } else {
        TMessage paint{win::WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
        PaintHandler(paint);
    }
    EndPaint(m_handle, ps);
    m.Result = 0;
}

void TWinControl::PaintHandler(TMessage& m) {
    auto dc = reinterpret_cast<gdi::HDC>(m.WParam);
    if (dc == nullptr)
        return;
    int saved = gdi::SaveDC(dc);
    bool anyLeft = true;
    for (TControl* c : m_controls) {
        if (c->IsWindowed() || !c->Visible() || !c->ControlStyle().Contains(csOpaque))
            continue;
        if (gdi::ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()) ==
            gdi::NULLREGION) {
            anyLeft = false;
            break;
        }
    }
    if (anyLeft)
        PaintWindow(dc);
    gdi::RestoreDC(dc, saved);
    PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(gdi::HDC dc) {
    TMessage m{win::WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(gdi::HDC dc, TControl* first) {
    auto it = first == nullptr ? m_controls.begin() : std::find(m_controls.begin(), m_controls.end(), first);
    for (; it != m_controls.end(); ++it) {
        TControl* c = *it;
        if (c->IsWindowed())
            continue;
        const bool shown = c->Visible() || (c->ComponentState().Contains(csDesigning) &&
                                            !c->ControlStyle().Contains(csNoDesignVisible));
        if (!shown)
            continue;
        TRect r = c->BoundsRect();
        if (!gdi::RectVisible(dc, &r))
            continue;
        int saved = gdi::SaveDC(dc);
        gdi::OffsetViewportOrgEx(dc, c->Left(), c->Top(), nullptr);
        gdi::IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(win::WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        gdi::RestoreDC(dc, saved);
    }
}

void TWinControl::PaintTo(gdi::HDC dc, int x, int y) {
    int saved = gdi::SaveDC(dc);
    gdi::OffsetViewportOrgEx(dc, x, y, nullptr);
    TRect c = ClientRect();
    gdi::IntersectClipRect(dc, 0, 0, c.Width(), c.Height());
    Perform(win::WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
    Perform(win::WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    for (TControl* child : m_controls)
        if (auto* w = dynamic_cast<TWinControl*>(child); w != nullptr && w->Visible())
            w->PaintTo(dc, w->Left(), w->Top());
    gdi::RestoreDC(dc, saved);
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
