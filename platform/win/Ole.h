#pragma once

namespace win {

// Start-up counters of the component runtime. Nothing else needs initialising here; the counts let
// tests see that every start-up is matched by a shut-down.
constexpr long S_OK = 0;
constexpr long S_FALSE = 1;

long OleInitialize(void* reserved);
void OleUninitialize();
long CoInitialize(void* reserved);
void CoUninitialize();

int OleInitCount();
int CoInitCount();

} // namespace win
