// The button base driven through synthetic input: press tracking, mouse entry and exit, the
// caption's text styles and placement, focus and the transparent background.

#include "controls/button/LuCustomButton.h"

#include "ButtonForm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace buttontest;
using lu::TLuCustomButton;

// Counts what the base asks of a subclass; paints only the caption.
class TProbeButton : public TLuCustomButton {
public:
    using TLuCustomButton::TLuCustomButton;

    int toggles = 0;
    int paints = 0;
    int focusChanges = 0;
    // The pressed look at each UpdateDisplay.
    std::vector<bool> displayed;
    TRect captionRect{4, 4, 76, 26};
    unsigned format = gdi::DT_WORDBREAK | gdi::DT_EXPANDTABS | gdi::DT_CENTER;

    bool Inside() const { return MouseInside(); }
    bool Pressed() const { return PressedLook(); }

protected:
    void Toggle() override { ++toggles; }
    void UpdateDisplay() override { displayed.push_back(PressedLook()); }
    void FocusChanged() override {
        ++focusChanges;
        TLuCustomButton::FocusChanged();
    }
    void Paint() override {
        ++paints;
        DrawCaption(Canvas(), captionRect, format);
    }
};

class CustomButton : public ButtonForm {
protected:
    void SetUp() override {
        ButtonForm::SetUp();
        button = Add<TProbeButton>("Probe", TRect{20, 20, 100, 50});
        form->Show();
    }
    TProbeButton* button = nullptr;
};

TEST_F(CustomButton, PressTrackingFollowsTheMouseOutAndBackAndClicksOnlyInside) {
    EXPECT_EQ(button->Width(), 80);
    input::PressButton(mbLeft, At(button, 10, 10));
    EXPECT_TRUE(button->Focused());
    EXPECT_EQ(GetCapture(), button->Handle());
    input::MoveMouse(At(button, -5, 10));
    input::MoveMouse(At(button, 12, 8));
    input::ReleaseButton(mbLeft, At(button, 12, 8));
    EXPECT_EQ(button->toggles, 1);
    EXPECT_EQ(button->displayed, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(GetCapture(), nullptr);

    // Where a release counts as inside: the client area without its right and bottom edges.
    const struct {
        TPoint release;
        int toggles;
        std::vector<bool> displayed;
    } cases[] = {
        {{79, 29}, 1, {true, false}},
        {{80, 5}, 0, {true, false, false}},
        {{5, 30}, 0, {true, false, false}},
        {{-1, 5}, 0, {true, false, false}},
    };
    for (const auto& c : cases) {
        button->toggles = 0;
        button->displayed.clear();
        input::PressButton(mbLeft, At(button, 10, 10));
        input::ReleaseButton(mbLeft, At(button, c.release.x, c.release.y));
        EXPECT_EQ(button->toggles, c.toggles) << c.release.x << "," << c.release.y;
        EXPECT_EQ(button->displayed, c.displayed) << c.release.x << "," << c.release.y;
        EXPECT_FALSE(button->Pressed());
    }
}

TEST_F(CustomButton, AnyReleaseEndsThePressAndADoubleClickIsTwoPresses) {
    input::PressButton(mbLeft, At(button, 10, 10));
    input::PressButton(mbRight, At(button, 10, 10));
    input::ReleaseButton(mbRight, At(button, 10, 10));
    EXPECT_EQ(button->toggles, 1);
    EXPECT_FALSE(button->Pressed());
    input::ReleaseButton(mbLeft, At(button, 10, 10));
    EXPECT_EQ(button->toggles, 1);

    // A right press alone follows nothing.
    input::Click(At(button, 10, 10), mbRight);
    EXPECT_EQ(button->toggles, 1);

    Clock().Advance(1000);
    input::DoubleClick(At(button, 10, 10));
    EXPECT_EQ(button->toggles, 3);
}

TEST_F(CustomButton, APressThatDoesNotGetTheFocusIsNotFollowed) {
    auto* keeper = Add<TProbeButton>("Keeper", TRect{200, 20, 280, 50});
    keeper->SetFocus();
    ASSERT_TRUE(keeper->Focused());
    // The focused control refuses to let the focus go.
    keeper->OnExit = [keeper](TObject*) { keeper->SetFocus(); };
    input::Click(At(button, 10, 10));
    EXPECT_TRUE(keeper->Focused());
    EXPECT_EQ(button->toggles, 0);
    EXPECT_TRUE(button->displayed.empty());

    keeper->OnExit = nullptr;
    button->SetEnabled(false);
    input::Click(At(button, 10, 10));
    EXPECT_EQ(button->toggles, 0);
    EXPECT_TRUE(keeper->Focused());
}

TEST_F(CustomButton, MouseEntryAndExitSetTheHotStateAndInvalidateWithoutErasingWhenHotTracking) {
    std::vector<std::string> events;
    button->OnMouseEnter = [&](TObject* sender) { events.push_back(sender == button ? "enter" : "other"); };
    button->OnMouseLeave = [&](TObject*) { events.push_back("leave"); };
    UpdateAllWindows();
    input::MoveMouse(At(button, 5, 5));
    EXPECT_TRUE(button->Inside());
    // Without HotTrack and themes the entry repaints nothing.
    EXPECT_FALSE(button->Handle()->HasUpdate());
    input::MoveMouse(At(button, -5, 5));
    EXPECT_FALSE(button->Inside());
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));

    button->SetHotTrack(true);
    UpdateAllWindows();
    input::MoveMouse(At(button, 5, 5));
    EXPECT_TRUE(button->Handle()->HasUpdate());
    EXPECT_FALSE(button->Handle()->ErasePending());
    UpdateAllWindows();
    input::MoveMouse(At(button, 90, 5));
    EXPECT_TRUE(button->Handle()->HasUpdate());
    EXPECT_FALSE(button->Handle()->ErasePending());

    // At design time the entry is not the mouse inside; the exit is still heard.
    button->SetDesigning(true);
    events.clear();
    input::MoveMouse(At(button, 5, 5));
    EXPECT_FALSE(button->Inside());
    input::MoveMouse(At(button, 90, 5));
    EXPECT_EQ(events, (std::vector<std::string>{"leave"}));
}

