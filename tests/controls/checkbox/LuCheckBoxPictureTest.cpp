// One picture of the export wizard's module-row box in every state, enabled and disabled, with
// and without the mouse over it, plain and themed. Each cell is reached through real input on a
// stage of its own and copied into the sheet; each is also checked for the look it shows: the
// glyph's frame, bands, face and mark, and a caption in ink or embossed.

#include "controls/common/LuColorMath.h"
#include "platform/framework/MaskEdit.h"

#include "CheckBoxForm.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include "tests/support/Pictures.h"

namespace {

using namespace checkboxtest;
using lu::TCheckBoxState;

constexpr int LabelWidth = 170;
constexpr int HeaderHeight = 22;
constexpr int CellWidth = 112;
constexpr int CellHeight = 28;
constexpr gdi::TColor RowColor = 15790320;

const char* const StateNames[] = {"unchecked", "checked", "grayed"};
const char* const Captions[] = {"项目信息", "项目资料", "系统人员"};

struct Row {
    bool themed;
    bool enabled;
    bool hot;
    std::string Name() const {
        return std::string(themed ? "themed" : "plain") + (enabled ? ", enabled" : ", disabled") +
               (hot ? ", hot" : "");
    }
};

// The colours a cell's glyph must show, by the areas of the library's check box bitmaps: the
// outer frame at (0, 0), the upper-left band at (1, 1), the lower-right band at (11, 11); inside,
// (5, 5) is marked only when grayed and (3, 6), the tick's left end, when checked or grayed.
struct GlyphLook {
    gdi::COLORREF frame;
    gdi::COLORREF upperLeft;
    gdi::COLORREF lowerRight;
    gdi::COLORREF face;
    gdi::COLORREF mark;
};

GlyphLook ExpectedLook(const Row& row) {
    if (row.themed) {
        // The stand-in theme's check box: a dark frame, a face lit while hot, a green mark; all
        // in pale grey while disabled.
        const gdi::COLORREF paleGrey = gdi::RGB(202, 200, 187);
        const gdi::COLORREF face = !row.enabled ? Rgb(gdi::clWhite)
                                   : row.hot    ? Rgb(gdi::RGB(255, 240, 207))
                                                : Rgb(gdi::clWhite);
        const gdi::COLORREF mark = row.enabled ? Rgb(gdi::RGB(33, 161, 33)) : Rgb(paleGrey);
        return {row.enabled ? Rgb(gdi::RGB(28, 81, 128)) : Rgb(paleGrey), face, face, face, mark};
    }
    // The hot-tracking bitmaps, mapped: the frame colour always; the bands light and dark while
    // the mouse is over an enabled box; the disabled colour and the shadow mark while disabled.
    const gdi::COLORREF frame = Rgb(gdi::TColor(8409372));
    if (!row.enabled)
        return {frame, Rgb(gdi::clBtnFace), Rgb(gdi::clBtnFace), Rgb(gdi::clBtnFace), Rgb(gdi::clBtnShadow)};
    const gdi::COLORREF light = row.hot ? Rgb(lu::LightenColor(WizardHotTrackColor, 30)) : Rgb(gdi::clWindow);
    const gdi::COLORREF dark = row.hot ? Rgb(lu::DarkenColor(WizardHotTrackColor, 30)) : Rgb(gdi::clWindow);
    return {frame, light, dark, Rgb(gdi::clWindow), Rgb(gdi::TColor(2203937))};
}

class CheckBoxPicture : public ::testing::Test {
protected:
    void TearDown() override {
        input::Reset();
        gdi::GetThemeServices().SetThemesEnabled(false);
    }

