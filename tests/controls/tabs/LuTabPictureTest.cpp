// Pictures: the tab shapes of every style and edge with a selected and a hot tab, and the scroll
// arrows and close button, plain and themed. Written to the build folder's pictures/.
#include "tests/controls/tabs/TabTestSupport.h"

#include "platform/framework/StdCtrls.h"
#include "platform/framework/Window.h"
#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <climits>
#include <filesystem>

using namespace tabtest;
using framework::TBitmap;
using framework::TCanvas;

namespace {

std::string PicturePath(const std::string& name) {
    const auto dir = std::filesystem::path(TARNWICK_BINARY_DIR) / "pictures";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

const char* const StyleNames[] = {"SingleSlant", "DoubleSlant", "CutCorner", "RoundCorners"};
const char* const OrientationNames[] = {"Top", "Left", "Bottom", "Right"};

constexpr TColor Flat = 10263441;  // the wizards' flat colour
constexpr TColor HotBar = 3983359; // and their highlight bar

} // namespace

class TabPictures : public TabForm {};

// Every style on every edge as the controls paint themselves, tab 1 selected by a click and tab 2
// hot under the mouse, in the wizards' colours; each card names its style and edge.
TEST_F(TabPictures, ShapesOfEveryStyleAndEdge) {
    constexpr int W = 170, H = 160, Gap = 10;
    form->SetBounds(100, 100, 4 * (W + Gap) + Gap, 4 * (H + Gap) + Gap);
    form->SetColor(gdi::clWhite);
    std::vector<TTestTabControl*> controls;
    for (TLuTabOrientation orientation : {toTop, toBottom, toLeft, toRight})
        for (TLuTabStyle style : {tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners}) {
            const int column = static_cast<int>(controls.size()) % 4;
            const int row = static_cast<int>(controls.size()) / 4;
            auto* c = AddTabs(TRect{Gap + column * (W + Gap), Gap + row * (H + Gap),
                                    Gap + column * (W + Gap) + W, Gap + row * (H + Gap) + H});
            c->SetTabStyle(style);
            c->SetTabOrientation(orientation);
            c->SetMargin(4);
            c->SetFlatColor(Flat);
            c->SetHotTrackColor(HotBar);
            c->SetHotTrackColorType(htctActual);
            c->TabColors()->SetHighlightBar(HotBar);
            c->SetShowFocusRect(false);
            for (const char* caption : {"A", "B", "C"}) {
                auto tab = std::make_unique<TLuTabData>();
                tab->SetCaption(caption);
                c->Tabs()->Add(std::move(tab));
            }
            auto* label = new framework::TLabel(form.get());
            label->SetCaption(std::string(StyleNames[style]) + " " + OrientationNames[orientation]);
            label->SetParent(c);
            controls.push_back(c);
        }
    form->Show();
    framework::UpdateAllWindows();
    for (TTestTabControl* c : controls) {
        ASSERT_FALSE(c->ScrollerNeeded());
        // On the card, clear of the tabs.
        const TRect inside = c->GetDisplayRect();
        c->Controls(0)->SetBounds(inside.left + 6, inside.top + 6, c->Controls(0)->Width(),
                                  c->Controls(0)->Height());
        ClickAt(*c, Inside(*c, 1));
        MoveTo(*c, Inside(*c, 2));
        ASSERT_EQ(c->TabIndex(), 1);
        ASSERT_EQ(c->HotTab(), 2);
    }
    framework::UpdateAllWindows();
    TBitmap picture;
    framework::RenderForm(*form, picture);
    picture.SaveToPng(PicturePath("tab_shapes.png"));

    // The picture is the controls' own painting: the selected tab's corners in the flat colour,
    // and the bar along the hot tab's outer edge.
    const TPoint formOrigin = form->ClientToScreen(TPoint{0, 0});
    for (TTestTabControl* c : controls) {
        SCOPED_TRACE(std::string(StyleNames[c->TabStyle()]) + " " + OrientationNames[c->TabOrientation()]);
        auto pixel = [&](TPoint p) {
            const TPoint at = c->ClientToScreen(p);
            return static_cast<TColor>(picture.Canvas()->Pixels(at.x - formOrigin.x, at.y - formOrigin.y));
        };
        const TLuTabShape shape = c->GetMappedTabShape(1);
        for (int i = 1; i + 1 < shape.Count(); ++i)
            EXPECT_EQ(pixel(shape[i]), Flat) << "corner " << i;
        // Two pixels in from the middle of the hot tab's outer edge.
        const TLuTabShape hot = c->GetMappedTabShape(2);
        const bool acrossY = c->TabOrientation() == toTop || c->TabOrientation() == toBottom;
        const bool outerIsSmall = c->TabOrientation() == toTop || c->TabOrientation() == toLeft;
        auto across = [acrossY](TPoint p) { return acrossY ? p.y : p.x; };
        int outer = across(hot[0]);
        for (int i = 0; i < hot.Count(); ++i)
            outer = outerIsSmall ? std::min(outer, across(hot[i])) : std::max(outer, across(hot[i]));
        int from = INT_MAX, to = INT_MIN;
        for (int i = 0; i < hot.Count(); ++i)
            if (across(hot[i]) == outer) {
                from = std::min(from, acrossY ? hot[i].x : hot[i].y);
                to = std::max(to, acrossY ? hot[i].x : hot[i].y);
            }
        const int along = (from + to) / 2;
        const int in = outerIsSmall ? outer + 2 : outer - 2;
        EXPECT_EQ(pixel(acrossY ? TPoint{along, in} : TPoint{in, along}), HotBar);
    }
}

namespace {

constexpr int Zoom = 4;

// Copies the child as the form shows it into the picture at (x, y), enlarged; answers the width.
int CopyEnlarged(TCanvas* picture, int x, int y, framework::TForm& form, const framework::TControl& child) {
    framework::UpdateAllWindows();
    TBitmap shot;
    framework::RenderForm(form, shot);
    const TPoint origin = child.ClientToScreen(TPoint{0, 0});
    const TPoint formOrigin = form.ClientToScreen(TPoint{0, 0});
    gdi::StretchBlt(picture->Handle(), x, y, child.Width() * Zoom, child.Height() * Zoom,
                    shot.Canvas()->Handle(), origin.x - formOrigin.x, origin.y - formOrigin.y, child.Width(),
                    child.Height(), gdi::SRCCOPY);
    return child.Width() * Zoom;
}

TColor PixelOf(framework::TCustomControl& child, int x, int y) {
    return static_cast<TColor>(gdi::GetPixel(child.Canvas()->Handle(), x, y));
}

// The smallest rectangle around the pixels of this colour inside r (its frame left out); empty
// when there are none.
TRect InkBox(framework::TCustomControl& child, TRect r, TColor ink) {
    gdi::InflateRect(&r, -1, -1);
    TRect box{};
    bool any = false;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (PixelOf(child, x, y) == ink) {
                box = any ? TRect{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                                  std::max(box.bottom, y + 1)}
                          : TRect{x, y, x + 1, y + 1};
                any = true;
            }
    return box;
}

// Every pixel on the border of r has this colour.
bool Framed(framework::TCustomControl& child, const TRect& r, TColor frame) {
    for (int x = r.left; x < r.right; ++x)
        if (PixelOf(child, x, r.top) != frame || PixelOf(child, x, r.bottom - 1) != frame)
            return false;
    for (int y = r.top; y < r.bottom; ++y)
        if (PixelOf(child, r.left, y) != frame || PixelOf(child, r.right - 1, y) != frame)
            return false;
    return true;
}

// r shows the themed element: every pixel that the element paints itself (the same whatever lies
// under it) is the element's.
::testing::AssertionResult DrawnAs(framework::TCustomControl& child, const TRect& r, const char* themeClass,
                                   int part, int state) {
    TBitmap onBlack, onWhite;
    for (TBitmap* b : {&onBlack, &onWhite}) {
        b->SetSize(r.Width(), r.Height());
        b->Canvas()->Brush()->SetColor(b == &onBlack ? gdi::clBlack : gdi::clWhite);
        b->Canvas()->FillRect(TRect{0, 0, r.Width(), r.Height()});
        gdi::GetThemeServices().DrawElement(b->Canvas()->Handle(),
                                            gdi::ThemedElementDetails{themeClass, part, state},
                                            TRect{0, 0, r.Width(), r.Height()});
    }
    int own = 0;
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x) {
            const TColor expected = onBlack.Canvas()->Pixels(x, y);
            if (expected != onWhite.Canvas()->Pixels(x, y))
                continue;
            ++own;
            if (PixelOf(child, r.left + x, r.top + y) != expected)
                return ::testing::AssertionFailure() << themeClass << " part " << part << " state " << state
                                                     << " differs at " << x << "," << y;
        }
    if (own < r.Width() * r.Height() / 2)
        return ::testing::AssertionFailure() << "the element paints too little to compare";
    return ::testing::AssertionSuccess();
}

// At the first tab arrow 0 goes back and is greyed, arrow 1 goes forward and is black; both are
// framed. Answers where the forward arrow's ink lies.
TRect ExpectPlainArrowsAtTheFirstTab(TLuTabScroller& arrows, TColor frame) {
    const TRect back = arrows.ArrowRect(0);
    const TRect forward = arrows.ArrowRect(1);
    EXPECT_EQ(InkBox(arrows, back, gdi::clBlack), TRect{});
    EXPECT_NE(InkBox(arrows, back, static_cast<TColor>(gdi::ColorToRGB(gdi::clBtnShadow))), TRect{});
    const TRect ink = InkBox(arrows, forward, gdi::clBlack);
    EXPECT_GT(ink.Width(), 1);
    EXPECT_GT(ink.Height(), 1);
    EXPECT_GT(ink.Width() + ink.Height(), 5);
    EXPECT_TRUE(Framed(arrows, back, frame));
    EXPECT_TRUE(Framed(arrows, forward, frame));
    return ink;
}

void ExpectThemedArrowsAtTheFirstTab(TLuTabScroller& arrows, int backPart, int forwardPart) {
    EXPECT_TRUE(DrawnAs(arrows, arrows.ArrowRect(0), "SPIN", backPart, gdi::UPS_DISABLED));
    EXPECT_TRUE(DrawnAs(arrows, arrows.ArrowRect(1), "SPIN", forwardPart, gdi::UPS_NORMAL));
}

void AddTabsCaptioned(TLuCustomTabControl& c, const std::vector<std::string>& captions) {
    for (const std::string& caption : captions) {
        auto tab = std::make_unique<TLuTabData>();
        tab->SetCaption(caption);
        c.Tabs()->Add(std::move(tab));
    }
    c.RequestLayout();
}

} // namespace

