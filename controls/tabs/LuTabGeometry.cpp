// Where the tab area, the cards and the tabs lie, the shapes of the tabs, and hit testing.
#include "controls/tabs/LuCustomTabControl.h"
#include "controls/tabs/LuTabCaption.h"
#include "controls/tabs/LuTabResStrings.h"

#include "platform/gdi/Gdi.h"

namespace lu {

namespace {

bool Sideways(TLuTabOrientation orientation) {
    return orientation == toLeft || orientation == toRight;
}

} // namespace

int TLuCustomTabControl::GetRoundCornerExtra() const {
    return m_tabStyle == tsRoundCorners ? 3 : 0;
}

int TLuCustomTabControl::GetTabAreaThickness() const {
    if (m_showCard)
        return GetRoundCornerExtra() + m_fixedDimension +
               (m_fixedDimension - m_rowOverlap) * (m_rowCount - 1);
    int thickness = Sideways(m_tabOrientation) ? Width() - 1 : Height() - 1;
    if (m_tabStyle == tsRoundCorners && (m_tabOrientation == toBottom || m_tabOrientation == toRight))
        --thickness;
    return thickness;
}

TRect TLuCustomTabControl::GetBoundsRect() const {
    return TRect{0, 0, ClientWidth() - 1, ClientHeight() - 1};
}

TRect TLuCustomTabControl::GetTabAreaRect() const {
    const int w = Width() - 1;
    const int h = Height() - 1;
    const int t = GetTabAreaThickness();
    TRect r{m_tabOrientation == toRight ? w - t : 0, m_tabOrientation == toBottom ? h - t : 0,
            m_tabOrientation == toLeft ? t : w, m_tabOrientation == toTop ? t : h};
    if (m_tabOrientation == toTop && m_showShadow)
        r.right -= 2;
    return r;
}

int TLuCustomTabControl::GetTabStripLength() const {
    const TRect r = GetTabAreaRect();
    return Sideways(m_tabOrientation) ? r.Height() : r.Width();
}

TRect TLuCustomTabControl::GetCardRect(int row) const {
    const TRect b = GetBoundsRect();
    if (m_tabs->Count() == 0 && m_showCard)
        return b;
    const int step = m_fixedDimension - m_rowOverlap;
    const int a = GetTabAreaThickness() - step * row;
    const int s = step * row;
    const int start = m_rowIndent * row;                  // I: toward the strip's start
    const int end = m_rowIndent * (m_rowCount - row - 1); // J: toward its end
    const bool standard = m_tabSequence == tsStandard;
    const int first = standard ? start : end;
    const int last = standard ? end : start;
    TRect r;
    switch (m_tabOrientation) {
    case toTop:
        r = TRect{b.left + first, b.top + a, b.right - last, b.bottom - s};
        break;
    case toBottom:
        r = TRect{b.left + first, b.top + s, b.right - last, b.bottom - a};
        break;
    case toLeft:
        r = TRect{b.left + a, b.top + last, b.right - s, b.bottom - first};
        break;
    case toRight:
        r = TRect{b.left + s, b.top + first, b.right - a, b.bottom - last};
        break;
    }
    if (r.left > r.right || r.top > r.bottom)
        return TRect{};
    if (!m_showCard) {
        // The frame lines of the sides away from the tabs fall outside the control.
        switch (m_tabOrientation) {
        case toTop:
            r = TRect{b.left - 3, r.top, b.right + 3, b.bottom + 3};
            break;
        case toBottom:
            r = TRect{b.left - 3, b.top - 3, b.right + 3, r.bottom};
            break;
        case toLeft:
            r = TRect{r.left, b.top - 3, b.right + 3, b.bottom + 3};
            break;
        case toRight:
            r = TRect{b.left - 3, b.top - 3, r.right, b.bottom + 3};
            break;
        }
    }
    return r;
}

TRect TLuCustomTabControl::GetDisplayRect() const {
    if (!m_showCard)
        return TRect{-2, -2, -1, -1};
    TRect r = GetCardRect(0);
    if (m_showCardFrame && m_showFullFrame) {
        ++r.left;
        ++r.top;
        if (m_tabOrientation == toTop && m_tabSequence == tsStandard && m_showShadow) {
            r.right -= 2;
            r.bottom -= 2;
        }
    } else if (m_showCardFrame) {
        ++r.top;
        ++r.right;
        ++r.bottom;
    } else {
        ++r.right;
        ++r.bottom;
    }
    return r;
}

int TLuCustomTabControl::GetStripOffset() const {
    const int extra = m_tabStyle == tsRoundCorners ? m_margin + 2 : m_margin;
    TRect first{};
    if (m_firstShownTab >= 0 && m_firstShownTab < m_tabs->Count())
        first = m_tabs->Items(m_firstShownTab)->TabRect();
    return m_tabSequence == tsStandard ? first.left - extra : first.right + extra;
}

TPoint TLuCustomTabControl::MapPoint(TPoint p) const {
    const int s = GetStripOffset();
    const TRect a = GetTabAreaRect();
    const bool standard = m_tabSequence == tsStandard;
    switch (m_tabOrientation) {
    case toTop:
        return standard ? TPoint{a.left + p.x - s, a.top + p.y} : TPoint{a.right - (s - p.x), a.top + p.y};
    case toBottom:
        return standard ? TPoint{a.left + p.x - s, a.bottom - p.y}
                        : TPoint{a.right - (s - p.x), a.bottom - p.y};
    case toLeft:
        return standard ? TPoint{a.left + p.y, a.bottom - (p.x - s)}
                        : TPoint{a.left + p.y, a.top + (s - p.x)};
    case toRight:
        return standard ? TPoint{a.right - p.y, a.top + (p.x - s)}
                        : TPoint{a.right - p.y, a.bottom - (s - p.x)};
    }
    return p;
}

TRect TLuCustomTabControl::MapRect(const TRect& r) const {
    const TPoint a = MapPoint(TPoint{r.left, r.top});
    const TPoint b = MapPoint(TPoint{r.right, r.bottom});
    return gdi::NormalizeRect(TRect{a.x, a.y, b.x, b.y});
}

TRect TLuCustomTabControl::GetTabRectInStrip(int index) const {
    const TLuTabData* tab = m_tabs->Items(index);
    TRect r = tab->TabRect();
    if (tab->Row() > 0) {
        const int indent = m_rowIndent * tab->Row();
        gdi::OffsetRect(&r, m_tabSequence == tsStandard ? indent : -indent, 0);
    }
    // The current round-corner tab stands out of its row.
    if (m_tabStyle == tsRoundCorners && index == m_tabIndex) {
        r.left -= 2;
        r.top -= 2;
        r.right += 2;
    }
    return r;
}

TRect TLuCustomTabControl::GetTabRect(int index) const {
    return MapRect(GetTabRectInStrip(index));
}

TLuTabShape TLuCustomTabControl::GetTabShape(int index) const {
    const TRect r = GetTabRectInStrip(index);
    const int l = r.left;
    const int t = r.top;
    const int rr = r.right;
    const int b = r.bottom;
    const int h = b - t;
    const int cut = m_cutCornerSize;
    TLuTabShape shape;
    auto add = [&shape](std::initializer_list<TPoint> points) {
        for (const TPoint& p : points)
            shape.Add(p);
    };
    switch (m_tabStyle) {
    case tsSingleSlant:
        add({{l, b}, {l, t + 2}, {l + 2, t}, {rr - h, t}, {rr, b}});
        break;
    case tsDoubleSlant:
        add({{l, b}, {l + h, t}, {rr - h, t}, {rr, b}});
        break;
    case tsCutCorner:
        add({{l, b}, {l, t}, {rr - cut, t}, {rr, t + cut}, {rr, b}});
        break;
    case tsRoundCorners:
        add({{l, b}, {l, t + 2}, {l + 2, t}, {rr - 2, t}, {rr, t + 2}, {rr, b}});
        break;
    }
    return shape;
}

TLuTabShape TLuCustomTabControl::GetMappedTabShape(int index) const {
    TLuTabShape shape = GetTabShape(index);
    for (int i = 0; i < shape.Count(); ++i)
        shape[i] = MapPoint(shape[i]);
    return shape;
}

gdi::HRGN TLuCustomTabControl::GetTabRegion(int index, const TRect& tabRect) const {
    if (gdi::HRGN cached = m_regionCache->FindRegion(tabRect))
        return cached;
    const TLuTabShape shape = GetMappedTabShape(index);
    if (shape.Count() < 3)
        return nullptr;
    gdi::HRGN region = gdi::CreatePolygonRgn(shape.Points(), shape.Count(), gdi::ALTERNATE);
    if (region == nullptr)
        framework::RaiseResString(SCreateRegionError);
    m_regionCache->AddRegion(tabRect, region);
    return region;
}

bool TLuCustomTabControl::TabIsHit(int index, TPoint point) const {
    if (!IsTabFullyShown(index))
        return false;
    const TRect r = GetTabRect(index);
    if (!gdi::PtInRect(&r, point))
        return false;
    gdi::HRGN region = GetTabRegion(index, r);
    return region != nullptr && gdi::PtInRegion(region, point.x, point.y);
}

int TLuCustomTabControl::TabAtPoint(int x, int y) const {
    const int count = m_tabs->Count();
    if (count == 0 || m_firstShownTab < 0 || m_firstShownTab >= count)
        return -1;
    const TPoint p{x, y};
    // The current tab lies over its neighbours, so it wins where they overlap.
    const bool current = m_tabIndex >= 0 && m_tabIndex < count;
    if (current && TabIsHit(m_tabIndex, p))
        return m_tabIndex;
    int i = m_firstShownTab;
    do {
        if (i != m_tabIndex && TabIsHit(i, p))
            return i;
        i = (i + 1) % count;
    } while (i != m_firstShownTab);
    return -1;
}

int TLuCustomTabControl::FirstVisibleTab() const {
    for (int i = 0; i < m_tabs->Count(); ++i)
        if (m_tabs->Items(i)->Visible())
            return i;
    return -1;
}

int TLuCustomTabControl::LastVisibleTab() const {
    for (int i = m_tabs->Count() - 1; i >= 0; --i)
        if (m_tabs->Items(i)->Visible())
            return i;
    return -1;
}

bool TLuCustomTabControl::ScriptTabRect(const std::string& caption, TRect& rect) const {
    for (int i = 0; i < m_tabs->Count(); ++i) {
        const std::string& text = m_tabs->Items(i)->Caption();
        if (IsTabFullyShown(i) && (text == caption || ShownCaptionLine(text) == caption)) {
            rect = GetTabRect(i);
            return true;
        }
    }
    return false;
}

} // namespace lu
