// Hot tracking and tab hints through real mouse moves and the virtual clock.
#include "tests/controls/tabs/TabTestSupport.h"

#include "platform/framework/Timers.h"

using namespace tabtest;
using framework::Clock;

namespace {

class HotTrack : public TabForm {
protected:
    void SetUp() override {
        TabForm::SetUp();
        tabs = AddTabs(TRect{10, 10, 310, 110});
        LayOutOneRow(*tabs, {"常规", "模块", "报告"}, {60, 60, 60}, 20);
        form->Show();
    }
    std::size_t Timers() { return tabs->Handle()->Timers().size(); }
    // A point of the form outside the tab control.
    void MoveOffTheControl() { framework::input::MoveMouse(TPoint{100 + 350, 100 + 250}); }
    TTestTabControl* tabs = nullptr;
};

} // namespace

TEST_F(HotTrack, TheHotTabFollowsTheMouseAndTheTimerEndsItWhenTheMouseLeaves) {
    MoveTo(*tabs, Inside(*tabs, 1));
    EXPECT_EQ(tabs->HotTab(), 1);
    EXPECT_TRUE(tabs->HotRepaintOnly());
    EXPECT_NE(tabs->HotTimer(), 0u);
    EXPECT_EQ(Timers(), 1u);

    MoveTo(*tabs, Inside(*tabs, 2));
    EXPECT_EQ(tabs->HotTab(), 2);
    EXPECT_EQ(Timers(), 1u);

    // The timer keeps the tab hot while the mouse rests on it.
    Clock().Advance(200);
    EXPECT_EQ(tabs->HotTab(), 2);

    // The control hears of no move once the mouse is over the form; the next tick notices.
    MoveOffTheControl();
    EXPECT_EQ(tabs->HotTab(), 2);
    Clock().Advance(60);
    EXPECT_EQ(tabs->HotTab(), -1);
    EXPECT_EQ(tabs->HotTimer(), 0u);
    EXPECT_EQ(Timers(), 0u);
}

TEST_F(HotTrack, MovingOntoTheCardEndsHotTrackingAtOnce) {
    MoveTo(*tabs, Inside(*tabs, 0));
    ASSERT_EQ(tabs->HotTab(), 0);
    MoveTo(*tabs, TPoint{150, 60});
    EXPECT_EQ(tabs->HotTab(), -1);
    EXPECT_EQ(Timers(), 0u);
    // A repaint of the whole control ends the hot-only repaint.
    tabs->InvalidateTabs();
    EXPECT_FALSE(tabs->HotRepaintOnly());
}

TEST_F(HotTrack, TurningHotTrackingAndTabHintsOffStopsTheTimer) {
    tabs->SetTabHints(true);
    MoveTo(*tabs, Inside(*tabs, 0));
    ASSERT_EQ(Timers(), 1u);
    tabs->SetHotTrack(false);
    EXPECT_EQ(Timers(), 1u); // tab hints still want it
    tabs->SetTabHints(false);
    EXPECT_EQ(Timers(), 0u);
    // With both off the mouse starts no timer.
    MoveTo(*tabs, Inside(*tabs, 1));
    EXPECT_EQ(Timers(), 0u);
}

