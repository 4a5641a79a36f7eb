#pragma once

#include "controls/common/LuColorMath.h"

#include <cstdint>

namespace lu {

enum TLuHotTrackColorType : std::uint8_t { htctComplement, htctActual };

// Half-way round the 0..240 hue circle.
std::uint8_t ComplementHue(std::uint8_t hue);

// The highlight a control derives from its HotTrackColor: the colour itself with htctActual; with
// htctComplement the complementary hue at the control's own saturation and luminance.
TColor HotTrackHighlightColor(TColor hotTrackColor, TLuHotTrackColorType type, std::uint8_t saturation,
                              std::uint8_t luminance);

struct TLuHotTrackTones {
    TColor Light;
    TColor Dark;
};

// The two tones of a hot bevel. htctActual: HotTrackColor lightened and darkened by step;
// htctComplement: the complementary highlight and that highlight darkened by step.
TLuHotTrackTones HotTrackTones(TColor hotTrackColor, TLuHotTrackColorType type, std::uint8_t saturation,
                               std::uint8_t luminance, std::uint8_t step = 30);

} // namespace lu
