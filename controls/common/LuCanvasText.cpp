#include "controls/common/LuCanvasText.h"

namespace lu {

int DrawCanvasText(framework::TCanvas* canvas, const std::string& text, framework::TRect& r, unsigned flags) {
    gdi::HDC dc = canvas->Handle();
    gdi::HGDIOBJ old = gdi::SelectObject(dc, canvas->Font()->Handle());
    const int oldMode = gdi::SetBkMode(dc, gdi::TRANSPARENT);
    const gdi::COLORREF oldColor = gdi::SetTextColor(dc, framework::DeviceColor(canvas->Font()->Color()));
    const int height = gdi::DrawText(dc, text, &r, flags);
    gdi::SetTextColor(dc, oldColor);
    gdi::SetBkMode(dc, oldMode);
    gdi::SelectObject(dc, old);
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