TEST_F(CustomButton, SettersInvalidateOnChangeOnlyAndTheHotTrackColoursNever) {
    const std::vector<std::pair<const char*, std::function<void()>>> repainting = {
        {"AlignmentVertical", [&] { button->SetAlignmentVertical(lu::avBottom); }},
        {"HotTrack", [&] { button->SetHotTrack(true); }},
        {"HighlightColor", [&] { button->SetHighlightColor(gdi::clRed); }},
        {"LightTextStyle", [&] { button->SetLightTextStyle(true); }},
        {"TextStyle", [&] { button->SetTextStyle(lu::tsShadow); }},
        {"TextHighlightColor", [&] { button->SetTextHighlightColor(gdi::clRed); }},
        {"TextShadowColor", [&] { button->SetTextShadowColor(gdi::clRed); }},
        {"TextShadowDepth", [&] { button->SetTextShadowDepth(3); }},
        {"Transparent", [&] { button->SetTransparent(true); }},
    };
    for (const auto& [name, set] : repainting) {
        UpdateAllWindows();
        set();
        EXPECT_TRUE(button->Handle()->HasUpdate()) << name;
        UpdateAllWindows();
        set();
        EXPECT_FALSE(button->Handle()->HasUpdate()) << name << " set again";
    }
    UpdateAllWindows();
    button->SetHotTrackColor(gdi::clRed);
    button->SetHotTrackColorType(lu::htctActual);
    EXPECT_FALSE(button->Handle()->HasUpdate());
    EXPECT_EQ(button->HotTrackColor(), gdi::clRed);
}

TEST_F(CustomButton, FocusAndCaptionChangesRepaintAtOnce) {
    auto* other = Add<TProbeButton>("Other", TRect{200, 20, 280, 50});
    other->SetFocus();
    UpdateAllWindows();
    const int paints = button->paints;
    const int focusChanges = button->focusChanges;
    button->SetFocus();
    EXPECT_EQ(button->focusChanges, focusChanges + 1);
    EXPECT_EQ(button->paints, paints + 1);
    button->SetCaption("Other");
    EXPECT_EQ(button->paints, paints + 2);
    EXPECT_FALSE(button->Handle()->HasUpdate());
}

// The DrawText calls of one paint, without the measuring one.
struct TextPass {
    std::string text;
    TRect rect;
    gdi::COLORREF color;
    friend bool operator==(const TextPass&, const TextPass&) = default;
};

std::vector<TextPass> CaptionPasses(TProbeButton* button) {
    button->Invalidate();
    gdi::ClearCallLog();
    gdi::StartCallLog();
    UpdateAllWindows();
    gdi::StopCallLog();
    std::vector<TextPass> passes;
    for (const gdi::CallLogEntry& e : gdi::CallLogEntries())
        if (e.call == "DrawText" && (e.flags & gdi::DT_CALCRECT) == 0)
            passes.push_back({e.text, e.rect, e.color});
    gdi::ClearCallLog();
    return passes;
}

std::ostream& operator<<(std::ostream& out, const TextPass& p) {
    return out << p.text << " (" << p.rect.left << "," << p.rect.top << "," << p.rect.right << ","
               << p.rect.bottom << ") " << std::hex << p.color << std::dec;
}

