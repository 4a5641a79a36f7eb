#pragma once

#include "platform/framework/Classes.h"
#include "platform/framework/TypInfo.h"

#include <string>
#include <string_view>

// Form resources compiled into a library. The build embeds each resources/*.form file through
// tarnwick_form_resources() (Resources.cmake); the generated code registers it for the library
// it is linked into, and the resource goes when that library is unloaded.
namespace framework {

void RegisterFormResource(const void* library, const std::string& name, std::string text);
[[gnu::visibility("hidden")]] inline void RegisterFormResource(const std::string& name, std::string text) {
    RegisterFormResource(ThisLibrary(), name, std::move(text));
}
// By name as the given library sees it: its own resources first, then the platform's, then one
// that a single other library has.
const std::string* FindFormResource(const void* library, std::string_view name);
[[gnu::visibility("hidden")]] inline const std::string* FindFormResource(std::string_view name) {
    return FindFormResource(ThisLibrary(), name);
}
// The resource whose root object is of the class, among those of the class's own library.
const std::string* FindFormResourceForClass(const TClassInfo& info, std::string* resourceName = nullptr);

void ReadComponentText(TComponent& root, std::string_view text, const std::string& resourceName);
// Looks the resource up as the library of root's class sees it.
void ReadComponentResource(TComponent& root, const std::string& resourceName);
// Loads the resource of root's class, or of the nearest base class that has one; false if none.
bool InitComponentFromResource(TComponent& root);
std::string WriteComponentText(TComponent& root);

struct TFormResourceRegistration {
    [[gnu::visibility("hidden")]] TFormResourceRegistration(const char* name, const unsigned char* data,
                                                            std::size_t size) {
        RegisterFormResource(ThisLibrary(), name, std::string(reinterpret_cast<const char*>(data), size));
    }
};

} // namespace framework
