#include "platform/gdi/Drawing.h"

#include "platform/gdi/Paint.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace gdi {

namespace paint {

BrushSource SourceOf(HDC dc, HBRUSH brush) {
    BrushSource s;
    Surface* target = dc->Target();
    if (!brush || brush->log.lbStyle == BS_NULL || !target) {
        s.none = true;
        return s;
    }
    if (brush->log.lbStyle == BS_PATTERN) {
        s.pattern = &brush->pattern;
        s.black = target->ToDevice(dc->State().textColor);
        s.white = target->ToDevice(dc->State().bkColor);
        s.origin = dc->State().brushOrg;
        return s;
    }
    COLORREF color = brush->sysColorIndex >= 0 ? GetSysColor(brush->sysColorIndex) : brush->log.lbColor;
    s.color = target->ToDevice(color);
    return s;
}

void FillDevice(HDC dc, const RECT& deviceRect, const BrushSource& brush, int rop2) {
    if (brush.none || rop2 == R2_NOP)
        return;
    Surface* target = dc->Target();
    dc->ForEachVisibleRect(deviceRect, [&](const RECT& r) {
        int w = r.right - r.left;
        if (!brush.pattern) {
            // A local copy: the pixel writes could otherwise alias the colour and stop vectorising.
            const std::uint32_t color = brush.color;
            for (int y = r.top; y < r.bottom; ++y) {
                std::uint32_t* row = target->Row(y) + r.left;
                if (rop2 == R2_COPYPEN) {
                    std::fill_n(row, w, color);
                } else {
                    for (int i = 0; i < w; ++i)
                        row[i] = Mix2(rop2, color, row[i]);
                }
            }
            return;
        }
        const Surface& p = *brush.pattern;
        bool mono = p.IsMonochrome();
        bool onMono = target->IsMonochrome();
        for (int y = r.top; y < r.bottom; ++y) {
            std::uint32_t* row = target->Row(y);
            const std::uint32_t* prow = p.Row(Mod(y - brush.origin.y, p.Height()));
            int px = Mod(r.left - brush.origin.x, p.Width());
            for (int x = r.left; x < r.right; ++x) {
                std::uint32_t c = prow[px];
                if (mono)
                    c = c ? brush.white : brush.black;
                else if (onMono)
                    c = target->ToDevice(c);
                row[x] = rop2 == R2_COPYPEN ? c : Mix2(rop2, c, row[x]);
                if (++px == p.Width())
                    px = 0;
            }
        }
    });
}

void FillDeviceRegion(HDC dc, const RegionData& region, const BrushSource& brush, int rop2) {
    for (const Band& band : region.Bands())
        for (const Span& s : band.spans)
            FillDevice(dc, RECT{s.left, band.top, s.right, band.bottom}, brush, rop2);
}

namespace {

struct DashPattern {
    const int* lengths;
    int count;
};

DashPattern PatternOf(int style) {
    static const int dash[] = {18, 6};
    static const int dot[] = {3, 3};
    static const int dashDot[] = {9, 6, 3, 6};
    static const int dashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (style) {
    case PS_DASH:
        return {dash, 2};
    case PS_DOT:
        return {dot, 2};
    case PS_DASHDOT:
        return {dashDot, 4};
    case PS_DASHDOTDOT:
        return {dashDotDot, 6};
    default:
        return {nullptr, 0};
    }
}

} // namespace

void DeviceLine(HDC dc, POINT a, POINT b) {
    const DcState& state = dc->State();
    const LOGPEN& pen = state.pen->log;
    Surface* target = dc->Target();
    if (pen.lopnStyle == PS_NULL || !target || a == b)
        return;
    std::uint32_t color = target->ToDevice(pen.lopnColor);
    int width = std::max(1, pen.lopnWidth.x);
    int rop2 = state.rop2;
    DashPattern dashes = width == 1 ? PatternOf(pen.lopnStyle) : DashPattern{nullptr, 0};
    if (!dashes.lengths && width == 1 && a.y == b.y) {
        BrushSource solid;
        solid.color = color;
        RECT r = a.x < b.x ? RECT{a.x, a.y, b.x, a.y + 1} : RECT{b.x + 1, a.y, a.x + 1, a.y + 1};
        FillDevice(dc, r, solid, rop2);
        return;
    }
    std::uint32_t bk = target->ToDevice(state.bkColor);
    bool opaqueGaps = state.bkMode == OPAQUE;
    int dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y);
    int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int err = dx - dy;
    int x = a.x, y = a.y;
    int steps = std::max(dx, dy);
    int dashIndex = 0, dashLeft = dashes.lengths ? dashes.lengths[0] : 0;
    for (int i = 0; i < steps; ++i) {
        bool on = true;
        if (dashes.lengths) {
            on = dashIndex % 2 == 0;
            if (--dashLeft == 0) {
                dashIndex = (dashIndex + 1) % dashes.count;
                dashLeft = dashes.lengths[dashIndex];
            }
        }
        if (on || opaqueGaps) {
            std::uint32_t c = on ? color : bk;
            if (width == 1) {
                if (dc->IsVisible(x, y)) {
                    std::uint32_t& px = target->Row(y)[x];
                    px = Mix2(rop2, c, px);
                }
            } else {
                BrushSource solid;
                solid.color = c;
                int x0 = x - width / 2, y0 = y - width / 2;
                FillDevice(dc, RECT{x0, y0, x0 + width, y0 + width}, solid, rop2);
            }
        }
        int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
}

} // namespace paint

