#pragma once

#include "platform/gdi/Color.h"

#include <cstdint>
#include <vector>

namespace gdi {

// A block of pixels, one 32-bit COLORREF-ordered value per pixel (0x00BBGGRR), rows top down.
// A monochrome surface holds only black (0) and white (0xFFFFFF); everything that writes to it
// goes through ToDevice so that it stays two-valued.
class Surface {
public:
    Surface() = default;
    Surface(int width, int height, int bitsPerPixel, COLORREF fill = 0xFFFFFF);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int BitsPerPixel() const { return m_bitsPerPixel; }
    bool IsMonochrome() const { return m_bitsPerPixel == 1; }

    std::uint32_t* Row(int y) { return m_pixels.data() + std::size_t(y) * std::size_t(m_width); }
    const std::uint32_t* Row(int y) const { return m_pixels.data() + std::size_t(y) * std::size_t(m_width); }
    std::uint32_t Pixel(int x, int y) const { return Row(y)[x]; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    // Changes the size; the kept area keeps its pixels and new area is white.
    void Resize(int width, int height);
    void Fill(COLORREF color);

    // The value a colour has on this surface: on a monochrome one, the nearer of black and white.
    std::uint32_t ToDevice(COLORREF color) const {
        color &= 0xFFFFFF;
        if (m_bitsPerPixel != 1)
            return color;
        return (GetRValue(color) + GetGValue(color) + GetBValue(color)) * 2 > 765 ? 0xFFFFFF : 0;
    }

private:
    int m_width = 0;
    int m_height = 0;
    int m_bitsPerPixel = 32;
    std::vector<std::uint32_t> m_pixels;
};

} // namespace gdi
