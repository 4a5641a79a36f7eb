#include "controls/common/LuCommon.h"
#include "platform/framework/Forms.h"

#include "LuTestCanvas.h"

#include <gtest/gtest.h>

namespace {

using framework::TBitmap;
using framework::TRect;
using lutest::Prepare;

// Bounding box of the pixels that are not the paper colour.
TRect InkBox(TBitmap& b, gdi::TColor paper) {
    TRect box{b.Width(), b.Height(), -1, -1};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Canvas()->Pixels(x, y) != paper) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box;
}

TEST(Arrows, EvenHeightAndPressedShift) {
    TBitmap b;
    Prepare(b, 16, 16, gdi::clWhite);
    lu::PaintDropDownArrow(b.Canvas(), TRect{0, 0, 16, 11}, false, false, true);
    TRect odd = InkBox(b, gdi::clWhite);
    EXPECT_EQ(b.Canvas()->Pixels(odd.left, odd.top), gdi::clBlack);
    // cx = 8, cy = 5 + 2: the triangle (8, 7), (5, 3), (12, 3) under the polygon pixel rule,
    // rows of 7, 5, 3 and 1 pixels centred on x = 8.
    EXPECT_EQ(odd, (TRect{5, 3, 12, 7}));

    Prepare(b, 16, 16, gdi::clWhite);
    lu::PaintDropDownArrow(b.Canvas(), TRect{0, 0, 16, 10}, false, false, true);
    TRect even = InkBox(b, gdi::clWhite);
    EXPECT_EQ(even.top, odd.top - 1); // one pixel higher in the even-height rectangle
    EXPECT_EQ(even.left, odd.left);

    // The drop-down arrow moves whenever pressed; disabled it is drawn in the shadow colour.
    Prepare(b, 16, 16, gdi::clWhite);
    lu::PaintDropDownArrow(b.Canvas(), TRect{0, 0, 16, 11}, false, true, false);
    TRect pressed = InkBox(b, gdi::clWhite);
    EXPECT_EQ(pressed.left, odd.left + 1);
    EXPECT_EQ(pressed.top, odd.top + 1);
    EXPECT_EQ(b.Canvas()->Pixels(pressed.left, pressed.top), lutest::Sys(gdi::clBtnShadow));

    // The direction arrow moves only when enabled and pressed.
    Prepare(b, 16, 16, gdi::clWhite);
    lu::PaintDirectionArrow(b.Canvas(), TRect{0, 0, 16, 16}, false, lu::adUp, false, false);
    TRect up = InkBox(b, gdi::clWhite);
    Prepare(b, 16, 16, gdi::clWhite);
    lu::PaintDirectionArrow(b.Canvas(), TRect{0, 0, 16, 16}, false, lu::adUp, true, false);
    EXPECT_EQ(InkBox(b, gdi::clWhite), up);
    Prepare(b, 16, 16, gdi::clWhite);
    lu::PaintDirectionArrow(b.Canvas(), TRect{0, 0, 16, 16}, false, lu::adUp, true, true);
    TRect upPressed = InkBox(b, gdi::clWhite);
    EXPECT_EQ(upPressed.left, up.left + 1);
    EXPECT_EQ(upPressed.top, up.top + 1);
}

TEST(Arrows, DirectionsRestoreAndOutOfRange) {
    const struct {
        int direction;
        TRect box;
    } cases[] = {
        // cx = 8, cy = 7 (even height); the plain triangles after their offsets, each symmetric
        // about its axis.
        {lu::adUp, {5, 5, 12, 9}},
        {lu::adDown, {5, 6, 12, 10}},
        {lu::adLeft, {6, 4, 10, 11}},
        {lu::adRight, {6, 4, 10, 11}},
    };
    for (const auto& c : cases) {
        TBitmap b;
        Prepare(b, 16, 16, gdi::clWhite);
        b.Canvas()->Brush()->SetColor(gdi::clAqua);
        lu::PaintDirectionArrow(b.Canvas(), TRect{0, 0, 16, 16}, false, c.direction, false, true);
        EXPECT_EQ(InkBox(b, gdi::clWhite), c.box) << c.direction;
        EXPECT_EQ(b.Canvas()->Brush()->Color(), gdi::clAqua);
        EXPECT_EQ(b.Canvas()->Pen()->Style(), framework::psSolid);
    }
    TBitmap b;
    Prepare(b, 16, 16, gdi::clWhite);
    b.Canvas()->Brush()->SetColor(gdi::clAqua);
    lu::PaintDirectionArrow(b.Canvas(), TRect{0, 0, 16, 16}, true, 4, false, true);
    EXPECT_EQ(InkBox(b, gdi::clWhite).right, -1);
    EXPECT_EQ(b.Canvas()->Brush()->Color(), gdi::clAqua);
    EXPECT_EQ(b.Canvas()->Pen()->Style(), framework::psSolid);
}

