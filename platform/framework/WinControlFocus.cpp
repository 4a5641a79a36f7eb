#include "platform/framework/WinControl.h"

#include "platform/framework/Forms.h"

#include <algorithm>

namespace framework {

void TWinControl::FixTabList() {}

bool TWinControl::Focused() const {
    return m_handle != nullptr && GetFocus() == m_handle;
}

bool TWinControl::CanFocus() const {
    TCustomForm* form = GetParentForm(this);
    if (form == nullptr)
        return false;
    for (const TWinControl* c = this; c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus() {
    if (TCustomForm* form = GetParentForm(this)) {
        form->FocusControl(this);
        return;
    }
    if (Parent() == nullptr && Showing())
        framework::SetFocus(Handle());
}

void TWinControl::SetTabStop(bool tabStop) {
    if (tabStop == m_tabStop)
        return;
    m_tabStop = tabStop;
    if (m_handle != nullptr) {
        std::uint32_t style = m_handle->Style();
        m_handle->SetStyle(tabStop ? style | win::WS_TABSTOP : style & ~win::WS_TABSTOP);
    }
    Perform(win::CM_TABSTOPCHANGED, 0, 0);
}

int TWinControl::TabOrder() const {
    if (Parent() == nullptr)
        return -1;
    const auto& list = Parent()->m_tabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (Parent() == nullptr)
        return;
    auto& list = Parent()->m_tabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end())
        return;
    list.erase(it);
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : m_tabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    const int n = static_cast<int>(list.size());
    auto it = std::find(list.begin(), list.end(), current);
    int start = it == list.end() ? (goForward ? n - 1 : 0) : static_cast<int>(it - list.begin());
    int i = start;
    do {
        i = goForward ? (i + 1) % n : (i + n - 1) % n;
        TWinControl* c = list[static_cast<std::size_t>(i)];
        if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* c = FindNextControl(current, goForward, checkTabStop, !checkTabStop))
        c->SetFocus();
}

void TWinControl::SelectFirst() {
    TCustomForm* form = GetParentForm(this);
    if (form == nullptr)
        return;
    TWinControl* c = FindNextControl(nullptr, true, true, false);
    if (c == nullptr)
        c = FindNextControl(nullptr, true, false, false);
    if (c != nullptr)
        form->SetActiveControl(c);
}

void TWinControl::DoEnter() {
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit)
        OnExit(this);
}

void TWinControl::CMFocusChanged(TMessage& m) {
    Broadcast(m);
}

void TWinControl::CMEnter(TMessage&) {
    DoEnter();
}

void TWinControl::CMExit(TMessage&) {
    DoExit();
}

} // namespace framework
