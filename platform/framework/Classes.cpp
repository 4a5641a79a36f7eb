#include "platform/framework/Classes.h"

#include "platform/framework/Filer.h"
#include "platform/framework/TypInfo.h"
#include "platform/rtl/Text.h"

#include <algorithm>
#include <cstdint>

namespace framework {

std::string TObject::ClassName() const {
    if (const TClassInfo* info = ClassInfoOf(*this))
        return info->Name();
    return typeid(*this).name();
}

void TPersistent::Assign(const TPersistent* source) {
    if (source == nullptr)
        throw rtl::EConvertError("Cannot assign a nil to a " + ClassName());
    source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const {
    throw rtl::EConvertError("Cannot assign a " + ClassName() + " to a " +
                             (dest != nullptr ? dest->ClassName() : std::string("nil")));
}

void TPersistent::DefineProperties(TFiler&) {}

TComponent::TComponent(TComponent* owner) {
    if (owner != nullptr)
        owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    while (!m_freeNotifies.empty()) {
        TComponent* other = m_freeNotifies.back();
        m_freeNotifies.pop_back();
        auto& theirs = other->m_freeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (m_owner != nullptr)
        m_owner->RemoveComponent(this);
}

void TComponent::Destroying() {
    m_state.Include(csDestroying);
}

namespace {

// One half of the design position; `shift` is 0 for Left and 16 for Top.
void DefineDesignHalf(TFiler& filer, const char* name, std::int32_t& designInfo, int shift) {
    auto half = [&designInfo, shift] {
        return static_cast<std::int16_t>(static_cast<std::uint32_t>(designInfo) >> shift & 0xFFFF);
    };
    filer.DefineProperty(
        name,
        [&designInfo, shift, name](TReader& reader) {
            std::int64_t value = reader.ReadInteger();
            if (value < INT16_MIN || value > INT16_MAX)
                throw rtl::ERangeError(std::string(name) + " " + std::to_string(value) + " is out of range");
            std::uint32_t bits = static_cast<std::uint32_t>(designInfo) & ~(0xFFFFu << shift);
            bits |= (static_cast<std::uint32_t>(value) & 0xFFFF) << shift;
            designInfo = static_cast<std::int32_t>(bits);
        },
        [half](TWriter& writer) { writer.WriteInteger(half()); }, half() != 0);
}

} // namespace

void TComponent::DefineProperties(TFiler& filer) {
    TPersistent::DefineProperties(filer);
    DefineDesignHalf(filer, "Left", m_designInfo, 0);
    DefineDesignHalf(filer, "Top", m_designInfo, 16);
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return m_components[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (m_owner == nullptr)
        return -1;
    auto& list = m_owner->m_components;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetName(const std::string& name) {
    if (name == m_name)
        return;
    if (!name.empty() && !rtl::IsValidIdent(name))
        throw EComponentError("'" + name + "' is not a valid component name");
    if (m_owner != nullptr)
        m_owner->ValidateRename(this, m_name, name);
    else
        ValidateRename(nullptr, m_name, name);
    m_name = name;
}

void TComponent::ValidateRename(TComponent* component, const std::string& oldName,
                                const std::string& newName) {
    if (component == nullptr || newName.empty() || rtl::SameText(oldName, newName))
        return;
    TComponent* existing = FindComponent(newName);
    if (existing != nullptr && existing != component)
        throw EComponentError("A component named " + newName + " already exists");
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty())
        return nullptr;
    for (TComponent* c : m_components)
        if (rtl::SameText(c->m_name, name))
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (component == nullptr || component == this)
        throw EComponentError("A component cannot own itself");
    if (component->m_owner == this)
        return;
    // Validate first, so that a refused insertion leaves the component with its old owner.
    ValidateRename(component, "", component->m_name);
    if (component->m_owner != nullptr)
        component->m_owner->RemoveComponent(component);
    m_components.push_back(component);
    component->m_owner = this;
    if (m_state.Contains(csDesigning))
        component->SetDesigning(true);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(m_components.begin(), m_components.end(), component);
    if (it == m_components.end())
        return;
    Notification(component, opRemove);
    it = std::find(m_components.begin(), m_components.end(), component);
    if (it != m_components.end())
        m_components.erase(it);
    component->m_owner = nullptr;
}

void TComponent::DestroyComponents() {
    while (!m_components.empty()) {
        TComponent* last = m_components.back();
        RemoveComponent(last);
        delete last;
    }
}

void TComponent::FreeNotification(TComponent* component) {
    if (component == nullptr || component == this)
        return;
    // Siblings hear of each other's removal through their owner already.
    if (m_owner == nullptr || component->m_owner != m_owner) {
        if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), component) == m_freeNotifies.end())
            m_freeNotifies.push_back(component);
        auto& theirs = component->m_freeNotifies;
        if (std::find(theirs.begin(), theirs.end(), this) == theirs.end())
            theirs.push_back(this);
    }
    m_state.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    m_freeNotifies.erase(std::remove(m_freeNotifies.begin(), m_freeNotifies.end(), component),
                         m_freeNotifies.end());
    auto& theirs = component->m_freeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component != nullptr)
        RemoveFreeNotification(component);
    if (m_state.Contains(csDesigning) && m_designer != nullptr)
        m_designer->Notification(component, operation);
    NotifyTree(component, operation);
}

void TComponent::NotifyTree(TComponent* component, TOperation operation) {
    // A handler may free components while we walk, so the index is re-checked each step.
    std::size_t i = m_components.size();
    while (i > 0) {
        --i;
        if (i >= m_components.size()) {
            i = m_components.size();
            continue;
        }
        m_components[i]->Notification(component, operation);
    }
}

void TComponent::SetDesigning(bool designing, bool setChildren) {
    if (designing)
        m_state.Include(csDesigning);
    else
        m_state.Exclude(csDesigning);
    if (setChildren)
        for (TComponent* c : m_components)
            c->SetDesigning(designing, true);
}

IDesigner* TComponent::Designer() const {
    for (const TComponent* c = this; c != nullptr; c = c->m_owner)
        if (c->m_designer != nullptr)
            return c->m_designer;
    return nullptr;
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::GetChildren(const std::function<void(TComponent*)>&, TComponent*) {}

void TComponent::ReadState(TReader& reader) {
    reader.ReadData(*this);
}

void TComponent::Loaded() {
    m_state.Exclude(csLoading);
}

void TComponent::Updating() {
    m_state.Include(csUpdating);
}

void TComponent::Updated() {
    m_state.Exclude(csUpdating);
}

void TComponent::SetEventBinding(const std::string& property, const std::string& handler) {
    if (handler.empty())
        m_eventBindings.erase(property);
    else
        m_eventBindings[property] = handler;
}

std::string TComponent::EventBinding(const std::string& property) const {
    auto it = m_eventBindings.find(property);
    return it == m_eventBindings.end() ? std::string() : it->second;
}

} // namespace framework

namespace framework {
namespace {

[[maybe_unused]] const auto registerPersistent = RegisterRootClass<TPersistent>("TPersistent");
[[maybe_unused]] const auto registerComponent = RegisterClass<TComponent, TPersistent>("TComponent")
                                                    .Integer("Tag", &TComponent::Tag, &TComponent::SetTag, 0);

} // namespace
} // namespace framework
