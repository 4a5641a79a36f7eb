// The tab control's keys through real input: arrows, Home and End, accelerators.
#include "tests/controls/tabs/TabTestSupport.h"

using namespace tabtest;

namespace {

using framework::input::PressKey;

class TabKeys : public TabForm {
protected:
    void SetUp() override {
        TabForm::SetUp();
        tabs = AddTabs(TRect{10, 10, 310, 110});
        for (const char* caption : {"常规(&G)", "模块(&M)", "报告(&R)"}) {
            auto tab = std::make_unique<TLuTabData>();
            tab->SetCaption(caption);
            tabs->Tabs()->Add(std::move(tab));
        }
        tabs->OnChanging = [this](framework::TObject*, int index, bool& allow) {
            asked.push_back(index);
            allow = index != vetoed;
        };
        tabs->OnTabClick = [this](framework::TObject*) { ++clicks; };
        form->Show();
        tabs->SetFocus();
    }
    int Press(std::uint16_t key) {
        PressKey(key);
        return tabs->TabIndex();
    }
    TTestTabControl* tabs = nullptr;
    std::vector<int> asked;
    int vetoed = -1;
    int clicks = 0;
};

TEST_F(TabKeys, ArrowsWrapAroundTheTabs) {
    tabs->SetTabIndex(2);
    EXPECT_EQ(Press(win::VK_RIGHT), 0);
    EXPECT_EQ(Press(win::VK_LEFT), 2);
    EXPECT_EQ(Press(win::VK_DOWN), 0);
    EXPECT_EQ(Press(win::VK_UP), 2);
    EXPECT_EQ(clicks, 4);
    // The orientation does not matter, the sequence does.
    tabs->SetTabOrientation(toLeft);
    tabs->SetTabSequence(tsReverse);
    EXPECT_EQ(Press(win::VK_LEFT), 0);
    EXPECT_EQ(Press(win::VK_UP), 1);
    // Other keys select nothing.
    EXPECT_EQ(Press(win::VK_A), 1);
}

TEST_F(TabKeys, DisabledHiddenAndRefusedTabsAreSkipped) {
    tabs->Tabs()->Items(1)->SetEnabled(false);
    tabs->SetTabIndex(0);
    EXPECT_EQ(Press(win::VK_RIGHT), 2);
    EXPECT_EQ(Press(win::VK_HOME), 0);
    tabs->Tabs()->Items(0)->SetVisible(false);
    tabs->SetTabIndex(2);
    EXPECT_EQ(Press(win::VK_HOME), 2) << "no tab before it may be selected";
    clicks = 0;
    EXPECT_EQ(Press(win::VK_END), 2);
    EXPECT_EQ(clicks, 0);

    tabs->Tabs()->Items(0)->SetVisible(true);
    tabs->Tabs()->Items(1)->SetEnabled(true);
    tabs->SetTabIndex(0);
    vetoed = 1;
    asked.clear();
    EXPECT_EQ(Press(win::VK_RIGHT), 2);
    EXPECT_EQ(asked, (std::vector<int>{1, 2}));
}

TEST_F(TabKeys, WithoutASelectionArrowsStopAfterOnePassWhenNoTabQualifies) {
    for (int i = 0; i < 3; ++i)
        tabs->Tabs()->Items(i)->SetEnabled(false);
    ASSERT_EQ(tabs->TabIndex(), -1);
    EXPECT_EQ(Press(win::VK_RIGHT), -1);
    EXPECT_EQ(Press(win::VK_LEFT), -1);
    tabs->Tabs()->Items(1)->SetEnabled(true);
    EXPECT_EQ(Press(win::VK_LEFT), 1);
}

TEST_F(TabKeys, AnAcceleratorSelectsAnEnabledTab) {
    PressKey(win::VK_A + ('r' - 'a'), {framework::ssAlt});
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(clicks, 1);
    tabs->Tabs()->Items(1)->SetEnabled(false);
    PressKey(win::VK_A + ('m' - 'a'), {framework::ssAlt});
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(clicks, 1);
}

} // namespace

namespace {

TEST_F(TabKeys, TheControlWantsArrowsAndRemembersWhereItWasHitTested) {
    EXPECT_EQ(tabs->Perform(win::WM_GETDLGCODE, 0, 0), win::DLGC_WANTARROWS);
    EXPECT_EQ(tabs->Perform(win::WM_ERASEBKGND, 0, 0), 1);
    const TPoint screen = tabs->ClientToScreen(TPoint{5, 50});
    tabs->Perform(win::WM_NCHITTEST, 0, framework::PointToLParam(screen));
    EXPECT_EQ(tabs->NcHitPoint(), screen);
}

TEST_F(TabKeys, WhileDesigningAPressOnAnotherTabSwitchesToIt) {
    tabs->SetTabIndex(0);
    tabs->Repaint();
    const TRect r = tabs->GetTabRect(2);
    const TPoint p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    // Only in the designer, and only while the button is down.
    EXPECT_EQ(tabs->Perform(win::CM_DESIGNHITTEST, 0, framework::PointToLParam(p)), 0);
    tabs->SetDesigning(true);
    EXPECT_EQ(tabs->Perform(win::CM_DESIGNHITTEST, 0, framework::PointToLParam(p)), 0);
    framework::input::PressButton(framework::mbLeft, tabs->ClientToScreen(p));
    EXPECT_EQ(tabs->Perform(win::CM_DESIGNHITTEST, 0, framework::PointToLParam(p)), 1);
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(tabs->Perform(win::CM_DESIGNHITTEST, 0, framework::PointToLParam(p)), 0) << "the current tab";
    framework::input::ReleaseButton(framework::mbLeft, tabs->ClientToScreen(p));
    tabs->SetDesigning(false);
}

} // namespace
