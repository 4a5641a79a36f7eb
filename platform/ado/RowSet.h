#pragma once

#include "platform/ado/Field.h"

#include <string>
#include <vector>

namespace ado {

struct TColumn {
    std::string name;
    TFieldType type = TFieldType::ftString;
};

using TRecord = std::vector<TFieldValue>;

// The rows a dataset holds while it is open: its columns and one value per column in each record.
struct TRowSet {
    std::vector<TColumn> columns;
    std::vector<TRecord> records;
};

} // namespace ado
