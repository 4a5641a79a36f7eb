#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"
#include "platform/framework/MaskEdit.h"
#include "platform/framework/Memo.h"
#include "platform/framework/RichEdit.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Png.h"
#include "platform/rtl/Utf8.h"

#include <gtest/gtest.h>

using namespace framework;

namespace {

class EditForm : public ::testing::Test {
protected:
    void SetUp() override {
        input::Reset();
        form = new TForm(nullptr);
        form->SetBounds(40, 40, 420, 330);
        form->SetCaption("Edits");
        edit = Make<TMaskEdit>(8, 8, 200, 21);
        memo = Make<TMemo>(8, 40, 200, 80);
        rich = Make<TRichEdit>(8, 130, 390, 120);
        other = Make<TEdit>(220, 8, 120, 21);
        form->Show();
    }
    void TearDown() override {
        delete form;
        input::Reset();
    }
    template <class T> T* Make(int x, int y, int w, int h) {
        T* c = new T(form);
        c->SetParent(form);
        c->SetBounds(x, y, w, h);
        return c;
    }
    void Click(TControl* c, int x, int y) { input::Click(c->ClientToScreen(TPoint{x, y})); }

    TForm* form = nullptr;
    TMaskEdit* edit = nullptr;
    TMemo* memo = nullptr;
    TRichEdit* rich = nullptr;
    TEdit* other = nullptr;
};

} // namespace

TEST_F(EditForm, TypingGoesThroughKeysIntoTheFocusedEdit) {
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetMaxLength(6);
    edit->SetFocus();
    input::TypeText("ab名称xyz");
    EXPECT_EQ(edit->Text(), "ab名称xy");
    EXPECT_EQ(changes, 6);
    input::PressKey(win::VK_LEFT, {ssShift});
    input::PressKey(win::VK_LEFT, {ssShift});
    EXPECT_EQ(edit->SelText(), "xy");
    input::PressKey(win::VK_BACK);
    input::PressKey(win::VK_HOME);
    input::PressKey(win::VK_DELETE);
    EXPECT_EQ(edit->Text(), "b名称");
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_TRUE(edit->Modified());
    // AutoSelect selects everything when the focus arrives by the keyboard.
    memo->SetFocus();
    input::PressKey(win::VK_TAB, {ssShift});
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(edit->SelLength(), 3);
}

TEST_F(EditForm, ReadOnlyPasswordAndCaseThroughTheWindow) {
    edit->SetCharCase(ecUpperCase);
    edit->SetPasswordChar('*');
    edit->SetFocus();
    input::TypeText("abc");
    EXPECT_EQ(edit->Text(), "ABC");
    edit->SetReadOnly(true);
    input::TypeText("d");
    input::PressKey(win::VK_BACK);
    EXPECT_EQ(edit->Text(), "ABC");
    EXPECT_THROW(edit->SetPasswordChar(0xD800), std::exception);
}

TEST_F(EditForm, MaskedTypingAndValidationOnExit) {
    edit->SetEditMask("000-00;1;_");
    EXPECT_EQ(edit->EditText(), "___-__");
    edit->SetFocus();
    input::PressKey(win::VK_HOME);
    input::TypeText("12x3");
    EXPECT_EQ(edit->EditText(), "123-__");
    EXPECT_EQ(edit->SelStart(), 4);
    // Leaving with a required position blank is refused and the caret shows where.
    EXPECT_THROW(other->SetFocus(), EDBEditError);
    EXPECT_TRUE(edit->Focused());
    EXPECT_FALSE(other->Focused());
    EXPECT_EQ(edit->SelStart(), 4);
    input::TypeText("45");
    EXPECT_EQ(edit->Text(), "123-45");
    input::PressKey(win::VK_BACK);
    EXPECT_EQ(edit->EditText(), "123-4_");
    input::TypeText("6");
    other->SetFocus();
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(edit->Text(), "123-46");
}

