#include "host/UserListFile.h"

#include "platform/ado/RecordsetXml.h"

namespace host {

void WriteUserListFile(const std::string& fileName, const std::vector<std::string>& perUUIDs) {
    ado::TRowSet rows;
    rows.columns.push_back({"PerUUID", ado::TFieldType::ftString});
    for (const std::string& id : perUUIDs)
        rows.records.push_back({id});
    ado::SaveRecordsetXml(rows, fileName);
}

} // namespace host