    // A cell: a stage in the module row's colour and font at the screen's top left, its box at
    // (6, 6), and below the shot an edit that holds the focus, so that no focus rectangle shows.
    void ShootCell(const Row& row, TCheckBoxState state, int x, int y) {
        input::Reset();
        input::MoveMouse(TPoint{900, 700});
        gdi::GetThemeServices().SetThemesEnabled(row.themed);
        auto stage = std::make_unique<TForm>(nullptr);
        stage->SetBorderStyle(bsNone);
        stage->SetBounds(0, 0, CellWidth, CellHeight + 30);
        stage->SetColor(RowColor);
        WizardFont(stage->Font());
        auto* box = new TLuCheckBox(stage.get());
        box->SetName("cSelectItem");
        box->SetBounds(6, 6, 98, 16);
        box->SetParent(stage.get());
        WizardRowLook(box);
        box->SetAllowGrayed(true);
        box->SetCaption(Captions[state]);
        auto* edit = new TEdit(stage.get());
        edit->SetBounds(0, CellHeight + 4, 60, 20);
        edit->SetParent(stage.get());
        stage->Show();
        // The box reaches its state through clicks, as the user's would.
        while (box->State() != state)
            input::Click(input::CentreOf(*box));
        input::MoveMouse(TPoint{900, 700});
        edit->SetFocus();
        box->SetEnabled(row.enabled);
        if (row.hot)
            input::MoveMouse(input::CentreOf(*box));
        TBitmap shot;
        RenderForm(*stage, shot);
        CheckCell(row, state, *box, shot);
        sheet.Canvas()->CopyRect(TRect{x, y, x + CellWidth, y + CellHeight}, shot.Canvas(),
                                 TRect{0, 0, CellWidth, CellHeight});
        stage->Hide();
    }

    void Label(int x, int y, const std::string& text) { sheet.Canvas()->TextOut(x, y, text); }

    static void CheckCell(const Row& row, TCheckBoxState state, const TLuCheckBox& box, TBitmap& shot) {
        SCOPED_TRACE(row.Name() + ", " + StateNames[state]);
        // The glyph sits at the box's left edge, centred in its height.
        const int gx = box.Left();
        const int gy = box.Top() + (box.Height() - 13) / 2;
        auto at = [&](int x, int y) { return Rgb(shot.Canvas()->Pixels(gx + x, gy + y)); };
        const GlyphLook look = ExpectedLook(row);
        EXPECT_EQ(at(0, 0), look.frame);
        EXPECT_EQ(at(1, 1), look.upperLeft);
        EXPECT_EQ(at(11, 11), look.lowerRight);
        EXPECT_EQ(at(5, 5), state == lu::cbGrayed ? look.mark : look.face);
        EXPECT_EQ(at(3, 6), state == lu::cbUnchecked ? look.face : look.mark);
        // The caption right of the glyph: in the font's ink while enabled, embossed in the
        // highlight and shadow colours without any ink while disabled.
        int ink = 0, shadow = 0, highlight = 0;
        for (int y = box.Top(); y < box.Top() + box.Height(); ++y)
            for (int x = box.Left() + 13 + 4; x < box.Left() + box.Width(); ++x) {
                const gdi::COLORREF p = Rgb(shot.Canvas()->Pixels(x, y));
                ink += p == Rgb(gdi::clWindowText);
                shadow += p == Rgb(gdi::clBtnShadow);
                highlight += p == Rgb(gdi::clBtnHighlight);
            }
        if (row.enabled) {
            EXPECT_GT(ink, 20);
        } else {
            EXPECT_EQ(ink, 0);
            EXPECT_GT(shadow, 20);
            EXPECT_GT(highlight, 20);
        }
    }

    TBitmap sheet;
};

TEST_F(CheckBoxPicture, EveryStateEnabledAndDisabledHotAndNotPlainAndThemed) {
    const Row rows[] = {
        {false, true, false}, {false, true, true}, {false, false, false}, {false, false, true},
        {true, true, false},  {true, true, true},  {true, false, false},  {true, false, true},
    };
    sheet.SetSize(LabelWidth + 3 * CellWidth + 8, HeaderHeight + 8 * CellHeight + 8);
    sheet.Canvas()->Brush()->SetColor(gdi::clWhite);
    sheet.Canvas()->FillRect(TRect{0, 0, sheet.Width(), sheet.Height()});
    sheet.Canvas()->Font()->SetName("Tahoma");
    sheet.Canvas()->Font()->SetSize(8);
    for (int s = 0; s < 3; ++s)
        Label(LabelWidth + s * CellWidth + 6, 4, StateNames[s]);
    for (int r = 0; r < 8; ++r) {
        const int y = HeaderHeight + r * CellHeight;
        Label(6, y + 8, rows[r].Name());
        for (int s = 0; s < 3; ++s)
            ShootCell(rows[r], TCheckBoxState(s), LabelWidth + s * CellWidth, y);
    }

    EXPECT_TRUE(std::filesystem::exists(tests::SavePicture(sheet, "check_boxes", 3)));
}

} // namespace
