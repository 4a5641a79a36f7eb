#pragma once

#include <string>
#include <vector>

namespace host {

// Writes the persons' identifiers as a persisted recordset (schema and rows, one column PerUUID).
// To be replaced by the data layer's recordset SaveToFile once it exists.
void WriteUserListFile(const std::string& fileName, const std::vector<std::string>& perUUIDs);

} // namespace host
