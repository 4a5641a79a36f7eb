#include "core/LogEntry.h"

#include "core/HostApi.h"

namespace tarnwick {

void WriteLogEntry(const std::string& message, const char* moduleCode) {
    sharemem::CountedText user;
    VekGetCurUUID(user.Var());
    VekLogWrite(message.c_str(), LogLevel, user.CStr(), moduleCode, LogProgram, LogKind);
}

} // namespace tarnwick
