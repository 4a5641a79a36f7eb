// The tab control's two children: the scroll arrows and the close button, their sizes and places.
#include "controls/tabs/LuCustomTabControl.h"
#include "controls/tabs/LuTabCloseButton.h"
#include "controls/tabs/LuTabFontScope.h"
#include "controls/tabs/LuTabScroller.h"

#include "controls/common/LuColorMath.h"

#include <algorithm>

namespace lu {

TColor TLuCustomTabControl::ChildFrameColor() const {
    return AdjustColorLuminance(m_flatColor, m_flatColorAdjustment);
}

void TLuCustomTabControl::UpdateChildFrameColors() {
    if (m_scroller != nullptr)
        m_scroller->SetFrameColor(ChildFrameColor());
    if (m_closeButton != nullptr)
        m_closeButton->SetFrameColor(ChildFrameColor());
}

void TLuCustomTabControl::CreateScroller() {
    m_scroller = new TLuTabScroller(this);
    m_scroller->SetControlStyle(m_scroller->ControlStyle() +
                                framework::TControlStyle{framework::csNoDesignVisible});
    m_scroller->SetFrameColor(ChildFrameColor());
    m_scroller->OnDownLeftClick = [this](framework::TObject*) { ScrollTabs(!UpRightScrollsForward()); };
    m_scroller->OnUpRightClick = [this](framework::TObject*) { ScrollTabs(UpRightScrollsForward()); };
    m_scroller->SetParent(this);
}

void TLuCustomTabControl::CreateCloseButton() {
    m_closeButton = new TLuTabCloseButton(this);
    m_closeButton->SetControlStyle(m_closeButton->ControlStyle() +
                                   framework::TControlStyle{framework::csNoDesignVisible});
    m_closeButton->SetFrameColor(ChildFrameColor());
    m_closeButton->OnClose = [this](framework::TObject*) { CloseTabRequest(); };
    m_closeButton->SetParent(this);
}

int TLuCustomTabControl::GetScrollerButtonSize() const {
    TLuTabFontScope font(*this);
    const TSize size = MeasureText("A", true);
    font.Restore();
    const int room = m_textOrientation == orHorizontal ? 4 : 2;
    return std::min(size.cy + room, m_fixedDimension - 2);
}

int TLuCustomTabControl::GetCloseButtonSize() const {
    if (!m_showCloseButton || m_tabs->Count() == 0)
        return 0;
    return GetScrollerButtonSize();
}

void TLuCustomTabControl::UpdateScrollerNeeded() {
    m_scrollerNeeded = false;
    const int first = FirstVisibleTab();
    if (m_multiLine || first < 0)
        return;
    int length = GetTabStripLength() - 2 * m_margin - RowEndsRoom();
    if (m_showCloseButton)
        length -= GetCloseButtonSize();
    if (m_tabSequence == tsStandard)
        m_scrollerNeeded = length < m_tabs->Items(LastVisibleTab())->TabRect().right;
    else
        m_scrollerNeeded = length < m_tabs->Items(first)->TabRect().right - LeftmostTabLeft();
}

TPoint TLuCustomTabControl::ChildPosition(int width, int height, int inset) const {
    const TRect a = GetTabAreaRect();
    const bool standard = m_tabSequence == tsStandard;
    switch (m_tabOrientation) {
    case toTop:
        if (!standard)
            return TPoint{a.left + inset, a.bottom - height - 2};
        return TPoint{m_showShadow ? a.right - width - 1 - inset : a.right - width + 1 - inset,
                      a.bottom - height - 2};
    case toBottom:
        return TPoint{standard ? a.right - width + 1 - inset : a.left + inset, a.top + 2};
    case toLeft:
        return TPoint{a.right - width - 2, standard ? a.top + inset : a.bottom - height + 1 - inset};
    case toRight:
        return TPoint{a.left + 2, standard ? a.bottom - height + 1 - inset : a.top + inset};
    }
    return TPoint{};
}

void TLuCustomTabControl::PlaceScroller() {
    if (LoadingOrReading())
        return;
    if (!m_scrollerNeeded) {
        if (m_scroller != nullptr)
            m_scroller->SetBounds(-m_scroller->Width() - 1, -m_scroller->Height() - 1, m_scroller->Width(),
                                  m_scroller->Height());
        return;
    }
    if (m_scroller == nullptr)
        CreateScroller();
    const int size = GetScrollerButtonSize();
    const int inset = m_showCloseButton ? m_margin + GetCloseButtonSize() + 2 : m_margin;
    const bool alongX = m_tabOrientation == toTop || m_tabOrientation == toBottom;
    const int width = alongX ? 2 * size - 1 : size;
    const int height = alongX ? size : 2 * size - 1;
    const TPoint p = ChildPosition(width, height, inset);
    m_scroller->SetOrientation(alongX ? orHorizontal : orVertical);
    m_scroller->SetBounds(p.x, p.y, width, height);
    m_scroller->SetVisible(true);
}

void TLuCustomTabControl::PlaceCloseButton() {
    if (!m_showCloseButton || m_closeButton == nullptr || LoadingOrReading())
        return;
    const int size = GetCloseButtonSize();
    const TPoint p = ChildPosition(size, size, m_margin);
    m_closeButton->SetBounds(p.x, p.y, size, size);
    m_closeButton->SetVisible(true);
}

} // namespace lu
