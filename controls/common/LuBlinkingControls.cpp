#include "controls/common/LuBlinkingControls.h"

#include <algorithm>

namespace lu {

namespace {

// Not freed at exit: the controls free it when the last one goes.
TLuBlinkingControlsList* sharedList = nullptr;

} // namespace

TLuBlinkingControlsList::TLuBlinkingControlsList() : m_timer(std::make_unique<framework::TTimer>(nullptr)) {
    m_timer->OnTimer = [this](framework::TObject*) { TimerExpired(); };
    m_timer->SetInterval(m_intervalOff);
    m_timer->SetEnabled(true);
}

TLuBlinkingControlsList::~TLuBlinkingControlsList() = default;

void TLuBlinkingControlsList::RegisterControl(framework::TControl* control) {
    m_controls.push_back(control);
}

void TLuBlinkingControlsList::UnregisterControl(framework::TControl* control) {
    auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it != m_controls.end())
        m_controls.erase(it);
}

void TLuBlinkingControlsList::TimerExpired() {
    m_blinkState = !m_blinkState;
    m_timer->SetInterval(m_blinkState ? m_intervalOn : m_intervalOff);
    const win::WPARAM phase = m_blinkState ? 1 : 0;
    // A control may free itself, or the last control the list, while it handles its message: only
    // controls still registered in a list that still exists hear from it.
    const std::vector<framework::TControl*> controls = m_controls;
    for (framework::TControl* control : controls) {
        if (sharedList != this)
            return;
        if (std::find(m_controls.begin(), m_controls.end(), control) == m_controls.end())
            continue;
        if (control->Perform(win::CM_BLINKQUERY, 0, 0) == 1)
            control->Perform(win::CM_BLINKSTATE, phase, 0);
    }
}

TLuBlinkingControlsList* BlinkingControls() {
    return sharedList;
}

TLuBlinkingControlsList& NeedBlinkingControls() {
    if (sharedList == nullptr)
        sharedList = new TLuBlinkingControlsList;
    return *sharedList;
}

void ReleaseBlinkListIfEmpty() {
    if (sharedList != nullptr && sharedList->Count() == 0) {
        delete sharedList;
        sharedList = nullptr;
    }
}

} // namespace lu
