#include "platform/rtl/Utf8.h"

#include <gtest/gtest.h>

TEST(Utf8, CountsAndCutsByCodePoint) {
    const std::string text = "a审计b";
    EXPECT_EQ(rtl::CodePointCount(text), 4u);
    EXPECT_EQ(rtl::CodePointSubstr(text, 1, 2), "审计");
    EXPECT_EQ(rtl::ByteOffsetOfCodePoint(text, 2), 4u);
    EXPECT_EQ(rtl::CodePointsToUtf8(rtl::Utf8ToCodePoints(text)), text);
}

TEST(Utf8, TruncatedSequenceDecodesAsOneReplacement) {
    const std::string text = "x\xE5\xAE";
    EXPECT_EQ(rtl::Utf8ToCodePoints(text), (std::u32string{U'x', 0xFFFD, 0xFFFD}));
}

TEST(Utf8, StrictValidityCheck) {
    const struct {
        std::string text;
        bool valid;
    } cases[] = {
        {"", true},           {"审计 abc", true},       {"\xF0\x9F\x98\x80", true}, // four bytes
        {"\xC0\xAF", false},  {"\xED\xA0\x80", false},  {"\xE5\xAE", false},
        {"\xF4\x90\x80\x80", false}, {"\xFF", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rtl::IsValidUtf8(c.text), c.valid) << testing::PrintToString(c.text);
}
