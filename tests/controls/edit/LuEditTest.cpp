// The library's single-line edit driven through synthetic input: typing to the maximum length,
// focus moves, colour states, the frame by state, alignment, invalid input and the drop button.

#include "EditForm.h"

#include "platform/framework/EditMask.h"
#include "platform/rtl/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace edittest;
using lu::TLuEdit;

class Edit : public EditForm {
protected:
    void SetUp() override {
        EditForm::SetUp();
        edit = Add<TLuEdit>("EdtName", TRect{8, 39, 285, 59});
        edit->SetFrameVisible(true);
        edit->SetMaxLength(50);
        other = Add<TLuEdit>("Other", TRect{8, 80, 285, 100});
        form->Show();
    }
    TLuEdit* edit = nullptr;
    TLuEdit* other = nullptr;
};

TEST_F(Edit, SixtyTypedCharactersLeaveFiftyWholeCodePoints) {
    // Latin letters come as keys; Chinese, an astral ideograph and an emoji as composed characters.
    std::string typed;
    // The fiftieth is an astral ideograph, and the first one refused an emoji.
    const char* pieces[] = {"包", "𠀀", "😀", "Z", "a", "文", "7", "件"};
    for (int i = 0; i < 60; ++i)
        typed += pieces[i % 8];
    ASSERT_EQ(rtl::Utf8ToCodePoints(typed).size(), 60u);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetFocus();
    input::TypeText(typed);
    const std::u32string kept = rtl::Utf8ToCodePoints(edit->Text());
    EXPECT_EQ(kept.size(), 50u);
    EXPECT_EQ(kept, rtl::Utf8ToCodePoints(typed).substr(0, 50));
    EXPECT_EQ(changes, 50);
    EXPECT_EQ(edit->SelStart(), 50);
    // Selections count code points too.
    input::PressKey(win::VK_LEFT, {ssShift});
    input::PressKey(win::VK_LEFT, {ssShift});
    EXPECT_EQ(edit->SelText(), "包𠀀");
}

TEST_F(Edit, TabAndShiftTabMoveTheFocusAndEnterTabsOnWhenAsked) {
    auto* memo = Add<lu::TLuMemo>("Memo", TRect{8, 110, 285, 180});
    auto* rich = Add<lu::TLuRichEdit>("Rich", TRect{8, 190, 285, 260});
    edit->SetFocus();
    input::PressKey(win::VK_TAB);
    EXPECT_TRUE(other->Focused());
    input::PressKey(win::VK_TAB);
    EXPECT_TRUE(memo->Focused());
    input::PressKey(win::VK_TAB);
    EXPECT_TRUE(rich->Focused());
    input::PressKey(win::VK_TAB, {ssShift});
    input::PressKey(win::VK_TAB, {ssShift});
    EXPECT_TRUE(other->Focused());

    // Enter goes on to the next control and inserts nothing; without TabOnEnter a memo breaks the line.
    other->SetTabOnEnter(true);
    memo->SetTabOnEnter(true);
    input::TypeText("ab\r");
    DispatchPostedMessages();
    EXPECT_TRUE(memo->Focused());
    EXPECT_EQ(other->Text(), "ab");
    input::TypeText("cd\r");
    DispatchPostedMessages();
    EXPECT_TRUE(rich->Focused());
    EXPECT_EQ(memo->Text(), "cd");
    memo->SetTabOnEnter(false);
    memo->SetFocus();
    input::PressKey(win::VK_END, {ssCtrl});
    input::TypeText("\re");
    EXPECT_EQ(memo->Text(), "cd\r\ne");
}

