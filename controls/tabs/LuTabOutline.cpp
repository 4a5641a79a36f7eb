// The outlines of the tabs and cards, as drawing operations appended to the display list. A tab
// stays open toward its card, and the front card opens under the current tab.
#include "controls/tabs/LuCustomTabControl.h"
#include "controls/tabs/LuTabResStrings.h"

#include <array>

namespace lu {

namespace {

enum OutlineOp { opPen = 0, opMove = 3, opLine = 4, opInnerShadow = 5, opOuterShadow = 6 };

// A card's corners: top left, top right, bottom right, bottom left.
std::array<TPoint, 4> Corners(const TRect& card) {
    return {TPoint{card.left, card.top}, TPoint{card.right, card.top}, TPoint{card.right, card.bottom},
            TPoint{card.left, card.bottom}};
}

} // namespace

void TLuCustomTabControl::AddOutlineOp(int op) {
    m_outline.push_back(op);
}

void TLuCustomTabControl::AddOutlinePoint(int op, TPoint point) {
    m_outline.push_back(op);
    m_outline.push_back(point.x);
    m_outline.push_back(point.y);
}

void TLuCustomTabControl::BuildTabOutline(int index) {
    const TLuTabShape p = GetMappedTabShape(index);
    const int expected = m_tabStyle == tsDoubleSlant ? 4 : m_tabStyle == tsRoundCorners ? 6 : 5;
    if (p.Count() != expected)
        framework::RaiseResString(STabShapePointCount);
    AddOutlineOp(opPen);
    if (m_tabStyle != tsRoundCorners) {
        AddOutlinePoint(opMove, p[0]);
        for (int i = 1; i < p.Count(); ++i)
            AddOutlinePoint(opLine, p[i]);
        return;
    }
    if (m_tabOrientation == toLeft) {
        AddOutlinePoint(opMove, p[1]);
        AddOutlinePoint(opLine, p[0]);
        AddOutlinePoint(opMove, p[1]);
        AddOutlinePoint(opLine, p[2]);
        AddOutlinePoint(opMove, p[2]);
        AddOutlinePoint(opLine, p[3]);
        AddOutlinePoint(opLine, p[4]);
        AddOutlinePoint(opLine, p[5]);
    } else {
        AddOutlinePoint(opMove, p[4]);
        AddOutlinePoint(opLine, p[5]);
        AddOutlinePoint(opMove, p[4]);
        AddOutlinePoint(opLine, p[3]);
        AddOutlinePoint(opMove, p[3]);
        AddOutlinePoint(opLine, p[2]);
        AddOutlinePoint(opLine, p[1]);
        AddOutlinePoint(opLine, p[0]);
    }
}

void TLuCustomTabControl::BuildCardOutline(int row) {
    const TRect card = GetCardRect(row);
    if (m_tabIndex < 0) {
        BuildPlainCardOutline(card);
        return;
    }
    const TLuTabShape shape = GetTabShape(m_tabIndex);
    const TPoint g1 = MapPoint(TPoint{shape[0].x + 1, shape[0].y});
    const TPoint g2 = MapPoint(shape[shape.Count() - 1]);
    if (row != 0 || !IsTabFullyShown(m_tabIndex))
        BuildPlainCardOutline(card);
    else if (m_tabStyle == tsRoundCorners)
        BuildRoundCardOutline(card, g1, g2);
    else
        BuildFramedCardOutline(card, g1, g2);
}

void TLuCustomTabControl::BuildPlainCardOutline(const TRect& card) {
    const auto [a, b, c, d] = Corners(card);
    AddOutlineOp(opPen);
    AddOutlinePoint(opMove, a);
    if (m_tabOrientation != toTop || m_tabSequence != tsStandard || !m_showShadow) {
        AddOutlinePoint(opLine, b);
        if (m_showFullFrame) {
            AddOutlinePoint(opLine, c);
            AddOutlinePoint(opLine, d);
            AddOutlinePoint(opLine, a);
        }
        return;
    }
    AddOutlinePoint(opLine, TPoint{b.x - 2, b.y});
    AddOutlinePoint(opLine, TPoint{c.x - 2, c.y - 2});
    AddOutlinePoint(opLine, TPoint{d.x, d.y - 2});
    AddOutlinePoint(opLine, a);
    BuildCardShadow(card);
}

void TLuCustomTabControl::BuildFramedCardOutline(const TRect& card, TPoint g1, TPoint g2) {
    const auto [a, b, c, d] = Corners(card);
    AddOutlineOp(opPen);
    switch (m_tabOrientation) {
    case toTop:
        AddOutlinePoint(opMove, a);
        AddOutlinePoint(opLine, g1);
        AddOutlinePoint(opMove, g2);
        if (m_tabSequence == tsStandard && m_showShadow) {
            AddOutlinePoint(opLine, TPoint{b.x - 2, b.y});
            if (m_showFullFrame) {
                AddOutlinePoint(opLine, TPoint{c.x - 2, c.y - 2});
                AddOutlinePoint(opLine, TPoint{d.x, d.y - 2});
                AddOutlinePoint(opLine, TPoint{a.x, a.y - 1});
            }
            BuildCardShadow(card);
        } else {
            AddOutlinePoint(opLine, b);
            if (m_showFullFrame) {
                AddOutlinePoint(opLine, c);
                AddOutlinePoint(opLine, d);
                AddOutlinePoint(opLine, TPoint{a.x, a.y - 1});
            }
        }
        break;
    case toLeft:
        if (m_showFullFrame) {
            AddOutlinePoint(opMove, a);
            AddOutlinePoint(opLine, b);
            AddOutlinePoint(opLine, c);
            AddOutlinePoint(opLine, TPoint{d.x - 1, d.y});
        }
        AddOutlinePoint(opMove, d);
        AddOutlinePoint(opLine, g1);
        AddOutlinePoint(opMove, g2);
        AddOutlinePoint(opLine, a);
        break;
    case toBottom:
        if (m_showFullFrame) {
            AddOutlinePoint(opMove, a);
            AddOutlinePoint(opLine, b);
            AddOutlinePoint(opLine, TPoint{c.x, c.y + 1});
        }
        AddOutlinePoint(opMove, c);
        AddOutlinePoint(opLine, TPoint{g2.x - 1, g2.y});
        AddOutlinePoint(opMove, TPoint{g1.x - 1, g2.y});
        AddOutlinePoint(opLine, d);
        if (m_showFullFrame)
            AddOutlinePoint(opLine, a);
        break;
    case toRight:
        if (m_showFullFrame) {
            AddOutlinePoint(opMove, a);
            AddOutlinePoint(opLine, TPoint{b.x + 1, b.y});
        }
        AddOutlinePoint(opMove, b);
        AddOutlinePoint(opLine, g1);
        AddOutlinePoint(opMove, g2);
        AddOutlinePoint(opLine, c);
        if (m_showFullFrame) {
            AddOutlinePoint(opLine, d);
            AddOutlinePoint(opLine, a);
        }
        break;
    }
}

void TLuCustomTabControl::BuildRoundCardOutline(const TRect& card, TPoint g1, TPoint g2) {
    const auto [a, b, c, d] = Corners(card);
    AddOutlineOp(opPen);
    switch (m_tabOrientation) {
    case toTop:
        if (m_tabSequence == tsStandard && m_showShadow) {
            AddOutlinePoint(opMove, TPoint{d.x, d.y - 2});
            AddOutlinePoint(opLine, a);
            AddOutlinePoint(opLine, g1);
            AddOutlinePoint(opMove, g2);
            AddOutlinePoint(opLine, TPoint{b.x - 2, b.y});
            AddOutlinePoint(opLine, TPoint{c.x - 2, c.y - 2});
            AddOutlinePoint(opLine, TPoint{d.x - 1, d.y - 2});
            BuildCardShadow(card);
            AddOutlineOp(opPen);
        } else {
            if (m_showFullFrame) {
                AddOutlinePoint(opMove, d);
                AddOutlinePoint(opLine, a);
            } else {
                AddOutlinePoint(opMove, a);
            }
            AddOutlinePoint(opLine, g1);
            AddOutlinePoint(opMove, g2);
            AddOutlinePoint(opLine, b);
            if (m_showFullFrame) {
                AddOutlinePoint(opLine, c);
                AddOutlinePoint(opLine, TPoint{d.x - 1, d.y});
            }
        }
        // The corner pixel where the tab meets the card.
        AddOutlinePoint(opMove, g2);
        AddOutlinePoint(opLine, TPoint{g2.x + 1, g2.y});
        break;
    case toLeft:
        AddOutlinePoint(opMove, d);
        AddOutlinePoint(opLine, g1);
        AddOutlinePoint(opMove, g2);
        AddOutlinePoint(opLine, a);
        if (m_showFullFrame) {
            AddOutlinePoint(opLine, b);
            AddOutlinePoint(opLine, c);
            AddOutlinePoint(opLine, TPoint{d.x - 1, d.y});
        }
        break;
    case toBottom: {
        const TPoint left1{g1.x - 1, g1.y};
        const TPoint left2{g2.x - 1, g2.y};
        if (m_showFullFrame) {
            AddOutlinePoint(opMove, d);
            AddOutlinePoint(opLine, a);
            AddOutlinePoint(opLine, b);
            AddOutlinePoint(opLine, c);
        } else {
            AddOutlinePoint(opMove, c);
        }
        AddOutlinePoint(opLine, left2);
        AddOutlinePoint(opMove, left1);
        AddOutlinePoint(opLine, d);
        break;
    }
    case toRight:
        if (m_showFullFrame) {
            AddOutlinePoint(opMove, d);
            AddOutlinePoint(opLine, a);
            AddOutlinePoint(opLine, TPoint{b.x + 1, b.y});
        }
        AddOutlinePoint(opMove, b);
        AddOutlinePoint(opLine, g1);
        AddOutlinePoint(opMove, g2);
        AddOutlinePoint(opLine, c);
        if (m_showFullFrame)
            AddOutlinePoint(opLine, TPoint{d.x - 1, d.y});
        break;
    }
}

void TLuCustomTabControl::BuildCardShadow(const TRect& card) {
    if (m_hotRepaintOnly)
        return;
    const auto [a, b, c, d] = Corners(card);
    AddOutlinePoint(opMove, TPoint{b.x - 1, b.y + 1});
    AddOutlinePoint(opInnerShadow, TPoint{c.x - 1, c.y - 1});
    AddOutlinePoint(opInnerShadow, TPoint{d.x, d.y - 1});
    AddOutlinePoint(opMove, TPoint{b.x - 1, b.y});
    AddOutlinePoint(opOuterShadow, b);
    AddOutlinePoint(opOuterShadow, c);
    AddOutlinePoint(opOuterShadow, d);
    AddOutlinePoint(opOuterShadow, TPoint{d.x, d.y - 1});
}

} // namespace lu
