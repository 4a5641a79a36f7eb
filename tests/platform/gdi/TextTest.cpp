#include "GdiTestSupport.h"

#include "platform/gdi/CallLog.h"
#include "platform/gdi/FontEngine.h"
#include "platform/gdi/Text.h"

#include <gtest/gtest.h>

#include <climits>

namespace gdi {
namespace {

using test::Selected;
using test::TestCanvas;

HFONT MakeFont(const char* face, int height, int escapement = 0, int weight = FW_NORMAL) {
    LOGFONT log;
    log.lfFaceName = face;
    log.lfHeight = height;
    log.lfEscapement = escapement;
    log.lfWeight = weight;
    log.lfCharSet = DEFAULT_CHARSET;
    return CreateFontIndirect(&log);
}

RECT InkBox(const TestCanvas& canvas) {
    RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (auto [x, y] : canvas.Marked()) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
    }
    return box;
}

TEST(Fonts, LogicalFontRoundTripsAndMetricsMarkTrueType) {
    HFONT font = MakeFont("Tahoma", -11, 900, FW_BOLD);
    LOGFONT back;
    ASSERT_TRUE(GetObject(font, &back));
    EXPECT_EQ(back.lfEscapement, 900);
    EXPECT_EQ(back.lfFaceName, "Tahoma");
    ASSERT_EQ(GetObject(font, int(sizeof(LOGFONT)), &back), int(sizeof(LOGFONT)));
    TestCanvas canvas(4, 4);
    Selected selected(canvas.dc(), font);
    TEXTMETRIC tm;
    ASSERT_TRUE(GetTextMetrics(canvas.dc(), &tm));
    EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);

    SetRasterFontForTest("tahoma", true);
    GetTextMetrics(canvas.dc(), &tm);
    EXPECT_FALSE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
    ResetRasterFontsForTest();
    GetTextMetrics(canvas.dc(), &tm);
    EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
}

TEST(Fonts, AliasTableNamesTheInstalledFamilies) {
    EXPECT_EQ(ResolvedFamily("宋体"), "WenQuanYi Micro Hei");
    for (const char* face : {"Verdana", "Tahoma", "MS Sans Serif", "Arial"})
        EXPECT_EQ(ResolvedFamily(face), "DejaVu Sans") << face;
}

TEST(Fonts, TheFormFaceHasACellOfExactlyItsEm) {
    // Three lines of the form font must fill a 36-pixel label, as the forms are laid out.
    TestCanvas canvas(4, 4);
    for (int height : {-9, -12, -15}) {
        Selected font(canvas.dc(), MakeFont("宋体", height));
        TEXTMETRIC tm;
        GetTextMetrics(canvas.dc(), &tm);
        EXPECT_EQ(tm.tmHeight, -height);
        EXPECT_EQ(tm.tmInternalLeading, 0);
        EXPECT_GT(tm.tmDescent, 0);
    }
}

TEST(Text, ExtentIsTheUnrotatedWidthAndTheFullCellHeight) {
    TestCanvas canvas(4, 4);
    Selected upright(canvas.dc(), MakeFont("宋体", -12));
    SIZE a, b, dots, empty;
    GetTextExtentPoint32(canvas.dc(), "中文", &a);
    GetTextExtentPoint32(canvas.dc(), "..", &dots);
    GetTextExtentPoint32(canvas.dc(), "", &empty);
    TEXTMETRIC tm;
    GetTextMetrics(canvas.dc(), &tm);
    EXPECT_GT(a.cx, 0);
    EXPECT_EQ(a.cy, tm.tmHeight);
    EXPECT_EQ(dots.cy, tm.tmHeight);
    EXPECT_EQ(empty, (SIZE{0, tm.tmHeight}));
    Selected turned(canvas.dc(), MakeFont("宋体", -12, 900));
    GetTextExtentPoint32(canvas.dc(), "中文", &b);
    EXPECT_EQ(a, b);
}

