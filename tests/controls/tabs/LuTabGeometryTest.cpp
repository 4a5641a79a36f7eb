// Where the tab area, cards and tabs lie; the tab shapes, their regions and hit testing.
#include "tests/controls/tabs/TabTestSupport.h"

#include "platform/gdi/Faults.h"
#include "platform/gdi/Gdi.h"

#include <cstdint>
#include <sstream>

using namespace tabtest;

namespace {

const char* const StyleNames[] = {"tsSingleSlant", "tsDoubleSlant", "tsCutCorner", "tsRoundCorners"};
const char* const OrientationNames[] = {"toTop", "toLeft", "toBottom", "toRight"};

std::string Describe(TLuTabStyle style, TLuTabOrientation orientation) {
    return std::string(StyleNames[style]) + " " + OrientationNames[orientation];
}

// Whether the centre of pixel (x, y) lies inside the polygon under the rule that left and top
// edges are inside and right and bottom edges outside. The point is tested nudged right by a small
// step and down by a far smaller one: for edges that run straight or at 45 degrees that decides
// every boundary pixel the same way, and the nudged point never lies on an edge.
bool InsideByTopLeftRule(const TLuTabShape& shape, int x, int y) {
    constexpr std::int64_t scale = std::int64_t{1} << 20;
    const std::int64_t px = x * scale + 1024;
    const std::int64_t py = y * scale + 1;
    bool inside = false;
    for (int i = 0, j = shape.Count() - 1; i < shape.Count(); j = i++) {
        const std::int64_t xi = shape[i].x * scale, yi = shape[i].y * scale;
        const std::int64_t xj = shape[j].x * scale, yj = shape[j].y * scale;
        if ((yi > py) == (yj > py))
            continue;
        // Crossing when the point lies left of the edge at its height.
        const std::int64_t lhs = (px - xi) * (yj - yi);
        const std::int64_t rhs = (py - yi) * (xj - xi);
        if (yj > yi ? lhs < rhs : lhs > rhs)
            inside = !inside;
    }
    return inside;
}

// A control of 300 x 100 whose one tab is 60 pixels long and 20 thick.
void OneTab(TLuCustomTabControl& c, TLuTabStyle style, TLuTabOrientation orientation) {
    c.SetTabStyle(style);
    c.SetTabOrientation(orientation);
    c.SetMargin(4);
    LayOutOneRow(c, {"Tab"}, {60}, 20);
}

} // namespace

TEST(TabGeometry, TheTabAreaLiesAlongTheTabEdge) {
    TTestTabControl c(nullptr);
    c.SetFixedDimension(18);
    EXPECT_EQ(c.GetTabAreaRect(), (TRect{0, 0, 297, 18})); // the shadow takes 2 pixels
    c.SetShowShadow(false);
    EXPECT_EQ(c.GetTabAreaRect(), (TRect{0, 0, 299, 18}));
    c.SetTabStyle(tsRoundCorners);
    EXPECT_EQ(c.GetTabAreaThickness(), 21);
    c.SetTabOrientation(toBottom);
    EXPECT_EQ(c.GetTabAreaRect(), (TRect{0, 78, 299, 99}));
    c.SetTabOrientation(toLeft);
    EXPECT_EQ(c.GetTabAreaRect(), (TRect{0, 0, 21, 99}));
    EXPECT_EQ(c.GetTabStripLength(), 99);
    c.SetTabOrientation(toRight);
    EXPECT_EQ(c.GetTabAreaRect(), (TRect{278, 0, 299, 99}));
    // Without a card the tabs fill the control.
    c.SetShowCard(false);
    EXPECT_EQ(c.GetTabAreaThickness(), 298);
}

