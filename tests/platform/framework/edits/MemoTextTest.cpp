#include "platform/framework/MemoText.h"
#include "platform/gdi/WordBreak.h"

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

namespace {

// Every character one unit wide, display lines of at most width characters.
framework::TLineWrapper FixedWidth(int width) {
    return [width](std::u32string_view line, std::size_t) {
        return gdi::WordBreaks(line, std::vector<int>(line.size(), 1), width, true);
    };
}

// Display lines at width 4 (a character outside the basic plane is one position too):
// 0 "今天😀气" [0, 4), 1 "很好" [4, 6), CR LF, 2 "ab " [8, 11), 3 "cd " [11, 14), 4 "ef" [14, 16),
// CR LF, 5 "" [18, 18).
TMemoText Wrapped() {
    TMemoText m = Memo({"今天😀气很好", "ab cd ef", ""});
    m.SetWrapper(FixedWidth(4));
    return m;
}

} // namespace

TEST(MemoText, LineMessagesCountDisplayLines) {
    TMemoText m = Wrapped();
    EXPECT_EQ(m.DisplayLineCount(), 6);
    EXPECT_EQ(m.LineCount(), 3);
    EXPECT_EQ(m.Lines(), (std::vector<std::string>{"今天😀气很好", "ab cd ef", ""}));
    struct Case {
        int pos, line, index, length;
    };
    const Case cases[] = {{0, 0, 0, 4},  {3, 0, 0, 4},   {4, 1, 4, 2},   {6, 1, 4, 2},   {8, 2, 8, 3},
                          {10, 2, 8, 3}, {11, 3, 11, 3}, {15, 4, 14, 2}, {18, 5, 18, 0}, {99, 5, 18, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(m.LineFromChar(c.pos), c.line) << c.pos;
        EXPECT_EQ(m.LineIndex(c.line), c.index) << c.pos;
        EXPECT_EQ(m.LineLength(c.pos), c.length) << c.pos;
    }
    EXPECT_EQ(m.LineIndex(6), -1);
    EXPECT_TRUE(m.LineWraps(0));
    EXPECT_FALSE(m.LineWraps(1));
    EXPECT_FALSE(m.LineWraps(5));
    // Without the wrapper the lines are the text's lines again.
    m.SetWrapper(nullptr);
    EXPECT_EQ(m.DisplayLineCount(), 3);
    EXPECT_EQ(m.LineFromChar(4), 0);
    EXPECT_EQ(m.LineLength(4), 6);
}

TEST(MemoText, CaretKeysMoveByDisplayLinesAndEndStaysOnItsLine) {
    TMemoText m = Wrapped();
    // End on a wrapped line stops at its end, which is where the next line starts.
    m.PressKey(TEditKey::End);
    EXPECT_EQ(m.CaretPos(), 4);
    EXPECT_EQ(m.CaretLine(), 0);
    EXPECT_EQ(m.LineFromChar(-1), 0);
    EXPECT_EQ(m.LineIndex(-1), 0);
    m.PressKey(TEditKey::Home);
    EXPECT_EQ(m.CaretPos(), 0);
    // The same position reached otherwise stands at the start of the next line.
    m.PressKey(TEditKey::Down);
    EXPECT_EQ(m.CaretPos(), 4);
    EXPECT_EQ(m.CaretLine(), 1);
    m.PressKey(TEditKey::End);
    EXPECT_EQ(m.CaretPos(), 6);
    // Up and Down keep the column through the display lines.
    m.SetSel(13, 13);
    m.PressKey(TEditKey::Up);
    EXPECT_EQ(m.CaretPos(), 10);
    m.PressKey(TEditKey::Up);
    EXPECT_EQ(m.CaretPos(), 6);
    m.PressKey(TEditKey::Up);
    EXPECT_EQ(m.CaretPos(), 2);
    // Going down past the end of a wrapped line keeps the caret on that line.
    m.SetSel(9, 9);
    m.PressKey(TEditKey::End);
    EXPECT_EQ(m.CaretPos(), 11);
    m.PressKey(TEditKey::Down);
    EXPECT_EQ(m.CaretPos(), 14);
    EXPECT_EQ(m.CaretLine(), 3);
    m.PressKey(TEditKey::Right);
    EXPECT_EQ(m.CaretLine(), 4);
    m.PlaceCaretAtLineEnd(2);
    EXPECT_EQ(m.CaretPos(), 11);
    EXPECT_EQ(m.CaretLine(), 2);
    EXPECT_THROW(m.PlaceCaretAtLineEnd(6), std::exception);
}

TEST(MemoText, TypingRewrapsAndTheViewScrollsByDisplayLines) {
    TMemoText m = Wrapped();
    m.SetSel(6, 6);
    m.TypeText("啊吗");
    EXPECT_EQ(m.DisplayLineCount(), 6);
    m.TypeChar(U'呀');
    EXPECT_EQ(m.DisplayLineCount(), 7);
    EXPECT_EQ(m.LineIndex(2), 8);
    EXPECT_EQ(m.LineLength(8), 1);
    m.SetVisibleLines(2);
    m.PressKey(TEditKey::End, false, true);
    EXPECT_EQ(m.FirstVisibleLine(), 5);
    EXPECT_TRUE(m.LineScroll(-10));
    EXPECT_EQ(m.FirstVisibleLine(), 0);
    m.LineScroll(100);
    EXPECT_EQ(m.FirstVisibleLine(), 6);
    // A narrower wrap makes more display lines; the view stays within them.
    m.SetWrapper(FixedWidth(100));
    EXPECT_EQ(m.DisplayLineCount(), 3);
    EXPECT_EQ(m.FirstVisibleLine(), 2);
}

// The display lines after any edit are those of the same text wrapped from scratch.
TEST(MemoText, EditsLeaveTheDisplayLinesOfAFreshWrap) {
    TMemoText m = Wrapped();
    auto expectFresh = [&](const char* step) {
        TMemoText fresh;
        fresh.SetText(m.Text());
        fresh.SetWrapper(FixedWidth(4));
        ASSERT_EQ(m.DisplayLineCount(), fresh.DisplayLineCount()) << step;
        for (int line = 0; line < fresh.DisplayLineCount(); ++line)
            EXPECT_EQ(m.LineIndex(line), fresh.LineIndex(line)) << step << ", line " << line;
    };
    m.SetSel(2, 2);
    m.TypeText("一二三");
    expectFresh("typing");
    m.SetSel(5, 12);
    m.TypeText("x\r\ny z\r\n");
    expectFresh("a selection over a line break replaced by lines");
    m.SetSel(0, 0);
    m.PressKey(TEditKey::End, false, true);
    m.PressKey(TEditKey::Enter);
    m.TypeText("尾");
    expectFresh("a new last line");
    m.SetSel(m.LineIndex(2), m.LineIndex(2));
    m.PressKey(TEditKey::Backspace);
    m.PressKey(TEditKey::Backspace);
    expectFresh("lines joined");
    m.SetText("");
    expectFresh("emptied");
}
