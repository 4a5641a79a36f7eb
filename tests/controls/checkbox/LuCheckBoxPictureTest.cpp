// One picture of the export wizard's module-row box in every state, enabled and disabled, with
// and without the mouse over it, plain and themed. Each cell is reached through real input on a
// stage of its own and copied into the sheet.

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
        sheet.Canvas()->CopyRect(TRect{x, y, x + CellWidth, y + CellHeight}, shot.Canvas(),
                                 TRect{0, 0, CellWidth, CellHeight});
        stage->Hide();
    }

    void Label(int x, int y, const std::string& text) { sheet.Canvas()->TextOut(x, y, text); }

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
