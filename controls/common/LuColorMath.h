#pragma once

#include "platform/gdi/Color.h"

#include <cstdint>

namespace lu {

using TColor = gdi::TColor;

// Hue, saturation and luminance on a 0..240 scale; hue runs red 0, green 80, blue 160.
void ColorToHsl(TColor color, std::uint8_t& hue, std::uint8_t& saturation, std::uint8_t& luminance);
std::uint8_t HueOfColor(TColor color);

// Hue is divided by 239 on the way back, so a round trip through ColorToHsl is not always exact.
// Luminance above 240 gives full intensity; a channel below 0 (saturation above 240) raises
// rtl::ERangeError.
TColor HslToColorValue(std::uint8_t hue, std::uint8_t saturation, std::uint8_t luminance);

TColor DarkenColor(TColor color, std::uint8_t amount);
TColor LightenColor(TColor color, std::uint8_t amount);
// Amount 0 returns the colour as given (a system colour stays one); outside -255..255 raises
// rtl::ERangeError.
TColor AdjustColorLuminance(TColor color, int amount);

// Weight 255 gives the first colour, 0 the second.
TColor MixColors(TColor first, TColor second, std::uint8_t weight);

// Hue compared on the plain 0..240 scale (not round the circle); saturation ignored.
bool ColorsAreClose(TColor a, TColor b);

// True when the screen has more than 256 colours.
bool HasFullColorDisplay();

} // namespace lu
