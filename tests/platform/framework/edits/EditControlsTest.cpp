#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"
#include "platform/framework/MaskEdit.h"
#include "platform/framework/Memo.h"
#include "platform/framework/RichEdit.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Png.h"

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
