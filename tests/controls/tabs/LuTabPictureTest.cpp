// Pictures: the tab shapes of every style and edge with a selected and a hot tab, and the scroll
// arrows and close button, plain and themed. Written to the build folder's pictures/.
#include "tests/controls/tabs/TabTestSupport.h"

#include "platform/framework/Window.h"
#include "platform/gdi/Gdi.h"

#include <algorithm>
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
constexpr TColor Unselected = 0xE8E8E8;

void FillRegion(TCanvas* canvas, gdi::HRGN region, TColor color) {
    gdi::HBRUSH brush = gdi::CreateSolidBrush(gdi::ColorToRGB(color));
    gdi::FillRgn(canvas->Handle(), region, brush);
    gdi::DeleteObject(brush);
}

// The bar along the outer edge of a hot tab, within the tab.
void PaintHotBar(TCanvas* canvas, const TLuCustomTabControl& c, int index, gdi::HRGN tab) {
    TRect bar = c.GetTabRect(index);
    gdi::InflateRect(&bar, 1, 1);
    switch (c.TabOrientation()) {
    case toTop:
        bar.bottom = bar.top + 6;
        break;
    case toLeft:
        bar.right = bar.left + 6;
        break;
    case toBottom:
        bar.top = bar.bottom - 4;
        break;
    case toRight:
        bar.left = bar.right - 4;
        break;
    }
    gdi::HRGN clipped = gdi::CreateRectRgnIndirect(&bar);
    gdi::CombineRgn(clipped, clipped, tab, gdi::RGN_AND);
    FillRegion(canvas, clipped, HotBar);
    gdi::DeleteObject(clipped);
}

void PaintTab(TCanvas* canvas, const TLuCustomTabControl& c, int index) {
    const TRect rect = c.GetTabRect(index);
    gdi::HRGN region = c.GetTabRegion(index, rect);
    const bool current = index == c.TabIndex();
    FillRegion(canvas, region, current ? gdi::clWindow : Unselected);
    if (index == c.HotTab())
        PaintHotBar(canvas, c, index, region);
    // The base stays open toward the card.
    const TLuTabShape shape = c.GetMappedTabShape(index);
    std::vector<TPoint> outline;
    for (int i = 0; i < shape.Count(); ++i)
        outline.push_back(shape[i]);
    canvas->Pen()->SetColor(Flat);
    canvas->Polyline(outline);
    canvas->Brush()->SetStyle(framework::bsClear);
    canvas->Font()->SetColor(current ? gdi::clBlack : gdi::clGray);
    canvas->TextOut((rect.left + rect.right) / 2 - 3, (rect.top + rect.bottom) / 2 - 7,
                    std::to_string(index));
    canvas->Brush()->SetStyle(framework::bsSolid);
}

// A sketch of the control from its geometry: card, tabs back to front, the current tab last.
void Sketch(TCanvas* canvas, const TLuCustomTabControl& c, int x, int y, const std::string& label) {
    gdi::HDC dc = canvas->Handle();
    gdi::SetViewportOrgEx(dc, x, y, nullptr);
    canvas->Brush()->SetColor(gdi::clBtnFace);
    canvas->FillRect(TRect{0, 0, c.Width(), c.Height()});
    const TRect card = c.GetCardRect(0);
    canvas->Brush()->SetColor(gdi::clWindow);
    canvas->Pen()->SetColor(Flat);
    canvas->Rectangle(card.left, card.top, card.right + 1, card.bottom + 1);
    for (int i = 0; i < c.Tabs()->Count(); ++i)
        if (i != c.TabIndex())
            PaintTab(canvas, c, i);
    PaintTab(canvas, c, c.TabIndex());
    canvas->Brush()->SetStyle(framework::bsClear);
    canvas->Font()->SetColor(gdi::clBlack);
    // On the card, clear of the tabs.
    const TRect inside = c.GetDisplayRect();
    canvas->TextOut(inside.left + 6, inside.top + 6, label);
    canvas->Brush()->SetStyle(framework::bsSolid);
    gdi::SetViewportOrgEx(dc, 0, 0, nullptr);
}

} // namespace

class TabPictures : public TabForm {};

// Every style on every edge, tab 1 selected by a click and tab 2 hot under the mouse.
TEST_F(TabPictures, ShapesOfEveryStyleAndEdge) {
    constexpr int W = 170, H = 160, Gap = 10;
    form->SetBounds(100, 100, 4 * (W + Gap) + Gap, 4 * (H + Gap) + Gap);
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
            LayOutOneRow(*c, {"A", "B", "C"}, {44, 44, 44}, 20);
            ASSERT_FALSE(c->ScrollerNeeded());
            controls.push_back(c);
        }
    form->Show();
    for (TTestTabControl* c : controls) {
        ClickAt(*c, Inside(*c, 1));
        MoveTo(*c, Inside(*c, 2));
        ASSERT_EQ(c->TabIndex(), 1);
        ASSERT_EQ(c->HotTab(), 2);
    }

    TBitmap picture;
    picture.SetSize(form->Width(), form->Height());
    picture.Canvas()->Brush()->SetColor(gdi::clWhite);
    picture.Canvas()->FillRect(TRect{0, 0, picture.Width(), picture.Height()});
    picture.Canvas()->Font()->SetName("Tahoma");
    for (TTestTabControl* c : controls)
        Sketch(picture.Canvas(), *c, c->Left(), c->Top(),
               std::string(StyleNames[c->TabStyle()]) + " " + OrientationNames[c->TabOrientation()]);
    picture.SaveToPng(PicturePath("tab_shapes.png"));
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
    const auto shadow = static_cast<TColor>(gdi::ColorToRGB(gdi::clBtnShadow));
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
        const TRect back = arrows->ArrowRect(0);
        const TRect forward = arrows->ArrowRect(1);
        TRect forwardInk{};
        if (themed) {
            EXPECT_TRUE(DrawnAs(*arrows, back, "SPIN", gdi::SPNP_DOWNHORZ, gdi::UPS_DISABLED));
            EXPECT_TRUE(DrawnAs(*arrows, forward, "SPIN", gdi::SPNP_UPHORZ, gdi::UPS_NORMAL));
        } else {
            // The back arrow is greyed at the first tab, the forward arrow black; both framed.
            EXPECT_EQ(InkBox(*arrows, back, black), TRect{});
            EXPECT_NE(InkBox(*arrows, back, shadow), TRect{});
            forwardInk = InkBox(*arrows, forward, black);
            EXPECT_GT(forwardInk.Width(), 1);
            EXPECT_GT(forwardInk.Height(), 2);
            EXPECT_TRUE(Framed(*arrows, back, frame));
            EXPECT_TRUE(Framed(*arrows, forward, frame));
        }

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
        const TRect bottom = vertical->ArrowRect(0);
        const TRect top = vertical->ArrowRect(1);
        EXPECT_GT(bottom.top, top.top);
        if (themed) {
            EXPECT_TRUE(DrawnAs(*vertical, bottom, "SPIN", gdi::SPNP_DOWN, gdi::UPS_DISABLED));
            EXPECT_TRUE(DrawnAs(*vertical, top, "SPIN", gdi::SPNP_UP, gdi::UPS_NORMAL));
        } else {
            EXPECT_EQ(InkBox(*vertical, bottom, black), TRect{});
            EXPECT_NE(InkBox(*vertical, bottom, shadow), TRect{});
            const TRect up = InkBox(*vertical, top, black);
            EXPECT_GT(up.Width(), 2);
            EXPECT_GT(up.Height(), 1);
            EXPECT_TRUE(Framed(*vertical, top, frame));
        }

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
