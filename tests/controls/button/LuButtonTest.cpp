// The push button through real input: modal results, default and cancel keys, the space key,
// accelerators, latching groups; and its looks, pixel by pixel.

#include "controls/button/LuButton.h"

#include "controls/common/LuColorMath.h"
#include "controls/common/LuHotTrack.h"
#include "platform/framework/FormResources.h"
#include "platform/framework/MaskEdit.h"
#include "platform/framework/ScriptedUser.h"

#include "ButtonForm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace buttontest;
using lu::TLuButton;

class PushButton : public ButtonForm {
protected:
    TLuButton* AddButton(const std::string& name, TRect bounds, int* clicks = nullptr) {
        auto* b = Add<TLuButton>(name, bounds);
        b->SetCaption(name);
        if (clicks != nullptr)
            b->OnClick = [clicks](TObject*) { ++*clicks; };
        return b;
    }
};

TEST_F(PushButton, AClickSetsTheModalResultOfItsFormAndClosesAModalForm) {
    auto* ok = AddButton("Ok", {20, 20, 95, 45});
    ok->SetModalResult(mrOk);
    auto* apply = AddButton("Apply", {120, 20, 195, 45});
    int applied = 0;
    apply->OnClick = [&](TObject*) { ++applied; };
    form->SetName("ModalButtons");
    ScriptedUser().ScriptFor("ModalButtons").Click("Apply").Do([&](TCustomForm& f) {
        // A button without a modal result leaves the form open, its result still none.
        EXPECT_EQ(applied, 1);
        EXPECT_EQ(f.ModalResult(), mrNone);
    }).Click("Ok");
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(applied, 1);
    ScriptedUser().Reset();
}

TEST_F(PushButton, APressMovedOutsideAndReleasedThereDoesNotClick) {
    int clicks = 0;
    auto* b = AddButton("Ok", {20, 20, 95, 45}, &clicks);
    b->SetModalResult(mrOk);
    form->Show();
    input::PressButton(mbLeft, At(b, 10, 10));
    input::MoveMouse(At(b, 200, 10));
    input::ReleaseButton(mbLeft, At(b, 200, 10));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(form->ModalResult(), mrNone);
    // Moved back in before the release, it clicks.
    input::PressButton(mbLeft, At(b, 10, 10));
    input::MoveMouse(At(b, 200, 10));
    input::MoveMouse(At(b, 70, 20));
    input::ReleaseButton(mbLeft, At(b, 70, 20));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form->ModalResult(), mrOk);
}

TEST_F(PushButton, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
    int okClicks = 0, cancelClicks = 0, otherClicks = 0;
    auto* edit = Add<TEdit>("Edit", {20, 80, 120, 100});
    auto* ok = AddButton("Ok", {20, 20, 95, 45}, &okClicks);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = AddButton("Cancel", {120, 20, 195, 45}, &cancelClicks);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    auto* other = AddButton("Other", {220, 20, 295, 45}, &otherClicks);
    form->Show();
    edit->SetFocus();

    EXPECT_TRUE(ok->ActsAsDefault());
    input::PressKey(win::VK_RETURN);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(form->ModalResult(), mrOk);
    input::PressKey(win::VK_RETURN, {ssShift});
    input::PressKey(win::VK_RETURN, {ssCtrl});
    EXPECT_EQ(okClicks, 1);

    input::PressKey(win::VK_ESCAPE);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_TRUE(edit->Focused());

    // With the focus on another push button, only that one is the default.
    other->SetFocus();
    EXPECT_TRUE(other->ActsAsDefault());
    EXPECT_FALSE(ok->ActsAsDefault());
    input::PressKey(win::VK_RETURN);
    EXPECT_EQ(otherClicks, 1);
    EXPECT_EQ(okClicks, 1);

    // Another default chosen while an edit has the focus takes over at once.
    edit->SetFocus();
    ok->SetDefault(false);
    other->SetDefault(true);
    EXPECT_FALSE(ok->ActsAsDefault());
    EXPECT_TRUE(other->ActsAsDefault());
    input::PressKey(win::VK_RETURN);
    EXPECT_EQ(otherClicks, 2);

    // A disabled default button does not click.
    other->SetEnabled(false);
    input::PressKey(win::VK_RETURN);
    EXPECT_EQ(otherClicks, 2);
}

