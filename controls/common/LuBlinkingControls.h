#pragma once

#include "platform/framework/Controls.h"
#include "platform/framework/Timers.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace lu {

// Drives every blinking control of the library from one timer, so that blinking controls change
// colour on the same tick and never drift apart. Each tick asks every registered control
// CM_BLINKQUERY and sends CM_BLINKSTATE with the new phase (1 blink colour, 0 normal) to those
// that answer 1.
class TLuBlinkingControlsList {
public:
    TLuBlinkingControlsList();
    ~TLuBlinkingControlsList();
    TLuBlinkingControlsList(const TLuBlinkingControlsList&) = delete;
    TLuBlinkingControlsList& operator=(const TLuBlinkingControlsList&) = delete;

    void RegisterControl(framework::TControl* control);
    void UnregisterControl(framework::TControl* control);
    int Count() const { return static_cast<int>(m_controls.size()); }

    // True in the blink-colour phase.
    bool BlinkState() const { return m_blinkState; }
    // Milliseconds of the normal and of the blink-colour phase; a new value takes effect when its
    // phase next begins.
    std::uint16_t IntervalOff() const { return m_intervalOff; }
    void SetIntervalOff(std::uint16_t value) { m_intervalOff = value; }
    std::uint16_t IntervalOn() const { return m_intervalOn; }
    void SetIntervalOn(std::uint16_t value) { m_intervalOn = value; }
    const framework::TTimer* Timer() const { return m_timer.get(); }

private:
    void TimerExpired();

    bool m_blinkState = true;
    std::vector<framework::TControl*> m_controls;
    std::unique_ptr<framework::TTimer> m_timer;
    std::uint16_t m_intervalOff = 500;
    std::uint16_t m_intervalOn = 500;
};

// The list the library's controls share; null until the first control registers.
TLuBlinkingControlsList* BlinkingControls();
// The shared list, created when there is none.
TLuBlinkingControlsList& NeedBlinkingControls();
// Frees the shared list, and its timer with it, once no control is registered.
void ReleaseBlinkListIfEmpty();

} // namespace lu
