#include "controls/panel/LuPanels.h"
#include "platform/framework/Forms.h"
#include "platform/framework/Graphics.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

using lu::TLuGroupBox;
using lu::TLuPanel;

constexpr gdi::TColor WizardColor = 15790320;

std::unique_ptr<framework::TForm> NewForm(const std::string& caption, int clientWidth, int clientHeight) {
    auto form = std::make_unique<framework::TForm>(nullptr);
    form->SetBorderStyle(framework::bsDialog);
    form->SetCaption(caption);
    form->SetColor(WizardColor);
    form->Font()->SetName("宋体");
    form->Font()->SetHeight(-12);
    form->Font()->SetCharset(134);
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
    return form;
}

// Owned by the form, placed in the parent.
template <class T> T* Place(framework::TWinControl* parent, int left, int top, int width, int height) {
    framework::TComponent* owner = parent;
    while (dynamic_cast<framework::TForm*>(owner) == nullptr)
        owner = owner->Owner();
    auto* c = new T(owner);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
}

void Save(framework::TForm& form, const std::string& name) {
    form.Show();
    const std::string path = std::string(TARNWICK_BINARY_DIR) + "/" + name;
    framework::SaveFormPng(form, path);
    EXPECT_TRUE(std::filesystem::exists(path)) << path;
}

// Rows: the outer border in frame-style order (fsNone to fsFlatBold); columns: the inner border
// in the same order; each with a 2-pixel ring in orange between them. Below: captions in every
// alignment, a grid and a disabled panel; then the group boxes in each style.
TEST(PanelPictures, EveryBorderCombinationAndGroupStyle) {
    auto form = NewForm("面板与分组框", 720, 720);
    for (int outer = 0; outer < lu::FrameStyleCount; ++outer)
        for (int inner = 0; inner < lu::FrameStyleCount; ++inner) {
            auto* p = Place<TLuPanel>(form.get(), 8 + inner * 64, 8 + outer * 40, 60, 36);
            p->SetBorderOuter(static_cast<lu::TFrameStyle>(outer));
            p->SetBorderInner(static_cast<lu::TFrameStyle>(inner));
            p->SetBorderWidth(2);
            p->SetBorderColor(gdi::RGB(255, 200, 120));
        }

    const int captionTop = 8 + 11 * 40 + 8;
    const framework::TAlignment horizontal[] = {framework::taLeftJustify, framework::taCenter,
                                                framework::taRightJustify};
    const lu::TAlignmentVertical vertical[] = {lu::avTop, lu::avCenter, lu::avBottom};
    for (int v = 0; v < 3; ++v)
        for (int h = 0; h < 3; ++h) {
            auto* p = Place<TLuPanel>(form.get(), 8 + (v * 3 + h) * 64, captionTop, 60, 56);
            p->SetCaption("面板(&P)");
            p->SetAlignment(horizontal[h]);
            p->SetAlignmentVertical(vertical[v]);
            p->SetBorderOuter(lu::fsLowered);
        }
    auto* grid = Place<TLuPanel>(form.get(), 8 + 9 * 64, captionTop, 60, 56);
    grid->SetShowGrid(true);
    grid->SetGridStyle(lu::gsDottedLines);
    auto* disabled = Place<TLuPanel>(form.get(), 8 + 10 * 64, captionTop, 60, 56);
    disabled->SetCaption("停用(&D)");
    disabled->SetEnabled(false);

    struct Box {
        lu::TLuGroupBoxStyle style;
        lu::TFrameStyle outer;
        const char* caption;
        bool enabled;
        bool rightToLeft;
    };
    const Box boxes[] = {
        {lu::gsStandard, lu::fsNone, "标准(&S)", true, false},
        {lu::gsCustom, lu::fsLowered, "自定义(&C)", true, false},
        {lu::gsTopLine, lu::fsNone, "顶线(&T)", true, false},
        {lu::gsFlat, lu::fsNone, "类型选择(&L)", true, false},
        {lu::gsStandard, lu::fsFlat, "平面边框(&F)", true, false},
        {lu::gsTopLine, lu::fsFlatBold, "粗顶线(&B)", true, false},
        {lu::gsFlat, lu::fsNone, "停用(&D)", false, false},
        {lu::gsFlat, lu::fsNone, "从右到左(&R)", true, true},
    };
    const int boxTop = captionTop + 64;
    for (int i = 0; i < 8; ++i) {
        auto* g = Place<TLuGroupBox>(form.get(), 8 + (i % 4) * 178, boxTop + (i / 4) * 96, 170, 88);
        g->SetGroupStyle(boxes[i].style);
        g->SetBorderOuter(boxes[i].outer);
        g->SetCaption(boxes[i].caption);
        g->SetEnabled(boxes[i].enabled);
        if (boxes[i].rightToLeft)
            g->SetBiDiMode(framework::bdRightToLeft);
        auto* inside = Place<TLuPanel>(g, 0, 0, 10, 10);
        inside->SetAlign(framework::alClient);
        inside->SetBorderOuter(lu::fsFlat);
        inside->SetColor(gdi::clWindow);
    }
    Save(*form, "controls_panels.png");
}

// The export wizard's frame: LuPanel3 at the top (57), LuPanel1 at the bottom (41) and LuPanel2
// filling the rest, none with an outer border; GBox inside at (92, 8), 416 x 365.
TEST(PanelPictures, TheWizardPanelsAtTheirFormSizes) {
    auto form = NewForm("Velmora 导出向导", 592, 501);
    auto panel = [&](const char* name, framework::TAlign align, int height) {
        auto* p = new TLuPanel(form.get());
        p->SetName(name);
        p->SetParent(form.get());
        p->SetAlign(align);
        p->SetHeight(height);
        p->SetBorderOuter(lu::fsNone);
        return p;
    };
    auto* top = panel("LuPanel3", framework::alTop, 57);
    auto* bottom = panel("LuPanel1", framework::alBottom, 41);
    auto* client = panel("LuPanel2", framework::alClient, 100);
    auto* box = new TLuGroupBox(form.get());
    box->SetName("GBox");
    box->SetParent(client);
    box->SetBounds(92, 8, 416, 365);
    box->SetCaption("类型选择");

    EXPECT_EQ(top->BoundsRect(), (framework::TRect{0, 0, 592, 57}));
    EXPECT_EQ(bottom->BoundsRect(), (framework::TRect{0, 460, 592, 501}));
    EXPECT_EQ(client->BoundsRect(), (framework::TRect{0, 57, 592, 460}));
    EXPECT_EQ(box->BoundsRect(), (framework::TRect{92, 8, 508, 373}));
    Save(*form, "controls_panels_wizard.png");
}

} // namespace
