#include "host/ziptool/ZipToolSettings.h"

#include <mutex>

namespace host {

namespace {

std::mutex settingsMutex;
TZipToolSettings settings;

} // namespace

TZipToolSettings ZipToolSettings() {
    std::lock_guard lock(settingsMutex);
    return settings;
}

void SetZipToolSettings(const TZipToolSettings& value) {
    std::lock_guard lock(settingsMutex);
    settings = value;
}

} // namespace host