TEST(Text, EscapementTurnsTheCellAboutTheReferencePoint) {
    struct Case {
        int escapement;
        unsigned align;
        // Expected cell, from the extent (w, h) and the ascent a, relative to the reference point.
        RECT (*cell)(int w, int h, int a);
    };
    const Case cases[] = {
        {0, TA_TOP | TA_LEFT,
         [](int w, int h, int) {
             return RECT{0, 0, w, h};
         }},
        {900, TA_TOP | TA_LEFT,
         [](int w, int h, int) {
             return RECT{0, -w, h, 0};
         }},
        {2700, TA_TOP | TA_LEFT,
         [](int w, int h, int) {
             return RECT{-h, 0, 0, w};
         }},
        {1800, TA_TOP | TA_LEFT,
         [](int w, int h, int) {
             return RECT{-w, -h, 0, 0};
         }},
        {0, TA_BASELINE | TA_CENTER,
         [](int w, int h, int a) {
             return RECT{-w / 2, -a, w - w / 2, h - a};
         }},
        {900, TA_BASELINE,
         [](int w, int h, int a) {
             return RECT{-a, -w, h - a, 0};
         }},
    };
    for (const Case& c : cases) {
        TestCanvas canvas(120, 120);
        Selected font(canvas.dc(), MakeFont("Tahoma", -11, c.escapement));
        SetTextAlign(canvas.dc(), c.align);
        SetBkColor(canvas.dc(), 0);
        SetBkMode(canvas.dc(), OPAQUE); // the opaque cell shows exactly where the text sits
        SIZE extent;
        GetTextExtentPoint32(canvas.dc(), "Hg", &extent);
        TEXTMETRIC tm;
        GetTextMetrics(canvas.dc(), &tm);
        TextOut(canvas.dc(), 60, 60, "Hg");
        RECT expected = c.cell(extent.cx, extent.cy, tm.tmAscent);
        OffsetRect(&expected, 60, 60);
        EXPECT_EQ(InkBox(canvas), expected) << c.escapement << " align " << c.align;
    }
}

TEST(Text, CallLogRecordsPlacementFontAndClip) {
    TestCanvas canvas(40, 40);
    StartCallLog();
    ClearCallLog();
    HFONT font = MakeFont("Verdana", -11, 2700);
    HGDIOBJ old = SelectObject(canvas.dc(), font);
    SetTextColor(canvas.dc(), RGB(1, 2, 3));
    IntersectClipRect(canvas.dc(), 0, 0, 30, 30);
    TextOut(canvas.dc(), 20, 5, "Tab");
    StopCallLog();
    const auto& log = CallLogEntries();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].call, "SelectFont");
    EXPECT_EQ(log[1].call, "IntersectClipRect");
    EXPECT_EQ(log[1].clipBox, (RECT{0, 0, 30, 30}));
    EXPECT_EQ(log[2].call, "TextOut");
    EXPECT_EQ(log[2].text, "Tab");
    EXPECT_EQ(log[2].position, (POINT{20, 5}));
    EXPECT_EQ(log[2].escapement, 2700);
    EXPECT_EQ(log[2].face, "Verdana");
    EXPECT_EQ(log[2].color, RGB(1, 2, 3));
    EXPECT_TRUE(log[2].clipped);
    ClearCallLog();
    SelectObject(canvas.dc(), old);
    DeleteObject(font);
}

TEST(Text, RasterFacesDoNotTurn) {
    SetRasterFontForTest("MS Sans Serif", true);
    TestCanvas canvas(80, 80);
    Selected font(canvas.dc(), MakeFont("MS Sans Serif", -11, 900));
    SetBkColor(canvas.dc(), 0);
    TextOut(canvas.dc(), 10, 40, "Hg");
    SIZE extent;
    GetTextExtentPoint32(canvas.dc(), "Hg", &extent);
    EXPECT_EQ(InkBox(canvas), (RECT{10, 40, 10 + extent.cx, 40 + extent.cy}));
    ResetRasterFontsForTest();
}

TEST(Text, ClippedOutputStaysInsideItsRectangle) {
    TestCanvas canvas(60, 30);
    Selected font(canvas.dc(), MakeFont("Tahoma", -11));
    SetBkMode(canvas.dc(), TRANSPARENT);
    RECT r{0, 0, 12, 30};
    ExtTextOut(canvas.dc(), 2, 2, ETO_CLIPPED, &r, "WWWWWW");
    RECT box = InkBox(canvas);
    EXPECT_LE(box.right, 12);
    EXPECT_GE(box.left, 2);
}

TEST(DrawText, CalcRectHeightsAndWidths) {
    TestCanvas canvas(4, 4);
    Selected font(canvas.dc(), MakeFont("宋体", -12));
    TEXTMETRIC tm;
    GetTextMetrics(canvas.dc(), &tm);
    const int h = tm.tmHeight;
    SIZE one, word;
    GetTextExtentPoint32(canvas.dc(), "中", &one);
    GetTextExtentPoint32(canvas.dc(), "aaa", &word);
    struct Case {
        const char* text;
        int width;
        unsigned format;
        int lines;
    };
    const Case cases[] = {
        {"", 100, DT_WORDBREAK, 0},
        {"one line", 1000, DT_WORDBREAK, 1},
        {"two\nlines", 1000, 0, 2},
        {"two\r\nlines", 1000, DT_SINGLELINE, 1},
        {"aaa aaa aaa", word.cx, DT_WORDBREAK, 3},
        {"aaa aaa aaa", word.cx, DT_SINGLELINE | DT_WORDBREAK, 1},
        {"aaaaaaaaaaaa", word.cx, DT_WORDBREAK, 1},
        {"中文字符", one.cx * 2, DT_WORDBREAK, 2},
        {"中文字符", one.cx * 2, DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK, 1},
        {"保存项目 ab", one.cx * 3, DT_WORDBREAK, 2},
    };
    for (const Case& c : cases) {
        RECT r{5, 7, 5 + c.width, 8};
        int height = DrawText(canvas.dc(), c.text, &r, DT_CALCRECT | c.format);
        EXPECT_EQ(height, c.lines * h) << c.text << " " << c.format;
        EXPECT_EQ(r.bottom, 7 + c.lines * h) << c.text;
        EXPECT_EQ(r.left, 5);
        EXPECT_LE(r.right - r.left, std::max(c.width, int(std::string(c.text).size()) * 20)) << c.text;
    }
    RECT r{0, 0, 1000, 0};
    DrawText(canvas.dc(), "aaa\naaa aaa", &r, DT_CALCRECT);
    SIZE two;
    GetTextExtentPoint32(canvas.dc(), "aaa aaa", &two);
    EXPECT_EQ(r.right, two.cx); // the widest line
}

