#include "controls/button/LuCustomButton.h"

#include "controls/common/LuGrafx.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"

namespace lu {

using namespace framework;

namespace {

constexpr unsigned MeasureFormat =
    gdi::DT_CALCRECT | gdi::DT_WORDBREAK | gdi::DT_EXPANDTABS | gdi::DT_VCENTER | gdi::DT_CENTER;

// DrawText on a canvas in its font and font colour; a clear brush leaves the background as it is.
int CanvasDrawText(TCanvas* canvas, const std::string& text, TRect& rect, unsigned format) {
    gdi::HDC dc = canvas->Handle();
    gdi::HGDIOBJ oldFont = gdi::SelectObject(dc, canvas->Font()->Handle());
    const gdi::COLORREF oldColor = gdi::SetTextColor(dc, DeviceColor(canvas->Font()->Color()));
    const int oldMode = gdi::SetBkMode(dc, canvas->Brush()->Style() == bsClear ? gdi::TRANSPARENT : gdi::OPAQUE);
    const int height = gdi::DrawText(dc, text, &rect, format);
    gdi::SetBkMode(dc, oldMode);
    gdi::SetTextColor(dc, oldColor);
    gdi::SelectObject(dc, oldFont);
    return height;
}

int FloorHalf(int v) {
    return v >= 0 ? v / 2 : -((-v + 1) / 2);
}

} // namespace

TLuCustomButton::TLuCustomButton(TComponent* owner) : TCustomControl(owner) {
    // No csDoubleClicks: the second press of a double click is a press. No csClickEvents: a
    // completed press clicks through Toggle. Not opaque: the background is erased first.
    SetControlStyle(TControlStyle{csCaptureMouse, csSetCaption, csReplicatable, csReflector});
    SetInitialSize(115, 17);
    SetTabStop(true);
}

void TLuCustomButton::SetAlignmentVertical(TAlignmentVertical value) {
    if (value == m_alignmentVertical)
        return;
    m_alignmentVertical = value;
    Invalidate();
}

void TLuCustomButton::SetHotTrack(bool value) {
    if (value == m_hotTrack)
        return;
    m_hotTrack = value;
    Invalidate();
}

void TLuCustomButton::SetHighlightColor(TColor value) {
    if (value == m_highlightColor)
        return;
    m_highlightColor = value;
    Invalidate();
}

void TLuCustomButton::SetLightTextStyle(bool value) {
    if (value == m_lightTextStyle)
        return;
    m_lightTextStyle = value;
    Invalidate();
}

void TLuCustomButton::SetTextStyle(TTextStyle value) {
    if (value == m_textStyle)
        return;
    m_textStyle = value;
    Invalidate();
}

void TLuCustomButton::SetTextHighlightColor(TColor value) {
    if (value == m_textHighlightColor)
        return;
    m_textHighlightColor = value;
    Invalidate();
}

void TLuCustomButton::SetTextShadowColor(TColor value) {
    if (value == m_textShadowColor)
        return;
    m_textShadowColor = value;
    Invalidate();
}

void TLuCustomButton::SetTextShadowDepth(int value) {
    if (value == m_textShadowDepth)
        return;
    m_textShadowDepth = value;
    Invalidate();
}

void TLuCustomButton::SetTransparent(bool value) {
    if (value == m_transparent)
        return;
    m_transparent = value;
    Invalidate();
}

void TLuCustomButton::FocusChanged() {
    Repaint();
}

TRect TLuCustomButton::GetHotTrackRect() {
    return ClientRect();
}

bool TLuCustomButton::IsInsideClient(int x, int y) const {
    return x >= 0 && x < ClientWidth() && y >= 0 && y < ClientHeight();
}

void TLuCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled())
        return;
    // Another control may keep the focus (its exit handler can take it back); then the press is
    // not followed.
    framework::SetFocus(Handle());
    if (!Focused())
        return;
    m_pressedLook = true;
    UpdateDisplay();
    m_pressTracking = true;
}

void TLuCustomButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!m_pressTracking)
        return;
    const bool inside = IsInsideClient(x, y);
    if (inside == m_pressedLook)
        return;
    m_pressedLook = inside;
    UpdateDisplay();
}

void TLuCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (!m_pressTracking)
        return;
    m_pressTracking = false;
    m_pressedLook = false;
    if (IsInsideClient(x, y)) {
        try {
            Toggle();
        } catch (...) {
            // The pressed look is gone whatever the click did.
            UpdateDisplay();
            throw;
        }
    }
    UpdateDisplay();
}

