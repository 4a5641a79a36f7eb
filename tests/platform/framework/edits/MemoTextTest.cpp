#include "platform/framework/MemoText.h"

#include <gtest/gtest.h>

using framework::TEditKey;
using framework::TMemoText;

namespace {

TMemoText Memo(std::vector<std::string> lines) {
    TMemoText m;
    m.SetLines(lines);
    return m;
}

} // namespace

TEST(MemoText, LinesAreJoinedByCrLf) {
    TMemoText m = Memo({"第一行", "", "third"});
    EXPECT_EQ(m.Text(), "第一行\r\n\r\nthird");
    EXPECT_EQ(m.LineCount(), 3);
    EXPECT_EQ(m.Length(), 3 + 2 + 2 + 5);
    m.SetText("a\nb\rc");
    EXPECT_EQ(m.Text(), "a\r\nb\r\nc");
    EXPECT_EQ(TMemoText().LineCount(), 1);
    EXPECT_THROW(m.Line(3), std::exception);
}

TEST(MemoText, LineMessagesAndTheirMinusOneRules) {
    TMemoText m = Memo({"中文字", "ab", "", "xyz"});
    // Positions: 0..3 line 0, 5..7 line 1, 9 line 2, 11..14 line 3.
    struct Case {
        int pos, line, length;
    };
    const Case cases[] = {{0, 0, 3}, {3, 0, 3}, {5, 1, 2}, {7, 1, 2}, {9, 2, 0}, {11, 3, 3}, {14, 3, 3}};
    for (const Case& c : cases) {
        EXPECT_EQ(m.LineFromChar(c.pos), c.line) << c.pos;
        EXPECT_EQ(m.LineLength(c.pos), c.length) << c.pos;
    }
    EXPECT_EQ(m.LineFromChar(99), 3);
    EXPECT_EQ(m.LineLength(99), 0);
    EXPECT_EQ(m.LineIndex(2), 9);
    EXPECT_EQ(m.LineIndex(4), -1);
    m.SetSel(6, 6);
    EXPECT_EQ(m.LineFromChar(-1), 1);
    EXPECT_EQ(m.LineIndex(-1), 5);
    EXPECT_EQ(m.LineLength(-1), 2);
    m.SetSel(6, 12);
    m.SetSel(-1, 0);
    EXPECT_EQ(m.SelLength(), 0);
}

TEST(MemoText, CaretNeverStandsInsideALineBreak) {
    TMemoText m = Memo({"ab", "cd"});
    m.SetSel(3, 3);
    EXPECT_EQ(m.CaretPos(), 2);
    m.PressKey(TEditKey::Right);
    EXPECT_EQ(m.CaretPos(), 4);
    m.PressKey(TEditKey::Backspace);
    EXPECT_EQ(m.Text(), "abcd");
    m.PressKey(TEditKey::Enter);
    EXPECT_EQ(m.Text(), "ab\r\ncd");
    EXPECT_EQ(m.CaretPos(), 4);
    m.PressKey(TEditKey::Left);
    m.PressKey(TEditKey::Delete);
    EXPECT_EQ(m.Text(), "abcd");
    m.SetMaxLength(5);
    m.SetSel(2, 2);
    EXPECT_FALSE(m.PressKey(TEditKey::Enter));
}

TEST(MemoText, UpAndDownKeepTheColumnAndHomeEndStayOnTheLine) {
    TMemoText m = Memo({"abcdef", "xy", "123456"});
    m.SetSel(4, 4);
    m.PressKey(TEditKey::Down);
    EXPECT_EQ(m.CaretPos(), 10);
    m.PressKey(TEditKey::Down);
    EXPECT_EQ(m.CaretPos(), 16);
    m.PressKey(TEditKey::Up, true);
    m.PressKey(TEditKey::Up, true);
    EXPECT_EQ(m.SelStart(), 4);
    EXPECT_EQ(m.SelLength(), 12);
    m.PressKey(TEditKey::Home);
    EXPECT_EQ(m.CaretPos(), 0);
    m.PressKey(TEditKey::Down);
    m.PressKey(TEditKey::End);
    EXPECT_EQ(m.CaretPos(), 10);
    m.PressKey(TEditKey::End, false, true);
    EXPECT_EQ(m.CaretPos(), m.Length());
}

TEST(MemoText, ScrollingStaysWithinTheLinesAndFollowsTheCaret) {
    TMemoText m = Memo({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
    m.SetVisibleLines(4);
    EXPECT_TRUE(m.LineScroll(3));
    EXPECT_EQ(m.FirstVisibleLine(), 3);
    EXPECT_TRUE(m.LineScroll(-5));
    EXPECT_EQ(m.FirstVisibleLine(), 0);
    EXPECT_FALSE(m.LineScroll(-1));
    m.LineScroll(100);
    EXPECT_EQ(m.FirstVisibleLine(), 9);
    m.SetSel(0, 0);
    m.PressKey(TEditKey::Right);
    EXPECT_EQ(m.FirstVisibleLine(), 0);
    m.PressKey(TEditKey::End, false, true);
    EXPECT_EQ(m.FirstVisibleLine(), 6);
    m.SetText("");
    EXPECT_EQ(m.FirstVisibleLine(), 0);
}
