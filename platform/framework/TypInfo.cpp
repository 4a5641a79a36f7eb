#include "platform/framework/TypInfo.h"

#include "platform/framework/Registry.h"
#include "platform/rtl/Text.h"

namespace framework {

int GetEnumValue(const TEnumInfo& info, std::string_view name) {
    for (std::size_t i = 0; i < info.names.size(); ++i)
        if (rtl::SameText(info.names[i], name))
            return static_cast<int>(i);
    return -1;
}

std::string GetEnumName(const TEnumInfo& info, std::int64_t value) {
    if (value < 0 || value >= static_cast<std::int64_t>(info.names.size()))
        throw rtl::ERangeError(std::to_string(value) + " is not a valid " + info.typeName + " value");
    return info.names[static_cast<std::size_t>(value)];
}

std::string SetToString(const TEnumInfo& elements, std::uint64_t bits, bool brackets) {
    std::string out;
    for (std::size_t i = 0; i < elements.names.size() && i < 64; ++i) {
        if ((bits & (std::uint64_t{1} << i)) == 0)
            continue;
        if (!out.empty())
            out += ',';
        out += elements.names[i];
    }
    return brackets ? "[" + out + "]" : out;
}

std::uint64_t StringToSet(const TEnumInfo& elements, std::string_view textValue) {
    std::string_view s = textValue;
    auto trim = [](std::string_view v) {
        while (!v.empty() && static_cast<unsigned char>(v.front()) <= ' ')
            v.remove_prefix(1);
        while (!v.empty() && static_cast<unsigned char>(v.back()) <= ' ')
            v.remove_suffix(1);
        return v;
    };
    s = trim(s);
    if (!s.empty() && s.front() == '[') {
        if (s.back() != ']')
            throw EPropertyError("Invalid property value: " + std::string(textValue));
        s = s.substr(1, s.size() - 2);
    }
    std::uint64_t bits = 0;
    while (!trim(s).empty()) {
        std::size_t comma = s.find(',');
        std::string_view item = trim(s.substr(0, comma));
        int value = GetEnumValue(elements, item);
        if (value < 0)
            throw EPropertyError("Invalid property element: " + std::string(item) + " is not a " +
                                 elements.typeName + " value");
        bits |= std::uint64_t{1} << value;
        if (comma == std::string_view::npos)
            break;
        s = s.substr(comma + 1);
    }
    return bits;
}

TClassInfo::TClassInfo(std::string name, const std::type_info& type, const std::type_info* parent,
                       const void* library)
    : m_name(std::move(name)), m_type(&type), m_parent(parent), m_library(library) {}

const TClassInfo* TClassInfo::Parent() const {
    if (m_parent == nullptr || m_parentInfo != nullptr)
        return m_parentInfo;
    const TRegistrationScope* own = FindRegistrationScope(m_library);
    const TClassInfo* parent = nullptr;
    if (own != nullptr) {
        parent = own->ClassOfType(*m_parent);
        if (parent == nullptr)
            parent = own->ClassOfSameType(*m_parent);
    }
    if (parent == nullptr)
        parent = FindClassInfo(*m_parent);
    // A parent of the class's own library or of the platform lives as long as the class does;
    // one of another library is looked up again each time, since that library may go first.
    if (parent != nullptr && (parent->Library() == m_library || parent->Library() == PlatformLibrary()))
        m_parentInfo = parent;
    return parent;
}

bool TClassInfo::InheritsFrom(const TClassInfo* other) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent())
        if (c == other)
            return true;
    return false;
}

TComponent* TClassInfo::Create(TComponent* owner) const {
    if (!m_factory)
        throw EClassNotFound("Class " + m_name + " cannot be created by name");
    return m_factory(owner);
}

std::vector<const TPropInfo*> TClassInfo::PropertyList() const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent())
        chain.push_back(c);
    std::vector<const TPropInfo*> out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const TPropInfo& p : (*it)->m_props) {
            // A derived class may redeclare a property, for instance with another default.
            bool replaced = false;
            for (auto& existing : out)
                if (rtl::SameText(existing->name, p.name)) {
                    existing = &p;
                    replaced = true;
                }
            if (!replaced)
                out.push_back(&p);
        }
    return out;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent())
        for (const TPropInfo& p : c->m_props)
            if (rtl::SameText(p.name, name))
                return &p;
    return nullptr;
}

const THandlerInfo* TClassInfo::FindHandler(std::string_view name) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent())
        for (const THandlerInfo& h : c->m_handlers)
            if (rtl::SameText(h.name, name))
                return &h;
    return nullptr;
}

TClassInfo& RegisterClassInfo(const void* library, std::string name, const std::type_info& type,
                              const std::type_info* parent) {
    return RegistrationScope(library).AddClass(std::move(name), type, parent);
}

const TClassInfo* FindClassInfo(const void* library, std::string_view name) {
    return ResolveRegistered<TClassInfo>(
        library, [name](const TRegistrationScope& scope) { return scope.ClassNamed(name); },
        "Class " + std::string(name));
}

