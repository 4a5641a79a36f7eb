#include "LabelTestForm.h"

#include "platform/rtl/Utf8.h"

#include <cmath>
#include <numbers>

namespace {

using framework::TBitmap;
using framework::TRect;
using gdi::CallLogEntry;
using lutest::Rgb;

int Rnd(double v) {
    return static_cast<int>(std::lrint(v));
}

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

struct Metrics {
    int th; // height of "Pp"
    int tw; // width of the caption
};

Metrics Measure(framework::TFont* font, const std::string& caption) {
    TBitmap b;
    b.SetSize(1, 1);
    b.Canvas()->SetFont(font);
    return Metrics{b.Canvas()->TextHeight("Pp"), b.Canvas()->TextWidth(caption)};
}

class LabelRotation : public lutest::LabelTest {};

// A 200 x 120 label turned flat by each angle, in each alignment: the text output's anchor, its
// alignment, its font and escapement, and the clip to the text rectangle.
TEST_F(LabelRotation, FlatTextIsAnchoredByAngleAndAlignment) {
    auto* label = AddLabel("Tarnwick", TRect{10, 20, 210, 140});
    Show();
    const Metrics m = Measure(label->Font(), "Tarnwick");
    const int cx = 100, cy = 60, W = 200, H = 120;
    const double q = m.th / 4.0;
    auto across = [&](int angle) { return cx - Rnd(q * std::cos(Radians(angle + 90))); };
    using framework::taCenter;
    using framework::taLeftJustify;
    using framework::taRightJustify;
    const unsigned baseline = gdi::TA_BASELINE;
    const struct {
        int angle;
        framework::TAlignment alignment;
        gdi::POINT anchor;
        unsigned align;
    } cases[] = {
        {0, taLeftJustify, {0, cy - m.th / 2}, gdi::TA_LEFT | gdi::TA_TOP},
        {0, taCenter, {cx, cy - m.th / 2}, gdi::TA_CENTER | gdi::TA_TOP},
        {0, taRightJustify, {W - m.tw, cy - m.th / 2}, gdi::TA_LEFT | gdi::TA_TOP},
        // Upward from the bottom; centred, the middle of the text sits on the centre.
        {90, taLeftJustify, {cx + Rnd(q), H}, baseline},
        {90, taCenter, {cx + Rnd(q), H - (H - m.tw) / 2}, baseline},
        {90, taRightJustify, {cx + Rnd(q), m.tw}, baseline},
        {180, taLeftJustify, {W, cy - m.th / 4}, baseline},
        {180, taCenter, {W - (W - m.tw) / 2, cy - m.th / 4}, baseline},
        {180, taRightJustify, {m.tw, cy - m.th / 4}, baseline},
        // Downward from the top.
        {270, taLeftJustify, {cx - Rnd(q), 0}, baseline},
        {270, taCenter, {cx - Rnd(q), (H - m.tw) / 2}, baseline},
        {270, taRightJustify, {cx - Rnd(q), H - m.tw}, baseline},
        // Any other angle: the middle of the text on the centre, a quarter height across.
        {45, taLeftJustify, {across(45), cy + Rnd(q * std::sin(Radians(135)))}, baseline | gdi::TA_CENTER},
        {123, taRightJustify, {across(123), cy + Rnd(q * std::sin(Radians(213)))}, baseline | gdi::TA_CENTER},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("angle " + std::to_string(c.angle) + " alignment " + std::to_string(c.alignment));
        label->SetAlignment(c.alignment);
        label->SetRotation(lu::roFlat);
        label->SetAngle(c.angle);
        const std::vector<CallLogEntry> drawn = TextDrawings(PaintLogged(label));
        ASSERT_EQ(drawn.size(), 1u);
        const CallLogEntry& e = drawn[0];
        EXPECT_EQ(e.call, "ExtTextOut");
        EXPECT_EQ(e.text, "Tarnwick");
        EXPECT_EQ(e.position, c.anchor);
        EXPECT_EQ(e.align, c.align);
        EXPECT_EQ(e.face, "Arial");
        EXPECT_EQ(e.height, -20);
        EXPECT_EQ(e.escapement, c.angle * 10);
        EXPECT_EQ(e.flags, gdi::ETO_CLIPPED);
        EXPECT_EQ(e.rect, (TRect{0, 0, W, H}));
        EXPECT_EQ(e.color, Rgb(gdi::clWindowText));
        label->SetRotation(lu::roNone);
    }
}

// Shadowed flat text: the shadow half the depth down and right, the text half the depth up and
// left; raised text moves its clip with each layer.
TEST_F(LabelRotation, FlatTextStylesOffsetTheirLayers) {
    auto* label = AddLabel("Tarnwick", TRect{0, 0, 200, 120});
    label->SetAngle(90);
    label->SetTextStyle(lu::tsShadow);
    label->SetShadowDepth(4);
    label->SetShadowColor(gdi::RGB(0, 0, 200));
    Show();
    const Metrics m = Measure(label->Font(), "Tarnwick");
    const int x = 100 + Rnd(m.th / 4.0);
    const int y = 120 - 2; // left alignment: the bottom less the half depth
    std::vector<CallLogEntry> drawn = TextDrawings(PaintLogged(label));
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].position, (gdi::POINT{x + 2, y + 2}));
    EXPECT_EQ(drawn[0].color, gdi::RGB(0, 0, 200));
    EXPECT_EQ(drawn[1].position, (gdi::POINT{x - 2, y - 2}));
    EXPECT_EQ(drawn[1].color, Rgb(gdi::clWindowText));
    for (const CallLogEntry& e : drawn) {
        EXPECT_EQ(e.escapement, 900);
        EXPECT_EQ(e.rect, (TRect{0, 0, 200, 120}));
    }

    label->SetTextStyle(lu::tsRaised);
    label->SetHighlightColor(gdi::RGB(250, 250, 0));
    drawn = TextDrawings(PaintLogged(label));
    ASSERT_EQ(drawn.size(), 3u);
    const int yRaised = 120; // no shadow: the bottom itself
    EXPECT_EQ(drawn[0].position, (gdi::POINT{x + 1, yRaised + 1}));
    EXPECT_EQ(drawn[0].rect, (TRect{1, 1, 201, 121}));
    EXPECT_EQ(drawn[0].color, gdi::RGB(0, 0, 200));
    EXPECT_EQ(drawn[1].position, (gdi::POINT{x - 1, yRaised - 1}));
    EXPECT_EQ(drawn[1].rect, (TRect{-1, -1, 199, 119}));
    EXPECT_EQ(drawn[1].color, gdi::RGB(250, 250, 0));
    EXPECT_EQ(drawn[2].position, (gdi::POINT{x, yRaised}));
    EXPECT_EQ(drawn[2].rect, (TRect{0, 0, 200, 120}));

    // Disabled: embossed in the system colours, whatever the style.
    label->SetEnabled(false);
    drawn = TextDrawings(PaintLogged(label));
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].position, (gdi::POINT{x + 1, yRaised + 1}));
    EXPECT_EQ(drawn[0].rect, (TRect{0, 0, 200, 120}));
    EXPECT_EQ(drawn[0].color, Rgb(gdi::clBtnHighlight));
    EXPECT_EQ(drawn[1].position, (gdi::POINT{x, yRaised}));
    EXPECT_EQ(drawn[1].color, Rgb(gdi::clBtnShadow));
}

