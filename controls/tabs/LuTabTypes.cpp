#include "controls/tabs/LuTabTypes.h"

namespace lu {

const framework::TEnumInfo TabStyleInfo{"TLuTabStyle",
                                        {"tsSingleSlant", "tsDoubleSlant", "tsCutCorner", "tsRoundCorners"}};
const framework::TEnumInfo TabOrientationInfo{"TLuTabOrientation",
                                              {"toTop", "toLeft", "toBottom", "toRight"}};
const framework::TEnumInfo TabSequenceInfo{"TLuTabSequence", {"tsStandard", "tsReverse"}};
const framework::TEnumInfo ImagePositionInfo{
    "TLuImagePosition", {"ipLeft", "ipTop", "ipRight", "ipBottom", "ipBack", "ipStretch"}};
const framework::TEnumInfo HorizontalAlignmentInfo{"TLuHorizontalAlignment",
                                                   {"haLeft", "haCenter", "haRight"}};
const framework::TEnumInfo VerticalAlignmentInfo{"TLuVerticalAlignment", {"vaTop", "vaCenter", "vaBottom"}};
const framework::TEnumInfo TabTextStyleInfo{
    "TLuTextStyle", {"tsHotTrack", "tsSelected", "tsUnselected", "tsDisabledHighlight", "tsDisabledShadow"}};
const framework::TEnumInfo HotTrackStyleInfo{"TLuHotTrackStyle", {"htsTab", "htsText"}};

} // namespace lu
