#pragma once

#include "platform/ado/Field.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ado {

// A value bound to ":Name" in the statement text; never spliced into the text.
class TParameter {
public:
    explicit TParameter(std::string name) : m_name(std::move(name)) {}

    const std::string& Name() const { return m_name; }
    const TFieldValue& Value() const { return m_value; }
    void SetValue(TFieldValue value) { m_value = std::move(value); }
    void SetNull() { m_value = std::monostate{}; }
    void SetAsString(std::string value) { m_value = std::move(value); }
    void SetAsInteger(std::int64_t value) { m_value = value; }
    void SetAsFloat(double value) { m_value = value; }
    void SetAsBoolean(bool value) { m_value = std::int64_t{value ? 1 : 0}; }

private:
    std::string m_name;
    TFieldValue m_value;
};

// The parameters of a statement text, in order of first appearance; names ignore ASCII case.
class TParameters {
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    // Raise EDatabaseError for an unknown index or name.
    TParameter& operator[](int index) const;
    TParameter* FindParam(std::string_view name) const;
    TParameter& ParamByName(std::string_view name) const;

    // Makes the list hold the parameters named in sql; values of names already known are kept.
    void ParseSQL(std::string_view sql);
    // ParseSQL unless sql is the text parsed last.
    void Refresh(const std::string& sql);
    TParameter& AddParameter(std::string name);
    void Clear() { m_items.clear(); }

private:
    std::vector<std::unique_ptr<TParameter>> m_items;
    std::string m_parsedSql;
    bool m_parsed = false;
};

// ":Name" markers outside quotes and comments, each name once, in order of first appearance.
std::vector<std::string> ParameterNames(std::string_view sql);

} // namespace ado
