#include "LabelTestForm.h"

#include "platform/framework/FormResources.h"
#include "platform/framework/MaskEdit.h"

#include <cmath>
#include <functional>
#include <numbers>

namespace {

using framework::TBitmap;
using framework::TRect;
using gdi::CallLogEntry;
using lutest::Rgb;

class LabelText : public lutest::LabelTest {};

struct Layer {
    gdi::POINT at; // the text rectangle's top left
    gdi::COLORREF color;
};

std::vector<Layer> Layers(const std::vector<CallLogEntry>& drawn) {
    std::vector<Layer> layers;
    for (const CallLogEntry& e : drawn)
        layers.push_back(Layer{e.position, e.color});
    return layers;
}

bool operator==(const Layer& a, const Layer& b) {
    return a.at == b.at && a.color == b.color;
}

void PrintTo(const Layer& l, std::ostream* os) {
    *os << "(" << l.at.x << ", " << l.at.y << ") #" << std::hex << l.color;
}

TEST_F(LabelText, StylesDrawTheirLayersUnderTheText) {
    auto* label = AddLabel("Tarnwick", TRect{0, 0, 160, 40});
    label->SetFont(form->Font());
    label->Font()->SetColor(gdi::RGB(200, 0, 0));
    label->SetHighlightColor(gdi::RGB(255, 255, 0));
    label->SetShadowColor(gdi::RGB(0, 0, 255));
    label->SetShadowDepth(3);
    Show();
    const gdi::COLORREF red = gdi::RGB(200, 0, 0), yellow = gdi::RGB(255, 255, 0), blue = gdi::RGB(0, 0, 255);
    const struct {
        lu::TTextStyle style;
        bool light;
        bool enabled;
        std::vector<Layer> layers;
    } cases[] = {
        {lu::tsNormal, false, true, {{{0, 0}, red}}},
        {lu::tsRaised, false, true, {{{1, 1}, blue}, {{-1, -1}, yellow}, {{0, 0}, red}}},
        {lu::tsRaised, true, true, {{{-1, -1}, yellow}, {{0, 0}, red}}},
        {lu::tsRecessed, false, true, {{{1, 1}, yellow}, {{-1, -1}, blue}, {{0, 0}, red}}},
        {lu::tsRecessed, true, true, {{{1, 1}, yellow}, {{0, 0}, red}}},
        {lu::tsShadow, false, true, {{{3, 3}, blue}, {{0, 0}, red}}},
        // Disabled: embossed in the system colours, whatever the style.
        {lu::tsShadow, false, false, {{{1, 1}, Rgb(gdi::clBtnHighlight)}, {{0, 0}, Rgb(gdi::clBtnShadow)}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.style) + (c.light ? " light" : "") + (c.enabled ? "" : " disabled"));
        label->SetTextStyle(c.style);
        label->SetLightTextStyle(c.light);
        label->SetEnabled(c.enabled);
        const std::vector<CallLogEntry> drawn = TextDrawings(PaintLogged(label));
        EXPECT_EQ(Layers(drawn), c.layers);
        for (const CallLogEntry& e : drawn) {
            EXPECT_EQ(e.call, "DrawText");
            EXPECT_EQ(e.text, "Tarnwick");
            EXPECT_EQ(e.escapement, 0);
            EXPECT_EQ(e.flags, gdi::DT_EXPANDTABS | gdi::DT_LEFT);
        }
    }
}

TEST_F(LabelText, LayoutPlacesTheTextAndTheShadowStaysInside) {
    auto* label = AddLabel("Tarnwick", TRect{0, 0, 160, 60});
    label->SetBorderWidth(4);
    Show();
    TBitmap b;
    b.SetSize(1, 1);
    b.Canvas()->SetFont(label->Font());
    const int lineHeight = b.Canvas()->TextHeight("Tarnwick");
    // The text rectangle is inset by the border width; Layout moves it down by what the text
    // leaves of the height less the border width.
    const int room = 60 - 4 - (4 + lineHeight);
    const struct {
        framework::TTextLayout layout;
        framework::TAlignment alignment;
        lu::TTextStyle style;
        std::vector<gdi::POINT> at;
    } cases[] = {
        {framework::tlTop, framework::taLeftJustify, lu::tsNormal, {{4, 4}}},
        {framework::tlCenter, framework::taLeftJustify, lu::tsNormal, {{4, 4 + room / 2}}},
        {framework::tlBottom, framework::taLeftJustify, lu::tsNormal, {{4, 4 + room}}},
        // A shadow at the bottom or on the right is kept inside by moving the text off the edge.
        {framework::tlBottom, framework::taRightJustify, lu::tsShadow, {{4, 4 + room}, {2, 2 + room}}},
        {framework::tlTop, framework::taRightJustify, lu::tsShadow, {{4, 6}, {2, 4}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.layout) + " " + std::to_string(c.alignment) + " " +
                     std::to_string(c.style));
        label->SetLayout(c.layout);
        label->SetAlignment(c.alignment);
        label->SetTextStyle(c.style);
        std::vector<gdi::POINT> at;
        for (const CallLogEntry& e : TextDrawings(PaintLogged(label)))
            at.push_back(e.position);
        EXPECT_EQ(at, c.at);
    }
}

TEST_F(LabelText, BordersFrameTheLabelAndInsetTheText) {
    auto* label = AddLabel("Tarnwick", TRect{0, 0, 100, 50});
    label->SetBorderSides(lu::TSides{lu::sdLeft});
    label->SetBorderWidth(5);
    label->SetBorderColor(gdi::RGB(0, 160, 0));
    label->SetColor(gdi::RGB(255, 255, 255));
    Show();
    // The band is on the left only, yet the text keeps off all four edges.
    std::vector<CallLogEntry> drawn = TextDrawings(PaintLogged(label));
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].rect, (TRect{5, 5, 95, 45}));
    TBitmap shot;
    framework::RenderForm(*form, shot);
    EXPECT_EQ(shot.Canvas()->Pixels(0, 25), gdi::RGB(0, 160, 0));
    EXPECT_EQ(shot.Canvas()->Pixels(4, 25), gdi::RGB(0, 160, 0));
    EXPECT_EQ(shot.Canvas()->Pixels(5, 49), gdi::RGB(255, 255, 255));
    EXPECT_EQ(shot.Canvas()->Pixels(50, 0), gdi::RGB(255, 255, 255));

    // Outer and inner frames on all sides: each frame style takes its own width.
    label->SetBorderSides(lu::sdAllSides);
    label->SetBorderWidth(0);
    const struct {
        lu::TFrameStyle outer;
        lu::TFrameStyle inner;
        int bevelWidth;
        int inset;
    } cases[] = {
        {lu::fsFlat, lu::fsNone, 1, 1},     {lu::fsRaised, lu::fsLowered, 1, 4},
        {lu::fsGroove, lu::fsBump, 1, 4},   {lu::fsPopup, lu::fsStatus, 3, 6},
        {lu::fsButtonUp, lu::fsFlat, 1, 3}, {lu::fsFlatBold, lu::fsNone, 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.outer) + "/" + std::to_string(c.inner));
        label->SetBorderOuter(c.outer);
        label->SetBorderInner(c.inner);
        label->SetBevelWidth(c.bevelWidth);
        drawn = TextDrawings(PaintLogged(label));
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(drawn[0].rect, (TRect{c.inset, c.inset, 100 - c.inset, 50 - c.inset}));
    }

    // The popup frame is a bevel of BevelWidth rings in the label's border colours; a flat one
    // is one ring of FlatColor.
    label->SetBorderOuter(lu::fsPopup);
    label->SetBorderInner(lu::fsFlat);
    label->SetBevelWidth(2);
    label->SetBorderHighlight(gdi::RGB(255, 0, 0));
    label->SetBorderShadow(gdi::RGB(0, 0, 255));
    label->SetFlatColor(gdi::RGB(0, 200, 200));
    label->Repaint();
    framework::RenderForm(*form, shot);
    EXPECT_EQ(shot.Canvas()->Pixels(1, 40), gdi::RGB(255, 0, 0));
    EXPECT_EQ(shot.Canvas()->Pixels(98, 40), gdi::RGB(0, 0, 255));
    EXPECT_EQ(shot.Canvas()->Pixels(2, 40), gdi::RGB(0, 200, 200));
    EXPECT_EQ(shot.Canvas()->Pixels(3, 40), gdi::RGB(255, 255, 255));
}

