#pragma once

#include <string>
#include <string_view>

// Small ASCII text helpers the framework needs before the run-time library's string unit lands.
namespace framework::text {

char UpperAscii(char c);
bool SameText(std::string_view a, std::string_view b);
std::string UpperCaseAscii(std::string_view s);
bool IsValidIdent(std::string_view s);

} // namespace framework::text
