#pragma once

#include "platform/framework/TypInfo.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>
#include <unordered_map>
#include <vector>

// What each library registered with the framework: its classes, form resources and bitmap
// resources. Registrations name the library that makes them (ThisLibrary), and each library gets
// a scope of its own on its first registration. The scope is dropped, with everything in it, when
// the library is unloaded or the process ends, while the library's code that the registrations
// refer to (property accessors, factories, handler bindings, enumeration tables) is still there.
namespace framework {

struct TFormResource {
    std::string name;
    std::string text;
    std::string rootClass;
};

struct TBitmapResource {
    std::string name;
    std::string data;
};

class TRegistrationScope {
public:
    explicit TRegistrationScope(const void* library) : m_library(library) {}
    TRegistrationScope(const TRegistrationScope&) = delete;
    TRegistrationScope& operator=(const TRegistrationScope&) = delete;

    const void* Library() const { return m_library; }

    // A second class of the same name raises; the same type again answers its first registration.
    TClassInfo& AddClass(std::string name, const std::type_info& type, const std::type_info* parent);
    const TClassInfo* ClassOfType(const std::type_info& type) const;
    // A class registered under another copy of the type's run-time type information, which a type
    // defined inline in headers may have in each library that uses it.
    const TClassInfo* ClassOfSameType(const std::type_info& type) const;
    const TClassInfo* ClassNamed(std::string_view name) const;

    // Registering a name again replaces the entry.
    void AddFormResource(TFormResource resource);
    const TFormResource* FormResourceNamed(std::string_view name) const;
    const TFormResource* FormResourceOfClass(std::string_view className) const;
    void AddBitmapResource(TBitmapResource resource);
    const TBitmapResource* BitmapResourceNamed(std::string_view name) const;

private:
    const void* m_library;
    std::vector<std::unique_ptr<TClassInfo>> m_classes;
    std::unordered_map<const std::type_info*, TClassInfo*> m_byType;
    std::multimap<std::string, TClassInfo*> m_byTypeName;
    std::map<std::string, TClassInfo*> m_byName; // upper-cased
    std::vector<TFormResource> m_forms;
    std::vector<TBitmapResource> m_bitmaps;
};

// The library's scope, made (and tied to the library's unloading) on first use.
TRegistrationScope& RegistrationScope(const void* library);
// Null when the library registered nothing.
const TRegistrationScope* FindRegistrationScope(const void* library);
const void* PlatformLibrary();
// Every live scope: the platform's first, then the others in the order they were made.
std::vector<const TRegistrationScope*> RegistrationScopes();

// Finds what `find` answers for a scope, looking in the asking library's scope first, then in the
// platform's, then in every other scope; a name that two other libraries register is ambiguous
// and raises ERegistrationError (`what` names it in the message).
template <class T, class F> const T* ResolveRegistered(const void* library, F find, const std::string& what) {
    const TRegistrationScope* own = FindRegistrationScope(library);
    if (own != nullptr)
        if (const T* found = find(*own))
            return found;
    const TRegistrationScope* platform = FindRegistrationScope(PlatformLibrary());
    if (platform != nullptr && platform != own)
        if (const T* found = find(*platform))
            return found;
    const T* match = nullptr;
    for (const TRegistrationScope* scope : RegistrationScopes()) {
        if (scope == own || scope == platform)
            continue;
        if (const T* found = find(*scope)) {
            if (match != nullptr)
                throw ERegistrationError(what + " is registered by more than one library");
            match = found;
        }
    }
    return match;
}

} // namespace framework
