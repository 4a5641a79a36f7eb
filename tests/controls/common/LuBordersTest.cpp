#include "controls/common/LuCommon.h"

#include "LuTestCanvas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include "tests/support/Pictures.h"

namespace {

using framework::TBitmap;
using framework::TRect;
using gdi::RGB;
using lutest::ColorText;
using lutest::Prepare;
using lutest::Sys;
using namespace lu;

constexpr gdi::TColor Paper = RGB(1, 2, 3);

TEST(FrameStyles, OrdinalsAndTables) {
    EXPECT_EQ(int(fsNone), 0);
    EXPECT_EQ(int(fsButtonDown), 5);
    EXPECT_EQ(int(fsRaised), 6);
    EXPECT_EQ(int(fsFlatBold), 10);
    EXPECT_EQ(sizeof(TFrameStyle), 1u);
    EXPECT_EQ((TSides{sdLeft}).Bits(), 1u);
    EXPECT_EQ((TSides{sdTop}).Bits(), 2u);
    EXPECT_EQ((TSides{sdRight}).Bits(), 4u);
    EXPECT_EQ((TSides{sdBottom}).Bits(), 8u);
    EXPECT_EQ(sdAllSides.Bits(), 15u);
    EXPECT_EQ(int(avBottom), 2);
    EXPECT_EQ(int(tsShadow), 3);
    EXPECT_EQ(int(orVertical), 1);
    EXPECT_EQ(int(fpXPThemes), 1);
    EXPECT_EQ(framework::GetEnumValue(FrameStyleInfo, "fsFlatBold"), 10);
    EXPECT_EQ(framework::SetToString(SideInfo, 5, true), "[sdLeft,sdRight]");

    EXPECT_EQ(FrameStyleColors.UpperLeft[fsRaised], gdi::cl3DDkShadow);
    EXPECT_EQ(FrameStyleColors.LowerRight[fsRaised], gdi::clBtnFace);
    EXPECT_EQ(FrameStyleColors.UpperLeft[fsButtonUp], gdi::clNone);
    EXPECT_EQ(FrameStyleColors.LowerRight[fsGroove], gdi::clBtnHighlight);
    EXPECT_EQ(FrameStyleColors.UpperLeft[fsNone], gdi::clWindow);
    EXPECT_EQ(SunkenRaisedColors[1].InnerLowerRight, gdi::cl3DLight);
    EXPECT_EQ(ButtonFrameColors[1].OuterUpperLeft, gdi::clBtnText);
}

// Each style on a 6 x 6 bitmap: the four corner pixels and the rectangle left inside.
TEST(FrameStyles, CornerPixelsAndInnerRect) {
    using namespace gdi;
    const struct {
        TFrameStyle style;
        TColor topLeft, topRight, bottomLeft, bottomRight;
        TRect inner;
    } cases[] = {
        {fsNone, Paper, Paper, Paper, Paper, {0, 0, 6, 6}},
        {fsFlat, cl3DDkShadow, cl3DDkShadow, cl3DDkShadow, cl3DDkShadow, {1, 1, 5, 5}},
        {fsStatus, clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnHighlight, {1, 1, 5, 5}},
        {fsPopup, clBtnHighlight, clBtnShadow, clBtnShadow, clBtnShadow, {1, 1, 5, 5}},
        {fsFlatBold, clBtnShadow, clBtnShadow, clBtnShadow, clBtnShadow, {2, 2, 4, 4}},
        {fsLowered, clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnHighlight, {2, 2, 4, 4}},
        {fsRaised, cl3DLight, cl3DDkShadow, cl3DDkShadow, cl3DDkShadow, {2, 2, 4, 4}},
        {fsButtonDown, clBtnText, clBtnText, clBtnText, clBtnText, {2, 2, 4, 4}},
        {fsButtonUp, clBtnHighlight, cl3DDkShadow, cl3DDkShadow, cl3DDkShadow, {2, 2, 4, 4}},
        {fsGroove, clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnHighlight, {2, 2, 4, 4}},
        {fsBump, clBtnHighlight, clBtnShadow, clBtnShadow, clBtnShadow, {2, 2, 4, 4}},
    };
    // Distinct system colours, so that each check names one table entry.
    SetSysColorForTest(COLOR_BTNHIGHLIGHT, RGB(250, 250, 240));
    SetSysColorForTest(COLOR_3DLIGHT, RGB(220, 220, 210));
    SetSysColorForTest(COLOR_BTNTEXT, RGB(5, 5, 60));
    for (const auto& c : cases) {
        TBitmap b;
        Prepare(b, 6, 6, Paper);
        TRect inner = PaintBorder(b.Canvas(), TRect{0, 0, 6, 6}, c.style);
        SCOPED_TRACE(GetEnumName(FrameStyleInfo, c.style));
        EXPECT_EQ(inner, c.inner);
        EXPECT_EQ(ColorText(b.Canvas()->Pixels(0, 0)), ColorText(Sys(c.topLeft)));
        EXPECT_EQ(ColorText(b.Canvas()->Pixels(5, 0)), ColorText(Sys(c.topRight)));
        EXPECT_EQ(ColorText(b.Canvas()->Pixels(0, 5)), ColorText(Sys(c.bottomLeft)));
        EXPECT_EQ(ColorText(b.Canvas()->Pixels(5, 5)), ColorText(Sys(c.bottomRight)));
        // Nothing inside the frame is touched.
        EXPECT_EQ(b.Canvas()->Pixels(inner.left, inner.top), Paper);
    }
    ResetSysColors();
}

TEST(FrameStyles, GrooveOnTenByTen) {
    TBitmap b;
    Prepare(b, 10, 10, Paper);
    TRect inner = PaintBorder(b.Canvas(), TRect{0, 0, 10, 10}, fsGroove);
    EXPECT_EQ(inner, (TRect{2, 2, 8, 8}));
    const auto dark = Sys(gdi::clBtnShadow);
    const auto light = Sys(gdi::clBtnHighlight);
    EXPECT_EQ(b.Canvas()->Pixels(0, 5), dark);
    EXPECT_EQ(b.Canvas()->Pixels(1, 5), light);
    EXPECT_EQ(b.Canvas()->Pixels(8, 5), dark);
    EXPECT_EQ(b.Canvas()->Pixels(9, 5), light);
    EXPECT_EQ(b.Canvas()->Pixels(5, 8), dark);
    EXPECT_EQ(b.Canvas()->Pixels(5, 9), light);
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), light);
    EXPECT_EQ(b.Canvas()->Pixels(8, 8), dark);
    EXPECT_EQ(b.Canvas()->Pixels(2, 2), Paper);
}

