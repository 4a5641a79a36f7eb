#include "platform/framework/WinControl.h"

#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"
#include "platform/gdi/Gdi.h"

namespace framework {

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
        if (cursor == crDefault && c == nullptr)
            cursor = m_handle->Params().WindowClassCursor;
    }
    CurrentCursorSlot() = cursor;
    m.Result = 1;
}

} // namespace framework
