#include "platform/gdi/WordBreak.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gdi {
namespace {

struct BreakCase {
    std::u32string text;
    int limit;
    bool breakLongWords;
    bool cjkBreaks;
    std::vector<std::size_t> starts;
};

// Every character is 2 pixels wide, so a limit of 2n holds n characters.
TEST(WordBreaks, LinesStartAfterBlanksNextToCjkCharactersOrInsideLongWords) {
    const BreakCase cases[] = {
        {U"", 4, true, true, {}},
        {U"ab cd", 10, true, true, {}},
        // The blank hangs at the end of the first line.
        {U"ab cd", 6, true, true, {3}},
        {U"ab   cd", 6, true, true, {5}},
        {U"ab cd ef", 10, true, true, {6}},
        // A word longer than the line: kept whole, or broken where it overflows.
        {U"abcdef gh", 6, false, true, {7}},
        {U"abcdef gh", 6, true, true, {3, 7}},
        {U"中文字符测试", 6, true, true, {3}},
        {U"中文字符测试", 6, false, false, {}},
        {U"项目 ab中文", 6, true, true, {3, 6}},
        {U"ab中文", 4, true, true, {2}},
        // Blanks at the very end never start a line.
        {U"ab    ", 4, true, true, {}},
    };
    for (const BreakCase& c : cases) {
        std::vector<int> advances(c.text.size(), 2);
        EXPECT_EQ(WordBreaks(c.text, advances, c.limit, c.breakLongWords, c.cjkBreaks), c.starts)
            << c.text.size() << " characters, limit " << c.limit;
    }
}

} // namespace
} // namespace gdi
