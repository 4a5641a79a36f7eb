// The check box's glyph, read back from the window: the library's bitmaps against their row
// tables, their colours in every look, the classic and themed glyphs, custom strips, the key
// colours, the glyph's place and the focus rectangle.

#include "controls/common/LuColorMath.h"

#include "CheckBoxForm.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace checkboxtest;
using lu::cbChecked;
using lu::cbGrayed;
using lu::cbUnchecked;
using lu::TCheckBoxState;
using TColor = gdi::TColor;

// The three bitmaps, row by row: F frame, L upper-left band, D lower-right band, W face, M mark.
const char* const RowTables[3][13] = {
    {"FFFFFFFFFFFFF", "FLLLLLLLLLLLF", "FLLLLLLLLLLDF", "FLLWWWWWWWDDF", "FLLWWWWWWWDDF", "FLLWWWWWWWDDF",
     "FLLWWWWWWWDDF", "FLLWWWWWWWDDF", "FLLWWWWWWWDDF", "FLLWWWWWWWDDF", "FLLDDDDDDDDDF", "FLDDDDDDDDDDF",
     "FFFFFFFFFFFFF"},
    {"FFFFFFFFFFFFF", "FLLLLLLLLLLLF", "FLLLLLLLLLLDF", "FLLWWWWWWMDDF", "FLLWWWWWMMDDF", "FLLMWWWMMMDDF",
     "FLLMMWMMMWDDF", "FLLMMMMMWWDDF", "FLLWMMMWWWDDF", "FLLWWMWWWWDDF", "FLLDDDDDDDDDF", "FLDDDDDDDDDDF",
     "FFFFFFFFFFFFF"},
    {"FFFFFFFFFFFFF", "FLLLLLLLLLLLF", "FLLLLLLLLLLDF", "FLLMMMMMMMDDF", "FLLMMMMMMMDDF", "FLLMMMMMMMDDF",
     "FLLMMMMMMMDDF", "FLLMMMMMMMDDF", "FLLMMMMMMMDDF", "FLLMMMMMMMDDF", "FLLDDDDDDDDDF", "FLDDDDDDDDDDF",
     "FFFFFFFFFFFFF"},
};
const char* const ResourceNames[3] = {"LUCOMMON_CHECKBOX_UNCHECKED", "LUCOMMON_CHECKBOX_CHECKED",
                                      "LUCOMMON_CHECKBOX_GRAYED"};

using KeyColors = std::map<char, TColor>;

// The differences between a 13 x 13 picture and a row table, one line each; empty when equal.
template <class PixelAt>
std::string CompareWithTable(const char* const (&rows)[13], const KeyColors& keys, PixelAt pixelAt) {
    std::ostringstream out;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x) {
            const gdi::COLORREF want = Rgb(keys.at(rows[y][x]));
            const gdi::COLORREF got = pixelAt(x, y);
            if (got != want)
                out << "(" << x << "," << y << ") " << rows[y][x] << ": " << std::hex << got << " not " << want
                    << std::dec << "\n";
        }
    return out.str();
}

TEST(CheckBoxBitmaps, TheLibraryResourcesHoldTheRowTables) {
    const KeyColors keys{{'F', gdi::RGB(128, 128, 128)},
                         {'L', gdi::RGB(255, 0, 255)},
                         {'D', gdi::RGB(255, 0, 0)},
                         {'W', gdi::RGB(255, 255, 255)},
                         {'M', gdi::RGB(0, 0, 255)}};
    for (int s = 0; s < 3; ++s) {
        TBitmap b;
        b.LoadFromResourceName(ResourceNames[s]);
        ASSERT_EQ(b.Width(), 13);
        ASSERT_EQ(b.Height(), 13);
        EXPECT_EQ(CompareWithTable(RowTables[s], keys,
                                   [&](int x, int y) { return Rgb(b.Canvas()->Pixels(x, y)); }),
                  "")
            << ResourceNames[s];
    }
}

class CheckBoxGlyph : public ButtonForm {
protected:
    void SetUp() override {
        ButtonForm::SetUp();
        form->SetColor(gdi::TColor(15790320));
        WizardFont(form->Font());
        other = Add<TProbeBox>("Other", TRect{200, 100, 300, 117});
        box = Add<TProbeBox>("Box", TRect{20, 20, 138, 36});
        box->SetCaption("项目信息");
        form->Show();
        input::MoveMouse(TPoint{0, 0});
    }

