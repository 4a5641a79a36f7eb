#include "LuPanelTestSupport.h"

#include "controls/common/LuCanvasText.h"
#include "controls/common/LuColorMath.h"
#include "platform/framework/FormResources.h"
#include "platform/framework/Input.h"
#include "platform/gdi/Objects.h"

#include <functional>

using namespace paneltest;
using framework::TControl;
using lu::TLuPanel;
using lu::TSides;

namespace {

using Panels = PanelForm;

// Records the rect that reaches the framework's client adjustment, after the borders went.
class TRecordingPanel : public TLuPanel {
public:
    using TLuPanel::TLuPanel;
    std::vector<TRect> Adjusted;

protected:
    void AdjustClientRect(TRect& rect) override {
        Adjusted.push_back(rect);
        TLuPanel::AdjustClientRect(rect);
    }
};

TEST_F(Panels, StartWithTheDocumentedLook) {
    TLuPanel p(nullptr);
    EXPECT_EQ(p.BorderOuter(), lu::fsRaised);
    EXPECT_EQ(p.BorderInner(), lu::fsNone);
    EXPECT_EQ(p.BorderSides(), lu::sdAllSides);
    EXPECT_EQ(p.BorderColor(), gdi::clBtnFace);
    EXPECT_EQ(p.BorderWidth(), 0);
    EXPECT_EQ(p.BevelWidth(), 1);
    EXPECT_EQ(p.BevelOuter(), framework::bvNone);
    EXPECT_EQ(p.BorderHighlight(), gdi::clBtnHighlight);
    EXPECT_EQ(p.BorderShadow(), gdi::clBtnShadow);
    EXPECT_EQ(p.FlatColor(), gdi::clBtnShadow);
    EXPECT_EQ(p.FlatColorAdjustment(), 30);
    EXPECT_EQ(p.AlignmentVertical(), lu::avCenter);
    EXPECT_EQ(p.Alignment(), framework::taCenter);
    EXPECT_FALSE(p.ShowGrid());
    EXPECT_EQ(p.GridColor(), gdi::clBtnShadow);
    EXPECT_EQ(p.GridStyle(), lu::gsDots);
    EXPECT_EQ(p.GridXSize(), 8);
    EXPECT_EQ(p.GridYSize(), 8);
    EXPECT_FALSE(p.Transparent());
    EXPECT_TRUE(p.ThemeAware());
    EXPECT_TRUE(p.ShowDockClientCaptions());
    EXPECT_EQ(p.FrameController(), nullptr);
    EXPECT_TRUE(p.FullRepaint());
    EXPECT_FALSE(p.Locked());
    const framework::TControlStyle style = p.ControlStyle();
    EXPECT_FALSE(style.Contains(framework::csSetCaption));
    EXPECT_FALSE(style.Contains(framework::csParentBackground));
    EXPECT_TRUE(style.Contains(framework::csOpaque));
}

// Etched borders on partial side sets: the open ends get the corner pixels that close the groove
// (D dark: the groove's upper-left colour, L light, y the panel's colour).
TEST_F(Panels, EtchedFrameCornersFollowThePartialSides) {
    struct Case {
        TSides sides;
        std::vector<std::string> map;
    };
    using lu::sdBottom, lu::sdLeft, lu::sdRight, lu::sdTop;
    const std::vector<Case> cases = {
        {{sdLeft, sdTop}, {"DDDDDDD", "DLLLLLL", "DLyyyyy", "DLyyyyy", "DLyyyyy", "DLyyyyy", "DLyyyyy"}},
        {{sdRight, sdBottom}, {"yyyyyDL", "yyyyyDL", "yyyyyDL", "yyyyyDL", "yyyyyDL", "DDDDDDL", "LLLLLLL"}},
        {{sdLeft, sdRight}, {"DLyyyDL", "DLyyyDL", "DLyyyDL", "DLyyyDL", "DLyyyDL", "DLyyyDL", "DLyyyDL"}},
        {{sdTop, sdBottom}, {"DDDDDDD", "LLLLLLL", "yyyyyyy", "yyyyyyy", "yyyyyyy", "DDDDDDD", "LLLLLLL"}},
        {{sdTop, sdRight, sdBottom},
         {"DDDDDDL", "LLLLLDL", "yyyyyDL", "yyyyyDL", "yyyyyDL", "DDDDDDL", "LLLLLLL"}},
        {{sdLeft, sdTop, sdBottom},
         {"DDDDDDD", "DLLLLLL", "DLyyyyy", "DLyyyyy", "DLyyyyy", "DDDDDDD", "LLLLLLL"}},
        {{sdLeft, sdTop, sdRight},
         {"DDDDDDL", "DLLLLDL", "DLyyyDL", "DLyyyDL", "DLyyyDL", "DLyyyDL", "DLyyyDL"}},
        {{sdLeft, sdRight, sdBottom},
         {"DLyyyDL", "DLyyyDL", "DLyyyDL", "DLyyyDL", "DLyyyDL", "DDDDDDL", "LLLLLLL"}},
        {{sdBottom}, {"yyyyyyy", "yyyyyyy", "yyyyyyy", "yyyyyyy", "yyyyyyy", "DDDDDDD", "LLLLLLL"}},
    };
    auto* p = Add<TLuPanel>(10, 10, 7, 7);
    p->SetColor(gdi::clYellow);
    const std::map<gdi::TColor, char> groove{
        {gdi::clBtnShadow, 'D'}, {gdi::clBtnHighlight, 'L'}, {gdi::clYellow, 'y'}};
    const std::map<gdi::TColor, char> bump{
        {gdi::clBtnHighlight, 'D'}, {gdi::clBtnShadow, 'L'}, {gdi::clYellow, 'y'}};
    for (const Case& c : cases) {
        p->SetBorderSides(c.sides);
        p->SetBorderOuter(lu::fsGroove);
        EXPECT_EQ(Map(p, groove), c.map) << "groove, sides " << c.sides.Bits();
        p->SetBorderOuter(lu::fsBump);
        EXPECT_EQ(Map(p, bump), c.map) << "bump, sides " << c.sides.Bits();
    }
}

TEST_F(Panels, FlatStatusAndPopupBordersUseThePanelsColours) {
    auto* p = Add<TLuPanel>(10, 10, 12, 12);
    p->SetColor(gdi::clYellow);
    p->SetBorderHighlight(gdi::clAqua);
    p->SetBorderShadow(gdi::clNavy);
    p->SetBevelWidth(3);
    const gdi::TColor flat = lu::AdjustColorLuminance(gdi::clBtnShadow, 30);
    p->SetBorderOuter(lu::fsFlat);
    EXPECT_EQ(Pixel(p, 0, 5), Rgb(flat));
    EXPECT_EQ(Pixel(p, 11, 5), Rgb(flat));
    EXPECT_EQ(Pixel(p, 1, 5), Rgb(gdi::clYellow));
    p->SetFlatColorAdjustment(0);
    EXPECT_EQ(Pixel(p, 0, 5), Rgb(gdi::clBtnShadow));

    p->SetBorderOuter(lu::fsStatus);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Pixel(p, i, 5), Rgb(gdi::clNavy)) << i;
        EXPECT_EQ(Pixel(p, 11 - i, 5), Rgb(gdi::clAqua)) << i;
    }
    EXPECT_EQ(Pixel(p, 3, 5), Rgb(gdi::clYellow));
    p->SetBorderOuter(lu::fsPopup);
    EXPECT_EQ(Pixel(p, 2, 5), Rgb(gdi::clAqua));
    EXPECT_EQ(Pixel(p, 9, 5), Rgb(gdi::clNavy));
    EXPECT_THROW(p->SetFlatColorAdjustment(256), rtl::ERangeError);
    EXPECT_EQ(p->FlatColorAdjustment(), 0);
}

