#include "LabelTestForm.h"

#include "platform/framework/Timers.h"

namespace {

using framework::Clock;
using framework::TRect;
using gdi::CallLogEntry;
using lutest::Rgb;

class LabelBlinking : public lutest::LabelTest {
protected:
    // The colour of the text each label last drew, as the device saw it.
    std::vector<gdi::COLORREF> ColoursDrawn(const std::vector<lu::TLuLabel*>& labels) {
        std::vector<gdi::COLORREF> colours;
        for (lu::TLuLabel* label : labels) {
            const std::vector<CallLogEntry> drawn = TextDrawings(PaintLogged(label));
            colours.push_back(drawn.empty() ? 0xFFFFFFFF : drawn.back().color);
        }
        return colours;
    }

    // Advances the virtual clock and records which labels painted while it did.
    std::vector<std::string> AdvanceLogged(std::int64_t ms) {
        gdi::ClearCallLog();
        gdi::StartCallLog();
        Clock().Advance(ms);
        gdi::StopCallLog();
        std::vector<std::string> painted;
        for (const CallLogEntry& e : TextDrawings(gdi::CallLogEntries()))
            painted.push_back(e.text + (e.color == red ? " red" : e.color == green ? " green" : " other"));
        return painted;
    }

    const gdi::COLORREF red = gdi::RGB(220, 0, 0);
    const gdi::COLORREF green = gdi::RGB(0, 160, 0);
};

TEST_F(LabelBlinking, BlinkingLabelsChangeColourTogetherOnEachInterval) {
    auto* a = AddLabel("a", TRect{0, 0, 40, 30});
    auto* b = AddLabel("b", TRect{50, 0, 90, 30});
    auto* still = AddLabel("still", TRect{100, 0, 160, 30});
    for (lu::TLuLabel* l : {a, b, still}) {
        l->Font()->SetColor(red);
        l->SetBlinkColor(green);
    }
    a->SetBlinking(true);
    b->SetBlinking(true);
    Show();
    ASSERT_EQ(lu::BlinkingControls()->Count(), 3);

    // The first period is a normal one; then the phases alternate, each label repainted at once.
    EXPECT_EQ(AdvanceLogged(499), std::vector<std::string>{});
    EXPECT_EQ(AdvanceLogged(1), (std::vector<std::string>{"a red", "b red"}));
    EXPECT_EQ(AdvanceLogged(500), (std::vector<std::string>{"a green", "b green"}));
    EXPECT_EQ(a->CurrentColor(), gdi::TColor(green));
    EXPECT_EQ(still->CurrentColor(), gdi::TColor(red));
    EXPECT_EQ(AdvanceLogged(500), (std::vector<std::string>{"a red", "b red"}));

    // One label's intervals are every label's; the new on interval counts from the next on phase.
    b->SetBlinkIntervalOn(1000);
    EXPECT_EQ(a->BlinkIntervalOn(), 1000);
    EXPECT_EQ(still->BlinkIntervalOff(), 500);
    EXPECT_EQ(AdvanceLogged(500), (std::vector<std::string>{"a green", "b green"}));
    EXPECT_EQ(AdvanceLogged(999), std::vector<std::string>{});
    EXPECT_EQ(AdvanceLogged(1), (std::vector<std::string>{"a red", "b red"}));

    // Stopped in the blink phase, a label shows its own colour again at once.
    EXPECT_EQ(AdvanceLogged(500), (std::vector<std::string>{"a green", "b green"}));
    gdi::ClearCallLog();
    gdi::StartCallLog();
    b->SetBlinking(false);
    gdi::StopCallLog();
    ASSERT_EQ(TextDrawings(gdi::CallLogEntries()).size(), 1u);
    EXPECT_EQ(TextDrawings(gdi::CallLogEntries())[0].color, red);
    EXPECT_EQ(ColoursDrawn({a, b}), (std::vector<gdi::COLORREF>{green, red}));
}

TEST_F(LabelBlinking, FreedLabelsLeaveTheListAndTheLastOneStopsTheTimer) {
    auto* a = AddLabel("a", TRect{0, 0, 40, 30});
    auto* b = AddLabel("b", TRect{50, 0, 90, 30});
    a->SetBlinking(true);
    b->SetBlinking(true);
    a->SetBlinkIntervalOff(300);
    Show();
    lu::TLuBlinkingControlsList* list = lu::BlinkingControls();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(Clock().Scheduled(const_cast<framework::TTimer*>(list->Timer())));

    delete a;
    EXPECT_EQ(list->Count(), 1);
    EXPECT_EQ(AdvanceLogged(500).size(), 1u);

    delete b;
    EXPECT_EQ(lu::BlinkingControls(), nullptr);
    EXPECT_EQ(AdvanceLogged(5000), std::vector<std::string>{});

    // The next label starts a new list, with the intervals back at 500.
    auto* c = AddLabel("c", TRect{0, 0, 40, 30});
    EXPECT_EQ(c->BlinkIntervalOff(), 500);
    EXPECT_EQ(lu::BlinkingControls()->Count(), 1);
}

// Every label stays registered while it lives; a hidden one follows the phase without painting.
TEST_F(LabelBlinking, AHiddenLabelKeepsThePhaseWithoutPainting) {
    auto* shown = AddLabel("shown", TRect{0, 0, 60, 30});
    auto* hidden = AddLabel("hidden", TRect{70, 0, 140, 30});
    for (lu::TLuLabel* l : {shown, hidden}) {
        l->Font()->SetColor(red);
        l->SetBlinkColor(green);
        l->SetBlinking(true);
    }
    Show();
    hidden->Hide();
    EXPECT_EQ(lu::BlinkingControls()->Count(), 2);
    EXPECT_EQ(AdvanceLogged(1000), (std::vector<std::string>{"shown red", "shown green"}));
    EXPECT_EQ(hidden->CurrentColor(), gdi::TColor(green));
    hidden->Show();
    EXPECT_EQ(ColoursDrawn({hidden}), std::vector<gdi::COLORREF>{green});
}

TEST_F(LabelBlinking, FlyByColourFollowsTheMouse) {
    auto* label = AddLabel("Tarnwick", TRect{10, 10, 110, 40});
    label->Font()->SetColor(red);
    label->SetFlyByColor(green);
    std::vector<std::string> events;
    label->OnMouseEnter = [&](framework::TObject*) { events.push_back("enter"); };
    label->OnMouseLeave = [&](framework::TObject*) { events.push_back("leave"); };
    Show();
    const gdi::POINT inside{160, 125}, outside{300, 300};

    // Off: the events still fire, the colour stays.
    framework::input::MoveMouse(inside);
    EXPECT_EQ(label->Font()->Color(), gdi::TColor(red));
    framework::input::MoveMouse(outside);

    label->SetFlyByEnabled(true);
    framework::input::MoveMouse(inside);
    EXPECT_EQ(label->Font()->Color(), gdi::TColor(green));
    EXPECT_EQ(ColoursDrawn({label}), std::vector<gdi::COLORREF>{green});
    framework::input::MoveMouse(outside);
    EXPECT_EQ(label->Font()->Color(), gdi::TColor(red));
    EXPECT_EQ(ColoursDrawn({label}), std::vector<gdi::COLORREF>{red});
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave", "enter", "leave"}));

    // Switched off while the mouse is over it, the label gets its colour back; switched off
    // elsewhere, it keeps the colour it has.
    framework::input::MoveMouse(inside);
    label->SetFlyByEnabled(false);
    EXPECT_EQ(label->Font()->Color(), gdi::TColor(red));
    framework::input::MoveMouse(outside);
    label->SetFlyByEnabled(true);
    label->SetFlyByEnabled(false);
    EXPECT_EQ(label->Font()->Color(), gdi::TColor(red));

    // Switched on while the mouse is already over it, leaving restores nothing it never saved.
    framework::input::MoveMouse(inside);
    label->SetFlyByEnabled(true);
    framework::input::MoveMouse(outside);
    EXPECT_EQ(label->Font()->Color(), gdi::TColor(red));
}

} // namespace
