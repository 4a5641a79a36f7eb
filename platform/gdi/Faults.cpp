#include "platform/gdi/Faults.h"

#include <array>

namespace gdi {

namespace {

constexpr int untilReset = -1;

// Failures still to come per call; untilReset fails every call.
std::array<int, 3> g_pending{};

int& PendingFor(FaultingCall call) {
    return g_pending[static_cast<std::size_t>(call)];
}

} // namespace

void FailNextCalls(FaultingCall call, int count) {
    PendingFor(call) = count > 0 ? count : 0;
}

void FailCallsUntilReset(FaultingCall call) {
    PendingFor(call) = untilReset;
}

void ResetFaults() {
    g_pending.fill(0);
}

bool CallFails(FaultingCall call) {
    int& pending = PendingFor(call);
    if (pending == 0)
        return false;
    if (pending > 0)
        --pending;
    return true;
}

} // namespace gdi
