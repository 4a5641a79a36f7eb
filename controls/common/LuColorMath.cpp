#include "controls/common/LuColorMath.h"

#include "platform/gdi/DeviceCaps.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace lu {

namespace {

double RoundHalfEven(double x) {
    if (std::fabs(x - std::trunc(x)) == 0.5)
        return 2.0 * std::round(x / 2.0);
    return std::round(x);
}

std::uint8_t ToByte(double x, const char* what) {
    const double r = RoundHalfEven(x);
    if (!(r >= 0.0 && r <= 255.0))
        throw rtl::ERangeError(std::string(what) + " out of byte range: " + std::to_string(x));
    return std::uint8_t(r);
}

} // namespace

void ColorToHsl(TColor color, std::uint8_t& hue, std::uint8_t& saturation, std::uint8_t& luminance) {
    const gdi::COLORREF c = gdi::ColorToRGB(color);
    const double r = gdi::GetRValue(c) / 255.0;
    const double g = gdi::GetGValue(c) / 255.0;
    const double b = gdi::GetBValue(c) / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    const double l = (max + min) / 2.0;
    double h = 0.0;
    double s = 0.0;
    if (max != min) {
        const double d = max - min;
        s = l < 0.5 ? d / (max + min) : d / (2.0 - max - min);
        if (r == max)
            h = (g - b) / d;
        else if (g == max)
            h = (b - r) / d + 2.0;
        else
            h = (r - g) / d + 4.0;
        h /= 6.0;
        if (h < 0.0)
            h += 1.0;
    }
    hue = ToByte(h * 240.0, "Hue");
    saturation = ToByte(s * 240.0, "Saturation");
    luminance = ToByte(l * 240.0, "Luminance");
}

std::uint8_t HueOfColor(TColor color) {
    std::uint8_t h, s, l;
    ColorToHsl(color, h, s, l);
    return h;
}

TColor HslToColorValue(std::uint8_t hue, std::uint8_t saturation, std::uint8_t luminance) {
    const double h = hue / 239.0;
    const double s = saturation / 240.0;
    const double l = luminance / 240.0;
    const double v = l < 0.5 ? l * (1.0 + s) : l + s - l * s;
    double red = 0.0, green = 0.0, blue = 0.0;
    if (v > 0.0) {
        const double m = 2.0 * l - v;
        const double sv = (v - m) / v;
        const double h6 = h * 6.0;
        const int sextant = int(h6);
        const double f = h6 - sextant;
        const double vsf = v * sv * f;
        const double mid1 = m + vsf;
        const double mid2 = v - vsf;
        switch (sextant) {
        case 1:
            red = mid2, green = v, blue = m;
            break;
        case 2:
            red = m, green = v, blue = mid1;
            break;
        case 3:
            red = m, green = mid2, blue = v;
            break;
        case 4:
            red = mid1, green = m, blue = v;
            break;
        case 5:
            red = v, green = m, blue = mid2;
            break;
        default: // 0, and 6 for hues from 239 up
            red = v, green = mid1, blue = m;
            break;
        }
    }
    red = std::min(red, 1.0);
    green = std::min(green, 1.0);
    blue = std::min(blue, 1.0);
    return gdi::RGB(ToByte(red * 255.0, "Red"), ToByte(green * 255.0, "Green"), ToByte(blue * 255.0, "Blue"));
}

TColor DarkenColor(TColor color, std::uint8_t amount) {
    std::uint8_t h, s, l;
    ColorToHsl(color, h, s, l);
    return HslToColorValue(h, s, std::uint8_t(std::max(int(l) - int(amount), 0)));
}

TColor LightenColor(TColor color, std::uint8_t amount) {
    std::uint8_t h, s, l;
    ColorToHsl(color, h, s, l);
    return HslToColorValue(h, s, std::uint8_t(std::min(int(l) + int(amount), 255)));
}

TColor AdjustColorLuminance(TColor color, int amount) {
    if (amount < -255 || amount > 255)
        throw rtl::ERangeError("Luminance adjustment out of range (-255..255): " + std::to_string(amount));
    if (amount > 0)
        return LightenColor(color, std::uint8_t(amount));
    if (amount < 0)
        return DarkenColor(color, std::uint8_t(-amount));
    return color;
}

TColor MixColors(TColor first, TColor second, std::uint8_t weight) {
    const gdi::COLORREF a = gdi::ColorToRGB(first);
    const gdi::COLORREF b = gdi::ColorToRGB(second);
    const float w = float(weight) / 255.0f;
    const auto mix = [w](int x, int y) { return ToByte(x * double(w) + y * (1.0 - double(w)), "Channel"); };
    return gdi::RGB(mix(gdi::GetRValue(a), gdi::GetRValue(b)), mix(gdi::GetGValue(a), gdi::GetGValue(b)),
                    mix(gdi::GetBValue(a), gdi::GetBValue(b)));
}

bool ColorsAreClose(TColor a, TColor b) {
    std::uint8_t h1, s1, l1, h2, s2, l2;
    ColorToHsl(a, h1, s1, l1);
    ColorToHsl(b, h2, s2, l2);
    return std::abs(int(h1) - int(h2)) < 20 && std::abs(int(l1) - int(l2)) < 60;
}

bool HasFullColorDisplay() {
    const gdi::HDC dc = gdi::CreateScreenDC();
    const int colors = gdi::GetDeviceCaps(dc, gdi::NUMCOLORS);
    gdi::DeleteDC(dc);
    return colors == -1;
}

} // namespace lu
