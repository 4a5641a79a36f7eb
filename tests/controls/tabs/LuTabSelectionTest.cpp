// Selecting tabs with the mouse and in code: the OnChanging veto, OnChange and OnTabClick.
#include "tests/controls/tabs/TabTestSupport.h"

#include "platform/framework/StdCtrls.h"

using namespace tabtest;

namespace {

class TabSelection : public TabForm {
protected:
    void SetUp() override {
        TabForm::SetUp();
        tabs = AddTabs(TRect{10, 10, 310, 110});
        LayOutOneRow(*tabs, {"常规", "模块", "报告"}, {60, 60, 60}, 20);
        tabs->OnChanging = [this](framework::TObject*, int index, bool& allow) {
            events.push_back("changing " + std::to_string(index));
            allow = index != vetoed;
        };
        tabs->OnChange = [this](framework::TObject*) { events.push_back("change"); };
        tabs->OnTabClick = [this](framework::TObject*) { events.push_back("click"); };
        form->Show();
    }
    TTestTabControl* tabs = nullptr;
    std::vector<std::string> events;
    int vetoed = -1;
};

using Events = std::vector<std::string>;

// Two rows of tabs stacked as the layout stacks them: row 0 next to the card, row 1 further out.
void LayOutTwoRows(TLuCustomTabControl& c) {
    LayOutOneRow(c, {"A", "B", "C", "D"}, {60, 60, 60, 60}, 20);
    c.SetMultiLine(true);
    c.SetRowCount(2);
    const int front = c.GetTabAreaThickness() - 20;
    const int back = front - (20 - c.RowOverlap());
    const int rows[] = {0, 0, 1, 1};
    for (int i = 0; i < 4; ++i) {
        TLuTabData* tab = c.Tabs()->Items(i);
        const int left = (i % 2) * 51;
        const int top = rows[i] == 0 ? front : back;
        tab->SetRow(rows[i]);
        tab->SetTabRect(TRect{left, top, left + 60, top + 20});
    }
    c.RegionCache()->Clear();
}

} // namespace

TEST_F(TabSelection, AClickSelectsTheTabAfterAskingAndTellsOfTheChange) {
    ClickAt(*tabs, Inside(*tabs, 1));
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_EQ(events, (Events{"changing 1", "change", "click"}));

    // The current tab takes the focus and is clicked again without a change.
    events.clear();
    ClickAt(*tabs, Inside(*tabs, 1));
    EXPECT_TRUE(tabs->Focused());
    EXPECT_EQ(events, (Events{"click"}));

    // Outside the tabs nothing happens.
    events.clear();
    ClickAt(*tabs, TPoint{250, 10});
    ClickAt(*tabs, TPoint{100, 60});
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(tabs->TabIndex(), 1);
}

TEST_F(TabSelection, AVetoInOnChangingKeepsTheSelection) {
    ClickAt(*tabs, Inside(*tabs, 0));
    events.clear();
    vetoed = 2;
    ClickAt(*tabs, Inside(*tabs, 2));
    EXPECT_EQ(tabs->TabIndex(), 0);
    EXPECT_EQ(tabs->FirstShownTab(), 0);
    EXPECT_EQ(events, (Events{"changing 2"}));
}

TEST_F(TabSelection, AVetoKeepsTheRowsWhereTheyWere) {
    LayOutTwoRows(*tabs);
    tabs->SetTabIndex(0);
    const TPoint back = Inside(*tabs, 3);
    vetoed = 3;
    ClickAt(*tabs, back);
    EXPECT_EQ(tabs->TabIndex(), 0);
    EXPECT_EQ(tabs->Tabs()->Items(3)->Row(), 1);
    EXPECT_EQ(tabs->Tabs()->Items(0)->Row(), 0);

    // Without the veto the row of the clicked tab comes to the front, each tab keeping its place
    // along the strip.
    vetoed = -1;
    const TRect before = tabs->Tabs()->Items(3)->TabRect();
    const TRect front = tabs->Tabs()->Items(0)->TabRect();
    ClickAt(*tabs, back);
    EXPECT_EQ(tabs->TabIndex(), 3);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(tabs->Tabs()->Items(i)->Row(), i < 2 ? 1 : 0) << i;
    const TRect after = tabs->Tabs()->Items(3)->TabRect();
    EXPECT_EQ(after, (TRect{before.left, front.top, before.right, front.bottom}));
}

TEST_F(TabSelection, SettingTheCurrentIndexOrNoneRaisesNoEvents) {
    tabs->SetTabIndex(1);
    events.clear();
    tabs->SetTabIndex(1);
    EXPECT_TRUE(events.empty());
    tabs->SetTabIndex(-1);
    EXPECT_EQ(tabs->TabIndex(), -1);
    EXPECT_TRUE(events.empty());
    tabs->SetTabIndex(7); // beyond the tabs: no selection
    EXPECT_EQ(tabs->TabIndex(), -1);
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(tabs->CanChange(7));
    EXPECT_FALSE(tabs->CanChange(-1));
}

TEST_F(TabSelection, DisabledAndHiddenTabsCannotBeSelected) {
    tabs->Tabs()->Items(1)->SetEnabled(false);
    ClickAt(*tabs, Inside(*tabs, 1));
    EXPECT_EQ(tabs->TabIndex(), -1);
    EXPECT_TRUE(events.empty());
    tabs->Tabs()->Items(2)->SetVisible(false);
    EXPECT_FALSE(tabs->CanChange(2));
    EXPECT_EQ(tabs->TabAtPoint(Inside(*tabs, 2).x, Inside(*tabs, 2).y), -1);
    // While the form is designed a disabled tab may be chosen.
    tabs->SetDesigning(true);
    EXPECT_TRUE(tabs->CanChange(1));
    tabs->SetDesigning(false);
}

TEST_F(TabSelection, AClickOnTheCurrentTabDoesNothingWhenTheFocusIsRefused) {
    auto* other = new framework::TButton(form.get());
    other->SetBounds(10, 200, 80, 25);
    other->SetParent(form.get());
    tabs->SetTabIndex(1);
    other->SetFocus();
    tabs->OnEnter = [other](framework::TObject*) { other->SetFocus(); };
    events.clear();
    ClickAt(*tabs, Inside(*tabs, 1));
    EXPECT_FALSE(tabs->Focused());
    EXPECT_TRUE(events.empty());
    // Another tab is still selected by a click.
    ClickAt(*tabs, Inside(*tabs, 2));
    EXPECT_EQ(tabs->TabIndex(), 2);
}

TEST_F(TabSelection, AClickWhereTheCurrentTabOverlapsANeighbourStaysOnTheCurrentTab) {
    // The second tab's slant covers the start of the third here.
    const TPoint overlap{104, 15};
    ClickAt(*tabs, Inside(*tabs, 2));
    events.clear();
    ClickAt(*tabs, overlap);
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(events, (Events{"click"}));
    // With another tab current, the walk from the first tab finds the second there.
    tabs->SetTabIndex(0);
    EXPECT_EQ(tabs->TabAtPoint(overlap.x, overlap.y), 1);
}

TEST_F(TabSelection, TheScriptedUserSelectsATabByItsCaption) {
    tabs->Tabs()->Items(2)->SetCaption("报告(&R)");
    tabs->ScriptSelectTab("模块");
    EXPECT_EQ(tabs->TabIndex(), 1);
    tabs->ScriptSelectTab("报告(R)");
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_THROW(tabs->ScriptSelectTab("其他"), framework::EScriptError);
}
