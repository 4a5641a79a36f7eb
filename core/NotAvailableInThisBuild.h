#pragma once

#include "platform/rtl/Exceptions.h"

namespace tarnwick {

// A step whose unit this build does not have yet. Guards that turn errors into answers let it pass,
// so that the export's own guard meets it instead of a routine reporting a plain failure.
class ENotAvailableInThisBuild : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

[[noreturn]] void NotAvailable(const char* routine);

} // namespace tarnwick