TEST_F(LabelText, AutoSizeAddsBordersShadowAndTurn) {
    auto* label = AddLabel("Tarnwick", TRect{20, 10, 120, 40});
    TBitmap b;
    b.SetSize(1, 1);
    b.Canvas()->SetFont(label->Font());
    const int w = b.Canvas()->TextWidth("Tarnwick");
    const int h = b.Canvas()->TextHeight("Tarnwick");
    auto rnd = [](double v) { return static_cast<int>(std::lrint(v)); };
    const double c30 = std::cos(std::numbers::pi / 6), s30 = 0.5;
    const struct {
        const char* name;
        std::function<void(lu::TLuLabel*)> set;
        int width;
        int height;
    } cases[] = {
        {"plain", [](lu::TLuLabel*) {}, w, h},
        {"shadow", [](lu::TLuLabel* l) { l->SetTextStyle(lu::tsShadow); }, w + 2, h + 2},
        {"borders",
         [](lu::TLuLabel* l) {
             l->SetBorderOuter(lu::fsRaised);
             l->SetBorderWidth(3);
             l->SetBorderInner(lu::fsFlat);
         },
         w + 12, h + 12},
        // The bold flat frame is two rings wide.
        {"bold flat frame", [](lu::TLuLabel* l) { l->SetBorderOuter(lu::fsFlatBold); }, w + 4, h + 4},
        {"borders on two sides",
         [](lu::TLuLabel* l) {
             l->SetBorderOuter(lu::fsRaised);
             l->SetBorderSides(lu::TSides{lu::sdLeft, lu::sdBottom});
         },
         w + 2, h + 2},
        // The band shows on the left only, yet the text keeps off all four edges by its width.
        {"border width on the left",
         [](lu::TLuLabel* l) {
             l->SetBorderWidth(5);
             l->SetBorderSides(lu::TSides{lu::sdLeft});
         },
         w + 10, h + 10},
        {"turned 90", [](lu::TLuLabel* l) { l->SetAngle(90); }, h, w},
        {"turned 270 with shadow",
         [](lu::TLuLabel* l) {
             l->SetTextStyle(lu::tsShadow);
             l->SetShadowDepth(4);
             l->SetAngle(270);
         },
         h + 2, w + 2},
        {"turned 180", [](lu::TLuLabel* l) { l->SetAngle(180); }, w, h},
        {"turned 30", [](lu::TLuLabel* l) { l->SetAngle(30); }, rnd(w * c30 + h * s30),
         rnd(w * s30 + h * c30)},
        // Beyond a right angle the box is that of the turn past it: 120 is 30 past 90.
        {"turned 120", [](lu::TLuLabel* l) { l->SetAngle(120); }, rnd(w * s30 + h * c30),
         rnd(w * c30 + h * s30)},
        {"curved",
         [](lu::TLuLabel* l) {
             l->SetTextStyle(lu::tsShadow);
             l->SetRotation(lu::roCurve);
             l->SetAngle(30);
         },
         w, h},
    };
    Show();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto* l = AddLabel("Tarnwick", TRect{20, 10, 120, 40});
        c.set(l);
        l->SetAutoSize(true);
        EXPECT_EQ(l->Width(), c.width);
        EXPECT_EQ(l->Height(), c.height);
        // Curved characters are placed on the ellipse, not clipped to a text rectangle. A turned
        // shadow is left out: it is drawn a whole depth past where the text starts, and its box
        // gains half of it.
        const bool turnedShadow = l->Rotation() == lu::roFlat && l->TextStyle() == lu::tsShadow;
        if (l->Rotation() != lu::roCurve && !turnedShadow)
            ExpectAllInkShown(l);
        delete l;
    }

    // Right-justified, the right edge stays.
    label->SetAlignment(framework::taRightJustify);
    label->SetAutoSize(true);
    EXPECT_EQ(label->Left() + label->Width(), 120);
    EXPECT_EQ(label->Width(), w);
}

