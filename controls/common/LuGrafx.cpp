#include "controls/common/LuGrafx.h"

#include "platform/framework/CustomControl.h"
#include "platform/framework/Forms.h"
#include "platform/win/WinConst.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace lu {

using framework::TBitmap;

namespace {

void RequireCanvas(const void* canvas, const char* routine) {
    if (canvas == nullptr)
        throw framework::EInvalidOperation(std::string(routine) + " needs a canvas");
}

// Doubles the filled block at the origin alternately down and to the right until it covers w x h.
void DoublingCopy(gdi::HDC dc, int filledWidth, int filledHeight, int width, int height) {
    bool heightNext = height > filledHeight;
    while (filledWidth < width || filledHeight < height) {
        if (heightNext ? filledHeight < height : filledWidth >= width) {
            int rows = std::min(filledHeight, height - filledHeight);
            gdi::BitBlt(dc, 0, filledHeight, filledWidth, rows, dc, 0, 0, gdi::SRCCOPY);
            filledHeight += rows;
            heightNext = false;
        } else {
            int columns = std::min(filledWidth, width - filledWidth);
            gdi::BitBlt(dc, filledWidth, 0, columns, filledHeight, dc, 0, 0, gdi::SRCCOPY);
            filledWidth += columns;
            heightNext = true;
        }
    }
}

} // namespace

void PaintTransparentBitmap(TCanvas* target, TBitmap* source, const TRect& dest, const TRect& src,
                            TColor transparentColor) {
    RequireCanvas(target, "PaintTransparentBitmap");
    if (source == nullptr)
        throw framework::EInvalidOperation("PaintTransparentBitmap needs a source bitmap");
    const int w = dest.Width();
    const int h = dest.Height();
    if (w <= 0 || h <= 0 || src.Width() <= 0 || src.Height() <= 0)
        return;

    TBitmap image;
    image.SetSize(w, h);
    gdi::HDC imageDc = image.Canvas()->Handle();
    gdi::StretchBlt(imageDc, 0, 0, w, h, source->Canvas()->Handle(), src.left, src.top, src.Width(),
                    src.Height(), gdi::SRCCOPY);

    // Pixels of the transparent colour become white in the mask, all others black.
    TBitmap mask;
    mask.SetMonochrome(true);
    mask.SetSize(w, h);
    gdi::SetBkColor(imageDc, gdi::ColorToRGB(transparentColor) & 0xFFFFFF);
    gdi::HDC maskDc = mask.Canvas()->Handle();
    gdi::BitBlt(maskDc, 0, 0, w, h, imageDc, 0, 0, gdi::SRCCOPY);

    gdi::MaskedStretchBlt(target->Handle(), dest.left, dest.top, w, h, imageDc, 0, 0, w, h, maskDc, 0, 0);
}

void FillGradientBands(gdi::HDC dc, TOrientation orientation, int extent, TColor first, TColor second,
                       std::uint8_t bandParameter) {
    if (dc == nullptr)
        throw framework::EInvalidOperation("FillGradientBands needs a device context");
    if (extent <= 0)
        return;
    int band = bandParameter;
    if (band > 8)
        band = 255 / band + 1;
    const int minLength = std::max(band - 1, 0) + 1;

    const gdi::COLORREF from = gdi::ColorToRGB(first);
    const gdi::COLORREF to = gdi::ColorToRGB(second);
    std::int32_t acc[3] = {gdi::GetRValue(to) << 16, gdi::GetGValue(to) << 16, gdi::GetBValue(to) << 16};
    const std::int32_t target[3] = {gdi::GetRValue(from) << 16, gdi::GetGValue(from) << 16,
                                    gdi::GetBValue(from) << 16};
    std::int32_t delta[3];
    for (int i = 0; i < 3; ++i)
        delta[i] = (target[i] - acc[i]) / extent; // truncates toward zero

    auto colorOf = [&] { return gdi::RGB(acc[0] >> 16, acc[1] >> 16, acc[2] >> 16); };
    gdi::COLORREF current = colorOf();
    int cursor = extent;
    do {
        const gdi::COLORREF bandColor = current;
        const int start = cursor;
        int length = 0;
        do {
            for (int i = 0; i < 3; ++i)
                acc[i] += delta[i];
            current = colorOf();
            --cursor;
            ++length;
        } while ((current == bandColor || length < minLength) && cursor >= 1);
        gdi::RECT r =
            orientation == orVertical ? gdi::RECT{0, cursor, 8, start} : gdi::RECT{cursor, 0, start, 8};
        gdi::HBRUSH brush = gdi::CreateSolidBrush(bandColor);
        gdi::FillRect(dc, &r, brush);
        gdi::DeleteObject(brush);
    } while (cursor >= 1);
}

void PaintGradient(TCanvas* target, const TRect& r, TOrientation orientation, TColor first, TColor second,
                   std::uint8_t bandParameter) {
    RequireCanvas(target, "PaintGradient");
    const int w = r.Width();
    const int h = r.Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap buffer;
    buffer.SetSize(w, h);
    gdi::HDC dc = buffer.Canvas()->Handle();
    if (orientation == orVertical) {
        FillGradientBands(dc, orVertical, h, first, second, bandParameter);
        DoublingCopy(dc, std::min(8, w), h, w, h);
    } else {
        FillGradientBands(dc, orHorizontal, w, first, second, bandParameter);
        DoublingCopy(dc, w, std::min(8, h), w, h);
    }
    target->Draw(r.left, r.top, &buffer);
}

void PaintParentBackground(framework::TControl* control, gdi::HDC dc, bool invalidateParent) {
    if (control == nullptr)
        throw framework::EInvalidOperation("PaintParentBackground needs a control");
    framework::TWinControl* parent = control->Parent();
    if (parent == nullptr)
        return;
    if (dc == nullptr)
        throw framework::EInvalidOperation("PaintParentBackground needs a device context");
    // A windowless control painted by its parent's WM_PAINT would come back here for ever.
    static thread_local std::vector<const framework::TControl*> painting;
    if (std::find(painting.begin(), painting.end(), control) != painting.end())
        return;
    painting.push_back(control);
    const int saved = gdi::SaveDC(dc);
    try {
        gdi::POINT origin;
        gdi::GetViewportOrgEx(dc, &origin);
        gdi::SetViewportOrgEx(dc, origin.x - control->Left(), origin.y - control->Top(), nullptr);
        gdi::IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
        parent->Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(dc), 0);
        parent->Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(dc), 0);
    } catch (...) {
        gdi::RestoreDC(dc, saved);
        painting.pop_back();
        throw;
    }
    gdi::RestoreDC(dc, saved);
    painting.pop_back();

    if (invalidateParent && dynamic_cast<framework::TCustomControl*>(parent) == nullptr &&
        dynamic_cast<framework::TCustomForm*>(parent) == nullptr &&
        !control->ComponentState().Contains(framework::csDesigning))
        parent->Invalidate();
}

void PaintParentBackground(framework::TControl* control, TCanvas* canvas, bool invalidateParent) {
    RequireCanvas(canvas, "PaintParentBackground");
    PaintParentBackground(control, canvas->Handle(), invalidateParent);
}

} // namespace lu
