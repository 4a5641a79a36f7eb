#include "platform/ado/Fields.h"

#include "platform/ado/DatabaseError.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

namespace ado {

TField& TFields::operator[](int index) const {
    if (index < 0 || index >= Count())
        throw EDatabaseError("Field index " + rtl::IntToStr(index) + " out of range (" +
                             rtl::IntToStr(Count()) + " fields)");
    return *m_fields[static_cast<std::size_t>(index)];
}

TField* TFields::FindField(std::string_view fieldName) const {
    for (const auto& field : m_fields)
        if (rtl::SameText(field->FieldName(), fieldName))
            return field.get();
    return nullptr;
}

TField& TFields::FieldByName(std::string_view fieldName) const {
    if (TField* field = FindField(fieldName))
        return *field;
    throw EDatabaseError("Field '" + std::string(fieldName) + "' not found");
}

void TFields::Add(std::unique_ptr<TField> field) {
    m_fields.push_back(std::move(field));
}

} // namespace ado
