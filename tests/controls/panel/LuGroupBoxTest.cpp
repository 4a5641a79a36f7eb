#include "LuPanelTestSupport.h"

#include "controls/common/LuBorders.h"
#include "controls/common/LuCanvasText.h"
#include "controls/common/LuColorMath.h"
#include "platform/framework/Input.h"

using namespace paneltest;
using lu::TLuGroupBox;

namespace {

using GroupBoxes = PanelForm;

// A windowed control that takes the focus.
class TFocusable : public framework::TWinControl {
public:
    explicit TFocusable(framework::TComponent* owner) : TWinControl(owner) { SetTabStop(true); }
};

class ThemesOn {
public:
    ThemesOn() { gdi::GetThemeServices().SetThemesEnabled(true); }
    ~ThemesOn() { gdi::GetThemeServices().SetThemesEnabled(false); }
};

TEST_F(GroupBoxes, StartFlatWithTheCaptionAtTheTopLeft) {
    TLuGroupBox box(nullptr);
    EXPECT_EQ(box.BorderOuter(), lu::fsNone);
    EXPECT_EQ(box.BorderInner(), lu::fsNone);
    EXPECT_EQ(box.Alignment(), framework::taLeftJustify);
    EXPECT_EQ(box.AlignmentVertical(), lu::avTop);
    EXPECT_EQ(box.Height(), 105);
    EXPECT_EQ(box.GroupStyle(), lu::gsFlat);
    EXPECT_TRUE(box.ThemeAware());
    EXPECT_TRUE(box.ControlStyle().Contains(framework::csSetCaption));
    EXPECT_TRUE(box.ControlStyle().Contains(framework::csDoubleClicks));
}

// Not themed, flat: a frame with cut corners whose top line runs at half the text height less
// one, hidden behind the caption's filled rect; the caption starts 8 pixels in.
TEST_F(GroupBoxes, FlatFrameRunsBehindTheCaption) {
    auto* box = Add<TLuGroupBox>(10, 10, 200, 100);
    box->SetColor(gdi::clYellow);
    box->SetCaption("类型选择");
    const int h = lu::FontTextExtent(box->Font(), "Pp").cy;
    const int w = lu::FontTextExtent(box->Font(), "类型选择").cx;
    const int f = h / 2 - 1;
    const gdi::TColor c = lu::AdjustColorLuminance(gdi::clBtnShadow, 30);
    auto draws = TextDraws("类型选择");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].position, (gdi::POINT{8, 0}));
    EXPECT_EQ(Pixel(box, 8 + w / 2, f), Rgb(gdi::clYellow));
    EXPECT_EQ(Pixel(box, 8 + w + 4, f), Rgb(c));
    EXPECT_EQ(Pixel(box, 4, f), Rgb(c));
    // Cut corners: the corner pixel is one step in on the diagonal.
    EXPECT_EQ(Pixel(box, 0, f), Rgb(gdi::clYellow));
    EXPECT_EQ(Pixel(box, 1, f + 1), Rgb(c));
    EXPECT_EQ(Pixel(box, 0, f + 2), Rgb(c));
    EXPECT_EQ(Pixel(box, 198, 98), Rgb(c));
    EXPECT_EQ(Pixel(box, 199, 99), Rgb(gdi::clYellow));
    EXPECT_EQ(Pixel(box, 100, 99), Rgb(c));
}

