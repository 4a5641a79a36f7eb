// The tab control's keys, accelerators and window messages.
#include "controls/tabs/LuCustomTabControl.h"

#include "platform/framework/Input.h"

namespace lu {

void TLuCustomTabControl::WndProc(framework::TMessage& message) {
    switch (message.Msg) {
    case win::WM_TIMER:
        WMTimer(message);
        return;
    case win::WM_ERASEBKGND:
        // The paint covers the whole control from the buffer.
        message.Result = 1;
        return;
    case win::WM_SIZE:
        TCustomControl::WndProc(message);
        RequestLayout();
        return;
    case win::WM_GETDLGCODE:
        message.Result = win::DLGC_WANTARROWS;
        return;
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS:
        // The focus rectangle comes or goes.
        InvalidateTabs();
        TCustomControl::WndProc(message);
        return;
    case win::WM_NCHITTEST:
        TCustomControl::WndProc(message);
        m_ncHitPoint = framework::LParamToPoint(message.LParam);
        return;
    case win::CM_DESIGNHITTEST:
        CMDesignHitTest(message);
        return;
    default:
        TCustomControl::WndProc(message);
    }
}

// Tabs can be switched while the form is designed.
void TLuCustomTabControl::CMDesignHitTest(framework::TMessage& message) {
    message.Result = 0;
    if (!Designing() || !(framework::GetKeyState(win::VK_LBUTTON) < 0))
        return;
    const TPoint p = framework::LParamToPoint(message.LParam);
    const int index = TabAtPoint(p.x, p.y);
    if (index >= 0 && index != m_tabIndex) {
        SetTabIndex(index);
        message.Result = 1;
    }
}

int TLuCustomTabControl::KeyTarget(std::uint16_t key) {
    const int n = m_tabs->Count();
    int t = m_tabIndex;
    switch (key) {
    case win::VK_HOME:
    case win::VK_END: {
        const int step = key == win::VK_HOME ? 1 : -1;
        t = key == win::VK_HOME ? 0 : n - 1;
        while (t != m_tabIndex && !CanChange(t)) {
            t += step;
            if (t < 0 || t >= n)
                t = m_tabIndex;
        }
        return t;
    }
    case win::VK_LEFT:
    case win::VK_UP:
    case win::VK_RIGHT:
    case win::VK_DOWN: {
        const bool towardEnd = key == win::VK_RIGHT || key == win::VK_DOWN;
        const bool forward = towardEnd == (m_tabSequence == tsStandard);
        // One pass over the tabs at most: without a selection no step comes back to it.
        for (int k = 0; k < n; ++k) {
            if (forward)
                t = t >= n - 1 ? 0 : t + 1;
            else
                t = t <= 0 ? n - 1 : t - 1;
            if (t == m_tabIndex || CanChange(t))
                return t;
        }
        return m_tabIndex;
    }
    default:
        return m_tabIndex;
    }
}

void TLuCustomTabControl::KeyDown(std::uint16_t& key, framework::TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (m_tabs->Count() == 0)
        return;
    const int t = KeyTarget(key);
    if (t == m_tabIndex)
        return;
    SetApprovedTabIndex(t);
    DoTabClick();
}

void TLuCustomTabControl::CMDialogChar(framework::TMessage& message) {
    if (CanFocus()) {
        const auto key = static_cast<char32_t>(message.WParam);
        for (int i = 0; i < m_tabs->Count(); ++i) {
            const TLuTabData* tab = m_tabs->Items(i);
            if (!framework::IsAccel(key, tab->Caption()) || !tab->Enabled() || !tab->Visible())
                continue;
            message.Result = 1;
            SetFocus();
            if (Focused()) {
                SetTabIndex(i);
                if (m_tabIndex == i)
                    DoTabClick();
            }
            return;
        }
    }
    TCustomControl::CMDialogChar(message);
}

void TLuCustomTabControl::CMColorChanged(framework::TMessage& message) {
    if (!m_useColoredTabs) {
        TCustomControl::CMColorChanged(message);
        InvalidateTabs();
        return;
    }
    // The control's colour follows the current tab; only the children hear of it.
    framework::TMessage parentColor{win::CM_PARENTCOLORCHANGED, 0, 0, 0};
    for (int i = 0; i < ControlCount(); ++i) {
        parentColor.Result = 0;
        Controls(i)->WindowProc(parentColor);
    }
}

} // namespace lu
