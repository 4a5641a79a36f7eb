#include "platform/framework/StdCtrls.h"

#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"

namespace framework {

TButton::TButton(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetInitialColor(gdi::clBtnFace);
    SetInitialSize(75, 25);
    SetTabStop(true);
}

void TButton::SetDefault(bool value) {
    if (value == m_default)
        return;
    m_default = value;
    HWND focus = GetFocus();
    if (focus == nullptr || dynamic_cast<TButton*>(&focus->Control()) == nullptr)
        m_active = value;
    Invalidate();
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this))
        form->SetModalResult(m_modalResult);
    TCustomControl::Click();
}

void TButton::SetPressed(bool pressed) {
    if (pressed == m_pressed)
        return;
    m_pressed = pressed;
    Invalidate();
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        if (CanFocus() && !Focused())
            SetFocus();
        m_tracking = true;
        SetPressed(true);
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TButton::MouseMove(TShiftState shift, int x, int y) {
    if (m_tracking) {
        TRect r = ClientRect();
        SetPressed(gdi::PtInRect(&r, TPoint{x, y}));
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        m_tracking = false;
        SetPressed(false);
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TButton::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (key == win::VK_SPACE)
        SetPressed(true);
    TCustomControl::KeyDown(key, shift);
}

void TButton::KeyUp(std::uint16_t& key, TShiftState shift) {
    if (key == win::VK_SPACE && m_pressed) {
        SetPressed(false);
        Click();
    }
    TCustomControl::KeyUp(key, shift);
}

void TButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case win::WM_GETDLGCODE:
        m.Result = win::DLGC_BUTTON | (m_active ? win::DLGC_DEFPUSHBUTTON : win::DLGC_UNDEFPUSHBUTTON);
        return;
    case win::CM_DIALOGKEY:
        if (((m.WParam == win::VK_RETURN && m_active) || (m.WParam == win::VK_ESCAPE && m_cancel)) &&
            KeyDataToShiftState(m.LParam).Empty() && CanFocus()) {
            Click();
            m.Result = 1;
            return;
        }
        break;
    case win::CM_DIALOGCHAR:
        if (IsAccel(static_cast<char32_t>(m.WParam), Caption()) && CanFocus()) {
            Click();
            m.Result = 1;
            return;
        }
        break;
    case win::CM_FOCUSCHANGED: {
        auto* sender = reinterpret_cast<TWinControl*>(m.LParam);
        const bool wasActive = m_active;
        m_active = dynamic_cast<TButton*>(sender) != nullptr ? sender == this : m_default;
        if (wasActive != m_active)
            Invalidate();
        break;
    }
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS:
        TCustomControl::WndProc(m);
        Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

void TButton::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    gdi::HDC dc = c->Handle();
    if (m_active) {
        c->Brush()->SetColor(gdi::clWindowFrame);
        c->FrameRect(r);
        gdi::InflateRect(&r, -1, -1);
    }
    TRect face = r;
    gdi::DrawFrameControl(dc, &face, gdi::DFC_BUTTON,
                          gdi::DFCS_BUTTONPUSH | (m_pressed ? unsigned{gdi::DFCS_PUSHED} : 0u));
    c->Font()->Assign(Font());
    if (!Enabled())
        c->Font()->SetColor(gdi::clGrayText);
    c->Brush()->SetStyle(bsClear);
    TRect text = r;
    if (m_pressed)
        gdi::OffsetRect(&text, 1, 1);
    c->Refresh();
    gdi::SetBkMode(c->Handle(), gdi::TRANSPARENT);
    gdi::SetTextColor(c->Handle(), gdi::ColorToRGB(c->Font()->Color()));
    gdi::HGDIOBJ old = gdi::SelectObject(c->Handle(), c->Font()->Handle());
    gdi::DrawText(c->Handle(), Caption(), &text, gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_SINGLELINE);
    gdi::SelectObject(c->Handle(), old);
    if (Focused()) {
        TRect f = r;
        gdi::InflateRect(&f, -4, -4);
        c->DrawFocusRect(f);
    }
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
    SetInitialColor(gdi::clBtnFace);
    SetInitialSize(65, 17);
    TControl::SetAutoSize(true);
}

void TCustomLabel::SetAlignment(TAlignment value) {
    if (value == m_alignment)
        return;
    m_alignment = value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
    if (value == m_layout)
        return;
    m_layout = value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
    if (value == m_wordWrap)
        return;
    m_wordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
    if (value == m_showAccelChar)
        return;
    m_showAccelChar = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
    if (value == Transparent())
        return;
    SetControlStyle(value ? ControlStyle() - TControlStyle{csOpaque}
                          : ControlStyle() + TControlStyle{csOpaque});
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
    m_focusControl = control;
    if (control != nullptr)
        control->FreeNotification(this);
}

void TCustomLabel::SetAutoSize(bool value) {
    TControl::SetAutoSize(value);
    AdjustBounds();
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == m_focusControl)
        m_focusControl = nullptr;
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::DoDrawText(TRect& rect, unsigned flags) {
    std::string text = GetLabelText();
    if ((flags & gdi::DT_CALCRECT) && (text.empty() || (m_showAccelChar && text == "&")))
        text += " ";
    if (!m_showAccelChar)
        flags |= gdi::DT_NOPREFIX;
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    gdi::HDC dc = c->Handle();
    gdi::HGDIOBJ old = gdi::SelectObject(dc, c->Font()->Handle());
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    if (!Enabled()) {
        TRect shadow = rect;
        gdi::OffsetRect(&shadow, 1, 1);
        gdi::SetTextColor(dc, gdi::ColorToRGB(gdi::clBtnHighlight));
        if (!(flags & gdi::DT_CALCRECT))
            gdi::DrawText(dc, text, &shadow, flags);
        gdi::SetTextColor(dc, gdi::ColorToRGB(gdi::clBtnShadow));
    } else {
        gdi::SetTextColor(dc, gdi::ColorToRGB(Font()->Color()));
    }
    gdi::DrawText(dc, text, &rect, flags);
    gdi::SelectObject(dc, old);
}

namespace {
unsigned AlignmentFlags(TAlignment a) {
    return a == taRightJustify ? gdi::DT_RIGHT : a == taCenter ? gdi::DT_CENTER : gdi::DT_LEFT;
}
} // namespace

void TCustomLabel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (!Transparent()) {
        c->Brush()->SetColor(Color());
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(r);
    }
    unsigned flags = gdi::DT_EXPANDTABS | AlignmentFlags(m_alignment) | (m_wordWrap ? gdi::DT_WORDBREAK : 0u);
    if (m_layout != tlTop) {
        TRect calc = r;
        DoDrawText(calc, flags | gdi::DT_CALCRECT);
        const int h = calc.Height();
        const int offset = m_layout == tlBottom ? r.Height() - h : (r.Height() - h) / 2;
        r.top += offset;
    }
    DoDrawText(r, flags);
}

