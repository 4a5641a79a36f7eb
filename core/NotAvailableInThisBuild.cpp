// Steps that this build does not have yet. Each raises, so the calling export answers as it does
// for any error. A unit that provides one of them removes its line here.

#include "core/NotAvailableInThisBuild.h"

#include "core/EntryRoutines.h"

namespace tarnwick {

void NotAvailable(const char* routine) {
    throw ENotAvailableInThisBuild(std::string(routine) + " is not available in this build");
}

std::int32_t RunResourceExport(std::int32_t) {
    NotAvailable("RunResourceExport");
}
bool PackProjectResources(const std::string&, const std::string&) {
    NotAvailable("PackProjectResources");
}
std::int32_t BuildArchivePackage(framework::TTreeView*, const std::string&, const std::string&) {
    NotAvailable("BuildArchivePackage");
}

} // namespace tarnwick