void TLuCustomButton::DoMouseEnter() {
    m_mouseInside = true;
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TLuCustomButton::DoMouseLeave() {
    m_mouseInside = false;
    if (OnMouseLeave)
        OnMouseLeave(this);
}

bool TLuCustomButton::ThemesActive() {
    return gdi::GetThemeServices().ThemesEnabled();
}

void TLuCustomButton::InvalidateHotTrackRect() {
    if (!HandleAllocated() || !(m_hotTrack || ThemesActive()))
        return;
    const TRect r = GetHotTrackRect();
    InvalidateRect(Handle(), &r, false);
}

void TLuCustomButton::CMMouseEnter(TMessage& m) {
    TCustomControl::WndProc(m);
    if (ComponentState().Contains(csDesigning))
        return;
    DoMouseEnter();
    InvalidateHotTrackRect();
}

void TLuCustomButton::CMMouseLeave(TMessage& m) {
    TCustomControl::WndProc(m);
    DoMouseLeave();
    InvalidateHotTrackRect();
}

void TLuCustomButton::WMEraseBkgnd(TMessage& m) {
    auto dc = reinterpret_cast<gdi::HDC>(m.WParam);
    if (!m_transparent || dc == nullptr) {
        TCustomControl::WndProc(m);
        return;
    }
    PaintParentBackground(this, dc, true);
    m.Result = 1;
}

void TLuCustomButton::CMTextChanged(TMessage& m) {
    TCustomControl::CMTextChanged(m);
    Repaint();
}

void TLuCustomButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS:
        TCustomControl::WndProc(m);
        FocusChanged();
        return;
    case win::WM_ERASEBKGND:
        WMEraseBkgnd(m);
        return;
    case win::CM_MOUSEENTER:
        CMMouseEnter(m);
        return;
    case win::CM_MOUSELEAVE:
        CMMouseLeave(m);
        return;
    default:
        TCustomControl::WndProc(m);
    }
}

int TLuCustomButton::MeasureCaption(TCanvas* canvas, const TRect& rect) {
    canvas->Font()->Assign(Font());
    TRect measured = rect;
    return CanvasDrawText(canvas, Caption(), measured, MeasureFormat);
}

TRect TLuCustomButton::PlaceCaption(TRect rect, int textHeight) const {
    switch (m_alignmentVertical) {
    case avCenter:
        rect.top = FloorHalf(rect.top + rect.bottom - textHeight);
        rect.bottom = rect.top + textHeight;
        break;
    case avBottom:
        rect.top = rect.bottom - textHeight - 1;
        break;
    case avTop:
        break;
    }
    return rect;
}

void TLuCustomButton::DrawCaptionPass(TCanvas* canvas, const std::string& text, TRect rect, int dx, int dy,
                                      TColor color, unsigned format) {
    canvas->Font()->SetColor(color);
    gdi::OffsetRect(&rect, dx, dy);
    CanvasDrawText(canvas, text, rect, format);
}

void TLuCustomButton::DrawCaption(TCanvas* canvas, TRect rect, unsigned format) {
    canvas->Brush()->SetStyle(bsClear);
    // The name first, so that assigning the control's font always selects a font afresh.
    canvas->Font()->SetName("System");
    const int textHeight = MeasureCaption(canvas, rect);
    rect = PlaceCaption(rect, textHeight);
    if (UseRightToLeftAlignment())
        format |= gdi::DT_RIGHT | gdi::DT_RTLREADING;
    const std::string text = Caption();
    const bool right = (format & gdi::DT_RIGHT) != 0;
    if (Enabled()) {
        if (m_textStyle == tsRaised || m_textStyle == tsRecessed) {
            const bool raised = m_textStyle == tsRaised;
            const TColor first = raised ? m_textShadowColor : m_textHighlightColor;
            const TColor second = raised ? m_textHighlightColor : m_textShadowColor;
            // The light style keeps only the highlight pass.
            if (!(raised && m_lightTextStyle))
                DrawCaptionPass(canvas, text, rect, 1, 1, first, format);
            if (!(!raised && m_lightTextStyle))
                DrawCaptionPass(canvas, text, rect, -1, -1, second, format);
        } else if (m_textStyle == tsShadow) {
            DrawCaptionPass(canvas, text, rect, right ? 0 : m_textShadowDepth, m_textShadowDepth,
                            m_textShadowColor, format);
        }
        DrawCaptionPass(canvas, text, rect, right ? -m_textShadowDepth : 0, 0, Font()->Color(), format);
    } else {
        DrawCaptionPass(canvas, text, rect, 1, 1, gdi::clBtnHighlight, format);
        DrawCaptionPass(canvas, text, rect, 0, 0, gdi::clBtnShadow, format);
    }
    canvas->Brush()->SetStyle(bsSolid);
}

namespace {
[[maybe_unused]] const auto registerCustomButton =
    RegisterClass<TLuCustomButton, TCustomControl>("TLuCustomButton");
} // namespace

} // namespace lu
