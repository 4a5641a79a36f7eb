#include "platform/rtl/DateTime.h"

#include "platform/rtl/Exceptions.h"

#include <cmath>
#include <ctime>

namespace rtl {

namespace {

constexpr long long kMsPerDay = 86'400'000;
constexpr long long kUnixEpochDay = 25569; // 1970-01-01
constexpr long long kFirstDay = -693593;   // 0001-01-01
constexpr long long kLastDay = 2958465;    // 9999-12-31

const char* const kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};
const char* const kShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

// Calendar arithmetic on days since 1970-01-01 (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
}

struct Parts {
    long long day = 0; // day number
    long long ms = 0;  // milliseconds since midnight
};

Parts Split(TDateTime value) {
    if (!std::isfinite(value) || value < kFirstDay - 1 || value > kLastDay + 1)
        throw EConvertError("Invalid date/time value");
    Parts parts;
    parts.day = static_cast<long long>(std::trunc(value));
    parts.ms = std::llround(std::fabs(value - static_cast<double>(parts.day)) * kMsPerDay);
    // A time that rounds up to midnight belongs to the next calendar day.
    if (parts.ms >= kMsPerDay) {
        parts.ms -= kMsPerDay;
        ++parts.day;
    }
    if (parts.day < kFirstDay || parts.day > kLastDay)
        throw EConvertError("Invalid date/time value");
    return parts;
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (Upper(text[i]) != Upper(prefix[i]))
            return false;
    return true;
}

void AppendNumber(std::string& out, long long value, int digits) {
    std::string text = std::to_string(value);
    if (text.size() < static_cast<std::size_t>(digits))
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    out += text;
}

