#include "platform/framework/Controls.h"

#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"
#include "platform/framework/TypInfo.h"
#include "platform/framework/WinControl.h"
#include "platform/rtl/Text.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>
#include <limits>

namespace framework {

const TEnumInfo AlignInfo{"TAlign",
                          {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"}};
const TEnumInfo AnchorKindInfo{"TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"}};
const TEnumInfo AlignmentInfo{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
const TEnumInfo LeftRightInfo{"TLeftRight", {"taLeftJustify", "taRightJustify"}};
const TEnumInfo TextLayoutInfo{"TTextLayout", {"tlTop", "tlCenter", "tlBottom"}};
const TEnumInfo BiDiModeInfo{
    "TBiDiMode", {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"}};
const TEnumInfo BorderStyleInfo{"TBorderStyle", {"bsNone", "bsSingle"}};

namespace {

TControl*& CaptureControlSlot() {
    static TControl* control = nullptr;
    return control;
}

} // namespace

TControl* GetCaptureControl() {
    TControl* c = CaptureControlSlot();
    if (c == nullptr)
        return nullptr;
    HWND capture = GetCapture();
    if (capture == nullptr) {
        CaptureControlSlot() = nullptr;
        return nullptr;
    }
    return c;
}

void SetCaptureControl(TControl* control) {
    CaptureControlSlot() = nullptr;
    if (control == nullptr) {
        ReleaseCapture();
        return;
    }
    TWinControl* window = control->IsWindowed() ? static_cast<TWinControl*>(control) : control->Parent();
    if (window == nullptr)
        return;
    SetCapture(window->Handle());
    CaptureControlSlot() = control;
}

TCustomForm* GetParentForm(const TControl* control) {
    const TControl* c = control;
    while (c != nullptr && c->Parent() != nullptr)
        c = c->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

bool IsAccel(char32_t key, const std::string& caption) {
    std::u32string text = rtl::Utf8ToCodePoints(caption);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != U'&')
            continue;
        if (text[i + 1] == U'&') {
            ++i;
            continue;
        }
        auto lower = [](char32_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        return lower(text[i + 1]) == lower(key);
    }
    return false;
}

TShiftState KeysToShiftState(WPARAM keys) {
    TShiftState s;
    if (keys & win::MK_SHIFT)
        s.Include(ssShift);
    if (keys & win::MK_CONTROL)
        s.Include(ssCtrl);
    if (keys & win::MK_LBUTTON)
        s.Include(ssLeft);
    if (keys & win::MK_RBUTTON)
        s.Include(ssRight);
    if (keys & win::MK_MBUTTON)
        s.Include(ssMiddle);
    if (GetKeyState(win::VK_MENU) < 0)
        s.Include(ssAlt);
    return s;
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
    TShiftState s;
    if (GetKeyState(win::VK_SHIFT) < 0)
        s.Include(ssShift);
    if (GetKeyState(win::VK_CONTROL) < 0)
        s.Include(ssCtrl);
    if (static_cast<std::uint32_t>(keyData) & win::KF_ALTDOWN_DATA)
        s.Include(ssAlt);
    return s;
}

void TSizeConstraints::SetMinWidth(int v) {
    if (v == m_minWidth)
        return;
    m_minWidth = v;
    Change();
}
void TSizeConstraints::SetMinHeight(int v) {
    if (v == m_minHeight)
        return;
    m_minHeight = v;
    Change();
}
void TSizeConstraints::SetMaxWidth(int v) {
    if (v == m_maxWidth)
        return;
    m_maxWidth = v;
    Change();
}
void TSizeConstraints::SetMaxHeight(int v) {
    if (v == m_maxHeight)
        return;
    m_maxHeight = v;
    Change();
}

void TSizeConstraints::Assign(const TPersistent* source) {
    if (const auto* c = dynamic_cast<const TSizeConstraints*>(source)) {
        m_minWidth = c->m_minWidth;
        m_minHeight = c->m_minHeight;
        m_maxWidth = c->m_maxWidth;
        m_maxHeight = c->m_maxHeight;
        Change();
        return;
    }
    TPersistent::Assign(source);
}

void TSizeConstraints::Constrain(int& width, int& height) const {
    if (m_maxWidth > 0 && width > m_maxWidth)
        width = m_maxWidth;
    if (m_maxHeight > 0 && height > m_maxHeight)
        height = m_maxHeight;
    width = std::max(width, m_minWidth);
    height = std::max(height, m_minHeight);
}

void TSizeConstraints::Change() {
    if (OnChange)
        OnChange(this);
}

TControlActionLink::TControlActionLink(TControl* client) : TActionLink(client), m_control(client) {}

namespace {
TCustomAction* CustomAction(const TBasicActionLink& link) {
    return dynamic_cast<TCustomAction*>(link.Action());
}
} // namespace

bool TControlActionLink::IsCaptionLinked() const {
    TCustomAction* a = CustomAction(*this);
    return TActionLink::IsCaptionLinked() && a != nullptr && m_control->Caption() == a->Caption();
}
bool TControlActionLink::IsEnabledLinked() const {
    TCustomAction* a = CustomAction(*this);
    return TActionLink::IsEnabledLinked() && a != nullptr && m_control->Enabled() == a->Enabled();
}
bool TControlActionLink::IsHintLinked() const {
    TCustomAction* a = CustomAction(*this);
    return TActionLink::IsHintLinked() && a != nullptr && m_control->Hint() == a->Hint();
}
bool TControlActionLink::IsVisibleLinked() const {
    TCustomAction* a = CustomAction(*this);
    return TActionLink::IsVisibleLinked() && a != nullptr && m_control->Visible() == a->Visible();
}
void TControlActionLink::SetCaption(const std::string& value) {
    if (IsCaptionLinked())
        m_control->SetCaption(value);
}
void TControlActionLink::SetEnabled(bool value) {
    if (IsEnabledLinked())
        m_control->SetEnabled(value);
}
void TControlActionLink::SetHint(const std::string& value) {
    if (IsHintLinked())
        m_control->SetHint(value);
}
void TControlActionLink::SetVisible(bool value) {
    if (IsVisibleLinked())
        m_control->SetVisible(value);
}

TControl::TControl(TComponent* owner) : TComponent(owner), m_font(std::make_unique<TFont>()) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
    m_font->OnChange = [this](TObject*) {
        if (!m_fontFromParent)
            m_parentFont = false;
        Perform(win::CM_FONTCHANGED, 0, 0);
    };
    m_constraints.OnChange = [this](TObject*) { SetBounds(m_left, m_top, m_width, m_height); };
}

TControl::~TControl() {
    input::ForgetControl(this);
    if (CaptureControlSlot() == this)
        CaptureControlSlot() = nullptr;
    if (m_actionLink)
        m_actionLink->SetAction(nullptr);
    SetParent(nullptr);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    if (WindowProc)
        WindowProc(m);
    else
        WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& m) {
    // Without csDoubleClicks the second press of a double click is a plain press.
    if (!m_controlStyle.Contains(csDoubleClicks) &&
        (m.Msg == win::WM_LBUTTONDBLCLK || m.Msg == win::WM_RBUTTONDBLCLK || m.Msg == win::WM_MBUTTONDBLCLK))
        m.Msg -= win::WM_LBUTTONDBLCLK - win::WM_LBUTTONDOWN;
    if (IsMouseButtonOrMoveMessage(m.Msg)) {
        WMMouseButton(m);
        return;
    }
    switch (m.Msg) {
    case win::WM_MOUSEWHEEL:
    case win::CM_MOUSEWHEEL:
        WMMouseWheel(m);
        return;
    case win::CM_COLORCHANGED:
        CMColorChanged(m);
        return;
    case win::CM_PARENTCOLORCHANGED:
        CMParentColorChanged(m);
        return;
    case win::CM_PARENTFONTCHANGED:
        CMParentFontChanged(m);
        return;
    case win::CM_FONTCHANGED:
        CMFontChanged(m);
        return;
    case win::CM_TEXTCHANGED:
        CMTextChanged(m);
        return;
    case win::CM_ENABLEDCHANGED:
        CMEnabledChanged(m);
        return;
    case win::CM_VISIBLECHANGED:
        CMVisibleChanged(m);
        return;
    case win::CM_MOUSEENTER:
    case win::CM_MOUSELEAVE:
    case win::CM_DESIGNHITTEST:
    case win::CM_FOCUSCHANGED:
        m.Result = 0;
        return;
    case win::CM_HITTEST:
        m.Result = win::HTCLIENT;
        return;
    default:
        DefaultHandler(m);
    }
}

void TControl::DefaultHandler(TMessage& m) {
    m.Result = 0;
}

void TControl::WMMouseButton(TMessage& m) {
    const TPoint p = LParamToPoint(m.LParam);
    const TShiftState shift = KeysToShiftState(m.WParam);
    auto down = [&](TMouseButton button, bool dbl) {
        SendCancelMode();
        if (m_controlStyle.Contains(csCaptureMouse))
            SetMouseCapture(true);
        if (button == mbLeft && m_controlStyle.Contains(csClickEvents))
            m_controlState.Include(csClicked);
        TShiftState s = shift;
        if (dbl) {
            s.Include(ssDouble);
            if (button == mbLeft)
                DblClick();
        }
        MouseDown(button, s, p.x, p.y);
    };
    auto up = [&](TMouseButton button) {
        if (m_controlStyle.Contains(csCaptureMouse) && button == mbLeft)
            SetMouseCapture(false);
        if (button == mbLeft && m_controlState.Contains(csClicked)) {
            m_controlState.Exclude(csClicked);
            TRect client = ClientRect();
            if (gdi::PtInRect(&client, p))
                Click();
        }
        MouseUp(button, shift, p.x, p.y);
    };
    switch (m.Msg) {
    case win::WM_LBUTTONDOWN:
        down(mbLeft, false);
        break;
    case win::WM_LBUTTONDBLCLK:
        down(mbLeft, true);
        break;
    case win::WM_RBUTTONDOWN:
        down(mbRight, false);
        break;
    case win::WM_RBUTTONDBLCLK:
        down(mbRight, true);
        break;
    case win::WM_MBUTTONDOWN:
        down(mbMiddle, false);
        break;
    case win::WM_MBUTTONDBLCLK:
        down(mbMiddle, true);
        break;
    case win::WM_LBUTTONUP:
        up(mbLeft);
        break;
    case win::WM_RBUTTONUP:
        up(mbRight);
        break;
    case win::WM_MBUTTONUP:
        up(mbMiddle);
        break;
    case win::WM_MOUSEMOVE:
        MouseMove(shift, p.x, p.y);
        break;
    default:
        break;
    }
    m.Result = 0;
}

void TControl::WMMouseWheel(TMessage& m) {
    const int delta = HighWordSigned(m.WParam);
    const TShiftState shift = KeysToShiftState(static_cast<WPARAM>(LowWord(m.WParam)));
    const TPoint pos = LParamToPoint(m.LParam);
    if (DoMouseWheel(shift, delta, pos)) {
        m.Result = 1;
        return;
    }
    // Unhandled wheel messages climb to the parent.
    if (m_parent != nullptr)
        m.Result = m_parent->Perform(win::CM_MOUSEWHEEL, m.WParam, m.LParam);
}

void TControl::SendCancelMode() {
    if (TCustomForm* form = GetParentForm(this))
        (void)form;
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    if (!handled) {
        if (wheelDelta < 0)
            handled = DoMouseWheelDown(shift, mousePos);
        else if (wheelDelta > 0)
            handled = DoMouseWheelUp(shift, mousePos);
    }
    return handled;
}
bool TControl::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(this, shift, mousePos, handled);
    return handled;
}
bool TControl::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(this, shift, mousePos, handled);
    return handled;
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
    else if (m_actionLink && m_actionLink->Action() != nullptr)
        m_actionLink->Execute(this);
}

void TControl::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

TComponent* TControl::GetParentComponent() const {
    return m_parent;
}

void TControl::SetParentComponent(TComponent* parent) {
    if (parent == nullptr) {
        SetParent(nullptr);
        return;
    }
    auto* p = dynamic_cast<TWinControl*>(parent);
    if (p == nullptr)
        throw EInvalidOperation("Control " + Name() + " cannot have " + parent->Name() + " (" +
                                parent->ClassName() + ") as its parent");
    SetParent(p);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == m_parent)
        return;
    if (parent == this)
        throw EInvalidOperation("A control cannot be its own parent");
    if (m_parent != nullptr)
        m_parent->RemoveControl(this);
    if (parent != nullptr)
        parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    m_constraints.Constrain(width, height);
    // Edges beyond the integer range could be neither drawn nor hit nor aligned.
    auto fits = [](std::int64_t edge) {
        return edge >= std::numeric_limits<int>::min() && edge <= std::numeric_limits<int>::max();
    };
    if (!fits(std::int64_t(left) + width) || !fits(std::int64_t(top) + height))
        throw rtl::ERangeError("Control bounds out of range: " + std::to_string(left) + ", " +
                               std::to_string(top) + ", " + std::to_string(width) + " x " +
                               std::to_string(height));
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    if ((width != m_width || height != m_height) && !CanResize(width, height))
        return;
    const TRect old = BoundsRect();
    ApplyBounds(TRect{left, top, left + width, top + height});
    if (!m_anchorMove)
        UpdateAnchorRules();
    if (old.Width() != width || old.Height() != height)
        Resize();
    RequestAlign();
}

void TControl::ApplyBounds(const TRect& bounds) {
    UpdateBoundsRect(bounds);
}

void TControl::UpdateBoundsRect(const TRect& bounds) {
    const TRect old = BoundsRect();
    m_left = bounds.left;
    m_top = bounds.top;
    m_width = bounds.Width();
    m_height = bounds.Height();
    BoundsChanged(old);
}

void TControl::BoundsChanged(const TRect& oldBounds) {
    if (m_parent != nullptr && m_parent->HandleAllocated() && (Visible() || oldBounds != BoundsRect())) {
        HWND h = m_parent->Handle();
        InvalidateRect(h, &oldBounds, true);
        TRect now = BoundsRect();
        InvalidateRect(h, &now, !m_controlStyle.Contains(csOpaque));
    }
}

void TControl::AlignBounds(int left, int top, int width, int height) {
    m_anchorMove = true;
    try {
        SetBounds(left, top, width, height);
    } catch (...) {
        m_anchorMove = false;
        throw;
    }
    m_anchorMove = false;
}

void TControl::UpdateAnchorRules() {
    if (m_parent == nullptr) {
        m_anchorParentSize = TPoint{-1, -1};
        return;
    }
    TRect client = m_parent->ClientRect();
    m_anchorParentSize = TPoint{client.Width(), client.Height()};
    m_anchorOrigin = BoundsRect();
}

bool TControl::AnchoredBounds(int parentWidth, int parentHeight, TRect& bounds) const {
    if (m_align != alNone || m_anchorParentSize.x < 0 || m_anchors == TAnchors{akLeft, akTop})
        return false;
    const int dw = parentWidth - m_anchorParentSize.x;
    const int dh = parentHeight - m_anchorParentSize.y;
    TRect r = m_anchorOrigin;
    const bool l = m_anchors.Contains(akLeft), rt = m_anchors.Contains(akRight);
    const bool t = m_anchors.Contains(akTop), b = m_anchors.Contains(akBottom);
    if (l && rt)
        r.right += dw;
    else if (rt)
        gdi::OffsetRect(&r, dw, 0);
    else if (!l)
        gdi::OffsetRect(&r, dw / 2, 0);
    if (t && b)
        r.bottom += dh;
    else if (b)
        gdi::OffsetRect(&r, 0, dh);
    else if (!t)
        gdi::OffsetRect(&r, 0, dh / 2);
    bounds = r;
    return true;
}

void TControl::RequestAlign() {
    if (m_parent != nullptr)
        m_parent->AlignControl(this);
}

void TControl::Resize() {
    if (OnResize)
        OnResize(this);
}

bool TControl::CanResize(int& newWidth, int& newHeight) {
    bool resize = true;
    if (OnCanResize)
        OnCanResize(this, newWidth, newHeight, resize);
    return resize;
}

bool TControl::CanAutoSize(int&, int&) {
    return false;
}

void TControl::AdjustSize() {
    if (!m_autoSize)
        return;
    int w = m_width, h = m_height;
    if (CanAutoSize(w, h))
        SetBounds(m_left, m_top, w, h);
}

TRect TControl::GetClientRect() const {
    return TRect{0, 0, m_width, m_height};
}

void TControl::SetInitialSize(int width, int height) {
    m_defaultSize = TPoint{width, height};
    SetBounds(m_left, m_top, width, height);
}

void TControl::SetClientWidth(int v) {
    SetWidth(m_width - ClientWidth() + v);
}
void TControl::SetClientHeight(int v) {
    SetHeight(m_height - ClientHeight() + v);
}

TPoint TControl::ClientOrigin() const {
    if (m_parent == nullptr)
        return TPoint{m_left, m_top};
    TPoint p = m_parent->ClientOrigin();
    return TPoint{p.x + m_left, p.y + m_top};
}

TPoint TControl::ClientToScreen(TPoint p) const {
    TPoint o = ClientOrigin();
    return TPoint{p.x + o.x, p.y + o.y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    TPoint o = ClientOrigin();
    return TPoint{p.x - o.x, p.y - o.y};
}

void TControl::SetAlign(TAlign align) {
    if (align == m_align)
        return;
    TAlign old = m_align;
    m_align = align;
    m_anchors = align == alLeft     ? TAnchors{akLeft, akTop, akBottom}
                : align == alRight  ? TAnchors{akRight, akTop, akBottom}
                : align == alTop    ? TAnchors{akLeft, akTop, akRight}
                : align == alBottom ? TAnchors{akLeft, akRight, akBottom}
                : align == alClient ? TAnchors{akLeft, akTop, akRight, akBottom}
                                    : m_anchors;
    if (old != alNone && align == alNone)
        m_anchors = TAnchors{akLeft, akTop};
    RequestAlign();
}

void TControl::SetAnchors(TAnchors anchors) {
    if (anchors == m_anchors)
        return;
    m_anchors = anchors;
    UpdateAnchorRules();
}

void TControl::SetAutoSize(bool autoSize) {
    if (autoSize == m_autoSize)
        return;
    m_autoSize = autoSize;
    if (autoSize)
        AdjustSize();
}

void TControl::ChangeScale(int m, int d) {
    if (m == d || d == 0)
        return;
    SetBounds(m_left * m / d, m_top * m / d, m_width * m / d, m_height * m / d);
}

void TControl::SetVisible(bool visible) {
    if (visible == m_visible)
        return;
    VisibleChanging();
    m_visible = visible;
    Perform(win::CM_VISIBLECHANGED, visible ? 1 : 0, 0);
    RequestAlign();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    Perform(win::CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetText(const std::string& text) {
    if (text == m_text)
        return;
    m_text = text;
    Perform(win::CM_TEXTCHANGED, 0, 0);
}

void TControl::SetColor(TColor color) {
    if (color == m_color)
        return;
    m_color = color;
    m_parentColor = false;
    Perform(win::CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool parentColor) {
    if (parentColor == m_parentColor)
        return;
    m_parentColor = parentColor;
    if (m_parent != nullptr && !ComponentState().Contains(csReading))
        Perform(win::CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::ApplyParentColor() {
    if (m_parentColor && m_parent != nullptr && m_parent->Color() != m_color) {
        m_color = m_parent->Color();
        Perform(win::CM_COLORCHANGED, 0, 0);
    }
}

void TControl::SetParentFont(bool parentFont) {
    if (parentFont == m_parentFont)
        return;
    m_parentFont = parentFont;
    if (m_parent != nullptr && !ComponentState().Contains(csReading))
        Perform(win::CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool showHint) {
    m_showHint = showHint;
    m_parentShowHint = false;
}

void TControl::SetParentShowHint(bool parentShowHint) {
    m_parentShowHint = parentShowHint;
    if (parentShowHint && m_parent != nullptr)
        m_showHint = m_parent->ShowHint();
}

void TControl::SetPopupMenu(TComponent* menu) {
    m_popupMenu = menu;
    if (menu != nullptr)
        menu->FreeNotification(this);
}

void TControl::SetBiDiMode(TBiDiMode mode) {
    if (mode == m_biDiMode)
        return;
    m_biDiMode = mode;
    Perform(win::CM_BIDIMODECHANGED, 0, 0);
}

void TControl::CMColorChanged(TMessage&) {
    Invalidate();
}

void TControl::CMParentColorChanged(TMessage& m) {
    if (m_parentColor && m_parent != nullptr) {
        // The parent's colour comes in wParam when the parent sends it, else it is asked for.
        TColor c = m.WParam != 0 ? static_cast<TColor>(m.LParam) : m_parent->Color();
        if (c != m_color) {
            m_color = c;
            Perform(win::CM_COLORCHANGED, 0, 0);
        }
    }
}

void TControl::CMParentFontChanged(TMessage&) {
    if (!m_parentFont || m_parent == nullptr)
        return;
    m_fontFromParent = true;
    try {
        m_font->Assign(m_parent->Font());
    } catch (...) {
        m_fontFromParent = false;
        throw;
    }
    m_fontFromParent = false;
}

void TControl::CMFontChanged(TMessage&) {
    Invalidate();
}

void TControl::CMTextChanged(TMessage&) {
    Invalidate();
}

void TControl::CMEnabledChanged(TMessage&) {
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage&) {
    InvalidateControl(true, false);
}

bool TControl::Showing() const {
    if (!m_visible &&
        !(ComponentState().Contains(csDesigning) && !m_controlStyle.Contains(csNoDesignVisible)))
        return false;
    if (m_parent == nullptr)
        return IsWindowed() && dynamic_cast<const TCustomForm*>(this) != nullptr;
    return m_parent->Showing();
}

void TControl::Invalidate() {
    InvalidateControl(Visible(), m_controlStyle.Contains(csOpaque));
}

void TControl::InvalidateControl(bool, bool isOpaque) {
    if (m_parent == nullptr || !m_parent->HandleAllocated())
        return;
    TRect r = BoundsRect();
    InvalidateRect(m_parent->Handle(), &r, !isOpaque);
}

void TControl::Repaint() {
    if (m_parent == nullptr || !m_parent->HandleAllocated())
        return;
    Invalidate();
    // A windowed control paints its own window; a windowless one is painted by its parent's.
    Update();
}

void TControl::Update() {
    if (m_parent != nullptr)
        m_parent->Update();
}

void TControl::BringToFront() {
    if (m_parent != nullptr)
        m_parent->MoveChild(this, m_parent->ControlCount() - 1);
}

void TControl::SendToBack() {
    if (m_parent != nullptr)
        m_parent->MoveChild(this, 0);
}

bool TControl::MouseCapture() const {
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool capture) {
    if (capture == MouseCapture())
        return;
    SetCaptureControl(capture ? this : nullptr);
}

TBasicAction* TControl::Action() const {
    return m_actionLink ? m_actionLink->Action() : nullptr;
}

void TControl::SetAction(TBasicAction* action) {
    if (action == nullptr) {
        m_actionLink.reset();
        return;
    }
    if (!m_actionLink)
        m_actionLink = GetActionLinkClass()(this);
    m_actionLink->SetAction(action);
    action->FreeNotification(this);
    ActionChange(action, ComponentState().Contains(csLoading));
}

TControlActionLinkClass TControl::GetActionLinkClass() const {
    return &NewActionLink<TControlActionLink>;
}

void TControl::ActionChange(TObject* sender, bool checkDefaults) {
    auto* a = dynamic_cast<TCustomAction*>(sender);
    if (a == nullptr)
        return;
    if (!checkDefaults || m_text.empty())
        SetCaption(a->Caption());
    if (!checkDefaults || m_enabled)
        SetEnabled(a->Enabled());
    if (!checkDefaults || m_hint.empty())
        SetHint(a->Hint());
    if (!checkDefaults || m_visible)
        SetVisible(a->Visible());
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (m_parent != nullptr) {
        if (m_parentColor)
            ApplyParentColor();
    }
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == m_popupMenu)
        m_popupMenu = nullptr;
    if (m_actionLink && component == m_actionLink->Action())
        m_actionLink.reset();
}

namespace {

template <class T> TClassBuilder<T> ControlProperties(TClassBuilder<T> b) {
    return b.Integer("Left", &T::Left, &T::SetLeft, 0)
        .Integer("Top", &T::Top, &T::SetTop, 0)
        .Integer("Width", &T::Width, &T::SetWidth)
        .Stored(&T::IsWidthStored)
        .Integer("Height", &T::Height, &T::SetHeight)
        .Stored(&T::IsHeightStored)
        .Enum("Align", &T::Align, &T::SetAlign, AlignInfo, std::optional<TAlign>(alNone))
        .Set("Anchors", &T::Anchors, &T::SetAnchors, AnchorKindInfo,
             std::optional<TAnchors>(TAnchors{akLeft, akTop}))
        .Boolean("AutoSize", &T::AutoSize, &T::SetAutoSize, false)
        .Object("Constraints", &T::Constraints)
        .String("Caption", &T::Caption, &T::SetCaption)
        .Color("Color", &T::Color, &T::SetColor)
        .Stored(&T::IsColorStored)
        .Boolean("ParentColor", &T::ParentColor, &T::SetParentColor, false)
        .Object("Font", &T::Font)
        .Stored(&T::IsFontStored)
        .Boolean("ParentFont", &T::ParentFont, &T::SetParentFont, true)
        .Boolean("Enabled", &T::Enabled, &T::SetEnabled, true)
        .Boolean("Visible", &T::Visible, &T::SetVisible)
        .Stored(&T::IsVisibleStored)
        .String("Hint", &T::Hint, &T::SetHint)
        .Boolean("ShowHint", &T::ShowHint, &T::SetShowHint, false)
        .Boolean("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint, true)
        .String("HelpKeyword", &T::HelpKeyword, &T::SetHelpKeyword)
        .Component("PopupMenu", &T::PopupMenu, &T::SetPopupMenu)
        .Component("Action", &T::Action, &T::SetAction)
        .Enum("BiDiMode", &T::BiDiMode, &T::SetBiDiMode, BiDiModeInfo,
              std::optional<TBiDiMode>(bdLeftToRight))
        .Integer("Cursor", &T::Cursor, &T::SetCursor, 0)
        .Event("OnClick", &T::OnClick)
        .Event("OnDblClick", &T::OnDblClick)
        .Event("OnMouseDown", &T::OnMouseDown)
        .Event("OnMouseMove", &T::OnMouseMove)
        .Event("OnMouseUp", &T::OnMouseUp)
        .Event("OnMouseWheel", &T::OnMouseWheel)
        .Event("OnMouseWheelDown", &T::OnMouseWheelDown)
        .Event("OnMouseWheelUp", &T::OnMouseWheelUp)
        .Event("OnResize", &T::OnResize)
        .Event("OnCanResize", &T::OnCanResize);
}

[[maybe_unused]] const auto registerConstraints =
    RegisterClass<TSizeConstraints, TPersistent>("TSizeConstraints")
        .Integer("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight, 0)
        .Integer("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth, 0)
        .Integer("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight, 0)
        .Integer("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth, 0);
[[maybe_unused]] const auto registerControl =
    ControlProperties(RegisterClass<TControl, TComponent>("TControl"));

} // namespace

} // namespace framework
