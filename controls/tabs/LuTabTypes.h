#pragma once

#include "controls/common/LuCommonTypes.h"
#include "controls/common/LuHotTrack.h"
#include "platform/framework/Graphics.h"

#include <cstdint>
#include <functional>

// The enumerations and event types of the tab control.
namespace lu {

enum TLuTabStyle : std::uint8_t { tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners };
enum TLuTabOrientation : std::uint8_t { toTop, toLeft, toBottom, toRight };
enum TLuTabSequence : std::uint8_t { tsStandard, tsReverse };
enum TLuImagePosition : std::uint8_t { ipLeft, ipTop, ipRight, ipBottom, ipBack, ipStretch };
enum TLuHorizontalAlignment : std::uint8_t { haLeft, haCenter, haRight };
enum TLuVerticalAlignment : std::uint8_t { vaTop, vaCenter, vaBottom };
enum TLuTextStyle : std::uint8_t {
    tsHotTrack,
    tsSelected,
    tsUnselected,
    tsDisabledHighlight,
    tsDisabledShadow
};
enum TLuHotTrackStyle : std::uint8_t { htsTab, htsText };

extern const framework::TEnumInfo TabStyleInfo;
extern const framework::TEnumInfo TabOrientationInfo;
extern const framework::TEnumInfo TabSequenceInfo;
extern const framework::TEnumInfo ImagePositionInfo;
extern const framework::TEnumInfo HorizontalAlignmentInfo;
extern const framework::TEnumInfo VerticalAlignmentInfo;
extern const framework::TEnumInfo TabTextStyleInfo;
extern const framework::TEnumInfo HotTrackStyleInfo;

using framework::TCanvas;
using framework::TObject;
using framework::TRect;

using TLuTabChangingEvent = std::function<void(TObject* sender, int newIndex, bool& allowChange)>;
using TLuTabCloseEvent = std::function<void(TObject* sender, bool& allowClose)>;
using TLuGetTextColorEvent =
    std::function<void(TObject* sender, int tabIndex, TLuTextStyle style, TColor& color, bool& handled)>;
using TLuPaintBackgroundEvent =
    std::function<void(TObject* sender, TCanvas* canvas, const TRect& rect, bool& handled)>;
using TLuPaintCardBackgroundEvent =
    std::function<void(TObject* sender, TCanvas* canvas, int row, const TRect& rect, bool& handled)>;
using TLuPaintTabBackgroundEvent =
    std::function<void(TObject* sender, TCanvas* canvas, int tabIndex, const TRect& rect, bool& handled)>;

} // namespace lu