// Leaving a turn behind gives an auto-sized label its upright size again, whichever way the
// turn is left.
TEST_F(LabelText, AnAutoSizedLabelTakesItsUprightSizeWhenTheTurnEnds) {
    TBitmap b;
    b.SetSize(1, 1);
    auto* probe = AddLabel("Tarnwick", TRect{0, 0, 10, 10});
    b.Canvas()->SetFont(probe->Font());
    const int w = b.Canvas()->TextWidth("Tarnwick");
    const int h = b.Canvas()->TextHeight("Tarnwick");
    ASSERT_GT(w, h);
    const struct {
        const char* name;
        lu::TRotation leaveBy;
    } cases[] = {{"no rotation", lu::roNone}, {"flat again", lu::roFlat}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto* l = AddLabel("Tarnwick", TRect{20, 10, 120, 40});
        l->SetAutoSize(true);
        l->SetAngle(90);
        ASSERT_EQ(l->Width(), h);
        ASSERT_EQ(l->Height(), w);
        if (c.leaveBy == lu::roFlat)
            l->SetRotation(lu::roCurve);
        l->SetRotation(c.leaveBy);
        EXPECT_EQ(l->Angle(), 0);
        EXPECT_EQ(l->Width(), w);
        EXPECT_EQ(l->Height(), h);
        delete l;
    }
}

