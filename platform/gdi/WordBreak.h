#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace gdi {

// Where word-broken text may start a new line: after a blank, and before or after a CJK
// character (unless cjkBreaks is off). Blanks at the end of a line hang there, however wide, so
// every line after the first starts with a character that is not a blank. A word too long for a
// line stays whole unless breakLongWords, which breaks it where it overflows, as an edit does.
// advances holds the width of each character. Returns the index of the first character of every
// line after the first.
std::vector<std::size_t> WordBreaks(std::u32string_view text, const std::vector<int>& advances, int limit,
                                    bool breakLongWords, bool cjkBreaks = true);

} // namespace gdi
