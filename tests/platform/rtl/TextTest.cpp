#include "platform/rtl/Text.h"

#include <gtest/gtest.h>

namespace {

TEST(Text, TrimTable) {
    struct Case {
        const char* input;
        const char* both;
        const char* left;
        const char* right;
    };
    const Case cases[] = {
        {"  项目资料 \t\r\n", "项目资料", "项目资料 \t\r\n", "  项目资料"},
        {"\x01\x1F x y \x7F", "x y \x7F", "x y \x7F", "\x01\x1F x y \x7F"},
        {"   ", "", "", ""},
        {"", "", "", ""},
        {"abc", "abc", "abc", "abc"},
        {"\xE3\x80\x80x", "\xE3\x80\x80x", "\xE3\x80\x80x", "\xE3\x80\x80x"}, // an ideographic blank stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(rtl::Trim(c.input), c.both);
        EXPECT_EQ(rtl::TrimLeft(c.input), c.left);
        EXPECT_EQ(rtl::TrimRight(c.input), c.right);
    }
    EXPECT_EQ(rtl::Trim(std::string("\0x\0", 3)), "x");
}

TEST(Text, CaseRulesTouchAsciiOnly) {
    EXPECT_EQ(rtl::UpperCase("abc审计Xyz"), "ABC审计XYZ");
    EXPECT_EQ(rtl::LowerCase("ABC审计xYZ"), "abc审计xyz");
    EXPECT_TRUE(rtl::SameText("Package.XML", "package.xml"));
    EXPECT_FALSE(rtl::SameText("a", "ab"));
    EXPECT_TRUE(rtl::EndsText(".Package", "b.PACKAGE"));
    EXPECT_TRUE(rtl::EndsText("", "b"));
    EXPECT_FALSE(rtl::EndsText(".Package", "Package"));
    EXPECT_FALSE(rtl::EndsText(".Package", "b.Package.zip"));
    EXPECT_LT(rtl::CompareText("apple", "BANANA"), 0);
    EXPECT_GT(rtl::CompareText("b", "A"), 0);
    EXPECT_EQ(rtl::CompareText("ABC", "abc"), 0);
    EXPECT_LT(rtl::CompareText("ab", "abc"), 0);
}

TEST(Text, PosCopyDeleteCountBytesFromOne) {
    EXPECT_EQ(rtl::Pos("cd", "abcdcd"), 3u);
    EXPECT_EQ(rtl::Pos("x", "abc"), 0u);
    EXPECT_EQ(rtl::Pos("", "abc"), 0u);
    EXPECT_EQ(rtl::Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(rtl::Copy("abcdef", 0, 2), "ab");
    EXPECT_EQ(rtl::Copy("abcdef", 5, 100), "ef");
    EXPECT_EQ(rtl::Copy("abcdef", 7, 1), "");
    EXPECT_EQ(rtl::Copy("abcdef", 2, -1), "");
    std::string s = "abcdef";
    rtl::Delete(s, 2, 2);
    EXPECT_EQ(s, "adef");
    rtl::Delete(s, 3, 100);
    EXPECT_EQ(s, "ad");
    rtl::Delete(s, 0, 1);
    rtl::Delete(s, 3, 1);
    EXPECT_EQ(s, "ad");
}

TEST(Text, StringReplaceAndQuotedStr) {
    EXPECT_EQ(rtl::StringReplace("a.b.c", ".", "\\"), "a\\b\\c");
    EXPECT_EQ(rtl::StringReplace("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(rtl::StringReplace("xAx ax", "a", "-", rtl::rfReplaceAll | rtl::rfIgnoreCase), "x-x -x");
    EXPECT_EQ(rtl::StringReplace("xAx ax", "a", "-", rtl::rfReplaceAll), "xAx -x");
    EXPECT_EQ(rtl::StringReplace("a-a-a", "a", "b", 0), "b-a-a");
    EXPECT_EQ(rtl::StringReplace("abc", "", "x"), "abc");
    EXPECT_EQ(rtl::QuotedStr("项目资料"), "'项目资料'");
    EXPECT_EQ(rtl::QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(rtl::QuotedStr(""), "''");
}

} // namespace
