// Workers of the exports that this build does not have yet. Each raises, so the calling export
// answers as it does for any error. A unit that provides one of them removes its line here.

#include "core/EntryRoutines.h"

#include "platform/rtl/Exceptions.h"

namespace tarnwick {

namespace {

[[noreturn]] void NotAvailable(const char* routine) {
    throw rtl::Exception(std::string(routine) + " is not available in this build");
}

} // namespace

void ShowExportWizard() {
    NotAvailable("ShowExportWizard");
}
int ShowExportWizardInPortMode(const std::string&) {
    NotAvailable("ShowExportWizardInPortMode");
}
std::int32_t ImportPackage(const std::string&, const std::string&) {
    NotAvailable("ImportPackage");
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
