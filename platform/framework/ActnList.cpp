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
    ChangeLinked(m_caption, caption, &TActionLink::IsCaptionLinked, &TActionLink::SetCaption);
}

void TCustomAction::SetChecked(bool checked) {
    ChangeLinked(m_checked, checked, &TActionLink::IsCheckedLinked, &TActionLink::SetChecked);
}

void TCustomAction::SetEnabled(bool enabled) {
    ChangeLinked(m_enabled, enabled, &TActionLink::IsEnabledLinked, &TActionLink::SetEnabled);
}

void TCustomAction::SetHint(const std::string& hint) {
    ChangeLinked(m_hint, hint, &TActionLink::IsHintLinked, &TActionLink::SetHint);
}

void TCustomAction::SetImageIndex(int index) {
    ChangeLinked(m_imageIndex, index, &TActionLink::IsImageIndexLinked, &TActionLink::SetImageIndex);
}

void TCustomAction::SetVisible(bool visible) {
    ChangeLinked(m_visible, visible, &TActionLink::IsVisibleLinked, &TActionLink::SetVisible);
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
