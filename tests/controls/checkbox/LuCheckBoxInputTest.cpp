// The check box driven as a person drives it: clicks, the space key, accelerators and Enter, the
// scripted user; its state set from code; its action, its frame controller and its form resource.

#include "controls/common/LuFrameController.h"
#include "platform/framework/ActnList.h"
#include "platform/framework/FormResources.h"
#include "platform/framework/MaskEdit.h"

#include "CheckBoxForm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace checkboxtest;
using lu::cbChecked;
using lu::cbGrayed;
using lu::cbUnchecked;
using lu::TCheckBoxState;

constexpr std::uint16_t KeyE = win::VK_A + 4;

class CheckBoxInput : public ButtonForm {
protected:
    void SetUp() override {
        ButtonForm::SetUp();
        edit = Add<TEdit>("Edit", TRect{200, 20, 300, 40});
        box = Add<TProbeBox>("Box", TRect{20, 20, 118, 36});
        box->SetCaption("项目信息");
        box->OnClick = [this](TObject* sender) {
            EXPECT_EQ(sender, box);
            clicks.push_back(box->State());
        };
        form->Show();
    }

    void ClickBox() { input::Click(At(box, 40, 8)); }

    TEdit* edit = nullptr;
    TProbeBox* box = nullptr;
    // The state at each OnClick.
    std::vector<TCheckBoxState> clicks;
};

TEST_F(CheckBoxInput, ClicksCycleThroughGrayedOnlyWhenAllowedAndClickOncePerChange) {
    const struct {
        bool allowGrayed;
        std::vector<TCheckBoxState> states;
    } cases[] = {
        {false, {cbChecked, cbUnchecked, cbChecked}},
        {true, {cbGrayed, cbChecked, cbUnchecked}},
    };
    for (const auto& c : cases) {
        box->SetState(cbUnchecked);
        clicks.clear();
        box->SetAllowGrayed(c.allowGrayed);
        for (int i = 0; i < 3; ++i)
            ClickBox();
        EXPECT_EQ(clicks, c.states) << "AllowGrayed " << c.allowGrayed;
        EXPECT_TRUE(box->Focused());
    }
    // A grayed box that may not be grayed goes on to checked.
    box->SetAllowGrayed(false);
    box->SetState(cbGrayed);
    clicks.clear();
    ClickBox();
    EXPECT_EQ(clicks, (std::vector<TCheckBoxState>{cbChecked}));
}

TEST_F(CheckBoxInput, ADisabledBoxIgnoresTheMouse) {
    edit->SetFocus();
    box->SetEnabled(false);
    ClickBox();
    input::DoubleClick(At(box, 5, 8));
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_TRUE(clicks.empty());
    EXPECT_TRUE(edit->Focused());
    box->SetEnabled(true);
    ClickBox();
    EXPECT_EQ(clicks, (std::vector<TCheckBoxState>{cbChecked}));
}

TEST_F(CheckBoxInput, CodeThatChangesTheStateClicksAndCodeThatKeepsItDoesNot) {
    box->SetChecked(true);
    box->SetChecked(true);
    box->SetState(cbGrayed);
    box->SetChecked(false);
    box->SetChecked(false);
    EXPECT_EQ(clicks, (std::vector<TCheckBoxState>{cbChecked, cbGrayed, cbUnchecked}));
}

TEST_F(CheckBoxInput, SpaceTogglesTheFocusedBoxOnItsRelease) {
    box->SetFocus();
    input::KeyDown(win::VK_SPACE);
    EXPECT_TRUE(box->Pressed());
    EXPECT_TRUE(clicks.empty());
    input::KeyUp(win::VK_SPACE);
    EXPECT_FALSE(box->Pressed());
    EXPECT_EQ(clicks, (std::vector<TCheckBoxState>{cbChecked}));

    // Escape between disarms the key.
    input::KeyDown(win::VK_SPACE);
    input::PressKey(win::VK_ESCAPE);
    EXPECT_FALSE(box->Pressed());
    input::KeyUp(win::VK_SPACE);
    EXPECT_EQ(clicks.size(), 1u);

    // The focus goes while the key is down: the pressed look goes with it, and the release elsewhere
    // toggles nothing.
    input::KeyDown(win::VK_SPACE);
    edit->SetFocus();
    EXPECT_FALSE(box->Pressed());
    input::KeyUp(win::VK_SPACE);
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_EQ(box->State(), cbChecked);

    // A handler that takes the key away leaves the box alone.
    box->SetFocus();
    box->OnKeyDown = [](TObject*, std::uint16_t& key, TShiftState) { key = 0; };
    input::PressKey(win::VK_SPACE);
    EXPECT_FALSE(box->Pressed());
}

