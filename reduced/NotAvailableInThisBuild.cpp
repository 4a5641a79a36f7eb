// Steps of the reduced build that it does not have yet; each raises, so the calling export answers
// as it does for any error.

#include "core/NotAvailableInThisBuild.h"
#include "core/EntryRoutines.h"
#include "core/export/ExportRun.h"

namespace tarnwick {

std::int32_t ImportPackage(const std::string&, const std::string&) {
    NotAvailable("ImportPackage");
}

void ExportPackage(ExportRunWizard&) {
    NotAvailable("ExportPackage");
}

} // namespace tarnwick
