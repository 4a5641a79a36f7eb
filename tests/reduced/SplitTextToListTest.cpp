#include "reduced/SplitTextToList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarnwick;

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& delimiter) {
    rtl::TStringList list;
    list.Add("left over from before");
    SplitTextToList(text, delimiter, list);
    std::vector<std::string> pieces;
    for (int i = 0; i < list.Count(); ++i)
        pieces.push_back(list.Strings(i));
    return pieces;
}

TEST(SplitTextToListTest, PiecesBetweenTheDelimiters) {
    struct Case {
        std::string text, delimiter;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {"a@&@b@&@", "@&@", {"a", "b"}},
        {"@&@a", "@&@", {"", "a"}},
        {"a@&@@&@b", "@&@", {"a", "", "b"}},
        {"@&@", "@&@", {""}},
        {"", "@&@", {}},
        {"/x/a.dat", "@&@", {"/x/a.dat"}},
        // A piece that holds part of the delimiter is not cut there.
        {"a@&b@&@@&@&@c", "@&@", {"a@&b", "", "&@c"}},
        {"资料@&@人员", "@&@", {"资料", "人员"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Split(c.text, c.delimiter), c.pieces) << c.text;
}

TEST(SplitTextToListTest, AnEmptyDelimiterEndsWithTheWholeText) {
    EXPECT_EQ(Split("a@&@b", ""), std::vector<std::string>{"a@&@b"});
    EXPECT_EQ(Split("", ""), std::vector<std::string>{});
}

} // namespace
