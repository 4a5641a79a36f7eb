#include "controls/common/LuColorMath.h"
#include "controls/panel/LuPanels.h"
#include "platform/framework/Forms.h"
#include "platform/framework/Graphics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

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

gdi::COLORREF Rgb(gdi::TColor color) {
    return gdi::ColorToRGB(color) & 0xFFFFFF;
}

// A pixel of the control's own surface, as the last painting left it.
gdi::COLORREF PixelOf(framework::TWinControl* control, int x, int y) {
    return control->Handle()->Pixels().Pixel(x, y) & 0xFFFFFF;
}

// The smallest rect that holds every pixel of the colour; empty when there is none.
framework::TRect InkBox(framework::TWinControl* control, gdi::TColor ink) {
    framework::TRect box{control->Width(), control->Height(), 0, 0};
    for (int y = 0; y < control->Height(); ++y)
        for (int x = 0; x < control->Width(); ++x)
            if (PixelOf(control, x, y) == Rgb(ink)) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box;
}

// How deep a border of the style reaches in with a BevelWidth of 1.
int BorderDepth(lu::TFrameStyle style) {
    switch (style) {
    case lu::fsNone:
        return 0;
    case lu::fsFlat:
    case lu::fsStatus:
    case lu::fsPopup:
        return 1;
    default:
        return 2;
    }
}