// The border, the ring of BorderWidth and the inner border, from the outside in.
TEST_F(Panels, PaintsTheBorderWidthRingBetweenTheBorders) {
    auto* p = Add<TLuPanel>(10, 10, 14, 20);
    p->SetColor(gdi::clYellow);
    p->SetBorderColor(gdi::clRed);
    p->SetBorderOuter(lu::fsFlat);
    p->SetFlatColorAdjustment(0);
    p->SetBorderWidth(3);
    p->SetBorderInner(lu::fsLowered);
    const std::map<gdi::TColor, char> legend{{gdi::clBtnShadow, 's'},    {gdi::clRed, 'r'},
                                             {gdi::clYellow, 'y'},       {gdi::cl3DDkShadow, 'k'},
                                             {gdi::clBtnHighlight, 'h'}, {gdi::cl3DLight, 'l'}};
    EXPECT_EQ(Map(p, legend, TRect{0, 10, 14, 11}), (std::vector<std::string>{"srrrskyylhrrrs"}));
    EXPECT_EQ(Map(p, legend, TRect{7, 0, 8, 20}),
              (std::vector<std::string>{"s", "r", "r", "r", "s", "k", "y", "y", "y", "y",
                                        "y", "y", "y", "y", "l", "h", "r", "r", "r", "s"}));
}