TEST(TabGeometry, CardsOfTheRowsStepBackAndIndent) {
    TTestTabControl c(nullptr);
    c.SetFixedDimension(18);
    c.SetRowCount(2);
    c.Tabs()->Add(std::make_unique<TLuTabData>());
    struct Case {
        TLuTabOrientation orientation;
        TLuTabSequence sequence;
        int row;
        TRect card;
    };
    const Case cases[] = {
        {toTop, tsStandard, 0, {0, 31, 294, 99}},  {toTop, tsStandard, 1, {5, 18, 299, 86}},
        {toTop, tsReverse, 1, {0, 18, 294, 86}},   {toBottom, tsStandard, 0, {0, 0, 294, 68}},
        {toLeft, tsStandard, 0, {31, 5, 299, 99}}, {toLeft, tsStandard, 1, {18, 0, 286, 94}},
        {toRight, tsReverse, 1, {13, 0, 281, 94}}, {toRight, tsStandard, 0, {0, 0, 268, 94}},
    };
    for (const Case& k : cases) {
        c.SetTabOrientation(k.orientation);
        c.SetTabSequence(k.sequence);
        EXPECT_EQ(c.GetCardRect(k.row), k.card) << OrientationNames[k.orientation] << " row " << k.row;
    }

    // A card with no room is empty; a control without a card frames outside itself.
    c.SetBounds(0, 0, 300, 20);
    c.SetTabOrientation(toTop);
    EXPECT_EQ(c.GetCardRect(0), TRect{});
    c.SetBounds(0, 0, 300, 100);
    c.SetRowCount(1);
    c.SetShowCard(false);
    c.SetTabOrientation(toBottom);
    EXPECT_EQ(c.GetCardRect(0), (TRect{-3, -3, 302, 0}));
    EXPECT_EQ(c.GetDisplayRect(), (TRect{-2, -2, -1, -1}));
}

TEST(TabGeometry, TheDisplayRectIsTheInsideOfTheFrontCard) {
    TTestTabControl c(nullptr);
    LayOutOneRow(c, {"A"}, {40}, 18);
    EXPECT_EQ(c.GetDisplayRect(), (TRect{1, 19, 297, 97})); // inside the frame and its shadow
    c.SetShowShadow(false);
    EXPECT_EQ(c.GetDisplayRect(), (TRect{1, 19, 299, 99}));
    c.SetShowFullFrame(false);
    EXPECT_EQ(c.GetDisplayRect(), (TRect{0, 19, 300, 100}));
    c.SetShowCardFrame(false);
    EXPECT_EQ(c.GetDisplayRect(), (TRect{0, 18, 300, 100}));

    // Aligned children fill it.
    auto* child = new framework::TCustomControl(&c);
    child->SetAlign(framework::alClient);
    child->SetParent(&c);
    c.SetShowCardFrame(true);
    c.Realign();
    EXPECT_EQ(child->BoundsRect(), (TRect{0, 19, 300, 100}));
    EXPECT_EQ(c.DisplayRect(), child->BoundsRect());
}

TEST(TabGeometry, StripRectanglesMapOntoEveryEdgeAndSequence) {
    TTestTabControl c(nullptr);
    c.SetShowShadow(false);
    struct Case {
        TLuTabOrientation orientation;
        TLuTabSequence sequence;
        TRect second; // the second of two tabs, 40 and 30 long
    };
    const Case cases[] = {
        {toTop, tsStandard, {42, 0, 72, 18}},  {toBottom, tsStandard, {42, 81, 72, 99}},
        {toLeft, tsStandard, {0, 27, 18, 57}}, {toRight, tsStandard, {281, 42, 299, 72}},
        {toTop, tsReverse, {227, 0, 257, 18}}, {toBottom, tsReverse, {227, 81, 257, 99}},
        {toLeft, tsReverse, {0, 42, 18, 72}},  {toRight, tsReverse, {281, 27, 299, 57}},
    };
    for (const Case& k : cases) {
        c.SetTabStyle(tsCutCorner);
        c.SetTabOrientation(k.orientation);
        c.SetTabSequence(k.sequence);
        LayOutOneRow(c, {"A", "B"}, {40, 30}, 18);
        EXPECT_EQ(c.GetTabRect(1), k.second)
            << OrientationNames[k.orientation] << (k.sequence == tsStandard ? " standard" : " reverse");
    }
}

