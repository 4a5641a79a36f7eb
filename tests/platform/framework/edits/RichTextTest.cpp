#include "platform/framework/RichText.h"

#include <gtest/gtest.h>

using framework::TRichAttributes;
using framework::TRichText;

TEST(RichText, ParagraphsAreSeparatedByOneCr) {
    TRichText r;
    r.SetText("标题\r\n正文\nend");
    EXPECT_EQ(r.Text(), "标题\r正文\rend");
    EXPECT_EQ(r.Length(), 9);
    EXPECT_EQ(r.LineCount(), 3);
    EXPECT_EQ(r.LineIndex(1), 3);
    EXPECT_EQ(r.LineFromChar(6), 2);
    r.SetSel(3, 5);
    EXPECT_EQ(r.SelText(), "正文");
}

// Styling pieces by the total lengths before them selects exactly each piece, Chinese or not.
TEST(RichText, SelectionsOverChineseTextStyleExactlyTheirPiece) {
    const std::string pieces[] = {"项目信息\r", "----------\r", "名称:测试\r类型:是\r"};
    TRichText r;
    r.SetText(pieces[0] + pieces[1] + pieces[2]);
    int start = 0;
    const gdi::TColor colors[] = {0x0000FF, 0xFF0000, 0x000000};
    for (int i = 0; i < 3; ++i) {
        TRichText probe;
        probe.SetText(pieces[i]);
        int length = probe.Length();
        r.SetSelStart(start);
        r.SetSelLength(length);
        EXPECT_EQ(r.SelText(), pieces[i]);
        r.ChangeSelAttributes([&](TRichAttributes& a) {
            a.Color = colors[i];
            a.Bold = i == 0;
            a.Size = i == 0 ? 12 : 9;
        });
        start += length;
    }
    r.SetSelStart(0);
    r.SetSelLength(0);
    EXPECT_EQ(r.AttributesAt(3).Color, 0x0000FFu);
    EXPECT_EQ(r.AttributesAt(4).Color, 0x0000FFu); // the closing CR of the title
    EXPECT_EQ(r.AttributesAt(5).Color, 0xFF0000u);
    EXPECT_EQ(r.AttributesAt(15).Color, 0xFF0000u);
    EXPECT_EQ(r.AttributesAt(16).Color, 0x000000u);
    EXPECT_TRUE(r.AttributesAt(0).Bold);
    EXPECT_FALSE(r.AttributesAt(16).Bold);
    auto runs = r.ParagraphRuns(0);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].Length, 4);
    EXPECT_EQ(runs[0].Attributes.Size, 12);
}

TEST(RichText, SelAttributesReadTheFirstSelectedCharacterAndChangeOnlyOneAspect) {
    TRichText r;
    r.SetText("一二三四");
    r.SetSel(1, 3);
    r.ChangeSelAttributes([](TRichAttributes& a) { a.StrikeOut = true; });
    r.SetSel(2, 4);
    r.ChangeSelAttributes([](TRichAttributes& a) { a.Color = 0x00FF00; });
    EXPECT_TRUE(r.SelAttributes().StrikeOut);
    EXPECT_EQ(r.SelAttributes().Color, 0x00FF00u);
    // A display line's part of a paragraph has the runs cut to it.
    auto part = r.RunsIn(2, 4);
    ASSERT_EQ(part.size(), 2u);
    EXPECT_EQ(part[0].Start, 2);
    EXPECT_EQ(part[0].Length, 1);
    EXPECT_EQ(part[0].Attributes.Color, 0x00FF00u);
    EXPECT_THROW(r.RunsIn(3, 9), std::exception);
    auto runs = r.ParagraphRuns(0);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[1].Start, 1);
    EXPECT_TRUE(runs[1].Attributes.StrikeOut);
    EXPECT_EQ(runs[1].Attributes.Color, gdi::clWindowText);
    EXPECT_TRUE(runs[2].Attributes.StrikeOut);
    EXPECT_EQ(runs[2].Attributes.Color, 0x00FF00u);
    EXPECT_FALSE(runs[3].Attributes.StrikeOut);
}

TEST(RichText, TypedTextTakesTheInsertionAttributes) {
    TRichText r;
    r.SetText("ab");
    r.SetSel(0, 1);
    r.ChangeSelAttributes([](TRichAttributes& a) { a.Bold = true; });
    // After a bold character typing continues bold.
    r.SetSel(1, 1);
    r.TypeChar(U'中');
    EXPECT_TRUE(r.AttributesAt(1).Bold);
    // Attributes written with nothing selected apply to what is typed next at that place.
    r.SetSel(3, 3);
    r.ChangeSelAttributes([](TRichAttributes& a) { a.Size = 20; });
    EXPECT_EQ(r.SelAttributes().Size, 20);
    r.TypeText("xy");
    EXPECT_EQ(r.AttributesAt(3).Size, 20);
    EXPECT_EQ(r.AttributesAt(4).Size, 20);
    EXPECT_EQ(r.AttributesAt(2).Size, 8);
    // An empty paragraph still has a run to measure its height by.
    r.PressKey(framework::TEditKey::Enter);
    auto runs = r.ParagraphRuns(1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].Length, 0);
    EXPECT_THROW(r.ParagraphRuns(2), std::exception);
    EXPECT_THROW(r.AttributesAt(99), std::exception);
}
