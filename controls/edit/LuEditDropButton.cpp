// The drop button of the edit: room carved out of the non-client area, its hit test and cursor,
// its painting and the press that runs the drop events.

#include "controls/common/LuArrows.h"
#include "controls/common/LuBorders.h"
#include "controls/edit/LuEdit.h"
#include "platform/framework/Window.h"
#include "platform/gdi/Gdi.h"

namespace lu {

using namespace framework;

namespace {

int ButtonWidth() {
    return gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
}

bool ThemesEnabled() {
    return gdi::GetThemeServices().ThemesEnabled();
}

} // namespace

void TLuCustomEdit::SetDropButtonVisible(bool value) {
    if (value == m_dropButtonVisible)
        return;
    m_dropButtonVisible = value;
    // The non-client room changes.
    RecreateWnd();
}

void TLuCustomEdit::SetFlatButtons(bool value) {
    if (value == m_flatButtons)
        return;
    m_flatButtons = value;
    RepaintNonClient();
}

void TLuCustomEdit::SetDropButtonState(TDropButtonState value) {
    if (!m_dropButtonVisible || value == m_dropButtonState)
        return;
    m_dropButtonState = value;
    RepaintNonClient();
}

void TLuCustomEdit::WMNCCalcSize(TMessage& m) {
    if (m_dropButtonVisible && m.LParam != 0) {
        auto* r = reinterpret_cast<TRect*>(m.LParam);
        const int w = ButtonWidth() - (ThemesEnabled() ? 1 : 0);
        if (UseRightToLeftReading())
            r->left += w;
        else
            r->right -= w;
    }
    Inherited::WndProc(m);
}

void TLuCustomEdit::WMNCHitTest(TMessage& m) {
    Inherited::WndProc(m);
    // Only the carved-out room answers "nowhere" inside the window.
    m_mouseOverButton = m.Result == win::HTNOWHERE;
    if (m_mouseOverButton)
        m.Result = win::HTCLIENT;
}

void TLuCustomEdit::WMSetCursor(TMessage& m) {
    // The button shows the arrow, not the text cursor.
    if (OverVisibleButton())
        m.LParam = static_cast<LPARAM>((static_cast<std::uint32_t>(m.LParam) & 0xFFFF0000u) | win::HTNOWHERE);
    Inherited::WndProc(m);
}

void TLuCustomEdit::WMButtonDown(TMessage& m) {
    if (!OverVisibleButton()) {
        Inherited::WndProc(m);
        return;
    }
    m.Result = 0;
    if (m.Msg == win::WM_RBUTTONDOWN)
        return;
    if (!Focused())
        SetFocus();
    RunDropButton();
}

void TLuCustomEdit::RunDropButton() {
    if (!m_dropButtonVisible)
        return;
    m_droppedDown = true;
    try {
        SetCapture(Handle());
        SetDropButtonState(dbsDown);
        DoDropOpen();
        DoDropClose();
        SetDropButtonState(dbsUp);
    } catch (...) {
        m_droppedDown = false;
        throw;
    }
    m_droppedDown = false;
}

void TLuCustomEdit::ReleaseDropButton() {
    if (!m_droppedDown)
        SetDropButtonState(dbsUp);
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
}

void TLuCustomEdit::DoDropOpen() {
    if (OnDropOpen)
        OnDropOpen(this);
}

void TLuCustomEdit::DoDropClose() {
    if (OnDropClose)
        OnDropClose(this);
}

TRect TLuCustomEdit::InsideBorder() const {
    TRect r{0, 0, Width(), Height()};
    if (BorderStyle() == bsSingle) {
        const int border = ThemesEnabled() ? 1 : 2;
        gdi::InflateRect(&r, -border, -border);
    }
    return r;
}

TRect TLuCustomEdit::DropButtonRect() const {
    TRect r = InsideBorder();
    if (UseRightToLeftReading())
        r.right = r.left + ButtonWidth();
    else
        r.left = r.right - ButtonWidth();
    return r;
}

void TLuCustomEdit::PaintNonClient(TCanvas* canvas) {
    Inherited::PaintNonClient(canvas);
    if (!m_dropButtonVisible)
        return;
    const gdi::HDC dc = canvas->Handle();
    const TRect inside = InsideBorder();
    gdi::IntersectClipRect(dc, inside.left, inside.top, inside.right, inside.bottom);
    const TRect button = DropButtonRect();
    DrawDropButton(canvas, button);
    gdi::ExcludeClipRect(dc, button.left, button.top, button.right, button.bottom);
}

void TLuCustomEdit::DrawDropButton(TCanvas* canvas, const TRect& rect) {
    const bool hot = m_inControl || OverControl();
    const bool down = m_dropButtonState == dbsDown;
    if (ThemesEnabled()) {
        if (m_flatButtons && !hot) {
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(rect);
            PaintDropDownArrow(canvas, rect, true, false, Enabled());
            return;
        }
        const int state = !Enabled() ? gdi::CBXS_DISABLED
                          : down     ? gdi::CBXS_PRESSED
                          : hot      ? gdi::CBXS_HOT
                                     : gdi::CBXS_NORMAL;
        gdi::GetThemeServices().DrawElement(
            canvas->Handle(), gdi::ThemedElementDetails{"COMBOBOX", gdi::CP_DROPDOWNBUTTON, state}, rect);
        return;
    }
    canvas->Brush()->SetColor(gdi::clBtnFace);
    if (!m_flatButtons) {
        unsigned flags = gdi::DFCS_SCROLLCOMBOBOX;
        if (down)
            flags |= gdi::DFCS_PUSHED | gdi::DFCS_FLAT;
        if (!Enabled())
            flags |= gdi::DFCS_INACTIVE;
        TRect r = rect;
        gdi::DrawFrameControl(canvas->Handle(), &r, gdi::DFC_SCROLL, flags);
        return;
    }
    if (!hot) {
        canvas->Brush()->SetColor(Focused() ? FocusColor() : NormalColor());
        canvas->FillRect(rect);
        PaintDropDownArrow(canvas, rect, false, false, Enabled());
        return;
    }
    canvas->Brush()->SetColor(m_flatButtonColor);
    TRect inner;
    if (m_flatButtonColor == gdi::clBtnFace)
        inner = down ? PaintBevel(canvas, rect, gdi::clBtnShadow, gdi::clBtnHighlight, 1, sdAllSides)
                     : PaintBevel(canvas, rect, gdi::clBtnHighlight, gdi::clBtnShadow, 1, sdAllSides);
    else
        inner = PaintColorBorder(canvas, rect, m_flatButtonColor, down ? fsStatus : fsPopup);
    canvas->FillRect(inner);
    PaintDropDownArrow(canvas, inner, false, down, Enabled());
}

} // namespace lu
