#pragma once

#include "platform/framework/Classes.h"
#include "platform/framework/TypInfo.h"

#include <cstdint>

// The enumerations and sets that the library's controls share.
namespace lu {

enum TFrameStyle : std::uint8_t {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup,
    fsFlatBold
};
constexpr int FrameStyleCount = 11;

enum TSide : std::uint8_t { sdLeft, sdTop, sdRight, sdBottom };
// Stored as a one-byte mask: sdLeft 1, sdTop 2, sdRight 4, sdBottom 8.
using TSides = framework::TSet<TSide>;
inline constexpr TSides sdAllSides{sdLeft, sdTop, sdRight, sdBottom};

enum TAlignmentVertical : std::uint8_t { avTop, avCenter, avBottom };
enum TTextStyle : std::uint8_t { tsNormal, tsRaised, tsRecessed, tsShadow };
enum TOrientation : std::uint8_t { orHorizontal, orVertical };
enum TFramingPreference : std::uint8_t { fpCustomFraming, fpXPThemes };

extern const framework::TEnumInfo FrameStyleInfo;
extern const framework::TEnumInfo SideInfo;
extern const framework::TEnumInfo AlignmentVerticalInfo;
extern const framework::TEnumInfo TextStyleInfo;
extern const framework::TEnumInfo OrientationInfo;
extern const framework::TEnumInfo FramingPreferenceInfo;
extern const framework::TEnumInfo HotTrackColorTypeInfo;

// The library's setters store a value only when it differs; this answers whether it did.
template <class T> bool StoreIfChanged(T& field, const T& value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

constexpr int Min(int a, int b) {
    return a < b ? a : b;
}
constexpr int Max(int a, int b) {
    return a > b ? a : b;
}

} // namespace lu
