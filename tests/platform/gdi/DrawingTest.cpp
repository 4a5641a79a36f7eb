#include "GdiTestSupport.h"

#include <gtest/gtest.h>

namespace gdi {
namespace {

using test::Selected;
using test::TestCanvas;
using Pixels = std::set<std::pair<int, int>>;

struct LineCase {
    POINT from, to;
    Pixels expected;
};

TEST(Lines, DrawTheStartPointAndLeaveOutTheEnd) {
    const LineCase cases[] = {
        {{1, 1}, {4, 1}, {{1, 1}, {2, 1}, {3, 1}}}, {{4, 2}, {1, 2}, {{4, 2}, {3, 2}, {2, 2}}},
        {{2, 0}, {2, 3}, {{2, 0}, {2, 1}, {2, 2}}}, {{2, 4}, {2, 1}, {{2, 4}, {2, 3}, {2, 2}}},
        {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}}, {{0, 4}, {3, 1}, {{0, 4}, {1, 3}, {2, 2}}},
        {{4, 0}, {1, 3}, {{4, 0}, {3, 1}, {2, 2}}}, {{3, 3}, {3, 3}, {}},
    };
    for (const LineCase& c : cases) {
        TestCanvas canvas(6, 6);
        MoveToEx(canvas.dc(), c.from.x, c.from.y, nullptr);
        LineTo(canvas.dc(), c.to.x, c.to.y);
        EXPECT_EQ(canvas.Marked(), c.expected)
            << c.from.x << "," << c.from.y << " -> " << c.to.x << "," << c.to.y;
        POINT cp;
        GetCurrentPositionEx(canvas.dc(), &cp);
        EXPECT_EQ(cp, c.to);
    }
}

TEST(Lines, ClearPenDrawsNothingAndXorPenInverts) {
    TestCanvas canvas(4, 1);
    {
        Selected pen(canvas.dc(), CreatePen(PS_NULL, 1, 0));
        MoveToEx(canvas.dc(), 0, 0, nullptr);
        LineTo(canvas.dc(), 4, 0);
    }
    EXPECT_TRUE(canvas.Marked().empty());
    SetROP2(canvas.dc(), R2_XORPEN);
    {
        Selected pen(canvas.dc(), CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
        MoveToEx(canvas.dc(), 0, 0, nullptr);
        LineTo(canvas.dc(), 2, 0);
    }
    EXPECT_EQ(canvas.Picture(), (std::vector<std::string>{"##.."}));
}

TEST(Rectangles, PenRingBrushInsideAndClearPenShrink) {
    TestCanvas canvas(6, 5);
    SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    Rectangle(canvas.dc(), 0, 0, 5, 4);
    EXPECT_EQ(canvas.Picture(), (std::vector<std::string>{"#####.", "#...#.", "#...#.", "#####.", "......"}));

    TestCanvas filled(6, 5);
    SelectObject(filled.dc(), GetStockObject(NULL_PEN));
    SelectObject(filled.dc(), GetStockObject(BLACK_BRUSH));
    Rectangle(filled.dc(), 1, 1, 5, 4);
    EXPECT_EQ(filled.Picture(), (std::vector<std::string>{"......", ".###..", ".###..", "......", "......"}));
}

TEST(Rectangles, FillRectFrameRectAndFocusRect) {
    TestCanvas canvas(6, 5);
    RECT r{1, 1, 4, 3};
    FillRect(canvas.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(canvas.Picture(), (std::vector<std::string>{"......", ".###..", ".###..", "......", "......"}));

    TestCanvas frame(6, 5);
    r = RECT{0, 0, 5, 4};
    FrameRect(frame.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(frame.Picture(), (std::vector<std::string>{"#####.", "#...#.", "#...#.", "#####.", "......"}));

    TestCanvas focus(6, 5);
    r = RECT{0, 0, 6, 5};
    DrawFocusRect(focus.dc(), &r);
    EXPECT_EQ(focus.Picture(), (std::vector<std::string>{"#.#.#.",
                                                         "....."
                                                         "#",
                                                         "#.....", ".....#", "#.#.#."}));
    DrawFocusRect(focus.dc(), &r); // a second call takes it away again
    EXPECT_TRUE(focus.Marked().empty());
}

TEST(Polygons, RectangleShapeCoversLeftAndTopEdgesOnlyAndOutlineAddsTheRest) {
    const std::vector<POINT> box{{1, 1}, {4, 1}, {4, 3}, {1, 3}};
    TestCanvas canvas(6, 5);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
    Polygon(canvas.dc(), box.data(), 4);
    EXPECT_EQ(canvas.Picture(), (std::vector<std::string>{"......", ".###..", ".###..", "......", "......"}));
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    Polygon(canvas.dc(), box.data(), 4);
    EXPECT_EQ(canvas.Picture(), (std::vector<std::string>{"......", ".####.", ".####.", ".####.", "......"}));
}

TEST(Polygons, AlternateFillLeavesTheInnerOverlapOpen) {
    // Two overlapping squares traced as one outline: the doubly covered middle stays empty.
    const std::vector<POINT> twice{{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}, {2, 0},
                                   {2, 2}, {6, 2}, {6, 6}, {2, 6}, {2, 0}};
    HRGN alternate = CreatePolygonRgn(twice.data(), int(twice.size()), ALTERNATE);
    HRGN winding = CreatePolygonRgn(twice.data(), int(twice.size()), WINDING);
    EXPECT_TRUE(PtInRegion(alternate, 1, 1));
    EXPECT_FALSE(PtInRegion(alternate, 3, 3));
    EXPECT_TRUE(PtInRegion(winding, 3, 3));
    EXPECT_EQ(CreatePolygonRgn(twice.data(), 2, ALTERNATE), nullptr);
    DeleteObject(alternate);
    DeleteObject(winding);
}

TEST(Pixels, SetAndGetHonourTheClipAndTheSurface) {
    TestCanvas canvas(4, 4);
    EXPECT_EQ(SetPixel(canvas.dc(), 1, 1, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 1), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(canvas.dc(), 4, 0), CLR_INVALID);
    IntersectClipRect(canvas.dc(), 2, 2, 4, 4);
    EXPECT_EQ(SetPixel(canvas.dc(), 1, 1, 0), CLR_INVALID);
    EXPECT_EQ(canvas.At(1, 1), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 1), CLR_INVALID);
    EXPECT_EQ(SetPixel(canvas.dc(), 3, 3, 0), 0u);
}

TEST(Brushes, PatternIsAlignedToTheDeviceOrigin) {
    // 2 x 2 checker: black where x + y is even.
    HBITMAP pattern = CreateBitmap(2, 2, 1, 32, nullptr);
    pattern->surface.Row(0)[0] = 0;
    pattern->surface.Row(1)[1] = 0;
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern); // the brush keeps its own copy
    TestCanvas canvas(4, 3);
    SetViewportOrgEx(canvas.dc(), 1, 0, nullptr);
    RECT r{0, 0, 3, 3};
    FillRect(canvas.dc(), &r, brush);
    EXPECT_EQ(canvas.Picture(), (std::vector<std::string>{"..#.", ".#.#", "..#."}));
    DeleteObject(brush);
}

TEST(Brushes, MonochromePatternUsesTextAndBackgroundColours) {
    HBITMAP pattern = CreateBitmap(2, 1, 1, 1, nullptr);
    pattern->surface.Row(0)[0] = 0;
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern);
    TestCanvas canvas(2, 1);
    SetTextColor(canvas.dc(), RGB(255, 0, 0));
    SetBkColor(canvas.dc(), RGB(0, 0, 255));
    RECT r{0, 0, 2, 1};
    FillRect(canvas.dc(), &r, brush);
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(1, 0), RGB(0, 0, 255));
    DeleteObject(brush);
}