    std::string GlyphAgainst(TCheckBoxState state, const KeyColors& keys) {
        const TRect g = box->GlyphRect();
        return CompareWithTable(RowTables[state], keys,
                                [&](int x, int y) { return PixelOf(box, g.left + x, g.top + y); });
    }

    // The glyph's pixels, row by row.
    std::vector<gdi::COLORREF> GlyphPixels() {
        const TRect g = box->GlyphRect();
        std::vector<gdi::COLORREF> pixels;
        for (int y = g.top; y < g.bottom; ++y)
            for (int x = g.left; x < g.right; ++x)
                pixels.push_back(PixelOf(box, x, y));
        return pixels;
    }

    enum class Look { Normal, Hot, Pressed, Disabled };
    // Puts the box into the look through the mouse; call EndLook afterwards.
    void StartLook(Look look) {
        box->SetEnabled(look != Look::Disabled);
        const TPoint glyph = At(box, 6, 8);
        if (look == Look::Hot)
            input::MoveMouse(glyph);
        if (look == Look::Pressed)
            input::PressButton(mbLeft, glyph);
    }
    void EndLook(Look look) {
        // Released outside, a press changes nothing.
        if (look == Look::Pressed)
            input::ReleaseButton(mbLeft, At(box, -10, 8));
        input::MoveMouse(TPoint{0, 0});
        box->SetEnabled(true);
    }

    TProbeBox* box = nullptr;
    TProbeBox* other = nullptr;
};

TEST_F(CheckBoxGlyph, TheHotTrackingGlyphColoursItsBandsFaceAndMarkByLook) {
    WizardRowLook(box);
    box->SetDisabledColor(gdi::clSilver);
    const TColor frame = 8409372;
    const TColor mark = 2203937;
    // (255, 199, 60), of the actual type: the bands take it lightened and darkened by 30.
    const TColor light = lu::LightenColor(WizardHotTrackColor, 30);
    const TColor dark = lu::DarkenColor(WizardHotTrackColor, 30);
    const TColor down = lu::DarkenColor(gdi::clWindow, 20);
    const struct {
        Look look;
        KeyColors keys;
    } looks[] = {
        {Look::Normal,
         {{'F', frame}, {'L', gdi::clWindow}, {'D', gdi::clWindow}, {'W', gdi::clWindow}, {'M', mark}}},
        {Look::Hot, {{'F', frame}, {'L', light}, {'D', dark}, {'W', gdi::clWindow}, {'M', mark}}},
        {Look::Pressed, {{'F', frame}, {'L', down}, {'D', down}, {'W', down}, {'M', mark}}},
        {Look::Disabled,
         {{'F', frame}, {'L', gdi::clSilver}, {'D', gdi::clSilver}, {'W', gdi::clSilver}, {'M', gdi::clBtnShadow}}},
    };
    for (TCheckBoxState state : {cbUnchecked, cbChecked, cbGrayed})
        for (const auto& l : looks) {
            box->SetState(state);
            StartLook(l.look);
            EXPECT_EQ(GlyphAgainst(state, l.keys), "") << "state " << int(state) << " look " << int(l.look);
            EndLook(l.look);
            EXPECT_EQ(box->State(), state);
        }

    // The complementary type takes the hue turned half-way round at saturation 220 and luminance 180.
    box->SetHotTrackColorType(lu::htctComplement);
    box->SetState(cbUnchecked);
    StartLook(Look::Hot);
    const TColor complement = lu::HslToColorValue(lu::ComplementHue(lu::HueOfColor(WizardHotTrackColor)), 220, 180);
    EXPECT_EQ(GlyphAgainst(cbUnchecked, {{'F', frame},
                                         {'L', complement},
                                         {'D', lu::DarkenColor(complement, 30)},
                                         {'W', gdi::clWindow},
                                         {'M', mark}}),
              "");
    EndLook(Look::Hot);
}

TEST_F(CheckBoxGlyph, WithoutAFullColourScreenTheHotAndPressedLooksAreUnshaded) {
    WizardRowLook(box);
    gdi::SetLowColorScreenForTest(true);
    const KeyColors plain{
        {'F', 8409372}, {'L', gdi::clWindow}, {'D', gdi::clWindow}, {'W', gdi::clWindow}, {'M', 2203937}};
    for (Look look : {Look::Hot, Look::Pressed}) {
        box->Invalidate();
        StartLook(look);
        EXPECT_EQ(GlyphAgainst(cbUnchecked, plain), "") << int(look);
        EndLook(look);
    }
    gdi::SetLowColorScreenForTest(false);
}