TEST_F(Panels, ChildrenAlignInsideBordersBevelsAndBorderWidth) {
    struct Case {
        const char* name;
        lu::TFrameStyle outer;
        lu::TFrameStyle inner;
        TSides sides;
        int bevelWidth;
        int borderWidth;
        TRect afterBorders; // what reaches the framework's adjustment
        TRect child;
    };
    using lu::sdBottom, lu::sdLeft, lu::sdRight, lu::sdTop;
    const std::vector<Case> cases = {
        {"raised", lu::fsRaised, lu::fsNone, lu::sdAllSides, 1, 0, {2, 2, 98, 58}, {2, 2, 98, 58}},
        {"ring of 6, no border",
         lu::fsNone,
         lu::fsNone,
         lu::sdAllSides,
         1,
         6,
         {0, 0, 100, 60},
         {6, 6, 94, 54}},
        {"status of 3", lu::fsStatus, lu::fsNone, lu::sdAllSides, 3, 0, {3, 3, 97, 57}, {3, 3, 97, 57}},
        {"flat, lowered and a ring",
         lu::fsFlat,
         lu::fsLowered,
         lu::sdAllSides,
         1,
         4,
         {3, 3, 97, 57},
         {7, 7, 93, 53}},
        {"no bottom",
         lu::fsRaised,
         lu::fsFlat,
         TSides{sdLeft, sdTop, sdRight},
         1,
         2,
         {3, 3, 97, 60},
         {5, 5, 95, 58}},
        {"popup on the left",
         lu::fsPopup,
         lu::fsNone,
         TSides{sdLeft},
         5,
         0,
         {5, 0, 100, 60},
         {5, 0, 100, 60}},
    };
    for (const Case& c : cases) {
        auto* p = Add<TRecordingPanel>(0, 0, 100, 60);
        auto* child = Add<TLuPanel>(0, 0, 10, 10, p);
        child->SetAlign(framework::alClient);
        p->SetBevelWidth(c.bevelWidth);
        p->SetBorderWidth(c.borderWidth);
        p->SetBorderSides(c.sides);
        p->SetBorderInner(c.inner);
        p->SetBorderOuter(c.outer);
        p->Adjusted.clear();
        p->Realign();
        ASSERT_FALSE(p->Adjusted.empty()) << c.name;
        EXPECT_EQ(p->Adjusted.front(), c.afterBorders) << c.name;
        EXPECT_EQ(child->BoundsRect(), c.child) << c.name;
        EXPECT_EQ(p->AdjustRectByBorders(p->GetControlRect(), true), c.child) << c.name;
        delete p;
    }
}

