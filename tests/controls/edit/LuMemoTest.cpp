// The library's memo and rich edit: the caret's line and column (over wrapped lines too), the
// line/column and clipboard notifications, the mouse wheel and the frame by state.

#include "EditForm.h"

#include "platform/rtl/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace edittest;
using lu::TLuMemo;
using lu::TLuRichEdit;

class Memo : public EditForm {
protected:
    void SetUp() override {
        EditForm::SetUp();
        memo = Add<TLuMemo>("EdtMemo", TRect{8, 88, 285, 177});
        memo->SetFrameVisible(true);
        memo->Font()->SetName("宋体");
        memo->Font()->SetHeight(-12);
        rich = Add<TLuRichEdit>("RichEditPrjInfo", TRect{8, 190, 285, 300});
        form->Show();
        memo->SetFocus();
        Listen(memo);
        Listen(rich);
    }

    // Logs "L line,column" and "C selection,text" as the notifications arrive.
    template <class T> void Listen(T* control) {
        control->OnLineColChange = [this](TObject*, int line, int column) {
            log.push_back("L" + std::to_string(line) + "," + std::to_string(column));
        };
        control->OnClipboardChange = [this](TObject*, bool hasSelection, bool hasText) {
            log.push_back(std::string("C") + (hasSelection ? "1" : "0") + (hasText ? "1" : "0"));
        };
    }
    std::pair<int, int> At(lu::TLuMemoBase<TMemo>* m) { return {m->Line(), m->Column()}; }

    TLuMemo* memo = nullptr;
    TLuRichEdit* rich = nullptr;
    std::vector<std::string> log;
};

using LineColumn = std::pair<int, int>;

TEST_F(Memo, LineAndColumnAreReadAndWrittenThroughTheLineMessages) {
    EXPECT_EQ(At(memo), LineColumn(1, 1));
    std::vector<std::string> lines;
    for (int i = 1; i <= 10; ++i)
        lines.push_back(i == 2 ? "12345" : "line " + std::to_string(i));
    memo->SetLines(lines);
    log.clear();

    memo->SetLine(2);
    EXPECT_EQ(At(memo), LineColumn(2, 1));
    memo->SetColumn(10);
    EXPECT_EQ(At(memo), LineColumn(2, 1));
    memo->SetColumn(6);
    EXPECT_EQ(memo->SelStart(), 8 + 5);
    EXPECT_EQ(log, (std::vector<std::string>{"L2,1", "C00", "L2,6", "C00"}));

    // A line is put at the top; a line past the last removes the selection and moves nothing.
    log.clear();
    memo->SetLine(3);
    EXPECT_EQ(memo->SelStart(), memo->Perform(win::EM_LINEINDEX, 2));
    EXPECT_EQ(memo->FirstVisibleLine(), 2);
    memo->SetSelLength(3);
    memo->SetLine(11);
    EXPECT_EQ(memo->SelLength(), 0);
    EXPECT_EQ(memo->FirstVisibleLine(), 2);
    EXPECT_EQ(At(memo), LineColumn(3, 4));
    // Numbers below 1 name no line or column and change nothing either.
    memo->SetLine(0);
    memo->SetColumn(0);
    EXPECT_EQ(At(memo), LineColumn(3, 4));
    EXPECT_EQ(log, (std::vector<std::string>{"L3,1", "C00"}));
}

TEST_F(Memo, LineAndColumnFollowTheCaretThroughWrappedChinese) {
    const std::string paragraph = "审计项目的数据在两个安装之间移动时，向导会把所选模块导出为一个数据包文件，"
                                  "再在另一台计算机上预览并导入。";
    memo->SetText(paragraph + "\r\n第二段");
    auto lengthOf = [&](int line) {
        return static_cast<int>(memo->Perform(win::EM_LINELENGTH, memo->Perform(win::EM_LINEINDEX, line)));
    };
    const int first = lengthOf(0);
    const int second = lengthOf(1);
    const int displayLines = static_cast<int>(memo->Perform(win::EM_GETLINECOUNT));
    ASSERT_GT(displayLines, 3);
    log.clear();

    struct Step {
        std::uint16_t key;
        TShiftState shift;
        LineColumn expected;
    };
    const Step steps[] = {
        {win::VK_HOME, {ssCtrl}, {1, 1}}, {win::VK_RIGHT, {}, {1, 2}},
        {win::VK_DOWN, {}, {2, 2}},       {win::VK_END, {}, {2, second + 1}},
        {win::VK_RIGHT, {}, {3, 2}},      {win::VK_HOME, {}, {3, 1}},
        {win::VK_UP, {}, {2, 1}},         {win::VK_END, {ssCtrl}, {displayLines, 4}},
    };
    for (const Step& s : steps) {
        input::PressKey(s.key, s.shift);
        EXPECT_EQ(At(memo), s.expected) << s.key;
        // The key's release reports the same.
        EXPECT_EQ(log[log.size() - 2],
                  "L" + std::to_string(s.expected.first) + "," + std::to_string(s.expected.second));
    }

    // After End on a wrapped line the caret stands at its end, not at the start of the next line.
    input::PressKey(win::VK_HOME, {ssCtrl});
    input::PressKey(win::VK_END);
    EXPECT_EQ(At(memo), LineColumn(1, first + 1));
    EXPECT_EQ(memo->Perform(win::EM_LINEFROMCHAR, static_cast<WPARAM>(memo->SelStart())), 1);
    // Writing the column after the last character of a wrapped line puts the caret where End
    // does: at the end of that line, not at the start of the next, which is the same position.
    const int afterEnd = memo->SelStart();
    memo->SetLine(1);
    log.clear();
    memo->SetColumn(first + 1);
    EXPECT_EQ(At(memo), LineColumn(1, first + 1));
    EXPECT_EQ(memo->SelStart(), afterEnd);
    EXPECT_EQ(log, (std::vector<std::string>{"L1," + std::to_string(first + 1), "C00"}));
    // From there the caret goes on as after End: Right to the second character of line 2.
    input::PressKey(win::VK_RIGHT);
    EXPECT_EQ(At(memo), LineColumn(2, 2));
    memo->SetLine(2);
    memo->SetColumn(3);
    EXPECT_EQ(At(memo), LineColumn(2, 3));
    // The rich edit writes its column the same way.
    rich->SetText(paragraph);
    ASSERT_GT(rich->Perform(win::EM_GETLINECOUNT), 1);
    const int richFirst = static_cast<int>(rich->Perform(win::EM_LINELENGTH, 0));
    rich->SetLine(1);
    rich->SetColumn(richFirst + 1);
    EXPECT_EQ(rich->Line(), 1);
    EXPECT_EQ(rich->Column(), richFirst + 1);

    // A click at the left of the third line shown; writing the line scrolled it to the top.
    EXPECT_EQ(memo->FirstVisibleLine(), 1);
    gdi::HDC dc = gdi::CreateCompatibleDC(nullptr);
    gdi::SelectObject(dc, memo->Font()->Handle());
    gdi::TEXTMETRIC tm;
    gdi::GetTextMetrics(dc, &tm);
    gdi::DeleteDC(dc);
    input::Click(AtClient(memo, 1, tm.tmHeight * 2 + tm.tmHeight / 2));
    EXPECT_EQ(At(memo), LineColumn(4, 1));
}

