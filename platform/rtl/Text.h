#pragma once

#include <string>
#include <string_view>

namespace rtl {

// Text routines on UTF-8 byte strings. Case rules touch ASCII letters only, so multi-byte characters
// pass through unchanged. Pos, Copy and Delete count bytes, as the single-byte strings they stand in
// for did; use the code point helpers of Utf8.h where characters must not be split.

// Removes the characters up to #32 (blank and control characters) at both ends.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);
// s ends with the suffix, ignoring ASCII case.
bool EndsText(std::string_view suffix, std::string_view s);
// A Pascal-style identifier: a letter or "_", then letters, digits or "_" (ASCII).
bool IsValidIdent(std::string_view s);
// Negative, zero or positive, ignoring ASCII case.
int CompareText(std::string_view a, std::string_view b);

// 1-based byte position of the first occurrence of sub, 0 when absent (also for an empty sub).
std::size_t Pos(std::string_view sub, std::string_view s);
// count bytes from the 1-based index; an index below 1 counts as 1.
std::string Copy(std::string_view s, long long index, long long count);
void Delete(std::string& s, long long index, long long count);

enum ReplaceFlags : int { rfReplaceAll = 1, rfIgnoreCase = 2 };
std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          int flags = rfReplaceAll);

// Single quotes around the text, inner quotes doubled.
std::string QuotedStr(std::string_view s);

} // namespace rtl