// A negative width is dropped, whether code or a form stream sets it: the child of a 100 x 60
// panel then keeps to the panel instead of reaching past its edges.
TEST_F(Panels, NegativeBorderAndBevelWidthsAreDropped) {
    auto* p = Add<TLuPanel>(0, 0, 100, 60);
    auto* child = Add<TLuPanel>(0, 0, 10, 10, p);
    child->SetAlign(framework::alClient);
    p->SetBorderOuter(lu::fsStatus);
    p->SetBorderWidth(2);
    p->SetBevelWidth(3);
    EXPECT_EQ(child->BoundsRect(), (TRect{5, 5, 95, 55}));
    p->SetBorderWidth(-3);
    p->SetBevelWidth(-3);
    EXPECT_EQ(p->BorderWidth(), 2);
    EXPECT_EQ(p->BevelWidth(), 3);
    EXPECT_EQ(child->BoundsRect(), (TRect{5, 5, 95, 55}));

    const char* text = "object F: TForm\n"
                       "  object Framed: TLuPanel\n"
                       "    Width = 100\n"
                       "    Height = 60\n"
                       "    BorderOuter = fsPopup\n"
                       "    BorderWidth = -3\n"
                       "    BevelWidth = -2\n"
                       "  end\n"
                       "  object Box: TLuGroupBox\n"
                       "    BorderWidth = -4\n"
                       "    BevelWidth = -1\n"
                       "  end\n"
                       "end\n";
    framework::TForm streamed(nullptr);
    framework::ReadComponentText(streamed, text, "negative.form");
    auto* framed = dynamic_cast<TLuPanel*>(streamed.FindComponent("Framed"));
    auto* box = dynamic_cast<lu::TLuGroupBox*>(streamed.FindComponent("Box"));
    ASSERT_NE(framed, nullptr);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(framed->BorderWidth(), 0);
    EXPECT_EQ(framed->BevelWidth(), 1);
    EXPECT_EQ(framed->AdjustRectByBorders(framed->GetControlRect(), true), (TRect{1, 1, 99, 59}));
    EXPECT_EQ(box->BorderWidth(), 0);
    EXPECT_EQ(box->BevelWidth(), 1);
}

TEST_F(Panels, NoBottomBorderIsPaintedWithoutTheBottomSide) {
    auto* p = Add<TLuPanel>(10, 10, 20, 10);
    p->SetColor(gdi::clYellow);
    p->SetBorderSides(TSides{lu::sdLeft, lu::sdTop, lu::sdRight});
    EXPECT_EQ(Pixel(p, 10, 9), Rgb(gdi::clYellow));
    EXPECT_EQ(Pixel(p, 10, 0), Rgb(gdi::cl3DLight));
}

TEST_F(Panels, GridDotsAndLines) {
    auto* p = Add<TLuPanel>(10, 10, 10, 9);
    p->SetColor(gdi::clYellow);
    p->SetGridColor(gdi::clRed);
    p->SetBorderOuter(lu::fsFlat);
    p->SetGridXSize(3);
    p->SetGridYSize(3);
    p->SetShowGrid(true);
    const std::map<gdi::TColor, char> legend{{gdi::clRed, '+'}, {gdi::clYellow, '.'}};
    // Inside the flat border: 8 x 7 pixels, two columns and two rows of cells.
    const TRect inner{1, 1, 9, 8};
    EXPECT_EQ(Map(p, legend, inner), (std::vector<std::string>{"........", "........", "..+..+..", "........",
                                                               "........", "..+..+..", "........"}));
    p->SetGridStyle(lu::gsSolidLines);
    EXPECT_EQ(Map(p, legend, inner), (std::vector<std::string>{"..+..+..", "..+..+..", "++++++++", "..+..+..",
                                                               "..+..+..", "++++++++", "..+..+.."}));
    p->SetGridStyle(lu::gsDottedLines);
    EXPECT_EQ(Map(p, legend, inner), (std::vector<std::string>{"........", "..+..+..", ".+.+.+.+", "..+..+..",
                                                               "........", ".+++.+.+", "........"}));
    // No columns: no vertical lines and no dots.
    p->SetGridXSize(0);
    EXPECT_EQ(Map(p, legend, inner), (std::vector<std::string>{"........", "........", ".+.+.+.+", "........",
                                                               "........", ".+.+.+.+", "........"}));
    p->SetGridStyle(lu::gsDots);
    EXPECT_EQ(Map(p, legend, inner), (std::vector<std::string>(7, "........")));
}

