#pragma once

#include "platform/ado/Field.h"

#include <string>
#include <string_view>

namespace ado {

// Locale-free texts of values for the XML files: integers in decimal, reals in their shortest form
// that reads back to the same number, bytes in hexadecimal when hexBytes is set.
std::string ValueToText(const TFieldValue& value, bool hexBytes);

// Reads a text written by ValueToText for a column of the type. A text that does not fit the type
// stays text, as the database's own columns allow.
TFieldValue TextToValue(std::string_view text, TFieldType type);

} // namespace ado
