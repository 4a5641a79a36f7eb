// Scrolling a single row of tabs that does not fit its strip.
#include "controls/tabs/LuCustomTabControl.h"

namespace lu {

int TLuCustomTabControl::ScrollOffset() const {
    const int extra = m_tabStyle == tsRoundCorners ? 2 : 0;
    const TRect& first = m_tabs->Items(m_firstShownTab)->TabRect();
    return m_tabSequence == tsStandard ? first.left - m_margin - extra : first.right + m_margin + extra;
}

bool TLuCustomTabControl::IsTabFullyShown(int index) const {
    if (index < 0 || index >= m_tabs->Count() || !m_tabs->Items(index)->Visible())
        return false;
    if (!m_scrollerNeeded)
        return true;
    if (m_firstShownTab < 0 || m_firstShownTab >= m_tabs->Count())
        return false;
    int shown = GetTabStripLength() - 2 * GetScrollerButtonSize() - 2 * m_margin;
    if (m_showCloseButton)
        shown -= GetCloseButtonSize();
    const int offset = ScrollOffset();
    const TRect& r = m_tabs->Items(index)->TabRect();
    if (m_tabSequence == tsStandard)
        return r.left >= offset && r.right - offset <= shown;
    return r.right <= offset && offset - r.left <= shown;
}

void TLuCustomTabControl::ScrollTabs(bool forward) {
    const int count = m_tabs->Count();
    const int saved = m_firstShownTab;
    if (forward) {
        const int last = LastVisibleTab();
        if (m_firstShownTab >= count - 1 || last < 0 || IsTabFullyShown(last))
            return;
        do
            ++m_firstShownTab;
        while (m_firstShownTab < count && !IsTabFullyShown(m_firstShownTab));
        if (m_firstShownTab >= count) {
            m_firstShownTab = saved;
            return;
        }
    } else {
        const int first = FirstVisibleTab();
        if (m_firstShownTab <= 0 || first < 0 || IsTabFullyShown(first))
            return;
        do
            --m_firstShownTab;
        while (m_firstShownTab >= 0 && !IsTabFullyShown(m_firstShownTab));
        if (m_firstShownTab < 0) {
            m_firstShownTab = saved;
            return;
        }
    }
    InvalidateTabs();
}

bool TLuCustomTabControl::UpRightScrollsForward() const {
    return m_tabOrientation == toRight ? m_tabSequence == tsReverse : m_tabSequence == tsStandard;
}

} // namespace lu