TEST(TabGeometry, ShapesFollowTheirStyle) {
    TTestTabControl c(nullptr);
    c.SetShowShadow(false);
    auto shapeOf = [&c](TLuTabStyle style) {
        c.SetTabStyle(style);
        LayOutOneRow(c, {"A"}, {60}, 20);
        std::ostringstream text;
        const TLuTabShape shape = c.GetTabShape(0);
        for (int i = 0; i < shape.Count(); ++i)
            text << "(" << shape[i].x << "," << shape[i].y << ")";
        return text.str();
    };
    // A 20 pixel high single-slant tab ends in a 20 pixel slant; a double-slant one loses 20
    // pixels of its top edge at each end.
    EXPECT_EQ(shapeOf(tsSingleSlant), "(0,20)(0,2)(2,0)(40,0)(60,20)");
    EXPECT_EQ(shapeOf(tsDoubleSlant), "(0,20)(20,0)(40,0)(60,20)");
    EXPECT_EQ(shapeOf(tsCutCorner), "(0,20)(0,0)(54,0)(60,6)(60,20)");
    c.SetCutCornerSize(0);
    EXPECT_EQ(shapeOf(tsCutCorner), "(0,20)(0,0)(60,0)(60,0)(60,20)"); // rectangular
    // The current round-corner tab stands out by 2 pixels at both ends and at its outer edge.
    c.SetTabStyle(tsRoundCorners);
    LayOutOneRow(c, {"A"}, {60}, 20);
    EXPECT_EQ(c.GetTabRectInStrip(0), (TRect{0, 3, 60, 23}));
    c.SetTabIndex(0);
    EXPECT_EQ(c.GetTabRectInStrip(0), (TRect{-2, 1, 62, 23}));
    EXPECT_EQ(shapeOf(tsRoundCorners), "(-2,23)(-2,3)(0,1)(60,1)(62,3)(62,23)");
}

// For every style and edge: the pixels that hit the tab are exactly the pixels of its region, and
// those are the pixels of its outline polygon, its left and top edges in and its right and bottom
// edges out. Every corner and a point on every edge are checked by name too.
TEST(TabGeometry, TheHitTestSetOfEveryShapeIsItsRegion) {
    for (TLuTabStyle style : {tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners})
        for (TLuTabOrientation orientation : {toTop, toLeft, toBottom, toRight}) {
            TTestTabControl c(nullptr);
            OneTab(c, style, orientation);
            c.SetTabIndex(0);
            const std::string what = Describe(style, orientation);
            const TLuTabShape shape = c.GetMappedTabShape(0);
            const TRect rect = c.GetTabRect(0);
            int hits = 0;
            int mismatches = 0;
            for (int y = -1; y <= c.Height(); ++y)
                for (int x = -1; x <= c.Width(); ++x) {
                    const bool hit = c.TabAtPoint(x, y) == 0;
                    gdi::HRGN region = c.GetTabRegion(0, rect);
                    ASSERT_NE(region, nullptr) << what;
                    const bool inRegion = gdi::PtInRegion(region, x, y);
                    const bool inPolygon = InsideByTopLeftRule(shape, x, y);
                    hits += hit;
                    if ((hit != inRegion || hit != inPolygon) && mismatches++ < 3)
                        ADD_FAILURE() << what << " at (" << x << ", " << y << "): hit " << hit << ", region "
                                      << inRegion << ", polygon " << inPolygon;
                }
            EXPECT_GT(hits, 60 * 10) << what;

            for (int i = 0; i < shape.Count(); ++i) {
                const TPoint corner = shape[i];
                const TPoint next = shape[(i + 1) % shape.Count()];
                const TPoint along{corner.x + (next.x > corner.x) - (next.x < corner.x),
                                   corner.y + (next.y > corner.y) - (next.y < corner.y)};
                EXPECT_EQ(c.TabAtPoint(corner.x, corner.y) == 0,
                          InsideByTopLeftRule(shape, corner.x, corner.y))
                    << what << " corner " << i;
                EXPECT_EQ(c.TabAtPoint(along.x, along.y) == 0, InsideByTopLeftRule(shape, along.x, along.y))
                    << what << " edge " << i << " at (" << along.x << ", " << along.y << ")";
            }
        }
}