// The themed arrows take the colour of the theme's drop button at its centre, which is where
// that button's own chevron is: the dark arrow ink, not the pale face around it.
TEST(Arrows, ThemedColourIsTheDropButtonsArrowInk) {
    const gdi::TColor arrowInk = gdi::RGB(77, 97, 133);
    EXPECT_EQ(lutest::ColorText(lu::ThemedArrowColor()), lutest::ColorText(arrowInk));
    TBitmap b;
    Prepare(b, 20, 20, gdi::clWhite);
    lu::PaintDropDownArrow(b.Canvas(), TRect{0, 0, 20, 20}, true, false, true);
    TRect box = InkBox(b, gdi::clWhite);
    ASSERT_GT(box.right, 0);
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            const gdi::TColor p = b.Canvas()->Pixels(x, y);
            EXPECT_TRUE(p == gdi::clWhite || p == arrowInk) << x << "," << y << ": " << lutest::ColorText(p);
        }
    // The themed chevron's tip sits two pixels lower than the plain triangle's.
    Prepare(b, 20, 20, gdi::clWhite);
    lu::PaintDropDownArrow(b.Canvas(), TRect{0, 0, 20, 20}, false, false, true);
    EXPECT_EQ(box.bottom, InkBox(b, gdi::clWhite).bottom + 2);
    Prepare(b, 20, 20, gdi::clWhite);
    lu::PaintDirectionArrow(b.Canvas(), TRect{0, 0, 20, 20}, true, lu::adLeft, false, true);
    box = InkBox(b, gdi::clWhite);
    ASSERT_GT(box.right, 0);
    EXPECT_EQ(lutest::ColorText(b.Canvas()->Pixels(box.left, (box.top + box.bottom) / 2)),
              lutest::ColorText(arrowInk));
}

// An arrow ink close to the window colour would vanish on a white field: the dark shadow
// stands in for it.
TEST(Arrows, ThemedColourFallsBackNearTheWindowColour) {
    gdi::SetSysColorForTest(gdi::COLOR_WINDOW, gdi::RGB(80, 97, 133));
    EXPECT_EQ(lu::ThemedArrowColor(), gdi::cl3DDkShadow);
    gdi::ResetSysColors();
    EXPECT_NE(lu::ThemedArrowColor(), gdi::cl3DDkShadow);
}

TEST(Fonts, AngledFontAndTrueType) {
    framework::TFont font;
    font.SetName("Verdana");
    font.SetSize(9);
    font.SetStyle({framework::fsBold, framework::fsUnderline});
    font.SetCharset(gdi::GB2312_CHARSET);
    font.SetPitch(framework::fpFixed);
    gdi::HFONT h = lu::CreateAngledFont(&font, 90);
    gdi::LOGFONT log;
    ASSERT_TRUE(gdi::GetObject(h, &log));
    EXPECT_EQ(log.lfEscapement, 900);
    EXPECT_EQ(log.lfOrientation, 0);
    EXPECT_EQ(log.lfHeight, -12);
    EXPECT_EQ(log.lfWeight, 700);
    EXPECT_TRUE(log.lfUnderline);
    EXPECT_FALSE(log.lfItalic);
    EXPECT_EQ(log.lfCharSet, 1); // always the default character set
    EXPECT_EQ(log.lfPitchAndFamily, gdi::FIXED_PITCH);
    EXPECT_EQ(log.lfFaceName, "Verdana");
    gdi::DeleteObject(h);

    EXPECT_TRUE(lu::FontIsTrueType(&font));
    gdi::SetRasterFontForTest("Verdana", true);
    framework::TFont raster;
    raster.SetName("Verdana");
    EXPECT_FALSE(lu::FontIsTrueType(&raster));
    gdi::ResetRasterFontsForTest();
}

struct RecordingDesigner : framework::IDesigner {
    int modified = 0;
    void Notification(framework::TComponent*, framework::TOperation) override {}
    void Modified() override { ++modified; }
};

// A component placed on a form as a control is.
struct Placed : framework::TComponent {
    explicit Placed(framework::TComponent* owner, framework::TComponent* parent)
        : TComponent(owner), m_parent(parent) {}
    framework::TComponent* GetParentComponent() const override { return m_parent; }
    framework::TComponent* m_parent;
};

TEST(DesignerNotify, OnlyWhileDesigning) {
    RecordingDesigner designer; // outlives the form, which reports its teardown to it
    framework::TCustomForm form(nullptr);
    form.SetDesigner(&designer);
    auto* panel = new Placed(&form, &form);
    auto* inner = new Placed(&form, panel);

    lu::NotifyDesignerModified(inner);
    EXPECT_EQ(designer.modified, 0); // run time

    form.SetDesigning(true);
    lu::NotifyDesignerModified(inner);
    EXPECT_EQ(designer.modified, 1);

    inner->IncludeState(framework::csLoading);
    lu::NotifyDesignerModified(inner);
    EXPECT_EQ(designer.modified, 1);
    inner->ExcludeState(framework::csLoading);

    Placed orphan(nullptr, nullptr);
    orphan.SetDesigning(true);
    lu::NotifyDesignerModified(&orphan);
    lu::NotifyDesignerModified(nullptr);
    EXPECT_EQ(designer.modified, 1);
}

} // namespace
