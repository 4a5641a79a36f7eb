#include "platform/ado/RowSet.h"

#include <algorithm>
#include <stdexcept>

namespace ado {

namespace {

const TFieldValue nullValue;

} // namespace

TRecord::TRecord(std::initializer_list<TFieldValue> values) {
    std::size_t column = 0;
    for (const TFieldValue& value : values)
        Set(column++, value);
}

void TRecord::Set(std::size_t column, TFieldValue value) {
    if (!m_values.empty() && column <= m_values.back().first)
        throw std::logic_error("record values are set in column order");
    if (!std::holds_alternative<std::monostate>(value))
        m_values.emplace_back(column, std::move(value));
}

const TFieldValue& TRecord::Value(std::size_t column) const {
    const auto found = std::lower_bound(m_values.begin(), m_values.end(), column,
                                        [](const auto& entry, std::size_t c) { return entry.first < c; });
    return found != m_values.end() && found->first == column ? found->second : nullValue;
}

} // namespace ado
