#pragma once

#include "controls/tabs/LuCustomTabControl.h"
#include "platform/framework/TypInfo.h"

#include <optional>

namespace lu {

// Registers the tab control's published properties and events, in their published order, for a
// class that publishes them (the tab control itself publishes none). The framework's own
// properties come from its base classes.
template <class T> framework::TClassBuilder<T> PublishTabControlProperties(framework::TClassBuilder<T> b) {
    return b.Boolean("AlignTabs", &T::AlignTabs, &T::SetAlignTabs, false)
        .Color("BackgroundColor", &T::BackgroundColor, &T::SetBackgroundColor)
        .Stored(&T::IsBackgroundColorStored)
        .Boolean("BoldCurrentTab", &T::BoldCurrentTab, &T::SetBoldCurrentTab, false)
        .Boolean("UseColoredTabs", &T::UseColoredTabs, &T::SetUseColoredTabs, false)
        .Integer("CutCornerSize", &T::CutCornerSize, &T::SetCutCornerSize, 6)
        .Color("FlatColor", &T::FlatColor, &T::SetFlatColor, gdi::clBtnShadow)
        .Integer("FlatColorAdjustment", &T::FlatColorAdjustment, &T::SetFlatColorAdjustment, 0)
        .Enum("ImageAlignment", &T::ImageAlignment, &T::SetImageAlignment, HorizontalAlignmentInfo,
              std::optional<TLuHorizontalAlignment>(haCenter))
        .Integer("ImageMargin", &T::ImageMargin, &T::SetImageMargin, 2)
        .Enum("ImagePosition", &T::ImagePosition, &T::SetImagePosition, ImagePositionInfo,
              std::optional<TLuImagePosition>(ipLeft))
        .Enum("ImageAlignmentVertical", &T::ImageAlignmentVertical, &T::SetImageAlignmentVertical,
              VerticalAlignmentInfo, std::optional<TLuVerticalAlignment>(vaCenter))
        .Boolean("HotTrack", &T::HotTrack, &T::SetHotTrack, true)
        .Color("HotTrackColor", &T::HotTrackColor, &T::SetHotTrackColor, gdi::clHighlight)
        .Enum("HotTrackColorType", &T::HotTrackColorType, &T::SetHotTrackColorType, HotTrackColorTypeInfo,
              std::optional<TLuHotTrackColorType>(htctComplement))
        .Enum("HotTrackStyle", &T::HotTrackStyle, &T::SetHotTrackStyle, HotTrackStyleInfo,
              std::optional<TLuHotTrackStyle>(htsTab))
        .Component("Images", &T::Images, &T::SetImages)
        .Integer("Margin", &T::Margin, &T::SetMargin, 0)
        .Boolean("MultiLine", &T::MultiLine, &T::SetMultiLine, false)
        .Boolean("ParentBackgroundColor", &T::ParentBackgroundColor, &T::SetParentBackgroundColor, true)
        .Integer("RowIndent", &T::RowIndent, &T::SetRowIndent, 5)
        .Integer("RowOverlap", &T::RowOverlap, &T::SetRowOverlap, 5)
        .Boolean("ShowCardFrame", &T::ShowCardFrame, &T::SetShowCardFrame, true)
        .Boolean("ShowCloseButton", &T::ShowCloseButton, &T::SetShowCloseButton, false)
        .Boolean("ShowFocusRect", &T::ShowFocusRect, &T::SetShowFocusRect, true)
        .Boolean("ShowFullFrame", &T::ShowFullFrame, &T::SetShowFullFrame, true)
        .Boolean("ShowShadow", &T::ShowShadow, &T::SetShowShadow, true)
        .Enum("TextOrientation", &T::TextOrientation, &T::SetTextOrientation, OrientationInfo,
              std::optional<TOrientation>(orHorizontal))
        .Object("TabColors", &T::TabColors)
        .Integer("TabHeight", &T::TabHeight, &T::SetTabHeight, 0)
        .Boolean("TabHints", &T::TabHints, &T::SetTabHints, false)
        .Integer("TabIndex", &T::TabIndex, &T::SetTabIndex, -1)
        .Enum("TabOrientation", &T::TabOrientation, &T::SetTabOrientation, TabOrientationInfo,
              std::optional<TLuTabOrientation>(toTop))
        .Enum("TabSequence", &T::TabSequence, &T::SetTabSequence, TabSequenceInfo,
              std::optional<TLuTabSequence>(tsStandard))
        .Enum("TabStyle", &T::TabStyle, &T::SetTabStyle, TabStyleInfo,
              std::optional<TLuTabStyle>(tsSingleSlant))
        .Integer("TabWidth", &T::TabWidth, &T::SetTabWidth, 0)
        .Object("TextColors", &T::TextColors)
        .Enum("TextAlignment", &T::TextAlignment, &T::SetTextAlignment, HorizontalAlignmentInfo,
              std::optional<TLuHorizontalAlignment>(haCenter))
        .Enum("TextAlignmentVertical", &T::TextAlignmentVertical, &T::SetTextAlignmentVertical,
              VerticalAlignmentInfo, std::optional<TLuVerticalAlignment>(vaCenter))
        .Boolean("Transparent", &T::Transparent, &T::SetTransparent, false)
        .Boolean("UseGradients", &T::UseGradients, &T::SetUseGradients, true)
        .Event("OnChange", &T::OnChange)
        .Event("OnChanging", &T::OnChanging)
        .Event("OnClose", &T::OnClose)
        .Event("OnGetTextColor", &T::OnGetTextColor)
        .Event("OnPaintBackground", &T::OnPaintBackground)
        .Event("OnPaintCardBackground", &T::OnPaintCardBackground)
        .Event("OnPaintTabBackground", &T::OnPaintTabBackground)
        .Event("OnTabClick", &T::OnTabClick);
}

} // namespace lu