namespace {

POINT Dev(HDC dc, int x, int y) {
    return dc->ToDevice(x, y);
}

RECT DevRect(HDC dc, const RECT& r) {
    POINT o = dc->DeviceOffset();
    return RECT{r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y};
}

} // namespace

bool LineTo(HDC dc, int x, int y) {
    if (!dc)
        return false;
    POINT& cp = dc->State().currentPos;
    paint::DeviceLine(dc, Dev(dc, cp.x, cp.y), Dev(dc, x, y));
    cp = POINT{x, y};
    return true;
}

bool Polyline(HDC dc, const POINT* points, int count) {
    if (!dc || !points || count < 2)
        return false;
    for (int i = 0; i + 1 < count; ++i)
        paint::DeviceLine(dc, Dev(dc, points[i].x, points[i].y), Dev(dc, points[i + 1].x, points[i + 1].y));
    return true;
}

bool Polygon(HDC dc, const POINT* points, int count) {
    if (!dc || !points || count < 2)
        return false;
    POINT o = dc->DeviceOffset();
    std::vector<POINT> device(points, points + count);
    for (POINT& p : device) {
        p.x += o.x;
        p.y += o.y;
    }
    paint::BrushSource brush = paint::SourceOf(dc, dc->State().brush);
    if (!brush.none && count >= 3)
        paint::FillDeviceRegion(dc, RegionData::FromPolygon(device.data(), count, dc->State().polyFillMode),
                                brush, dc->State().rop2);
    for (int i = 0; i < count; ++i)
        paint::DeviceLine(dc, device[std::size_t(i)], device[std::size_t((i + 1) % count)]);
    return true;
}

bool Rectangle(HDC dc, int left, int top, int right, int bottom) {
    if (!dc)
        return false;
    RECT r = DevRect(dc, NormalizeRect(RECT{left, top, right, bottom}));
    const DcState& state = dc->State();
    paint::BrushSource brush = paint::SourceOf(dc, state.brush);
    if (state.pen->log.lopnStyle == PS_NULL) {
        paint::FillDevice(dc, RECT{r.left, r.top, r.right - 1, r.bottom - 1}, brush, state.rop2);
        return true;
    }
    if (r.right - r.left >= 2 && r.bottom - r.top >= 2)
        paint::FillDevice(dc, RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, brush, state.rop2);
    POINT corners[] = {
        {r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}};
    if (r.right - r.left == 1 || r.bottom - r.top == 1) {
        // A one-pixel-thin rectangle is a single line including both ends.
        POINT end = corners[2];
        bool thinX = r.right - r.left == 1, thinY = r.bottom - r.top == 1;
        end.x += thinX && !thinY ? 0 : 1;
        end.y += thinY ? 0 : 1;
        paint::DeviceLine(dc, corners[0], end);
        return true;
    }
    for (int i = 0; i < 4; ++i)
        paint::DeviceLine(dc, corners[i], corners[(i + 1) % 4]);
    return true;
}