class DateFormatter {
public:
    DateFormatter(TDateTime value, const TFormatSettings& settings) : m_settings(settings) {
        const Parts parts = Split(value);
        CivilFromDays(parts.day - kUnixEpochDay, m_year, m_month, m_day);
        m_dayOfWeek = static_cast<int>((((parts.day % 7) + 7) % 7 + 6) % 7); // 0 is Sunday
        m_hour = static_cast<int>(parts.ms / 3'600'000);
        m_minute = static_cast<int>(parts.ms / 60'000 % 60);
        m_second = static_cast<int>(parts.ms / 1000 % 60);
        m_millisecond = static_cast<int>(parts.ms % 1000);
    }

    void Append(std::string& out, std::string_view format, int depth = 0) const {
        if (depth > 2)
            return; // a format that names itself would never end
        char lastToken = ' ';
        std::size_t i = 0;
        while (i < format.size()) {
            const char start = format[i];
            std::size_t count = 1;
            while (i + count < format.size() && format[i + count] == start)
                ++count;
            char token = Upper(start);
            if (token >= 'A' && token <= 'Z') {
                if (token == 'M' && lastToken == 'H')
                    token = 'N';
                lastToken = token;
            }
            switch (token) {
            case 'Y':
                if (count <= 2)
                    AppendNumber(out, m_year % 100, 2);
                else
                    AppendNumber(out, m_year, 4);
                break;
            case 'M':
                if (count <= 2)
                    AppendNumber(out, m_month, static_cast<int>(count));
                else
                    out += (count == 3 ? kShortMonths : kLongMonths)[m_month - 1];
                break;
            case 'N':
                AppendNumber(out, m_minute, count > 2 ? 2 : static_cast<int>(count));
                break;
            case 'D':
                if (count <= 2)
                    AppendNumber(out, m_day, static_cast<int>(count));
                else if (count <= 4)
                    out += (count == 3 ? kShortDays : kLongDays)[m_dayOfWeek];
                else
                    Append(out, count == 5 ? m_settings.ShortDateFormat : m_settings.LongDateFormat,
                           depth + 1);
                break;
            case 'H': {
                int hour = m_hour;
                if (UsesTwelveHours(format.substr(i))) {
                    hour %= 12;
                    if (hour == 0)
                        hour = 12;
                }
                AppendNumber(out, hour, count > 2 ? 2 : static_cast<int>(count));
                break;
            }
            case 'S':
                AppendNumber(out, m_second, count > 2 ? 2 : static_cast<int>(count));
                break;
            case 'Z':
                AppendNumber(out, m_millisecond, count <= 2 ? 1 : 3);
                break;
            case 'T':
                Append(out, count == 1 ? m_settings.ShortTimeFormat : m_settings.LongTimeFormat, depth + 1);
                break;
            case 'C':
                count = 1;
                Append(out, m_settings.ShortDateFormat, depth + 1);
                if (m_hour != 0 || m_minute != 0 || m_second != 0) {
                    out.push_back(' ');
                    Append(out, m_settings.LongTimeFormat, depth + 1);
                }
                break;
            case 'A':
                count = AppendHalfDay(out, format.substr(i));
                break;
            case '/':
                count = 1;
                out.push_back(m_settings.DateSeparator);
                break;
            case ':':
                count = 1;
                out.push_back(m_settings.TimeSeparator);
                break;
            case '\'':
            case '"': {
                const std::size_t close = format.find(start, i + 1);
                const std::size_t end = close == std::string_view::npos ? format.size() : close;
                out.append(format.substr(i + 1, end - i - 1));
                count = (close == std::string_view::npos ? end : end + 1) - i;
                break;
            }
            default:
                count = 1;
                out.push_back(start);
                break;
            }
            i += count;
        }
    }

private:
    static bool UsesTwelveHours(std::string_view rest) {
        for (std::size_t i = 0; i < rest.size(); ++i)
            if (StartsWithIgnoringCase(rest.substr(i), "am/pm") ||
                StartsWithIgnoringCase(rest.substr(i), "a/p") ||
                StartsWithIgnoringCase(rest.substr(i), "ampm"))
                return true;
        return false;
    }

    // Answers how many format characters it used.
    std::size_t AppendHalfDay(std::string& out, std::string_view rest) const {
        const bool pm = m_hour >= 12;
        if (StartsWithIgnoringCase(rest, "am/pm")) {
            const std::string_view word = rest.substr(pm ? 3 : 0, 2);
            out.append(word);
            return 5;
        }
        if (StartsWithIgnoringCase(rest, "a/p")) {
            out.push_back(rest[pm ? 2 : 0]);
            return 3;
        }
        if (StartsWithIgnoringCase(rest, "ampm")) {
            out += pm ? m_settings.TimePMString : m_settings.TimeAMString;
            return 4;
        }
        out.push_back(rest[0]);
        return 1;
    }

    const TFormatSettings& m_settings;
    int m_year = 0, m_month = 0, m_day = 0, m_dayOfWeek = 0;
    int m_hour = 0, m_minute = 0, m_second = 0, m_millisecond = 0;
};

} // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    value = static_cast<double>(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kUnixEpochDay);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& value) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        return false;
    value = static_cast<double>(((hour * 60LL + minute) * 60 + second) * 1000 + millisecond) / kMsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime value = 0;
    if (!TryEncodeDate(year, month, day, value))
        throw EConvertError("Invalid argument to date encode");
    return value;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    TDateTime value = 0;
    if (!TryEncodeTime(hour, minute, second, millisecond, value))
        throw EConvertError("Invalid argument to time encode");
    return value;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    CivilFromDays(Split(value).day - kUnixEpochDay, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
    const long long ms = Split(value).ms;
    hour = static_cast<int>(ms / 3'600'000);
    minute = static_cast<int>(ms / 60'000 % 60);
    second = static_cast<int>(ms / 1000 % 60);
    millisecond = static_cast<int>(ms % 1000);
}

int DayOfWeek(TDateTime value) {
    const long long day = Split(value).day;
    return static_cast<int>((((day % 7) + 7) % 7 + 6) % 7) + 1;
}

TDateTime Now() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    ::localtime_r(&now.tv_sec, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec,
                      static_cast<int>(now.tv_nsec / 1'000'000));
}

TDateTime Date() {
    return std::trunc(Now());
}

std::string FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings& settings) {
    std::string out;
    DateFormatter(value, settings).Append(out, format.empty() ? std::string_view("c") : format);
    return out;
}

std::string DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatDateTime("c", value, settings);
}

std::string DateToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatDateTime(settings.ShortDateFormat, value, settings);
}

std::string TimeToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatDateTime(settings.LongTimeFormat, value, settings);
}

} // namespace rtl
