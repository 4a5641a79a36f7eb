#pragma once

#include <string>
#include <vector>

namespace host {

// Writes the persons' identifiers as a persisted recordset with the one column PerUUID.
void WriteUserListFile(const std::string& fileName, const std::vector<std::string>& perUUIDs);

} // namespace host
