#pragma once

#include "platform/framework/Graphics.h"

#include <string>

namespace lutest {

// A bitmap filled with one colour, drawn on through its canvas.
inline void Prepare(framework::TBitmap& b, int w, int h, gdi::TColor fill) {
    b.SetSize(w, h);
    b.Canvas()->Brush()->SetColor(fill);
    b.Canvas()->FillRect(framework::TRect{0, 0, w, h});
}

inline std::string ColorText(gdi::TColor c) {
    return std::to_string(gdi::GetRValue(c)) + "," + std::to_string(gdi::GetGValue(c)) + "," +
           std::to_string(gdi::GetBValue(c));
}

inline gdi::TColor Sys(gdi::TColor c) {
    return gdi::ColorToRGB(c) & 0xFFFFFF;
}

} // namespace lutest
