#include "controls/common/LuBorders.h"

#include "controls/common/LuColorMath.h"

#include <string>

namespace lu {

using namespace gdi;

const TFrameStyleColorTables FrameStyleColors = {
    {clWindow, cl3DDkShadow, clBtnShadow, clBtnHighlight, clBtnShadow, clNone, cl3DDkShadow, clNone,
     clBtnShadow, clBtnHighlight, clBtnShadow},
    {clWindow, cl3DDkShadow, clBtnHighlight, clBtnShadow, clBtnHighlight, clNone, clBtnFace, clNone,
     clBtnHighlight, clBtnShadow, clBtnShadow},
};

const TRingColors SunkenRaisedColors[2] = {
    {cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
    {clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight},
};

const TRingColors ButtonFrameColors[2] = {
    {clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow},
    {clBtnText, clBtnText, clBtnShadow, clBtnShadow},
};

namespace {

void RequireStyle(TFrameStyle style) {
    if (int(style) >= FrameStyleCount)
        throw framework::EInvalidOperation("Invalid frame style " + std::to_string(int(style)));
}

TCanvas* Require(TCanvas* canvas, const char* routine) {
    if (canvas == nullptr)
        throw framework::EInvalidOperation(std::string(routine) + " needs a canvas");
    return canvas;
}

TRect TwoRings(TCanvas* canvas, const TRect& r, TColor outerUL, TColor outerLR, TColor innerUL,
               TColor innerLR, TSides sides) {
    TRect inner = PaintFlatFrameSides(canvas, r, outerUL, outerLR, sides);
    return PaintFlatFrameSides(canvas, inner, innerUL, innerLR, sides);
}

TRect PaintRings(TCanvas* canvas, const TRect& r, const TRingColors& c, TSides sides) {
    TRect inner = PaintBevel(canvas, r, c.OuterUpperLeft, c.OuterLowerRight, 1, sides);
    return PaintBevel(canvas, inner, c.InnerUpperLeft, c.InnerLowerRight, 1, sides);
}

} // namespace

TRect ShrinkSides(const TRect& r, TSides sides, int by) {
    TRect out = r;
    if (sides.Contains(sdLeft))
        out.left += by;
    if (sides.Contains(sdTop))
        out.top += by;
    if (sides.Contains(sdRight))
        out.right -= by;
    if (sides.Contains(sdBottom))
        out.bottom -= by;
    return out;
}

TRect PaintFlatFrameSides(TCanvas* canvas, const TRect& r, TColor upperLeft, TColor lowerRight,
                          TSides sides) {
    Require(canvas, "PaintFlatFrameSides");
    canvas->Pen()->SetColor(upperLeft);
    if (sides.Contains(sdLeft)) {
        canvas->MoveTo(r.left, r.top);
        canvas->LineTo(r.left, r.bottom);
    }
    if (sides.Contains(sdTop)) {
        canvas->MoveTo(r.left, r.top);
        canvas->LineTo(r.right, r.top);
    }
    canvas->Pen()->SetColor(lowerRight);
    if (sides.Contains(sdRight)) {
        canvas->MoveTo(r.right - 1, r.top);
        canvas->LineTo(r.right - 1, r.bottom);
    }
    if (sides.Contains(sdBottom)) {
        canvas->MoveTo(r.left, r.bottom - 1);
        canvas->LineTo(r.right, r.bottom - 1);
    }
    return ShrinkSides(r, sides, 1);
}

TRect PaintBevel(TCanvas* canvas, const TRect& r, TColor upperLeft, TColor lowerRight, int width,
                 TSides sides) {
    Require(canvas, "PaintBevel");
    canvas->Pen()->SetWidth(1);
    TRect out = r;
    for (int i = 0; i < width; ++i)
        out = PaintFlatFrameSides(canvas, out, upperLeft, lowerRight, sides);
    return out;
}

TRect PaintSunkenRaisedSides(TCanvas* canvas, const TRect& r, bool lowered, TSides sides) {
    return PaintRings(Require(canvas, "PaintSunkenRaisedSides"), r, SunkenRaisedColors[lowered ? 1 : 0],
                      sides);
}

TRect PaintButtonBorderSides(TCanvas* canvas, const TRect& r, bool down, TSides sides) {
    return PaintRings(Require(canvas, "PaintButtonBorderSides"), r, ButtonFrameColors[down ? 1 : 0], sides);
}

TRect PaintButtonBorder(TCanvas* canvas, const TRect& r, bool down) {
    return PaintButtonBorderSides(canvas, r, down, sdAllSides);
}

TRect PaintColorButtonBorderSides(TCanvas* canvas, const TRect& r, TColor base, bool down, TSides sides) {
    Require(canvas, "PaintColorButtonBorderSides");
    const TColor d100 = DarkenColor(base, 100);
    const TColor d50 = DarkenColor(base, 50);
    if (down)
        return TwoRings(canvas, r, d100, d100, d50, d50, sides);
    return TwoRings(canvas, r, LightenColor(base, 100), d100, LightenColor(base, 40), d50, sides);
}

TRect PaintColorButtonBorder(TCanvas* canvas, const TRect& r, TColor base, bool down) {
    return PaintColorButtonBorderSides(canvas, r, base, down, sdAllSides);
}

TRect PaintEtchedFrame(TCanvas* canvas, const TRect& r, TColor upperLeft, TColor lowerRight, TSides sides) {
    Require(canvas, "PaintEtchedFrame");
    const bool left = sides.Contains(sdLeft);
    const bool top = sides.Contains(sdTop);
    const bool right = sides.Contains(sdRight);
    const bool bottom = sides.Contains(sdBottom);
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    if (right)
        canvas->SetPixels(R - 1, T, lowerRight);
    if (top && !right)
        canvas->SetPixels(R - 1, T, upperLeft);
    if (bottom)
        canvas->SetPixels(L, B - 1, lowerRight);
    if (left && !bottom)
        canvas->SetPixels(L, B - 1, upperLeft);
    if (top && !left)
        canvas->SetPixels(L, T + 1, lowerRight);
    if (left && !top)
        canvas->SetPixels(L + 1, T, lowerRight);
    if (bottom && !right)
        canvas->SetPixels(R - 1, B - 2, upperLeft);
    if (right && !bottom)
        canvas->SetPixels(R - 2, B - 1, upperLeft);
    PaintFlatFrameSides(canvas, TRect{L + 1, T + 1, R, B}, lowerRight, lowerRight, sides);
    PaintFlatFrameSides(canvas, TRect{L, T, R - 1, B - 1}, upperLeft, upperLeft, sides);
    return ShrinkSides(r, sides, 2);
}

TRect PaintBorderSides(TCanvas* canvas, const TRect& r, TFrameStyle style, TSides sides) {
    Require(canvas, "PaintBorderSides");
    RequireStyle(style);
    if (sides.Empty())
        return r;
    const TColor ul = FrameStyleColors.UpperLeft[style];
    const TColor lr = FrameStyleColors.LowerRight[style];
    switch (style) {
    case fsNone:
        return r;
    case fsFlat:
    case fsStatus:
    case fsPopup:
        return PaintFlatFrameSides(canvas, r, ul, lr, sides);
    case fsFlatBold:
        return PaintBevel(canvas, r, ul, lr, 2, sides);
    case fsLowered:
        return PaintSunkenRaisedSides(canvas, r, true, sides);
    case fsRaised:
        return PaintSunkenRaisedSides(canvas, r, false, sides);
    case fsButtonDown:
        return PaintButtonBorderSides(canvas, r, true, sides);
    case fsButtonUp:
        return PaintButtonBorderSides(canvas, r, false, sides);
    case fsGroove:
    case fsBump:
        return PaintEtchedFrame(canvas, r, ul, lr, sides);
    }
    throw framework::EInvalidOperation("Invalid frame style " + std::to_string(int(style)));
}

TRect PaintBorder(TCanvas* canvas, const TRect& r, TFrameStyle style) {
    return PaintBorderSides(canvas, r, style, sdAllSides);
}

TRect PaintColorBorderSides(TCanvas* canvas, const TRect& r, TColor base, TFrameStyle style, TSides sides) {
    Require(canvas, "PaintColorBorderSides");
    RequireStyle(style);
    if (sides.Empty())
        return r;
    auto D = [base](std::uint8_t n) { return DarkenColor(base, n); };
    auto Li = [base](std::uint8_t n) { return LightenColor(base, n); };
    switch (style) {
    case fsNone:
        return r;
    case fsFlat:
        return PaintFlatFrameSides(canvas, r, D(50), D(50), sides);
    case fsStatus:
        return PaintFlatFrameSides(canvas, r, D(50), Li(100), sides);
    case fsPopup:
        return PaintFlatFrameSides(canvas, r, Li(100), D(50), sides);
    case fsFlatBold:
        return TwoRings(canvas, r, D(50), D(50), D(50), D(50), sides);
    case fsLowered:
        return TwoRings(canvas, r, D(50), Li(100), D(100), Li(50), sides);
    case fsRaised:
        return TwoRings(canvas, r, Li(50), D(100), Li(100), D(50), sides);
    case fsButtonDown:
    case fsButtonUp:
        return PaintColorButtonBorderSides(canvas, r, base, style == fsButtonDown, sides);
    case fsGroove:
        return PaintEtchedFrame(canvas, r, D(50), Li(100), sides);
    case fsBump:
        return PaintEtchedFrame(canvas, r, Li(100), D(50), sides);
    }
    throw framework::EInvalidOperation("Invalid frame style " + std::to_string(int(style)));
}

TRect PaintColorBorder(TCanvas* canvas, const TRect& r, TColor base, TFrameStyle style) {
    return PaintColorBorderSides(canvas, r, base, style, sdAllSides);
}

void PaintFrameStyle(TCanvas* canvas, int width, int height, TFrameStyle style, TColor background,
                     TColor frameColor, TSides sides, bool keepBackground) {
    Require(canvas, "PaintFrameStyle");
    RequireStyle(style);
    const TRect r{0, 0, width, height};
    if (!keepBackground)
        PaintBevel(canvas, r, background, background, 2, sdAllSides);
    switch (style) {
    case fsFlat:
        PaintFlatFrameSides(canvas, r, frameColor, frameColor, sides);
        break;
    case fsFlatBold:
        PaintBevel(canvas, r, frameColor, frameColor, 2, sides);
        break;
    default:
        if (background == clWindow)
            PaintBorderSides(canvas, r, style, sides);
        else
            PaintColorBorderSides(canvas, r, background, style, sides);
        break;
    }
}

TRect PaintFocusBorder(TCanvas* canvas, const TRect& r) {
    Require(canvas, "PaintFocusBorder");
    for (int y = r.top + 1; y < r.bottom; y += 2)
        canvas->SetPixels(r.left, y, 0);
    for (int y = r.top + 1; y < r.bottom; y += 2)
        canvas->SetPixels(r.right - 1, y, 0);
    for (int x = r.left + 1; x < r.right; x += 2)
        canvas->SetPixels(x, r.top, 0);
    for (int x = r.left + 1; x < r.right; x += 2)
        canvas->SetPixels(x, r.bottom - 1, 0);
    return TRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
}

} // namespace lu