TEST_F(Panels, CaptionsSitByTheirVerticalAlignment) {
    auto* p = Add<TLuPanel>(10, 10, 120, 50);
    p->SetCaption("面板(&P)");
    framework::UpdateAllWindows();
    const int h = lu::FontTextExtent(p->Font(), "面板").cy;
    struct Case {
        lu::TAlignmentVertical vertical;
        int top;
    };
    // The inner rect of the raised border runs from 2 to 48.
    for (const Case& c :
         {Case{lu::avCenter, (2 + 48 - h) >> 1}, Case{lu::avBottom, 48 - h - 1}, Case{lu::avTop, 2}}) {
        p->SetAlignmentVertical(c.vertical);
        p->Invalidate();
        auto draws = TextDraws("面板(&P)");
        ASSERT_EQ(draws.size(), 1u) << int(c.vertical);
        EXPECT_EQ(draws[0].position, (gdi::POINT{3, c.top})) << int(c.vertical);
        EXPECT_EQ(draws[0].color, Rgb(p->Font()->Color()));
    }

    // Disabled: a highlight one pixel down and right, then the text in the shadow colour.
    p->SetEnabled(false);
    auto draws = TextDraws("面板(&P)");
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].position, (gdi::POINT{4, 3}));
    EXPECT_EQ(draws[0].color, Rgb(gdi::clBtnHighlight));
    EXPECT_EQ(draws[1].position, (gdi::POINT{3, 2}));
    EXPECT_EQ(draws[1].color, Rgb(gdi::clBtnShadow));
}

TEST_F(Panels, ReenablingRestoresWhatEachChildWas) {
    auto* p = Add<TLuPanel>(10, 10, 100, 60);
    auto* on = Add<TLuPanel>(0, 0, 10, 10, p);
    auto* off = Add<TLuPanel>(20, 0, 10, 10, p);
    off->SetEnabled(false);
    p->SetEnabled(false);
    EXPECT_FALSE(on->Enabled());
    EXPECT_FALSE(off->Enabled());
    auto* added = Add<TLuPanel>(40, 0, 10, 10, p);
    added->SetEnabled(false);
    p->SetEnabled(true);
    EXPECT_TRUE(on->Enabled());
    EXPECT_FALSE(off->Enabled());
    // Not known when the panel was disabled: enabled with the panel.
    EXPECT_TRUE(added->Enabled());
}

TEST_F(Panels, TransparentPanelsShowTheirParent) {
    auto* parent = Add<TLuPanel>(10, 10, 60, 40);
    parent->SetColor(gdi::clAqua);
    parent->SetBorderOuter(lu::fsNone);
    auto* p = Add<TLuPanel>(10, 10, 20, 10, parent);
    p->SetColor(gdi::clYellow);
    EXPECT_EQ(Pixel(p, 5, 5), Rgb(gdi::clYellow));
    p->SetTransparent(true);
    EXPECT_FALSE(p->ControlStyle().Contains(framework::csOpaque));
    EXPECT_EQ(Pixel(p, 5, 5), Rgb(gdi::clAqua));
    EXPECT_EQ(Pixel(p, 0, 5), Rgb(gdi::cl3DLight)); // the border is still drawn
    p->SetTransparent(false);
    EXPECT_TRUE(p->ControlStyle().Contains(framework::csOpaque));
    EXPECT_EQ(Pixel(p, 5, 5), Rgb(gdi::clYellow));
}