TEST_F(PushButton, SpaceClicksTheFocusedButtonOnItsRelease) {
    int clicks = 0;
    auto* b = AddButton("Space", {20, 20, 95, 45}, &clicks);
    form->Show();
    b->SetFocus();
    input::KeyDown(win::VK_SPACE);
    EXPECT_EQ(clicks, 0);
    UpdateAllWindows();
    input::KeyUp(win::VK_SPACE);
    EXPECT_EQ(clicks, 1);

    // With Alt held the key down shows nothing, but the button was armed before: the release
    // still clicks.
    input::KeyDown(win::VK_MENU);
    input::KeyDown(win::VK_SPACE);
    input::KeyUp(win::VK_SPACE);
    input::KeyUp(win::VK_MENU);
    EXPECT_EQ(clicks, 2);
}

TEST_F(PushButton, TheAcceleratorClicksWithoutMovingTheFocusOrTogglingDown) {
    int clicks = 0;
    auto* edit = Add<TEdit>("Edit", {20, 80, 120, 100});
    auto* retry = AddButton("Retry", {20, 20, 95, 45}, &clicks);
    retry->SetCaption("&Retry");
    retry->SetGroupIndex(1);
    retry->SetModalResult(mrRetry);
    form->Show();
    edit->SetFocus();
    input::PressKey(win::VK_A + ('r' - 'a'), {ssAlt});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form->ModalResult(), mrRetry);
    EXPECT_FALSE(retry->Down());
    EXPECT_TRUE(edit->Focused());
}

TEST_F(PushButton, GroupedButtonsLatchOneAtATime) {
    int clicks = 0;
    auto* a = AddButton("A", {20, 20, 95, 45}, &clicks);
    auto* b = AddButton("B", {120, 20, 195, 45}, &clicks);
    auto* plain = AddButton("Plain", {220, 20, 295, 45});
    a->SetGroupIndex(3);
    b->SetGroupIndex(3);
    a->SetModalResult(mrYes);
    form->Show();

    input::Click(input::CentreOf(*a));
    EXPECT_TRUE(a->Down());
    // A latched button of a group that does not allow all up stays down, and still clicks.
    form->SetModalResult(mrNone);
    input::Click(input::CentreOf(*a));
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(form->ModalResult(), mrYes);

    input::Click(input::CentreOf(*b));
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());

    // AllowAllUp passes to the group: the down button may now be released.
    b->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp());
    input::Click(input::CentreOf(*b));
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(a->Down());

    // A button going down releases the other and hands it its own AllowAllUp.
    b->SetDown(true);
    a->SetAllowAllUp(false);
    EXPECT_FALSE(b->AllowAllUp());
    a->SetDown(true);
    EXPECT_FALSE(b->Down());

    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
}

TEST_F(PushButton, FrameFlatOfOlderFormsIsReadAsHotTrackAndNeverWritten) {
    TForm f(nullptr);
    ReadComponentText(f,
                      "object OldForm: TForm\n"
                      "  object Old: TLuButton\n"
                      "    FrameFlat = True\n"
                      "  end\n"
                      "end\n",
                      "OldForm");
    auto* old = dynamic_cast<TLuButton*>(f.FindComponent("Old"));
    ASSERT_NE(old, nullptr);
    EXPECT_TRUE(old->HotTrack());
    EXPECT_TRUE(old->Transparent());
    const std::string text = WriteComponentText(f);
    EXPECT_EQ(text.find("FrameFlat"), std::string::npos) << text;
    EXPECT_NE(text.find("HotTrack = True"), std::string::npos) << text;
}

