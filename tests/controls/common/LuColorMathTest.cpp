#include "controls/common/LuCommon.h"

#include "platform/gdi/DeviceCaps.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using gdi::RGB;
using lu::TColor;

struct Hsl {
    int h, s, l;
    bool operator==(const Hsl&) const = default;
};

Hsl ToHsl(TColor c) {
    std::uint8_t h, s, l;
    lu::ColorToHsl(c, h, s, l);
    return {h, s, l};
}

void PrintTo(const Hsl& v, std::ostream* os) {
    *os << "(" << v.h << ", " << v.s << ", " << v.l << ")";
}

std::string Rgb(TColor c) {
    return std::to_string(gdi::GetRValue(c)) + "," + std::to_string(gdi::GetGValue(c)) + "," +
           std::to_string(gdi::GetBValue(c)) + (c >> 24 ? " (high byte set)" : "");
}

TEST(ColorToHsl, BlackWhiteGreysAndPrimaries) {
    const struct {
        TColor color;
        Hsl hsl;
    } cases[] = {
        {gdi::clBlack, {0, 0, 0}},
        {gdi::clWhite, {0, 0, 240}},
        {gdi::clRed, {0, 240, 120}},
        {gdi::clLime, {80, 240, 120}},
        {gdi::clBlue, {160, 240, 120}},
        {RGB(128, 128, 128), {0, 0, 120}},
        {RGB(192, 192, 192), {0, 0, 181}},
        {gdi::clYellow, {40, 240, 120}},
        {RGB(255, 199, 60), {29, 240, 148}},
        {RGB(128, 0, 0), {0, 240, 60}},
        // Just short of red rounds up to hue 240, the far end of the scale.
        {RGB(255, 0, 1), {240, 240, 120}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToHsl(c.color), c.hsl) << Rgb(c.color);
    EXPECT_EQ(lu::HueOfColor(gdi::clBlue), 160);
}

TEST(ColorToHsl, ResolvesSystemColours) {
    gdi::SetSysColorForTest(gdi::COLOR_BTNFACE, RGB(0, 0, 255));
    const Hsl face = ToHsl(gdi::clBtnFace);
    gdi::ResetSysColors();
    EXPECT_EQ(face, (Hsl{160, 240, 120}));
}

TEST(HslToColorValue, Cases) {
    const struct {
        int h, s, l;
        TColor expected;
    } cases[] = {
        {0, 0, 240, gdi::clWhite},
        {0, 0, 0, gdi::clBlack},
        {100, 240, 0, gdi::clBlack},
        {239, 123, 0, gdi::clBlack},
        {0, 240, 120, gdi::clRed},
        // Hue is divided by 239: 239 is sextant 6 with no fraction, 240 is a little past red.
        {239, 240, 120, gdi::clRed},
        {240, 240, 120, RGB(255, 6, 0)},
        {255, 240, 120, RGB(255, 102, 0)},
        {160, 220, 180, RGB(135, 133, 250)},
        // Luminance above 240 drives every channel past 1, clamped to full intensity.
        {0, 240, 255, gdi::clWhite},
        {80, 0, 250, gdi::clWhite},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Rgb(lu::HslToColorValue(std::uint8_t(c.h), std::uint8_t(c.s), std::uint8_t(c.l))),
                  Rgb(c.expected))
            << c.h << "," << c.s << "," << c.l;
}

TEST(HslToColorValue, RoundTrip) {
    const struct {
        TColor color, back;
    } cases[] = {
        {gdi::clRed, gdi::clRed},
        {gdi::clLime, RGB(0, 255, 2)},
        {gdi::clBlue, RGB(4, 0, 255)},
        {gdi::clBlack, gdi::clBlack},
        {gdi::clWhite, gdi::clWhite},
        {RGB(128, 128, 128), RGB(128, 128, 128)},
        {RGB(192, 192, 192), RGB(192, 192, 192)},
        {RGB(255, 199, 60), RGB(255, 202, 60)},
        // 256 greys share 241 luminances, so not every grey survives.
        {RGB(9, 9, 9), RGB(8, 8, 8)},
        {RGB(25, 25, 25), RGB(26, 26, 26)},
    };
    for (const auto& c : cases) {
        const Hsl v = ToHsl(c.color);
        EXPECT_EQ(Rgb(lu::HslToColorValue(std::uint8_t(v.h), std::uint8_t(v.s), std::uint8_t(v.l))),
                  Rgb(c.back))
            << Rgb(c.color);
    }
}

TEST(HslToColorValue, EverySaturationOnTheScaleStaysInRange) {
    // Lightening leaves luminance up to 255 and hues reach 240, so those run past the scale too.
    int failures = 0;
    for (int h = 0; h <= 255; ++h)
        for (int s = 0; s <= 240; ++s)
            for (int l = 0; l <= 255; l += 3) {
                try {
                    lu::HslToColorValue(std::uint8_t(h), std::uint8_t(s), std::uint8_t(l));
                } catch (const rtl::ERangeError&) {
                    ++failures;
                }
            }
    EXPECT_EQ(failures, 0);
}

TEST(HslToColorValue, SaturationPastTheScaleIsARangeError) {
    // The channels would come out negative.
    EXPECT_THROW(lu::HslToColorValue(0, 255, 120), rtl::ERangeError);
    EXPECT_THROW(lu::HslToColorValue(0, 255, 60), rtl::ERangeError);
}

TEST(DarkenLighten, Cases) {
    for (int amount : {0, 1, 40, 100, 255}) {
        EXPECT_EQ(lu::DarkenColor(gdi::clBlack, std::uint8_t(amount)), gdi::clBlack) << amount;
        EXPECT_EQ(lu::LightenColor(gdi::clWhite, std::uint8_t(amount)), gdi::clWhite) << amount;
    }
    const struct {
        TColor result, expected;
    } cases[] = {
        {lu::DarkenColor(gdi::clRed, 50), RGB(149, 0, 0)},
        {lu::LightenColor(gdi::clRed, 200), gdi::clWhite},
        {lu::LightenColor(RGB(255, 199, 60), 30), RGB(255, 219, 123)},
        {lu::DarkenColor(RGB(255, 199, 60), 30), RGB(251, 183, 0)},
        {lu::DarkenColor(gdi::clWhite, 240), gdi::clBlack},
        {lu::DarkenColor(gdi::clWindow, 0), gdi::clWhite},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Rgb(c.result), Rgb(c.expected));
}

TEST(AdjustColorLuminance, SignSelectsTheDirection) {
    EXPECT_EQ(lu::AdjustColorLuminance(gdi::clRed, 50), lu::LightenColor(gdi::clRed, 50));
    EXPECT_EQ(lu::AdjustColorLuminance(gdi::clRed, -50), lu::DarkenColor(gdi::clRed, 50));
    EXPECT_EQ(lu::AdjustColorLuminance(gdi::clRed, 255), gdi::clWhite);
    EXPECT_EQ(lu::AdjustColorLuminance(gdi::clRed, -255), gdi::clBlack);
    EXPECT_EQ(lu::AdjustColorLuminance(gdi::clBtnFace, 0), gdi::clBtnFace);
    EXPECT_EQ(lu::AdjustColorLuminance(gdi::clBtnFace, -1) >> 24, 0u);
}

TEST(AdjustColorLuminance, AmountOutsideTheRangeIsARangeError) {
    for (int amount : {256, -256, 1000, -100000})
        EXPECT_THROW(lu::AdjustColorLuminance(gdi::clRed, amount), rtl::ERangeError) << amount;
}

TEST(MixColors, Weights) {
    const TColor a = RGB(255, 100, 3);
    const TColor b = RGB(0, 200, 0);
    EXPECT_EQ(Rgb(lu::MixColors(a, b, 255)), Rgb(a));
    EXPECT_EQ(Rgb(lu::MixColors(a, b, 0)), Rgb(b));
    // round(a x 0.50196 + b x 0.49804) per channel.
    EXPECT_EQ(Rgb(lu::MixColors(a, b, 128)), Rgb(RGB(128, 150, 2)));
    EXPECT_EQ(Rgb(lu::MixColors(b, a, 128)), Rgb(RGB(127, 150, 1)));
    EXPECT_EQ(Rgb(lu::MixColors(gdi::clWhite, gdi::clBlack, 64)), Rgb(RGB(64, 64, 64)));
    gdi::SetSysColorForTest(gdi::COLOR_WINDOW, RGB(10, 20, 30));
    const TColor mixed = lu::MixColors(gdi::clWindow, gdi::clBlack, 255);
    gdi::ResetSysColors();
    EXPECT_EQ(Rgb(mixed), Rgb(RGB(10, 20, 30)));
}

TEST(ColorsAreClose, Edges) {
    const struct {
        TColor a, b;
        bool close;
    } cases[] = {
        {gdi::clBlack, RGB(63, 63, 63), true},      // luminance 0 and 59
        {gdi::clBlack, RGB(64, 64, 64), false},     // 0 and 60
        {RGB(128, 128, 128), gdi::clSilver, false}, // luminance 120 and 181
        {gdi::clRed, RGB(255, 121, 0), true},       // hue 0 and 19, luminance 120
        {gdi::clRed, RGB(255, 128, 0), false},      // hue 0 and 20
        {gdi::clRed, RGB(255, 0, 1), false},        // hue 0 and 240: no wrap round the circle
        {gdi::clRed, gdi::clWhite, false},          // hue 0 both, luminance 120 and 240
        {gdi::clRed, RGB(128, 128, 128), true},     // saturation ignored
        {gdi::clWindow, gdi::clWhite, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lu::ColorsAreClose(c.a, c.b), c.close) << Rgb(c.a) << " / " << Rgb(c.b);
        EXPECT_EQ(lu::ColorsAreClose(c.b, c.a), c.close) << Rgb(c.b) << " / " << Rgb(c.a);
    }
}

TEST(HasFullColorDisplay, FollowsThe256ColourSwitch) {
    EXPECT_TRUE(lu::HasFullColorDisplay());
    gdi::SetLowColorScreenForTest(true);
    const bool low = lu::HasFullColorDisplay();
    gdi::SetLowColorScreenForTest(false);
    EXPECT_FALSE(low);
    EXPECT_TRUE(lu::HasFullColorDisplay());
}

} // namespace
