#include "controls/common/LuCanvasText.h"

namespace lu {

int DrawCanvasText(framework::TCanvas* canvas, const std::string& text, framework::TRect& r, unsigned flags) {
    // Measuring makes the canvas select its font and font colour; the font handle stays the
    // canvas's to release.
    canvas->TextExtent(std::string());
    gdi::HDC dc = canvas->Handle();
    const int oldMode = gdi::SetBkMode(dc, gdi::TRANSPARENT);
    const int height = gdi::DrawText(dc, text, &r, flags);
    gdi::SetBkMode(dc, oldMode);
    return height;
}

framework::TSize FontTextExtent(framework::TFont* font, const std::string& text) {
    gdi::HDC dc = gdi::CreateScreenDC();
    gdi::HGDIOBJ old = gdi::SelectObject(dc, font->Handle());
    framework::TSize size{0, 0};
    gdi::GetTextExtentPoint32(dc, text, &size);
    gdi::SelectObject(dc, old);
    gdi::DeleteDC(dc);
    return size;
}

} // namespace lu
