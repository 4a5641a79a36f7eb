#include "platform/rtl/Numbers.h"

#include "platform/rtl/Exceptions.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace rtl {

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ' && c != '\0';
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Parses into a magnitude with its sign; hexadecimal values are reported separately because they
// wrap into the type's width.
bool ParseInteger(std::string_view s, bool& negative, bool& hex, unsigned long long& magnitude) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    hex = false;
    if (!s.empty() && s.front() == '$') {
        hex = true;
        s.remove_prefix(1);
    } else if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        hex = true;
        s.remove_prefix(2);
    }
    if (s.empty())
        return false;
    const unsigned base = hex ? 16 : 10;
    magnitude = 0;
    for (char c : s) {
        const int digit = HexDigit(c);
        if (digit < 0 || static_cast<unsigned>(digit) >= base)
            return false;
        if (magnitude > (std::numeric_limits<unsigned long long>::max() - digit) / base)
            return false;
        magnitude = magnitude * base + static_cast<unsigned>(digit);
    }
    return true;
}

template <typename T> bool TryParse(std::string_view s, T& value) {
    using Unsigned = std::make_unsigned_t<T>;
    bool negative, hex;
    unsigned long long magnitude;
    if (!ParseInteger(s, negative, hex, magnitude))
        return false;
    if (hex) {
        if (magnitude > std::numeric_limits<Unsigned>::max())
            return false;
        const auto bits = static_cast<Unsigned>(magnitude);
        value = static_cast<T>(negative ? static_cast<Unsigned>(0u - bits) : bits);
        return true;
    }
    const auto limit = static_cast<unsigned long long>(std::numeric_limits<T>::max()) + (negative ? 1 : 0);
    if (magnitude > limit)
        return false;
    if (!negative || magnitude == 0)
        value = static_cast<T>(magnitude);
    else
        value = static_cast<T>(-static_cast<long long>(magnitude - 1) -
                               1); // reaches the minimum without overflow
    return true;
}

[[noreturn]] void RaiseNotInteger(std::string_view s) {
    throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
}

} // namespace

std::string IntToStr(long long value) {
    return std::to_string(value);
}

int StrToInt(std::string_view s) {
    int value = 0;
    if (!TryParse(s, value))
        RaiseNotInteger(s);
    return value;
}

std::int64_t StrToInt64(std::string_view s) {
    std::int64_t value = 0;
    if (!TryParse(s, value))
        RaiseNotInteger(s);
    return value;
}

int StrToIntDef(std::string_view s, int defaultValue) {
    int value = 0;
    return TryParse(s, value) ? value : defaultValue;
}

bool TryStrToInt(std::string_view s, int& value) {
    return TryParse(s, value);
}

bool TryStrToFloat(std::string_view s, double& value, const TFormatSettings& settings) {
    s = TrimBlanks(s);
    std::string normal;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        normal.push_back(s[i++]);
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        normal.push_back(s[i++]), ++digits;
    if (i < s.size() && s[i] == settings.DecimalSeparator) {
        normal.push_back('.');
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            normal.push_back(s[i++]), ++digits;
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        normal.push_back('e');
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            normal.push_back(s[i++]);
        std::size_t exponentDigits = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            normal.push_back(s[i++]), ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    if (i != s.size())
        return false;
    const char* first = normal.data() + (normal.front() == '+' ? 1 : 0);
    double parsed = 0;
    const auto [end, error] = std::from_chars(first, normal.data() + normal.size(), parsed);
    if (error != std::errc() || end != normal.data() + normal.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

double StrToFloat(std::string_view s, const TFormatSettings& settings) {
    double value = 0;
    if (!TryStrToFloat(s, value, settings))
        throw EConvertError("'" + std::string(s) + "' is not a valid floating point value");
    return value;
}

double StrToFloatDef(std::string_view s, double defaultValue, const TFormatSettings& settings) {
    double value = 0;
    return TryStrToFloat(s, value, settings) ? value : defaultValue;
}

std::string FloatToStr(double value, const TFormatSettings& settings) {
    return FloatToStrGeneral(value, 15, settings);
}

std::string FloatToStrGeneral(double value, int precision, const TFormatSettings& settings) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    if (precision < 1)
        precision = 1;
    if (precision > 18)
        precision = 18;

    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, value);
    std::string_view text(buffer);
    const bool negative = text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const std::size_t e = text.find('e');
    std::string digits;
    for (char c : text.substr(0, e))
        if (c != '.')
            digits.push_back(c);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int exponent10 = std::atoi(std::string(text.substr(e + 1)).c_str());
    const int integerDigits = exponent10 + 1;

    std::string result = negative ? "-" : "";
    if (integerDigits > precision || integerDigits < -3) {
        result.push_back(digits[0]);
        if (digits.size() > 1) {
            result.push_back(settings.DecimalSeparator);
            result.append(digits, 1);
        }
        result.push_back('E');
        result.append(std::to_string(exponent10));
    } else if (integerDigits <= 0) {
        result.push_back('0');
        result.push_back(settings.DecimalSeparator);
        result.append(static_cast<std::size_t>(-integerDigits), '0');
        result.append(digits);
    } else if (digits.size() <= static_cast<std::size_t>(integerDigits)) {
        result.append(digits);
        result.append(static_cast<std::size_t>(integerDigits) - digits.size(), '0');
    } else {
        result.append(digits, 0, static_cast<std::size_t>(integerDigits));
        result.push_back(settings.DecimalSeparator);
        result.append(digits, static_cast<std::size_t>(integerDigits));
    }
    return result;
}

std::string BoolToStr(bool value, bool useBoolStrs) {
    if (useBoolStrs)
        return value ? "True" : "False";
    return value ? "-1" : "0";
}

} // namespace rtl
