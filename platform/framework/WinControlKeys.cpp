#include "platform/framework/WinControl.h"

#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"

namespace framework {

void TWinControl::ScriptType(const std::string& text) {
    if (!Focused()) {
        if (!CanFocus())
            throw EScriptError(Name() + " (" + ClassName() + ") cannot take the focus for typing");
        SetFocus();
    }
    input::TypeText(text);
}

void TWinControl::ScriptKey(std::uint16_t key, TShiftState shift) {
    if (!Focused()) {
        if (!CanFocus())
            throw EScriptError(Name() + " (" + ClassName() + ") cannot take the focus for a key");
        SetFocus();
    }
    input::PressKey(key, shift);
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift) {
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char32_t& key) {
    if (OnKeyPress)
        OnKeyPress(this, key);
}

bool TWinControl::DoKeyDown(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyDown(m))
        return true;
    auto key = static_cast<std::uint16_t>(m.WParam);
    KeyDown(key, KeyDataToShiftState(m.LParam));
    m.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyUp(m))
        return true;
    auto key = static_cast<std::uint16_t>(m.WParam);
    KeyUp(key, KeyDataToShiftState(m.LParam));
    m.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyPress(m))
        return true;
    auto key = static_cast<char32_t>(m.WParam);
    KeyPress(key);
    m.WParam = key;
    return key == 0;
}

void TWinControl::CNKeyDown(TMessage& m) {
    m.Result = 1;
    if (!ComponentState().Contains(csDesigning)) {
        int mask = 0;
        switch (static_cast<int>(m.WParam)) {
        case win::VK_TAB:
            mask = win::DLGC_WANTTAB;
            break;
        case win::VK_LEFT:
        case win::VK_RIGHT:
        case win::VK_UP:
        case win::VK_DOWN:
            mask = win::DLGC_WANTARROWS;
            break;
        case win::VK_RETURN:
        case win::VK_ESCAPE:
        case win::VK_CANCEL:
            mask = win::DLGC_WANTALLKEYS;
            break;
        default:
            break;
        }
        TCustomForm* form = GetParentForm(this);
        if (mask != 0 && Perform(win::CM_WANTSPECIALKEY, m.WParam, 0) == 0 &&
            (Perform(win::WM_GETDLGCODE, 0, 0) & mask) == 0 && form != nullptr &&
            form->Perform(win::CM_DIALOGKEY, m.WParam, m.LParam) != 0)
            return;
    }
    m.Result = 0;
}

void TWinControl::CNChar(TMessage& m) {
    m.Result = 1;
    if (!ComponentState().Contains(csDesigning)) {
        TCustomForm* form = GetParentForm(this);
        const bool sys = m.Msg == win::CN_SYSCHAR;
        if ((sys || (Perform(win::WM_GETDLGCODE, 0, 0) & win::DLGC_WANTCHARS) == 0) && form != nullptr &&
            form->Perform(win::CM_DIALOGCHAR, m.WParam, m.LParam) != 0)
            return;
    }
    m.Result = 0;
}

namespace {

// Dialog keys and characters go to the branch that holds the focus first, so the innermost
// container around the focused control answers before anything elsewhere.
void RouteToChildren(const std::vector<TControl*>& children, TMessage& m) {
    HWND focus = GetFocus();
    TControl* focused = focus != nullptr ? &focus->Control() : nullptr;
    TControl* first = nullptr;
    for (TControl* c : children)
        if (auto* w = dynamic_cast<TWinControl*>(c);
            w != nullptr && focused != nullptr && w->ContainsControl(focused))
            first = c;
    if (first != nullptr) {
        first->WindowProc(m);
        if (m.Result != 0)
            return;
    }
    for (TControl* c : children) {
        if (c == first)
            continue;
        c->WindowProc(m);
        if (m.Result != 0)
            return;
    }
}

} // namespace

void TWinControl::CMDialogKey(TMessage& m) {
    RouteToChildren(std::vector<TControl*>(m_controls), m);
}

void TWinControl::CMDialogChar(TMessage& m) {
    RouteToChildren(std::vector<TControl*>(m_controls), m);
}

} // namespace framework
