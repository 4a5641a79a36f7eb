// Pictures: the tab shapes of every style and edge with a selected and a hot tab, and the scroll
// arrows and close button, plain and themed. Written to the build folder's pictures/.
#include "tests/controls/tabs/TabTestSupport.h"

#include "platform/framework/Window.h"
#include "platform/gdi/Gdi.h"

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

} // namespace

// The arrows and the close button as the form shows them, enlarged: plain in the upper row,
// themed in the lower. In each row: the horizontal arrows at the first tab (back arrow disabled),
// the same with the forward arrow held down, the vertical arrows, and the close button without
// and with a current tab.
TEST_F(TabPictures, PlainAndThemedArrowsAndCloseButtons) {
    auto* across = AddTabs(TRect{10, 10, 210, 110});
    across->SetShowCloseButton(true);
    LayOutOneRow(*across, {"A", "B", "C", "D", "E"}, {60, 60, 60, 60, 60}, 18);
    auto* down = AddTabs(TRect{220, 10, 320, 210});
    down->SetTabOrientation(toLeft);
    LayOutOneRow(*down, {"A", "B", "C", "D", "E"}, {60, 60, 60, 60, 60}, 18);
    form->Show();
    ASSERT_NE(across->Scroller(), nullptr);
    ASSERT_NE(down->Scroller(), nullptr);

    TBitmap picture;
    picture.SetSize(520, 2 * 31 * Zoom + 3 * 8);
    picture.Canvas()->Brush()->SetColor(gdi::clWhite);
    picture.Canvas()->FillRect(TRect{0, 0, picture.Width(), picture.Height()});
    int y = 8;
    for (bool themed : {false, true}) {
        gdi::GetThemeServices().SetThemesEnabled(themed);
        across->SetTabIndex(-1);
        for (framework::TControl* child : {static_cast<framework::TControl*>(across->Scroller()),
                                           static_cast<framework::TControl*>(down->Scroller()),
                                           static_cast<framework::TControl*>(across->CloseButton())})
            child->Invalidate();
        TLuTabScroller* arrows = across->Scroller();
        int x = 8;
        x += CopyEnlarged(picture.Canvas(), x, y, *form, *arrows) + 12;
        const TRect forward = arrows->ArrowRect(1);
        const TPoint held = Screen(*arrows, TPoint{(forward.left + forward.right) / 2, forward.bottom / 2});
        framework::input::PressButton(framework::mbLeft, held);
        x += CopyEnlarged(picture.Canvas(), x, y, *form, *arrows) + 12;
        framework::input::MoveMouse(TPoint{0, 0});
        framework::input::ReleaseButton(framework::mbLeft, TPoint{0, 0});
        x += CopyEnlarged(picture.Canvas(), x, y, *form, *down->Scroller()) + 12;
        x += CopyEnlarged(picture.Canvas(), x, y, *form, *across->CloseButton()) + 12;
        across->SetTabIndex(0);
        across->CloseButton()->Invalidate();
        CopyEnlarged(picture.Canvas(), x, y, *form, *across->CloseButton());
        y += 31 * Zoom + 8;
    }
    picture.SaveToPng(PicturePath("tab_scroller.png"));
}
