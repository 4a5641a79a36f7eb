#pragma once

#include <concepts>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace rtl {

using FormatArg = std::variant<long long, double, std::string>;

// Message formatting: "%" ["-"] [width] ["." precision] type, with the types d and u (integers),
// x (upper-case hexadecimal), s (text), f (fixed, 2 decimals by default), e (scientific), g (the
// general format of FloatToStr), and "%%". A missing or mismatched argument raises EConvertError.
// Decimal separators come from the process-wide format settings.
std::string FormatList(std::string_view format, const std::vector<FormatArg>& args);

namespace detail {
template <std::integral T> FormatArg ToFormatArg(T v) {
    return static_cast<long long>(v);
}
template <std::floating_point T> FormatArg ToFormatArg(T v) {
    return static_cast<double>(v);
}
inline FormatArg ToFormatArg(std::string_view v) {
    return std::string(v);
}
inline FormatArg ToFormatArg(const char* v) {
    return std::string(v);
}
inline FormatArg ToFormatArg(const std::string& v) {
    return v;
}
} // namespace detail

template <typename... Args> std::string Format(std::string_view format, const Args&... args) {
    return FormatList(format, std::vector<FormatArg>{detail::ToFormatArg(args)...});
}

} // namespace rtl