// Rows: the outer border in frame-style order (fsNone to fsFlatBold); columns: the inner border
// in the same order; each with a 2-pixel ring in orange between them. Below: captions in every
// alignment, a grid and a disabled panel; then the group boxes in each style.
TEST(PanelPictures, EveryBorderCombinationAndGroupStyle) {
    auto form = NewForm("面板与分组框", 720, 720);
    const gdi::TColor orange = gdi::RGB(255, 200, 120);
    std::vector<TLuPanel*> combinations;
    for (int outer = 0; outer < lu::FrameStyleCount; ++outer)
        for (int inner = 0; inner < lu::FrameStyleCount; ++inner) {
            auto* p = Place<TLuPanel>(form.get(), 8 + inner * 64, 8 + outer * 40, 60, 36);
            p->SetBorderOuter(static_cast<lu::TFrameStyle>(outer));
            p->SetBorderInner(static_cast<lu::TFrameStyle>(inner));
            p->SetBorderWidth(2);
            p->SetBorderColor(orange);
            combinations.push_back(p);
        }

    const int captionTop = 8 + 11 * 40 + 8;
    const framework::TAlignment horizontal[] = {framework::taLeftJustify, framework::taCenter,
                                                framework::taRightJustify};
    const lu::TAlignmentVertical vertical[] = {lu::avTop, lu::avCenter, lu::avBottom};
    TLuPanel* captions[3][3];
    for (int v = 0; v < 3; ++v)
        for (int h = 0; h < 3; ++h) {
            auto* p = Place<TLuPanel>(form.get(), 8 + (v * 3 + h) * 64, captionTop, 60, 56);
            captions[v][h] = p;
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
    TLuGroupBox* groups[8];
    for (int i = 0; i < 8; ++i) {
        auto* g = Place<TLuGroupBox>(form.get(), 8 + (i % 4) * 178, boxTop + (i / 4) * 96, 170, 88);
        groups[i] = g;
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
    framework::UpdateAllWindows();

    // Each combination: across the middle row and down the middle column, the orange ring lies
    // just inside the outer border, and the face starts just inside the inner border.
    for (TLuPanel* p : combinations) {
        SCOPED_TRACE(std::string(lu::FrameStyleInfo.names[p->BorderOuter()]) + " outside " +
                     lu::FrameStyleInfo.names[p->BorderInner()]);
        const int ring = BorderDepth(p->BorderOuter());
        const int face = ring + 2 + BorderDepth(p->BorderInner());
        const int w = p->Width(), h = p->Height();
        for (int d = 0; d < face; ++d) {
            const bool inRing = d == ring || d == ring + 1;
            EXPECT_EQ(PixelOf(p, d, h / 2) == Rgb(orange), inRing) << "left, " << d;
            EXPECT_EQ(PixelOf(p, w - 1 - d, h / 2) == Rgb(orange), inRing) << "right, " << d;
            EXPECT_EQ(PixelOf(p, w / 2, d) == Rgb(orange), inRing) << "top, " << d;
            EXPECT_EQ(PixelOf(p, w / 2, h - 1 - d) == Rgb(orange), inRing) << "bottom, " << d;
        }
        EXPECT_EQ(PixelOf(p, face, h / 2), Rgb(gdi::clBtnFace));
        EXPECT_EQ(PixelOf(p, w - 1 - face, h / 2), Rgb(gdi::clBtnFace));
        EXPECT_EQ(PixelOf(p, w / 2, face), Rgb(gdi::clBtnFace));
        EXPECT_EQ(PixelOf(p, w / 2, h - 1 - face), Rgb(gdi::clBtnFace));
    }

    // Captions: inside the lowered border (2 pixels), at the side and the height their
    // alignments name; the ones between sit between.
    for (int v = 0; v < 3; ++v)
        for (int h = 0; h < 3; ++h) {
            SCOPED_TRACE("caption " + std::to_string(v) + "," + std::to_string(h));
            const framework::TRect ink = InkBox(captions[v][h], gdi::clWindowText);
            ASSERT_LT(ink.left, ink.right);
            const int w = captions[v][h]->Width(), ht = captions[v][h]->Height();
            const int leftRoom = ink.left - 2, rightRoom = w - 2 - ink.right;
            const int topRoom = ink.top - 2, bottomRoom = ht - 2 - ink.bottom;
            // The room on the aligned side is small; centred, the rooms on both sides agree.
            const int horizontalRooms[] = {leftRoom, std::abs(leftRoom - rightRoom), rightRoom};
            const int verticalRooms[] = {topRoom, std::abs(topRoom - bottomRoom), bottomRoom};
            EXPECT_LE(horizontalRooms[h], 3);
            EXPECT_LE(verticalRooms[v], 4);
        }

    // The dotted grid in the grid colour: every second pixel of the lines 8 pixels apart.
    EXPECT_EQ(PixelOf(grid, 2 + 7, 2 + 1), Rgb(gdi::clBtnShadow));
    EXPECT_EQ(PixelOf(grid, 2 + 7, 2 + 2), Rgb(gdi::clBtnFace));
    EXPECT_EQ(PixelOf(grid, 2 + 1, 2 + 7), Rgb(gdi::clBtnShadow));
    EXPECT_EQ(PixelOf(grid, 2 + 8, 2 + 1), Rgb(gdi::clBtnFace));
    // The disabled caption is embossed: highlight and shadow, no ink.
    EXPECT_GE(InkBox(disabled, gdi::clWindowText).left, InkBox(disabled, gdi::clWindowText).right);
    EXPECT_LT(InkBox(disabled, gdi::clBtnShadow).left, InkBox(disabled, gdi::clBtnShadow).right);

    // Group boxes: the caption 8 pixels in (none for the top line, from the right in right-to-left
    // reading); the frame on all sides, on the top only, or flat with cut corners.
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(boxes[i].caption);
        TLuGroupBox* g = groups[i];
        const framework::TRect ink = InkBox(g, boxes[i].enabled ? gdi::clWindowText : gdi::clBtnShadow);
        ASSERT_LT(ink.left, ink.right);
        if (boxes[i].rightToLeft) {
            EXPECT_GT(ink.left, g->Width() / 2);
            EXPECT_LE(ink.right, g->Width() - 8);
        } else if (boxes[i].style == lu::gsTopLine) {
            EXPECT_LE(ink.left, 2);
        } else if (boxes[i].style != lu::gsCustom) {
            EXPECT_NEAR(ink.left, 8, 2);
        }
    }
    auto bottomEdge = [&](TLuGroupBox* g, int up) { return PixelOf(g, g->Width() / 2, g->Height() - 1 - up); };
    // gsStandard, fsNone: a groove, light outside and dark inside it.
    EXPECT_EQ(bottomEdge(groups[0], 0), Rgb(gdi::clBtnHighlight));
    EXPECT_EQ(bottomEdge(groups[0], 1), Rgb(gdi::clBtnShadow));
    // gsTopLine: no frame at the bottom.
    EXPECT_EQ(bottomEdge(groups[2], 0), Rgb(gdi::clBtnFace));
    // gsFlat: one line in the adjusted flat colour, with its corner left open.
    const gdi::COLORREF flat = Rgb(lu::AdjustColorLuminance(gdi::clBtnShadow, 30));
    EXPECT_EQ(bottomEdge(groups[3], 0), flat);
    EXPECT_NE(PixelOf(groups[3], 0, groups[3]->Height() - 1), flat);
    EXPECT_EQ(PixelOf(groups[3], 1, groups[3]->Height() - 2), flat);
    // The caption's filled rect hides the flat top line from 8 pixels in, or up to 8 pixels
    // from the right in right-to-left reading.
    for (TLuGroupBox* g : {groups[3], groups[7]}) {
        int top = 0;
        while (top < g->Height() && PixelOf(g, g->Width() - 4, top) != flat)
            ++top;
        ASSERT_LT(top, g->Height());
        const bool fromRight = g == groups[7];
        const int outside = fromRight ? g->Width() - 8 : 7;
        const int covered = fromRight ? g->Width() - 9 : 8;
        EXPECT_EQ(PixelOf(g, outside, top), flat) << g->Caption();
        EXPECT_EQ(PixelOf(g, covered, top), Rgb(gdi::clBtnFace)) << g->Caption();
    }
    // gsStandard, fsFlat: a flat line all round.
    EXPECT_EQ(bottomEdge(groups[4], 0), flat);
    EXPECT_EQ(PixelOf(groups[4], 0, groups[4]->Height() / 2), flat);
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
