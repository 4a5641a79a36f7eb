#include "platform/gdi/Surface.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <string>

namespace gdi {

namespace {

void CheckSize(int width, int height, int bitsPerPixel) {
    if (width < 0 || height < 0 || (long long)width * height > (1LL << 28))
        throw rtl::Exception("Invalid bitmap size " + std::to_string(width) + " x " + std::to_string(height));
    if (bitsPerPixel != 1 && bitsPerPixel != 32)
        throw rtl::Exception("Unsupported bitmap depth " + std::to_string(bitsPerPixel));
}

} // namespace

Surface::Surface(int width, int height, int bitsPerPixel, COLORREF fill)
    : m_width(width), m_height(height), m_bitsPerPixel(bitsPerPixel) {
    CheckSize(width, height, bitsPerPixel);
    m_pixels.assign(std::size_t(width) * std::size_t(height), ToDevice(fill));
}

void Surface::Resize(int width, int height) {
    CheckSize(width, height, m_bitsPerPixel);
    if (width == m_width && height == m_height)
        return;
    std::vector<std::uint32_t> pixels(std::size_t(width) * std::size_t(height), 0xFFFFFF);
    int w = std::min(width, m_width);
    int h = std::min(height, m_height);
    for (int y = 0; y < h; ++y)
        std::copy_n(Row(y), w, pixels.data() + std::size_t(y) * std::size_t(width));
    m_pixels = std::move(pixels);
    m_width = width;
    m_height = height;
}

void Surface::Fill(COLORREF color) {
    std::fill(m_pixels.begin(), m_pixels.end(), ToDevice(color));
}

} // namespace gdi