TEST_F(GroupBoxes, EachStyleFramesItsOwnWay) {
    auto* box = Add<TLuGroupBox>(10, 10, 200, 100);
    box->SetColor(gdi::clYellow);
    box->SetCaption("组");
    const int f = lu::FontTextExtent(box->Font(), "Pp").cy / 2 - 1;
    const gdi::TColor c = lu::AdjustColorLuminance(gdi::clBtnShadow, 30);

    box->SetGroupStyle(lu::gsStandard);
    EXPECT_EQ(Pixel(box, 0, 50), Rgb(gdi::clBtnShadow)); // groove
    EXPECT_EQ(Pixel(box, 1, 50), Rgb(gdi::clBtnHighlight));
    EXPECT_EQ(Pixel(box, 199, 50), Rgb(gdi::clBtnHighlight));
    box->SetBorderOuter(lu::fsFlatBold);
    EXPECT_EQ(Pixel(box, 1, 50), Rgb(c));
    box->SetBorderOuter(lu::fsRaised);
    EXPECT_EQ(Pixel(box, 0, 50), Rgb(gdi::cl3DLight));

    box->SetGroupStyle(lu::gsTopLine);
    auto draws = TextDraws("组");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].position, (gdi::POINT{0, 0}));
    EXPECT_EQ(Pixel(box, 0, 50), Rgb(gdi::clYellow));
    EXPECT_EQ(Pixel(box, 100, f), Rgb(gdi::cl3DLight));
    EXPECT_EQ(Pixel(box, 100, f + 1), Rgb(gdi::clBtnHighlight));
    box->SetBorderOuter(lu::fsFlat);
    EXPECT_EQ(Pixel(box, 100, f), Rgb(c));
    EXPECT_EQ(Pixel(box, 197, f), Rgb(c));
    EXPECT_EQ(Pixel(box, 198, f), Rgb(gdi::clYellow));
    EXPECT_EQ(Pixel(box, 100, f + 1), Rgb(gdi::clYellow));

    // The custom style is the panel: its border, and the caption drawn by the panel.
    box->SetGroupStyle(lu::gsCustom);
    box->SetBorderOuter(lu::fsLowered);
    draws = TextDraws("组");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].position, (gdi::POINT{3, 2}));
    EXPECT_EQ(Pixel(box, 0, 0), Rgb(gdi::clBtnShadow));
    EXPECT_EQ(Pixel(box, 1, 1), Rgb(gdi::cl3DDkShadow));
}

TEST_F(GroupBoxes, CustomAndTopLineStylesTurnThemesOffForGood) {
    TLuGroupBox box(nullptr);
    box.SetGroupStyle(lu::gsStandard);
    EXPECT_TRUE(box.ThemeAware());
    box.SetGroupStyle(lu::gsTopLine);
    EXPECT_FALSE(box.ThemeAware());
    box.SetGroupStyle(lu::gsFlat);
    EXPECT_FALSE(box.ThemeAware());
    box.SetThemeAware(true);
    box.SetGroupStyle(lu::gsCustom);
    EXPECT_FALSE(box.ThemeAware());
}

TEST_F(GroupBoxes, TheClientAreaStartsBelowTheCaption) {
    const int h = lu::FontTextExtent(form->Font(), "Yy").cy;
    const int a = h / 2 - 1;
    struct Case {
        lu::TLuGroupBoxStyle style;
        int borderWidth;
        TRect child;
    };
    const std::vector<Case> cases = {
        {lu::gsFlat, 0, {1, h + 1, 199, 99}},        {lu::gsTopLine, 0, {1, h + 1, 199, 99}},
        {lu::gsStandard, 0, {2, h + 2, 198, 98}},    {lu::gsCustom, 0, {2, h + 2, 198, 98}},
        {lu::gsFlat, 20, {21, 20 + a + 1, 179, 79}}, {lu::gsCustom, 20, {22, 20 + h + 2, 178, 78}},
    };
    for (const Case& c : cases) {
        auto* box = Add<TLuGroupBox>(10, 10, 200, 100);
        auto* child = Add<lu::TLuPanel>(0, 0, 10, 10, box);
        child->SetAlign(framework::alClient);
        box->SetBorderWidth(c.borderWidth);
        box->SetGroupStyle(c.style);
        EXPECT_EQ(child->BoundsRect(), c.child) << int(c.style) << " " << c.borderWidth;
        delete box;
    }
}

