#include "LabelTestForm.h"

#include "platform/framework/MaskEdit.h"
#include "platform/framework/Timers.h"

#include <filesystem>

namespace {

using framework::TRect;
using lu::TLuLabel;

const gdi::TColor WizardColor = 15790320;
const char* const WizardNote = "说明：\r\n"
                               "    1．预览按钮可以预览选择的信息\r\n"
                               "    2．选择要导出的信息下一步进行信息导出";

class LabelPicture : public lutest::LabelTest {
protected:
    TLuLabel* Add(const std::string& caption, TRect bounds, const char* face, int height) {
        TLuLabel* label = AddLabel(caption, bounds);
        label->SetParentFont(false);
        label->Font()->SetName(face);
        label->Font()->SetHeight(height);
        label->SetColor(WizardColor);
        return label;
    }

    std::vector<std::string> LinesDrawn(TLuLabel* label) {
        std::vector<std::string> lines;
        for (const gdi::CallLogEntry& e : PaintLogged(label))
            if (e.call == "DrawTextLine")
                lines.push_back(e.text);
        return lines;
    }
};

// Text styles, angles, borders, the wizard's note and accelerators on one form.
TEST_F(LabelPicture, EveryLookOnOneForm) {
    form->SetBounds(100, 100, 720, 420);
    form->SetColor(WizardColor);

    const struct {
        const char* caption;
        lu::TTextStyle style;
        bool light;
        bool enabled;
    } styles[] = {
        {"Normal", lu::tsNormal, false, true},     {"Raised", lu::tsRaised, false, true},
        {"Recessed", lu::tsRecessed, false, true}, {"Shadow", lu::tsShadow, false, true},
        {"Light", lu::tsRaised, true, true},       {"Disabled", lu::tsShadow, false, false},
    };
    int x = 8;
    for (const auto& s : styles) {
        TLuLabel* l = Add(s.caption, TRect{x, 8, x + 100, 44}, "Arial", -20);
        l->Font()->SetStyle(framework::TFontStyles{framework::fsBold});
        l->Font()->SetColor(gdi::RGB(30, 60, 150));
        l->SetColor(gdi::RGB(200, 200, 200));
        l->SetTextStyle(s.style);
        l->SetLightTextStyle(s.light);
        l->SetShadowDepth(3);
        l->SetLayout(framework::tlCenter);
        l->SetAlignment(framework::taCenter);
        l->SetEnabled(s.enabled);
        x += 104;
    }

    x = 8;
    for (int angle : {0, 45, 90, 270, 123}) {
        TLuLabel* l = Add("Tarnwick " + std::to_string(angle), TRect{x, 52, x + 110, 162}, "Arial", -15);
        l->SetBorderOuter(lu::fsFlat);
        l->SetAlignment(framework::taCenter);
        l->SetRotation(lu::roFlat);
        l->SetAngle(angle);
        x += 114;
    }
    TLuLabel* curved = Add("环形文字 Tarnwick", TRect{x, 52, x + 130, 162}, "宋体", -14);
    curved->SetBorderOuter(lu::fsGroove);
    curved->SetRotation(lu::roCurve);
    curved->SetAngle(80);

    const struct {
        const char* caption;
        lu::TFrameStyle outer;
        lu::TFrameStyle inner;
        int borderWidth;
        lu::TSides sides;
    } borders[] = {
        {"Raised in lowered", lu::fsRaised, lu::fsLowered, 3, lu::sdAllSides},
        {"Groove", lu::fsGroove, lu::fsNone, 0, lu::sdAllSides},
        {"Bump", lu::fsBump, lu::fsNone, 0, lu::sdAllSides},
        {"Popup", lu::fsPopup, lu::fsNone, 0, lu::sdAllSides},
        {"Status", lu::fsStatus, lu::fsFlat, 2, lu::sdAllSides},
        {"ButtonUp", lu::fsButtonUp, lu::fsNone, 0, lu::sdAllSides},
        {"FlatBold", lu::fsFlatBold, lu::fsNone, 0, lu::sdAllSides},
        {"Left and bottom", lu::fsRaised, lu::fsNone, 4, lu::TSides{lu::sdLeft, lu::sdBottom}},
    };
    x = 8;
    for (const auto& b : borders) {
        TLuLabel* l = Add(b.caption, TRect{x, 172, x + 84, 222}, "Tahoma", -11);
        l->SetBorderOuter(b.outer);
        l->SetBorderInner(b.inner);
        l->SetBorderWidth(b.borderWidth);
        l->SetBorderColor(gdi::RGB(120, 170, 220));
        l->SetBorderSides(b.sides);
        l->SetBevelWidth(2);
        l->SetColor(gdi::clWhite);
        l->SetWordWrap(true);
        l->SetAlignment(framework::taCenter);
        l->SetLayout(framework::tlCenter);
        x += 88;
    }

    // The export wizard's note at its own place and size, and the same note wrapped narrow.
    TLuLabel* note = Add(WizardNote, TRect{16, 240, 393, 276}, "宋体", -12);
    note->SetWordWrap(true);
    TLuLabel* narrow = Add(WizardNote, TRect{420, 240, 560, 330}, "宋体", -12);
    narrow->SetWordWrap(true);
    narrow->SetBorderOuter(lu::fsFlat);

    // Captions of the package-name dialog, with their accelerators, and a blinking label.
    auto* edit = new framework::TMaskEdit(form.get());
    edit->SetBounds(120, 300, 200, 22);
    edit->SetParent(form.get());
    TLuLabel* name = Add("包文件名称(&N)：", TRect{16, 303, 116, 320}, "宋体", -12);
    name->SetAutoSize(true);
    name->SetFocusControl(edit);
    TLuLabel* exportCaption = Add("&导出  确定(&O)", TRect{16, 335, 200, 352}, "宋体", -12);
    exportCaption->SetAutoSize(true);
    TLuLabel* blinking = Add("闪烁 Blinking", TRect{16, 370, 200, 400}, "Arial", -18);
    blinking->Font()->SetColor(gdi::clBlack);
    blinking->SetBlinkColor(gdi::RGB(230, 0, 0));
    blinking->SetBorderOuter(lu::fsLowered);
    blinking->SetBlinking(true);

    Show();
    framework::Clock().Advance(1000); // into the blink-colour phase
    EXPECT_EQ(blinking->CurrentColor(), gdi::RGB(230, 0, 0));

    // The note keeps its three lines at 377 pixels; narrow, it wraps between the characters.
    EXPECT_EQ(LinesDrawn(note), (std::vector<std::string>{"说明：", "    1．预览按钮可以预览选择的信息",
                                                          "    2．选择要导出的信息下一步进行信息导出"}));
    EXPECT_GT(LinesDrawn(narrow).size(), 3u);

    const std::string png = std::string(TARNWICK_BINARY_DIR) + "/labels.png";
    framework::SaveFormPng(*form, png);
    EXPECT_TRUE(std::filesystem::exists(png));
}

// Auto-sized labels whose borders show on some sides only, wrapped or not, and wrapped labels
// turned: each shows its whole text.
TEST_F(LabelPicture, AutoSizedLabelsShowTheirWholeText) {
    form->SetBounds(100, 100, 560, 300);
    form->SetColor(WizardColor);
    const std::string caption = "one two three four five";
    std::vector<TLuLabel*> labels;
    auto add = [&](TRect bounds, lu::TSides sides, int borderWidth, bool wrap, int angle) {
        TLuLabel* l = Add(caption, bounds, "Arial", -16);
        l->SetColor(gdi::clWhite);
        l->SetBorderOuter(lu::fsFlat);
        l->SetBorderWidth(borderWidth);
        l->SetBorderColor(gdi::RGB(120, 170, 220));
        l->SetBorderSides(sides);
        l->SetWordWrap(wrap);
        l->SetAngle(angle);
        l->SetAutoSize(true);
        labels.push_back(l);
    };
    add(TRect{8, 8, 108, 40}, lu::TSides{lu::sdLeft}, 5, false, 0);
    add(TRect{8, 60, 108, 100}, lu::TSides{lu::sdLeft}, 5, true, 0);
    add(TRect{130, 60, 230, 100}, lu::TSides{lu::sdLeft, lu::sdBottom}, 3, true, 0);
    add(TRect{250, 8, 370, 88}, lu::sdAllSides, 0, true, 45);
    add(TRect{470, 8, 550, 128}, lu::sdAllSides, 3, true, 90);
    Show();
    for (TLuLabel* l : labels) {
        SCOPED_TRACE(std::to_string(l->Left()) + ", " + std::to_string(l->Top()));
        ExpectAllInkShown(l);
    }

    const std::string png = std::string(TARNWICK_BINARY_DIR) + "/labels-auto-size.png";
    framework::SaveFormPng(*form, png);
    EXPECT_TRUE(std::filesystem::exists(png));
}

} // namespace
