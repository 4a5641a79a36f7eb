#include "controls/tabs/LuTabCloseButton.h"

#include "controls/tabs/LuCustomTabControl.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"

namespace lu {

TLuTabCloseButton::TLuTabCloseButton(framework::TComponent* owner) : TLuTabChildButton(owner) {}

bool TLuTabCloseButton::HasCurrentTab() const {
    return TabControl() != nullptr && TabControl()->TabIndex() != -1;
}

void TLuTabCloseButton::Paint() {
    const TRect r = ClientRect();
    if (gdi::GetThemeServices().ThemesEnabled()) {
        int state = gdi::CBS_NORMAL;
        if (!HasCurrentTab())
            state = gdi::CBS_DISABLED;
        else if (PressedInside())
            state = gdi::CBS_PUSHED;
        gdi::GetThemeServices().DrawElement(
            Canvas()->Handle(), gdi::ThemedElementDetails{"WINDOW", gdi::WP_SMALLCLOSEBUTTON, state}, r);
        return;
    }
    unsigned state = gdi::DFCS_CAPTIONCLOSE | gdi::DFCS_FLAT;
    if (PressedInside())
        state |= gdi::DFCS_PUSHED;
    if (!HasCurrentTab())
        state |= gdi::DFCS_INACTIVE;
    TRect face = r;
    gdi::DrawFrameControl(Canvas()->Handle(), &face, gdi::DFC_CAPTION, state);
    PaintFrame(r);
}

bool TLuTabCloseButton::OnPressedPart(int x, int y) const {
    const TRect r = ClientRect();
    return gdi::PtInRect(&r, TPoint{x, y});
}

void TLuTabCloseButton::Released() {
    DoClose();
}

void TLuTabCloseButton::DoClose() {
    if (OnClose)
        OnClose(this);
}

namespace {

[[maybe_unused]] const auto registerTabCloseButton =
    framework::RegisterClass<TLuTabCloseButton, framework::TCustomControl>("TLuTabCloseButton")
        .Color("FrameColor", &TLuTabCloseButton::FrameColor, &TLuTabCloseButton::SetFrameColor,
               gdi::clBtnShadow)
        .Event("OnClose", &TLuTabCloseButton::OnClose);

} // namespace

} // namespace lu
