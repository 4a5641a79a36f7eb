#pragma once

#include <string>
#include <vector>

// What velmora prints: one line per step, tagged with who acts ("user", "wizard", "progress", ...).
namespace velmora {

void Say(const std::string& who, const std::string& text);
// "N files, X MiB" in the folders and below, for progress lines; an absent folder holds none.
std::string FolderTally(const std::vector<std::string>& folders);
// An error line on standard error.
void Complain(const std::string& text);

} // namespace velmora
