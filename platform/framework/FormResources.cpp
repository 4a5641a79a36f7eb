#include "platform/framework/FormResources.h"

#include "platform/framework/Filer.h"
#include "platform/framework/FormText.h"
#include "platform/rtl/Text.h"
#include "platform/framework/TypInfo.h"

#include <vector>

namespace framework {

namespace {

struct Resource {
    std::string name;
    std::string text;
    std::string rootClass;
};

std::vector<Resource>& Resources() {
    static std::vector<Resource> resources;
    return resources;
}

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

void RegisterFormResource(const std::string& name, std::string textValue) {
    std::string rootClass = RootClassOf(textValue);
    for (Resource& r : Resources())
        if (rtl::SameText(r.name, name)) {
            r.text = std::move(textValue);
            r.rootClass = std::move(rootClass);
            return;
        }
    Resources().push_back(Resource{name, std::move(textValue), std::move(rootClass)});
}

const std::string* FindFormResource(std::string_view name) {
    for (const Resource& r : Resources())
        if (rtl::SameText(r.name, name))
            return &r.text;
    return nullptr;
}

const std::string* FindFormResourceForClass(std::string_view className, std::string* resourceName) {
    for (const Resource& r : Resources())
        if (rtl::SameText(r.rootClass, className)) {
            if (resourceName != nullptr)
                *resourceName = r.name;
            return &r.text;
        }
    return nullptr;
}

void ReadComponentText(TComponent& root, std::string_view textValue, const std::string& resourceName) {
    TFormObject tree = ParseFormText(textValue, resourceName);
    TReader reader(tree, resourceName);
    reader.ReadRootComponent(root);
}

void ReadComponentResource(TComponent& root, const std::string& resourceName) {
    const std::string* textValue = FindFormResource(resourceName);
    if (textValue == nullptr)
        throw EReadError("Resource " + resourceName + " not found");
    ReadComponentText(root, *textValue, resourceName);
}

bool InitComponentFromResource(TComponent& root) {
    const TClassInfo* info = ClassInfoOf(root);
    if (info == nullptr)
        throw EReadError("Class " + root.ClassName() + " is not registered");
    for (const TClassInfo* c = info; c != nullptr; c = c->Parent()) {
        std::string name;
        if (const std::string* textValue = FindFormResourceForClass(c->Name(), &name)) {
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
