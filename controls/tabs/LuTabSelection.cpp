// Selecting a tab: by code, by a click, with the OnChanging veto and the OnChange notice.
#include "controls/tabs/LuCustomTabControl.h"
#include "controls/tabs/LuTabCloseButton.h"
#include "controls/tabs/LuTabScroller.h"

#include "controls/common/LuDesignerNotify.h"

#include <algorithm>
#include <map>

namespace lu {

bool TLuCustomTabControl::CanChange(int index) {
    if (index < 0 || index >= m_tabs->Count())
        return false;
    const TLuTabData* tab = m_tabs->Items(index);
    bool allow = tab->Visible() && (tab->Enabled() || Designing());
    if (allow && index != m_tabIndex)
        DoChanging(index, allow);
    return allow;
}

void TLuCustomTabControl::SetTabIndex(int value) {
    if (LoadingOrReading()) {
        m_tabIndex = value;
        return;
    }
    if (value < 0 || value >= m_tabs->Count()) {
        m_tabIndex = -1;
        InvalidateTabs();
    } else if (value == m_tabIndex || m_changeApproved || CanChange(value)) {
        const bool changed = value != m_tabIndex;
        m_tabIndex = value;
        bool scrolled = false;
        if (!m_scrollerNeeded) {
            MoveSelectedRowToFront(value);
        } else if (value < m_firstShownTab) {
            m_firstShownTab = value;
            InvalidateTabs();
        } else {
            scrolled = ScrollSelectedIntoView();
        }
        if (scrolled || changed) {
            InvalidateTabs();
            if (m_scroller != nullptr)
                m_scroller->Invalidate();
        }
        if (changed) {
            Change();
            if (m_paintedOnce)
                NotifyDesignerModified(this);
        }
    }
    if (m_showCloseButton && m_closeButton != nullptr)
        m_closeButton->Invalidate();
}

void TLuCustomTabControl::SetApprovedTabIndex(int index) {
    m_changeApproved = true;
    try {
        SetTabIndex(index);
    } catch (...) {
        m_changeApproved = false;
        throw;
    }
    m_changeApproved = false;
}

bool TLuCustomTabControl::ScrollSelectedIntoView() {
    const int before = m_firstShownTab;
    while (m_tabIndex > m_firstShownTab && !IsTabFullyShown(m_tabIndex))
        ++m_firstShownTab;
    return m_firstShownTab != before;
}

void TLuCustomTabControl::MoveSelectedRowToFront(int index) {
    if (!m_multiLine || index < 0 || index >= m_tabs->Count() || !m_tabs->Items(index)->Visible())
        return;
    // Hidden tabs keep the rows of an older layout and do not count.
    int rows = 0;
    std::map<int, std::pair<int, int>> rowSpan; // row -> top and bottom of its first tab
    for (int i = 0; i < m_tabs->Count(); ++i) {
        const TLuTabData* tab = m_tabs->Items(i);
        if (!tab->Visible())
            continue;
        rows = std::max(rows, tab->Row() + 1);
        rowSpan.try_emplace(tab->Row(), tab->TabRect().top, tab->TabRect().bottom);
    }
    const int selected = m_tabs->Items(index)->Row();
    for (int i = 0; i < m_tabs->Count(); ++i) {
        TLuTabData* tab = m_tabs->Items(i);
        if (!tab->Visible())
            continue;
        const int row = (tab->Row() + rows - selected) % rows;
        tab->SetRow(row);
        if (auto span = rowSpan.find(row); span != rowSpan.end()) {
            TRect r = tab->TabRect();
            r.top = span->second.first;
            r.bottom = span->second.second;
            tab->SetTabRect(r);
        }
    }
}

void TLuCustomTabControl::MouseDown(framework::TMouseButton button, framework::TShiftState shift, int x,
                                    int y) {
    if (Designing())
        return;
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != framework::mbLeft || !Enabled())
        return;
    const int index = TabAtPoint(x, y);
    if (index < 0 || !m_tabs->Items(index)->Enabled())
        return;
    if (TabStop() && index == m_tabIndex) {
        if (!CanFocus())
            return;
        SetFocus();
        if (!Focused())
            return;
    }
    SetTabIndex(index);
    if (m_tabIndex == index)
        DoTabClick();
}

} // namespace lu
