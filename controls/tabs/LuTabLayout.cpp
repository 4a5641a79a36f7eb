// Layout: the size of every tab, the rows they fall into, their places along the strip, and what
// a new layout must keep valid (the scroll position, the selection, the aligned children).
#include "controls/tabs/LuCustomTabControl.h"
#include "controls/tabs/LuTabFontScope.h"

#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <cstdlib>

namespace lu {

namespace {

bool Sideways(TLuTabOrientation orientation) {
    return orientation == toLeft || orientation == toRight;
}

// Extent is the length along the strip; the other dimension is the tab's thickness.
int Extent(TSize size, TLuTabOrientation orientation) {
    return Sideways(orientation) ? size.cy : size.cx;
}

} // namespace

TSize TLuCustomTabControl::GetImageSize(int imageIndex) const {
    if (imageIndex == -1 || m_images == nullptr)
        return TSize{};
    return TSize{m_images->Width(), m_images->Height()};
}

int TLuCustomTabControl::SlantWidth(int length) const {
    switch (m_tabStyle) {
    case tsSingleSlant:
        return length / 2;
    case tsDoubleSlant:
        return length;
    default:
        return -1;
    }
}

// Every caption is measured bold when the current one is drawn bold, so that tabs keep their size
// whichever is selected.
TSize TLuCustomTabControl::MeasureCaption(const std::string& caption) const {
    const framework::TFontStyles style = m_tabFont->Style();
    if (m_boldCurrentTab)
        m_tabFont->SetStyle(style + framework::TFontStyles{framework::fsBold});
    TSize size{};
    try {
        TLuTabFontScope font(*this);
        size = MeasureText(caption, m_textOrientation == orHorizontal);
        font.Restore();
    } catch (...) {
        m_tabFont->SetStyle(style);
        throw;
    }
    m_tabFont->SetStyle(style);
    return size;
}

TSize TLuCustomTabControl::GetMinTextSize() const {
    const TSize sample = MeasureCaption(m_tabStyle == tsRoundCorners ? "AAA" : "A");
    const int fontHeight = std::abs(m_tabFont->Height());
    if (m_textOrientation == orHorizontal)
        return TSize{sample.cx, fontHeight};
    return TSize{fontHeight, sample.cy};
}

TSize TLuCustomTabControl::MeasureTabContent(int index) const {
    const TLuTabData* tab = m_tabs->Items(index);
    if (!tab->Visible())
        return TSize{};
    const TSize image = GetImageSize(tab->ImageIndex());
    const TSize text = tab->Caption().empty() ? TSize{} : MeasureCaption(tab->Caption());
    TSize size{};
    switch (m_imagePosition) {
    case ipLeft:
    case ipRight:
        size = TSize{m_imageMargin + image.cx + text.cx, std::max(image.cy, text.cy)};
        break;
    case ipTop:
    case ipBottom:
        size = TSize{std::max(image.cx, text.cx), m_imageMargin + image.cy + text.cy};
        break;
    case ipBack:
        size = TSize{std::max(image.cx, text.cx), std::max(image.cy, text.cy)};
        break;
    case ipStretch:
        size = text;
        break;
    }
    const TSize least = GetMinTextSize();
    if (m_tabWidth == 0)
        size.cx = std::max(size.cx, least.cx);
    if (m_tabHeight == 0)
        size.cy = std::max(size.cy, least.cy);
    return size;
}

TSize TLuCustomTabControl::GetTabOuterSize(TSize content) const {
    const int a = content.cx;
    const int b = content.cy;
    const bool side = Sideways(m_tabOrientation);
    const bool vertical = m_textOrientation == orVertical;
    const int cut = m_cutCornerSize;
    switch (m_tabStyle) {
    case tsSingleSlant:
        return side ? TSize{a + 6, b + 6 + 2 * ((a + 6) / 2) + m_tabHeight / 2}
                    : TSize{a + 6 + 2 * ((b + 6) / 2) + m_tabHeight / 2, b + 6};
    case tsDoubleSlant:
        return side ? TSize{a + 6, b + 6 + 2 * (a + 2) + m_tabHeight}
                    : TSize{a + 6 + 2 * (b + 2) + m_tabHeight, b + 6};
    case tsCutCorner:
        if (vertical)
            return side ? TSize{a + 7, b + 8 + 2 * cut} : TSize{a + 10, b + 7 + cut};
        return side ? TSize{a + 7 + cut, b + 10} : TSize{a + 8 + 2 * cut, b + 7};
    case tsRoundCorners:
        return vertical ? TSize{a + 6, b + 16} : TSize{a + 16, b + 6};
    }
    return content;
}

void TLuCustomTabControl::ComputeFixedDimension() {
    m_largestContent = TSize{};
    TSize largestOuter{};
    bool any = false;
    const TSize least = GetMinTextSize();
    for (int i = 0; i < m_tabs->Count(); ++i) {
        if (!m_tabs->Items(i)->Visible())
            continue;
        any = true;
        const TSize content = MeasureTabContent(i);
        m_largestContent.cx = std::max(m_largestContent.cx, content.cx);
        m_largestContent.cy = std::max(m_largestContent.cy, content.cy);
        const TSize outer =
            GetTabOuterSize(TSize{std::max(content.cx, least.cx), std::max(content.cy, least.cy)});
        largestOuter.cx = std::max(largestOuter.cx, outer.cx);
        largestOuter.cy = std::max(largestOuter.cy, outer.cy);
    }
    if (m_tabWidth > 0)
        largestOuter.cx = m_tabWidth;
    if (m_tabHeight > 0)
        largestOuter.cy = m_tabHeight;
    if (!any)
        largestOuter = TSize{m_tabWidth, m_tabHeight};
    m_fixedDimension = Sideways(m_tabOrientation) ? largestOuter.cx : largestOuter.cy;
}

int TLuCustomTabControl::GetLayoutTabExtent(int index, int available) const {
    TSize content = MeasureTabContent(index);
    // All tabs of the control are equally thick.
    if (Sideways(m_tabOrientation))
        content.cx = std::max(content.cx, m_largestContent.cx);
    else
        content.cy = std::max(content.cy, m_largestContent.cy);
    TSize outer = GetTabOuterSize(content);
    if (m_tabWidth > 0)
        outer.cx = m_tabWidth;
    if (m_tabHeight > 0)
        outer.cy = m_tabHeight;
    return std::min(Extent(outer, m_tabOrientation), available - RowEndsRoom());
}

void TLuCustomTabControl::CountRows() {
    if (!m_multiLine) {
        SetRowCount(1);
        return;
    }
    const int slant = SlantWidth(m_fixedDimension);
    const int last = LastVisibleTab();
    int length = GetTabStripLength() - 2 * m_margin;
    int pos = m_margin;
    int used = 1;
    int rows = 1;
    int i = 0;
    while (i < m_tabs->Count()) {
        if (!m_tabs->Items(i)->Visible()) {
            ++i;
            continue;
        }
        const int e = GetLayoutTabExtent(i, length);
        if (pos + e + RowEndsRoom() < length) {
            pos += e - slant + 1;
            ++i;
        } else if (used < rows) {
            // An empty row takes even a tab too long for it.
            ++used;
            if (pos == m_margin)
                ++i;
            pos = m_margin;
        } else if (pos > m_margin || i < last) {
            // Lay the whole list out again with one row more, each shorter by the indent.
            ++rows;
            length -= m_rowIndent;
            i = 0;
            used = 1;
            pos = m_margin;
        } else {
            ++i;
            pos = m_margin;
        }
    }
    SetRowCount(used);
}

void TLuCustomTabControl::PlaceTabs() {
    int length = GetTabStripLength() - 2 * m_margin;
    if (m_multiLine) {
        length -= (m_rowCount - 1) * m_rowIndent;
    } else {
        if (m_showCloseButton)
            length -= GetCloseButtonSize() + 2;
        length -= 2 * GetScrollerButtonSize() + 2;
    }
    const int thickness = m_fixedDimension;
    const int slant = SlantWidth(thickness);
    const bool standard = m_tabSequence == tsStandard;
    const int start = standard ? m_margin : -m_margin;
    int top = GetTabAreaThickness() - thickness;
    int row = 0;
    int pos = start;
    int i = 0;
    auto place = [&](int index, int left, int right) {
        TLuTabData* tab = m_tabs->Items(index);
        tab->SetTabRect(TRect{left, top, right, top + thickness});
        tab->SetRow(row);
    };
    while (i < m_tabs->Count()) {
        if (!m_tabs->Items(i)->Visible()) {
            ++i;
            continue;
        }
        const int e = GetLayoutTabExtent(i, length);
        const int reach = e + RowEndsRoom();
        const bool overflows = m_multiLine && (standard ? pos + reach >= length : pos - reach <= -length);
        if (overflows) {
            if (pos == start) {
                place(i, standard ? pos : pos - e, standard ? pos + e : pos);
                ++i;
            } else {
                pos = start;
            }
            top -= thickness - m_rowOverlap;
            ++row;
        } else if (standard) {
            place(i, pos, pos + e);
            pos += e - slant + 1;
            ++i;
        } else {
            place(i, pos - e, pos);
            pos = pos - e + slant - 1;
            ++i;
        }
    }
    if (!standard) {
        // Positions were counted backward from the strip's start. The last step of a single row
        // overlaps or skips ahead by the slant, so the row begins at its leftmost tab.
        const int shift = m_multiLine ? Width() : -LeftmostTabLeft();
        for (int k = 0; k < m_tabs->Count(); ++k) {
            TLuTabData* tab = m_tabs->Items(k);
            if (!tab->Visible())
                continue;
            TRect r = tab->TabRect();
            gdi::OffsetRect(&r, shift, 0);
            tab->SetTabRect(r);
        }
    }
}

int TLuCustomTabControl::LeftmostTabLeft() const {
    int leftmost = 0;
    bool any = false;
    for (int i = 0; i < m_tabs->Count(); ++i) {
        const TLuTabData* tab = m_tabs->Items(i);
        if (!tab->Visible())
            continue;
        leftmost = any ? std::min(leftmost, tab->TabRect().left) : tab->TabRect().left;
        any = true;
    }
    return leftmost;
}

int TLuCustomTabControl::RowEndsRoom() const {
    return m_tabStyle == tsRoundCorners ? 4 : 0;
}

void TLuCustomTabControl::JustifyRows() {
    if (!m_multiLine || !m_alignTabs)
        return;
    if ((Sideways(m_tabOrientation) ? m_tabHeight : m_tabWidth) != 0)
        return;
    const bool standard = m_tabSequence == tsStandard;
    const int room = GetTabStripLength() - 2 * m_margin - (m_rowCount - 1) * m_rowIndent;
    int i = 0;
    while (i < m_tabs->Count()) {
        if (!m_tabs->Items(i)->Visible()) {
            ++i;
            continue;
        }
        // One run: the visible tabs of one row, in list order.
        const int row = m_tabs->Items(i)->Row();
        std::vector<TLuTabData*> run;
        for (; i < m_tabs->Count(); ++i) {
            TLuTabData* tab = m_tabs->Items(i);
            if (!tab->Visible())
                continue;
            if (tab->Row() != row)
                break;
            run.push_back(tab);
        }
        const TRect& first = run.front()->TabRect();
        const TRect& last = run.back()->TabRect();
        const int used = (standard ? last.right - first.left : first.right - last.left) + RowEndsRoom();
        const int free = room - used;
        if (free < 1)
            continue;
        const int n = static_cast<int>(run.size());
        int given = 0;
        for (int k = 0; k < n; ++k) {
            const int share = free / n + (k < free % n ? 1 : 0);
            TRect r = run[static_cast<std::size_t>(k)]->TabRect();
            if (standard) {
                r.left += given;
                r.right += given + share;
            } else {
                r.left -= given + share;
                r.right -= given;
            }
            run[static_cast<std::size_t>(k)]->SetTabRect(r);
            given += share;
        }
    }
}

void TLuCustomTabControl::LayoutTabs() {
    ComputeFixedDimension();
    CountRows();
    PlaceTabs();
    JustifyRows();
}

void TLuCustomTabControl::LayoutIfPending() {
    if (!m_layoutPending)
        return;
    SetLayoutPending(false);
    LayoutTabs();
    m_regionCache->Clear();
    const int old = m_firstShownTab;
    UpdateScrollerNeeded();
    KeepFirstShownTab(old);
    ValidateSelection();
    // A new layout may move the card; the aligned children follow it.
    if (GetDisplayRect() != m_displayRect)
        Realign();
}

void TLuCustomTabControl::KeepFirstShownTab(int old) {
    const int count = m_tabs->Count();
    const int first = FirstVisibleTab();
    if (!m_scrollerNeeded) {
        m_firstShownTab = first;
        return;
    }
    // Tabs may have gone since the last layout.
    m_firstShownTab = std::clamp(m_firstShownTab, 0, count - 1);
    while (m_firstShownTab < count && !IsTabFullyShown(m_firstShownTab))
        ++m_firstShownTab;
    if (m_firstShownTab < count)
        return;
    m_firstShownTab = std::min(old - 1, count - 1);
    while (m_firstShownTab >= 0 && !IsTabFullyShown(m_firstShownTab))
        --m_firstShownTab;
    if (m_firstShownTab < 0)
        m_firstShownTab = first;
}

void TLuCustomTabControl::ValidateSelection() {
    const int count = m_tabs->Count();
    int t = -1;
    // An index beyond the tabs clears the selection; CanChange is asked only for tabs that exist.
    if (FirstVisibleTab() >= 0 && m_tabIndex >= 0 && m_tabIndex <= count) {
        t = m_tabIndex;
        while (t < count && !CanChange(t))
            ++t;
        if (t >= count) {
            t = m_tabIndex == count ? m_tabIndex - 1 : m_tabIndex;
            while (t >= 0 && !CanChange(t))
                --t;
        }
    }
    if (t != m_tabIndex)
        SetApprovedTabIndex(t);
    else
        SetTabIndex(m_tabIndex);
}

TRect TLuCustomTabControl::GetContentRect(const TRect& tabRect) const {
    TRect r = tabRect;
    const int w = r.Width();
    const int h = r.Height();
    const bool side = Sideways(m_tabOrientation);
    const bool vertical = m_textOrientation == orVertical;
    const int cut = m_cutCornerSize;
    auto across = [&] {
        gdi::OffsetRect(&r, 1, 0);
        if (m_tabOrientation == toTop)
            r.top += 2;
        else
            r.bottom -= 2;
        if (m_tabOrientation == toBottom)
            gdi::OffsetRect(&r, 0, 1);
    };
    auto along = [&] {
        gdi::OffsetRect(&r, 0, 1);
        if (m_tabOrientation == toLeft)
            r.left += 2;
        else
            r.right -= 2;
        if (m_tabOrientation == toRight)
            gdi::OffsetRect(&r, 1, 0);
    };
    switch (m_tabStyle) {
    case tsSingleSlant:
        gdi::InflateRect(&r, -1, -1);
        if (!side) {
            r.right -= 2 * SlantWidth(h) + 2;
            gdi::OffsetRect(&r, 2, 0);
            across();
        } else {
            if (m_tabOrientation == toLeft) {
                r.top += 2 * SlantWidth(w) + 2;
                gdi::OffsetRect(&r, 0, -2);
            } else {
                r.bottom -= 2 * SlantWidth(w) + 2;
                gdi::OffsetRect(&r, 0, 2);
            }
            along();
        }
        break;
    case tsDoubleSlant:
        if (!side) {
            gdi::InflateRect(&r, 1, -1);
            gdi::InflateRect(&r, -SlantWidth(h), 0);
            across();
        } else {
            gdi::InflateRect(&r, -1, 1);
            gdi::InflateRect(&r, 0, -SlantWidth(w));
            r.bottom += 2;
            along();
        }
        break;
    case tsCutCorner:
        if (!side) {
            gdi::InflateRect(&r, vertical ? -4 : -(cut + 3), -1);
            const int edge = vertical ? cut + 3 : 3;
            if (m_tabOrientation == toTop)
                r.top += edge;
            else
                r.bottom -= edge;
            if (m_tabOrientation == toBottom)
                gdi::OffsetRect(&r, 0, 1);
        } else {
            gdi::InflateRect(&r, -1, vertical ? -(cut + 3) : -4);
            const int edge = vertical ? 5 : cut + 5;
            if (m_tabOrientation == toLeft)
                r.left += edge;
            else
                r.right -= edge;
            if (m_tabOrientation == toRight)
                gdi::OffsetRect(&r, 1, 0);
        }
        break;
    case tsRoundCorners:
        if (vertical)
            gdi::InflateRect(&r, -2, -4);
        else
            gdi::InflateRect(&r, -4, -2);
        break;
    }
    gdi::InflateRect(&r, -1, -1);
    return r;
}

} // namespace lu
