#include "platform/framework/ActnList.h"

#include "platform/framework/TypInfo.h"

#include <algorithm>

namespace framework {

TBasicActionLink::~TBasicActionLink() {
    SetAction(nullptr);
}

void TBasicActionLink::SetAction(TBasicAction* action) {
    if (action == m_action)
        return;
    if (m_action != nullptr) {
        auto& links = m_action->m_links;
        links.erase(std::remove(links.begin(), links.end(), this), links.end());
    }
    m_action = action;
    if (m_action != nullptr)
        m_action->m_links.push_back(this);
}

bool TBasicActionLink::Execute(TComponent* component) {
    if (m_action == nullptr)
        return false;
    m_action->SetActionComponent(component);
    struct Reset {
        TBasicAction* action;
        ~Reset() { action->SetActionComponent(nullptr); }
    } reset{m_action};
    return m_action->Execute();
}

namespace {
bool Linked(const TActionLink& link) {
    return dynamic_cast<TCustomAction*>(link.Action()) != nullptr;
}
} // namespace

bool TActionLink::IsCaptionLinked() const {
    return Linked(*this);
}
bool TActionLink::IsCheckedLinked() const {
    return Linked(*this);
}
bool TActionLink::IsEnabledLinked() const {
    return Linked(*this);
}
bool TActionLink::IsHintLinked() const {
    return Linked(*this);
}
bool TActionLink::IsImageIndexLinked() const {
    return Linked(*this);
}
bool TActionLink::IsVisibleLinked() const {
    return Linked(*this);
}

TBasicAction::~TBasicAction() {
    for (TBasicActionLink* link : m_links)
        link->m_action = nullptr;
    m_links.clear();
}

bool TBasicAction::Execute() {
    if (!OnExecute)
        return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate)
        return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::Change() {
    if (OnChange)
        OnChange(this);
    for (TBasicActionLink* link : std::vector<TBasicActionLink*>(m_links))
        link->Change();
}

void TCustomAction::SetCaption(const std::string& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    ForEachLink([&](TActionLink& l) {
        if (l.IsCaptionLinked())
            l.SetCaption(caption);
    });
    Change();
}

void TCustomAction::SetChecked(bool checked) {
    if (checked == m_checked)
        return;
    m_checked = checked;
    ForEachLink([&](TActionLink& l) {
        if (l.IsCheckedLinked())
            l.SetChecked(checked);
    });
    Change();
}

void TCustomAction::SetEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    ForEachLink([&](TActionLink& l) {
        if (l.IsEnabledLinked())
            l.SetEnabled(enabled);
    });
    Change();
}

void TCustomAction::SetHint(const std::string& hint) {
    if (hint == m_hint)
        return;
    m_hint = hint;
    ForEachLink([&](TActionLink& l) {
        if (l.IsHintLinked())
            l.SetHint(hint);
    });
    Change();
}

void TCustomAction::SetImageIndex(int index) {
    if (index == m_imageIndex)
        return;
    m_imageIndex = index;
    ForEachLink([&](TActionLink& l) {
        if (l.IsImageIndexLinked())
            l.SetImageIndex(index);
    });
    Change();
}

void TCustomAction::SetVisible(bool visible) {
    if (visible == m_visible)
        return;
    m_visible = visible;
    ForEachLink([&](TActionLink& l) {
        if (l.IsVisibleLinked())
            l.SetVisible(visible);
    });
    Change();
}

bool TCustomAction::Execute() {
    Update();
    return m_enabled && TBasicAction::Execute();
}

namespace {

[[maybe_unused]] const auto registerBasicAction = RegisterClass<TBasicAction, TComponent>("TBasicAction")
                                                      .Event("OnExecute", &TBasicAction::OnExecute)
                                                      .Event("OnUpdate", &TBasicAction::OnUpdate);
[[maybe_unused]] const auto registerCustomAction =
    RegisterClass<TCustomAction, TBasicAction>("TCustomAction")
        .String("Caption", &TCustomAction::Caption, &TCustomAction::SetCaption)
        .Boolean("Checked", &TCustomAction::Checked, &TCustomAction::SetChecked, false)
        .Boolean("Enabled", &TCustomAction::Enabled, &TCustomAction::SetEnabled, true)
        .String("Hint", &TCustomAction::Hint, &TCustomAction::SetHint)
        .Integer("ImageIndex", &TCustomAction::ImageIndex, &TCustomAction::SetImageIndex, -1)
        .Boolean("Visible", &TCustomAction::Visible, &TCustomAction::SetVisible, true);
[[maybe_unused]] const auto registerAction = RegisterClass<TAction, TCustomAction>("TAction");

} // namespace

} // namespace framework