TEST(FrameStyles, NothingForNoneAndEmptySides) {
    for (int s = 0; s < FrameStyleCount; ++s) {
        for (bool colour : {false, true}) {
            TBitmap b;
            Prepare(b, 8, 8, Paper);
            const TRect r{1, 1, 7, 7};
            TRect out =
                colour ? PaintColorBorderSides(b.Canvas(), r, RGB(90, 140, 200), TFrameStyle(s), TSides{})
                       : PaintBorderSides(b.Canvas(), r, TFrameStyle(s), TSides{});
            EXPECT_EQ(out, r) << s;
            if (s == fsNone)
                out = colour ? PaintColorBorder(b.Canvas(), r, RGB(90, 140, 200), fsNone)
                             : PaintBorder(b.Canvas(), r, fsNone);
            EXPECT_EQ(out, r) << s;
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    ASSERT_EQ(b.Canvas()->Pixels(x, y), Paper) << s << " at " << x << "," << y;
        }
    }
    TBitmap b;
    EXPECT_THROW(PaintBorder(b.Canvas(), TRect{0, 0, 2, 2}, TFrameStyle(11)), framework::EInvalidOperation);
    EXPECT_THROW(PaintBorder(nullptr, TRect{0, 0, 2, 2}, fsFlat), framework::EInvalidOperation);
}