TEST_F(CheckBoxInput, TheAcceleratorFocusesAndToggles) {
    box->SetCaption("&Export");
    auto* other = Add<TProbeBox>("Other", TRect{20, 60, 118, 76});
    other->SetCaption("&Extra");
    int otherClicks = 0;
    other->OnClick = [&](TObject*) { ++otherClicks; };
    edit->SetFocus();
    // The edit keeps the focus: the accelerator is spent on the first box all the same.
    edit->OnExit = [this](TObject*) { edit->SetFocus(); };
    input::PressKey(KeyE, {ssAlt});
    EXPECT_TRUE(edit->Focused());
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(otherClicks, 0);

    edit->OnExit = nullptr;
    input::PressKey(KeyE, {ssAlt});
    EXPECT_TRUE(box->Focused());
    EXPECT_EQ(clicks, (std::vector<TCheckBoxState>{cbChecked}));
    EXPECT_EQ(otherClicks, 0);
    // From the box itself a plain letter is its accelerator too.
    input::PressKey(KeyE);
    EXPECT_EQ(clicks, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked}));
}

TEST_F(CheckBoxInput, EnterMovesTheFocusOnWithTabOnEnter) {
    std::vector<char32_t> pressed;
    box->OnKeyPress = [&](TObject*, char32_t& key) { pressed.push_back(key); };
    box->SetTabOrder(0);
    box->SetFocus();
    input::PressKey(win::VK_RETURN);
    DispatchPostedMessages();
    EXPECT_TRUE(box->Focused());
    EXPECT_EQ(pressed, (std::vector<char32_t>{U'\r'}));

    pressed.clear();
    box->SetTabOnEnter(true);
    input::PressKey(win::VK_RETURN);
    DispatchPostedMessages();
    EXPECT_TRUE(edit->Focused());
    EXPECT_TRUE(pressed.empty());
    EXPECT_TRUE(clicks.empty());
}

TEST_F(CheckBoxInput, TheScriptedUserChecksAndUnchecksThroughClicks) {
    box->SetParent(nullptr);
    TForm dialog(nullptr);
    dialog.SetName("CheckDialog");
    dialog.SetBounds(100, 100, 300, 200);
    box->SetParent(&dialog);
    box->SetAllowGrayed(true);
    std::vector<TCheckBoxState> seen;
    ScriptedUser()
        .ScriptFor("CheckDialog")
        .Check("Box")
        .Do([&](TCustomForm&) { seen.push_back(box->State()); })
        .Check("Box", false)
        .Do([&](TCustomForm&) { seen.push_back(box->State()); })
        .Close();
    dialog.ShowModal();
    box->SetParent(form.get());
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked}));
    EXPECT_EQ(clicks, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    ScriptedUser().Reset();
}

TEST_F(CheckBoxInput, AnActionLinksItsCheckedWhileTheTwoAgree) {
    box->OnClick = nullptr;
    TAction action(form.get());
    int executed = 0;
    action.OnExecute = [&](TObject*) { ++executed; };
    action.SetChecked(true);
    box->SetAction(&action);
    EXPECT_TRUE(box->Checked());
    EXPECT_FALSE(box->IsCheckedStored());
    // Clicking runs the action.
    executed = 0;
    action.SetChecked(false);
    EXPECT_FALSE(box->Checked());
    ClickBox();
    EXPECT_TRUE(box->Checked());
    EXPECT_GE(executed, 1);
    // The box now differs from the action, so the stream keeps its own value; once they agree
    // again the action leads.
    EXPECT_TRUE(box->IsCheckedStored());
    action.SetChecked(true);
    EXPECT_FALSE(box->IsCheckedStored());
    action.SetChecked(false);
    EXPECT_FALSE(box->Checked());
    box->SetAction(nullptr);
}