// Switching the last of the two off ends hot tracking at once: switched on again, the next hover
// over the same tab makes it hot and starts the timer.
TEST_F(HotTrack, TurningTheLastOfHotTrackingAndTabHintsOffLeavesTheHotTab) {
    const struct {
        const char* name;
        void (TLuCustomTabControl::*set)(bool);
        bool hotTrack;
        bool tabHints;
    } switches[] = {{"HotTrack", &TLuCustomTabControl::SetHotTrack, true, false},
                    {"TabHints", &TLuCustomTabControl::SetTabHints, false, true}};
    tabs->SetHint("own");
    tabs->Tabs()->Items(1)->SetHint("second");
    for (const auto& s : switches) {
        SCOPED_TRACE(s.name);
        tabs->SetHotTrack(s.hotTrack);
        tabs->SetTabHints(s.tabHints);
        MoveTo(*tabs, Inside(*tabs, 1));
        ASSERT_EQ(tabs->HotTab(), 1);
        (tabs->*s.set)(false);
        EXPECT_EQ(tabs->HotTab(), -1);
        EXPECT_EQ(Timers(), 0u);
        EXPECT_EQ(tabs->Hint(), "own");
        MoveOffTheControl();
        (tabs->*s.set)(true);
        MoveTo(*tabs, Inside(*tabs, 1));
        EXPECT_EQ(tabs->HotTab(), 1);
        EXPECT_EQ(Timers(), 1u);
        MoveOffTheControl();
        Clock().Advance(60);
        EXPECT_EQ(tabs->HotTab(), -1);
    }
}

TEST_F(HotTrack, TabHintsStandInForTheControlsHintAndGiveItBack) {
    tabs->SetHint("own");
    tabs->SetTabHints(true);
    tabs->Tabs()->Items(0)->SetHint("first");
    tabs->Tabs()->Items(2)->SetHint("third");
    framework::TApplication* application = framework::Application();

    application->ActivateHint();
    MoveTo(*tabs, Inside(*tabs, 0));
    EXPECT_EQ(tabs->Hint(), "first");
    EXPECT_FALSE(application->HintActive()); // the hint shown before was taken down

    MoveTo(*tabs, Inside(*tabs, 1)); // no hint of its own
    EXPECT_EQ(tabs->Hint(), "own");
    MoveTo(*tabs, Inside(*tabs, 2));
    EXPECT_EQ(tabs->Hint(), "third");

    // The empty part of the strip shows no hint; the card shows the control's own.
    MoveTo(*tabs, TPoint{250, 10});
    EXPECT_EQ(tabs->Hint(), "");
    MoveTo(*tabs, TPoint{150, 60});
    EXPECT_EQ(tabs->Hint(), "own");
    EXPECT_EQ(tabs->HotTab(), -1);

    // Leaving through the timer gives the hint back too.
    MoveTo(*tabs, Inside(*tabs, 0));
    MoveOffTheControl();
    framework::Clock().Advance(60);
    EXPECT_EQ(tabs->Hint(), "own");
}

TEST_F(HotTrack, WithoutTabHintsLeavingAHotTabLeavesTheHintAlone) {
    tabs->SetHint("own");
    MoveTo(*tabs, Inside(*tabs, 0));
    ASSERT_EQ(tabs->HotTab(), 0);
    // The application changes the hint while the tab is hot.
    tabs->SetHint("changed");
    MoveTo(*tabs, TPoint{150, 60});
    EXPECT_EQ(tabs->HotTab(), -1);
    EXPECT_EQ(tabs->Hint(), "changed");
    MoveTo(*tabs, Inside(*tabs, 1));
    MoveOffTheControl();
    Clock().Advance(60);
    EXPECT_EQ(tabs->Hint(), "changed");
}

TEST_F(HotTrack, NothingIsTrackedWhileTheFormIsDesigned) {
    tabs->SetDesigning(true);
    MoveTo(*tabs, Inside(*tabs, 0));
    EXPECT_EQ(tabs->HotTab(), -1);
    EXPECT_EQ(Timers(), 0u);
    tabs->SetDesigning(false);
}

// The control stops its timer before it goes, and its window's destruction cancels the window's
// timers as well; either way no tick may stay scheduled for a control that is gone.
TEST_F(HotTrack, FreeingAControlWithAHotTabStopsItsTimer) {
    MoveTo(*tabs, Inside(*tabs, 0));
    ASSERT_EQ(Timers(), 1u);
    const void* timer = tabs->Handle()->Timers().begin()->second.get();
    ASSERT_TRUE(Clock().Scheduled(const_cast<void*>(timer)));
    delete tabs;
    EXPECT_FALSE(Clock().Scheduled(const_cast<void*>(timer)));
    Clock().Advance(120);
}