TEST(FrameStyles, SingleSidesAndEtchedCorners) {
    TBitmap b;
    Prepare(b, 6, 6, Paper);
    TRect out = PaintBorderSides(b.Canvas(), TRect{0, 0, 6, 6}, fsFlat, {sdBottom});
    EXPECT_EQ(out, (TRect{0, 0, 6, 5}));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(b.Canvas()->Pixels(x, y), y == 5 ? Sys(gdi::cl3DDkShadow) : Paper) << x << "," << y;

    // Groove with only the top side: the open ends get the corner pixels.
    Prepare(b, 6, 6, Paper);
    out = PaintBorderSides(b.Canvas(), TRect{0, 0, 6, 6}, fsGroove, {sdTop});
    EXPECT_EQ(out, (TRect{0, 2, 6, 6}));
    EXPECT_EQ(b.Canvas()->Pixels(5, 0), Sys(gdi::clBtnShadow));    // top without right: upper-left colour
    EXPECT_EQ(b.Canvas()->Pixels(0, 1), Sys(gdi::clBtnHighlight)); // top without left
    EXPECT_EQ(b.Canvas()->Pixels(2, 0), Sys(gdi::clBtnShadow));
    EXPECT_EQ(b.Canvas()->Pixels(2, 1), Sys(gdi::clBtnHighlight));
    EXPECT_EQ(b.Canvas()->Pixels(2, 2), Paper);
}

TEST(FrameStyles, ColourBasedRings) {
    const gdi::TColor base = RGB(90, 140, 200);
    TBitmap b;
    Prepare(b, 6, 6, Paper);
    EXPECT_EQ(PaintColorBorder(b.Canvas(), TRect{0, 0, 6, 6}, base, fsLowered), (TRect{2, 2, 4, 4}));
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), DarkenColor(base, 50));
    EXPECT_EQ(b.Canvas()->Pixels(5, 5), LightenColor(base, 100));
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), DarkenColor(base, 100));
    EXPECT_EQ(b.Canvas()->Pixels(4, 4), LightenColor(base, 50));

    // A button down on white: both edges of each ring alike.
    Prepare(b, 6, 6, Paper);
    PaintColorBorderSides(b.Canvas(), TRect{0, 0, 6, 6}, gdi::clWhite, fsButtonDown, sdAllSides);
    const auto outer = DarkenColor(gdi::clWhite, 100);
    const auto inner = DarkenColor(gdi::clWhite, 50);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(b.Canvas()->Pixels(i, 0), outer);
        EXPECT_EQ(b.Canvas()->Pixels(i, 5), outer);
        EXPECT_EQ(b.Canvas()->Pixels(0, i), outer);
        EXPECT_EQ(b.Canvas()->Pixels(5, i), outer);
    }
    for (int i = 1; i < 5; ++i) {
        EXPECT_EQ(b.Canvas()->Pixels(i, 1), inner);
        EXPECT_EQ(b.Canvas()->Pixels(4, i), inner);
    }

    // The button up ring: lightened upper-left edges.
    Prepare(b, 6, 6, Paper);
    PaintColorButtonBorder(b.Canvas(), TRect{0, 0, 6, 6}, base, false);
    EXPECT_EQ(b.Canvas()->Pixels(0, 3), LightenColor(base, 100));
    EXPECT_EQ(b.Canvas()->Pixels(1, 3), LightenColor(base, 40));
    EXPECT_EQ(b.Canvas()->Pixels(5, 3), DarkenColor(base, 100));
    EXPECT_EQ(b.Canvas()->Pixels(4, 3), DarkenColor(base, 50));

    // Bevel: width rings, width 0 draws nothing.
    Prepare(b, 8, 8, Paper);
    EXPECT_EQ(PaintBevel(b.Canvas(), TRect{0, 0, 8, 8}, gdi::clRed, gdi::clBlue, 0, sdAllSides),
              (TRect{0, 0, 8, 8}));
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), Paper);
    EXPECT_EQ(PaintBevel(b.Canvas(), TRect{0, 0, 8, 8}, gdi::clRed, gdi::clBlue, 3, sdAllSides),
              (TRect{3, 3, 5, 5}));
    EXPECT_EQ(b.Canvas()->Pixels(2, 2), gdi::clRed);
    EXPECT_EQ(b.Canvas()->Pixels(5, 5), gdi::clBlue);
    EXPECT_EQ(b.Canvas()->Pixels(3, 3), Paper);
}

