// One picture of bit buttons in every look and state, the wizard's buttons among them, and the
// standard kinds enabled and disabled. Each state is reached through real input on a stage form
// of its own and copied into the sheet.

#include "controls/button/LuBitBtn.h"

#include "platform/framework/ImgList.h"
#include "platform/framework/MaskEdit.h"

#include "ButtonForm.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "tests/support/Pictures.h"

namespace {

using namespace buttontest;
using lu::TLuBitBtn;

constexpr int ButtonWidth = 96;
constexpr int ButtonHeight = 28;
constexpr int CellWidth = 108;
constexpr int CellHeight = 40;
constexpr int LabelWidth = 120;

// The wizard's buttons: colour 15791348, highlight 16026986, hot tracking in 3983359.
void WizardLook(TLuBitBtn* b) {
    b->SetColor(gdi::TColor(15791348));
    b->SetHighlightColor(gdi::TColor(16026986));
    b->SetHotTrack(true);
    b->SetHotTrackColor(gdi::TColor(3983359));
}

enum class State { Normal, Hot, Pressed, Focused, Disabled, Default };
const char* const StateNames[] = {"normal", "hot", "pressed", "focused", "disabled", "default"};

struct Look {
    const char* name;
    bool themed;
    std::function<void(TLuBitBtn*, TCustomImageList*)> make;
};

class BitButtonPicture : public ::testing::Test {
protected:
    void SetUp() override {
        input::Reset();
        images = std::make_unique<TImageList>(nullptr);
        TBitmap next;
        next.LoadFromResourceName("NEXT_IMAGE");
        images->AddMasked(&next, gdi::clFuchsia);
        sheet.SetSize(LabelWidth + 11 * 86 + 12, 24 + 7 * CellHeight + 8);
        sheet.Canvas()->Brush()->SetColor(gdi::clWhite);
        sheet.Canvas()->FillRect(TRect{0, 0, sheet.Width(), sheet.Height()});
        sheet.Canvas()->Font()->SetName("Tahoma");
        sheet.Canvas()->Font()->SetSize(8);
    }
    void TearDown() override {
        input::Reset();
        gdi::GetThemeServices().SetThemesEnabled(false);
    }

    // A borderless stage at the screen's top left, in the wizard's font, with an edit that holds
    // the focus while the button does not.
    std::unique_ptr<TForm> Stage(int width, int height) {
        auto stage = std::make_unique<TForm>(nullptr);
        stage->SetBorderStyle(bsNone);
        stage->SetBounds(0, 0, width, height + 30);
        stage->Font()->SetName("宋体");
        stage->Font()->SetSize(9);
        auto* edit = new TEdit(stage.get());
        edit->SetName("Edit");
        edit->SetBounds(0, height + 4, 60, 20);
        edit->SetParent(stage.get());
        return stage;
    }

    TLuBitBtn* AddButton(TForm* stage, int x, int y) {
        auto* b = new TLuBitBtn(stage);
        b->SetBounds(x, y, ButtonWidth, ButtonHeight);
        b->SetParent(stage);
        return b;
    }

    void Label(int x, int y, const std::string& text) { sheet.Canvas()->TextOut(x, y, text); }

    // Copies the stage's area (0, 0, width, height) into the sheet at (x, y).
    void Shoot(TForm& stage, int width, int height, int x, int y, TBitmap* keep = nullptr) {
        TBitmap shot;
        RenderForm(stage, shot);
        sheet.Canvas()->CopyRect(TRect{x, y, x + width, y + height}, shot.Canvas(), TRect{0, 0, width, height});
        if (keep != nullptr) {
            keep->SetSize(width, height);
            keep->Canvas()->CopyRect(TRect{0, 0, width, height}, shot.Canvas(), TRect{0, 0, width, height});
        }
    }

    void ShootState(const Look& look, State state, int x, int y, TBitmap& keep) {
        input::Reset();
        input::MoveMouse(TPoint{900, 700});
        gdi::GetThemeServices().SetThemesEnabled(look.themed);
        std::unique_ptr<TForm> stage = Stage(CellWidth, CellHeight);
        stage->SetColor(gdi::clBtnFace);
        TLuBitBtn* b = AddButton(stage.get(), 6, 6);
        look.make(b, images.get());
        stage->Show();
        auto* edit = dynamic_cast<TEdit*>(stage->FindComponent("Edit"));
        edit->SetFocus();
        const TPoint centre = input::CentreOf(*b);
        switch (state) {
        case State::Normal:
            break;
        case State::Hot:
            input::MoveMouse(centre);
            break;
        case State::Pressed:
            input::PressButton(mbLeft, centre);
            break;
        case State::Focused:
            b->SetFocus();
            break;
        case State::Disabled:
            b->SetEnabled(false);
            break;
        case State::Default:
            b->SetDefault(true);
            break;
        }
        Shoot(*stage, CellWidth, CellHeight, x, y, &keep);
        if (state == State::Pressed) {
            // Let go outside, so that nothing is clicked.
            input::MoveMouse(TPoint{900, 700});
            input::ReleaseButton(mbLeft, TPoint{900, 700});
            EXPECT_FALSE(b->Down());
        }
        stage->Hide();
    }