// Curved text: one output per code point along the ellipse, each turned with its position.
TEST_F(LabelRotation, CurvedTextLaysEachCharacterAlongTheEllipse) {
    form->Font()->SetName("宋体");
    form->Font()->SetHeight(-16);
    auto* label = AddLabel("环形文字", TRect{0, 0, 200, 160});
    label->SetBorderWidth(5);
    label->SetRotation(lu::roCurve);
    label->SetAngle(10);
    ASSERT_EQ(label->Rotation(), lu::roCurve);
    Show();
    TBitmap b;
    b.SetSize(1, 1);
    b.Canvas()->SetFont(label->Font());
    const int h = b.Canvas()->TextHeight("Yy");
    const int w = b.Canvas()->TextWidth("w");
    // Centre point: the middle; radii half the size less twice the border width.
    const int cx = 100, cy = 80, rx = 100 - 10, ry = 80 - 10;
    const std::vector<CallLogEntry> drawn = TextDrawings(PaintLogged(label));
    const std::u32string text = U"环形文字";
    ASSERT_EQ(drawn.size(), text.size());
    double theta = Radians(10);
    for (std::size_t i = 0; i < text.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(drawn[i].call, "TextOut");
        EXPECT_EQ(drawn[i].text, rtl::CodePointsToUtf8(text.substr(i, 1)));
        EXPECT_EQ(drawn[i].position,
                  (gdi::POINT{cx - Rnd(std::sin(theta) * (rx - h)), cy - Rnd(std::cos(theta) * (ry - h))}));
        EXPECT_EQ(drawn[i].escapement, Rnd(theta * 1800 / std::numbers::pi));
        EXPECT_EQ(drawn[i].align, gdi::TA_BASELINE | gdi::TA_CENTER);
        EXPECT_EQ(drawn[i].face, "宋体");
        theta -= (w + 2) / double(rx);
    }
    // Clockwise: the start 10 degrees left of the top, then on round the top to the right.
    EXPECT_LT(drawn[0].position.x, cx);
    EXPECT_GT(drawn[3].position.x, cx);
    EXPECT_LT(drawn[3].escapement, 0);

    // A disabled curved label keeps its style layers under the embossed characters.
    label->SetTextStyle(lu::tsRecessed);
    label->SetEnabled(false);
    const std::vector<CallLogEntry> disabled = TextDrawings(PaintLogged(label));
    ASSERT_EQ(disabled.size(), 4 * text.size());
    const gdi::POINT p = drawn[0].position;
    const std::vector<std::pair<gdi::POINT, gdi::COLORREF>> expected = {
        {{p.x + 1, p.y + 1}, Rgb(gdi::clBtnHighlight)}, // recessed: highlight behind
        {{p.x - 1, p.y - 1}, Rgb(gdi::clBtnShadow)},
        {{p.x + 1, p.y + 1}, Rgb(gdi::clBtnHighlight)}, // embossed
        {{p.x, p.y}, Rgb(gdi::clBtnShadow)},
    };
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(disabled[k].position, expected[k].first) << k;
        EXPECT_EQ(disabled[k].color, expected[k].second) << k;
    }
}

