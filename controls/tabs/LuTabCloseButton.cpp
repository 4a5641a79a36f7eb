#include "controls/tabs/LuTabCloseButton.h"

#include "controls/tabs/LuCustomTabControl.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"

namespace lu {

TLuTabCloseButton::TLuTabCloseButton(framework::TComponent* owner)
    : TCustomControl(owner), m_tabControl(dynamic_cast<TLuCustomTabControl*>(owner)) {}

void TLuTabCloseButton::SetFrameColor(TColor value) {
    if (value == m_frameColor)
        return;
    m_frameColor = value;
    Invalidate();
}

void TLuTabCloseButton::WndProc(framework::TMessage& message) {
    // The button reacts to the mouse while the form is designed too.
    if (message.Msg == win::CM_DESIGNHITTEST) {
        message.Result = 1;
        return;
    }
    TCustomControl::WndProc(message);
}

bool TLuTabCloseButton::HasCurrentTab() const {
    return m_tabControl != nullptr && m_tabControl->TabIndex() != -1;
}

void TLuTabCloseButton::Paint() {
    TRect r = ClientRect();
    if (gdi::GetThemeServices().ThemesEnabled()) {
        int state = gdi::CBS_NORMAL;
        if (!HasCurrentTab())
            state = gdi::CBS_DISABLED;
        else if (m_pressedInside)
            state = gdi::CBS_PUSHED;
        gdi::GetThemeServices().DrawElement(
            Canvas()->Handle(), gdi::ThemedElementDetails{"WINDOW", gdi::WP_SMALLCLOSEBUTTON, state}, r);
        return;
    }
    unsigned state = gdi::DFCS_CAPTIONCLOSE | gdi::DFCS_FLAT;
    if (m_pressedInside)
        state |= gdi::DFCS_PUSHED;
    if (!HasCurrentTab())
        state |= gdi::DFCS_INACTIVE;
    TRect face = r;
    gdi::DrawFrameControl(Canvas()->Handle(), &face, gdi::DFC_CAPTION, state);
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(framework::bsClear);
    canvas->Pen()->SetColor(m_frameColor);
    canvas->Rectangle(r);
    canvas->Brush()->SetStyle(framework::bsSolid);
}

void TLuTabCloseButton::MouseDown(framework::TMouseButton button, framework::TShiftState shift, int x,
                                  int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    m_tracking = true;
    m_pressedInside = true;
    Invalidate();
    SetMouseCapture(true);
}

void TLuTabCloseButton::MouseMove(framework::TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!m_tracking)
        return;
    const TRect r = ClientRect();
    const bool inside = gdi::PtInRect(&r, TPoint{x, y});
    if (inside != m_pressedInside) {
        m_pressedInside = inside;
        Invalidate();
    }
}

void TLuTabCloseButton::MouseUp(framework::TMouseButton button, framework::TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    SetMouseCapture(false);
    m_tracking = false;
    if (!m_pressedInside)
        return;
    m_pressedInside = false;
    DoClose();
    Invalidate();
}

void TLuTabCloseButton::DoClose() {
    if (OnClose)
        OnClose(this);
}

namespace {

[[maybe_unused]] const auto registerTabCloseButton =
    framework::RegisterClass<TLuTabCloseButton, framework::TCustomControl>("TLuTabCloseButton")
        .Color("FrameColor", &TLuTabCloseButton::FrameColor, &TLuTabCloseButton::SetFrameColor,
               gdi::clBtnShadow)
        .Event("OnClose", &TLuTabCloseButton::OnClose);

} // namespace

} // namespace lu
