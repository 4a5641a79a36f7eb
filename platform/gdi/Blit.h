#pragma once

#include "platform/gdi/DeviceContext.h"

namespace gdi {

// Raster operations: the high word's low byte is the truth table over pattern, source, destination.
enum : unsigned {
    SRCCOPY = 0x00CC0020,
    SRCPAINT = 0x00EE0086,
    SRCAND = 0x008800C6,
    SRCINVERT = 0x00660046,
    SRCERASE = 0x00440328,
    NOTSRCCOPY = 0x00330008,
    NOTSRCERASE = 0x001100A6,
    MERGECOPY = 0x00C000CA,
    MERGEPAINT = 0x00BB0226,
    PATCOPY = 0x00F00021,
    PATPAINT = 0x00FB0A09,
    PATINVERT = 0x005A0049,
    DSTINVERT = 0x00550009,
    BLACKNESS = 0x00000042,
    WHITENESS = 0x00FF0062,
};

// Colour to monochrome: source pixels equal to the source context's background colour become
// white, all others black. Monochrome to colour: black becomes the destination's text colour and
// white its background colour. Copies within one context behave as if the source were read first.
bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, unsigned rop);
// Nearest-pixel scaling; negative sizes mirror.
bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh,
                unsigned rop);
bool PatBlt(HDC dst, int x, int y, int width, int height, unsigned rop);
// Stretches the source like StretchBlt; where the mask (sampled at the same source positions,
// offset to mx, my) is white the destination is kept, where it is black the source is copied.
bool MaskedStretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh,
                      HDC mask, int mx, int my);
// Copies the source except the pixels of the transparent colour.
bool TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh,
                    COLORREF transparent);
// Replaces every pixel of one colour by another.
void ReplaceColor(HBITMAP bitmap, COLORREF from, COLORREF to);

} // namespace gdi