TEST_F(Edit, ColourStatesFollowFocusEnabledAndOutsideChanges) {
    // A focus colour never set apart follows Color; one set apart stays.
    edit->SetColor(gdi::clYellow);
    EXPECT_EQ(edit->FocusColor(), gdi::clYellow);
    other->SetFocusColor(gdi::clAqua);
    other->SetColor(gdi::clYellow);
    EXPECT_EQ(other->FocusColor(), gdi::clAqua);

    other->SetFocus();
    EXPECT_EQ(other->Color(), gdi::clAqua);
    edit->SetFocus();
    EXPECT_EQ(other->Color(), gdi::clYellow);
    // The colours the states set never become the normal colour.
    EXPECT_TRUE(other->IsColorStored());
    other->SetEnabled(false);
    EXPECT_EQ(other->Color(), gdi::clBtnFace);
    EXPECT_FALSE(other->IsColorStored());
    other->SetDisabledColor(gdi::clSilver);
    EXPECT_EQ(other->Color(), gdi::clSilver);
    other->SetEnabled(true);
    EXPECT_EQ(other->Color(), gdi::clYellow);

    // Read-only has no colour of its own.
    other->SetReadOnly(true);
    EXPECT_EQ(other->Color(), gdi::clYellow);

    // A colour taken from the parent is the normal colour from then on.
    other->SetParentColor(true);
    form->SetColor(0x336699);
    EXPECT_EQ(other->Color(), 0x336699);
    other->SetFocus();
    edit->SetFocus();
    EXPECT_EQ(other->Color(), 0x336699);
}

TEST_F(Edit, TheFrameShowsItsHotStyleWhileFocusedOrUnderTheMouse) {
    edit->SetFrameColor(gdi::clRed);
    edit->SetFrameHotColor(gdi::clBlue);
    EXPECT_EQ(WindowPixel(edit, 5, 0), Rgb(gdi::clRed));
    EXPECT_EQ(WindowPixel(edit, 5, 1), Rgb(gdi::clWindow));

    // Turning hot tracking on at run time shows the frame on all four sides.
    edit->SetFrameSides(lu::TSides{lu::sdTop});
    edit->SetFrameHotTrack(true);
    EXPECT_EQ(edit->FrameSides(), lu::sdAllSides);

    struct Case {
        bool focus;
        bool mouse;
        gdi::TColor ring0;
        gdi::TColor ring1;
    };
    const Case cases[] = {
        {false, false, gdi::clRed, gdi::clWindow},
        {true, false, gdi::clBlue, gdi::clBlue},
        {false, true, gdi::clBlue, gdi::clBlue},
        {true, true, gdi::clBlue, gdi::clBlue},
    };
    for (const Case& c : cases) {
        (c.focus ? edit : other)->SetFocus();
        input::MoveMouse(c.mouse ? AtClient(edit, 10, 5) : AtClient(form.get(), 400, 300));
        EXPECT_EQ(WindowPixel(edit, 5, 0), Rgb(c.ring0)) << c.focus << c.mouse;
        EXPECT_EQ(WindowPixel(edit, 5, 1), Rgb(c.ring1)) << c.focus << c.mouse;
    }

    // Without FrameVisible only the standard sunken edge shows; turning it on sets Ctl3D.
    other->SetCtl3D(false);
    EXPECT_EQ(WindowPixel(other, 5, 0), Rgb(gdi::clWindowFrame));
    other->SetFrameColor(gdi::clRed);
    other->SetFrameVisible(true);
    EXPECT_TRUE(other->Ctl3D());
    EXPECT_EQ(other->ClientWidth(), other->Width() - 4);
    EXPECT_EQ(WindowPixel(other, 5, 0), Rgb(gdi::clRed));
    other->SetFrameVisible(false);
    EXPECT_EQ(WindowPixel(other, 5, 0), Rgb(gdi::clBtnShadow));
    EXPECT_EQ(WindowPixel(other, 5, 1), Rgb(gdi::cl3DDkShadow));
}

TEST_F(Edit, OnAThemedDesktopTheFrameIsTheThemesUntilCustomFramingIsAsked) {
    gdi::GetThemeServices().SetThemesEnabled(true);
    edit->SetFrameColor(gdi::clRed);
    EXPECT_NE(WindowPixel(edit, 5, 0), Rgb(gdi::clRed));
    edit->SetFramingPreference(lu::fpCustomFraming);
    // At once, without waiting for painting.
    EXPECT_EQ(edit->Handle()->Pixels().Pixel(5, 0) & 0xFFFFFF, Rgb(gdi::clRed));
    edit->SetFrameColor(gdi::clLime);
    edit->SetFramingPreference(lu::fpXPThemes);
    EXPECT_EQ(edit->Handle()->Pixels().Pixel(5, 0) & 0xFFFFFF, Rgb(gdi::clLime));
}