TEST_F(CheckBoxGlyph, AMarkInAKeyColourIsMovedOneStepOff) {
    WizardRowLook(box);
    box->SetState(cbChecked);
    const struct {
        TColor highlight;
        gdi::COLORREF mark;
    } cases[] = {
        {gdi::clLime, gdi::RGB(1, 255, 0)},
        {gdi::clOlive, gdi::RGB(129, 128, 0)},
        {gdi::clGray, gdi::RGB(129, 128, 128)},
        {gdi::clNavy, gdi::RGB(0, 0, 128)},
    };
    const TRect g = box->GlyphRect();
    for (const auto& c : cases) {
        box->SetHighlightColor(c.highlight);
        // Row 3, column 9 of the checked glyph is the mark.
        EXPECT_EQ(PixelOf(box, g.left + 9, g.top + 3), c.mark) << std::hex << c.highlight;
    }
}

TEST_F(CheckBoxGlyph, WithoutHotTrackingTheClassicCheckBoxIsDrawn) {
    const struct {
        TCheckBoxState state;
        Look look;
        unsigned flags;
    } cases[] = {
        {cbUnchecked, Look::Normal, gdi::DFCS_BUTTONCHECK},
        {cbChecked, Look::Normal, gdi::DFCS_BUTTONCHECK | gdi::DFCS_CHECKED},
        {cbGrayed, Look::Normal, gdi::DFCS_BUTTONCHECK | gdi::DFCS_CHECKED | gdi::DFCS_BUTTON3STATE},
        {cbChecked, Look::Pressed, gdi::DFCS_BUTTONCHECK | gdi::DFCS_CHECKED | gdi::DFCS_PUSHED},
        {cbGrayed, Look::Disabled,
         gdi::DFCS_BUTTONCHECK | gdi::DFCS_CHECKED | gdi::DFCS_BUTTON3STATE | gdi::DFCS_INACTIVE},
        {cbUnchecked, Look::Hot, gdi::DFCS_BUTTONCHECK},
    };
    for (const auto& c : cases) {
        box->SetState(c.state);
        StartLook(c.look);
        TBitmap expected;
        expected.SetSize(13, 13);
        TRect r{0, 0, 13, 13};
        gdi::DrawFrameControl(expected.Canvas()->Handle(), &r, gdi::DFC_BUTTON, c.flags);
        std::vector<gdi::COLORREF> want;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x)
                want.push_back(Rgb(expected.Canvas()->Pixels(x, y)));
        EXPECT_EQ(GlyphPixels(), want) << std::hex << c.flags;
        EndLook(c.look);
    }
}

TEST_F(CheckBoxGlyph, ThemedTheVisualStyleDrawsTheStateOverTheParentsBackground) {
    gdi::ThemeServices& themes = gdi::GetThemeServices();
    themes.SetThemesEnabled(true);
    WizardRowLook(box);
    const Look looks[] = {Look::Normal, Look::Hot, Look::Pressed, Look::Disabled};
    int expectedState = gdi::CBS_UNCHECKEDNORMAL;
    for (TCheckBoxState state : {cbUnchecked, cbChecked, cbGrayed})
        for (Look look : looks) {
            box->SetState(state);
            UpdateAllWindows();
            StartLook(look);
            themes.ClearCalls();
            box->Invalidate();
            UpdateAllWindows();
            std::vector<std::string> calls;
            int drawn = 0;
            for (const gdi::ThemeCall& call : themes.Calls())
                if (call.details.className == "BUTTON" && call.details.part == gdi::BP_CHECKBOX) {
                    calls.push_back(call.call);
                    drawn = call.details.state;
                }
            EXPECT_EQ(calls, (std::vector<std::string>{"DrawParentBackground", "DrawElement"}));
            EXPECT_EQ(drawn, expectedState) << "state " << int(state) << " look " << int(look);

            TBitmap element;
            element.SetSize(13, 13);
            themes.DrawElement(element.Canvas()->Handle(), {"BUTTON", gdi::BP_CHECKBOX, drawn}, TRect{0, 0, 13, 13});
            const TRect g = box->GlyphRect();
            EXPECT_EQ(PixelOf(box, g.left + 6, g.top + 6), Rgb(element.Canvas()->Pixels(6, 6)));
            EXPECT_EQ(PixelOf(box, g.left, g.top), Rgb(element.Canvas()->Pixels(0, 0)));
            EndLook(look);
            ++expectedState;
        }
}