TEST(Objects, DeletingASelectedObjectWaitsUntilItIsDeselected) {
    int before = LiveObjectCount();
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(9, 9, 9));
    HGDIOBJ old = SelectObject(dc, pen);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(LiveObjectCount(), before + 1);
    LOGPEN log;
    EXPECT_TRUE(GetObject(static_cast<HPEN>(GetCurrentObject(dc, OBJ_PEN)), &log));
    EXPECT_EQ(log.lopnColor, RGB(9, 9, 9));
    SelectObject(dc, old);
    EXPECT_EQ(LiveObjectCount(), before);
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
    EXPECT_NE(GetStockObject(BLACK_BRUSH), nullptr);
    DeleteDC(dc);
}

TEST(Objects, ABitmapIsSelectedIntoOneContextAtATime) {
    HDC a = CreateCompatibleDC(nullptr);
    HDC b = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(a, 3, 2);
    EXPECT_EQ(bitmap->surface.Pixel(2, 1), 0xFFFFFFu);
    EXPECT_EQ(SelectObject(a, bitmap), StockMonoBitmap());
    EXPECT_EQ(SelectObject(b, bitmap), nullptr);
    BITMAP info;
    ASSERT_TRUE(GetObject(bitmap, &info));
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmBitsPixel, 32);
    DeleteDC(a);
    EXPECT_NE(SelectObject(b, bitmap), nullptr);
    DeleteDC(b);
    DeleteObject(bitmap);
}

} // namespace
} // namespace gdi
