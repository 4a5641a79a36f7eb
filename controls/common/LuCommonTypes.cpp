#include "controls/common/LuCommonTypes.h"

#include "platform/framework/TypInfo.h"

namespace lu {

const framework::TEnumInfo FrameStyleInfo{"TFrameStyle",
                                          {"fsNone", "fsFlat", "fsGroove", "fsBump", "fsLowered",
                                           "fsButtonDown", "fsRaised", "fsButtonUp", "fsStatus", "fsPopup",
                                           "fsFlatBold"}};
const framework::TEnumInfo SideInfo{"TSide", {"sdLeft", "sdTop", "sdRight", "sdBottom"}};
const framework::TEnumInfo AlignmentVerticalInfo{"TAlignmentVertical", {"avTop", "avCenter", "avBottom"}};
const framework::TEnumInfo TextStyleInfo{"TTextStyle", {"tsNormal", "tsRaised", "tsRecessed", "tsShadow"}};
const framework::TEnumInfo OrientationInfo{"TOrientation", {"orHorizontal", "orVertical"}};
const framework::TEnumInfo FramingPreferenceInfo{"TFramingPreference", {"fpCustomFraming", "fpXPThemes"}};
const framework::TEnumInfo HotTrackColorTypeInfo{"TLuHotTrackColorType", {"htctComplement", "htctActual"}};

} // namespace lu