bool FillRect(HDC dc, const RECT* r, HBRUSH brush) {
    if (!dc || !r || !brush)
        return false;
    paint::FillDevice(dc, DevRect(dc, *r), paint::SourceOf(dc, brush));
    return true;
}

bool FrameRect(HDC dc, const RECT* r, HBRUSH brush) {
    if (!dc || !r || !brush)
        return false;
    if (IsRectEmpty(r))
        return true;
    RECT d = DevRect(dc, *r);
    paint::BrushSource b = paint::SourceOf(dc, brush);
    paint::FillDevice(dc, RECT{d.left, d.top, d.right, d.top + 1}, b);
    paint::FillDevice(dc, RECT{d.left, d.bottom - 1, d.right, d.bottom}, b);
    paint::FillDevice(dc, RECT{d.left, d.top + 1, d.left + 1, d.bottom - 1}, b);
    paint::FillDevice(dc, RECT{d.right - 1, d.top + 1, d.right, d.bottom - 1}, b);
    return true;
}

bool InvertRect(HDC dc, const RECT* r) {
    if (!dc || !r)
        return false;
    paint::BrushSource white;
    white.color = 0xFFFFFF;
    paint::FillDevice(dc, DevRect(dc, *r), white, R2_XORPEN);
    return true;
}

bool DrawFocusRect(HDC dc, const RECT* r) {
    if (!dc || !r)
        return false;
    if (IsRectEmpty(r))
        return true;
    RECT d = DevRect(dc, *r);
    Surface* target = dc->Target();
    auto flip = [&](int x, int y) {
        if (((x - d.left) + (y - d.top)) % 2 == 0 && dc->IsVisible(x, y))
            target->Row(y)[x] ^= 0xFFFFFF;
    };
    for (int x = d.left; x < d.right; ++x) {
        flip(x, d.top);
        if (d.bottom - 1 > d.top)
            flip(x, d.bottom - 1);
    }
    for (int y = d.top + 1; y < d.bottom - 1; ++y) {
        flip(d.left, y);
        if (d.right - 1 > d.left)
            flip(d.right - 1, y);
    }
    return true;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    if (!dc)
        return CLR_INVALID;
    POINT p = Dev(dc, x, y);
    if (!dc->IsVisible(p.x, p.y))
        return CLR_INVALID;
    std::uint32_t v = dc->Target()->ToDevice(color);
    dc->Target()->Row(p.y)[p.x] = v;
    return v;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    if (!dc)
        return CLR_INVALID;
    POINT p = Dev(dc, x, y);
    if (!dc->IsVisible(p.x, p.y))
        return CLR_INVALID;
    return dc->Target()->Pixel(p.x, p.y);
}

bool FillRgn(HDC dc, HRGN region, HBRUSH brush) {
    if (!dc || !region || !brush)
        return false;
    RegionData device = region->data;
    POINT o = dc->DeviceOffset();
    device.Offset(o.x, o.y);
    paint::FillDeviceRegion(dc, device, paint::SourceOf(dc, brush));
    return true;
}

bool FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height) {
    if (!dc || !region || !brush || width < 1 || height < 1)
        return false;
    RegionData inner = region->data;
    for (auto [dx, dy] :
         {std::pair{width, 0}, std::pair{-width, 0}, std::pair{0, height}, std::pair{0, -height}}) {
        RegionData shifted = region->data;
        shifted.Offset(dx, dy);
        inner = RegionData::Combine(inner, shifted, RGN_AND);
    }
    RegionData frame = RegionData::Combine(region->data, inner, RGN_DIFF);
    POINT o = dc->DeviceOffset();
    frame.Offset(o.x, o.y);
    paint::FillDeviceRegion(dc, frame, paint::SourceOf(dc, brush));
    return true;
}

} // namespace gdi
