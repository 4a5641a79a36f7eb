#include "platform/gdi/Faults.h"

#include <array>

namespace gdi {

namespace {

constexpr int untilReset = -1;

// Per call: the calls that still succeed before the failures, and the failures still to come
// (untilReset fails every call).
struct Plan {
    int passing = 0;
    int pending = 0;
};
std::array<Plan, 3> g_plans{};

Plan& PlanFor(FaultingCall call) {
    return g_plans[static_cast<std::size_t>(call)];
}

} // namespace

void FailNextCalls(FaultingCall call, int count) {
    PlanFor(call) = Plan{0, count > 0 ? count : 0};
}

void FailOneCallAfter(FaultingCall call, int passing) {
    PlanFor(call) = Plan{passing > 0 ? passing : 0, 1};
}

void FailCallsUntilReset(FaultingCall call) {
    PlanFor(call) = Plan{0, untilReset};
}

void ResetFaults() {
    g_plans.fill(Plan{});
}

bool CallFails(FaultingCall call) {
    Plan& plan = PlanFor(call);
    int& pending = plan.pending;
    if (pending == 0)
        return false;
    if (plan.passing > 0) {
        --plan.passing;
        return false;
    }
    if (pending > 0)
        --pending;
    return true;
}

} // namespace gdi