TEST_F(Memo, AKeyStrokeReportsOnDownOnChangeAndOnUp) {
    input::TypeText("a");
    EXPECT_EQ(log, (std::vector<std::string>{"L1,1", "C00", "L1,2", "C00", "L1,2", "C00"}));

    // A mouse selection reports it on release; the clipboard's text is reported too.
    memo->SetText("选择这段文字");
    Clipboard().SetAsText("x");
    log.clear();
    input::PressButton(mbLeft, AtClient(memo, 1, 5));
    input::MoveMouse(AtClient(memo, 40, 5));
    input::ReleaseButton(mbLeft, AtClient(memo, 40, 5));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "C11");
    EXPECT_GT(memo->SelLength(), 0);

    // Making the window reports the position once and the clipboard twice.
    auto* late = new TLuMemo(form.get());
    Listen(late);
    log.clear();
    late->SetParent(form.get());
    EXPECT_EQ(log, (std::vector<std::string>{"L1,1", "C01", "C01"}));
}

TEST_F(Memo, TheRichEditReportsSelectionChangesAsClipboardChanges) {
    rich->SetText("项目基本信息\r项目编号：P-1\r");
    rich->SetFocus();
    rich->SetSelStart(7);
    log.clear();
    EXPECT_EQ(rich->Line(), 2);
    EXPECT_EQ(rich->Column(), 1);
    input::PressKey(win::VK_RIGHT, {ssShift});
    // Shift and the arrow go down, the selection changes, the arrow and Shift come up.
    EXPECT_EQ(log,
              (std::vector<std::string>{"L2,1", "C00", "L2,1", "C00", "C10", "L2,1", "C10", "L2,1", "C10"}));
    EXPECT_EQ(rich->SelText(), "项");
}

TEST_F(Memo, TheWheelScrollsOneLineOrTheWheelLinesWithCtrl) {
    std::vector<std::string> lines;
    for (int i = 0; i < 30; ++i)
        lines.push_back("line " + std::to_string(i));
    memo->SetLines(lines);
    Mouse().SetWheelScrollLines(4);
    int asked = 0;
    // The handler's answer does not stop the scrolling.
    memo->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& handled) {
        ++asked;
        handled = true;
    };
    const TPoint inside = AtClient(memo, 20, 20);
    input::Wheel(-120, inside);
    EXPECT_EQ(memo->FirstVisibleLine(), 1);
    input::KeyDown(win::VK_CONTROL);
    input::Wheel(-120, inside);
    EXPECT_EQ(memo->FirstVisibleLine(), 5);
    input::Wheel(120, inside);
    EXPECT_EQ(memo->FirstVisibleLine(), 1);
    input::KeyUp(win::VK_CONTROL);
    input::Wheel(120, inside);
    EXPECT_EQ(memo->FirstVisibleLine(), 0);
    EXPECT_EQ(asked, 2);
}

TEST_F(Memo, AFocusedHotTrackedMemoShowsTheHotFrameWithTheMouseElsewhere) {
    memo->SetFrameHotTrack(true);
    memo->SetFrameColor(gdi::clRed);
    memo->SetFrameHotColor(gdi::clBlue);
    memo->SetFocusColor(gdi::clYellow);
    input::MoveMouse(AtClient(form.get(), 400, 10));
    EXPECT_EQ(WindowPixel(memo, 10, 0), Rgb(gdi::clBlue));
    EXPECT_EQ(WindowPixel(memo, 10, 1), Rgb(gdi::clBlue));
    EXPECT_EQ(memo->Color(), gdi::clYellow);
    rich->SetFocus();
    EXPECT_EQ(WindowPixel(memo, 10, 0), Rgb(gdi::clRed));
    EXPECT_EQ(WindowPixel(memo, 10, 1), Rgb(gdi::clWindow));
    input::MoveMouse(AtClient(memo, 10, 10));
    EXPECT_EQ(WindowPixel(memo, 10, 0), Rgb(gdi::clBlue));
    EXPECT_EQ(memo->Color(), gdi::clWindow);
    memo->SetEnabled(false);
    EXPECT_EQ(memo->Color(), gdi::clBtnFace);
}

} // namespace