// The arrows and the close button as the form shows them, enlarged: plain in the upper row,
// themed in the lower. In each row: the horizontal arrows at the first tab (back arrow disabled),
// the same with the forward arrow held down, the vertical arrows, and the close button without
// and with a current tab. Both controls lay their tabs out themselves, too long for their strips.
TEST_F(TabPictures, PlainAndThemedArrowsAndCloseButtons) {
    auto* across = AddTabs(TRect{10, 10, 210, 110});
    across->SetShowCloseButton(true);
    across->SetTabWidth(60);
    AddTabsCaptioned(*across, {"A", "B", "C", "D", "E"});
    auto* down = AddTabs(TRect{220, 10, 320, 210});
    down->SetTabOrientation(toLeft);
    down->SetTabHeight(60);
    AddTabsCaptioned(*down, {"A", "B", "C", "D", "E"});
    form->Show();
    framework::UpdateAllWindows();
    ASSERT_TRUE(across->ScrollerNeeded());
    ASSERT_TRUE(down->ScrollerNeeded());
    TLuTabScroller* arrows = across->Scroller();
    TLuTabScroller* vertical = down->Scroller();
    TLuTabCloseButton* close = across->CloseButton();
    // In the strip, not moved out of sight.
    for (framework::TControl* child :
         {static_cast<framework::TControl*>(arrows), static_cast<framework::TControl*>(vertical),
          static_cast<framework::TControl*>(close)}) {
        EXPECT_GE(child->Left(), 0);
        EXPECT_GE(child->Top(), 0);
    }
    const auto frame = static_cast<TColor>(gdi::ColorToRGB(across->FlatColor()));
    const TColor black = gdi::clBlack;

    const int cellHeight = std::max({arrows->Height(), vertical->Height(), close->Height()}) * Zoom;
    TBitmap picture;
    picture.SetSize(8 + 2 * arrows->Width() * Zoom + vertical->Width() * Zoom + 2 * close->Width() * Zoom +
                        4 * 12 + 8,
                    2 * cellHeight + 3 * 8);
    picture.Canvas()->Brush()->SetColor(gdi::clWhite);
    picture.Canvas()->FillRect(TRect{0, 0, picture.Width(), picture.Height()});
    int y = 8;
    for (bool themed : {false, true}) {
        SCOPED_TRACE(themed ? "themed" : "plain");
        gdi::GetThemeServices().SetThemesEnabled(themed);
        across->SetTabIndex(-1);
        for (framework::TControl* child :
             {static_cast<framework::TControl*>(arrows), static_cast<framework::TControl*>(vertical),
              static_cast<framework::TControl*>(close)})
            child->Invalidate();
        int x = 8;
        x += CopyEnlarged(picture.Canvas(), x, y, *form, *arrows) + 12;
        const TRect forward = arrows->ArrowRect(1);
        TRect forwardInk{};
        if (themed)
            ExpectThemedArrowsAtTheFirstTab(*arrows, gdi::SPNP_DOWNHORZ, gdi::SPNP_UPHORZ);
        else
            forwardInk = ExpectPlainArrowsAtTheFirstTab(*arrows, frame);

        const TPoint held = Screen(*arrows, TPoint{(forward.left + forward.right) / 2, forward.bottom / 2});
        framework::input::PressButton(framework::mbLeft, held);
        x += CopyEnlarged(picture.Canvas(), x, y, *form, *arrows) + 12;
        if (themed) {
            EXPECT_TRUE(DrawnAs(*arrows, forward, "SPIN", gdi::SPNP_UPHORZ, gdi::UPS_PRESSED));
        } else {
            TRect pressed = forwardInk;
            gdi::OffsetRect(&pressed, 1, 1);
            EXPECT_EQ(InkBox(*arrows, forward, black), pressed) << "held down, the arrow moves one pixel";
        }
        framework::input::MoveMouse(TPoint{0, 0});
        framework::input::ReleaseButton(framework::mbLeft, TPoint{0, 0});

        x += CopyEnlarged(picture.Canvas(), x, y, *form, *vertical) + 12;
        // On the left edge the bottom arrow goes back, the top one forward.
        EXPECT_GT(vertical->ArrowRect(0).top, vertical->ArrowRect(1).top);
        if (themed)
            ExpectThemedArrowsAtTheFirstTab(*vertical, gdi::SPNP_DOWN, gdi::SPNP_UP);
        else
            ExpectPlainArrowsAtTheFirstTab(*vertical, frame);

        const TRect button = close->ClientRect();
        x += CopyEnlarged(picture.Canvas(), x, y, *form, *close) + 12;
        if (themed)
            EXPECT_TRUE(DrawnAs(*close, button, "WINDOW", gdi::WP_SMALLCLOSEBUTTON, gdi::CBS_DISABLED));
        else
            EXPECT_EQ(InkBox(*close, button, black), TRect{}) << "no tab to close";
        across->SetTabIndex(0);
        close->Invalidate();
        CopyEnlarged(picture.Canvas(), x, y, *form, *close);
        if (themed) {
            EXPECT_TRUE(DrawnAs(*close, button, "WINDOW", gdi::WP_SMALLCLOSEBUTTON, gdi::CBS_NORMAL));
        } else {
            EXPECT_NE(InkBox(*close, button, black), TRect{});
            EXPECT_TRUE(Framed(*close, button, frame));
        }
        y += cellHeight + 8;
    }
    picture.SaveToPng(PicturePath("tab_scroller.png"));
}