TEST(TabGeometry, EdgesFacingUpOrLeftHitAndEdgesFacingDownOrRightDoNot) {
    // The cut-corner tab on top: x from 4 to 64, y from 0 to 20; the cut runs from (58, 0) to
    // (64, 6).
    TTestTabControl c(nullptr);
    OneTab(c, tsCutCorner, toTop);
    EXPECT_EQ(c.GetTabRect(0), (TRect{4, 0, 64, 20}));
    EXPECT_EQ(c.TabAtPoint(4, 0), 0);    // top-left corner
    EXPECT_EQ(c.TabAtPoint(4, 10), 0);   // left edge
    EXPECT_EQ(c.TabAtPoint(30, 0), 0);   // top edge
    EXPECT_EQ(c.TabAtPoint(61, 3), -1);  // on the cut, which faces right
    EXPECT_EQ(c.TabAtPoint(60, 3), 0);   // just inside it
    EXPECT_EQ(c.TabAtPoint(64, 10), -1); // right edge
    EXPECT_EQ(c.TabAtPoint(30, 20), -1); // the base, toward the card
    EXPECT_EQ(c.TabAtPoint(30, 19), 0);
    // On the bottom edge the outer edge is the bottom one and lies outside.
    OneTab(c, tsCutCorner, toBottom);
    EXPECT_EQ(c.GetTabRect(0), (TRect{4, 79, 64, 99}));
    EXPECT_EQ(c.TabAtPoint(30, 99), -1);
    EXPECT_EQ(c.TabAtPoint(30, 98), 0);
    EXPECT_EQ(c.TabAtPoint(30, 79), 0);
}

TEST(TabGeometry, TheCurrentTabWinsWhereNeighboursOverlap) {
    TTestTabControl c(nullptr);
    LayOutOneRow(c, {"A", "B", "C"}, {60, 60, 60}, 20);
    c.SetTabIndex(1);
    int overlaps = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 200; ++x) {
            bool in[3];
            for (int i = 0; i < 3; ++i)
                in[i] = InsideByTopLeftRule(c.GetMappedTabShape(i), x, y);
            const int expected = in[1] ? 1 : in[0] ? 0 : in[2] ? 2 : -1;
            overlaps += in[1] && (in[0] || in[2]);
            ASSERT_EQ(c.TabAtPoint(x, y), expected) << "(" << x << ", " << y << ")";
        }
    EXPECT_GT(overlaps, 0);
}

TEST(TabGeometry, StaleIndexesBeyondTheTabsHitNothing) {
    TTestTabControl c(nullptr);
    LayOutOneRow(c, {"A", "B", "C"}, {60, 60, 60}, 20);
    c.SetTabIndex(2);
    // The tabs go without a new layout: the selection still names the third.
    c.Tabs()->Clear();
    c.Tabs()->Add(std::make_unique<TLuTabData>());
    c.Tabs()->Items(0)->SetTabRect(TRect{0, 0, 60, 20});
    ASSERT_EQ(c.TabIndex(), 2);
    EXPECT_EQ(c.TabAtPoint(20, 10), 0);
    EXPECT_EQ(c.TabAtPoint(100, 10), -1);
    c.Tabs()->Clear();
    EXPECT_EQ(c.TabAtPoint(20, 10), -1);
}

