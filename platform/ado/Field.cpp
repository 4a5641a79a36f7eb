#include "platform/ado/Field.h"

#include "platform/ado/DataSet.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

#include <cmath>
#include <limits>

namespace ado {

TField::TField(TDataSet& dataSet, int index, std::string fieldName, TFieldType dataType)
    : m_dataSet(dataSet), m_index(index), m_fieldName(std::move(fieldName)), m_dataType(dataType) {}

const TFieldValue& TField::Value() const {
    return m_dataSet.CurrentValue(m_index);
}

bool TField::IsNull() const {
    return std::holds_alternative<std::monostate>(Value());
}

std::string TField::AsString() const {
    const TFieldValue& v = Value();
    if (const auto* i = std::get_if<std::int64_t>(&v)) {
        if (m_dataType == TFieldType::ftBoolean)
            return rtl::BoolToStr(*i != 0, true);
        return rtl::IntToStr(*i);
    }
    if (const auto* d = std::get_if<double>(&v))
        return rtl::FloatToStr(*d);
    if (const auto* s = std::get_if<std::string>(&v))
        return *s;
    return {};
}

std::int64_t TField::AsLargeInt() const {
    const TFieldValue& v = Value();
    if (const auto* i = std::get_if<std::int64_t>(&v))
        return *i;
    if (const auto* d = std::get_if<double>(&v)) {
        // Rounds half to even, like the conversion of a real to an ordinal it stands in for.
        const double r = std::nearbyint(*d);
        if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0))
            throw rtl::EConvertError("Field '" + m_fieldName + "': " + rtl::FloatToStr(*d) +
                                     " is not a valid integer value");
        return static_cast<std::int64_t>(r);
    }
    if (const auto* s = std::get_if<std::string>(&v)) {
        if (m_dataType == TFieldType::ftBlob)
            throw rtl::EConvertError("Field '" + m_fieldName + "' holds binary data, not an integer");
        return rtl::StrToInt64(*s);
    }
    return 0;
}

int TField::AsInteger() const {
    const TFieldValue& v = Value();
    if (const auto* s = std::get_if<std::string>(&v); s && m_dataType != TFieldType::ftBlob)
        return rtl::StrToInt(*s);
    const std::int64_t value = AsLargeInt();
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw rtl::EConvertError("Field '" + m_fieldName + "': " + rtl::IntToStr(value) +
                                 " is out of the range of an integer");
    return static_cast<int>(value);
}

double TField::AsFloat() const {
    const TFieldValue& v = Value();
    if (const auto* i = std::get_if<std::int64_t>(&v))
        return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&v))
        return *d;
    if (const auto* s = std::get_if<std::string>(&v)) {
        if (m_dataType == TFieldType::ftBlob)
            throw rtl::EConvertError("Field '" + m_fieldName + "' holds binary data, not a number");
        return rtl::StrToFloat(*s);
    }
    return 0.0;
}

bool TField::AsBoolean() const {
    const TFieldValue& v = Value();
    if (const auto* i = std::get_if<std::int64_t>(&v))
        return *i != 0;
    if (const auto* d = std::get_if<double>(&v))
        return *d != 0.0;
    if (const auto* s = std::get_if<std::string>(&v)) {
        const std::string t = rtl::LowerCase(rtl::Trim(*s));
        if (t == "true" || t == "t" || t == "yes" || t == "y" || t == "1" || t == "-1")
            return true;
        if (t == "false" || t == "f" || t == "no" || t == "n" || t == "0")
            return false;
        throw rtl::EConvertError("Field '" + m_fieldName + "': '" + *s + "' is not a valid Boolean value");
    }
    return false;
}

} // namespace ado
