#pragma once

#include "platform/gdi/DeviceContext.h"

#include <string_view>

namespace gdi {

enum : unsigned { ETO_OPAQUE = 2, ETO_CLIPPED = 4 };

enum : unsigned {
    DT_TOP = 0,
    DT_LEFT = 0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_EXTERNALLEADING = 0x200,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_EDITCONTROL = 0x2000,
    DT_PATH_ELLIPSIS = 0x4000,
    DT_END_ELLIPSIS = 0x8000,
    DT_RTLREADING = 0x20000,
    DT_WORD_ELLIPSIS = 0x40000,
    DT_NOFULLWIDTHCHARBREAK = 0x80000,
    DT_HIDEPREFIX = 0x100000,
};

enum : int { TMPF_FIXED_PITCH = 1, TMPF_VECTOR = 2, TMPF_TRUETYPE = 4, TMPF_DEVICE = 8 };

struct TEXTMETRIC {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmWeight = 0;
    int tmOverhang = 0;
    int tmDigitizedAspectX = 96;
    int tmDigitizedAspectY = 96;
    char32_t tmFirstChar = 0x20;
    char32_t tmLastChar = 0xFFFF;
    char32_t tmDefaultChar = 0x1F;
    char32_t tmBreakChar = 0x20;
    bool tmItalic = false;
    bool tmUnderlined = false;
    bool tmStruckOut = false;
    int tmPitchAndFamily =
        0; // TMPF_TRUETYPE marks an outline face; TMPF_FIXED_PITCH set means variable pitch
    int tmCharSet = 0;
};

bool GetTextMetrics(HDC dc, TEXTMETRIC* out);
// The unrotated advance width of the text and the full cell height, whatever the characters.
bool GetTextExtentPoint32(HDC dc, std::string_view text, SIZE* out);
// The advance of every character from first to last; a text's extent is the sum of its advances.
bool GetCharWidth32(HDC dc, char32_t first, char32_t last, int* widths);

// The reference point is placed by the text alignment (top left of the cell by default) and the
// text turns about it by the font's escapement. Opaque background mode fills the cell.
bool TextOut(HDC dc, int x, int y, std::string_view text);
// ETO_OPAQUE fills the rectangle with the background colour first; ETO_CLIPPED clips to it.
// dx, when given, holds one advance per code point.
bool ExtTextOut(HDC dc, int x, int y, unsigned options, const RECT* r, std::string_view text,
                const int* dx = nullptr);

// Lays out and draws text in a rectangle; returns the height of the text. With DT_CALCRECT it
// draws nothing and sets the rectangle's right to its left plus the widest line and its bottom to
// its top plus the height. count is in code points; -1 takes the whole text.
int DrawText(HDC dc, std::string_view text, int count, RECT* r, unsigned format);
inline int DrawText(HDC dc, std::string_view text, RECT* r, unsigned format) {
    return DrawText(dc, text, -1, r, format);
}

} // namespace gdi