// Nine cells of one colour each: unchecked, checked, grayed, the same pressed, the same disabled.
void MakeStrip(TBitmap& strip, int cellWidth, int cellHeight) {
    strip.SetSize(9 * cellWidth, cellHeight);
    for (int i = 0; i < 9; ++i) {
        strip.Canvas()->Brush()->SetColor(gdi::RGB(20 * i + 10, 100, 200));
        strip.Canvas()->FillRect(TRect{i * cellWidth, 0, (i + 1) * cellWidth, cellHeight});
    }
}

TEST_F(CheckBoxGlyph, ACustomStripGivesTheCellOfTheStatePressedOrDisabled) {
    TBitmap strip;
    MakeStrip(strip, 13, 13);
    box->SetCustomGlyphs(&strip);
    EXPECT_TRUE(box->UseCustomGlyphs());
    EXPECT_EQ(box->GlyphWidth(), 13);
    EXPECT_EQ(box->GlyphHeight(), 13);
    const struct {
        TCheckBoxState state;
        Look look;
        int cell;
    } cases[] = {
        {cbUnchecked, Look::Normal, 0}, {cbChecked, Look::Normal, 1},   {cbGrayed, Look::Hot, 2},
        {cbUnchecked, Look::Pressed, 3}, {cbChecked, Look::Pressed, 4}, {cbGrayed, Look::Pressed, 5},
        {cbUnchecked, Look::Disabled, 6}, {cbChecked, Look::Disabled, 7}, {cbGrayed, Look::Disabled, 8},
    };
    for (const auto& c : cases) {
        box->SetState(c.state);
        StartLook(c.look);
        const TRect g = box->GlyphRect();
        EXPECT_EQ(PixelOf(box, g.left + 6, g.top + 6), gdi::RGB(20 * c.cell + 10, 100, 200)) << c.cell;
        EndLook(c.look);
    }

    // Another strip while custom glyphs are on brings its own cell size.
    TBitmap small;
    MakeStrip(small, 10, 10);
    box->SetCustomGlyphs(&small);
    EXPECT_EQ(box->GlyphWidth(), 10);
    EXPECT_EQ(box->GlyphHeight(), 10);
    box->SetState(cbGrayed);
    EXPECT_EQ(PixelOf(box, box->GlyphRect().left + 9, box->GlyphRect().top + 5), gdi::RGB(50, 100, 200));

    // An empty strip turns them off.
    TBitmap empty;
    box->SetCustomGlyphs(&empty);
    EXPECT_FALSE(box->UseCustomGlyphs());
    EXPECT_EQ(box->GlyphWidth(), 13);
    EXPECT_EQ(box->GlyphHeight(), 13);
}

TEST_F(CheckBoxGlyph, KeyColoursShowTheBackgroundTheWindowAndTheFrameBlended) {
    // Olive, lime and green side by side in every cell.
    TBitmap strip;
    strip.SetSize(9 * 13, 13);
    TCanvas* c = strip.Canvas();
    for (int x = 0; x < 9 * 13; x += 13) {
        c->Brush()->SetColor(gdi::clOlive);
        c->FillRect(TRect{x, 0, x + 4, 13});
        c->Brush()->SetColor(gdi::clLime);
        c->FillRect(TRect{x + 4, 0, x + 8, 13});
        c->Brush()->SetColor(gdi::clGreen);
        c->FillRect(TRect{x + 8, 0, x + 13, 13});
    }
    box->SetCustomGlyphs(&strip);
    box->SetFrameColor(gdi::clNavy);
    box->SetColor(gdi::clYellow);
    const TRect g = box->GlyphRect();
    auto keys = [&] {
        return std::vector<gdi::COLORREF>{PixelOf(box, g.left + 1, g.top + 5), PixelOf(box, g.left + 5, g.top + 5),
                                           PixelOf(box, g.left + 10, g.top + 5)};
    };
    EXPECT_EQ(keys(), (std::vector<gdi::COLORREF>{Rgb(gdi::clYellow), Rgb(gdi::clWindow),
                                                   Rgb(lu::MixColors(gdi::clNavy, gdi::clYellow, 128))}));

    form->SetColor(gdi::clTeal);
    box->SetTransparent(true);
    EXPECT_EQ(keys(), (std::vector<gdi::COLORREF>{Rgb(gdi::clTeal), Rgb(gdi::clWindow),
                                                   Rgb(lu::MixColors(gdi::clNavy, gdi::clTeal, 128))}));
    // The pressed look repaints from the cached background.
    input::PressButton(mbLeft, At(box, 6, 8));
    EXPECT_EQ(PixelOf(box, g.left + 1, g.top + 5), Rgb(gdi::clTeal));
    input::ReleaseButton(mbLeft, At(box, -10, 8));
}

