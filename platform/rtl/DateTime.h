#pragma once

#include "platform/rtl/FormatSettings.h"

#include <string>
#include <string_view>

namespace rtl {

// Days counted from 1899-12-30, the time of day as the fraction. Before that day the number is
// negative and the fraction still counts forward from midnight: -1.25 is 1899-12-29 06:00.
using TDateTime = double;

// Raise EConvertError for a date outside 0001-01-01..9999-12-31 or an impossible time.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& value);
// Raise EConvertError for a value outside the calendar (or not a number).
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
// 1 is Sunday, 7 Saturday.
int DayOfWeek(TDateTime value);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// The local clock.
TDateTime Now();
TDateTime Date();

// Format letters in any case: yyyy/yy, m/mm (the month; minutes right after an hour), mmm/mmmm,
// d/dd, ddd/dddd (day names), ddddd (short date), h/hh, n/nn, s/ss, z/zzz, t/tt (short/long time),
// c (short date, and the long time unless it is midnight), am/pm and a/p, "/" and ":" (the
// settings' separators), and '...' or "..." for literal text. Other characters are copied.
std::string FormatDateTime(std::string_view format, TDateTime value,
                           const TFormatSettings& settings = FormatSettings());
std::string DateTimeToStr(TDateTime value, const TFormatSettings& settings = FormatSettings());
std::string DateToStr(TDateTime value, const TFormatSettings& settings = FormatSettings());
std::string TimeToStr(TDateTime value, const TFormatSettings& settings = FormatSettings());

} // namespace rtl