TEST_F(CustomButton, TextStylesDrawTheirPassesAroundTheFace) {
    button->SetCaption("Go");
    button->captionRect = TRect{10, 0, 70, 30};
    button->Font()->SetColor(gdi::clNavy);
    button->SetTextHighlightColor(gdi::clYellow);
    button->SetTextShadowColor(gdi::clMaroon);
    button->SetTextShadowDepth(3);
    // The caption's height places the rect: centred as a block of the measured height.
    const std::vector<TextPass> plain = CaptionPasses(button);
    ASSERT_EQ(plain.size(), 1u);
    const TRect placed = plain[0].rect;
    EXPECT_EQ(placed.left, 10);
    EXPECT_EQ(placed.right, 70);
    EXPECT_EQ(placed.top, (30 - placed.Height()) / 2);

    auto at = [&](int dx, int dy, gdi::TColor color) {
        TRect r = placed;
        gdi::OffsetRect(&r, dx, dy);
        return TextPass{"Go", r, Rgb(color)};
    };
    const struct {
        lu::TTextStyle style;
        bool light;
        unsigned alignment;
        std::vector<TextPass> expected;
    } cases[] = {
        {lu::tsNormal, false, gdi::DT_CENTER, {at(0, 0, gdi::clNavy)}},
        {lu::tsNormal, false, gdi::DT_RIGHT, {at(-3, 0, gdi::clNavy)}},
        {lu::tsRaised,
         false,
         gdi::DT_CENTER,
         {at(1, 1, gdi::clMaroon), at(-1, -1, gdi::clYellow), at(0, 0, gdi::clNavy)}},
        {lu::tsRaised, true, gdi::DT_CENTER, {at(-1, -1, gdi::clYellow), at(0, 0, gdi::clNavy)}},
        {lu::tsRecessed,
         false,
         gdi::DT_CENTER,
         {at(1, 1, gdi::clYellow), at(-1, -1, gdi::clMaroon), at(0, 0, gdi::clNavy)}},
        {lu::tsRecessed, true, gdi::DT_CENTER, {at(1, 1, gdi::clYellow), at(0, 0, gdi::clNavy)}},
        {lu::tsShadow, false, gdi::DT_CENTER, {at(3, 3, gdi::clMaroon), at(0, 0, gdi::clNavy)}},
        {lu::tsShadow, false, gdi::DT_RIGHT, {at(0, 3, gdi::clMaroon), at(-3, 0, gdi::clNavy)}},
    };
    for (const auto& c : cases) {
        button->SetTextStyle(c.style);
        button->SetLightTextStyle(c.light);
        button->format = gdi::DT_WORDBREAK | gdi::DT_EXPANDTABS | c.alignment;
        EXPECT_EQ(CaptionPasses(button), c.expected) << int(c.style) << " light " << c.light;
    }

    // Right-to-left reading right-aligns whatever the format says.
    button->SetTextStyle(lu::tsNormal);
    button->format = gdi::DT_WORDBREAK | gdi::DT_EXPANDTABS | gdi::DT_CENTER;
    button->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(CaptionPasses(button), (std::vector<TextPass>{at(-3, 0, gdi::clNavy)}));
    button->SetBiDiMode(bdLeftToRight);

    // Disabled, every style is embossed.
    button->SetTextStyle(lu::tsRaised);
    button->SetEnabled(false);
    EXPECT_EQ(CaptionPasses(button),
              (std::vector<TextPass>{at(1, 1, gdi::clBtnHighlight), at(0, 0, gdi::clBtnShadow)}));
}

TEST_F(CustomButton, VerticalAlignmentPlacesTheCaptionAsABlock) {
    button->SetCaption("One\nTwo");
    button->captionRect = TRect{0, 3, 80, 28};
    // Centred, the rect is as high as the text.
    const int h = CaptionPasses(button)[0].rect.Height();
    EXPECT_GT(h, 20);
    const struct {
        lu::TAlignmentVertical alignment;
        TRect expected;
    } cases[] = {
        {lu::avTop, {0, 3, 80, 28}},
        {lu::avCenter, {0, (3 + 28 - h) / 2, 80, (3 + 28 - h) / 2 + h}},
        {lu::avBottom, {0, 28 - h - 1, 80, 28}},
    };
    for (const auto& c : cases) {
        button->SetAlignmentVertical(c.alignment);
        const std::vector<TextPass> passes = CaptionPasses(button);
        ASSERT_EQ(passes.size(), 1u);
        EXPECT_EQ(passes[0].rect, c.expected) << int(c.alignment);
    }
}

TEST_F(CustomButton, TransparentShowsTheParentUnderTheControl) {
    form->SetColor(gdi::clTeal);
    button->SetColor(gdi::clYellow);
    button->SetCaption("");
    EXPECT_EQ(PixelOf(button, 40, 15), Rgb(gdi::clYellow));
    button->SetTransparent(true);
    EXPECT_EQ(PixelOf(button, 40, 15), Rgb(gdi::clTeal));
}

} // namespace
