// A tab is painted by filling its polygon region and then drawing its outline with LineTo over the
// same points. These tables pin where the two meet: no fill pixel outside the outline, no gap
// between them, on horizontal, vertical and 45-degree edges, for every side the tabs may stand on.

#include "GdiTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gdi {
namespace {

using test::Selected;
using test::TestCanvas;
using Picture = std::vector<std::string>;

enum class Side { Top, Bottom, Left, Right };
enum class Style { SingleSlant, DoubleSlant, CutCorner, RoundCorners };

constexpr COLORREF fillColor = RGB(0, 0, 255);
constexpr int cutCornerSize = 3;

// The outline of a tab laid out on a top strip, from the base corner at the strip start round to
// the base corner at the strip end.
std::vector<POINT> StripShape(Style style, int l, int t, int r, int b) {
    const int h = b - t;
    switch (style) {
    case Style::SingleSlant:
        return {{l, b}, {l, t + 2}, {l + 2, t}, {r - h, t}, {r, b}};
    case Style::DoubleSlant:
        return {{l, b}, {l + h, t}, {r - h, t}, {r, b}};
    case Style::CutCorner:
        return {{l, b}, {l, t}, {r - cutCornerSize, t}, {r, t + cutCornerSize}, {r, b}};
    case Style::RoundCorners:
        return {{l, b}, {l, t + 2}, {l + 2, t}, {r - 2, t}, {r, t + 2}, {r, b}};
    }
    return {};
}

// Strip coordinates (x along the strip, y from the outer edge towards the card) onto a canvas of
// the given size whose whole area is the tab area.
POINT MapPoint(Side side, POINT p, int width, int height) {
    const int right = width - 1, bottom = height - 1;
    switch (side) {
    case Side::Top:
        return {p.x, p.y};
    case Side::Bottom:
        return {p.x, bottom - p.y};
    case Side::Left:
        return {p.y, bottom - p.x};
    case Side::Right:
        return {right - p.y, p.x};
    }
    return p;
}

// Paints one tab of strip rectangle (1, 1, 12, 5) as the tab control does: the region filled,
// then the outline drawn over it, its base left open towards the card.
Picture PaintTab(Side side, Style style) {
    const bool across = side == Side::Left || side == Side::Right;
    const int width = across ? 7 : 14, height = across ? 14 : 7;
    std::vector<POINT> m;
    for (POINT p : StripShape(style, 1, 1, 12, 5))
        m.push_back(MapPoint(side, p, width, height));
    TestCanvas canvas(width, height);
    HDC dc = canvas.dc();
    HRGN region = CreatePolygonRgn(m.data(), int(m.size()), ALTERNATE);
    HBRUSH brush = CreateSolidBrush(fillColor);
    FillRgn(dc, region, brush);
    DeleteObject(brush);
    DeleteObject(region);
    auto line = [&](std::size_t from, std::initializer_list<std::size_t> to) {
        MoveToEx(dc, m[from].x, m[from].y, nullptr);
        for (std::size_t i : to)
            LineTo(dc, m[i].x, m[i].y);
    };
    if (style != Style::RoundCorners) {
        MoveToEx(dc, m[0].x, m[0].y, nullptr);
        for (std::size_t i = 1; i < m.size(); ++i)
            LineTo(dc, m[i].x, m[i].y);
    } else if (side == Side::Left) {
        line(1, {0});
        line(1, {2});
        line(2, {3, 4, 5});
    } else {
        line(4, {5});
        line(4, {3});
        line(3, {2, 1, 0});
    }
    Picture rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            COLORREF c = canvas.At(x, y);
            row += c == 0xFFFFFF ? '.' : c == 0 ? '#' : c == fillColor ? 'o' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

struct TableCase {
    Side side;
    Style style;
    Picture expected;
};

TEST(FillAndOutline, MeetOnEveryEdgeOfTheTabShapesOnEverySide) {
    const TableCase cases[] = {
        {Side::Top,
         Style::DoubleSlant,
         {
             "..............",
             ".....####.....",
             "....#oooo#....",
             "...#oooooo#...",
             "..#oooooooo#..",
             ".#............",
             "..............",
         }},
        {Side::Bottom,
         Style::DoubleSlant,
         {
             "..............",
             ".#oooooooooo..",
             "..#oooooooo#..",
             "...#oooooo#...",
             "....#oooo#....",
             ".....####.....",
             "..............",
         }},
        {Side::Left,
         Style::DoubleSlant,
         {
             ".......",
             ".......",
             "....#..",
             "...#o..",
             "..#oo..",
             ".#ooo..",
             ".#ooo..",
             ".#ooo..",
             ".#ooo..",
             "..#oo..",
             "...#o..",
             "....#..",
             ".....#.",
             ".......",
         }},
        {Side::Right,
         Style::DoubleSlant,
         {
             ".......",
             ".#.....",
             ".o#....",
             ".oo#...",
             ".ooo#..",
             ".oooo#.",
             ".oooo#.",
             ".oooo#.",
             ".oooo#.",
             ".ooo#..",
             ".oo#...",
             ".o#....",
             ".......",
             ".......",
         }},
        // The bevels and cuts of the other styles.
        {Side::Top,
         Style::SingleSlant,
         {
             "..............",
             "...######.....",
             "..#oooooo#....",
             ".#oooooooo#...",
             ".#ooooooooo#..",
             ".#............",
             "..............",
         }},
        {Side::Top,
         Style::CutCorner,
         {
             "..............",
             ".#########....",
             ".#oooooooo#...",
             ".#ooooooooo#..",
             ".#oooooooooo#.",
             ".#............",
             "..............",
         }},
        {Side::Bottom,
         Style::RoundCorners,
         {
             "..............",
             ".ooooooooooo..",
             ".#oooooooooo#.",
             ".#oooooooooo#.",
             "..#oooooooo#..",
             "...########...",
             "..............",
         }},
        {Side::Left,
         Style::RoundCorners,
         {
             ".......",
             "...##..",
             "..#oo..",
             ".#ooo..",
             ".#ooo..",
             ".#ooo..",
             ".#ooo..",
             ".#ooo..",
             ".#ooo..",
             ".#ooo..",
             ".#ooo..",
             "..#oo..",
             "...##..",
             ".......",
         }},
    };
    for (const TableCase& c : cases)
        EXPECT_EQ(PaintTab(c.side, c.style), c.expected)
            << "side " << int(c.side) << ", style " << int(c.style);
}

// Beyond the tables: for every side and style, walking from any fill pixel away from the card
// or along the strip reaches the outline before the background. Only along the base line itself,
// which the card's frame draws, may the walk leave the tab.
TEST(FillAndOutline, EveryFillPixelIsEnclosedByTheOutlineExceptTowardsTheCard) {
    for (Side side : {Side::Top, Side::Bottom, Side::Left, Side::Right})
        for (Style style : {Style::SingleSlant, Style::DoubleSlant, Style::CutCorner, Style::RoundCorners}) {
            Picture p = PaintTab(side, style);
            const int height = int(p.size()), width = int(p[0].size());
            // The step towards the card.
            const POINT card = side == Side::Top      ? POINT{0, 1}
                               : side == Side::Bottom ? POINT{0, -1}
                               : side == Side::Left   ? POINT{1, 0}
                                                      : POINT{-1, 0};
            const POINT base = MapPoint(side, POINT{1, 5}, width, height);
            auto onBase = [&](int x, int y) { return card.x != 0 ? x == base.x : y == base.y; };
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    if (p[std::size_t(y)][std::size_t(x)] != 'o')
                        continue;
                    for (POINT step : {POINT{1, 0}, POINT{-1, 0}, POINT{0, 1}, POINT{0, -1}}) {
                        if (step == card)
                            continue;
                        if (onBase(x, y) && (step.x == 0) != (card.x == 0))
                            continue;
                        int cx = x, cy = y;
                        char met = 'o';
                        while (met == 'o') {
                            cx += step.x;
                            cy += step.y;
                            met = cx < 0 || cy < 0 || cx >= width || cy >= height
                                      ? '.'
                                      : p[std::size_t(cy)][std::size_t(cx)];
                        }
                        EXPECT_EQ(met, '#') << "side " << int(side) << ", style " << int(style) << ", from "
                                            << x << "," << y << " by " << step.x << "," << step.y;
                    }
                }
        }
}

TEST(FillAndOutline, PolygonFillsInsideItsOwnPenOutline) {
    // A diamond: the fill takes the pixels of its left and top slants and stops next to the
    // others, so the pen draws a closed ring around it.
    const std::vector<POINT> diamond{{4, 0}, {8, 4}, {4, 8}, {0, 4}};
    TestCanvas canvas(9, 9);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
    Polygon(canvas.dc(), diamond.data(), int(diamond.size()));
    EXPECT_EQ(canvas.Picture(), (Picture{
                                    ".........",
                                    "...##....",
                                    "..####...",
                                    ".######..",
                                    "########.",
                                    ".######..",
                                    "..####...",
                                    "...##....",
                                    ".........",
                                }));
    TestCanvas both(9, 9);
    {
        Selected brush(both.dc(), CreateSolidBrush(fillColor));
        Polygon(both.dc(), diamond.data(), int(diamond.size()));
    }
    Picture rows;
    for (int y = 0; y < 9; ++y) {
        std::string row;
        for (int x = 0; x < 9; ++x)
            row += both.At(x, y) == 0 ? '#' : both.At(x, y) == fillColor ? 'o' : '.';
        rows.push_back(row);
    }
    EXPECT_EQ(rows, (Picture{
                        "....#....",
                        "...#o#...",
                        "..#ooo#..",
                        ".#ooooo#.",
                        "#ooooooo#",
                        ".#ooooo#.",
                        "..#ooo#..",
                        "...#o#...",
                        "....#....",
                    }));
    // Hit testing reads the same pixel set as the fill.
    HRGN region = CreatePolygonRgn(diamond.data(), int(diamond.size()), ALTERNATE);
    ASSERT_NE(region, nullptr);
    for (int y = -1; y < 10; ++y)
        for (int x = -1; x < 10; ++x) {
            bool filled = x >= 0 && y >= 0 && x < 9 && y < 9 && canvas.At(x, y) == 0;
            EXPECT_EQ(PtInRegion(region, x, y), filled) << x << "," << y;
        }
    DeleteObject(region);
}

} // namespace
} // namespace gdi
