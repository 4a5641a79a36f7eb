#pragma once

#include "platform/framework/Classes.h"

#include <any>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>

// Defined by the start-up code of every shared object and executable; its address names that library.
extern "C" void* __dso_handle __attribute__((visibility("hidden")));

namespace framework {

// The library whose code calls this. Hidden, so that each library answers with itself even where
// another library holds the same inline code.
[[gnu::visibility("hidden")]] inline const void* ThisLibrary() noexcept {
    return &__dso_handle;
}

class EPropertyError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};
class EClassNotFound : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};
// A name that more than one library registers, asked for where neither holds it.
class ERegistrationError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

// Names of an enumeration's values, in ordinal order.
struct TEnumInfo {
    std::string typeName;
    std::vector<std::string> names;
};

int GetEnumValue(const TEnumInfo& info, std::string_view name); // -1 when unknown
std::string GetEnumName(const TEnumInfo& info, std::int64_t value);
std::string SetToString(const TEnumInfo& elements, std::uint64_t bits, bool brackets = false);
std::uint64_t StringToSet(const TEnumInfo& elements, std::string_view text);

enum class TPropKind { Integer, Enumeration, Set, Color, Boolean, String, Component, Event, Class, Strings };

struct TPropInfo {
    std::string name;
    TPropKind kind = TPropKind::Integer;
    const TEnumInfo* enumInfo = nullptr;
    std::optional<std::int64_t> ordDefault;
    std::string strDefault;
    std::function<bool(const TPersistent&)> stored;

    std::function<std::int64_t(const TPersistent&)> getOrd;
    std::function<void(TPersistent&, std::int64_t)> setOrd;
    std::function<std::string(const TPersistent&)> getStr;
    std::function<void(TPersistent&, const std::string&)> setStr;
    std::function<TComponent*(const TPersistent&)> getComp;
    std::function<void(TPersistent&, TComponent*)> setComp;
    std::function<TPersistent*(TPersistent&)> getObj;
    std::function<std::vector<std::string>(const TPersistent&)> getStrings;
    std::function<void(TPersistent&, const std::vector<std::string>&)> setStrings;
    std::function<bool(const TPersistent&)> hasEvent;
    std::function<void(TPersistent&, const std::any&)> setEvent;

    bool IsStored(const TPersistent& obj) const { return !stored || stored(obj); }
};

class TClassInfo;

// A method of a form or frame that a resource names as an event handler; binding yields the
// std::function the event expects, wrapped in std::any.
struct THandlerInfo {
    std::string name;
    std::function<std::any(TPersistent& root)> bind;
};

class TClassInfo {
public:
    TClassInfo(std::string name, const std::type_info& type, const std::type_info* parent,
               const void* library);

    const std::string& Name() const { return m_name; }
    const std::type_info& Type() const { return *m_type; }
    // The library that registered the class (see ThisLibrary).
    const void* Library() const { return m_library; }
    // Looked up in the class's own library first.
    const TClassInfo* Parent() const;
    bool InheritsFrom(const TClassInfo* other) const;
    bool CanCreate() const { return static_cast<bool>(m_factory); }
    TComponent* Create(TComponent* owner) const;

    // Own properties only; PropertyList walks the base classes first.
    const std::vector<TPropInfo>& OwnProperties() const { return m_props; }
    std::vector<const TPropInfo*> PropertyList() const;
    const TPropInfo* FindProperty(std::string_view name) const;
    const THandlerInfo* FindHandler(std::string_view name) const;

    std::vector<TPropInfo>& MutableProperties() { return m_props; }
    std::vector<THandlerInfo>& MutableHandlers() { return m_handlers; }
    void SetFactory(std::function<TComponent*(TComponent*)> factory) { m_factory = std::move(factory); }

private:
    std::string m_name;
    const std::type_info* m_type;
    const std::type_info* m_parent;
    const void* m_library;
    mutable const TClassInfo* m_parentInfo = nullptr;
    std::function<TComponent*(TComponent*)> m_factory;
    std::vector<TPropInfo> m_props;
    std::vector<THandlerInfo> m_handlers;
};

