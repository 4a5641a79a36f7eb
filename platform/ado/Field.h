#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace ado {

enum class TFieldType { ftUnknown, ftString, ftInteger, ftLargeint, ftFloat, ftBoolean, ftDateTime, ftBlob };

// What a column holds in one record: null, an integer, a real number, or text (also the bytes of a blob).
using TFieldValue = std::variant<std::monostate, std::int64_t, double, std::string>;

class TDataSet;

// One column of a dataset, read through the dataset's current record. A field lives while its
// dataset is open; closing the dataset destroys its fields.
class TField {
public:
    TField(TDataSet& dataSet, int index, std::string fieldName, TFieldType dataType);
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    const std::string& FieldName() const { return m_fieldName; }
    TFieldType DataType() const { return m_dataType; }
    int Index() const { return m_index; }
    TDataSet& DataSet() const { return m_dataSet; }

    // The value of the current record; null when the dataset is empty.
    const TFieldValue& Value() const;
    bool IsNull() const;

    // Null reads as "", 0, 0.0 and false. A text that is not a number raises EConvertError; so does
    // an integer outside the 32 bits of AsInteger.
    std::string AsString() const;
    int AsInteger() const;
    std::int64_t AsLargeInt() const;
    double AsFloat() const;
    bool AsBoolean() const;

private:
    TDataSet& m_dataSet;
    int m_index;
    std::string m_fieldName;
    TFieldType m_dataType;
};

} // namespace ado
