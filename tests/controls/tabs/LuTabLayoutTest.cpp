// Layout: tab sizes, rows, places along the strip, stretching, and what a new layout keeps valid.
#include "tests/controls/tabs/TabTestSupport.h"

#include "controls/tabs/LuTabCaption.h"

using namespace tabtest;

namespace {

class TabLayout : public TabForm {
protected:
    // A control of these tabs, not yet laid out.
    TTestTabControl* Make(const std::vector<std::string>& captions, int width = 303) {
        TTestTabControl* c = AddTabs(TRect{0, 0, width, 100});
        for (const std::string& caption : captions) {
            auto tab = std::make_unique<TLuTabData>();
            tab->SetCaption(caption);
            c->Tabs()->Add(std::move(tab));
        }
        return c;
    }
    static TRect Strip(const TLuCustomTabControl& c, int index) { return c.Tabs()->Items(index)->TabRect(); }
    static std::vector<int> Lefts(const TLuCustomTabControl& c) {
        std::vector<int> lefts;
        for (int i = 0; i < c.Tabs()->Count(); ++i)
            lefts.push_back(Strip(c, i).left);
        return lefts;
    }
};

TEST_F(TabLayout, NeighboursOverlapByTheirSlantOrLeaveAGap) {
    // The strip of a 303-pixel control with a shadow is 300 long.
    TTestTabControl* c = Make({"甲", "乙", "丙"});
    c->SetTabStyle(tsCutCorner);
    c->SetTabWidth(60);
    c->LayoutTabs();
    EXPECT_EQ(c->GetTabStripLength(), 300);
    EXPECT_EQ(Strip(*c, 0).left, 0);
    EXPECT_EQ(Strip(*c, 0).right, 60);
    EXPECT_EQ(Lefts(*c), (std::vector<int>{0, 62, 124}));
    EXPECT_EQ(Strip(*c, 2).right, 184);

    c->SetTabStyle(tsSingleSlant);
    c->SetTabHeight(20);
    c->LayoutTabs();
    EXPECT_EQ(c->FixedDimension(), 20);
    EXPECT_EQ(Strip(*c, 0).right - Strip(*c, 1).left, 9);
    // Row 0 lies next to the card.
    EXPECT_EQ(Strip(*c, 0).top, c->GetTabAreaThickness() - 20);
    EXPECT_EQ(Strip(*c, 0).bottom, c->GetTabAreaThickness());
}

TEST_F(TabLayout, ReverseSequencePlacesTheFirstTabAtTheFarEnd) {
    TTestTabControl* c = Make({"甲", "乙"});
    c->SetTabStyle(tsCutCorner);
    c->SetTabSequence(tsReverse);
    c->SetTabWidth(50);
    c->LayoutTabs();
    // The 2-pixel gap lies between the tabs only, as in the standard sequence.
    EXPECT_EQ(Strip(*c, 0).left, 52);
    EXPECT_EQ(Strip(*c, 0).right, 102);
    EXPECT_EQ(Strip(*c, 1).left, 0);
    EXPECT_EQ(Strip(*c, 1).right, 50);
}

// Slanted neighbours overlap and the others leave a gap, so the row's two ends are found from its
// tabs, not from the last step of the placing. A row shown without arrows lies inside the tab area
// whichever tab is current: a round-corner row is mapped 2 pixels along and its current tab stands
// out 2 pixels at either end, so it needs 4 pixels more than its tabs.
TEST_F(TabLayout, AReversedRowStartsAtZeroAndGetsArrowsExactlyWhenItDoesNotFit) {
    for (TLuTabSequence sequence : {tsReverse, tsStandard})
        for (TLuTabStyle style : {tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners})
            for (int margin : {0, 1, 3}) {
                SCOPED_TRACE(testing::Message() << "sequence " << int(sequence) << ", style " << int(style)
                                                << ", margin " << margin);
                const bool reverse = sequence == tsReverse;
                const int room = style == tsRoundCorners ? 4 : 0;
                TTestTabControl* c = Make({"甲", "乙", "丙"}, 800);
                c->SetTabStyle(style);
                c->SetTabSequence(sequence);
                c->SetTabWidth(200);
                c->SetMargin(margin);
                c->LayoutIfPending();
                ASSERT_FALSE(c->ScrollerNeeded());
                const std::vector<int> lefts = Lefts(*c);
                const int leftmost = *std::min_element(lefts.begin(), lefts.end());
                if (reverse) {
                    EXPECT_EQ(leftmost, 0);
                    EXPECT_EQ(lefts.back(), leftmost) << "the last tab of the list lies at the strip's start";
                } else {
                    EXPECT_EQ(leftmost, margin);
                }
                // How far along the strip the row reaches: a standard row is placed from the margin.
                const int reach = reverse ? Strip(*c, 0).right - leftmost : Strip(*c, 2).right;

                // The strip holds the row, both margins and the round corners' room exactly.
                c->SetWidth(c->Width() + reach + 2 * margin + room - c->GetTabStripLength());
                c->RequestLayout();
                c->LayoutIfPending();
                EXPECT_FALSE(c->ScrollerNeeded());
                const TRect area = c->GetTabAreaRect();
                for (int current : {-1, 0, 1, 2}) {
                    c->SetTabIndex(current);
                    for (int i = 0; i < 3; ++i) {
                        const TRect r = c->GetTabRect(i);
                        EXPECT_GE(r.left, area.left + margin) << "tab " << i << ", current " << current;
                        EXPECT_LE(r.right, area.right - margin) << "tab " << i << ", current " << current;
                    }
                }
                if (reverse) {
                    // The row fills the strip between the margins: the end tabs as they stand out
                    // when current.
                    c->SetTabIndex(2);
                    EXPECT_EQ(c->GetTabRect(2).left, area.left + margin);
                    c->SetTabIndex(0);
                    EXPECT_EQ(c->GetTabRect(0).right, area.right - margin);
                }

                // One pixel less and the arrows come.
                c->SetWidth(c->Width() - 1);
                c->RequestLayout();
                c->LayoutIfPending();
                EXPECT_TRUE(c->ScrollerNeeded());
            }
}

// Rows that break where the strip ends lie inside it between the margins too, whichever tab is
// current and whichever row is in front; round-corner rows break 4 pixels earlier.
TEST_F(TabLayout, MultiLineRowsLieInsideTheTabAreaWhicheverTabIsCurrent) {
    for (TLuTabSequence sequence : {tsReverse, tsStandard})
        for (TLuTabStyle style : {tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners})
            for (int margin : {0, 1, 3})
                for (int width = 200; width < 260; ++width) {
                    SCOPED_TRACE(testing::Message()
                                 << "sequence " << int(sequence) << ", style " << int(style) << ", margin "
                                 << margin << ", width " << width);
                    TTestTabControl* c = Make({"甲", "乙", "丙", "丁"}, width);
                    c->SetTabStyle(style);
                    c->SetTabSequence(sequence);
                    c->SetMultiLine(true);
                    c->SetTabWidth(60);
                    c->SetMargin(margin);
                    c->LayoutIfPending();
                    const TRect area = c->GetTabAreaRect();
                    for (int current : {-1, 0, 1, 2, 3}) {
                        c->SetTabIndex(current);
                        for (int i = 0; i < 4; ++i) {
                            const TRect r = c->GetTabRect(i);
                            ASSERT_GE(r.left, area.left + margin) << "tab " << i << ", current " << current;
                            ASSERT_LE(r.right, area.right - margin) << "tab " << i << ", current " << current;
                        }
                    }
                    delete c;
                }
}

TEST_F(TabLayout, RowsBreakWhereTheStripEndsAndATooLongTabGetsARowOfItsOwn) {
    TTestTabControl* c = Make({"甲", "乙", "丙", "丁", "戊"}, 203);
    c->SetTabStyle(tsCutCorner);
    c->SetTabWidth(60);
    c->SetTabHeight(20);
    c->SetMultiLine(true);
    c->LayoutTabs();
    ASSERT_EQ(c->RowCount(), 2);
    const int front = c->GetTabAreaThickness() - 20;
    EXPECT_EQ(Strip(*c, 0).top, front);
    EXPECT_EQ(Strip(*c, 0).Height(), 20);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(c->Tabs()->Items(i)->Row(), i < 3 ? 0 : 1) << i;
    EXPECT_EQ(Strip(*c, 3).top, front - (20 - c->RowOverlap()));
    EXPECT_EQ(Strip(*c, 3).left, 0);

    // A hidden tab takes no place.
    c->Tabs()->Items(1)->SetVisible(false);
    c->LayoutTabs();
    EXPECT_EQ(Strip(*c, 2).left, 62);

    // One tab longer than the strip is cut to it and stands alone in its row.
    TTestTabControl* wide = Make({"甲", "乙"}, 203);
    wide->SetTabStyle(tsCutCorner);
    wide->SetTabWidth(400);
    wide->SetMultiLine(true);
    wide->LayoutTabs();
    EXPECT_EQ(wide->RowCount(), 2);
    EXPECT_EQ(Strip(*wide, 0).Width(), wide->GetTabStripLength() - wide->RowIndent());
    EXPECT_NE(wide->Tabs()->Items(0)->Row(), wide->Tabs()->Items(1)->Row());
}

TEST_F(TabLayout, SelectingATabOfTheBackRowBringsItsRowToTheFront) {
    TTestTabControl* c = Make({"甲", "乙", "丙", "丁", "戊"}, 203);
    c->SetTabStyle(tsCutCorner);
    c->SetTabWidth(60);
    c->SetTabHeight(20);
    c->SetMultiLine(true);
    c->LayoutTabs();
    const TRect before = Strip(*c, 4);
    const int frontTop = Strip(*c, 0).top;
    c->SetTabIndex(4);
    EXPECT_EQ(c->Tabs()->Items(4)->Row(), 0);
    EXPECT_EQ(c->Tabs()->Items(0)->Row(), 1);
    EXPECT_EQ(Strip(*c, 4).top, frontTop);
    EXPECT_EQ(Strip(*c, 4).left, before.left);
    EXPECT_EQ(Strip(*c, 0).top, before.top);
}

TEST_F(TabLayout, AlignedRowsShareTheFreeLengthFromTheFirstTab) {
    TTestTabControl* c = Make({"一", "二", "三"});
    c->SetTabStyle(tsCutCorner);
    c->SetMultiLine(true);
    c->LayoutTabs();
    const int used = Strip(*c, 2).right - Strip(*c, 0).left;
    // Ten pixels to spare.
    c->SetWidth(c->Width() + used + 10 - c->GetTabStripLength());
    const std::vector<int> widths{Strip(*c, 0).Width(), Strip(*c, 1).Width(), Strip(*c, 2).Width()};
    c->SetAlignTabs(true);
    c->LayoutTabs();
    EXPECT_EQ(Strip(*c, 0).Width(), widths[0] + 4);
    EXPECT_EQ(Strip(*c, 1).Width(), widths[1] + 3);
    EXPECT_EQ(Strip(*c, 2).Width(), widths[2] + 3);
    EXPECT_EQ(Strip(*c, 2).right, c->GetTabStripLength());
    // A fixed tab width stretches nothing.
    c->SetTabWidth(40);
    c->LayoutTabs();
    EXPECT_EQ(Strip(*c, 0).Width(), 40);
}

TEST_F(TabLayout, BoldCurrentTabSizesEveryTabForItsBoldCaption) {
    TTestTabControl* c = Make({"Modules", "Modules"});
    c->SetTabIndex(0);
    c->LayoutTabs();
    const int plain = Strip(*c, 1).Width();
    c->SetBoldCurrentTab(true);
    c->LayoutTabs();
    EXPECT_GT(Strip(*c, 1).Width(), plain);
    EXPECT_EQ(Strip(*c, 0).Width(), Strip(*c, 1).Width());
}

TEST_F(TabLayout, SideTabsWithTurnedTextAreLongAlongTheStrip) {
    TTestTabControl* c = Make({"选择模块", "完成"});
    c->SetBounds(0, 0, 120, 300);
    c->SetTabOrientation(toLeft);
    c->SetTextOrientation(orVertical);
    c->LayoutTabs();
    const TSize text = c->MeasureText("选择模块", false);
    EXPECT_GT(text.cy, text.cx) << "turned text is as long as it is wide unturned";
    EXPECT_GT(Strip(*c, 0).Width(), Strip(*c, 1).Width());
    EXPECT_EQ(c->FixedDimension(), c->GetTabRect(0).Width());
    EXPECT_LT(c->GetTabRect(0).Width(), c->GetTabRect(0).Height());
}

TEST_F(TabLayout, AccelerationMarksAreMeasuredAsTheyAreShown) {
    TTestTabControl* c = Make({});
    auto width = [c](const std::string& text) { return c->MeasureText(text, true).cx; };
    EXPECT_EQ(width("&Ab"), width("Ab"));
    // After a doubled first mark, a later one is measured too.
    EXPECT_EQ(width("&&A&b"), width("x&") - width("x") + width("A") + width("b&") - width("b") + width("b"));
    EXPECT_EQ(width("ab&"), width("ab&"));
    EXPECT_GT(width("ab&"), width("ab"));
    EXPECT_EQ(c->MeasureText("甲\r\n乙乙", true).cy, 2 * c->MeasureText("甲", true).cy);
    // A long line is measured whole.
    const std::string line(300, 'W');
    EXPECT_EQ(width(line + "W"), width(line) + width("W"));
}

TEST(TabCaption, TheAcceleratorIsOneWholeCharacter) {
    struct Case {
        std::string line;
        std::vector<std::string> parts; // the underlined one is marked with "_"
    };
    const Case cases[] = {
        {"报告", {"报告"}},
        {"&Report", {"", "_R", "eport"}},
        {"导出(&E)", {"导出(", "_E", ")"}},
        {"&模块", {"", "_模", "块"}},
        {"A&&B", {"A&", "B"}},
        {"&a&b", {"", "_a", "&b"}},
        {"ab&", {"ab", "_", ""}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> parts;
        for (const TCaptionPart& part : SplitAcceleratedText(c.line))
            parts.push_back((part.underlined ? "_" : "") + part.text);
        EXPECT_EQ(parts, c.parts) << c.line;
    }
}

// What a layout at the next paint keeps valid.

TEST_F(TabLayout, ADisabledSelectedTabPassesTheSelectionOnAtTheNextPaint) {
    TTestTabControl* c = Make({"甲", "乙", "丙"});
    form->Show();
    c->SetTabIndex(1);
    std::vector<int> asked;
    c->OnChanging = [&asked](framework::TObject*, int index, bool&) { asked.push_back(index); };
    c->Tabs()->Items(1)->SetEnabled(false);
    c->RequestLayout();
    c->Repaint();
    EXPECT_EQ(c->TabIndex(), 2);
    c->Tabs()->Items(2)->SetEnabled(false);
    c->RequestLayout();
    c->Repaint();
    EXPECT_EQ(c->TabIndex(), 0) << "back to the previous one when none follows";
    EXPECT_EQ(asked, (std::vector<int>{2, 0}));
}

TEST_F(TabLayout, ASelectionBeyondTheTabsIsClearedWithoutAskingAboutMissingTabs) {
    TTestTabControl* c = Make({"甲", "乙", "丙", "丁"});
    form->Show();
    c->SetTabIndex(3);
    std::vector<int> asked;
    c->OnChanging = [&asked](framework::TObject*, int index, bool&) { asked.push_back(index); };
    // Tabs going behind the control's back leave the index beyond them.
    c->Tabs()->Clear();
    for (const char* caption : {"甲", "乙"}) {
        auto tab = std::make_unique<TLuTabData>();
        tab->SetCaption(caption);
        c->Tabs()->Add(std::move(tab));
    }
    c->RequestLayout();
    c->Repaint();
    EXPECT_EQ(c->TabIndex(), -1);
    EXPECT_TRUE(asked.empty());
}

TEST_F(TabLayout, TheFirstShownTabStaysWithinTheTabsWhenTabsGo) {
    std::vector<std::string> captions;
    for (int i = 0; i < 12; ++i)
        captions.push_back("模块" + std::to_string(i));
    TTestTabControl* c = Make(captions, 200);
    form->Show();
    c->Repaint();
    ASSERT_TRUE(c->ScrollerNeeded());
    c->SetTabIndex(11);
    c->Repaint();
    ASSERT_GT(c->FirstShownTab(), 5);
    c->Tabs()->Clear();
    for (int i = 0; i < 4; ++i) {
        auto tab = std::make_unique<TLuTabData>();
        tab->SetCaption(captions[static_cast<std::size_t>(i)] + "很长的名字");
        c->Tabs()->Add(std::move(tab));
    }
    c->RequestLayout();
    c->Repaint();
    ASSERT_TRUE(c->ScrollerNeeded());
    EXPECT_GE(c->FirstShownTab(), 0);
    EXPECT_LT(c->FirstShownTab(), 4);
    EXPECT_TRUE(c->IsTabFullyShown(c->FirstShownTab()));
}

TEST_F(TabLayout, ResizingLaysTheTabsOutAgainAtTheNextPaint) {
    TTestTabControl* c = Make({"项目信息", "项目资料", "系统人员", "审计事项"}, 400);
    form->Show();
    c->Repaint();
    EXPECT_FALSE(c->ScrollerNeeded());
    c->SetWidth(150);
    EXPECT_TRUE(c->LayoutPending());
    c->Repaint();
    EXPECT_FALSE(c->LayoutPending());
    EXPECT_TRUE(c->ScrollerNeeded());
}

} // namespace
