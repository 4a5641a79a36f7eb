#pragma once

#include <string>

// What velmora prints: one line per step, tagged with who acts ("user", "wizard", "progress", ...).
namespace velmora {

void Say(const std::string& who, const std::string& text);
// An error line on standard error.
void Complain(const std::string& text);

} // namespace velmora