TEST(FrameStyles, PaintFrameStyle) {
    TBitmap b;
    Prepare(b, 8, 8, Paper);
    PaintFrameStyle(b.Canvas(), 8, 8, fsLowered, gdi::clWindow, gdi::clRed, sdAllSides, false);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), Sys(gdi::clBtnShadow));
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), Sys(gdi::cl3DDkShadow));
    EXPECT_EQ(b.Canvas()->Pixels(2, 2), Paper);

    const gdi::TColor base = RGB(200, 180, 120);
    Prepare(b, 8, 8, Paper);
    PaintFrameStyle(b.Canvas(), 8, 8, fsLowered, base, gdi::clRed, sdAllSides, false);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), DarkenColor(base, 50));
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), DarkenColor(base, 100));

    // The frame colour serves the flat styles; the background clears the two outer rings.
    Prepare(b, 8, 8, Paper);
    PaintFrameStyle(b.Canvas(), 8, 8, fsFlat, base, gdi::clRed, {sdTop}, false);
    EXPECT_EQ(b.Canvas()->Pixels(3, 0), gdi::clRed);
    EXPECT_EQ(b.Canvas()->Pixels(0, 3), base);
    EXPECT_EQ(b.Canvas()->Pixels(1, 3), base);
    EXPECT_EQ(b.Canvas()->Pixels(2, 3), Paper);
    Prepare(b, 8, 8, Paper);
    PaintFrameStyle(b.Canvas(), 8, 8, fsFlatBold, base, gdi::clRed, sdAllSides, true);
    EXPECT_EQ(b.Canvas()->Pixels(1, 3), gdi::clRed);
    Prepare(b, 8, 8, Paper);
    PaintFrameStyle(b.Canvas(), 8, 8, fsNone, base, gdi::clRed, sdAllSides, true);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), Paper);
}

TEST(FocusBorder, DotPattern) {
    TBitmap b;
    Prepare(b, 7, 6, gdi::clWhite);
    EXPECT_EQ(PaintFocusBorder(b.Canvas(), TRect{0, 0, 7, 6}), (TRect{1, 1, 6, 5}));
    std::string art;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 7; ++x)
            art += b.Canvas()->Pixels(x, y) == 0 ? '#' : '.';
        art += '\n';
    }
    // Both side edges start at T + 1, so with an even height their dots reach the bottom row.
    EXPECT_EQ(art, ".#.#.#.\n"
                   "#.....#\n"
                   ".......\n"
                   "#.....#\n"
                   ".......\n"
                   "##.#.##\n");
}

// All styles side by side, system colours on the first row, shades of a base colour below.
TEST(FrameStyles, PictureOfAllStyles) {
    const int cell = 44;
    TBitmap b;
    Prepare(b, cell * FrameStyleCount + 4, 2 * cell + 4, gdi::clBtnFace);
    const gdi::TColor base = RGB(90, 140, 200);
    for (int s = 0; s < FrameStyleCount; ++s) {
        TRect r{4 + s * cell, 4, 4 + s * cell + cell - 6, 4 + cell - 6};
        TRect inner = PaintBorder(b.Canvas(), r, TFrameStyle(s));
        b.Canvas()->Brush()->SetColor(gdi::clWindow);
        b.Canvas()->FillRect(inner);
        TRect c{r.left, r.top + cell, r.right, r.bottom + cell};
        b.Canvas()->Brush()->SetColor(base);
        b.Canvas()->FillRect(c);
        PaintColorBorder(b.Canvas(), c, base, TFrameStyle(s));
    }
    PaintFocusBorder(b.Canvas(), TRect{1, 1, b.Width() - 1, b.Height() - 1});
    EXPECT_TRUE(std::filesystem::exists(tests::SavePicture(b, "frame_styles", 3)));
}

} // namespace
