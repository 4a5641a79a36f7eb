#include "platform/rtl/Exceptions.h"

namespace rtl {

Exception::Exception(const std::string& message) : std::runtime_error(message) {}

} // namespace rtl
