#pragma once

#include <string>

namespace tarnwick {

// One column of the Vek_PackMod row whose ModCaption is the trimmed caption, as text; empty when no
// row has that caption. Errors of the query reach the caller.
void ReadPackModField(const std::string& caption, const std::string& column, std::string& value);

} // namespace tarnwick