TEST(DrawText, PrefixesUnderlineAndDoubleAmpersandShowsOne) {
    TestCanvas canvas(4, 4);
    Selected font(canvas.dc(), MakeFont("Tahoma", -11));
    auto width = [&](const char* text, unsigned format) {
        RECT r{0, 0, 1000, 0};
        DrawText(canvas.dc(), text, &r, DT_CALCRECT | DT_SINGLELINE | format);
        return r.right;
    };
    SIZE file, amp, both;
    GetTextExtentPoint32(canvas.dc(), "File", &file);
    GetTextExtentPoint32(canvas.dc(), "&", &amp);
    GetTextExtentPoint32(canvas.dc(), "&File", &both);
    EXPECT_EQ(width("&File", 0), file.cx);
    EXPECT_EQ(width("&&", 0), amp.cx);
    EXPECT_EQ(width("&File", DT_NOPREFIX), both.cx);
    EXPECT_EQ(width("File&", 0), file.cx);

    TestCanvas plain(40, 20), marked(40, 20);
    for (TestCanvas* c : {&plain, &marked})
        SelectObject(c->dc(), GetStockObject(DEFAULT_GUI_FONT));
    RECT r{0, 0, 40, 20};
    DrawText(plain.dc(), "F", &r, DT_SINGLELINE);
    DrawText(marked.dc(), "&F", &r, DT_SINGLELINE);
    TEXTMETRIC tm;
    GetTextMetrics(plain.dc(), &tm);
    auto added = marked.Marked();
    for (auto p : plain.Marked())
        added.erase(p);
    ASSERT_FALSE(added.empty());
    for (auto [x, y] : added)
        EXPECT_GE(y, tm.tmAscent) << "underline pixels lie below the baseline";
}

TEST(DrawText, AlignmentAndVerticalCentreThroughTheLog) {
    TestCanvas canvas(100, 40);
    Selected font(canvas.dc(), MakeFont("Tahoma", -11));
    SIZE extent;
    GetTextExtentPoint32(canvas.dc(), "OK", &extent);
    StartCallLog();
    ClearCallLog();
    RECT r{10, 0, 90, 40};
    int result = DrawText(canvas.dc(), "OK", &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RECT right{10, 0, 90, 40};
    DrawText(canvas.dc(), "OK", &right, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    StopCallLog();
    std::vector<CallLogEntry> lines;
    for (const auto& e : CallLogEntries())
        if (e.call == "DrawTextLine")
            lines.push_back(e);
    ASSERT_EQ(lines.size(), 2u);
    int top = (40 - extent.cy) / 2;
    EXPECT_EQ(lines[0].position, (POINT{10 + (80 - extent.cx) / 2, top}));
    EXPECT_EQ(result, top + extent.cy);
    EXPECT_EQ(lines[1].position, (POINT{90 - extent.cx, 40 - extent.cy}));
    ClearCallLog();
}

TEST(DrawText, EndEllipsisFitsTheRectangle) {
    TestCanvas canvas(4, 4);
    Selected font(canvas.dc(), MakeFont("Tahoma", -11));
    RECT r{0, 0, 40, 0};
    DrawText(canvas.dc(), "A caption much too long", &r, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(r.right, 40);
    EXPECT_GT(r.right, 20);
}

TEST(Marlett, CloseGlyphIsASymmetricCross) {
    TestCanvas canvas(16, 16);
    Selected font(canvas.dc(), MakeFont("Marlett", -11));
    SetBkMode(canvas.dc(), TRANSPARENT);
    TextOut(canvas.dc(), 0, 0, "r");
    auto ink = canvas.Marked();
    ASSERT_GT(ink.size(), 10u);
    RECT box = InkBox(canvas);
    for (auto [x, y] : ink)
        EXPECT_TRUE(ink.count({box.left + box.right - 1 - x, y})) << x << "," << y;
    TEXTMETRIC tm;
    GetTextMetrics(canvas.dc(), &tm);
    EXPECT_EQ(tm.tmHeight, 11);
}

} // namespace
} // namespace gdi
