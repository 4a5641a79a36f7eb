// The scroll arrows of a row that overflows, and the close button, through real mouse input.
#include "tests/controls/tabs/TabTestSupport.h"

#include "platform/framework/Window.h"

#include <filesystem>

using namespace tabtest;

namespace {

// Records the close requests that reach the control.
class TClosingTabControl : public TTestTabControl {
public:
    using TTestTabControl::TTestTabControl;
    int Closed = 0;

protected:
    void CloseActiveTab() override { ++Closed; }
};

const std::vector<std::string> Five{"常规", "模块", "报告", "附件", "人员"};

class TabScroller : public TabForm {
protected:
    // 200 x 100 with five tabs of 60 on 18 pixel rows: three and a bit fit.
    TClosingTabControl* Overflowing(TLuTabOrientation orientation = toTop,
                                    TRect bounds = TRect{10, 10, 210, 110}) {
        auto* c = AddTabs<TClosingTabControl>(bounds);
        c->SetTabOrientation(orientation);
        LayOutOneRow(*c, Five, {60, 60, 60, 60, 60}, 18);
        form->Show();
        return c;
    }
    static TPoint ArrowPoint(const TLuTabScroller& s, int arrow) {
        const TRect r = s.ArrowRect(arrow);
        return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    static void ClickArrow(const TLuTabScroller& s, int arrow) { ClickAt(s, ArrowPoint(s, arrow)); }
    static std::vector<int> ThemedStates(const std::string& className) {
        std::vector<int> states;
        for (const gdi::ThemeCall& call : gdi::GetThemeServices().Calls())
            if (call.call == "DrawElement" && call.details.className == className)
                states.push_back(call.details.state);
        return states;
    }
    // Paints the child again and answers the themed states it drew.
    static std::vector<int> RepaintedStates(framework::TControl& child, const std::string& className) {
        gdi::GetThemeServices().ClearCalls();
        child.Invalidate();
        framework::UpdateAllWindows();
        return ThemedStates(className);
    }
};

} // namespace

TEST_F(TabScroller, ArrowsAppearAtTheStripsEndOnlyWhileTheRowOverflows) {
    auto* c = AddTabs(TRect{10, 10, 210, 110});
    LayOutOneRow(*c, {"A", "B", "C"}, {50, 50, 50}, 18);
    EXPECT_FALSE(c->ScrollerNeeded());
    EXPECT_EQ(c->Scroller(), nullptr);

    LayOutOneRow(*c, Five, {60, 60, 60, 60, 60}, 18);
    EXPECT_TRUE(c->ScrollerNeeded());
    TLuTabScroller* scroller = c->Scroller();
    ASSERT_NE(scroller, nullptr);
    const int s = c->GetScrollerButtonSize();
    EXPECT_EQ(s, 16); // the row thickness less 2 bounds it
    EXPECT_TRUE(scroller->Visible());
    EXPECT_EQ(scroller->Orientation(), orHorizontal);
    EXPECT_EQ(scroller->BoundsRect(), (TRect{197 - 2 * s, 0, 196, s}));

    // A row that fits again sends the arrows out of sight.
    LayOutOneRow(*c, {"A"}, {50}, 18);
    EXPECT_EQ(scroller->BoundsRect(), (TRect{-2 * s, -s - 1, -1, -1}));
    // Several rows never scroll.
    c->SetMultiLine(true);
    LayOutOneRow(*c, Five, {60, 60, 60, 60, 60}, 18);
    EXPECT_FALSE(c->ScrollerNeeded());

    // Without the shadow the arrows stand 4 pixels nearer the right edge.
    c->SetMultiLine(false);
    LayOutOneRow(*c, Five, {60, 60, 60, 60, 60}, 18);
    const int withShadow = scroller->Left();
    c->SetShowShadow(false);
    c->Realign();
    EXPECT_EQ(scroller->Left(), withShadow + 4);
}

TEST_F(TabScroller, TheArrowsMoveTheFirstShownTab) {
    auto* c = Overflowing();
    TLuTabScroller* s = c->Scroller();
    EXPECT_FALSE(s->ArrowEnabled(0)); // back, at the first tab
    EXPECT_TRUE(s->ArrowEnabled(1));
    // The fourth tab is cut off by the arrows: it cannot be hit.
    EXPECT_FALSE(c->IsTabFullyShown(3));
    EXPECT_EQ(c->TabAtPoint(160, 10), -1);

    ClickArrow(*s, 1);
    EXPECT_EQ(c->FirstShownTab(), 1);
    EXPECT_TRUE(s->ArrowEnabled(0));
    EXPECT_TRUE(c->IsTabFullyShown(3));
    EXPECT_FALSE(c->IsTabFullyShown(0));
    ClickArrow(*s, 1);
    EXPECT_EQ(c->FirstShownTab(), 2);
    EXPECT_FALSE(s->ArrowEnabled(1)); // the last tab is shown whole
    ClickArrow(*s, 1);
    EXPECT_EQ(c->FirstShownTab(), 2);

    // The tabs scrolled along: the first shown one lies at the strip's start.
    EXPECT_EQ(c->GetTabRect(2).left, 0);
    EXPECT_EQ(c->TabAtPoint(Inside(*c, 4).x, Inside(*c, 4).y), 4);

    ClickArrow(*s, 0);
    ClickArrow(*s, 0);
    EXPECT_EQ(c->FirstShownTab(), 0);
    ClickArrow(*s, 0);
    EXPECT_EQ(c->FirstShownTab(), 0);
}

TEST_F(TabScroller, HiddenTabsAreScrolledOver) {
    auto* c = Overflowing();
    c->Tabs()->Items(1)->SetVisible(false);
    ClickArrow(*c->Scroller(), 1);
    EXPECT_EQ(c->FirstShownTab(), 2);
}

TEST_F(TabScroller, SelectingACutOffTabScrollsItIntoView) {
    auto* c = Overflowing();
    c->SetTabIndex(4);
    EXPECT_EQ(c->FirstShownTab(), 2);
    EXPECT_TRUE(c->IsTabFullyShown(4));
    c->SetTabIndex(0);
    EXPECT_EQ(c->FirstShownTab(), 0);
}

TEST_F(TabScroller, ADragOutOfThePressedArrowCancelsAndADragBackScrolls) {
    auto* c = Overflowing();
    TLuTabScroller* s = c->Scroller();
    const TPoint arrow = ArrowPoint(*s, 1);
    // Right of the scroller lies in the pressed arrow's half of the plane, but outside the arrows.
    const TPoint beyond{s->Width() + 20, arrow.y};

    framework::input::PressButton(framework::mbLeft, Screen(*s, arrow));
    EXPECT_TRUE(s->Tracking());
    EXPECT_TRUE(s->PressedInside());
    EXPECT_EQ(s->PressedButton(), 1);
    MoveTo(*s, beyond);
    EXPECT_FALSE(s->PressedInside());
    framework::input::ReleaseButton(framework::mbLeft, Screen(*s, beyond));
    EXPECT_FALSE(s->Tracking());
    EXPECT_EQ(c->FirstShownTab(), 0);

    framework::input::PressButton(framework::mbLeft, Screen(*s, arrow));
    MoveTo(*s, ArrowPoint(*s, 0)); // the other arrow is outside the pressed one
    EXPECT_FALSE(s->PressedInside());
    MoveTo(*s, beyond);
    MoveTo(*s, arrow);
    EXPECT_TRUE(s->PressedInside());
    framework::input::ReleaseButton(framework::mbLeft, Screen(*s, arrow));
    EXPECT_EQ(c->FirstShownTab(), 1);
}

TEST_F(TabScroller, SideTabsHaveVerticalArrowsWhoseTopOneScrollsForward) {
    auto* c = Overflowing(toLeft, TRect{10, 10, 110, 210});
    TLuTabScroller* s = c->Scroller();
    ASSERT_NE(s, nullptr);
    const int size = c->GetScrollerButtonSize();
    EXPECT_EQ(s->Orientation(), orVertical);
    EXPECT_EQ(s->BoundsRect(), (TRect{18 - size - 2, 0, 16, 2 * size - 1}));
    const TPoint top{size / 2, 2};
    framework::input::PressButton(framework::mbLeft, Screen(*s, top));
    EXPECT_EQ(s->PressedButton(), 1);
    framework::input::ReleaseButton(framework::mbLeft, Screen(*s, top));
    EXPECT_EQ(c->FirstShownTab(), 1);
    // With the reverse sequence on the right edge the top arrow scrolls forward as well.
    c->SetTabOrientation(toRight);
    c->SetTabSequence(tsReverse);
    EXPECT_TRUE(c->UpRightScrollsForward());
    c->SetTabSequence(tsStandard);
    EXPECT_FALSE(c->UpRightScrollsForward());
}

TEST_F(TabScroller, ThemedArrowsShowTheirStateAndAreDisabledWithoutVisibleTabs) {
    auto* c = Overflowing();
    gdi::GetThemeServices().SetThemesEnabled(true);
    TLuTabScroller* s = c->Scroller();
    EXPECT_EQ(RepaintedStates(*s, "SPIN"), (std::vector<int>{gdi::UPS_DISABLED, gdi::UPS_NORMAL}));
    framework::input::PressButton(framework::mbLeft, Screen(*s, ArrowPoint(*s, 1)));
    EXPECT_EQ(RepaintedStates(*s, "SPIN"), (std::vector<int>{gdi::UPS_DISABLED, gdi::UPS_PRESSED}));
    framework::input::ReleaseButton(framework::mbLeft, Screen(*s, ArrowPoint(*s, 1)));
    ASSERT_EQ(c->FirstShownTab(), 1);

    // Every tab hidden, before a new layout: the forward arrow has nothing to scroll to.
    for (int i = 0; i < c->Tabs()->Count(); ++i)
        c->Tabs()->Items(i)->SetVisible(false);
    EXPECT_EQ(RepaintedStates(*s, "SPIN"), (std::vector<int>{gdi::UPS_NORMAL, gdi::UPS_DISABLED}));
}

TEST_F(TabScroller, TheCloseButtonStandsAtTheStripsEndWithTheArrowsInsideIt) {
    auto* c = Overflowing();
    const int arrowsLeft = c->Scroller()->Left();
    c->SetShowCloseButton(true);
    TLuTabCloseButton* close = c->CloseButton();
    ASSERT_NE(close, nullptr);
    LayOutOneRow(*c, Five, {60, 60, 60, 60, 60}, 18);
    const int size = c->GetCloseButtonSize();
    EXPECT_EQ(size, c->GetScrollerButtonSize());
    EXPECT_EQ(close->BoundsRect(), (TRect{197 - size - 1, 0, 196, size}));
    EXPECT_EQ(c->Scroller()->Left(), arrowsLeft - size - 2);
    c->SetShowCloseButton(false);
    EXPECT_FALSE(close->Visible());
}

TEST_F(TabScroller, TheCloseButtonAsksOnCloseAndClosesOnlyWithItsConsent) {
    auto* c = Overflowing();
    c->SetShowCloseButton(true);
    LayOutOneRow(*c, Five, {60, 60, 60, 60, 60}, 18);
    TLuTabCloseButton* close = c->CloseButton();
    const TPoint middle{close->Width() / 2, close->Height() / 2};
    int asked = 0;
    bool allow = false;
    c->OnClose = [&](framework::TObject*, bool& allowClose) {
        ++asked;
        allowClose = allow;
    };

    ClickAt(*close, middle); // no current tab: nothing to close
    EXPECT_EQ(asked, 0);
    c->SetTabIndex(1);
    ClickAt(*close, middle);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(c->Closed, 0);
    allow = true;
    ClickAt(*close, middle);
    EXPECT_EQ(c->Closed, 1);

    // Released away from the button it closes nothing.
    framework::input::PressButton(framework::mbLeft, Screen(*close, middle));
    EXPECT_TRUE(close->PressedInside());
    MoveTo(*close, TPoint{-30, middle.y});
    EXPECT_FALSE(close->PressedInside());
    framework::input::ReleaseButton(framework::mbLeft, Screen(*close, TPoint{-30, middle.y}));
    EXPECT_EQ(asked, 2);

    // Without a handler nothing closes.
    c->OnClose = nullptr;
    ClickAt(*close, middle);
    EXPECT_EQ(c->Closed, 1);
}

TEST_F(TabScroller, TheThemedCloseButtonIsDisabledWithoutACurrentTab) {
    auto* c = Overflowing();
    c->SetShowCloseButton(true);
    LayOutOneRow(*c, Five, {60, 60, 60, 60, 60}, 18);
    gdi::GetThemeServices().SetThemesEnabled(true);
    TLuTabCloseButton* close = c->CloseButton();
    EXPECT_EQ(RepaintedStates(*close, "WINDOW"), (std::vector<int>{gdi::CBS_DISABLED}));
    c->SetTabIndex(0);
    EXPECT_EQ(RepaintedStates(*close, "WINDOW"), (std::vector<int>{gdi::CBS_NORMAL}));
    framework::input::PressButton(framework::mbLeft, Screen(*close, TPoint{2, 2}));
    EXPECT_EQ(RepaintedStates(*close, "WINDOW"), (std::vector<int>{gdi::CBS_PUSHED}));
    framework::input::ReleaseButton(framework::mbLeft, Screen(*close, TPoint{2, 2}));
}

TEST_F(TabScroller, TheFlatColourFramesBothChildren) {
    auto* c = Overflowing();
    c->SetShowCloseButton(true);
    c->SetFlatColor(10263441);
    EXPECT_EQ(c->Scroller()->FrameColor(), 10263441);
    EXPECT_EQ(c->CloseButton()->FrameColor(), 10263441);
    c->SetFlatColorAdjustment(20);
    EXPECT_EQ(c->Scroller()->FrameColor(), AdjustColorLuminance(10263441, 20));
    EXPECT_EQ(c->CloseButton()->FrameColor(), AdjustColorLuminance(10263441, 20));
}

TEST_F(TabScroller, BothChildrenAnswerTheDesignersHitTest) {
    auto* c = Overflowing();
    c->SetShowCloseButton(true);
    EXPECT_EQ(c->Scroller()->Perform(win::CM_DESIGNHITTEST), 1);
    EXPECT_EQ(c->CloseButton()->Perform(win::CM_DESIGNHITTEST), 1);
    EXPECT_TRUE(c->Scroller()->ControlStyle().Contains(framework::csNoDesignVisible));
    EXPECT_TRUE(c->CloseButton()->ControlStyle().Contains(framework::csNoDesignVisible));
}
