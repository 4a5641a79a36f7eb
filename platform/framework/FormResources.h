#pragma once

#include "platform/framework/Classes.h"

#include <string>
#include <string_view>

// Form resources compiled into a library. The build embeds each resources/*.form file through
// tarnwick_form_resources() (FormResources.cmake); the generated code calls RegisterFormResource.
namespace framework {

void RegisterFormResource(const std::string& name, std::string text);
const std::string* FindFormResource(std::string_view name);
// The resource whose root object is of the given class, if any.
const std::string* FindFormResourceForClass(std::string_view className, std::string* resourceName = nullptr);

void ReadComponentText(TComponent& root, std::string_view text, const std::string& resourceName);
void ReadComponentResource(TComponent& root, const std::string& resourceName);
// Loads the resource of root's class, or of the nearest base class that has one; false if none.
bool InitComponentFromResource(TComponent& root);
std::string WriteComponentText(TComponent& root);

struct TFormResourceRegistration {
    TFormResourceRegistration(const char* name, const unsigned char* data, std::size_t size) {
        RegisterFormResource(name, std::string(reinterpret_cast<const char*>(data), size));
    }
};

} // namespace framework
