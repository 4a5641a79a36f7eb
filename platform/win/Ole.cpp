#include "platform/win/Ole.h"

namespace win {

namespace {
int g_oleCount = 0;
int g_coCount = 0;
} // namespace

// A repeated start-up answers S_FALSE and still needs its shut-down.
long OleInitialize(void*) { return g_oleCount++ == 0 ? S_OK : S_FALSE; }

void OleUninitialize() {
    if (g_oleCount > 0)
        --g_oleCount;
}

long CoInitialize(void*) { return g_coCount++ == 0 ? S_OK : S_FALSE; }

void CoUninitialize() {
    if (g_coCount > 0)
        --g_coCount;
}

int OleInitCount() { return g_oleCount; }
int CoInitCount() { return g_coCount; }

} // namespace win
