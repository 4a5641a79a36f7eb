#pragma once

#include <string>

namespace rtl {

// Locale data of the text and date conversions. Routines that take no settings use the process-wide
// default, which tests may replace.
struct TFormatSettings {
    std::string ShortDateFormat = "yyyy-mm-dd";
    std::string LongDateFormat = "yyyy-mm-dd";
    std::string ShortTimeFormat = "hh:nn";
    std::string LongTimeFormat = "hh:nn:ss";
    char DecimalSeparator = '.';
    char DateSeparator = '-';
    char TimeSeparator = ':';
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
};

// The process-wide settings (initially those above). Not synchronised: set them before threads start.
TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);

} // namespace rtl
