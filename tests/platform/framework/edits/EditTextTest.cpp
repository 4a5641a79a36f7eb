#include "platform/framework/EditText.h"

#include <gtest/gtest.h>

using framework::TEditKey;
using framework::TEditText;

namespace {

TEditText Made(const char* text, int selStart, int selLength) {
    TEditText e;
    e.SetText(text);
    e.SetSelStart(selStart);
    e.SetSelLength(selLength);
    return e;
}

} // namespace

TEST(EditText, SelectionCountsCodePointsOfChineseText) {
    TEditText e = Made("包名称abc", 1, 2);
    EXPECT_EQ(e.Length(), 6);
    EXPECT_EQ(e.SelText(), "名称");
    e.TypeChar(U'文');
    EXPECT_EQ(e.Text(), "包文abc");
    EXPECT_EQ(e.SelStart(), 2);
    EXPECT_EQ(e.SelLength(), 0);
    e.PressKey(TEditKey::Backspace);
    e.PressKey(TEditKey::Backspace);
    EXPECT_EQ(e.Text(), "abc");
}

TEST(EditText, SelectionIsClampedToTheText) {
    TEditText e = Made("中文", 5, 9);
    EXPECT_EQ(e.SelStart(), 2);
    EXPECT_EQ(e.SelLength(), 0);
    e.SetSel(0, -1);
    EXPECT_EQ(e.SelText(), "中文");
    e.SetSel(-1, 0);
    EXPECT_EQ(e.SelLength(), 0);
    EXPECT_EQ(e.CaretPos(), 2);
}

TEST(EditText, ShiftArrowsGrowFromTheAnchor) {
    TEditText e = Made("hello", 2, 0);
    e.PressKey(TEditKey::Right, true);
    e.PressKey(TEditKey::Right, true);
    EXPECT_EQ(e.SelText(), "ll");
    e.PressKey(TEditKey::Left, true);
    e.PressKey(TEditKey::Left, true);
    e.PressKey(TEditKey::Left, true);
    EXPECT_EQ(e.SelStart(), 1);
    EXPECT_EQ(e.SelText(), "e");
    e.PressKey(TEditKey::End, true);
    EXPECT_EQ(e.SelText(), "llo");
    e.PressKey(TEditKey::Home, true);
    EXPECT_EQ(e.SelText(), "he");
    // A plain arrow collapses the selection to its edge.
    e.PressKey(TEditKey::Right);
    EXPECT_EQ(e.SelStart(), 2);
    EXPECT_EQ(e.SelLength(), 0);
    e.PressKey(TEditKey::Right, false, true);
    EXPECT_EQ(e.CaretPos(), 5);
}

TEST(EditText, DeleteAndBackspaceTakeTheSelectionOrOneCharacter) {
    struct Case {
        int start, length;
        TEditKey key;
        const char* text;
        int caret;
    };
    const Case cases[] = {
        {2, 0, TEditKey::Delete, "一二四", 2},      {2, 0, TEditKey::Backspace, "一三四", 1},
        {0, 0, TEditKey::Backspace, "一二三四", 0}, {4, 0, TEditKey::Delete, "一二三四", 4},
        {1, 2, TEditKey::Delete, "一四", 1},        {1, 2, TEditKey::Backspace, "一四", 1},
    };
    for (const Case& c : cases) {
        TEditText e = Made("一二三四", c.start, c.length);
        e.PressKey(c.key);
        EXPECT_EQ(e.Text(), c.text) << c.start << "," << c.length;
        EXPECT_EQ(e.CaretPos(), c.caret) << c.start << "," << c.length;
    }
}

TEST(EditText, MaxLengthCountsCharactersAndCutsPastedText) {
    TEditText e;
    e.SetMaxLength(4);
    EXPECT_TRUE(e.TypeText("名称名称名称"));
    EXPECT_EQ(e.Text(), "名称名称");
    EXPECT_FALSE(e.TypeChar(U'x'));
    // Typing over a selection frees its room first.
    e.SetSel(1, 3);
    EXPECT_TRUE(e.TypeText("ab"));
    EXPECT_EQ(e.Text(), "名ab称");
    // Assigned text is not cut.
    e.SetText("123456");
    EXPECT_EQ(e.Length(), 6);
    EXPECT_THROW(e.SetMaxLength(-1), std::exception);
}

TEST(EditText, ReadOnlyRefusesTheUserButNotTheProgram) {
    TEditText e = Made("abc", 3, 0);
    e.SetReadOnly(true);
    EXPECT_FALSE(e.TypeChar(U'd'));
    EXPECT_FALSE(e.PressKey(TEditKey::Backspace));
    e.PressKey(TEditKey::Home, true);
    EXPECT_EQ(e.SelText(), "abc");
    e.SetSelText("x");
    EXPECT_EQ(e.Text(), "x");
}

TEST(EditText, CharCaseConvertsTypedAndPresentText) {
    TEditText e;
    e.SetText("Größe ab");
    e.SetCharCase(framework::ecUpperCase);
    EXPECT_EQ(e.Text(), "GRÖßE AB");
    e.SetSelStart(8);
    e.TypeText("cd中");
    EXPECT_EQ(e.Text(), "GRÖßE ABCD中");
    e.SetCharCase(framework::ecLowerCase);
    EXPECT_EQ(e.Text(), "größe abcd中");
}

TEST(EditText, PasswordCharShowsOnePerCharacterAndSingleLineDropsBreaks) {
    TEditText e;
    e.SetText("密码ab\r\nsecond");
    EXPECT_EQ(e.Text(), "密码ab");
    EXPECT_EQ(e.DisplayText(), "密码ab");
    e.SetPasswordChar(U'*');
    EXPECT_EQ(e.DisplayText(), "****");
    e.SetPasswordChar(U'●');
    EXPECT_EQ(e.DisplayText(), "●●●●");
    EXPECT_FALSE(e.PressKey(TEditKey::Enter));
    EXPECT_EQ(e.Text(), "密码ab");
}