    static bool Differ(TBitmap& a, TBitmap& b) {
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (a.Canvas()->Pixels(x, y) != b.Canvas()->Pixels(x, y))
                    return true;
        return false;
    }

    std::unique_ptr<TImageList> images;
    TBitmap sheet;
};

TEST_F(BitButtonPicture, EveryLookAndStateTheWizardButtonsAndTheKinds) {
    TBitmap build;
    build.LoadFromResourceName("BUILD_GLYPH");
    const std::vector<Look> looks = {
        {"wizard (flat, hot)", false,
         [](TLuBitBtn* b, TCustomImageList* list) {
             WizardLook(b);
             b->SetCaption("下一步");
             b->SetImages(list);
             b->SetImageIndex(0);
         }},
        {"classic", false,
         [](TLuBitBtn* b, TCustomImageList*) {
             b->SetKind(lu::bkOK);
             b->SetCaption("确定(&O)");
             // Its own column shows it as the default button.
             b->SetDefault(false);
         }},
        {"classic, coloured", false,
         [&build](TLuBitBtn* b, TCustomImageList*) {
             b->SetColor(gdi::TColor(15791348));
             b->SetCaption("建立(&P)");
             b->SetGlyph(&build);
         }},
        {"themed", true,
         [](TLuBitBtn* b, TCustomImageList*) {
             b->SetKind(lu::bkCancel);
             b->SetCaption("关闭(&C)");
         }},
    };
    for (int s = 0; s < 6; ++s)
        Label(LabelWidth + s * CellWidth + 8, 6, StateNames[s]);
    for (std::size_t row = 0; row < looks.size(); ++row) {
        const int y = 24 + static_cast<int>(row) * CellHeight;
        Label(6, y + 12, looks[row].name);
        std::vector<TBitmap> cells(6);
        for (int s = 0; s < 6; ++s)
            ShootState(looks[row], static_cast<State>(s), LabelWidth + s * CellWidth, y, cells[std::size_t(s)]);
        // Every state looks different from the normal one; only the flat and the themed look
        // have a hot one.
        const bool hasHotLook = row == 0 || looks[row].themed;
        for (int s = 1; s < 6; ++s)
            EXPECT_EQ(Differ(cells[0], cells[std::size_t(s)]), s != int(State::Hot) || hasHotLook)
                << looks[row].name << " " << StateNames[s];
    }

    // The standard kinds in the wizard's look, enabled and then disabled, and a latched pair.
    gdi::GetThemeServices().SetThemesEnabled(false);
    const int kindsTop = 24 + 4 * CellHeight;
    for (int disabled = 0; disabled < 2; ++disabled) {
        input::Reset();
        input::MoveMouse(TPoint{1200, 700});
        std::unique_ptr<TForm> stage = Stage(11 * 86, CellHeight);
        stage->SetColor(gdi::clBtnFace);
        for (int k = 0; k < lu::BitBtnKindCount; ++k) {
            TLuBitBtn* b = AddButton(stage.get(), 6 + k * 86, 6);
            b->SetWidth(80);
            WizardLook(b);
            b->SetKind(static_cast<lu::TBitBtnKind>(k));
            if (k == lu::bkCustom)
                b->SetCaption("Custom");
            b->SetEnabled(disabled == 0);
        }
        stage->Show();
        dynamic_cast<TEdit*>(stage->FindComponent("Edit"))->SetFocus();
        const int y = kindsTop + disabled * CellHeight;
        Label(6, y + 12, disabled ? "kinds, disabled" : "kinds");
        Shoot(*stage, 11 * 86, CellHeight, LabelWidth, y);
        stage->Hide();
    }
    {
        input::Reset();
        std::unique_ptr<TForm> stage = Stage(2 * CellWidth, CellHeight);
        stage->SetColor(gdi::clBtnFace);
        TLuBitBtn* flat = AddButton(stage.get(), 6, 6);
        WizardLook(flat);
        TLuBitBtn* classic = AddButton(stage.get(), 6 + CellWidth, 6);
        for (TLuBitBtn* b : {flat, classic}) {
            b->SetGroupIndex(1);
            b->SetAllowAllUp(true);
            b->SetCaption(b == flat ? "全部选择" : "预览");
        }
        stage->Show();
        dynamic_cast<TEdit*>(stage->FindComponent("Edit"))->SetFocus();
        input::Click(input::CentreOf(*flat));
        EXPECT_TRUE(flat->Down());
        classic->SetGroupIndex(2);
        input::Click(input::CentreOf(*classic));
        EXPECT_TRUE(classic->Down());
        input::MoveMouse(TPoint{1200, 700});
        const int y = kindsTop + 2 * CellHeight;
        Label(6, y + 12, "latched (GroupIndex)");
        Shoot(*stage, 2 * CellWidth, CellHeight, LabelWidth, y);
        stage->Hide();
    }

    EXPECT_TRUE(std::filesystem::exists(tests::SavePicture(sheet, "bit_buttons", 3)));
}

} // namespace
