#include "controls/tabs/LuTabColors.h"

#include "controls/tabs/LuCustomTabControl.h"
#include "platform/framework/TypInfo.h"

namespace lu {

namespace {

void StoreColor(TLuCustomTabControl* tabControl, TColor& field, TColor color) {
    if (field == color)
        return;
    field = color;
    if (tabControl != nullptr)
        tabControl->InvalidateTabs();
}

} // namespace

void TLuTabColors::SetHighlightBar(TColor color) {
    StoreColor(m_tabControl, m_highlightBar, color);
}

void TLuTabColors::SetShadow(TColor color) {
    StoreColor(m_tabControl, m_shadow, color);
}

void TLuTabColors::SetUnselected(TColor color) {
    StoreColor(m_tabControl, m_unselected, color);
}

void TLuTabColors::Assign(const framework::TPersistent* source) {
    const auto* colors = dynamic_cast<const TLuTabColors*>(source);
    if (colors == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    SetHighlightBar(colors->HighlightBar());
    SetShadow(colors->Shadow());
    SetUnselected(colors->Unselected());
}

void TLuTextColors::SetDisabledHighlight(TColor color) {
    StoreColor(m_tabControl, m_disabledHighlight, color);
}

void TLuTextColors::SetDisabledShadow(TColor color) {
    StoreColor(m_tabControl, m_disabledShadow, color);
}

void TLuTextColors::SetSelected(TColor color) {
    StoreColor(m_tabControl, m_selected, color);
}

void TLuTextColors::SetUnselected(TColor color) {
    StoreColor(m_tabControl, m_unselected, color);
}

void TLuTextColors::Assign(const framework::TPersistent* source) {
    const auto* colors = dynamic_cast<const TLuTextColors*>(source);
    if (colors == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    SetDisabledHighlight(colors->DisabledHighlight());
    SetDisabledShadow(colors->DisabledShadow());
    SetSelected(colors->Selected());
    SetUnselected(colors->Unselected());
}

namespace {

[[maybe_unused]] const auto registerTabColors =
    framework::RegisterClass<TLuTabColors, framework::TPersistent>("TLuTabColors")
        .Color("HighlightBar", &TLuTabColors::HighlightBar, &TLuTabColors::SetHighlightBar, gdi::clHighlight)
        .Color("Shadow", &TLuTabColors::Shadow, &TLuTabColors::SetShadow, gdi::clBtnFace)
        .Color("Unselected", &TLuTabColors::Unselected, &TLuTabColors::SetUnselected, gdi::clWindow);

[[maybe_unused]] const auto registerTextColors =
    framework::RegisterClass<TLuTextColors, framework::TPersistent>("TLuTextColors")
        .Color("DisabledHighlight", &TLuTextColors::DisabledHighlight, &TLuTextColors::SetDisabledHighlight,
               gdi::clBtnHighlight)
        .Color("DisabledShadow", &TLuTextColors::DisabledShadow, &TLuTextColors::SetDisabledShadow,
               gdi::clBtnShadow)
        .Color("Selected", &TLuTextColors::Selected, &TLuTextColors::SetSelected, gdi::clBtnText)
        .Color("Unselected", &TLuTextColors::Unselected, &TLuTextColors::SetUnselected, gdi::clBtnText);

} // namespace

} // namespace lu