// Round-corner rows with the tab at their far end made current by a click. Single rows, standard
// and reversed, at margins 0 and 1: the upper control of each pair has a strip that holds the row
// exactly, with the room of the current tab's wider ends, and shows no arrows; the lower one is a
// pixel shorter and shows them. Last, standard and reversed rows of several lines at margin 0.
// Enlarged three times.
TEST_F(TabPictures, RoundCornerRowsWithoutArrowsStayInsideTheTabArea) {
    constexpr int H = 50, Gap = 8, Enlarged = 3;
    struct Row {
        TLuTabSequence sequence;
        int margin;
        bool shorter;
        bool multiLine;
    };
    std::vector<Row> rows;
    for (TLuTabSequence sequence : {tsStandard, tsReverse})
        for (int margin : {0, 1})
            for (bool shorter : {false, true})
                rows.push_back(Row{sequence, margin, shorter, false});
    for (TLuTabSequence sequence : {tsStandard, tsReverse})
        rows.push_back(Row{sequence, 0, false, true});

    std::vector<TTestTabControl*> controls;
    int y = Gap;
    int widest = 0;
    for (const Row& row : rows) {
        const int height = row.multiLine ? H + 16 : H;
        auto* c = AddTabs(TRect{Gap, y, Gap + 400, y + height});
        c->SetTabStyle(tsRoundCorners);
        c->SetTabSequence(row.sequence);
        c->SetMargin(row.margin);
        c->SetFlatColor(Flat);
        c->SetShowFocusRect(false);
        if (row.multiLine) {
            // Four tabs that would just fill one line, but for the room of the round corners.
            c->SetMultiLine(true);
            c->SetTabWidth(60);
            AddTabsCaptioned(*c, {"A", "B", "C", "D"});
            c->SetWidth(250);
        } else {
            c->SetTabWidth(50);
            AddTabsCaptioned(*c, {"A", "B", "C"});
            c->LayoutIfPending();
            const int last = c->Tabs()->Count() - 1;
            const int reach = row.sequence == tsReverse ? c->Tabs()->Items(0)->TabRect().right
                                                        : c->Tabs()->Items(last)->TabRect().right;
            c->SetWidth(c->Width() + reach + 2 * row.margin + 4 - c->GetTabStripLength() -
                        (row.shorter ? 1 : 0));
            c->RequestLayout();
        }
        // Beside the control, which row it is.
        auto* label = new framework::TLabel(form.get());
        label->SetCaption(std::string(row.sequence == tsReverse ? "Reverse" : "Standard") + " margin " +
                          std::to_string(row.margin) +
                          (row.multiLine ? ", several lines"
                           : row.shorter ? ", 1 px short"
                                         : ", fits"));
        label->SetParent(form.get());
        label->SetLeft(c->Left() + c->Width() + 6);
        label->SetTop(c->Top() + 20);
        controls.push_back(c);
        widest = std::max(widest, c->Width());
        y += height + Gap;
    }
    form->SetBounds(100, 100, 2 * Gap + widest + 200, y);
    form->SetColor(gdi::clWhite);
    form->Show();
    framework::UpdateAllWindows();
    for (TTestTabControl* c : controls) {
        // The far tab where it can be clicked; a scrolled row shows its first tab.
        const int target = c->ScrollerNeeded() ? c->FirstShownTab() : c->Tabs()->Count() - 1;
        ClickAt(*c, Inside(*c, target));
        ASSERT_EQ(c->TabIndex(), target);
    }
    framework::UpdateAllWindows();
    TBitmap shot;
    framework::RenderForm(*form, shot);
    TBitmap picture;
    picture.SetSize(shot.Width() * Enlarged, shot.Height() * Enlarged);
    gdi::StretchBlt(picture.Canvas()->Handle(), 0, 0, picture.Width(), picture.Height(),
                    shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), gdi::SRCCOPY);
    picture.SaveToPng(PicturePath("tab_round_rows.png"));

    const TPoint formOrigin = form->ClientToScreen(TPoint{0, 0});
    const auto frame = static_cast<TColor>(gdi::ColorToRGB(Flat));
    for (std::size_t k = 0; k < controls.size(); ++k) {
        TTestTabControl* c = controls[k];
        SCOPED_TRACE(testing::Message() << "control " << k);
        if (rows[k].shorter) {
            ASSERT_TRUE(c->ScrollerNeeded());
            TLuTabScroller* arrows = c->Scroller();
            ASSERT_NE(arrows, nullptr);
            EXPECT_TRUE(Framed(*arrows, arrows->ArrowRect(0), frame));
            EXPECT_TRUE(Framed(*arrows, arrows->ArrowRect(1), frame));
            continue;
        }
        ASSERT_FALSE(c->ScrollerNeeded());
        // Every tab's outline, the current tab's wider ends included, lies inside the tab area.
        const TRect area = c->GetTabAreaRect();
        for (int tab = 0; tab < c->Tabs()->Count(); ++tab) {
            const TLuTabShape shape = c->GetMappedTabShape(tab);
            for (int i = 0; i < shape.Count(); ++i) {
                EXPECT_GE(shape[i].x, area.left + c->Margin()) << "tab " << tab << ", point " << i;
                EXPECT_LE(shape[i].x, area.right - c->Margin()) << "tab " << tab << ", point " << i;
            }
        }
        // And the current one is drawn there.
        const TLuTabShape current = c->GetMappedTabShape(c->TabIndex());
        for (int i = 1; i + 1 < current.Count(); ++i) {
            const TPoint at = c->ClientToScreen(current[i]);
            EXPECT_EQ(static_cast<TColor>(shot.Canvas()->Pixels(at.x - formOrigin.x, at.y - formOrigin.y)),
                      frame)
                << "corner " << i;
        }
    }
}
