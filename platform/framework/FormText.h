#pragma once

#include "platform/rtl/Exceptions.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The text form of a form resource, parsed into a tree before any object is touched.
namespace framework {

class EReadError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

struct TFormValue {
    enum Kind { Integer, Ident, String, Set, List, Binary };
    Kind kind = Integer;
    std::int64_t integer = 0;
    std::string text;              // identifier, string or binary bytes
    std::vector<TFormValue> items; // set elements (identifiers) or list items
    int line = 0;
};

struct TFormProperty {
    std::string path; // "Caption" or "Font.Name"
    TFormValue value;
    int line = 0;
};

struct TFormObject {
    std::string name;
    std::string className;
    int line = 0;
    std::vector<TFormProperty> properties;
    std::vector<TFormObject> children;
};

// Throws EReadError naming the resource and line.
TFormObject ParseFormText(std::string_view text, const std::string& resourceName);
std::string FormatFormText(const TFormObject& root);
std::string FormatFormValue(const TFormValue& value, int indent);

} // namespace framework
