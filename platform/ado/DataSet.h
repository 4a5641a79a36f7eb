#pragma once

#include "platform/ado/Fields.h"
#include "platform/ado/RowSet.h"
#include "platform/framework/Classes.h"

#include <string>
#include <string_view>

namespace ado {

// A dataset holds its rows in memory while it is open and walks them with a cursor.
//
// Cursor rules: Open and First stand on the first record with Bof set; Last stands on the last record
// with Eof set. Next on the last record sets Eof and does not move; Prior on the first sets Bof and
// does not move. A move in the other direction clears the flag, so Prior after Eof steps back to the
// record before the last one. An empty or closed dataset has both Bof and Eof set.
//
// A dataset is a component, so that a form resource can hold one.
class TDataSet : public framework::TComponent {
public:
    explicit TDataSet(framework::TComponent* owner = nullptr) : TComponent(owner) {}

    bool Active() const { return m_active; }
    void SetActive(bool active);
    // Does nothing when already open; a failing open leaves the dataset closed.
    void Open();
    void Close();

    // Raise EDatabaseError on a closed dataset.
    void First();
    void Last();
    void Next();
    void Prior();
    int RecordCount() const;
    // 1-based position of the current record, 0 when empty.
    int RecNo() const;

    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    bool IsEmpty() const { return !m_active || m_rows.records.empty(); }

    // Fields exist while the dataset is open.
    TFields& Fields() { return m_fields; }
    const TFields& Fields() const { return m_fields; }
    int FieldCount() const { return m_fields.Count(); }
    TField* FindField(std::string_view fieldName) const { return m_fields.FindField(fieldName); }
    TField& FieldByName(std::string_view fieldName) const;

    // The value of column index in the current record; null when empty.
    const TFieldValue& CurrentValue(int index) const;

protected:
    // Fetches the rows; the dataset becomes open only when this returns.
    virtual TRowSet InternalOpen() = 0;
    virtual void InternalClose() {}
    // Put in front of error messages, so an error names the dataset that raised it.
    virtual std::string ErrorPrefix() const { return {}; }

    // Opens the dataset on rows that come from elsewhere (a file), closing it first.
    void OpenWith(TRowSet rows);
    const TRowSet& Rows() const { return m_rows; }
    void CheckActive() const;
    [[noreturn]] void RaiseError(const std::string& message) const;

private:
    void Activate(TRowSet rows);

    bool m_active = false;
    TRowSet m_rows;
    TFields m_fields;
    int m_current = 0;
    bool m_eof = true;
    bool m_bof = true;
};

} // namespace ado
