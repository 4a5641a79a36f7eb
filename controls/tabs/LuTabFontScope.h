#pragma once

#include "controls/tabs/LuCustomTabControl.h"

namespace lu {

// The caption font selected into the tab buffer for one scope. Restore takes it out again and
// reports a failure; a scope left by an error takes it out on the way, so that the buffer is not
// left in the caption's state and the error that ended the scope is the one that travels on.
class TLuTabFontScope {
public:
    explicit TLuTabFontScope(const TLuCustomTabControl& control) : m_control(control) {
        control.SelectTabFont();
    }
    ~TLuTabFontScope() {
        if (!m_selected)
            return;
        try {
            m_control.RestoreTabFont();
        } catch (...) {
            // An error is already on its way; it is the one to report.
        }
    }
    TLuTabFontScope(const TLuTabFontScope&) = delete;
    TLuTabFontScope& operator=(const TLuTabFontScope&) = delete;

    void Restore() {
        m_selected = false;
        m_control.RestoreTabFont();
    }

private:
    const TLuCustomTabControl& m_control;
    bool m_selected = true;
};

} // namespace lu
