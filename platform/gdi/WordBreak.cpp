#include "platform/gdi/WordBreak.h"

namespace gdi {

namespace {

bool IsCjk(char32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x2FFFF);
}

bool IsBlank(char32_t c) {
    return c == U' ' || c == U'\t';
}

bool MayBreakBefore(std::u32string_view text, std::size_t i, bool cjkBreaks) {
    return IsBlank(text[i - 1]) || (cjkBreaks && (IsCjk(text[i]) || IsCjk(text[i - 1])) && !IsBlank(text[i]));
}

} // namespace

std::vector<std::size_t> WordBreaks(std::u32string_view text, const std::vector<int>& advances, int limit,
                                    bool breakLongWords, bool cjkBreaks) {
    std::vector<std::size_t> breaks;
    const std::size_t n = text.size();
    std::size_t start = 0;
    while (start < n) {
        int width = 0;
        std::size_t lastBreak = 0; // 0: no break found on this line yet
        std::size_t i = start;
        for (; i < n; ++i) {
            if (i > start && MayBreakBefore(text, i, cjkBreaks))
                lastBreak = i;
            if (width + advances[i] > limit && !IsBlank(text[i]) && i > start) {
                if (lastBreak != 0)
                    break;
                if (breakLongWords) {
                    lastBreak = i;
                    break;
                }
            }
            width += advances[i];
        }
        if (i >= n)
            break;
        breaks.push_back(lastBreak);
        start = lastBreak;
    }
    return breaks;
}

} // namespace gdi
