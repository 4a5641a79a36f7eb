#include "platform/framework/Timers.h"

#include "platform/framework/Forms.h"
#include "platform/framework/TypInfo.h"

#include <algorithm>

namespace framework {

void TVirtualClock::Schedule(void* owner, std::int64_t interval, std::function<void()> fire) {
    Cancel(owner);
    m_entries.push_back(Entry{owner, m_now + interval, interval, std::move(fire)});
}

void TVirtualClock::Cancel(void* owner) {
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [owner](const Entry& e) { return e.owner == owner; }),
                    m_entries.end());
}

bool TVirtualClock::Scheduled(void* owner) const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [owner](const Entry& e) { return e.owner == owner; });
}

void TVirtualClock::Advance(std::int64_t milliseconds) {
    if (milliseconds < 0)
        throw rtl::ERangeError("The virtual clock cannot go back");
    const std::int64_t target = m_now + milliseconds;
    for (;;) {
        auto next = std::min_element(m_entries.begin(), m_entries.end(),
                                     [](const Entry& a, const Entry& b) { return a.due < b.due; });
        if (next == m_entries.end() || next->due > target)
            break;
        m_now = next->due;
        next->due += next->interval;
        // The handler may stop or restart any timer, so the entry is not used after this.
        std::function<void()> fire = next->fire;
        fire();
    }
    m_now = target;
}

TVirtualClock& Clock() {
    static TVirtualClock clock;
    return clock;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    Update();
}

TTimer::~TTimer() {
    Clock().Cancel(this);
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    Update();
}

void TTimer::SetInterval(int interval) {
    if (interval == m_interval)
        return;
    m_interval = interval;
    Update();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    Update();
}

void TTimer::Update() {
    Clock().Cancel(this);
    if (!m_enabled || m_interval <= 0 || ComponentState().Contains(csLoading) ||
        ComponentState().Contains(csDesigning))
        return;
    Clock().Schedule(this, m_interval, [this] {
        try {
            if (OnTimer)
                OnTimer(this);
        } catch (const EScriptError&) {
            throw;
        } catch (...) {
            Application()->HandleException(this);
        }
    });
}

namespace {

[[maybe_unused]] const auto registerTimer =
    RegisterClass<TTimer, TComponent>("TTimer")
        .Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
        .Integer("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000)
        .Event("OnTimer", &TTimer::OnTimer);

} // namespace

} // namespace framework
