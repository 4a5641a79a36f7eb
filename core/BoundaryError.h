#pragma once

namespace tarnwick {

// For the exports whose errors belong to the host: call from a catch block. The error being handled
// is handed to the host through VekReportError, as the C boundary cannot carry it.
void ReportErrorToHost(const char* exportName) noexcept;

} // namespace tarnwick