// Registers a class for the given library (see RegisterClass).
TClassInfo& RegisterClassInfo(const void* library, std::string name, const std::type_info& type,
                              const std::type_info* parent);
// A class by name as the given library sees it: its own classes first, then the platform's, then
// a class that one other library registers. A name that several other libraries register raises
// ERegistrationError.
const TClassInfo* FindClassInfo(const void* library, std::string_view name);
[[gnu::visibility("hidden")]] inline const TClassInfo* FindClassInfo(std::string_view name) {
    return FindClassInfo(ThisLibrary(), name);
}
// The class registered for the type: the registration of this very type first, then one of an
// equal type (the platform's, or the only one).
const TClassInfo* FindClassInfo(const std::type_info& type);
const TClassInfo& GetClassInfo(const void* library, std::string_view name); // throws EClassNotFound
[[gnu::visibility("hidden")]] inline const TClassInfo& GetClassInfo(std::string_view name) {
    return GetClassInfo(ThisLibrary(), name);
}
const TClassInfo* ClassInfoOf(const TObject& object);

// By-name access to published properties.
const TPropInfo* GetPropInfo(const TPersistent& object, std::string_view name);
bool IsPublishedProp(const TPersistent& object, std::string_view name);
std::int64_t GetOrdProp(const TPersistent& object, std::string_view name);
void SetOrdProp(TPersistent& object, std::string_view name, std::int64_t value);
std::string GetEnumProp(const TPersistent& object, std::string_view name);
void SetEnumProp(TPersistent& object, std::string_view name, std::string_view value);
std::string GetSetProp(const TPersistent& object, std::string_view name, bool brackets = false);
void SetSetProp(TPersistent& object, std::string_view name, std::string_view value);
std::string GetStrProp(const TPersistent& object, std::string_view name);
void SetStrProp(TPersistent& object, std::string_view name, const std::string& value);
TComponent* GetObjectProp(const TPersistent& object, std::string_view name);
void SetObjectProp(TPersistent& object, std::string_view name, TComponent* value);

namespace detail {

template <class V> std::int64_t ToOrd(const V& v) {
    if constexpr (std::is_same_v<V, bool>)
        return v ? 1 : 0;
    else if constexpr (std::is_integral_v<V>)
        return static_cast<std::int64_t>(v);
    else if constexpr (std::is_enum_v<V>)
        return static_cast<std::int64_t>(v);
    else
        return static_cast<std::int64_t>(v.Bits());
}

template <class V> V FromOrd(std::int64_t v) {
    if constexpr (std::is_same_v<V, bool>)
        return v != 0;
    else if constexpr (std::is_integral_v<V> || std::is_enum_v<V>)
        return static_cast<V>(v);
    else
        return V::FromBits(static_cast<std::uint64_t>(v));
}

template <class S> struct SetterArg;
template <class C, class A> struct SetterArg<void (C::*)(A)> { using type = std::decay_t<A>; };
template <class C, class A> struct SetterArg<void (C::*)(A) noexcept> { using type = std::decay_t<A>; };
template <class C, class A> struct SetterArg<void (*)(C&, A)> { using type = std::decay_t<A>; };

template <class M> struct MemberFn;
template <class C, class... A> struct MemberFn<void (C::*)(A...)> {
    using function = std::function<void(A...)>;
};

} // namespace detail

