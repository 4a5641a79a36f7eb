#include "core/BoundaryError.h"

#include "core/HostApi.h"

#include <exception>
#include <string>

namespace tarnwick {

void ReportErrorToHost(const char* exportName) noexcept {
    try {
        std::string message = "unknown error";
        try {
            throw;
        } catch (const std::exception& e) {
            message = e.what();
        } catch (...) {
        }
        VekReportError(exportName, message.c_str());
    } catch (...) {
        // Nothing is left to tell the host with; the export's own answer still says it failed.
    }
}

} // namespace tarnwick