TEST_F(CheckBoxGlyph, TheGlyphSitsAtTheSideAndHeightItIsAlignedTo) {
    box->SetHotTrack(true);
    box->SetFrameColor(gdi::clRed);
    const struct {
        lu::TAlignmentVertical vertical;
        lu::TLeftRight side;
        int height;
        TPoint topLeft;
    } cases[] = {
        {lu::avTop, framework::taRightJustify, 17, {0, 2}},
        {lu::avCenter, framework::taRightJustify, 16, {0, 1}},
        {lu::avCenter, framework::taRightJustify, 18, {0, 2}},
        {lu::avBottom, framework::taRightJustify, 20, {0, 5}},
        {lu::avTop, framework::taLeftJustify, 17, {105, 2}},
    };
    for (const auto& c : cases) {
        box->SetHeight(c.height);
        box->SetAlignmentVertical(c.vertical);
        box->SetAlignment(c.side);
        const TRect g = box->GlyphRect();
        EXPECT_EQ(g, (TRect{c.topLeft.x, c.topLeft.y, c.topLeft.x + 13, c.topLeft.y + 13}));
        EXPECT_EQ(PixelOf(box, g.left, g.top), Rgb(gdi::clRed));
        EXPECT_NE(PixelOf(box, g.left, g.top - 1), Rgb(gdi::clRed));
    }
}

TEST_F(CheckBoxGlyph, TheFocusRectangleFramesTheTrimmedCaptionOverTheFullHeight) {
    box->SetCaption(" Word ");
    box->SetHeight(17);
    box->SetFocus();
    TBitmap measure;
    measure.Canvas()->Font()->Assign(box->Font());
    const int w = measure.Canvas()->TextWidth("Word") + 3;
    const int left = 13 + 4;
    const gdi::COLORREF black = 0;
    EXPECT_EQ(PixelOf(box, left, 1), black);
    EXPECT_EQ(PixelOf(box, left + w - 1, 1), black);
    EXPECT_NE(PixelOf(box, left + w, 1), black);
    EXPECT_EQ(PixelOf(box, left + 1, 0), black);
    EXPECT_EQ(PixelOf(box, left + 1, 16), black);
    // Without the focus it is gone.
    other->SetFocus();
    EXPECT_NE(PixelOf(box, left, 1), black);
}

TEST_F(CheckBoxGlyph, APaintLeavesNoDrawingObjectBehind) {
    TBitmap strip;
    MakeStrip(strip, 13, 13);
    const struct {
        const char* source;
        std::function<void()> set;
    } sources[] = {
        {"classic", [] {}},
        {"hot tracking", [&] { box->SetHotTrack(true); }},
        {"themed", [] { gdi::GetThemeServices().SetThemesEnabled(true); }},
        {"custom", [&] { box->SetCustomGlyphs(&strip); }},
    };
    for (const auto& s : sources) {
        s.set();
        for (bool transparent : {false, true}) {
            box->SetTransparent(transparent);
            box->SetFocus();
            UpdateAllWindows();
            const int live = gdi::LiveObjectCount();
            box->Invalidate();
            UpdateAllWindows();
            input::PressButton(mbLeft, At(box, 6, 8));
            input::ReleaseButton(mbLeft, At(box, -10, 8));
            // The mouse's exit leaves the glyph to repaint.
            UpdateAllWindows();
            EXPECT_EQ(gdi::LiveObjectCount(), live) << s.source << (transparent ? ", transparent" : "");
        }
    }
}

} // namespace
