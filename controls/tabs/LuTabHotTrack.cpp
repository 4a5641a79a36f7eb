// Hot tracking and tab hints: the tab under the mouse, and the window timer that notices when the
// mouse has left the tabs without another move over the control.
#include "controls/tabs/LuCustomTabControl.h"

#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"

namespace lu {

namespace {

constexpr std::uintptr_t HotTimerId = 1;
constexpr unsigned HotTimerInterval = 60; // milliseconds

void CancelApplicationHint() {
    if (framework::TApplication* application = framework::Application())
        application->CancelHint();
}

} // namespace

void TLuCustomTabControl::MouseMove(framework::TShiftState shift, int x, int y) {
    if (!Designing() && (m_hotTrack || m_tabHints)) {
        const int index = TabAtPoint(x, y);
        if (index < 0)
            LeaveTabsAt(TPoint{x, y});
        else if (index != m_hotTab)
            EnterHotTab(index);
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TLuCustomTabControl::EnterHotTab(int index) {
    m_hotTab = index;
    if (m_hotTrack) {
        m_hotRepaintOnly = true;
        InvalidateTabArea();
    }
    if (m_tabHints) {
        CancelApplicationHint();
        const std::string& hint = m_tabs->Items(index)->Hint();
        // A tab without a hint of its own shows the control's.
        if (hint.empty())
            RestoreHint();
        else
            ReplaceHint(hint);
    }
    if (m_hotTimer == 0)
        StartHotTimer();
}

void TLuCustomTabControl::LeaveTabsAt(TPoint point) {
    const TRect area = GetTabAreaRect();
    const bool inStrip = gdi::PtInRect(&area, point);
    if (m_tabHints && (m_hotTab >= 0 || inStrip))
        CancelApplicationHint();
    LeaveHotTab();
    // The empty part of the strip shows no hint; the card shows the control's own.
    if (m_tabHints && inStrip)
        ReplaceHint(std::string());
}

void TLuCustomTabControl::LeaveHotTab() {
    StopHotTimer();
    m_hotTab = -1;
    InvalidateTabArea();
    RestoreHint();
}

void TLuCustomTabControl::EndHotTracking() {
    // Without the timer nothing would ever cool the hot tab, and moving onto it again would
    // start no timer, since it is already hot.
    if (m_hotTab >= 0)
        LeaveHotTab();
    else
        StopHotTimer();
}

void TLuCustomTabControl::ReplaceHint(const std::string& hint) {
    if (!m_hintReplaced) {
        m_savedHint = Hint();
        m_hintReplaced = true;
    }
    SetHint(hint);
}

void TLuCustomTabControl::RestoreHint() {
    if (!m_hintReplaced)
        return;
    SetHint(m_savedHint);
    m_hintReplaced = false;
}

void TLuCustomTabControl::InvalidateTabArea() {
    if (!HandleAllocated())
        return;
    const TRect area = GetTabAreaRect();
    framework::InvalidateRect(Handle(), &area, false);
}

void TLuCustomTabControl::StartHotTimer() {
    if (HandleAllocated())
        m_hotTimer = framework::SetTimer(Handle(), HotTimerId, HotTimerInterval);
}

void TLuCustomTabControl::StopHotTimer() {
    if (m_hotTimer == 0)
        return;
    if (HandleAllocated())
        framework::KillTimer(Handle(), m_hotTimer);
    m_hotTimer = 0;
}

void TLuCustomTabControl::WMTimer(framework::TMessage& message) {
    message.Result = 0;
    if (m_hotTimer == 0 || message.WParam != m_hotTimer)
        return;
    TPoint cursor;
    framework::GetCursorPos(&cursor);
    cursor = ScreenToClient(cursor);
    if (TabAtPoint(cursor.x, cursor.y) < 0)
        LeaveHotTab();
}

} // namespace lu