TEST_F(Panels, FollowAVisibleControllerFrame) {
    lu::TLuFrameController controller(nullptr);
    auto* p = Add<TLuPanel>(10, 10, 60, 40);
    auto* child = Add<TLuPanel>(0, 0, 10, 10, p);
    child->SetAlign(framework::alClient);
    controller.SetFrameStyle(lu::fsFlatBold);
    controller.SetColor(gdi::clAqua);
    p->SetFrameController(&controller);
    // The frame is not visible: nothing changes.
    EXPECT_EQ(p->BorderOuter(), lu::fsRaised);
    EXPECT_EQ(p->FlatColorAdjustment(), 30);
    EXPECT_EQ(controller.LinkedControls().size(), 1u);

    controller.SetFrameVisible(true);
    EXPECT_EQ(p->BorderOuter(), lu::fsFlatBold);
    EXPECT_EQ(p->BorderSides(), lu::sdAllSides);
    EXPECT_EQ(p->FlatColor(), gdi::clBtnShadow);
    EXPECT_EQ(p->FlatColorAdjustment(), 0);
    EXPECT_EQ(p->Color(), gdi::clAqua);
    EXPECT_EQ(p->BorderHighlight(), lu::LightenColor(gdi::clAqua, 100));
    EXPECT_EQ(p->BorderShadow(), lu::DarkenColor(gdi::clAqua, 50));
    EXPECT_EQ(child->BoundsRect(), (TRect{2, 2, 58, 38}));
    EXPECT_EQ(Pixel(p, 1, 20), Rgb(gdi::clBtnShadow));

    controller.SetFrameSides(TSides{lu::sdTop});
    EXPECT_EQ(p->BorderSides(), TSides{lu::sdTop});
    EXPECT_EQ(child->BoundsRect(), (TRect{0, 2, 60, 40}));
    delete p;
    EXPECT_TRUE(controller.LinkedControls().empty());
}

TEST_F(Panels, BottomAndRightPanelsKeepTheirOuterEdge) {
    form->DisableAlign();
    auto* bottom = Add<TLuPanel>(0, 200, 100, 40);
    bottom->SetAlign(framework::alBottom);
    bottom->SetHeight(60);
    EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 180, 100, 240}));
    auto* right = Add<TLuPanel>(200, 0, 50, 40);
    right->SetAlign(framework::alRight);
    right->SetWidth(30);
    EXPECT_EQ(right->BoundsRect(), (TRect{220, 0, 250, 40}));
    form->EnableAlign();
}

// Without FullRepaint only the edges that moved are painted again: also when the panel shrinks.
TEST_F(Panels, AResizedPanelRepaintsItsMovedEdges) {
    auto* p = Add<TLuPanel>(10, 10, 60, 40);
    p->SetFullRepaint(false);
    p->SetColor(gdi::clYellow);
    framework::UpdateAllWindows();
    p->SetBounds(10, 10, 50, 30);
    EXPECT_EQ(Pixel(p, 49, 10), Rgb(gdi::cl3DDkShadow));
    EXPECT_EQ(Pixel(p, 10, 29), Rgb(gdi::cl3DDkShadow));
    EXPECT_EQ(Pixel(p, 48, 10), Rgb(gdi::clBtnShadow));
    p->SetBounds(10, 10, 70, 45);
    EXPECT_EQ(Pixel(p, 49, 10), Rgb(gdi::clYellow));
    EXPECT_EQ(Pixel(p, 10, 29), Rgb(gdi::clYellow));
    EXPECT_EQ(Pixel(p, 69, 10), Rgb(gdi::cl3DDkShadow));
}

TEST_F(Panels, MouseEntryAndExitAreAnnounced) {
    auto* p = Add<TLuPanel>(10, 10, 60, 40);
    std::vector<std::string> events;
    p->OnMouseEnter = [&](framework::TObject*) { events.push_back("enter"); };
    p->OnMouseLeave = [&](framework::TObject*) { events.push_back("leave"); };
    framework::UpdateAllWindows();
    framework::input::MoveMouse(p->ClientToScreen(framework::TPoint{30, 20}));
    framework::input::MoveMouse(p->ClientToScreen(framework::TPoint{100, 100}));
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));
    framework::input::Reset();
}

