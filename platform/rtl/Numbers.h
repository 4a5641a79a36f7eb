#pragma once

#include "platform/rtl/FormatSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace rtl {

std::string IntToStr(long long value);
// Decimal or hexadecimal ("$1F", "0x1F") with an optional sign and leading blanks; anything else,
// or a value outside the type, raises EConvertError.
int StrToInt(std::string_view s);
std::int64_t StrToInt64(std::string_view s);
int StrToIntDef(std::string_view s, int defaultValue);
bool TryStrToInt(std::string_view s, int& value);

// Digits with the settings' decimal separator and an optional exponent, blanks allowed around them.
double StrToFloat(std::string_view s, const TFormatSettings& settings = FormatSettings());
double StrToFloatDef(std::string_view s, double defaultValue,
                     const TFormatSettings& settings = FormatSettings());
bool TryStrToFloat(std::string_view s, double& value, const TFormatSettings& settings = FormatSettings());

// The general format: the shortest text of at most 15 significant digits; fixed notation while the
// magnitude has at most 15 integer digits and is at least 0.0001, otherwise "1.5E-7" / "1E20".
std::string FloatToStr(double value, const TFormatSettings& settings = FormatSettings());
// The general format with another number of significant digits (1 to 18).
std::string FloatToStrGeneral(double value, int precision,
                              const TFormatSettings& settings = FormatSettings());

// "True"/"False" with useBoolStrs, otherwise "-1"/"0".
std::string BoolToStr(bool value, bool useBoolStrs = false);

} // namespace rtl
