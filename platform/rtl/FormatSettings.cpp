#include "platform/rtl/FormatSettings.h"

namespace rtl {

TFormatSettings& FormatSettings() {
    static TFormatSettings settings;
    return settings;
}

void SetFormatSettings(const TFormatSettings& settings) {
    FormatSettings() = settings;
}

} // namespace rtl
