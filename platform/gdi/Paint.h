#pragma once

// Pixel-level helpers shared by the drawing, transfer and text units of the device.

#include "platform/gdi/DeviceContext.h"

#include <cstdint>

namespace gdi::paint {

inline std::uint32_t Mix2(int rop2, std::uint32_t pen, std::uint32_t dst) {
    switch (rop2) {
    case R2_COPYPEN:
        return pen;
    case R2_XORPEN:
        return pen ^ dst;
    case R2_NOT:
        return ~dst & 0xFFFFFF;
    case R2_NOP:
        return dst;
    default: {
        int index = rop2 - 1;
        std::uint32_t r = 0;
        if (index & 1)
            r |= ~pen & ~dst;
        if (index & 2)
            r |= ~pen & dst;
        if (index & 4)
            r |= pen & ~dst;
        if (index & 8)
            r |= pen & dst;
        return r & 0xFFFFFF;
    }
    }
}

inline int Mod(int a, int m) {
    int r = a % m;
    return r < 0 ? r + m : r;
}

// What a brush paints at each device pixel.
struct BrushSource {
    bool none = false;
    const Surface* pattern = nullptr;
    std::uint32_t color = 0;
    std::uint32_t black = 0; // a monochrome pattern's black and white, resolved for the target
    std::uint32_t white = 0xFFFFFF;
    POINT origin{};
};

BrushSource SourceOf(HDC dc, HBRUSH brush);
// Fills a device rectangle, honouring the clip.
void FillDevice(HDC dc, const RECT& deviceRect, const BrushSource& brush, int rop2 = R2_COPYPEN);
// Fills the pixels of a region given in device coordinates, honouring the clip.
void FillDeviceRegion(HDC dc, const RegionData& region, const BrushSource& brush, int rop2 = R2_COPYPEN);
// Draws a pen line in device coordinates, leaving out the end point.
void DeviceLine(HDC dc, POINT from, POINT to);

} // namespace gdi::paint
