#include "controls/common/LuComStartup.h"

#include "platform/win/Ole.h"

namespace lu {

namespace {

int s_initCount = 0;

struct ComStartup {
    ComStartup() { ComStartupInitialize(); }
    ~ComStartup() { ComStartupFinalize(); }
    ComStartup(const ComStartup&) = delete;
    ComStartup& operator=(const ComStartup&) = delete;
};

const ComStartup s_comStartup;

} // namespace

void ComStartupInitialize() {
    if (s_initCount++ == 0)
        win::CoInitialize(nullptr);
}

void ComStartupFinalize() {
    if (s_initCount == 0)
        return;
    if (--s_initCount == 0)
        win::CoUninitialize();
}

int ComStartupCount() {
    return s_initCount;
}

} // namespace lu