TEST_F(EditForm, MemoAnswersLineMessagesAndEnterBreaksTheLine) {
    memo->SetFocus();
    input::TypeText("第一行\rsecond");
    EXPECT_EQ(memo->Lines(), (std::vector<std::string>{"第一行", "second"}));
    EXPECT_EQ(memo->Text(), "第一行\r\nsecond");
    EXPECT_EQ(memo->Perform(win::EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1);
    EXPECT_EQ(memo->Perform(win::EM_LINEINDEX, 1, 0), 5);
    EXPECT_EQ(memo->Perform(win::EM_LINELENGTH, 5, 0), 6);
    memo->Perform(win::EM_SETSEL, 0, 3);
    EXPECT_EQ(memo->SelText(), "第一行");
    memo->Perform(win::EM_SETSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(memo->SelLength(), 0);
    std::vector<std::string> lines;
    for (int i = 0; i < 20; ++i)
        lines.push_back("line " + std::to_string(i));
    memo->SetLines(lines);
    memo->Perform(win::EM_LINESCROLL, 0, 5);
    EXPECT_EQ(memo->Perform(win::EM_GETFIRSTVISIBLELINE, 0, 0), 5);
    input::Wheel(120, memo->ClientToScreen(TPoint{10, 10}));
    EXPECT_EQ(memo->FirstVisibleLine(), 2);
    // The caret on the last line scrolls it into view.
    input::PressKey(win::VK_END, {ssCtrl});
    EXPECT_GE(memo->FirstVisibleLine() + 4, 19);
}

TEST_F(EditForm, RichEditSelectionsOverChineseTextAndSelectionChange) {
    int selectionChanges = 0;
    rich->OnSelectionChange = [&](TObject*) { ++selectionChanges; };
    rich->SetText("项目信息\r说明: 中文 text\r");
    rich->SetSelStart(0);
    rich->SetSelLength(4);
    EXPECT_EQ(rich->SelText(), "项目信息");
    rich->SelAttributes()->SetColor(0x0000FF);
    rich->SelAttributes()->SetStyle(TFontStyles{fsBold});
    rich->SelAttributes()->SetSize(14);
    rich->SetSelStart(9);
    rich->SetSelLength(2);
    EXPECT_EQ(rich->SelText(), "中文");
    rich->SelAttributes()->SetStyle(TFontStyles{fsStrikeOut});
    EXPECT_GE(selectionChanges, 2);
    rich->SetSelStart(1);
    rich->SetSelLength(0);
    EXPECT_EQ(rich->SelAttributes()->Color(), 0x0000FFu);
    EXPECT_EQ(rich->SelAttributes()->Size(), 14);
    EXPECT_TRUE(rich->SelAttributes()->Style().Contains(fsBold));
    // Clicking places the caret by character and reports the selection change.
    int before = selectionChanges;
    Click(rich, 2, 25);
    EXPECT_GT(selectionChanges, before);
    EXPECT_EQ(rich->SelStart(), rich->Perform(win::EM_LINEINDEX, 1, 0));
    input::TypeText("新");
    EXPECT_EQ(rich->Lines()[1], "新说明: 中文 text");
    EXPECT_FALSE(rich->SelAttributes()->Style().Contains(fsBold));
}

TEST_F(EditForm, PictureOfTheThreeEdits) {
    edit->SetText("名称 Name");
    memo->SetLines({"第一行 first", "second line", "third"});
    rich->SetText("项目信息\r-----------------\r名称: 测试 项目\r类型:    是\r");
    rich->SetSelStart(0);
    rich->SetSelLength(5);
    rich->SelAttributes()->SetColor(0x0000FF);
    rich->SelAttributes()->SetStyle(TFontStyles{fsBold});
    rich->SelAttributes()->SetSize(14);
    rich->SetSelStart(5);
    rich->SetSelLength(18);
    rich->SelAttributes()->SetColor(0xFF0000);
    rich->SetSelStart(29);
    rich->SetSelLength(7);
    rich->SelAttributes()->SetStyle(TFontStyles{fsStrikeOut});
    rich->SetSelStart(0);
    rich->SetSelLength(0);
    memo->SetFocus();
    memo->SetSelStart(3);
    memo->SetSelLength(8);
    UpdateAllWindows();
    gdi::Surface surface(form->Width(), form->Height(), 32);
    ComposeWindow(form->Handle(), surface, 0, 0);
    gdi::SavePng(surface, std::string(TARNWICK_BINARY_DIR) + "/edits.png");
    // The 2-pixel sunken client edge of the mask edit: its client area starts 2 pixels in.
    TRect client = edit->ClientRect();
    EXPECT_EQ(client.Width(), edit->Width() - 4);
    EXPECT_EQ(client.Height(), edit->Height() - 4);
}

namespace {

std::u32string CodePoints(const TCustomEdit* e) {
    return rtl::Utf8ToCodePoints(e->Text());
}

// The display lines as the line messages report them.
std::vector<std::u32string> DisplayLines(TCustomEdit* e) {
    const std::u32string text = CodePoints(e);
    std::vector<std::u32string> lines;
    const int count = static_cast<int>(e->Perform(win::EM_GETLINECOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int index = static_cast<int>(e->Perform(win::EM_LINEINDEX, static_cast<WPARAM>(i), 0));
        const int length = static_cast<int>(e->Perform(win::EM_LINELENGTH, static_cast<WPARAM>(index), 0));
        lines.push_back(text.substr(static_cast<std::size_t>(index), static_cast<std::size_t>(length)));
    }
    return lines;
}

int TextWidthIn(TFont* font, const std::u32string& text) {
    gdi::HDC dc = gdi::CreateCompatibleDC(nullptr);
    gdi::HGDIOBJ old = gdi::SelectObject(dc, font->Handle());
    gdi::SIZE size{};
    gdi::GetTextExtentPoint32(dc, rtl::CodePointsToUtf8(text), &size);
    gdi::SelectObject(dc, old);
    gdi::DeleteDC(dc);
    return size.cx;
}

// Line and column as the library's memo computes them from the line messages, 1-based.
std::pair<int, int> LineColumn(TCustomEdit* e) {
    const int line =
        static_cast<int>(e->Perform(win::EM_LINEFROMCHAR, static_cast<WPARAM>(e->SelStart()), 0)) + 1;
    const int index = static_cast<int>(e->Perform(win::EM_LINEINDEX, static_cast<WPARAM>(line - 1), 0));
    return {line, e->SelStart() - index + 1};
}

const std::string longChinese = "审计项目的数据在两个安装之间移动时，向导会把所选模块导出为一个数据包文件，"
                                "再在另一台计算机上预览并导入。";

} // namespace

TEST_F(EditForm, TextIsDrawnInTheControlsFontAndFontColour) {
    edit->SetText("名称 Name");
    edit->Font()->SetName("宋体");
    edit->Font()->SetHeight(-15);
    edit->Font()->SetColor(0x008000);
    memo->SetLines({"第一行"});
    memo->Font()->SetName("Tahoma");
    memo->Font()->SetColor(0x800000);
    rich->Font()->SetName("宋体");
    rich->Font()->SetSize(12);
    rich->Font()->SetColor(0x000080);
    rich->SetText("未设置格式的文字");
    gdi::StartCallLog();
    gdi::ClearCallLog();
    form->Invalidate();
    UpdateAllWindows();
    gdi::StopCallLog();
    auto drawn = [](const std::string& text) {
        for (const gdi::CallLogEntry& e : gdi::CallLogEntries())
            if (e.call == "TextOut" && e.text == text)
                return e;
        ADD_FAILURE() << "not drawn: " << text;
        return gdi::CallLogEntry{};
    };
    gdi::CallLogEntry e = drawn("名称 Name");
    EXPECT_EQ(e.face, "宋体");
    EXPECT_EQ(e.height, -15);
    EXPECT_EQ(e.color, 0x008000u);
    e = drawn("第一行");
    EXPECT_EQ(e.face, "Tahoma");
    EXPECT_EQ(e.color, 0x800000u);
    // The rich edit draws character by character; unstyled text takes the Font.
    e = drawn("未");
    EXPECT_EQ(e.face, "宋体");
    EXPECT_EQ(e.height, -16);
    EXPECT_EQ(e.color, 0x000080u);
    // A disabled edit greys its text whatever the Font colour.
    edit->SetEnabled(false);
    gdi::StartCallLog();
    gdi::ClearCallLog();
    edit->Invalidate();
    UpdateAllWindows();
    gdi::StopCallLog();
    EXPECT_EQ(drawn("名称 Name").color, gdi::ColorToRGB(gdi::clGrayText));
}

TEST_F(EditForm, MemoWrapsWordsAndTheLineMessagesCountDisplayLines) {
    memo->Font()->SetName("宋体");
    memo->Font()->SetHeight(-12);
    memo->SetText(longChinese + "\r\nshort line\r\n" + "one two three four five six seven eight nine ten");
    const std::vector<std::u32string> lines = DisplayLines(memo);
    ASSERT_GT(lines.size(), 4u);
    // Every display line fits the client width less the margins, and the next line's first
    // character would not have fitted; Chinese breaks anywhere, Latin after blanks.
    const int room = memo->ClientWidth() - 2;
    std::u32string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::u32string shown = lines[i];
        while (!shown.empty() && shown.back() == U' ')
            shown.pop_back();
        EXPECT_LE(TextWidthIn(memo->Font(), shown), room) << i;
        const bool wraps =
            i + 1 < lines.size() && !lines[i + 1].empty() &&
            static_cast<int>(memo->Perform(win::EM_LINEINDEX, i + 1, 0)) ==
                static_cast<int>(memo->Perform(win::EM_LINEINDEX, i, 0)) + static_cast<int>(lines[i].size());
        if (wraps) {
            // The next line's first word: one Chinese character, or Latin letters up to a blank.
            const std::u32string& next = lines[i + 1];
            std::size_t word = 1;
            while (next.front() < 0x2E80 && word < next.size() && next[word] != U' ')
                ++word;
            EXPECT_GT(TextWidthIn(memo->Font(), shown + next.substr(0, word)), room) << i;
            if (lines[i].back() != U' ' && next.front() < 0x2E80)
                ADD_FAILURE() << "a Latin word split at line " << i;
        }
        joined += lines[i];
    }
    EXPECT_EQ(memo->Lines().size(), 3u);
    // Character positions count code points: the Chinese paragraph is its own length.
    EXPECT_EQ(memo->Perform(win::EM_LINEINDEX, 0, 0), 0);
    const int firstParagraph = static_cast<int>(rtl::Utf8ToCodePoints(longChinese).size());
    const int shortLine = static_cast<int>(memo->Perform(win::EM_LINEFROMCHAR, firstParagraph + 2, 0));
    EXPECT_EQ(memo->Perform(win::EM_LINEINDEX, shortLine, 0), firstParagraph + 2);
    EXPECT_EQ(memo->Perform(win::EM_LINELENGTH, firstParagraph + 2, 0), 10);

    // Line and column of the caret count display lines: the second line starts at column 1.
    const int second = static_cast<int>(memo->Perform(win::EM_LINEINDEX, 1, 0));
    memo->Perform(win::EM_SETSEL, second + 2, second + 2);
    EXPECT_EQ(LineColumn(memo), (std::pair{2, 3}));
    // Writing Line as the library's memo does scrolls that display line to the top.
    const int third = static_cast<int>(memo->Perform(win::EM_LINEINDEX, 2, 0));
    memo->Perform(win::EM_SETSEL, third, third);
    memo->Perform(win::EM_LINESCROLL, 0, 2 - memo->Perform(win::EM_GETFIRSTVISIBLELINE, 0, 0));
    EXPECT_EQ(memo->Perform(win::EM_GETFIRSTVISIBLELINE, 0, 0), 2);
    EXPECT_EQ(LineColumn(memo), (std::pair{3, 1}));

    // Narrower, the memo wraps into more lines; without WordWrap only the text's lines remain.
    const std::size_t wide = lines.size();
    memo->SetBounds(8, 40, 120, 80);
    EXPECT_GT(DisplayLines(memo).size(), wide);
    memo->Font()->SetHeight(-9);
    EXPECT_LT(DisplayLines(memo).size(), wide + 4);
    memo->SetWordWrap(false);
    EXPECT_EQ(memo->Perform(win::EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(memo->Perform(win::EM_LINELENGTH, 0, 0), firstParagraph);
    EXPECT_TRUE(TMemo(nullptr).WordWrap());
}

TEST_F(EditForm, ThePersonsKeysAndClicksFollowTheDisplayLines) {
    memo->Font()->SetName("宋体");
    memo->Font()->SetHeight(-12);
    memo->SetText(longChinese);
    memo->SetFocus();
    input::PressKey(win::VK_HOME, {ssCtrl});
    input::PressKey(win::VK_END);
    // End leaves the caret at the end of the first display line, which is the position where
    // the second one starts.
    const int firstEnd = static_cast<int>(memo->Perform(win::EM_LINEINDEX, 1, 0));
    EXPECT_EQ(memo->SelStart(), firstEnd);
    EXPECT_EQ(memo->Perform(win::EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 0);
    input::PressKey(win::VK_DOWN);
    EXPECT_EQ(memo->Perform(win::EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1);
    // A click past the end of the first display line puts the caret there, and typing goes there.
    Click(memo, memo->ClientWidth() - 2, -memo->Font()->Height() / 2);
    EXPECT_EQ(memo->SelStart(), firstEnd);
    EXPECT_EQ(memo->Perform(win::EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 0);
    input::TypeText("乙");
    EXPECT_EQ(CodePoints(memo)[static_cast<std::size_t>(firstEnd)], U'乙');
    // A wheel notch scrolls display lines.
    memo->SetText(longChinese + longChinese + longChinese);
    input::Wheel(-120, memo->ClientToScreen(TPoint{10, 10}));
    EXPECT_EQ(memo->Perform(win::EM_GETFIRSTVISIBLELINE, 0, 0), 3);
}

TEST_F(EditForm, RichEditWrapsColouredRunsAndTakesItsFontForUnstyledText) {
    rich->Font()->SetName("宋体");
    rich->Font()->SetSize(10);
    rich->SetBounds(8, 130, 200, 120);
    rich->SetText("项目基本信息\r" + longChinese + "\r");
    rich->SetSelStart(0);
    rich->SetSelLength(6);
    rich->SelAttributes()->SetColor(0x0000FF);
    rich->SelAttributes()->SetSize(15);
    rich->SelAttributes()->SetStyle(TFontStyles{fsBold});
    const std::vector<std::u32string> lines = DisplayLines(rich);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], U"项目基本信息");
    // The CR is one position: the body starts right after it.
    EXPECT_EQ(rich->Perform(win::EM_LINEINDEX, 1, 0), 7);
    // A bigger run takes more room: making the body larger makes more display lines.
    rich->SetSelStart(7);
    rich->SetSelLength(static_cast<int>(rtl::Utf8ToCodePoints(longChinese).size()));
    rich->SelAttributes()->SetSize(14);
    EXPECT_GT(DisplayLines(rich).size(), lines.size());
    // A change of the Font applies to the whole text.
    rich->Font()->SetColor(0x008000);
    rich->SetSelStart(0);
    rich->SetSelLength(1);
    EXPECT_EQ(rich->SelAttributes()->Color(), 0x008000u);
    EXPECT_EQ(rich->SelAttributes()->Size(), 10);
}

TEST_F(EditForm, PictureOfWrappedChineseAndColouredRuns) {
    form->SetBounds(40, 40, 420, 300);
    memo->SetBounds(8, 8, 190, 150);
    memo->Font()->SetName("宋体");
    memo->Font()->SetHeight(-12);
    memo->Font()->SetColor(0x8B0000);
    memo->SetText(longChinese + "\r\nWrapped words stay whole: one two three four.");
    rich->SetBounds(208, 8, 196, 250);
    rich->Font()->SetName("宋体");
    rich->Font()->SetSize(9);
    const std::string title = "           项目基本信息                    \r";
    const std::string rule = std::string(40, ' ') + "\r";
    const std::string body =
        "    项目编号：XM-2024-001\r    项目名称：" + longChinese + "\r    是否委托：是\r";
    rich->SetText(title + rule + body + rule);
    struct Piece {
        const std::string& text;
        int size;
        TFontStyles style;
        TColor color;
    };
    const Piece pieces[] = {{title, 15, TFontStyles{fsBold}, 0x0000FF},
                            {rule, 6, TFontStyles{fsStrikeOut}, 0xFF0000},
                            {body, 9, TFontStyles{}, 0x000000},
                            {rule, 6, TFontStyles{fsStrikeOut}, 0xFF0000}};
    int start = 0;
    for (const Piece& p : pieces) {
        const int length = static_cast<int>(rtl::Utf8ToCodePoints(p.text).size());
        rich->SetSelStart(start);
        rich->SetSelLength(length);
        rich->SelAttributes()->SetSize(p.size);
        rich->SelAttributes()->SetStyle(p.style);
        rich->SelAttributes()->SetColor(p.color);
        start += length;
    }
    rich->SetSelStart(0);
    rich->SetSelLength(0);
    edit->SetBounds(8, 170, 190, 21);
    edit->Font()->SetName("宋体");
    edit->Font()->SetHeight(-12);
    edit->Font()->SetColor(0x006400);
    edit->SetText("包文件名称");
    other->SetVisible(false);
    UpdateAllWindows();
    gdi::Surface surface(form->Width(), form->Height(), 32);
    ComposeWindow(form->Handle(), surface, 0, 0);
    gdi::SavePng(surface, std::string(TARNWICK_BINARY_DIR) + "/edits-wrapped.png");
    EXPECT_GT(memo->Perform(win::EM_GETLINECOUNT, 0, 0), 4);
}

namespace {

// An edit created with an alignment style, as a subclass asks for one.
class TAlignedEdit : public TEdit {
public:
    TAlignedEdit(TComponent* owner, std::uint32_t alignment) : TEdit(owner), m_alignment(alignment) {}

protected:
    void CreateParams(TCreateParams& params) override {
        TEdit::CreateParams(params);
        params.Style |= m_alignment;
    }

private:
    std::uint32_t m_alignment;
};

} // namespace

TEST_F(EditForm, AlignmentStylesPlaceShortTextAndTheCaretClicksFollow) {
    auto* right = new TAlignedEdit(form, win::ES_RIGHT);
    auto* centre = new TAlignedEdit(form, win::ES_CENTER);
    right->SetParent(form);
    centre->SetParent(form);
    right->SetBounds(8, 260, 200, 21);
    centre->SetBounds(210, 260, 200, 21);
    edit->SetText("名称");
    right->SetText("名称");
    centre->SetText("名称");
    const int width = TextWidthIn(right->Font(), U"名称");
    gdi::StartCallLog();
    gdi::ClearCallLog();
    form->Invalidate();
    UpdateAllWindows();
    gdi::StopCallLog();
    std::vector<int> xs;
    for (const gdi::CallLogEntry& e : gdi::CallLogEntries())
        if (e.call == "TextOut" && e.text == "名称")
            xs.push_back(e.position.x);
    // Left text starts one pixel in; right text ends one pixel before the edge; centred text between.
    const int room = right->ClientWidth() - 2;
    EXPECT_EQ(xs, (std::vector<int>{1, 1 + room - width, 1 + (room - width) / 2}));
    Click(right, 5, 5);
    EXPECT_EQ(right->SelStart(), 0);
    Click(right, right->ClientWidth() - 3, 5);
    EXPECT_EQ(right->SelStart(), 2);
    Click(centre, centre->ClientWidth() / 2, 5);
    EXPECT_EQ(centre->SelStart(), 1);
    // Text wider than the edit scrolls as left-aligned text does.
    right->SetText(std::string(60, 'w'));
    right->SetSelStart(0);
    Click(right, 1, 5);
    EXPECT_EQ(right->SelStart(), 0);
}

TEST_F(EditForm, EditsShowTheTextCursorUnlessTheControlNamesOne) {
    input::MoveMouse(edit->ClientToScreen(TPoint{5, 5}));
    EXPECT_EQ(CurrentCursor(), crIBeam);
    edit->SetCursor(crArrow);
    input::MoveMouse(edit->ClientToScreen(TPoint{6, 5}));
    EXPECT_EQ(CurrentCursor(), crArrow);
    input::MoveMouse(form->ClientToScreen(TPoint{300, 100}));
    EXPECT_EQ(CurrentCursor(), crDefault);
}
