#pragma once

#include "platform/ado/Field.h"

#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace ado {

struct TColumn {
    std::string name;
    TFieldType type = TFieldType::ftString;
};

// One value per column; a column it holds no value for reads as null. Only the values present take
// memory, so a wide recordset of mostly empty rows stays small.
class TRecord {
public:
    TRecord() = default;
    // The value of column i at position i.
    TRecord(std::initializer_list<TFieldValue> values);

    // Columns are set in increasing order; setting null stores nothing.
    void Set(std::size_t column, TFieldValue value);
    const TFieldValue& Value(std::size_t column) const;
    // One more than the last column that holds a value.
    std::size_t Width() const { return m_values.empty() ? 0 : m_values.back().first + 1; }

private:
    std::vector<std::pair<std::size_t, TFieldValue>> m_values; // by column
};

// The rows a dataset holds while it is open: its columns and one value per column in each record.
struct TRowSet {
    std::vector<TColumn> columns;
    std::vector<TRecord> records;
};

} // namespace ado