// A word-wrapped, auto-sized label keeps the size it found, however often it is adjusted again,
// and its lines stay within it: the borders take their room before the text is measured. Turned,
// it is drawn on one line, and sized so.
TEST_F(LabelText, AWrappedAutoSizedLabelWithBordersKeepsItsSize) {
    const struct {
        const char* name;
        lu::TFrameStyle outer;
        int borderWidth;
        lu::TSides sides;
        lu::TTextStyle style;
        int angle;
    } cases[] = {
        {"border width", lu::fsNone, 5, lu::sdAllSides, lu::tsNormal, 0},
        {"raised and a border width", lu::fsRaised, 3, lu::sdAllSides, lu::tsNormal, 0},
        {"border width on the left", lu::fsNone, 5, lu::TSides{lu::sdLeft}, lu::tsNormal, 0},
        {"border width and a shadow", lu::fsNone, 4, lu::sdAllSides, lu::tsShadow, 0},
        {"turned 45", lu::fsNone, 0, lu::sdAllSides, lu::tsNormal, 45},
        {"turned 90 with a border width", lu::fsNone, 3, lu::sdAllSides, lu::tsNormal, 90},
    };
    Show();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto* l = AddLabel("one two three four five six seven", TRect{20, 10, 101, 40});
        l->SetWordWrap(true);
        l->SetBorderOuter(c.outer);
        l->SetBorderWidth(c.borderWidth);
        l->SetBorderSides(c.sides);
        l->SetTextStyle(c.style);
        l->SetAngle(c.angle);
        l->SetAutoSize(true);
        const int width = l->Width();
        const int height = l->Height();
        for (int again = 0; again < 4; ++again) {
            l->SetAutoSize(true);
            l->Font()->SetColor(again % 2 == 0 ? gdi::clNavy : gdi::clBlack);
            EXPECT_EQ(l->Width(), width) << "adjustment " << again;
            EXPECT_EQ(l->Height(), height) << "adjustment " << again;
        }
        ExpectAllInkShown(l);
        if (c.angle == 0) {
            EXPECT_LE(width, 81);
            EXPECT_GT(height, 2 * l->Font()->Height() * -1) << "the caption wraps onto several lines";
        } else {
            l->SetWordWrap(false);
            EXPECT_EQ(l->Width(), width) << "the size of the unwrapped caption";
            EXPECT_EQ(l->Height(), height) << "the size of the unwrapped caption";
        }
        delete l;
    }
}

TEST_F(LabelText, AngleAndRotationKeepEachOtherConsistent) {
    auto* label = AddLabel("Tarnwick", TRect{0, 0, 100, 40});
    const struct {
        int set;
        int stored;
    } angles[] = {{-90, 270}, {450, 90}, {-450, 270}, {720, 0}, {359, 359}};
    for (const auto& a : angles) {
        label->SetRotation(lu::roNone);
        label->SetAngle(a.set);
        EXPECT_EQ(label->Angle(), a.stored) << a.set;
        EXPECT_EQ(label->Rotation(), a.stored == 0 ? lu::roNone : lu::roFlat) << a.set;
    }

    label->SetRotation(lu::roCurve);
    label->SetAngle(30);
    label->SetCenterPoint(lu::cpLowerRight);
    label->SetRotation(lu::roCurve);
    EXPECT_EQ(label->Angle(), 30);
    label->SetRotation(lu::roFlat);
    EXPECT_EQ(label->Angle(), 0);
    EXPECT_EQ(label->CenterPoint(), lu::cpCenter);
    label->SetRotation(lu::roCurve);
    label->SetAngle(30);
    label->SetCenterPoint(lu::cpLowerRight);
    label->SetRotation(lu::roNone);
    EXPECT_EQ(label->Angle(), 0);
    EXPECT_EQ(label->CenterPoint(), lu::cpLowerRight);
}

