#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace rtl {

// GBK bytes <-> UTF-8 text. "GB2312" is treated as GBK, so characters that only GBK holds round-trip.

// True for the encoding names read and written as GBK: "GBK", "GB2312", "CP936" (any case).
bool IsGbkEncodingName(std::string_view name);

// Raises EConvertError on bytes that are not GBK.
std::string GbkToUtf8(std::string_view gbk);

// Raises EConvertError on malformed UTF-8 and on a character GBK cannot hold.
std::string Utf8ToGbk(std::string_view utf8);
// A character GBK cannot hold is replaced by what onUnmappable answers (GBK bytes, usually ASCII such
// as a character reference). Malformed UTF-8 still raises EConvertError.
std::string Utf8ToGbk(std::string_view utf8, const std::function<std::string(char32_t)>& onUnmappable);

} // namespace rtl
