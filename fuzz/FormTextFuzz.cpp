// libFuzzer target: form-resource text through the parser and the reader into a form.
#include "platform/framework/FormResources.h"
#include "platform/framework/FormText.h"
#include "platform/framework/Forms.h"
#include "platform/rtl/Exceptions.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        framework::TFormObject tree = framework::ParseFormText(text, "fuzz.form");
        framework::FormatFormText(tree);
        framework::TForm form(nullptr);
        framework::ReadComponentText(form, text, "fuzz.form");
    } catch (const rtl::Exception&) {
        // Refusing bad input with an exception is the expected outcome.
    }
    return 0;
}
