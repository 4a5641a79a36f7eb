#include "platform/framework/Registry.h"

#include "platform/rtl/Text.h"

#include <algorithm>
#include <cxxabi.h>

namespace framework {

namespace {

// Never destroyed, so that it outlives the exit handler of every library, in whatever order they
// run; each scope is dropped by its own library's handler.
std::vector<std::unique_ptr<TRegistrationScope>>& Scopes() {
    static auto* scopes = new std::vector<std::unique_ptr<TRegistrationScope>>;
    return *scopes;
}

// Runs when the library of the scope is unloaded, or at exit.
void DropScope(void* scope) {
    auto& scopes = Scopes();
    scopes.erase(
        std::remove_if(scopes.begin(), scopes.end(),
                       [scope](const std::unique_ptr<TRegistrationScope>& s) { return s.get() == scope; }),
        scopes.end());
}

template <class List> auto FindNamed(List& list, std::string_view name) -> decltype(&list.front()) {
    for (auto& r : list)
        if (rtl::SameText(r.name, name))
            return &r;
    return nullptr;
}

template <class R> void AddOrReplace(std::vector<R>& list, R resource) {
    if (R* existing = FindNamed(list, resource.name))
        *existing = std::move(resource);
    else
        list.push_back(std::move(resource));
}

} // namespace

TClassInfo& TRegistrationScope::AddClass(std::string name, const std::type_info& type,
                                         const std::type_info* parent) {
    std::string key = rtl::UpperCase(name);
    auto named = m_byName.find(key);
    if (named != m_byName.end()) {
        if (&named->second->Type() != &type)
            throw EComponentError("A class named " + name + " is already registered");
        return *named->second;
    }
    auto info = std::make_unique<TClassInfo>(std::move(name), type, parent, m_library);
    TClassInfo* added = info.get();
    m_classes.push_back(std::move(info));
    m_byType[&type] = added;
    m_byTypeName.emplace(type.name(), added);
    m_byName[key] = added;
    return *added;
}

const TClassInfo* TRegistrationScope::ClassOfType(const std::type_info& type) const {
    auto it = m_byType.find(&type);
    return it == m_byType.end() ? nullptr : it->second;
}

const TClassInfo* TRegistrationScope::ClassOfSameType(const std::type_info& type) const {
    auto [first, last] = m_byTypeName.equal_range(type.name());
    for (auto it = first; it != last; ++it)
        if (it->second->Type() == type)
            return it->second;
    return nullptr;
}

const TClassInfo* TRegistrationScope::ClassNamed(std::string_view name) const {
    auto it = m_byName.find(rtl::UpperCase(name));
    return it == m_byName.end() ? nullptr : it->second;
}

void TRegistrationScope::AddFormResource(TFormResource resource) {
    AddOrReplace(m_forms, std::move(resource));
}

const TFormResource* TRegistrationScope::FormResourceNamed(std::string_view name) const {
    return FindNamed(m_forms, name);
}

const TFormResource* TRegistrationScope::FormResourceOfClass(std::string_view className) const {
    for (const TFormResource& r : m_forms)
        if (rtl::SameText(r.rootClass, className))
            return &r;
    return nullptr;
}

void TRegistrationScope::AddBitmapResource(TBitmapResource resource) {
    AddOrReplace(m_bitmaps, std::move(resource));
}

const TBitmapResource* TRegistrationScope::BitmapResourceNamed(std::string_view name) const {
    return FindNamed(m_bitmaps, name);
}

TRegistrationScope& RegistrationScope(const void* library) {
    for (auto& scope : Scopes())
        if (scope->Library() == library)
            return *scope;
    auto& scopes = Scopes();
    scopes.push_back(std::make_unique<TRegistrationScope>(library));
    TRegistrationScope* scope = scopes.back().get();
    // The library's exit handlers run when it is unloaded and at exit; its code is still mapped.
    __cxxabiv1::__cxa_atexit(&DropScope, scope, const_cast<void*>(library));
    return *scope;
}

const TRegistrationScope* FindRegistrationScope(const void* library) {
    for (const auto& scope : Scopes())
        if (scope->Library() == library)
            return scope.get();
    return nullptr;
}

const void* PlatformLibrary() {
    return ThisLibrary();
}

std::vector<const TRegistrationScope*> RegistrationScopes() {
    std::vector<const TRegistrationScope*> out;
    const TRegistrationScope* platform = FindRegistrationScope(PlatformLibrary());
    if (platform != nullptr)
        out.push_back(platform);
    for (const auto& scope : Scopes())
        if (scope.get() != platform)
            out.push_back(scope.get());
    return out;
}

} // namespace framework
