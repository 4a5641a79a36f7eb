#pragma once

#include <string>

namespace rtl {

// The folder of the running program with a trailing separator: the executable's folder unless
// SetProgramFolder chose another (the host sets its installation folder, tests a scratch folder).
std::string ProgramFolder();
// An empty text goes back to the executable's folder; a missing trailing separator is added.
void SetProgramFolder(const std::string& folder);

} // namespace rtl
