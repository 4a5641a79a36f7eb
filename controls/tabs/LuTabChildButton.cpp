#include "controls/tabs/LuTabChildButton.h"

#include "controls/tabs/LuCustomTabControl.h"

namespace lu {

TLuTabChildButton::TLuTabChildButton(framework::TComponent* owner)
    : TCustomControl(owner), m_tabControl(dynamic_cast<TLuCustomTabControl*>(owner)) {}

void TLuTabChildButton::SetFrameColor(TColor value) {
    if (value == m_frameColor)
        return;
    m_frameColor = value;
    Invalidate();
}

void TLuTabChildButton::WndProc(framework::TMessage& message) {
    // The buttons react to the mouse while the form is designed too.
    if (message.Msg == win::CM_DESIGNHITTEST) {
        message.Result = 1;
        return;
    }
    TCustomControl::WndProc(message);
}

void TLuTabChildButton::MouseDown(framework::TMouseButton button, framework::TShiftState shift, int x,
                                  int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    m_tracking = true;
    m_pressedInside = true;
    Invalidate();
    SetMouseCapture(true);
}

void TLuTabChildButton::MouseMove(framework::TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!m_tracking)
        return;
    const bool inside = OnPressedPart(x, y);
    if (inside != m_pressedInside) {
        m_pressedInside = inside;
        Invalidate();
    }
}

void TLuTabChildButton::MouseUp(framework::TMouseButton button, framework::TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    SetMouseCapture(false);
    m_tracking = false;
    if (!m_pressedInside)
        return;
    m_pressedInside = false;
    Released();
    Invalidate();
}

void TLuTabChildButton::PaintFrame(const framework::TRect& r) {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(framework::bsClear);
    canvas->Pen()->SetColor(m_frameColor);
    canvas->Rectangle(r);
    canvas->Brush()->SetStyle(framework::bsSolid);
}

} // namespace lu
