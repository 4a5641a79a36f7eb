#include "controls/common/LuHotTrack.h"

namespace lu {

std::uint8_t ComplementHue(std::uint8_t hue) {
    return hue < 120 ? std::uint8_t(hue + 120) : std::uint8_t(hue - 120);
}

TColor HotTrackHighlightColor(TColor hotTrackColor, TLuHotTrackColorType type, std::uint8_t saturation,
                              std::uint8_t luminance) {
    if (type == htctActual)
        return hotTrackColor;
    return HslToColorValue(ComplementHue(HueOfColor(hotTrackColor)), saturation, luminance);
}

TLuHotTrackTones HotTrackTones(TColor hotTrackColor, TLuHotTrackColorType type, std::uint8_t saturation,
                               std::uint8_t luminance, std::uint8_t step) {
    if (type == htctActual)
        return {LightenColor(hotTrackColor, step), DarkenColor(hotTrackColor, step)};
    const TColor light = HotTrackHighlightColor(hotTrackColor, type, saturation, luminance);
    return {light, DarkenColor(light, step)};
}

} // namespace lu
