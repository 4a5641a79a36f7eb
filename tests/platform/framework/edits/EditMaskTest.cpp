#include "platform/framework/EditMask.h"

#include "platform/rtl/Utf8.h"

#include <gtest/gtest.h>

using framework::TEditMask;

namespace {

std::string Utf8(const std::u32string& s) {
    return rtl::CodePointsToUtf8(s);
}

} // namespace

TEST(EditMask, ParsesFieldsAndShowsBlanks) {
    TEditMask phone("(999) 000-0000;1;_");
    EXPECT_EQ(phone.Length(), 14);
    EXPECT_TRUE(phone.SaveLiterals());
    EXPECT_EQ(Utf8(phone.BlankEditText()), "(___) ___-____");
    TEditMask code("\\A>LL-00;0;*");
    EXPECT_FALSE(code.SaveLiterals());
    EXPECT_EQ(code.BlankChar(), U'*');
    EXPECT_EQ(Utf8(code.BlankEditText()), "A**-**");
    EXPECT_TRUE(TEditMask().Empty());
    EXPECT_THROW(TEditMask("00;x"), framework::EDBEditError);
    EXPECT_THROW(TEditMask("00\\"), framework::EDBEditError);
}

TEST(EditMask, TextRoundTripsWithAndWithoutLiterals) {
    TEditMask saved("000-00;1;_");
    EXPECT_EQ(Utf8(saved.EditTextFor("123-45")), "123-45");
    EXPECT_EQ(saved.TextFor(saved.EditTextFor("12")), "12 -  ");
    TEditMask plain("000-00;0;_");
    EXPECT_EQ(Utf8(plain.EditTextFor("12345")), "123-45");
    EXPECT_EQ(plain.TextFor(plain.EditTextFor("12345")), "12345");
    // A character that its position refuses is left out.
    EXPECT_EQ(Utf8(plain.EditTextFor("1x345")), "1_3-45");
}

TEST(EditMask, ValidateReportsTheFirstFailingPosition) {
    TEditMask m("LL-0099;1;_");
    struct Case {
        const char32_t* edit;
        int failing;
    };
    const Case cases[] = {
        {U"ab-12__", -1}, {U"ab-1234", -1}, {U"a_-12__", 1},
        {U"ab-1___", 4},  {U"a1-12__", 1},  {U"中文-12__", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(m.Validate(c.edit), c.failing) << Utf8(c.edit);
}

TEST(EditMask, TypingSkipsLiteralsAppliesCaseAndRefusesWrongClasses) {
    TEditMask m(">LL<-ll#;1;_");
    std::u32string edit = m.BlankEditText();
    int caret = 0;
    EXPECT_TRUE(m.TypeChar(edit, caret, 0, U'a'));
    EXPECT_TRUE(m.TypeChar(edit, caret, 0, U'b'));
    EXPECT_EQ(caret, 3);
    EXPECT_FALSE(m.TypeChar(edit, caret, 0, U'7'));
    EXPECT_TRUE(m.TypeChar(edit, caret, 0, U'C'));
    EXPECT_TRUE(m.TypeChar(edit, caret, 0, U'D'));
    EXPECT_FALSE(m.TypeChar(edit, caret, 0, U'x'));
    EXPECT_TRUE(m.TypeChar(edit, caret, 0, U'-'));
    EXPECT_EQ(Utf8(edit), "AB-cd-");
    EXPECT_EQ(caret, 6);
    EXPECT_FALSE(m.TypeChar(edit, caret, 0, U'1'));
    // Typing over a selection blanks it first.
    caret = 0;
    EXPECT_TRUE(m.TypeChar(edit, caret, 5, U'z'));
    EXPECT_EQ(Utf8(edit), "Z_-__-");
    m.Clear(edit, 0, 6);
    EXPECT_EQ(edit, m.BlankEditText());
}

TEST(EditMask, SeparatorsFollowTheFormatSettings) {
    TEditMask m("00/00 00:00;1;_");
    EXPECT_EQ(Utf8(m.BlankEditText()), "__-__ __:__");
    TEditMask quoted("0\\;0;0;_");
    EXPECT_EQ(Utf8(quoted.BlankEditText()), "_;_");
    EXPECT_FALSE(quoted.SaveLiterals());
}
