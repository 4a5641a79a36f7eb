#include "controls/common/LuCommon.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using gdi::RGB;
using lu::TColor;

std::string Rgb(TColor c) {
    return std::to_string(gdi::GetRValue(c)) + "," + std::to_string(gdi::GetGValue(c)) + "," +
           std::to_string(gdi::GetBValue(c)) + (c >> 24 ? " (high byte set)" : "");
}

TEST(HotTrack, OrdinalsAndComplementHue) {
    EXPECT_EQ(int(lu::htctComplement), 0);
    EXPECT_EQ(int(lu::htctActual), 1);
    const struct {
        int hue, turned;
    } cases[] = {{0, 120}, {40, 160}, {119, 239}, {120, 0}, {160, 40}, {239, 119}, {240, 120}};
    for (const auto& c : cases)
        EXPECT_EQ(lu::ComplementHue(std::uint8_t(c.hue)), c.turned) << c.hue;
}

TEST(HotTrack, HighlightColor) {
    // The tab highlight bar: saturation 240, luminance 140.
    const TColor tabHot = 3983359; // RGB(255, 199, 60), hue 29
    EXPECT_EQ(lu::HotTrackHighlightColor(tabHot, lu::htctActual, 240, 140), tabHot);
    EXPECT_EQ(Rgb(lu::HotTrackHighlightColor(tabHot, lu::htctComplement, 240, 140)),
              Rgb(lu::HslToColorValue(149, 240, 140)));
    EXPECT_EQ(Rgb(lu::HotTrackHighlightColor(tabHot, lu::htctComplement, 240, 140)), Rgb(RGB(43, 98, 255)));
    // The default clHighlight resolves first (hue 149 turns to 29); htctActual keeps the system colour.
    EXPECT_EQ(Rgb(lu::HotTrackHighlightColor(gdi::clHighlight, lu::htctComplement, 240, 140)),
              Rgb(RGB(255, 197, 43)));
    EXPECT_EQ(lu::HotTrackHighlightColor(gdi::clHighlight, lu::htctActual, 240, 140), gdi::clHighlight);
}

TEST(HotTrack, BevelTones) {
    // Hue 40 turns to 160 at the buttons' saturation 220 and luminance 180.
    const lu::TLuHotTrackTones complement = lu::HotTrackTones(gdi::clYellow, lu::htctComplement, 220, 180);
    EXPECT_EQ(Rgb(complement.Light), Rgb(lu::HslToColorValue(160, 220, 180)));
    EXPECT_EQ(Rgb(complement.Light), Rgb(RGB(135, 133, 250)));
    EXPECT_EQ(Rgb(complement.Dark), Rgb(lu::DarkenColor(complement.Light, 30)));

    const lu::TLuHotTrackTones actual = lu::HotTrackTones(RGB(255, 199, 60), lu::htctActual, 220, 180);
    EXPECT_EQ(Rgb(actual.Light), Rgb(RGB(255, 219, 123)));
    EXPECT_EQ(Rgb(actual.Dark), Rgb(RGB(251, 183, 0)));

    const lu::TLuHotTrackTones stepped = lu::HotTrackTones(gdi::clRed, lu::htctActual, 220, 180, 50);
    EXPECT_EQ(Rgb(stepped.Dark), Rgb(RGB(149, 0, 0)));
}

} // namespace