TEST_F(Edit, RightAlignmentPlacesTheTextAtTheRightEdge) {
    edit->SetText("名称");
    other->SetText("名称");
    other->SetAlignment(taRightJustify);
    EXPECT_EQ(other->GetControlsAlignment(), taRightJustify);
    EXPECT_TRUE(other->Handle()->Style() & win::ES_RIGHT);
    EXPECT_THROW(other->SetAlignment(taCenter), rtl::ERangeError);
    UpdateAllWindows();
    auto inkColumns = [](TLuEdit* e) {
        std::vector<int> columns;
        const TPoint o = e->ClientOrigin();
        TRect w;
        GetWindowRect(e->Handle(), &w);
        for (int x = 0; x < e->ClientWidth(); ++x)
            for (int y = 0; y < e->ClientHeight(); ++y)
                if ((e->Handle()->Pixels().Pixel(o.x - w.left + x, o.y - w.top + y) & 0xFFFFFF) != 0xFFFFFF) {
                    columns.push_back(x);
                    break;
                }
        return columns;
    };
    const std::vector<int> left = inkColumns(edit), right = inkColumns(other);
    ASSERT_FALSE(left.empty());
    ASSERT_FALSE(right.empty());
    EXPECT_LT(left.front(), 4);
    EXPECT_LT(left.back(), other->ClientWidth() / 2);
    EXPECT_GT(right.front(), other->ClientWidth() / 2);
    EXPECT_GT(right.back(), other->ClientWidth() - 5);
    // A click left of right-aligned text puts the caret before it.
    input::Click(AtClient(other, 5, 5));
    EXPECT_EQ(other->SelStart(), 0);
    input::Click(AtClient(other, other->ClientWidth() - 2, 5));
    EXPECT_EQ(other->SelStart(), 2);

    // Enter in right-aligned text is swallowed only on platform version 4.0.
    int enters = 0;
    other->OnKeyPress = [&](TObject*, char32_t& key) { enters += key == 13; };
    input::PressKey(win::VK_RETURN);
    SetPlatformVersion(4, 0);
    input::PressKey(win::VK_RETURN);
    EXPECT_EQ(enters, 1);
}

TEST_F(Edit, InvalidInputAsksTheHandlerBeepsAndRaisesItsMessage) {
    edit->SetEditMask("000;1;_");
    std::string answer = "请输入三位数字";
    int asked = 0;
    edit->OnInvalidInput = [&](TObject* sender, std::string& message) {
        EXPECT_EQ(sender, edit);
        EXPECT_EQ(message, "");
        ++asked;
        message = answer;
    };
    edit->SetFocus();
    input::TypeText("12");
    try {
        other->SetFocus();
        FAIL() << "the text was accepted";
    } catch (const EDBEditError& e) {
        EXPECT_STREQ(e.what(), "请输入三位数字");
    }
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(DialogService().Beeps(), std::vector<unsigned>{0});
    EXPECT_TRUE(edit->Focused());

    // An empty answer leaves it to the mask edit's own error, without a beep.
    answer.clear();
    EXPECT_THROW(other->SetFocus(), EDBEditError);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(DialogService().Beeps().size(), 1u);
}

class DropButton : public EditForm {
protected:
    void SetUp() override {
        EditForm::SetUp();
        drop = Add<TDropEdit>("Drop", TRect{20, 20, 200, 41});
        drop->SetDropButtonVisible(true);
        drop->SetText("abc");
        other = Add<TLuEdit>("Other", TRect{20, 60, 200, 81});
        drop->OnDropOpen = [this](TObject*) { Log("open"); };
        drop->OnDropClose = [this](TObject*) { Log("close"); };
        drop->OnClick = [this](TObject*) { log.push_back("click"); };
        drop->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("down"); };
        form->Show();
        other->SetFocus();
    }
    void Log(const std::string& what) {
        log.push_back(what + (drop->DropButtonState() == lu::dbsDown ? " pressed" : " up") +
                      (GetCapture() == drop->Handle() ? " captured" : "") +
                      (drop->DroppedDown() ? " dropped" : ""));
    }
    // The middle of the button, in window coordinates.
    TPoint Button() const { return AtWindow(drop, drop->Width() - 10, drop->Height() / 2); }

    TDropEdit* drop = nullptr;
    TLuEdit* other = nullptr;
    std::vector<std::string> log;
};