TEST(TabGeometry, ARefusedRegionIsAnErrorAndNothingIsCached) {
    TTestTabControl c(nullptr);
    LayOutOneRow(c, {"A"}, {60}, 20);
    const TRect rect = c.GetTabRect(0);
    gdi::FailNextCalls(gdi::FaultingCall::CreatePolygonRgn, 1);
    try {
        c.GetTabRegion(0, rect);
        ADD_FAILURE() << "no error";
    } catch (const rtl::Exception& e) {
        EXPECT_STREQ(e.what(), "Error creating region");
    }
    gdi::ResetFaults();
    EXPECT_EQ(c.RegionCache()->Count(), 0);
    EXPECT_NE(c.GetTabRegion(0, rect), nullptr);
    EXPECT_EQ(c.RegionCache()->Count(), 1);
}

TEST(TabGeometry, RegionsComeFromTheCacheWhileTheirRectangleStays) {
    TTestTabControl c(nullptr);
    c.SetRegionCacheCapacity(-1);
    LayOutOneRow(c, {"A", "B"}, {60, 60}, 20);
    const int live = gdi::LiveObjectCount();
    gdi::HRGN first = c.GetTabRegion(0, c.GetTabRect(0));
    EXPECT_EQ(c.GetTabRegion(0, c.GetTabRect(0)), first);
    c.GetTabRegion(1, c.GetTabRect(1));
    EXPECT_EQ(gdi::LiveObjectCount(), live + 2);
    for (int i = 0; i < 50; ++i)
        c.TabAtPoint(i, 5);
    EXPECT_EQ(gdi::LiveObjectCount(), live + 2);
}

TEST(TabText, CaptionsAreMeasuredWithoutTheirAcceleratorMark) {
    TTestTabControl c(nullptr);
    c.SelectTabFont();
    auto size = [&c](const std::string& text, bool horizontal = true) {
        return c.MeasureText(text, horizontal);
    };
    const TSize ab = size("AB");
    EXPECT_GT(ab.cx, 0);
    EXPECT_EQ(size("A&B"), ab);
    // A doubled mark shows one "&"; only the first mark of a line counts, later ones are shown.
    EXPECT_EQ(size("&&A"), size("A&&"));
    EXPECT_GT(size("&&A").cx, size("A").cx);
    EXPECT_EQ(size("A&B&C"), size("AB&&C"));
    EXPECT_EQ(size("A&&B&C"), size("AB&&C&"));
    EXPECT_GT(size("AB&").cx, ab.cx); // a mark that ends the line is shown
    EXPECT_EQ(size(""), TSize{});
    const TSize twoLines = size("AB\r\nA\r\n");
    EXPECT_EQ(twoLines.cx, ab.cx);
    EXPECT_EQ(twoLines.cy, 2 * ab.cy);
    EXPECT_EQ(size("AB", false), (TSize{ab.cy, ab.cx}));
    EXPECT_EQ(size("AB\r\nA", false), (TSize{2 * ab.cy, ab.cx}));
    c.RestoreTabFont();
}

TEST(TabText, ADrawingStateThatCannotBeSavedOrRestoredIsAnErrorAndLeaksNoFont) {
    TTestTabControl c(nullptr);
    c.SetFixedDimension(30);
    const int size = c.GetScrollerButtonSize();
    EXPECT_GT(size, 4);
    auto errorOf = [&c](gdi::FaultingCall call) -> std::string {
        gdi::FailNextCalls(call, 1);
        try {
            c.GetScrollerButtonSize();
        } catch (const rtl::Exception& e) {
            return e.what();
        }
        return "no error";
    };
    const int live = gdi::LiveObjectCount();
    EXPECT_EQ(errorOf(gdi::FaultingCall::SaveDC), "Error saving device context");
    EXPECT_EQ(gdi::LiveObjectCount(), live);
    EXPECT_EQ(errorOf(gdi::FaultingCall::RestoreDC), "Error restoring device context");
    gdi::ResetFaults();
    EXPECT_EQ(c.GetScrollerButtonSize(), size);
}
