#include "platform/ado/DataSet.h"

#include "platform/ado/DatabaseError.h"
#include "platform/rtl/Numbers.h"

namespace ado {

namespace {

const TFieldValue nullValue;

// Two columns of one name ("select a.ID, b.ID") would hide each other from FieldByName.
std::string UniqueFieldName(const TFields& fields, const std::string& name) {
    if (!fields.FindField(name))
        return name;
    for (int n = 1;; ++n) {
        std::string candidate = name + "_" + rtl::IntToStr(n);
        if (!fields.FindField(candidate))
            return candidate;
    }
}

} // namespace

void TDataSet::SetActive(bool active) {
    if (active)
        Open();
    else
        Close();
}

void TDataSet::Open() {
    if (m_active)
        return;
    Activate(InternalOpen());
}

void TDataSet::OpenWith(TRowSet rows) {
    Close();
    Activate(std::move(rows));
}

void TDataSet::Activate(TRowSet rows) {
    for (const TRecord& record : rows.records)
        if (record.Width() > rows.columns.size())
            RaiseError("A record holds a value in column " + rtl::IntToStr(static_cast<long long>(record.Width())) +
                       " of " + rtl::IntToStr(static_cast<long long>(rows.columns.size())) + " columns");
    m_rows = std::move(rows);
    m_fields.Clear();
    for (std::size_t i = 0; i < m_rows.columns.size(); ++i) {
        const TColumn& column = m_rows.columns[i];
        m_fields.Add(std::make_unique<TField>(*this, static_cast<int>(i),
                                              UniqueFieldName(m_fields, column.name), column.type));
    }
    m_active = true;
    First();
}

void TDataSet::Close() {
    if (!m_active)
        return;
    m_active = false;
    m_fields.Clear();
    m_rows = {};
    m_current = 0;
    m_eof = m_bof = true;
    InternalClose();
}

void TDataSet::CheckActive() const {
    if (!m_active)
        RaiseError("Cannot perform this operation on a closed dataset");
}

void TDataSet::RaiseError(const std::string& message) const {
    throw EDatabaseError(ErrorPrefix() + message);
}

void TDataSet::First() {
    CheckActive();
    m_current = 0;
    m_bof = true;
    m_eof = m_rows.records.empty();
}

void TDataSet::Last() {
    CheckActive();
    m_current = m_rows.records.empty() ? 0 : static_cast<int>(m_rows.records.size()) - 1;
    m_eof = true;
    m_bof = m_rows.records.empty();
}

void TDataSet::Next() {
    CheckActive();
    if (m_eof)
        return;
    m_bof = false;
    if (m_current + 1 < static_cast<int>(m_rows.records.size()))
        ++m_current;
    else
        m_eof = true;
}

void TDataSet::Prior() {
    CheckActive();
    if (m_bof)
        return;
    m_eof = false;
    if (m_current > 0)
        --m_current;
    else
        m_bof = true;
}

int TDataSet::RecordCount() const {
    CheckActive();
    return static_cast<int>(m_rows.records.size());
}

int TDataSet::RecNo() const {
    CheckActive();
    return m_rows.records.empty() ? 0 : m_current + 1;
}

TField& TDataSet::FieldByName(std::string_view fieldName) const {
    if (TField* field = m_fields.FindField(fieldName))
        return *field;
    RaiseError("Field '" + std::string(fieldName) + "' not found");
}

const TFieldValue& TDataSet::CurrentValue(int index) const {
    if (!m_active || m_rows.records.empty())
        return nullValue;
    const TRecord& record = m_rows.records[static_cast<std::size_t>(m_current)];
    if (index < 0 || static_cast<std::size_t>(index) >= m_rows.columns.size())
        RaiseError("Field index " + rtl::IntToStr(index) + " out of range");
    return record.Value(static_cast<std::size_t>(index));
}

} // namespace ado
