#include "GdiTestSupport.h"

#include <gtest/gtest.h>

namespace gdi {
namespace {

using test::TestCanvas;

std::vector<std::string> RegionPicture(HRGN region, int width, int height) {
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x)
            row += PtInRegion(region, x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

TEST(Regions, CombineModes) {
    struct Case {
        int mode;
        int complexity;
        std::vector<std::string> picture;
    };
    const Case cases[] = {
        {RGN_AND, SIMPLEREGION, {"....", ".#..", "....", "...."}},
        {RGN_OR, COMPLEXREGION, {"##..", "###.", ".##.", "...."}},
        {RGN_XOR, COMPLEXREGION, {"##..", "#.#.", ".##.", "...."}},
        {RGN_DIFF, COMPLEXREGION, {"##..", "#...", "....", "...."}},
        {RGN_COPY, SIMPLEREGION, {"##..", "##..", "....", "...."}},
    };
    for (const Case& c : cases) {
        HRGN a = CreateRectRgn(0, 0, 2, 2);
        HRGN b = CreateRectRgn(1, 1, 3, 3);
        HRGN out = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(CombineRgn(out, a, b, c.mode), c.complexity) << c.mode;
        EXPECT_EQ(RegionPicture(out, 4, 4), c.picture) << c.mode;
        DeleteObject(a);
        DeleteObject(b);
        DeleteObject(out);
    }
    HRGN a = CreateRectRgn(0, 0, 2, 2);
    EXPECT_EQ(CombineRgn(a, a, nullptr, RGN_AND), RGN_ERROR);
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(a, a, empty, RGN_AND), NULLREGION);
    DeleteObject(a);
    DeleteObject(empty);
}

TEST(Regions, FillingAndHitTestingAgreeForATabShape) {
    const POINT tab[] = {{0, 12}, {3, 1}, {5, 0}, {20, 0}, {22, 1}, {25, 12}};
    HRGN region = CreatePolygonRgn(tab, 6, ALTERNATE);
    TestCanvas canvas(27, 14);
    FillRgn(canvas.dc(), region, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 27; ++x)
            EXPECT_EQ(PtInRegion(region, x, y), canvas.At(x, y) == 0) << x << "," << y;
    // Clipping to the region gives the same pixel set again.
    TestCanvas clipped(27, 14);
    SelectClipRgn(clipped.dc(), region);
    RECT all{0, 0, 27, 14};
    FillRect(clipped.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(clipped.Picture(), canvas.Picture());
    RECT box;
    EXPECT_EQ(GetRgnBox(region, &box), COMPLEXREGION);
    // The steep left edge leaves its base pixel (0, 11) to the outline.
    EXPECT_EQ(box, (RECT{1, 0, 25, 12}));
    DeleteObject(region);
}

TEST(Clipping, SelectingARegionTakesACopyAndNilRemovesTheClip) {
    TestCanvas canvas(4, 1);
    HRGN region = CreateRectRgn(1, 0, 3, 1);
    SelectClipRgn(canvas.dc(), region);
    SetRectRgn(region, 0, 0, 4, 1); // no effect on the clip
    DeleteObject(region);
    RECT all{0, 0, 4, 1};
    FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(canvas.Picture(), (std::vector<std::string>{".##."}));
    SelectClipRgn(canvas.dc(), nullptr);
    FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(canvas.Picture(), (std::vector<std::string>{"####"}));
}

TEST(Clipping, IntersectAndExcludeWorkInLogicalCoordinates) {
    TestCanvas canvas(6, 3);
    SetViewportOrgEx(canvas.dc(), 1, 0, nullptr);
    EXPECT_EQ(IntersectClipRect(canvas.dc(), 0, 0, 4, 3), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(canvas.dc(), 1, 1, 3, 2), COMPLEXREGION);
    RECT box;
    EXPECT_EQ(GetClipBox(canvas.dc(), &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{0, 0, 4, 3}));
    RECT all{-1, 0, 5, 3};
    FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(canvas.Picture(), (std::vector<std::string>{".####.", ".#..#.", ".####."}));
}

TEST(SavedState, NestedRestoreBringsBackEveryPart) {
    TestCanvas canvas(4, 4);
    HDC dc = canvas.dc();
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, red);
    SetTextColor(dc, RGB(1, 1, 1));
    MoveToEx(dc, 1, 1, nullptr);
    int level1 = SaveDC(dc);
    EXPECT_EQ(level1, 1);

    SelectObject(dc, GetStockObject(WHITE_PEN));
    DeleteObject(red); // still held by the saved state
    SetTextColor(dc, RGB(2, 2, 2));
    SetBkMode(dc, TRANSPARENT);
    SetViewportOrgEx(dc, 2, 2, nullptr);
    IntersectClipRect(dc, 0, 0, 1, 1);
    MoveToEx(dc, 3, 3, nullptr);
    EXPECT_EQ(SaveDC(dc), 2);
    SetTextColor(dc, RGB(3, 3, 3));
    SetTextAlign(dc, TA_BASELINE | TA_CENTER);
    EXPECT_EQ(SaveDC(dc), 3);

    EXPECT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetTextColor(dc), RGB(3, 3, 3));
    EXPECT_TRUE(RestoreDC(dc, 2));
    EXPECT_EQ(GetTextColor(dc), RGB(2, 2, 2));
    EXPECT_EQ(GetTextAlign(dc), unsigned(TA_TOP | TA_LEFT));
    RECT box;
    GetClipBox(dc, &box);
    EXPECT_EQ(box, (RECT{0, 0, 1, 1}));

    EXPECT_TRUE(RestoreDC(dc, level1));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 1, 1));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    POINT p;
    GetViewportOrgEx(dc, &p);
    EXPECT_EQ(p, (POINT{0, 0}));
    GetCurrentPositionEx(dc, &p);
    EXPECT_EQ(p, (POINT{1, 1}));
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 0, 4, 4}));
    LineTo(dc, 3, 1);
    EXPECT_EQ(canvas.At(1, 1), RGB(255, 0, 0)); // the restored pen draws
    EXPECT_FALSE(RestoreDC(dc, 1));
    EXPECT_FALSE(RestoreDC(dc, -1));
    SelectObject(dc, oldPen); // frees the red pen
}

} // namespace
} // namespace gdi