TEST_F(Panels, EqualValuesAskForNoPaintingAndPaintingLeaksNothing) {
    auto* p = Add<TLuPanel>(10, 10, 60, 40);
    p->SetCaption("框");
    p->SetShowGrid(true);
    framework::UpdateAllWindows();
    const std::vector<std::pair<const char*, std::function<void()>>> setters = {
        {"BorderOuter", [&] { p->SetBorderOuter(p->BorderOuter()); }},
        {"BorderInner", [&] { p->SetBorderInner(p->BorderInner()); }},
        {"BorderSides", [&] { p->SetBorderSides(p->BorderSides()); }},
        {"BorderColor", [&] { p->SetBorderColor(p->BorderColor()); }},
        {"FlatColor", [&] { p->SetFlatColor(p->FlatColor()); }},
        {"FlatColorAdjustment", [&] { p->SetFlatColorAdjustment(p->FlatColorAdjustment()); }},
        {"AlignmentVertical", [&] { p->SetAlignmentVertical(p->AlignmentVertical()); }},
        {"GridStyle", [&] { p->SetGridStyle(p->GridStyle()); }},
        {"GridXSize", [&] { p->SetGridXSize(p->GridXSize()); }},
        {"Transparent", [&] { p->SetTransparent(p->Transparent()); }},
    };
    for (const auto& [name, set] : setters) {
        set();
        EXPECT_FALSE(p->Handle()->HasUpdate()) << name;
    }
    const int live = gdi::LiveObjectCount();
    p->Invalidate();
    framework::UpdateAllWindows();
    EXPECT_EQ(gdi::LiveObjectCount(), live);
}

TEST(PanelResources, ReadOldSidesAndWriteWithoutThem) {
    const char* text = "object F: TForm\n"
                       "  object LuPanel1: TLuPanel\n"
                       "    Left = 0\n"
                       "    Top = 0\n"
                       "    Width = 592\n"
                       "    Height = 41\n"
                       "    Align = alBottom\n"
                       "    BorderOuter = fsNone\n"
                       "    BorderWidth = 6\n"
                       "    FrameSides = [sdLeft, sdTop]\n"
                       "    GridStyle = gsSolidLines\n"
                       "    object Box: TLuGroupBox\n"
                       "      Left = 8\n"
                       "      Top = 4\n"
                       "      Width = 200\n"
                       "      Caption = '类型选择'\n"
                       "      FrameSides = []\n"
                       "      GroupStyle = gsCustom\n"
                       "      ThemeAware = False\n"
                       "    end\n"
                       "  end\n"
                       "end\n";
    framework::TForm form(nullptr);
    framework::ReadComponentText(form, text, "panels.form");
    auto* panel = dynamic_cast<TLuPanel*>(form.FindComponent("LuPanel1"));
    auto* box = dynamic_cast<lu::TLuGroupBox*>(form.FindComponent("Box"));
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(panel->BorderOuter(), lu::fsNone);
    EXPECT_EQ(panel->BorderWidth(), 6);
    EXPECT_EQ(panel->BorderSides(), lu::sdAllSides);
    EXPECT_EQ(panel->GridStyle(), lu::gsSolidLines);
    EXPECT_EQ(box->Parent(), panel);
    EXPECT_EQ(box->Height(), 105);
    EXPECT_EQ(box->GroupStyle(), lu::gsCustom);
    EXPECT_FALSE(box->ThemeAware());

    const std::string written = framework::WriteComponentText(form);
    EXPECT_EQ(written.find("FrameSides"), std::string::npos) << written;
    // Defaults stay out: the framework bevel, the group box's own left alignment and height.
    for (const char* absent : {"BevelOuter", "Alignment ", "Height = 105", "BorderInner"})
        EXPECT_EQ(written.find(absent), std::string::npos) << absent << " in\n" << written;
    EXPECT_NE(written.find("BorderOuter = fsNone"), std::string::npos) << written;
    EXPECT_EQ(written.find("BorderOuter = fsNone", written.find("object Box")), std::string::npos) << written;
    EXPECT_NE(written.find("GroupStyle = gsCustom"), std::string::npos) << written;

    framework::TForm copy(nullptr);
    framework::ReadComponentText(copy, written, "copy.form");
    auto* again = dynamic_cast<TLuPanel*>(copy.FindComponent("LuPanel1"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->BorderWidth(), 6);
    EXPECT_EQ(again->GridStyle(), lu::gsSolidLines);
}

} // namespace