TEST_F(LabelText, OnlyOutlineFacesTurn) {
    gdi::SetRasterFontForTest("MS Sans Serif", true);
    auto* label = AddLabel("Tarnwick", TRect{0, 0, 100, 40});
    label->Font()->SetName("MS Sans Serif");
    label->SetAngle(45);
    EXPECT_EQ(label->Font()->Name(), "Verdana");
    EXPECT_EQ(label->Angle(), 45);

    // Going back to a raster face drops the angle, but the rotation stays flat.
    label->Font()->SetName("MS Sans Serif");
    EXPECT_EQ(label->Angle(), 0);
    EXPECT_EQ(label->Rotation(), lu::roFlat);
    label->SetRotation(lu::roCurve);
    EXPECT_EQ(label->Font()->Name(), "Verdana");

    // Read from a form, the face changes when loading ends, because the label is turned then.
    const char* text = "object F: TForm\n"
                       "  object L: TLuLabel\n"
                       "    Angle = 45\n"
                       "    Font.Name = 'MS Sans Serif'\n"
                       "    ParentFont = False\n"
                       "  end\n"
                       "end\n";
    framework::TForm loaded(nullptr);
    framework::ReadComponentText(loaded, text, "turned.form");
    auto* read = dynamic_cast<lu::TLuLabel*>(loaded.FindComponent("L"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Angle(), 45);
    EXPECT_EQ(read->Rotation(), lu::roFlat);
    EXPECT_EQ(read->Font()->Name(), "Verdana");
}

TEST_F(LabelText, TheAcceleratorUnderlinesOneWholeCharacter) {
    form->Font()->SetName("宋体");
    form->Font()->SetHeight(-12);
    auto* marked = AddLabel("&导出", TRect{0, 0, 60, 20});
    auto* plain = AddLabel("导出", TRect{0, 20, 60, 40});
    marked->SetColor(gdi::RGB(255, 255, 255));
    plain->SetColor(gdi::RGB(255, 255, 255));
    Show();
    TBitmap shot;
    framework::RenderForm(*form, shot);
    TBitmap b;
    b.SetSize(1, 1);
    b.Canvas()->SetFont(marked->Font());
    const int advance = b.Canvas()->TextWidth("导");
    // The two differ only in the underline: one row, across the whole advance of the first character.
    std::vector<std::pair<int, int>> differing;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            if (shot.Canvas()->Pixels(x, y) != shot.Canvas()->Pixels(x, y + 20))
                differing.push_back({x, y});
    ASSERT_FALSE(differing.empty());
    const int row = differing.front().second;
    for (const auto& [x, y] : differing) {
        EXPECT_EQ(y, row);
        EXPECT_LT(x, advance);
    }
    EXPECT_EQ(int(differing.size()), advance);

    // Without ShowAccelChar the "&" is text.
    marked->SetShowAccelChar(false);
    const std::vector<CallLogEntry> drawn = TextDrawings(PaintLogged(marked));
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_TRUE(drawn[0].flags & gdi::DT_NOPREFIX);
}

TEST_F(LabelText, AChineseAcceleratorFocusesTheLabelsControl) {
    auto* button = new framework::TButton(form.get());
    button->SetBounds(10, 200, 80, 24);
    button->SetParent(form.get());
    auto* edit = new framework::TMaskEdit(form.get());
    edit->SetBounds(100, 40, 120, 22);
    edit->SetParent(form.get());
    auto* label = AddLabel("名称(&名)：", TRect{10, 40, 90, 60});
    label->SetFocusControl(edit);
    auto* doubled = AddLabel("&&称", TRect{10, 70, 90, 90});
    doubled->SetFocusControl(edit);
    Show();
    button->SetFocus();
    framework::input::TypeText("称");
    EXPECT_TRUE(button->Focused());
    framework::input::TypeText("名");
    EXPECT_TRUE(edit->Focused());
}

} // namespace
