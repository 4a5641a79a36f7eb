#include "platform/gdi/Color.h"

#include <array>

namespace gdi {

namespace {

constexpr std::array<COLORREF, COLOR_ENDCOLORS> kStandardColors = {
    RGB(212, 208, 200), // scroll bar
    RGB(58, 110, 165),  // desktop
    RGB(10, 36, 106),   // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(212, 208, 200), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(212, 208, 200), // active border
    RGB(212, 208, 200), // inactive border
    RGB(128, 128, 128), // application workspace
    RGB(10, 36, 106),   // highlight
    RGB(255, 255, 255), // highlight text
    RGB(212, 208, 200), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // grey text
    RGB(0, 0, 0),       // button text
    RGB(212, 208, 200), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(64, 64, 64),    // 3D dark shadow
    RGB(212, 208, 200), // 3D light
    RGB(0, 0, 0),       // info text
    RGB(255, 255, 225), // info background
    RGB(181, 181, 181), // (unused slot)
    RGB(0, 0, 128),     // hot light
    RGB(166, 202, 240), // gradient active caption
    RGB(192, 192, 192), // gradient inactive caption
    RGB(49, 106, 197),  // menu highlight
    RGB(212, 208, 200), // menu bar
};

std::array<COLORREF, COLOR_ENDCOLORS>& Table() {
    static std::array<COLORREF, COLOR_ENDCOLORS> table = kStandardColors;
    return table;
}

} // namespace

COLORREF GetSysColor(int index) {
    if (index < 0 || index >= COLOR_ENDCOLORS)
        return 0;
    return Table()[std::size_t(index)];
}

void SetSysColorForTest(int index, COLORREF color) {
    if (index >= 0 && index < COLOR_ENDCOLORS)
        Table()[std::size_t(index)] = color & 0xFFFFFF;
}

void ResetSysColors() {
    Table() = kStandardColors;
}

COLORREF ColorToRGB(TColor color) {
    if ((color & 0xFF000000) == clSystemColor)
        return GetSysColor(int(color & 0xFF));
    return color;
}

} // namespace gdi