const TClassInfo* FindClassInfo(const std::type_info& type) {
    std::vector<const TRegistrationScope*> scopes = RegistrationScopes();
    for (const TRegistrationScope* scope : scopes)
        if (const TClassInfo* info = scope->ClassOfType(type))
            return info;
    // Another copy of the type information: the platform's class (listed first), or the only one.
    const TClassInfo* match = nullptr;
    for (const TRegistrationScope* scope : scopes) {
        const TClassInfo* info = scope->ClassOfSameType(type);
        if (info == nullptr)
            continue;
        if (scope->Library() == PlatformLibrary())
            return info;
        if (match != nullptr)
            return nullptr;
        match = info;
    }
    return match;
}

const TClassInfo& GetClassInfo(const void* library, std::string_view name) {
    const TClassInfo* info = FindClassInfo(library, name);
    if (info == nullptr)
        throw EClassNotFound("Class " + std::string(name) + " not found");
    return *info;
}

const TClassInfo* ClassInfoOf(const TObject& object) {
    return FindClassInfo(typeid(object));
}

const TPropInfo* GetPropInfo(const TPersistent& object, std::string_view name) {
    const TClassInfo* info = ClassInfoOf(object);
    return info == nullptr ? nullptr : info->FindProperty(name);
}

bool IsPublishedProp(const TPersistent& object, std::string_view name) {
    return GetPropInfo(object, name) != nullptr;
}

namespace {

const TPropInfo& Require(const TPersistent& object, std::string_view name,
                         std::initializer_list<TPropKind> kinds) {
    const TPropInfo* p = GetPropInfo(object, name);
    if (p == nullptr)
        throw EPropertyError("Property " + std::string(name) + " does not exist in " + object.ClassName());
    for (TPropKind k : kinds)
        if (p->kind == k)
            return *p;
    throw EPropertyError("Property " + std::string(name) + " of " + object.ClassName() + " has another type");
}

constexpr std::initializer_list<TPropKind> kOrdinalKinds = {
    TPropKind::Integer, TPropKind::Enumeration, TPropKind::Set, TPropKind::Color, TPropKind::Boolean};

} // namespace

std::int64_t GetOrdProp(const TPersistent& object, std::string_view name) {
    return Require(object, name, kOrdinalKinds).getOrd(object);
}

void SetOrdProp(TPersistent& object, std::string_view name, std::int64_t value) {
    const TPropInfo& p = Require(object, name, kOrdinalKinds);
    if (p.kind == TPropKind::Enumeration &&
        (value < 0 || value >= static_cast<std::int64_t>(p.enumInfo->names.size())))
        throw rtl::ERangeError(std::to_string(value) + " is not a valid " + p.enumInfo->typeName + " value");
    p.setOrd(object, value);
}

std::string GetEnumProp(const TPersistent& object, std::string_view name) {
    const TPropInfo& p = Require(object, name, {TPropKind::Enumeration, TPropKind::Boolean});
    if (p.kind == TPropKind::Boolean)
        return p.getOrd(object) ? "True" : "False";
    return GetEnumName(*p.enumInfo, p.getOrd(object));
}

void SetEnumProp(TPersistent& object, std::string_view name, std::string_view value) {
    const TPropInfo& p = Require(object, name, {TPropKind::Enumeration, TPropKind::Boolean});
    int v = -1;
    if (p.kind == TPropKind::Boolean)
        v = rtl::SameText(value, "True") ? 1 : rtl::SameText(value, "False") ? 0 : -1;
    else
        v = GetEnumValue(*p.enumInfo, value);
    if (v < 0)
        throw EPropertyError("Invalid property value: " + std::string(value));
    p.setOrd(object, v);
}

std::string GetSetProp(const TPersistent& object, std::string_view name, bool brackets) {
    const TPropInfo& p = Require(object, name, {TPropKind::Set});
    return SetToString(*p.enumInfo, static_cast<std::uint64_t>(p.getOrd(object)), brackets);
}

void SetSetProp(TPersistent& object, std::string_view name, std::string_view value) {
    const TPropInfo& p = Require(object, name, {TPropKind::Set});
    p.setOrd(object, static_cast<std::int64_t>(StringToSet(*p.enumInfo, value)));
}

std::string GetStrProp(const TPersistent& object, std::string_view name) {
    return Require(object, name, {TPropKind::String}).getStr(object);
}

void SetStrProp(TPersistent& object, std::string_view name, const std::string& value) {
    Require(object, name, {TPropKind::String}).setStr(object, value);
}

TComponent* GetObjectProp(const TPersistent& object, std::string_view name) {
    return Require(object, name, {TPropKind::Component}).getComp(object);
}

void SetObjectProp(TPersistent& object, std::string_view name, TComponent* value) {
    Require(object, name, {TPropKind::Component}).setComp(object, value);
}

} // namespace framework
