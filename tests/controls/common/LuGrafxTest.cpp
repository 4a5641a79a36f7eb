#include "controls/common/LuCommon.h"

#include "LuTestCanvas.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using framework::TBitmap;
using framework::TRect;
using gdi::RGB;
using lutest::Prepare;

// The grey level of each row (vertical) or column (horizontal) of a black to white gradient.
std::vector<int> Levels(TBitmap& b, bool vertical) {
    std::vector<int> out;
    int n = vertical ? b.Height() : b.Width();
    for (int i = 0; i < n; ++i)
        out.push_back(gdi::GetRValue(vertical ? b.Canvas()->Pixels(0, i) : b.Canvas()->Pixels(i, 0)));
    return out;
}

// Run lengths of equal values, from the far end (the last element) toward 0.
std::vector<int> RunsFromFarEnd(const std::vector<int>& v) {
    std::vector<int> runs;
    for (int i = int(v.size()) - 1; i >= 0;) {
        int j = i;
        while (j >= 0 && v[std::size_t(j)] == v[std::size_t(i)])
            --j;
        runs.push_back(i - j);
        i = j;
    }
    return runs;
}

TEST(Gradient, ExactRows) {
    // Height 1: the single row has the second colour.
    TBitmap b;
    Prepare(b, 12, 3, gdi::clRed);
    lu::PaintGradient(b.Canvas(), TRect{1, 1, 11, 2}, lu::orVertical, gdi::clBlack, gdi::clWhite, 1);
    for (int x = 1; x < 11; ++x)
        EXPECT_EQ(b.Canvas()->Pixels(x, 1), gdi::clWhite) << x;
    EXPECT_EQ(b.Canvas()->Pixels(0, 1), gdi::clRed);
    EXPECT_EQ(b.Canvas()->Pixels(5, 0), gdi::clRed);
    EXPECT_EQ(b.Canvas()->Pixels(5, 2), gdi::clRed);

    // Equal colours: one band.
    Prepare(b, 20, 30, gdi::clRed);
    lu::PaintGradient(b.Canvas(), TRect{0, 0, 20, 30}, lu::orHorizontal, RGB(10, 200, 30), RGB(10, 200, 30),
                      1);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(b.Canvas()->Pixels(x, y), RGB(10, 200, 30)) << x << "," << y;

    // 256 rows from black to white: the delta is -65280 per row, so row y has level y; the
    // column is replicated across a width that is not a power of two of 8.
    Prepare(b, 21, 256, gdi::clRed);
    lu::PaintGradient(b.Canvas(), TRect{0, 0, 21, 256}, lu::orVertical, gdi::clBlack, gdi::clWhite, 1);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 21; ++x)
            ASSERT_EQ(b.Canvas()->Pixels(x, y), RGB(y, y, y)) << x << "," << y;

    // Horizontal: the right column is the second colour; truncation keeps the left column one
    // short of the first colour.
    Prepare(b, 256, 13, gdi::clRed);
    lu::PaintGradient(b.Canvas(), TRect{0, 0, 256, 13}, lu::orHorizontal, gdi::clWhite, gdi::clBlack, 1);
    for (int y = 0; y < 13; ++y) {
        ASSERT_EQ(b.Canvas()->Pixels(255, y), gdi::clBlack) << y;
        ASSERT_EQ(b.Canvas()->Pixels(0, y), RGB(254, 254, 254)) << y;
        ASSERT_EQ(b.Canvas()->Pixels(100, y), RGB(154, 154, 154)) << y;
    }
}

TEST(Gradient, BandParameters) {
    TBitmap b;
    // Band parameter 9 over 20 pixels: bands of at least 29, so one band of the second colour.
    Prepare(b, 8, 20, gdi::clRed);
    lu::FillGradientBands(b.Canvas()->Handle(), lu::orVertical, 20, gdi::clBlack, gdi::clWhite, 9);
    EXPECT_EQ(RunsFromFarEnd(Levels(b, true)), std::vector<int>{20});
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), gdi::clWhite);

    const struct {
        int parameter;
        int minimum;
    } cases[] = {{1, 1}, {2, 2}, {8, 8}, {9, 29}, {20, 13}, {255, 2}};
    for (const auto& c : cases) {
        Prepare(b, 200, 8, gdi::clRed);
        lu::FillGradientBands(b.Canvas()->Handle(), lu::orHorizontal, 200, gdi::clBlack, gdi::clWhite,
                              std::uint8_t(c.parameter));
        std::vector<int> levels = Levels(b, false);
        EXPECT_EQ(levels.back(), 255) << c.parameter;
        std::vector<int> runs = RunsFromFarEnd(levels);
        ASSERT_GE(runs.size(), 2u) << c.parameter;
        // Every band but the last one, which the start of the strip cuts short.
        for (std::size_t i = 0; i + 1 < runs.size(); ++i)
            EXPECT_GE(runs[i], c.minimum) << c.parameter << " band " << i;
        // The strip is 8 pixels thick and nothing else is touched.
        EXPECT_EQ(b.Canvas()->Pixels(199, 7), gdi::clWhite);
    }
    Prepare(b, 12, 12, gdi::clRed);
    lu::FillGradientBands(b.Canvas()->Handle(), lu::orVertical, 12, gdi::clBlack, gdi::clWhite, 1);
    EXPECT_EQ(b.Canvas()->Pixels(8, 5), gdi::clRed);
    EXPECT_EQ(b.Canvas()->Pixels(7, 11), gdi::clWhite);
}

TEST(TransparentBitmap, LeavesOutTheTransparentColour) {
    TBitmap glyph;
    Prepare(glyph, 8, 4, gdi::clRed);
    glyph.Canvas()->SetPixels(1, 1, gdi::clLime);
    glyph.Canvas()->SetPixels(5, 1, gdi::clBlue);

    TBitmap target;
    Prepare(target, 4, 4, gdi::clYellow);
    int live = gdi::LiveObjectCount();
    lu::PaintTransparentBitmap(target.Canvas(), &glyph, TRect{0, 0, 4, 4}, TRect{0, 0, 4, 4}, gdi::clLime);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), gdi::clYellow);
    EXPECT_EQ(target.Canvas()->Pixels(0, 0), gdi::clRed);
    EXPECT_EQ(target.Canvas()->Pixels(3, 3), gdi::clRed);

    // The second cell, and a transparent colour the bitmap does not hold: drawn opaquely.
    Prepare(target, 4, 4, gdi::clYellow);
    lu::PaintTransparentBitmap(target.Canvas(), &glyph, TRect{0, 0, 4, 4}, TRect{4, 0, 8, 4}, gdi::clFuchsia);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), gdi::clBlue);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            if (x != 1 || y != 1) {
                EXPECT_EQ(target.Canvas()->Pixels(x, y), gdi::clRed) << x << "," << y;
            }
        }
    }

    // A system colour resolves before the comparison.
    Prepare(target, 4, 4, gdi::clYellow);
    glyph.Canvas()->SetPixels(2, 2, gdi::clBtnFace);
    lu::PaintTransparentBitmap(target.Canvas(), &glyph, TRect{0, 0, 4, 4}, TRect{0, 0, 4, 4}, gdi::clBtnFace);
    EXPECT_EQ(target.Canvas()->Pixels(2, 2), gdi::clYellow);
    EXPECT_EQ(gdi::LiveObjectCount(), live); // the temporary bitmaps are freed
}

} // namespace