// Pixel tests of the looks on a 40 x 20 button.
class ButtonLooks : public PushButton {
protected:
    void SetUp() override {
        PushButton::SetUp();
        form->SetColor(gdi::clTeal);
        button = AddButton("Look", {20, 20, 60, 40});
        button->SetCaption("");
        edit = Add<TEdit>("Edit", {20, 80, 120, 100});
        form->Show();
        edit->SetFocus();
    }
    gdi::COLORREF Px(int x, int y) { return PixelOf(button, x, y); }
    std::vector<gdi::COLORREF> All() {
        std::vector<gdi::COLORREF> pixels;
        for (int y = 0; y < button->Height(); ++y)
            for (int x = 0; x < button->Width(); ++x)
                pixels.push_back(Px(x, y));
        return pixels;
    }
    TLuButton* button = nullptr;
    TEdit* edit = nullptr;
};

TEST_F(ButtonLooks, TheFlatOutlinesIncludeBothEndsOfEveryLine) {
    button->SetHotTrack(true);
    button->SetColor(gdi::RGB(200, 220, 240));
    const int R = 40, B = 20;
    const gdi::COLORREF dark = Rgb(lu::DarkenColor(gdi::clBtnFace, 20));
    const gdi::COLORREF light = Rgb(lu::LightenColor(gdi::clBtnFace, 20));
    const gdi::COLORREF ring = Rgb(lu::DarkenColor(button->Color(), 150));
    const gdi::COLORREF parent = Rgb(gdi::clTeal);
    const struct {
        int x, y;
        gdi::COLORREF expected;
        const char* what;
    } pixels[] = {
        // Outer ring: each edge runs from its first to its last pixel, both drawn.
        {0, 2, dark, "left edge, first"},
        {0, B - 3, dark, "left edge, last"},
        {0, B - 2, parent, "below the left edge"},
        {2, 0, dark, "top edge, first"},
        {R - 3, 0, dark, "top edge, last"},
        {R - 2, 0, parent, "right of the top edge"},
        {R - 1, 2, light, "right edge, first"},
        {R - 1, B - 3, light, "right edge, last"},
        {R - 1, B - 2, parent, "below the right edge"},
        {2, B - 1, light, "bottom edge, first"},
        {R - 3, B - 1, light, "bottom edge, last"},
        {R - 2, B - 1, parent, "right of the bottom edge"},
        {0, 0, parent, "corner"},
        {1, 0, parent, "corner"},
        {1, 1, dark, "corner pixel"},
        {R - 2, 1, dark, "corner pixel"},
        {1, B - 2, dark, "corner pixel"},
        {R - 2, B - 2, light, "corner pixel"},
        // Second ring, one in: both ends drawn, only its four corners left.
        {1, 2, ring, "second ring, left, first"},
        {1, B - 3, ring, "second ring, left, last"},
        {2, 1, ring, "second ring, top, first"},
        {R - 3, 1, ring, "second ring, top, last"},
        {R - 2, B - 3, ring, "second ring, right, last"},
        {R - 3, B - 2, ring, "second ring, bottom, last"},
        // The face: light rows at the top, dark ones at the bottom and the right.
        {2, 2, Rgb(lu::LightenColor(button->Color(), 20)), "face, first row"},
        {R - 3, 4, Rgb(lu::LightenColor(button->Color(), 10)), "face, third row, last"},
        {2, B - 3, Rgb(lu::DarkenColor(button->Color(), 30)), "face, bottom row"},
        {R - 3, B - 3, Rgb(lu::DarkenColor(button->Color(), 30)), "face, bottom row, last"},
        {R - 4, B - 5, Rgb(lu::DarkenColor(button->Color(), 10)), "face, inner dark column, lowest"},
        {R - 4, 5, Rgb(lu::DarkenColor(button->Color(), 10)), "face, inner dark column, highest"},
        {R - 3, 5, Rgb(lu::DarkenColor(button->Color(), 20)), "face, outer dark column, highest"},
        {R - 5, 5, Rgb(button->Color()), "face"},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(Px(p.x, p.y), p.expected) << p.what << " (" << p.x << ", " << p.y << ")";
}

TEST_F(ButtonLooks, HotTrackTonesLightenAndDarkenTheHotColour) {
    button->SetHotTrack(true);
    button->SetColor(gdi::RGB(244, 243, 240));
    const struct {
        lu::TLuHotTrackColorType type;
        gdi::TColor hotColor;
        gdi::TColor upperLeft;
        gdi::TColor lowerRight;
    } cases[] = {
        {lu::htctActual, gdi::TColor(3983359), lu::LightenColor(3983359, 30), lu::DarkenColor(3983359, 30)},
        // Hue 40 turns to 160; saturation 220, luminance 180.
        {lu::htctComplement, lu::HslToColorValue(40, 240, 120), lu::HslToColorValue(160, 220, 180),
         lu::DarkenColor(lu::HslToColorValue(160, 220, 180), 30)},
    };
    input::MoveMouse(At(button, 20, 10));
    for (const auto& c : cases) {
        button->SetHotTrackColorType(c.type);
        button->SetHotTrackColor(c.hotColor);
        button->Invalidate();
        // The outer bevel two pixels in, the inner one three.
        EXPECT_EQ(Px(2, 10), Rgb(c.upperLeft)) << int(c.type);
        EXPECT_EQ(Px(20, 2), Rgb(c.upperLeft)) << int(c.type);
        EXPECT_EQ(Px(37, 10), Rgb(c.lowerRight)) << int(c.type);
        EXPECT_EQ(Px(20, 17), Rgb(c.lowerRight)) << int(c.type);
        EXPECT_EQ(Px(3, 10), Rgb(lu::DarkenColor(c.upperLeft, 10))) << int(c.type);
        EXPECT_EQ(Px(36, 10), Rgb(lu::LightenColor(c.lowerRight, 10))) << int(c.type);
        EXPECT_EQ(Px(20, 10), Rgb(button->Color())) << int(c.type);
    }
}

TEST_F(ButtonLooks, TheMouseEnteringAndLeavingTurnsTheHotLookOnAndOff) {
    button->SetHotTrack(true);
    button->SetHotTrackColorType(lu::htctActual);
    button->SetHotTrackColor(gdi::TColor(3983359));
    const gdi::COLORREF hot = Rgb(lu::LightenColor(3983359, 30));
    const gdi::COLORREF normal = Px(2, 10);
    EXPECT_NE(normal, hot);
    input::MoveMouse(At(button, 20, 10));
    EXPECT_EQ(Px(2, 10), hot);
    input::MoveMouse(At(button, 20, 30));
    EXPECT_EQ(Px(2, 10), normal);
}

TEST_F(ButtonLooks, NoPaintDrawsWithAStrayPenWidth) {
    // Each look once: the classic default frame and border painters take the canvas pen as it
    // is, the flat look draws its own lines.
    const std::vector<std::function<void()>> looks = {
        [&] { button->SetDefault(true); },
        [&] {
            button->SetDefault(false);
            button->SetColor(gdi::RGB(200, 220, 240));
        },
        [&] { button->SetHotTrack(true); },
        [&] { button->SetEnabled(false); },
    };
    for (std::size_t i = 0; i < looks.size(); ++i) {
        button->Canvas()->Pen()->SetWidth(1);
        button->Canvas()->Pen()->SetStyle(psSolid);
        looks[i]();
        const std::vector<gdi::COLORREF> plain = All();
        button->Canvas()->Pen()->SetWidth(5);
        button->Canvas()->Pen()->SetStyle(psDot);
        button->Invalidate();
        EXPECT_EQ(All(), plain) << "look " << i;
        EXPECT_EQ(button->Canvas()->Pen()->Width(), 1);
    }
}

TEST_F(ButtonLooks, TheClassicDefaultFrameAndTheFocusRectangle) {
    const gdi::COLORREF frame = Rgb(gdi::clWindowFrame);
    EXPECT_NE(Px(0, 0), frame);
    button->SetDefault(true);
    EXPECT_EQ(Px(0, 0), frame);
    EXPECT_EQ(Px(39, 19), frame);
    EXPECT_EQ(Px(1, 1), Rgb(gdi::clBtnHighlight));

    // Focused: the dotted rectangle four pixels in (three in the flat look).
    button->SetFocus();
    EXPECT_EQ(Px(4, 5), gdi::RGB(0, 0, 0));
    EXPECT_NE(Px(4, 6), gdi::RGB(0, 0, 0));
    button->SetShowFocusRect(false);
    EXPECT_NE(Px(4, 5), gdi::RGB(0, 0, 0));
    button->SetShowFocusRect(true);
    button->SetHotTrack(true);
    EXPECT_EQ(Px(3, 4), gdi::RGB(0, 0, 0));

    // While the mouse holds it down the default frame is gone: the sunken border starts at the
    // edge.
    button->SetHotTrack(false);
    input::PressButton(mbLeft, At(button, 20, 10));
    EXPECT_EQ(Px(0, 0), Rgb(gdi::clBtnText));
    EXPECT_EQ(Px(1, 1), Rgb(gdi::clBtnShadow));
    EXPECT_EQ(Px(2, 2), Rgb(gdi::clBtnFace));
    input::ReleaseButton(mbLeft, At(button, 100, 10));
}

TEST_F(ButtonLooks, ALatchedButtonShowsTheCheckeredPattern) {
    button->SetGroupIndex(1);
    button->SetDown(true);
    EXPECT_EQ(Px(10, 10), Rgb(gdi::clSilver));
    EXPECT_EQ(Px(11, 10), Rgb(gdi::clBtnFace));
    button->SetColor(gdi::clSilver);
    EXPECT_EQ(Px(10, 10), Rgb(gdi::clGray));
    button->SetShowDownPattern(false);
    EXPECT_EQ(Px(10, 10), Rgb(gdi::clSilver));

    // Themed, the pattern covers the whole part.
    button->SetShowDownPattern(true);
    gdi::GetThemeServices().SetThemesEnabled(true);
    button->Invalidate();
    EXPECT_EQ(Px(0, 0), Rgb(gdi::clGray));
    EXPECT_EQ(Px(1, 0), Rgb(gdi::clSilver));
}

TEST_F(ButtonLooks, ThemedStatesFollowTheButton) {
    gdi::ThemeServices& themes = gdi::GetThemeServices();
    themes.SetThemesEnabled(true);
    auto state = [&] {
        themes.ClearCalls();
        button->Invalidate();
        UpdateAllWindows();
        for (const gdi::ThemeCall& call : themes.Calls())
            if (call.call == "DrawElement" && call.details.className == "BUTTON")
                return call.details.state;
        return 0;
    };
    EXPECT_EQ(state(), gdi::PBS_NORMAL);
    button->SetDefault(true);
    EXPECT_EQ(state(), gdi::PBS_DEFAULTED);
    input::MoveMouse(At(button, 20, 10));
    EXPECT_EQ(state(), gdi::PBS_HOT);
    input::PressButton(mbLeft, At(button, 20, 10));
    EXPECT_EQ(state(), gdi::PBS_PRESSED);
    input::ReleaseButton(mbLeft, At(button, 100, 10));
    button->SetEnabled(false);
    EXPECT_EQ(state(), gdi::PBS_DISABLED);
}

} // namespace

