#include "controls/tabs/LuTabScroller.h"

#include "controls/common/LuArrows.h"
#include "controls/tabs/LuCustomTabControl.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"

namespace lu {

TLuTabScroller::TLuTabScroller(framework::TComponent* owner) : TLuTabChildButton(owner) {}

void TLuTabScroller::SetOrientation(TOrientation value) {
    if (value == m_orientation)
        return;
    m_orientation = value;
    Invalidate();
}

bool TLuTabScroller::ArrowEnabled(int arrow) const {
    const TLuCustomTabControl* tabs = TabControl();
    if (tabs == nullptr)
        return false;
    const bool forward = (arrow == 1) == tabs->UpRightScrollsForward();
    if (!forward)
        return tabs->FirstShownTab() != 0;
    // With no visible tab there is nothing to scroll to.
    const int last = tabs->LastVisibleTab();
    return last >= 0 && !tabs->IsTabFullyShown(last);
}

TRect TLuTabScroller::ArrowRect(int arrow) const {
    const TRect c = ClientRect();
    // Classic arrows share their middle line; themed ones do not.
    const int overlap = gdi::GetThemeServices().ThemesEnabled() ? 0 : 1;
    const int w2 = c.Width() / 2 + overlap;
    const int h2 = c.Height() / 2 + overlap;
    if (Horizontal())
        return arrow == 0 ? TRect{c.left, c.top, c.left + w2, c.bottom}
                          : TRect{c.right - w2, c.top, c.right, c.bottom};
    return arrow == 0 ? TRect{c.left, c.bottom - h2, c.right, c.bottom}
                      : TRect{c.left, c.top, c.right, c.top + h2};
}

void TLuTabScroller::Paint() {
    const bool themed = gdi::GetThemeServices().ThemesEnabled();
    for (int arrow = 0; arrow < 2; ++arrow) {
        if (themed)
            PaintThemedArrow(arrow);
        else
            PaintClassicArrow(arrow);
    }
}

void TLuTabScroller::PaintThemedArrow(int arrow) {
    int part;
    if (Horizontal())
        part = arrow == 0 ? gdi::SPNP_DOWNHORZ : gdi::SPNP_UPHORZ;
    else
        part = arrow == 0 ? gdi::SPNP_DOWN : gdi::SPNP_UP;
    int state = gdi::UPS_NORMAL;
    if (!ArrowEnabled(arrow))
        state = gdi::UPS_DISABLED;
    else if (PressedInside() && m_pressedButton == arrow)
        state = gdi::UPS_PRESSED;
    gdi::GetThemeServices().DrawElement(Canvas()->Handle(), gdi::ThemedElementDetails{"SPIN", part, state},
                                        ArrowRect(arrow));
}

void TLuTabScroller::PaintClassicArrow(int arrow) {
    int direction;
    if (Horizontal())
        direction = arrow == 0 ? adLeft : adRight;
    else
        direction = arrow == 0 ? adDown : adUp;
    const TRect r = ArrowRect(arrow);
    PaintDirectionArrow(Canvas(), r, false, direction, PressedInside() && m_pressedButton == arrow,
                        ArrowEnabled(arrow));
    PaintFrame(r);
}

bool TLuTabScroller::InArrowHalf(int arrow, int x, int y) const {
    const int w = ClientWidth();
    const int h = ClientHeight();
    if (x < 0 || y < 0 || x >= w || y >= h)
        return false;
    if (Horizontal())
        return (x >= w / 2) == (arrow == 1);
    return (y <= h / 2) == (arrow == 1);
}

void TLuTabScroller::MouseDown(framework::TMouseButton button, framework::TShiftState shift, int x, int y) {
    m_pressedButton = InArrowHalf(1, x, y) ? 1 : 0;
    TLuTabChildButton::MouseDown(button, shift, x, y);
}

bool TLuTabScroller::OnPressedPart(int x, int y) const {
    return InArrowHalf(m_pressedButton, x, y);
}

void TLuTabScroller::Released() {
    if (m_pressedButton == 0)
        DoDownLeftClick();
    else
        DoUpRightClick();
}

void TLuTabScroller::DoDownLeftClick() {
    if (OnDownLeftClick)
        OnDownLeftClick(this);
}

void TLuTabScroller::DoUpRightClick() {
    if (OnUpRightClick)
        OnUpRightClick(this);
}

namespace {

[[maybe_unused]] const auto registerTabScroller =
    framework::RegisterClass<TLuTabScroller, framework::TCustomControl>("TLuTabScroller")
        .Color("FrameColor", &TLuTabScroller::FrameColor, &TLuTabScroller::SetFrameColor, gdi::clBtnShadow)
        .Enum("Orientation", &TLuTabScroller::Orientation, &TLuTabScroller::SetOrientation, OrientationInfo)
        .Stored([](const TLuTabScroller&) { return false; })
        .Event("OnUpRightClick", &TLuTabScroller::OnUpRightClick)
        .Event("OnDownLeftClick", &TLuTabScroller::OnDownLeftClick);

} // namespace

} // namespace lu
