// Steps that this build does not have yet. Each raises, so the calling export answers as it does
// for any error. A unit that provides one of them removes its line here.

#include "core/NotAvailableInThisBuild.h"

#include "core/EntryRoutines.h"

namespace tarnwick {

void NotAvailable(const char* routine) {
    throw ENotAvailableInThisBuild(std::string(routine) + " is not available in this build");
}

} // namespace tarnwick
