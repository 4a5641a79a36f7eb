#include "platform/rtl/DateTime.h"

#include "platform/rtl/Exceptions.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

rtl::TDateTime At(int y, int m, int d, int h = 0, int n = 0, int s = 0, int ms = 0) {
    return rtl::EncodeDate(y, m, d) + rtl::EncodeTime(h, n, s, ms);
}

TEST(DateTime, DayNumbersTable) {
    struct Case {
        int y, m, d;
        double day;
    };
    const Case cases[] = {
        {1899, 12, 30, 0},       {1899, 12, 31, 1},     {1900, 1, 1, 2},     {1899, 12, 29, -1},
        {2008, 1, 6, 39453},     {2000, 2, 29, 36585},  {1970, 1, 1, 25569}, {1, 1, 1, -693593},
        {9999, 12, 31, 2958465}, {1600, 3, 1, -109511},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day);
        EXPECT_EQ(rtl::EncodeDate(c.y, c.m, c.d), c.day);
        int y, m, d;
        // Before day 0 the time still counts forward, so it is subtracted from the day number.
        rtl::DecodeDate(c.day < 0 ? c.day - 0.75 : c.day + 0.75, y, m, d);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(m, c.m);
        EXPECT_EQ(d, c.d);
    }
    for (auto [y, m, d] : {std::tuple{2023, 2, 29}, {2024, 13, 1}, {0, 1, 1}, {2024, 4, 31}, {10000, 1, 1}}) {
        EXPECT_THROW(rtl::EncodeDate(y, m, d), rtl::EConvertError);
    }
    EXPECT_THROW(rtl::EncodeTime(24, 0, 0, 0), rtl::EConvertError);
    EXPECT_THROW(rtl::EncodeTime(0, 60, 0, 0), rtl::EConvertError);
    int y, m, d;
    EXPECT_THROW(rtl::DecodeDate(std::nan(""), y, m, d), rtl::EConvertError);
}

TEST(DateTime, FormatDateTimeTable) {
    const rtl::TFormatSettings fs; // "yyyy-mm-dd", "hh:nn:ss", "."
    const rtl::TDateTime t = At(2024, 3, 5, 7, 8, 9, 45);
    struct Case {
        const char* format;
        rtl::TDateTime value;
        const char* text;
    };
    const Case cases[] = {
        {"yyyy-mm-dd hh:nn:ss", t, "2024-03-05 07:08:09"},
        {"yyyyMMddhhmmss", t, "20240305070809"},
        {"YYYY-MM-DD HH:NN:SS", t, "2024-03-05 07:08:09"},
        {"hh:mm", t, "07:08"},
        {"d/m/yy h:n:s.zzz", t, "5-3-24 7:8:9.045"},
        {"dddd, mmmm d", t, "Tuesday, March 5"},
        {"ddd mmm", t, "Tue Mar"},
        {"'mm' \"dd\" yyyy", t, "mm dd 2024"},
        {"h:nn am/pm", At(2024, 3, 5, 15, 4), "3:04 pm"},
        {"hh:nn AMPM", At(2024, 3, 5, 0, 4), "12:04 AM"},
        {"c", t, "2024-03-05 07:08:09"},
        {"c", At(2024, 3, 5), "2024-03-05"},
        {"ddddd tt", t, "2024-03-05 07:08:09"},
        {"yyyy-mm-dd hh:nn:ss", -1.25, "1899-12-29 06:00:00"},
        {"yyyy-mm-dd hh:nn:ss", -700.5, "1898-01-29 12:00:00"},
        {"yyyy-mm-dd hh:nn:ss", 0, "1899-12-30 00:00:00"},
        {"hh:nn:ss", At(2024, 3, 5, 23, 59, 59, 999) + 0.000000006, "00:00:00"},
        {"yyyy-mm-dd", At(2024, 3, 5, 23, 59, 59, 999) + 0.000000006, "2024-03-06"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(rtl::FormatDateTime(c.format, c.value, fs), c.text);
    }
    EXPECT_THROW(rtl::FormatDateTime("yyyy", 1e10, fs), rtl::EConvertError);
}

TEST(DateTime, StringRoutinesFollowTheSettings) {
    const rtl::TFormatSettings saved = rtl::FormatSettings();
    EXPECT_EQ(rtl::DateTimeToStr(At(2008, 1, 6, 12, 30)), "2008-01-06 12:30:00");
    EXPECT_EQ(rtl::DateTimeToStr(39453), "2008-01-06");
    EXPECT_EQ(rtl::DateToStr(At(2008, 1, 6, 12, 30)), "2008-01-06");
    EXPECT_EQ(rtl::TimeToStr(At(2008, 1, 6, 12, 30)), "12:30:00");

    rtl::TFormatSettings other;
    other.ShortDateFormat = "dd/mm/yyyy";
    other.LongTimeFormat = "hh:nn:ss";
    other.DateSeparator = '.';
    other.TimeSeparator = '-';
    rtl::SetFormatSettings(other);
    EXPECT_EQ(rtl::DateTimeToStr(At(2008, 1, 6, 12, 30)), "06.01.2008 12-30-00");
    rtl::SetFormatSettings(saved);
    EXPECT_EQ(rtl::DateToStr(39453), "2008-01-06");
}

TEST(DateTime, NowIsTheLocalClock) {
    const rtl::TDateTime now = rtl::Now();
    std::time_t t = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&t, &local);
    int y, m, d;
    rtl::DecodeDate(now, y, m, d);
    EXPECT_EQ(y, local.tm_year + 1900);
    EXPECT_EQ(rtl::Date(), std::trunc(now));
    EXPECT_EQ(rtl::DayOfWeek(rtl::EncodeDate(2024, 3, 5)), 3); // a Tuesday
    EXPECT_EQ(rtl::DayOfWeek(-1), 6);                          // 1899-12-29, a Friday
}

} // namespace
