#include "platform/rtl/StringList.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Items(const rtl::TStringList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list.Strings(i));
    return items;
}

TEST(StringList, EditingAndIndexErrors) {
    rtl::TStringList list;
    int marker = 0;
    EXPECT_EQ(list.Add("b"), 0);
    EXPECT_EQ(list.AddObject("Package.XML", &marker), 1);
    list.Insert(0, "a");
    list.Insert(3, "z");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b", "Package.XML", "z"}));
    EXPECT_EQ(list.Objects(2), &marker);
    EXPECT_EQ(list.Objects(0), nullptr);
    EXPECT_EQ(list.IndexOf("package.xml"), 2);
    EXPECT_EQ(list.IndexOf("missing"), -1);
    list.Delete(1);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "Package.XML", "z"}));

    EXPECT_THROW(list.Strings(3), rtl::EListError);
    EXPECT_THROW(list.Strings(-1), rtl::EListError);
    EXPECT_THROW(list.Objects(5), rtl::EListError);
    EXPECT_THROW(list.Delete(3), rtl::EListError);
    EXPECT_THROW(list.Insert(5, "x"), rtl::EListError);
    try {
        list.Strings(7);
    } catch (const rtl::EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (7)");
    }
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.Strings(0), rtl::EListError);
}

TEST(StringList, TextSplitsAtEveryLineBreakAndJoinsWithCrLf) {
    struct Case {
        const char* text;
        std::vector<std::string> items;
    };
    const std::vector<Case> cases = {
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\n\r", {"", ""}},
        {"", {}},
        {"项目\r\n资料", {"项目", "资料"}},
    };
    rtl::TStringList list;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        list.SetText(c.text);
        EXPECT_EQ(Items(list), c.items);
    }
    list.SetText("x\ny");
    EXPECT_EQ(list.Text(), "x\r\ny\r\n");
    list.Clear();
    EXPECT_EQ(list.Text(), "");
}

TEST(StringList, CommaTextReadingTable) {
    struct Case {
        const char* text;
        std::vector<std::string> items;
    };
    const std::vector<Case> cases = {
        {"a,b,c", {"a", "b", "c"}},
        {"a b\tc", {"a", "b", "c"}},
        {"  a , b  ", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {"\"a b\",c", {"a b", "c"}},
        {"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
        {"\"unclosed, rest", {"unclosed, rest"}},
        {"\"a\"b,c", {"a", "b", "c"}},
        {"\"\"", {""}},
        {"", {}},
        {"审计,项目资料", {"审计", "项目资料"}},
    };
    rtl::TStringList list;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        list.SetCommaText(c.text);
        EXPECT_EQ(Items(list), c.items);
    }
}

TEST(StringList, CommaTextWritingQuotesWhatNeedsItAndRoundTrips) {
    struct Case {
        std::vector<std::string> items;
        const char* text;
    };
    const std::vector<Case> cases = {
        {{"a", "b"}, "a,b"},
        {{"a b", "c,d", "e\"f", "审计"}, "\"a b\",\"c,d\",\"e\"\"f\",审计"},
        {{"a", "", "b"}, "a,,b"},
        {{""}, "\"\""},
        {{}, ""},
        {{"tab\there"}, "\"tab\there\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        rtl::TStringList list;
        for (const std::string& item : c.items)
            list.Add(item);
        EXPECT_EQ(list.CommaText(), c.text);
        rtl::TStringList back;
        back.SetCommaText(list.CommaText());
        EXPECT_EQ(Items(back), c.items);
    }
}

TEST(StringList, DelimitedTextValuesAndSort) {
    rtl::TStringList list;
    list.SetDelimiter(';');
    list.SetDelimitedText("a b;c");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b", "c"}));
    list.SetStrictDelimiter(true);
    list.SetDelimitedText("a b;c");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a b", "c"}));
    EXPECT_EQ(list.DelimitedText(), "\"a b\";c");

    list.SetText("Name=Velmora\nKind=3");
    EXPECT_EQ(list.Values("kind"), "3");
    EXPECT_EQ(list.Names(0), "Name");
    list.SetValues("Kind", "4");
    list.SetValues("New", "x");
    list.SetValues("name", "");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"Kind=4", "New=x"}));

    list.SetCommaText("b,A,a,C");
    list.Sort();
    EXPECT_EQ(Items(list), (std::vector<std::string>{"A", "a", "b", "C"}));
}

} // namespace
