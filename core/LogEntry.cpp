#include "core/LogEntry.h"

#include "core/BuildTrait.h"
#include "core/HostApi.h"
#include "core/HostSession.h"
#include "core/Messages.h"

namespace tarnwick {

void WriteLogEntry(const std::string& message, const char* moduleCode) {
    if constexpr (BuildTrait::WritesLogEntries)
        VekLogWrite(message.c_str(), LogLevel, CurrentUserId().c_str(), moduleCode, LogProgram, LogKind);
}

void ShowInfoAndLog(const std::string& message, const char* moduleCode) {
    ShowInfo(message);
    WriteLogEntry(message, moduleCode);
}

} // namespace tarnwick