TEST_F(LabelRotation, CurvedTextWithoutAHorizontalRadiusDrawsOnlyTheBackground) {
    auto* label = AddLabel("abc", TRect{0, 0, 10, 40});
    label->SetBorderWidth(5); // upper-left centre point: radius 10 - 2 x 5 = 0
    label->SetBorderColor(gdi::RGB(0, 128, 0));
    label->SetRotation(lu::roCurve);
    label->SetCenterPoint(lu::cpUpperLeft);
    Show();
    EXPECT_TRUE(TextDrawings(PaintLogged(label)).empty());
    TBitmap shot;
    framework::RenderForm(*form, shot);
    EXPECT_EQ(shot.Canvas()->Pixels(5, 20), gdi::RGB(0, 128, 0));
}

// Fonts made for turned text belong to the canvas font: painting again frees the last ones.
TEST_F(LabelRotation, TurnedFontsDoNotAccumulate) {
    auto* curved = AddLabel("环形文字", TRect{0, 0, 200, 160});
    curved->SetRotation(lu::roCurve);
    auto* flat = AddLabel("Tarnwick", TRect{200, 0, 400, 160});
    flat->SetAngle(45);
    Show();
    curved->Repaint();
    flat->Repaint();
    const int live = gdi::LiveObjectCount();
    for (int i = 0; i < 3; ++i) {
        curved->Repaint();
        flat->Repaint();
    }
    EXPECT_EQ(gdi::LiveObjectCount(), live);
}

} // namespace
