#pragma once

// A switch that makes chosen calls of the device fail, so that the error paths of their callers
// can be tested: a region the system refuses, a drawing state that cannot be saved or restored.

namespace gdi {

enum class FaultingCall { CreatePolygonRgn, SaveDC, RestoreDC };

// The next count calls fail; earlier settings for the call are replaced.
void FailNextCalls(FaultingCall call, int count);
// The next passing calls succeed, the one after fails, and the later ones succeed again (a
// failure at one chosen point of a longer sequence); earlier settings are replaced.
void FailOneCallAfter(FaultingCall call, int passing);
// Every call fails until ResetFaults.
void FailCallsUntilReset(FaultingCall call);
// All calls succeed again.
void ResetFaults();

// Asked by the device at the start of the call; counts the call against a pending failure.
bool CallFails(FaultingCall call);

} // namespace gdi