// Buttons start with TabStop on, so a form leaves it out and keeps TabStop = False.
TEST_F(PushButton, TabStopIsWrittenOnlyWhereItIsOff) {
    for (const char* className : {"TLuButton", "TLuBitBtn", "TLuCheckBox"}) {
        SCOPED_TRACE(className);
        TForm f(nullptr);
        f.SetName("F");
        auto* on = dynamic_cast<TWinControl*>(GetClassInfo(className).Create(&f));
        ASSERT_NE(on, nullptr);
        on->SetName("On");
        on->SetParent(&f);
        auto* off = dynamic_cast<TWinControl*>(GetClassInfo(className).Create(&f));
        off->SetName("Off");
        off->SetParent(&f);
        ASSERT_TRUE(on->TabStop());
        off->SetTabStop(false);
        const std::string text = WriteComponentText(f);
        EXPECT_EQ(text.find("TabStop = True"), std::string::npos) << text;
        EXPECT_NE(text.find("TabStop = False"), std::string::npos) << text;

        TForm again(nullptr);
        ReadComponentText(again, text, "written.form");
        EXPECT_TRUE(dynamic_cast<TWinControl*>(again.FindComponent("On"))->TabStop());
        EXPECT_FALSE(dynamic_cast<TWinControl*>(again.FindComponent("Off"))->TabStop());
    }
}