// Registration of a class and its published properties:
//   static const auto reg = framework::RegisterClass<TMyPanel, TComponent>("TMyPanel")
//       .Integer("Width", &TMyPanel::Width, &TMyPanel::SetWidth, 0)
//       .Color("Color", &TMyPanel::Color, &TMyPanel::SetColor, clBtnFace).Stored(&TMyPanel::IsColorStored)
//       .Event("OnClick", &TMyPanel::OnClick);
template <class T> class TClassBuilder {
public:
    explicit TClassBuilder(TClassInfo& info) : m_info(&info) {}

    template <class G, class S>
    TClassBuilder& Integer(const char* name, G get, S set, std::optional<std::int64_t> def = std::nullopt) {
        return Ordinal(name, TPropKind::Integer, nullptr, get, set, def);
    }
    template <class G, class S, class D = std::int64_t>
    TClassBuilder& Enum(const char* name, G get, S set, const TEnumInfo& info,
                        std::optional<D> def = std::nullopt) {
        return Ordinal(name, TPropKind::Enumeration, &info, get, set, OptOrd(def));
    }
    template <class G, class S, class D = std::int64_t>
    TClassBuilder& Set(const char* name, G get, S set, const TEnumInfo& elements,
                       std::optional<D> def = std::nullopt) {
        return Ordinal(name, TPropKind::Set, &elements, get, set, OptOrd(def));
    }
    template <class G, class S>
    TClassBuilder& Color(const char* name, G get, S set, std::optional<std::int64_t> def = std::nullopt) {
        if (def)
            def = static_cast<std::int64_t>(static_cast<std::uint32_t>(*def));
        Ordinal(name, TPropKind::Color, nullptr, get, set, def);
        // Colours compare as 32-bit patterns whatever signedness the colour type has.
        auto getOrd = m_info->MutableProperties().back().getOrd;
        m_info->MutableProperties().back().getOrd = [getOrd](const TPersistent& o) {
            return static_cast<std::int64_t>(static_cast<std::uint32_t>(getOrd(o)));
        };
        return *this;
    }
    template <class G, class S>
    TClassBuilder& Boolean(const char* name, G get, S set, std::optional<bool> def = std::nullopt) {
        return Ordinal(name, TPropKind::Boolean, nullptr, get, set, OptOrd(def));
    }
    template <class G, class S> TClassBuilder& String(const char* name, G get, S set, std::string def = {}) {
        TPropInfo p = Base(name, TPropKind::String);
        p.strDefault = std::move(def);
        p.getStr = [get](const TPersistent& o) { return std::string(std::invoke(get, Self(o))); };
        p.setStr = [set](TPersistent& o, const std::string& v) { std::invoke(set, Self(o), v); };
        return Add(std::move(p));
    }
    template <class G, class S> TClassBuilder& Component(const char* name, G get, S set) {
        using Arg = typename detail::SetterArg<S>::type;
        using Target = std::remove_pointer_t<Arg>;
        TPropInfo p = Base(name, TPropKind::Component);
        p.getComp = [get](const TPersistent& o) -> TComponent* { return std::invoke(get, Self(o)); };
        std::string propName = name;
        p.setComp = [set, propName](TPersistent& o, TComponent* v) {
            Target* typed = nullptr;
            if (v != nullptr) {
                typed = dynamic_cast<Target*>(v);
                if (typed == nullptr)
                    throw EPropertyError("Invalid property value: " + v->Name() + " (" + v->ClassName() +
                                         ") does not fit property " + propName);
            }
            std::invoke(set, Self(o), typed);
        };
        return Add(std::move(p));
    }
    // A persistent sub-object such as a font; its own properties are streamed as Name.Sub.
    template <class G> TClassBuilder& Object(const char* name, G get) {
        TPropInfo p = Base(name, TPropKind::Class);
        p.getObj = [get](TPersistent& o) -> TPersistent* { return std::invoke(get, Self(o)); };
        return Add(std::move(p));
    }
    template <class G, class S> TClassBuilder& Strings(const char* name, G get, S set) {
        TPropInfo p = Base(name, TPropKind::Strings);
        p.getStrings = [get](const TPersistent& o) {
            return std::vector<std::string>(std::invoke(get, Self(o)));
        };
        p.setStrings = [set](TPersistent& o, const std::vector<std::string>& v) {
            std::invoke(set, Self(o), v);
        };
        return Add(std::move(p));
    }
    template <class C, class F> TClassBuilder& Event(const char* name, F C::*member) {
        TPropInfo p = Base(name, TPropKind::Event);
        p.hasEvent = [member](const TPersistent& o) { return static_cast<bool>(Self(o).*member); };
        std::string propName = name;
        p.setEvent = [member, propName](TPersistent& o, const std::any& handler) {
            const F* fn = std::any_cast<F>(&handler);
            if (fn == nullptr)
                throw EPropertyError("The handler does not fit event " + propName);
            Self(o).*member = *fn;
        };
        return Add(std::move(p));
    }
    // Applies to the property registered last.
    template <class P> TClassBuilder& Stored(P predicate) {
        m_info->MutableProperties().back().stored = [predicate](const TPersistent& o) {
            return static_cast<bool>(std::invoke(predicate, Self(o)));
        };
        return *this;
    }
    // A method that form resources may name as an event handler.
    template <class M> TClassBuilder& Handler(const char* name, M method) {
        m_info->MutableHandlers().push_back(THandlerInfo{
            name, [method](TPersistent& root) -> std::any { return Bind(static_cast<T*>(&root), method); }});
        return *this;
    }

    const TClassInfo& Info() const { return *m_info; }

private:
    static T& Self(TPersistent& o) { return static_cast<T&>(o); }
    static const T& Self(const TPersistent& o) { return static_cast<const T&>(o); }

    template <class C, class... A> static std::any Bind(T* self, void (C::*method)(A...)) {
        return std::function<void(A...)>(
            [self, method](A... args) { (self->*method)(std::forward<A>(args)...); });
    }

    template <class D> static std::optional<std::int64_t> OptOrd(const std::optional<D>& d) {
        if (!d)
            return std::nullopt;
        return detail::ToOrd(*d);
    }

    TPropInfo Base(const char* name, TPropKind kind) {
        TPropInfo p;
        p.name = name;
        p.kind = kind;
        return p;
    }

    template <class G, class S>
    TClassBuilder& Ordinal(const char* name, TPropKind kind, const TEnumInfo* info, G get, S set,
                           std::optional<std::int64_t> def) {
        using Arg = typename detail::SetterArg<S>::type;
        TPropInfo p = Base(name, kind);
        p.enumInfo = info;
        p.ordDefault = def;
        p.getOrd = [get](const TPersistent& o) { return detail::ToOrd(std::invoke(get, Self(o))); };
        p.setOrd = [set](TPersistent& o, std::int64_t v) {
            std::invoke(set, Self(o), detail::FromOrd<Arg>(v));
        };
        return Add(std::move(p));
    }

    TClassBuilder& Add(TPropInfo p) {
        m_info->MutableProperties().push_back(std::move(p));
        return *this;
    }

    TClassInfo* m_info;
};

// Registers T under name with Base as its streaming parent; components constructible from an
// owner get a factory so that resources can create them by name. The class belongs to the library
// whose code makes the call and goes when that library is unloaded.
template <class T, class Base>
[[gnu::visibility("hidden")]] TClassBuilder<T> RegisterClass(const char* name) {
    TClassInfo& info = RegisterClassInfo(ThisLibrary(), name, typeid(T), &typeid(Base));
    if constexpr (std::is_base_of_v<TComponent, T> && std::is_constructible_v<T, TComponent*> &&
                  !std::is_abstract_v<T>)
        info.SetFactory([](TComponent* owner) -> TComponent* { return new T(owner); });
    return TClassBuilder<T>(info);
}

template <class T> [[gnu::visibility("hidden")]] TClassBuilder<T> RegisterRootClass(const char* name) {
    return TClassBuilder<T>(RegisterClassInfo(ThisLibrary(), name, typeid(T), nullptr));
}

} // namespace framework
