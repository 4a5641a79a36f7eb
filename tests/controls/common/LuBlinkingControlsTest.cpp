#include "controls/common/LuBlinkingControls.h"
#include "platform/framework/Timers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using framework::Clock;
using framework::TControl;
using framework::TMessage;

std::vector<std::string>& Heard() {
    static std::vector<std::string> heard;
    return heard;
}

// A control that joins the shared list as the label does and records what the list sends it.
class TBlinkProbe : public TControl {
public:
    TBlinkProbe(std::string name, bool blinks) : TControl(nullptr), Name(std::move(name)), Blinks(blinks) {
        lu::NeedBlinkingControls().RegisterControl(this);
    }
    ~TBlinkProbe() override {
        lu::BlinkingControls()->UnregisterControl(this);
        lu::ReleaseBlinkListIfEmpty();
    }
    void WndProc(TMessage& m) override {
        if (m.Msg == win::CM_BLINKQUERY) {
            Heard().push_back("query " + Name);
            m.Result = Blinks ? 1 : 0;
        } else if (m.Msg == win::CM_BLINKSTATE) {
            Heard().push_back("state " + Name + " " + std::to_string(m.WParam) + " at " +
                              std::to_string(Clock().Now() - Start));
            if (OnState)
                OnState();
        } else {
            TControl::WndProc(m);
        }
    }

    static inline std::int64_t Start = 0;
    std::string Name;
    bool Blinks;
    std::function<void()> OnState;
};

class BlinkingList : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(lu::BlinkingControls(), nullptr) << "a control of an earlier test is still registered";
        Heard().clear();
        TBlinkProbe::Start = Clock().Now();
    }
};

TEST_F(BlinkingList, PhasesAlternateOnTheirOwnIntervalsAndOnlyBlinkingControlsHearThem) {
    auto a = std::make_unique<TBlinkProbe>("a", true);
    auto quiet = std::make_unique<TBlinkProbe>("quiet", false);
    auto b = std::make_unique<TBlinkProbe>("b", true);
    lu::TLuBlinkingControlsList* list = lu::BlinkingControls();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Count(), 3);
    EXPECT_TRUE(list->BlinkState()); // the first period is the off interval, with nothing sent
    EXPECT_EQ(list->IntervalOff(), 500);
    EXPECT_EQ(list->IntervalOn(), 500);

    Clock().Advance(499);
    EXPECT_TRUE(Heard().empty());
    Clock().Advance(1);
    EXPECT_EQ(Heard(), (std::vector<std::string>{"query a", "state a 0 at 500", "query quiet", "query b",
                                                 "state b 0 at 500"}));
    EXPECT_FALSE(list->BlinkState());

    // A new on interval counts from the next time the blink-colour phase begins.
    list->SetIntervalOn(1000);
    list->SetIntervalOff(200);
    Heard().clear();
    Clock().Advance(500); // 1000: blink colour, for 1000 ms
    Clock().Advance(999);
    Clock().Advance(1);   // 2000: normal, for 200 ms
    Clock().Advance(200); // 2200: blink colour again
    std::vector<std::string> states;
    for (const std::string& h : Heard())
        if (h.rfind("state a", 0) == 0)
            states.push_back(h);
    EXPECT_EQ(states,
              (std::vector<std::string>{"state a 1 at 1000", "state a 0 at 2000", "state a 1 at 2200"}));
}

TEST_F(BlinkingList, ControlsLeaveAndTheLastOneStopsTheTimer) {
    auto a = std::make_unique<TBlinkProbe>("a", true);
    auto b = std::make_unique<TBlinkProbe>("b", true);
    lu::TLuBlinkingControlsList* list = lu::BlinkingControls();
    list->SetIntervalOn(1000);
    EXPECT_TRUE(Clock().Scheduled(const_cast<framework::TTimer*>(list->Timer())));

    a.reset();
    EXPECT_EQ(list->Count(), 1);
    Clock().Advance(500);
    EXPECT_EQ(Heard(), (std::vector<std::string>{"query b", "state b 0 at 500"}));

    b.reset();
    EXPECT_EQ(lu::BlinkingControls(), nullptr);
    Heard().clear();
    Clock().Advance(5000);
    EXPECT_TRUE(Heard().empty());

    // A new list starts afresh, with both intervals back at 500.
    auto c = std::make_unique<TBlinkProbe>("c", true);
    EXPECT_EQ(lu::BlinkingControls()->IntervalOn(), 500);
    EXPECT_TRUE(lu::BlinkingControls()->BlinkState());
}

TEST_F(BlinkingList, AControlFreedWhileTheListTicksIsNotAskedAgain) {
    auto a = std::make_unique<TBlinkProbe>("a", true);
    auto b = std::make_unique<TBlinkProbe>("b", true);
    auto c = std::make_unique<TBlinkProbe>("c", true);
    a->OnState = [&] { b.reset(); };
    Clock().Advance(500);
    EXPECT_EQ(Heard(),
              (std::vector<std::string>{"query a", "state a 0 at 500", "query c", "state c 0 at 500"}));
    EXPECT_EQ(lu::BlinkingControls()->Count(), 2);
}

} // namespace
