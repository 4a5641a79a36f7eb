#pragma once

#include "platform/rtl/Exceptions.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

class EComponentError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};
class EInvalidOperation : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

// A set over an enumeration whose values are small ordinals (bit i is element i).
template <class E> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items) {
        for (E e : items)
            m_bits |= Bit(e);
    }
    static constexpr TSet FromBits(std::uint64_t bits) {
        TSet s;
        s.m_bits = bits;
        return s;
    }
    constexpr std::uint64_t Bits() const { return m_bits; }
    constexpr bool Contains(E e) const { return (m_bits & Bit(e)) != 0; }
    constexpr bool Empty() const { return m_bits == 0; }
    constexpr TSet& Include(E e) {
        m_bits |= Bit(e);
        return *this;
    }
    constexpr TSet& Exclude(E e) {
        m_bits &= ~Bit(e);
        return *this;
    }
    constexpr TSet operator+(TSet o) const { return FromBits(m_bits | o.m_bits); }
    constexpr TSet operator-(TSet o) const { return FromBits(m_bits & ~o.m_bits); }
    constexpr TSet operator*(TSet o) const { return FromBits(m_bits & o.m_bits); }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr std::uint64_t Bit(E e) { return std::uint64_t{1} << static_cast<unsigned>(e); }
    std::uint64_t m_bits = 0;
};

class TObject {
public:
    virtual ~TObject() = default;
    // The registered class name, or the C++ type name for classes that never registered.
    std::string ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

class TFiler;

class TPersistent : public TObject {
public:
    // Copies from source through source.AssignTo; a pair that does not know each other is a conversion error.
    virtual void Assign(const TPersistent* source);
    virtual void DefineProperties(TFiler& filer);

protected:
    virtual void AssignTo(TPersistent* dest) const;
};

enum TOperation { opInsert, opRemove };

enum TComponentStateItem {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

class TReader;
class TComponent;

// Receives the notifications of components in design state; tests install one to record them.
class IDesigner {
public:
    virtual ~IDesigner() = default;
    virtual void Notification(TComponent* component, TOperation operation) = 0;
    // The designed form changed in a way the designer should save.
    virtual void Modified() {}
};

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return m_owner; }
    int ComponentCount() const { return static_cast<int>(m_components.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;

    const std::string& Name() const { return m_name; }
    virtual void SetName(const std::string& name);
    std::intptr_t Tag() const { return m_tag; }
    void SetTag(std::intptr_t tag) { m_tag = tag; }
    // Where a form designer placed a component that is not a control: Left in the low 16 bits,
    // Top in the high 16 bits. It means nothing at run time; form resources hold it as Left and
    // Top, which are read and written back as they were.
    std::int32_t DesignInfo() const { return m_designInfo; }
    void SetDesignInfo(std::int32_t designInfo) { m_designInfo = designInfo; }
    void DefineProperties(TFiler& filer) override;

    // Case-insensitive search among the owned components.
    TComponent* FindComponent(std::string_view name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void DestroyComponents();

    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    TComponentState ComponentState() const { return m_state; }
    // Test helper: puts this component and everything it owns into design state.
    void SetDesigning(bool designing, bool setChildren = true);
    void SetDesigner(IDesigner* designer) { m_designer = designer; }
    IDesigner* Designer() const;

    // The reader's parent hook: components have no parent, controls override these.
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* parent);
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);

    virtual void ReadState(TReader& reader);
    virtual void Loaded();
    virtual void Updating();
    virtual void Updated();
    virtual void Notification(TComponent* component, TOperation operation);

    // Handler names bound to this component's events, kept for the writer.
    void SetEventBinding(const std::string& property, const std::string& handler);
    std::string EventBinding(const std::string& property) const;

    // Streaming and the framework set states through these.
    void IncludeState(TComponentStateItem item) { m_state.Include(item); }
    void ExcludeState(TComponentStateItem item) { m_state.Exclude(item); }

protected:
    virtual void ValidateRename(TComponent* component, const std::string& oldName,
                                const std::string& newName);
    virtual void Destroying();

private:
    void NotifyTree(TComponent* component, TOperation operation);

    TComponent* m_owner = nullptr;
    std::vector<TComponent*> m_components;
    std::vector<TComponent*> m_freeNotifies;
    std::string m_name;
    std::intptr_t m_tag = 0;
    std::int32_t m_designInfo = 0;
    TComponentState m_state;
    IDesigner* m_designer = nullptr;
    std::map<std::string, std::string> m_eventBindings;
};

class IInterface {
public:
    virtual ~IInterface() = default;
};

template <class I> I* Supports(TObject* object) {
    return dynamic_cast<I*>(object);
}
template <class I> const I* Supports(const TObject* object) {
    return dynamic_cast<const I*>(object);
}
template <class I> bool Supports(TObject* object, I*& out) {
    out = dynamic_cast<I*>(object);
    return out != nullptr;
}

} // namespace framework