TEST_F(CheckBoxInput, AVisibleFrameControllerGivesTheFrameAndDisabledColours) {
    auto* controller = new lu::TLuFrameController(form.get());
    controller->SetFrameColor(gdi::clMaroon);
    controller->SetDisabledColor(gdi::clSilver);
    box->SetFrameController(controller);
    EXPECT_EQ(box->FrameColor(), gdi::clBtnShadow);
    EXPECT_EQ(box->DisabledColor(), gdi::clBtnFace);
    controller->SetFrameVisible(true);
    EXPECT_EQ(box->FrameColor(), gdi::clMaroon);
    EXPECT_EQ(box->DisabledColor(), gdi::clSilver);
    controller->SetFrameColor(gdi::clNavy);
    EXPECT_EQ(box->FrameColor(), gdi::clNavy);

    // A box that goes unlinks itself; a controller that goes is forgotten.
    auto* gone = Add<TProbeBox>("Gone", TRect{20, 60, 118, 76});
    gone->SetFrameController(controller);
    EXPECT_EQ(controller->LinkedControls().size(), 2u);
    delete gone;
    EXPECT_EQ(controller->LinkedControls().size(), 1u);
    delete controller;
    EXPECT_EQ(box->FrameController(), nullptr);
}


TEST(CheckBoxResource, AModuleRowIsReadAndWrittenWithItsDefaults) {
    TForm row(nullptr);
    ReadComponentText(row, R"(object Row: TForm
  Color = 15790320
  object cSelectItem: TLuCheckBox
    Left = 61
    Top = 10
    Width = 98
    Height = 16
    AlignmentVertical = avCenter
    Caption = '项目信息'
    FrameColor = 8409372
    HighlightColor = 2203937
    HotTrackColor = 3983359
    HotTrackColorType = htctActual
    Flat = True
    State = cbGrayed
    AllowGrayed = True
  end
end
)",
                      "Row");
    auto* box = dynamic_cast<TLuCheckBox*>(row.FindComponent("cSelectItem"));
    ASSERT_NE(box, nullptr);
    // The obsolete Flat is hot tracking.
    EXPECT_TRUE(box->HotTrack());
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_TRUE(box->AllowGrayed());
    EXPECT_TRUE(box->TabStop());
    EXPECT_TRUE(box->ParentColor());
    EXPECT_EQ(box->Color(), gdi::TColor(15790320));
    EXPECT_EQ(box->AlignmentVertical(), lu::avCenter);
    EXPECT_EQ(box->HotTrackColorType(), lu::htctActual);

    const std::string text = WriteComponentText(row);
    EXPECT_NE(text.find("State = cbGrayed"), std::string::npos) << text;
    EXPECT_NE(text.find("HotTrack = True"), std::string::npos) << text;
    for (const char* unwritten : {"Flat", "Checked", "TabStop", "ParentColor", "TransparentColor", "Alignment ="})
        EXPECT_EQ(text.find(unwritten), std::string::npos) << unwritten << " in\n" << text;

    // A box left unchecked still writes its state; the size always.
    box->SetState(cbUnchecked);
    const std::string again = WriteComponentText(row);
    EXPECT_NE(again.find("State = cbUnchecked"), std::string::npos) << again;
    EXPECT_NE(again.find("Height = 16"), std::string::npos) << again;

    // Taking the glyph to the right is the other justification only.
    EXPECT_THROW(ReadComponentText(row, R"(object Row: TForm
  object Bad: TLuCheckBox
    Alignment = taCenter
  end
end
)",
                                   "Row"),
                 rtl::Exception);
}

} // namespace