void TCustomLabel::MeasureText(TRect& rect, unsigned flags) {
    // Measuring needs a context: a screen context stands in when the label is not on a window yet.
    gdi::HDC dc = gdi::CreateScreenDC();
    TCanvas* c = Canvas();
    const bool own = !c->HandleAllocated() && (Parent() == nullptr || !Parent()->HandleAllocated());
    if (own)
        c->SetHandle(dc);
    DoDrawText(rect, flags | gdi::DT_CALCRECT);
    if (own)
        c->SetHandle(nullptr);
    else if (auto* cc = dynamic_cast<TControlCanvas*>(c))
        cc->FreeHandle();
    gdi::DeleteDC(dc);
}

void TCustomLabel::AdjustBounds() {
    if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading) || !AutoSize())
        return;
    TRect r = ClientRect();
    if (!m_wordWrap)
        r.right = r.left + 100000;
    MeasureText(r, gdi::DT_EXPANDTABS | (m_wordWrap ? gdi::DT_WORDBREAK : 0u));
    int left = Left();
    const int width = m_wordWrap ? Width() : r.Width();
    if (m_alignment == taRightJustify)
        left = Left() + Width() - width;
    else if (m_alignment == taCenter)
        left = Left() + (Width() - width) / 2;
    SetBounds(left, Top(), width, r.Height());
}

void TCustomLabel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case win::CM_TEXTCHANGED:
    case win::CM_FONTCHANGED:
        TGraphicControl::WndProc(m);
        AdjustBounds();
        Invalidate();
        return;
    case win::CM_DIALOGCHAR:
        if (m_focusControl != nullptr && Enabled() && m_showAccelChar &&
            IsAccel(static_cast<char32_t>(m.WParam), GetLabelText()) && m_focusControl->CanFocus()) {
            m_focusControl->SetFocus();
            m.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TGraphicControl::WndProc(m);
}

namespace {

[[maybe_unused]] const auto registerButton =
    RegisterClass<TButton, TCustomControl>("TButton")
        .Boolean("TabStop", &TButton::TabStop, &TButton::SetTabStop, true)
        .Boolean("Default", &TButton::Default, &TButton::SetDefault, false)
        .Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel, false)
        .Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult, 0);
[[maybe_unused]] const auto registerCustomLabel =
    RegisterClass<TCustomLabel, TGraphicControl>("TCustomLabel")
        .Boolean("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true)
        .Enum("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment, AlignmentInfo,
              std::optional<TAlignment>(taLeftJustify))
        .Enum("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout, TextLayoutInfo,
              std::optional<TTextLayout>(tlTop))
        .Boolean("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false)
        .Boolean("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar, true)
        .Boolean("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent, false)
        .Component("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl);
[[maybe_unused]] const auto registerLabel = RegisterClass<TLabel, TCustomLabel>("TLabel");

} // namespace

} // namespace framework
