#pragma once

#include "platform/ado/Field.h"

#include <memory>
#include <string_view>
#include <vector>

namespace ado {

// The fields of an open dataset, in column order; names are looked up ignoring ASCII case.
class TFields {
public:
    int Count() const { return static_cast<int>(m_fields.size()); }
    // Raises EDatabaseError for an index outside the list.
    TField& operator[](int index) const;
    TField* FindField(std::string_view fieldName) const;
    // Raises EDatabaseError naming the field when there is none.
    TField& FieldByName(std::string_view fieldName) const;

    void Add(std::unique_ptr<TField> field);
    void Clear() { m_fields.clear(); }

private:
    std::vector<std::unique_ptr<TField>> m_fields;
};

} // namespace ado
