// One picture of the library's edits: an edit in each frame state, an edit with its drop button,
// a memo wrapping Chinese text and a rich edit with coloured runs.

#include "EditForm.h"

#include "platform/framework/StdCtrls.h"
#include "platform/gdi/Png.h"
#include "platform/rtl/Utf8.h"

#include <gtest/gtest.h>

namespace {

using namespace edittest;
using lu::TLuEdit;

class EditPicture : public EditForm {
protected:
    TLuEdit* Row(int row, const std::string& caption, const std::string& text) {
        auto* label = Add<TLabel>("Label" + std::to_string(row), TRect{10, 14 + row * 30, 80, 30 + row * 30});
        label->SetCaption(caption);
        label->SetTransparent(true);
        auto* edit =
            row == 5
                ? Add<TDropEdit>("Edit" + std::to_string(row), TRect{80, 10 + row * 30, 250, 31 + row * 30})
                : Add<TLuEdit>("Edit" + std::to_string(row), TRect{80, 10 + row * 30, 250, 31 + row * 30});
        edit->SetFrameVisible(true);
        edit->SetFrameHotTrack(true);
        edit->SetFrameHotColor(0xC05000);
        edit->SetFocusColor(0xE0FFFF);
        edit->SetText(text);
        return edit;
    }
};

TEST_F(EditPicture, EveryFrameStateTheDropButtonWrappedChineseAndColouredRuns) {
    form->SetBounds(100, 100, 430, 420);
    TLuEdit* normal = Row(0, "normal", "普通 normal");
    TLuEdit* hot = Row(1, "hot", "热点 hot");
    TLuEdit* focused = Row(2, "focused", "焦点 focused");
    TLuEdit* disabled = Row(3, "disabled", "禁用 disabled");
    TLuEdit* readOnly = Row(4, "read-only", "只读 read-only");
    auto* drop = static_cast<TDropEdit*>(Row(5, "drop button", "下拉 drop"));
    drop->SetDropButtonVisible(true);
    disabled->SetEnabled(false);
    readOnly->SetReadOnly(true);

    auto* memo = Add<lu::TLuMemo>("Memo", TRect{262, 10, 420, 190});
    memo->SetFrameVisible(true);
    memo->SetText("包文件说明：这是一段很长的中文说明文字，用来显示备注在编辑框中自动换行的效果。"
                  "\r\n第二段 mixed with English words that wrap too.");

    auto* rich = Add<lu::TLuRichEdit>("Rich", TRect{10, 200, 420, 410});
    rich->SetFrameVisible(true);
    const std::string title = "   项目基本信息   \r";
    const std::string rule = std::string(86, ' ') + "\r";
    const std::string body = "    项目编号：P-2024-001\r    项目名称：测试项目\r    是否委托：是\r";
    rich->SetText(title + rule + body + rule);
    auto style = [&](int start, int length, gdi::TColor color, TFontStyles styles, int size) {
        rich->SetSelStart(start);
        rich->SetSelLength(length);
        rich->SelAttributes()->SetSize(size);
        rich->SelAttributes()->SetStyle(styles);
        rich->SelAttributes()->SetColor(color);
    };
    auto length = [](const std::string& s) { return static_cast<int>(rtl::Utf8ToCodePoints(s).size()); };
    const int titleLength = length(title), ruleLength = length(rule), bodyLength = length(body);
    style(0, titleLength, 0x0000FF, TFontStyles{fsBold}, 15);
    style(titleLength, ruleLength, 0xFF0000, TFontStyles{fsStrikeOut}, 6);
    style(titleLength + ruleLength, bodyLength, 0x000000, TFontStyles{}, 9);
    style(titleLength + ruleLength + bodyLength, ruleLength, 0xFF0000, TFontStyles{fsStrikeOut}, 6);
    rich->SetSelStart(0);
    rich->SetSelLength(0);

    form->Show();
    focused->SetFocus();
    input::MoveMouse(AtClient(hot, 20, 8));
    UpdateAllWindows();
    gdi::Surface surface(form->Width(), form->Height(), 32);
    ComposeWindow(form->Handle(), surface, 0, 0);
    gdi::SavePng(surface, std::string(TARNWICK_BINARY_DIR) + "/lu-edits.png");

    // The outer ring carries the frame: flat in the frame colour, bold in the hot colour on the
    // hot and the focused edit; the second ring is the edit's own colour.
    EXPECT_EQ(WindowPixel(normal, 5, 0), Rgb(gdi::clBtnShadow));
    EXPECT_EQ(WindowPixel(normal, 5, 1), Rgb(gdi::clWindow));
    for (TLuEdit* e : {hot, focused}) {
        EXPECT_EQ(WindowPixel(e, 5, 0), 0xC05000u) << e->Name();
        EXPECT_EQ(WindowPixel(e, 5, 1), 0xC05000u) << e->Name();
    }
    EXPECT_EQ(WindowPixel(focused, 5, 2), 0xE0FFFFu);
    EXPECT_EQ(WindowPixel(disabled, 5, 1), Rgb(gdi::clBtnFace));
    EXPECT_EQ(WindowPixel(readOnly, 5, 1), Rgb(gdi::clWindow));
    EXPECT_EQ(drop->ClientWidth(), drop->Width() - 4 - gdi::GetSystemMetrics(gdi::SM_CXVSCROLL));
    EXPECT_GT(memo->Perform(win::EM_GETLINECOUNT), 4);
}

} // namespace
