#pragma once

#include "platform/rtl/Exceptions.h"

namespace xml {

// Raised for every failure of the XML document: invalid names, inactive documents, malformed input,
// unsupported encodings.
class EXMLDocError : public rtl::Exception {
public:
    using Exception::Exception;
};

} // namespace xml
