#include "core/HostSession.h"

#include "core/HostApi.h"

namespace tarnwick {

namespace {

std::string Ask(void stdcall (*hostFunction)(sharemem::PText*)) {
    sharemem::CountedText answer;
    hostFunction(answer.Var());
    return answer.Str();
}

} // namespace

std::string CurrentUserId() {
    return Ask(&VekGetCurUUID);
}

std::string OpenProjectSerial() {
    return Ask(&VekGetCurPrjSerial);
}

std::string HostProgramUserId() {
    return Ask(&GetCurUUID);
}

std::string HostProgramProjectSerial() {
    return Ask(&GetCurPrjSerial);
}

} // namespace tarnwick
