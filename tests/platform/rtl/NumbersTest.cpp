#include "platform/rtl/Numbers.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(Numbers, FloatToStrGeneralFormatTable) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {39452.0, "39452"},
        {39452.5, "39452.5"},
        {-1.5, "-1.5"},
        {100.0, "100"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {123456789012345.0, "123456789012345"},
        {999999999999999.0, "999999999999999"},
        {1e15, "1E15"},
        {1234567890123456789.0, "1.23456789012346E18"},
        {9999999999999999.0, "1E16"},
        {0.0001, "0.0001"},
        {0.00012345, "0.00012345"},
        {0.00001, "1E-5"},
        {-1.5e-7, "-1.5E-7"},
        {1e100, "1E100"},
        {1.7976931348623157e308, "1.79769313486232E308"},
        {5e-324, "4.94065645841247E-324"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
        {std::nan(""), "NAN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(rtl::FloatToStr(c.value), c.text);
    }
    rtl::TFormatSettings comma;
    comma.DecimalSeparator = ',';
    EXPECT_EQ(rtl::FloatToStr(12.5, comma), "12,5");
    EXPECT_EQ(rtl::FloatToStr(-2.5e-9, comma), "-2,5E-9");
    EXPECT_EQ(rtl::FloatToStr(39452, comma), "39452");
}

TEST(Numbers, StrToIntAcceptsWhatItShouldAndNamesTheTextOtherwise) {
    EXPECT_EQ(rtl::StrToInt("42"), 42);
    EXPECT_EQ(rtl::StrToInt("  -17"), -17);
    EXPECT_EQ(rtl::StrToInt("+5"), 5);
    EXPECT_EQ(rtl::StrToInt("-0"), 0);
    EXPECT_EQ(rtl::StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(rtl::StrToInt("$1F"), 31);
    EXPECT_EQ(rtl::StrToInt("0x10"), 16);
    EXPECT_EQ(rtl::StrToInt("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(rtl::StrToInt64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(rtl::StrToInt64("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_THROW(rtl::StrToInt64("9223372036854775808"), rtl::EConvertError);
    for (const char* bad : {"", " ", "12 ", "1.5", "abc", "2147483648", "-", "$", "0x", "1e3"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(rtl::StrToInt(bad), rtl::EConvertError);
    }
    try {
        rtl::StrToInt("x1");
        FAIL();
    } catch (const rtl::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'x1' is not a valid integer value");
    }
    EXPECT_EQ(rtl::StrToIntDef("oops", -1), -1);
    EXPECT_EQ(rtl::StrToIntDef("7", -1), 7);
    EXPECT_EQ(rtl::IntToStr(-1234567890123LL), "-1234567890123");
}

TEST(Numbers, StrToFloatUsesTheDecimalSeparator) {
    EXPECT_DOUBLE_EQ(rtl::StrToFloat("39452.25"), 39452.25);
    EXPECT_DOUBLE_EQ(rtl::StrToFloat(" -1.5E-3 "), -0.0015);
    EXPECT_DOUBLE_EQ(rtl::StrToFloat(".5"), 0.5);
    EXPECT_DOUBLE_EQ(rtl::StrToFloat("+7."), 7.0);
    rtl::TFormatSettings comma;
    comma.DecimalSeparator = ',';
    EXPECT_DOUBLE_EQ(rtl::StrToFloat("2,75", comma), 2.75);
    EXPECT_THROW(rtl::StrToFloat("2.75", comma), rtl::EConvertError);
    for (const char* bad : {"", ".", "1e", "1,5", "inf", "nan", "0x10", "1e999", "1 2"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(rtl::StrToFloat(bad), rtl::EConvertError);
    }
    EXPECT_EQ(rtl::StrToFloatDef("x", 1.5), 1.5);
}

TEST(Numbers, BoolToStr) {
    EXPECT_EQ(rtl::BoolToStr(true, true), "True");
    EXPECT_EQ(rtl::BoolToStr(false, true), "False");
    EXPECT_EQ(rtl::BoolToStr(true), "-1");
    EXPECT_EQ(rtl::BoolToStr(false), "0");
}

TEST(Format, MessagesTable) {
    EXPECT_EQ(rtl::Format("%s: %d files", "项目", 3), "项目: 3 files");
    EXPECT_EQ(rtl::Format("[%5d|%-5s|%.3d]", 42, "ab", 7), "[   42|ab   |007]");
    EXPECT_EQ(rtl::Format("%x %u %%", 255, 3u), "FF 3 %");
    EXPECT_EQ(rtl::Format("%.2f %f %g", 3.14159, 2.0, 0.1 + 0.2), "3.14 2.00 0.3");
    EXPECT_EQ(rtl::Format("%.3e", 1234.5), "1.23E+003");
    EXPECT_EQ(rtl::Format("%.2s", std::string("abcdef")), "ab");
    EXPECT_THROW(rtl::Format("%d", "text"), rtl::EConvertError);
    EXPECT_THROW(rtl::Format("%s", 1), rtl::EConvertError);
    EXPECT_THROW(rtl::Format("%d %d", 1), rtl::EConvertError);
    EXPECT_THROW(rtl::Format("%q", 1), rtl::EConvertError);
    EXPECT_THROW(rtl::Format("100%"), rtl::EConvertError);
}

} // namespace