TEST_F(GroupBoxes, ALargerFontMovesTheChildrenDown) {
    auto* box = Add<TLuGroupBox>(10, 10, 200, 100);
    auto* child = Add<lu::TLuPanel>(0, 0, 10, 10, box);
    child->SetAlign(framework::alClient);
    const int before = child->Top();
    box->Font()->SetHeight(-24);
    EXPECT_EQ(child->Top(), lu::FontTextExtent(box->Font(), "Yy").cy + 1);
    EXPECT_GT(child->Top(), before);
}

TEST_F(GroupBoxes, TheAcceleratorFocusesTheFirstChild) {
    auto* outside = Add<TFocusable>(250, 10, 40, 20);
    auto* box = Add<TLuGroupBox>(10, 10, 200, 100);
    box->SetCaption("类型(&T)");
    auto* first = Add<TFocusable>(10, 30, 40, 20, box);
    Add<TFocusable>(60, 30, 40, 20, box);
    framework::UpdateAllWindows();
    outside->SetFocus();
    ASSERT_TRUE(outside->Focused());
    framework::input::PressKey('T', framework::TShiftState{framework::ssAlt});
    EXPECT_TRUE(first->Focused());
    // Another letter is not the box's.
    outside->SetFocus();
    framework::input::PressKey('X', framework::TShiftState{framework::ssAlt});
    EXPECT_TRUE(outside->Focused());
    framework::input::Reset();
}

TEST_F(GroupBoxes, DisabledCaptionsAreEmbossed) {
    auto* box = Add<TLuGroupBox>(10, 10, 200, 100);
    box->SetCaption("组");
    box->SetEnabled(false);
    auto draws = TextDraws("组");
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].position, (gdi::POINT{9, 1}));
    EXPECT_EQ(draws[0].color, Rgb(gdi::clBtnHighlight));
    EXPECT_EQ(draws[1].position, (gdi::POINT{8, 0}));
    EXPECT_EQ(draws[1].color, Rgb(gdi::clBtnShadow));
}

TEST_F(GroupBoxes, RightToLeftCaptionsEndEightPixelsFromTheRight) {
    auto* box = Add<TLuGroupBox>(10, 10, 200, 100);
    box->SetCaption("组");
    box->SetBiDiMode(framework::bdRightToLeft);
    const int w = lu::FontTextExtent(box->Font(), "组").cx;
    auto draws = TextDraws("组");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].position, (gdi::POINT{200 - 8 - w, 0}));
    EXPECT_TRUE(draws[0].flags & gdi::DT_RTLREADING);
}

TEST_F(GroupBoxes, ThemedBoxesDrawTheVisualStyle) {
    ThemesOn themes;
    auto* box = Add<TLuGroupBox>(10, 10, 200, 100);
    box->SetCaption("类型选择");
    const int f = lu::FontTextExtent(box->Font(), "Pp").cy / 2 - 1;
    gdi::ThemeServices& ts = gdi::GetThemeServices();
    auto themedCalls = [&] {
        ts.ClearCalls();
        box->Invalidate();
        framework::UpdateAllWindows();
        std::vector<gdi::ThemeCall> calls;
        for (const gdi::ThemeCall& c : ts.Calls())
            if (c.details.part == gdi::BP_GROUPBOX)
                calls.push_back(c);
        return calls;
    };
    auto calls = themedCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].call, "DrawElement");
    EXPECT_EQ(calls[0].details.state, gdi::GBS_NORMAL);
    EXPECT_EQ(calls[0].rect, (TRect{0, f, 200, 100}));
    EXPECT_EQ(calls[1].call, "DrawText");
    EXPECT_EQ(calls[1].text, "类型选择");
    EXPECT_EQ(calls[1].rect.left, 8);

    box->SetEnabled(false);
    calls = themedCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].details.state, gdi::GBS_DISABLED);

    // Top-line boxes draw themselves.
    box->SetGroupStyle(lu::gsTopLine);
    EXPECT_TRUE(themedCalls().empty());
}

} // namespace
