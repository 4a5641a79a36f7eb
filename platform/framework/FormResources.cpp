#include "platform/framework/FormResources.h"

#include "platform/framework/Filer.h"
#include "platform/framework/FormText.h"
#include "platform/framework/Registry.h"

namespace framework {

namespace {

// Only the header line is looked at here: registration runs during start-up, where a
// malformed resource must not abort; the reader reports it when the resource is used.
std::string RootClassOf(const std::string& textValue) {
    std::size_t object = textValue.find("object");
    if (object == std::string::npos)
        return {};
    std::size_t colon = textValue.find(':', object);
    std::size_t eol = textValue.find('\n', object);
    if (colon == std::string::npos || (eol != std::string::npos && colon > eol))
        return {};
    std::size_t start = textValue.find_first_not_of(" \t", colon + 1);
    if (start == std::string::npos)
        return {};
    std::size_t end = textValue.find_first_of(" \t\r\n", start);
    return textValue.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

} // namespace

void RegisterFormResource(const void* library, const std::string& name, std::string textValue) {
    std::string rootClass = RootClassOf(textValue);
    RegistrationScope(library).AddFormResource(
        TFormResource{name, std::move(textValue), std::move(rootClass)});
}

const std::string* FindFormResource(const void* library, std::string_view name) {
    const TFormResource* found = ResolveRegistered<TFormResource>(
        library, [name](const TRegistrationScope& scope) { return scope.FormResourceNamed(name); },
        "Form resource " + std::string(name));
    return found == nullptr ? nullptr : &found->text;
}

const std::string* FindFormResourceForClass(const TClassInfo& info, std::string* resourceName) {
    const TRegistrationScope* scope = FindRegistrationScope(info.Library());
    const TFormResource* found = scope == nullptr ? nullptr : scope->FormResourceOfClass(info.Name());
    if (found == nullptr)
        return nullptr;
    if (resourceName != nullptr)
        *resourceName = found->name;
    return &found->text;
}

void ReadComponentText(TComponent& root, std::string_view textValue, const std::string& resourceName) {
    TFormObject tree = ParseFormText(textValue, resourceName);
    TReader reader(tree, resourceName);
    reader.ReadRootComponent(root);
}

namespace {

const TClassInfo& RegisteredClassOf(const TComponent& root) {
    const TClassInfo* info = ClassInfoOf(root);
    if (info == nullptr)
        throw EReadError("Class " + root.ClassName() + " is not registered");
    return *info;
}

} // namespace

void ReadComponentResource(TComponent& root, const std::string& resourceName) {
    const std::string* textValue = FindFormResource(RegisteredClassOf(root).Library(), resourceName);
    if (textValue == nullptr)
        throw EReadError("Resource " + resourceName + " not found");
    ReadComponentText(root, *textValue, resourceName);
}

bool InitComponentFromResource(TComponent& root) {
    for (const TClassInfo* c = &RegisteredClassOf(root); c != nullptr; c = c->Parent()) {
        std::string name;
        if (const std::string* textValue = FindFormResourceForClass(*c, &name)) {
            ReadComponentText(root, *textValue, name);
            return true;
        }
    }
    return false;
}

std::string WriteComponentText(TComponent& root) {
    TWriter writer(root);
    return FormatFormText(writer.WriteRootComponent());
}

} // namespace framework
