#include "platform/rtl/Format.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Numbers.h"

#include <algorithm>
#include <cstdio>

namespace rtl {

namespace {

[[noreturn]] void RaiseInvalid(std::string_view format) {
    throw EConvertError("Format '" + std::string(format) + "' invalid or incompatible with argument");
}

std::string WithSeparator(std::string text) {
    const char separator = FormatSettings().DecimalSeparator;
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

std::string Printf(const char* pattern, int precision, double value) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, pattern, precision, value);
    return buffer;
}

// Scientific messages carry at least three exponent digits: "1.5E+003".
std::string WidenExponent(std::string text) {
    const std::size_t e = text.find('E');
    if (e != std::string::npos && e + 2 < text.size()) {
        const std::size_t digits = text.size() - (e + 2);
        if (digits < 3)
            text.insert(e + 2, 3 - digits, '0');
    }
    return text;
}

} // namespace

std::string FormatList(std::string_view format, const std::vector<FormatArg>& args) {
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out.push_back(format[i]);
            continue;
        }
        if (++i >= format.size())
            RaiseInvalid(format);
        if (format[i] == '%') {
            out.push_back('%');
            continue;
        }
        bool left = false;
        if (format[i] == '-') {
            left = true;
            ++i;
        }
        std::size_t width = 0;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9')
            width = width * 10 + static_cast<std::size_t>(format[i++] - '0');
        int precision = -1;
        if (i < format.size() && format[i] == '.') {
            precision = 0;
            ++i;
            while (i < format.size() && format[i] >= '0' && format[i] <= '9')
                precision = precision * 10 + (format[i++] - '0');
        }
        if (i >= format.size() || next >= args.size() || width > 4096 || precision > 100)
            RaiseInvalid(format);
        const FormatArg& arg = args[next++];
        const char type = static_cast<char>(format[i] | 0x20);
        std::string text;
        if (type == 'd' || type == 'u' || type == 'x') {
            const long long* v = std::get_if<long long>(&arg);
            if (!v)
                RaiseInvalid(format);
            if (type == 'x') {
                char buffer[32];
                std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(*v));
                text = buffer;
            } else {
                text = type == 'u' && *v < 0 ? std::to_string(static_cast<unsigned long long>(*v))
                                             : std::to_string(*v);
            }
            const bool negative = !text.empty() && text.front() == '-';
            const std::size_t digits = text.size() - (negative ? 1 : 0);
            if (precision > 0 && digits < static_cast<std::size_t>(precision))
                text.insert(negative ? 1 : 0, static_cast<std::size_t>(precision) - digits, '0');
        } else if (type == 's') {
            const std::string* v = std::get_if<std::string>(&arg);
            if (!v)
                RaiseInvalid(format);
            text = precision >= 0 ? v->substr(0, static_cast<std::size_t>(precision)) : *v;
        } else if (type == 'f' || type == 'e' || type == 'g') {
            double value;
            if (const double* d = std::get_if<double>(&arg))
                value = *d;
            else if (const long long* n = std::get_if<long long>(&arg))
                value = static_cast<double>(*n);
            else
                RaiseInvalid(format);
            if (type == 'f')
                text = WithSeparator(Printf("%.*f", precision < 0 ? 2 : precision, value));
            else if (type == 'e')
                text =
                    WidenExponent(WithSeparator(Printf("%.*E", (precision < 1 ? 15 : precision) - 1, value)));
            else
                text = FloatToStrGeneral(value, precision < 1 ? 15 : precision);
        } else {
            RaiseInvalid(format);
        }
        if (text.size() < width)
            text.insert(left ? text.size() : 0, width - text.size(), ' ');
        out += text;
    }
    return out;
}

} // namespace rtl