TEST_F(DropButton, IsCarvedOutOfTheNonClientAreaWithItsOwnHitTestAndCursor) {
    const int w = gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
    EXPECT_EQ(drop->ClientRect(), (TRect{0, 0, drop->Width() - 4 - w, drop->Height() - 4}));
    const struct {
        TPoint window;
        LRESULT hit;
        bool overButton;
        int cursor;
    } cases[] = {
        {{10, 10}, win::HTCLIENT, false, crIBeam},
        {{drop->Width() - 10, 10}, win::HTCLIENT, true, crDefault},
        {{drop->Width() - 2 - w, 3}, win::HTCLIENT, true, crDefault},
        {{drop->Width() - 3 - w, 3}, win::HTCLIENT, false, crIBeam},
        {{drop->Width() - 1, 10}, win::HTBORDER, false, crDefault},
        {{5, 0}, win::HTBORDER, false, crDefault},
    };
    for (const auto& c : cases) {
        const TPoint p = AtWindow(drop, c.window.x, c.window.y);
        EXPECT_EQ(drop->Perform(win::WM_NCHITTEST, 0, PointToLParam(p)), c.hit)
            << c.window.x << "," << c.window.y;
        input::MoveMouse(p);
        EXPECT_EQ(drop->MouseOverButton(), c.overButton) << c.window.x << "," << c.window.y;
        EXPECT_EQ(CurrentCursor(), c.cursor) << c.window.x << "," << c.window.y;
    }

    // In right-to-left reading the button is at the left edge.
    drop->SetBiDiMode(bdRightToLeft);
    drop->RecreateWnd();
    EXPECT_EQ(drop->Perform(win::WM_NCHITTEST, 0, PointToLParam(AtWindow(drop, 10, 10))), win::HTCLIENT);
    EXPECT_TRUE(drop->MouseOverButton());
    EXPECT_EQ(drop->ClientOrigin().x, AtWindow(drop, 2 + w, 0).x);
}

TEST_F(DropButton, AClickOnTheButtonIsOnePressThatRunsTheDropEvents) {
    drop->SetFocus();
    drop->SetSelStart(1);
    input::Click(Button());
    EXPECT_EQ(log,
              (std::vector<std::string>{"open pressed captured dropped", "close pressed captured dropped"}));
    EXPECT_TRUE(drop->Focused());
    EXPECT_EQ(drop->DropButtonState(), lu::dbsUp);
    EXPECT_FALSE(drop->DroppedDown());
    EXPECT_EQ(GetCapture(), nullptr);
    // The mask edit never saw the press: the caret stays and no click is reported.
    EXPECT_EQ(drop->SelStart(), 1);
    EXPECT_EQ(drop->SelLength(), 0);

    // A double click presses twice; a right press does nothing; Alt+Down drops from the keyboard.
    log.clear();
    input::DoubleClick(Button());
    EXPECT_EQ(log.size(), 4u);
    log.clear();
    input::Click(Button(), mbRight);
    EXPECT_TRUE(log.empty());
    input::PressKey(win::VK_DOWN, {ssAlt});
    EXPECT_EQ(log,
              (std::vector<std::string>{"open pressed captured dropped", "close pressed captured dropped"}));
    // The keyboard drop gives the mouse back when it ends: the next click reaches the control
    // under the mouse.
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(drop->DropButtonState(), lu::dbsUp);
    int otherClicks = 0;
    other->OnClick = [&](TObject*) { ++otherClicks; };
    input::Click(AtClient(other, 5, 5));
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(otherClicks, 1);
    other->OnClick = nullptr;
    drop->SetFocus();

    // A press on the text is the mask edit's.
    log.clear();
    input::Click(AtClient(drop, 2, 5));
    EXPECT_EQ(log, (std::vector<std::string>{"down", "click"}));
    EXPECT_EQ(drop->SelStart(), 0);
}

