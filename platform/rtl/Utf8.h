#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rtl {

// Text inside the process is UTF-8. Character positions (selections, maximum lengths, accelerators)
// count code points, so these helpers never split one. Malformed bytes count as one code point each
// (decoded as U+FFFD) so that any byte string can still be walked.

// Decodes the code point starting at text[pos]; advances pos past it.
char32_t DecodeCodePoint(std::string_view text, std::size_t& pos);
std::u32string Utf8ToCodePoints(std::string_view text);
std::string CodePointsToUtf8(std::u32string_view codePoints);
void AppendCodePoint(std::string& out, char32_t cp);

// Strict: overlong forms, surrogates, code points past U+10FFFF and truncated sequences are refused.
bool IsValidUtf8(std::string_view text);

std::size_t CodePointCount(std::string_view text);
// Byte offset of the code point with the given index (clamped to the end of the text).
std::size_t ByteOffsetOfCodePoint(std::string_view text, std::size_t index);
// Code points [start, start + count) as UTF-8.
std::string CodePointSubstr(std::string_view text, std::size_t start, std::size_t count = std::string_view::npos);

} // namespace rtl