TEST_F(DropButton, AFailingDropEventLeavesTheButtonUsable) {
    drop->OnDropClose = [](TObject*) { throw rtl::Exception("no list"); };
    EXPECT_THROW(input::PressButton(mbLeft, Button()), rtl::Exception);
    EXPECT_FALSE(drop->DroppedDown());
    EXPECT_EQ(drop->DropButtonState(), lu::dbsDown);
    input::ReleaseButton(mbLeft, Button());
    EXPECT_EQ(drop->DropButtonState(), lu::dbsUp);
    EXPECT_EQ(GetCapture(), nullptr);
    // From the keyboard there is no button release to come: the failed drop ends at once.
    drop->SetFocus();
    EXPECT_THROW(input::PressKey(win::VK_DOWN, {ssAlt}), rtl::Exception);
    EXPECT_FALSE(drop->DroppedDown());
    EXPECT_EQ(drop->DropButtonState(), lu::dbsUp);
    EXPECT_EQ(GetCapture(), nullptr);
}

// A flat button at rest on a themed desktop is the edit's colour with the themed chevron on it,
// in the ink of the theme's own drop button, which stands out from a white edit.
TEST_F(DropButton, AThemedFlatButtonAtRestDrawsItsChevronInTheThemesArrowInk) {
    gdi::GetThemeServices().SetThemesEnabled(true);
    drop->SetFlatButtons(true);
    drop->RecreateWnd();
    input::MoveMouse(AtClient(form.get(), 400, 300));
    ASSERT_FALSE(drop->Focused());
    const int w = gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
    const gdi::COLORREF arrowInk = 0x85614D; // 77, 97, 133
    int ink = 0, other = 0;
    for (int y = 1; y < drop->Height() - 1; ++y)
        for (int x = drop->Width() - 1 - w; x < drop->Width() - 1; ++x) {
            const gdi::COLORREF p = WindowPixel(drop, x, y);
            if (p == arrowInk)
                ++ink;
            else if (p != Rgb(gdi::clWindow))
                ++other;
        }
    EXPECT_GE(ink, 20);
    EXPECT_EQ(other, 0);
}

TEST_F(DropButton, PaintsClassicFlatAndThemedLooksByState) {
    const int live = gdi::LiveObjectCount();
    const int w = gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
    const int left = drop->Width() - 2 - w;
    // Classic: the combo-box frame control, raised.
    EXPECT_EQ(WindowPixel(drop, left + 1, 3), Rgb(gdi::clBtnHighlight));

    // Flat: the edit's colour until the mouse or the focus comes, then a raised bevel.
    drop->SetColor(0xCCFFFF);
    drop->SetFlatButtons(true);
    EXPECT_EQ(WindowPixel(drop, left, 3), 0xCCFFFFu);
    input::MoveMouse(Button());
    EXPECT_EQ(WindowPixel(drop, left, 3), Rgb(gdi::clBtnHighlight));
    EXPECT_EQ(WindowPixel(drop, left + 2, 3), Rgb(gdi::clBtnFace));
    drop->SetDropButtonState(lu::dbsDown);
    EXPECT_EQ(WindowPixel(drop, left, 3), Rgb(gdi::clBtnShadow));
    drop->SetDropButtonState(lu::dbsUp);
    input::MoveMouse(AtClient(form.get(), 400, 300));
    EXPECT_EQ(WindowPixel(drop, left, 3), 0xCCFFFFu);
    // Painting keeps no drawing object beyond the call.
    EXPECT_LE(gdi::LiveObjectCount(), live);

    // Themed: the combo-box element in the state of the moment.
    gdi::GetThemeServices().SetThemesEnabled(true);
    drop->SetFlatButtons(false);
    drop->RecreateWnd();
    EXPECT_EQ(drop->ClientWidth(), drop->Width() - 4 - (w - 1));
    auto lastState = [] {
        int state = 0;
        for (const gdi::ThemeCall& c : gdi::GetThemeServices().Calls())
            if (c.details.className == "COMBOBOX")
                state = c.details.state;
        return state;
    };
    UpdateAllWindows();
    EXPECT_EQ(lastState(), gdi::CBXS_NORMAL);
    input::MoveMouse(Button());
    EXPECT_EQ(lastState(), gdi::CBXS_HOT);
    int pressed = 0;
    drop->OnDropOpen = [&](TObject*) { pressed = lastState(); };
    input::Click(Button());
    EXPECT_EQ(pressed, gdi::CBXS_PRESSED);
    drop->SetEnabled(false);
    UpdateAllWindows();
    EXPECT_EQ(lastState(), gdi::CBXS_DISABLED);
}

} // namespace
