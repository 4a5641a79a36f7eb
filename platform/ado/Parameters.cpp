#include "platform/ado/Parameters.h"

#include "platform/ado/DatabaseError.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

namespace ado {

namespace {

bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

} // namespace

std::vector<std::string> ParameterNames(std::string_view sql) {
    std::vector<std::string> names;
    std::size_t i = 0;
    const std::size_t n = sql.size();
    auto skipQuoted = [&](char quote) {
        for (++i; i < n; ++i)
            if (sql[i] == quote) {
                if (i + 1 < n && sql[i + 1] == quote)
                    ++i;
                else
                    break;
            }
        ++i;
    };
    while (i < n) {
        const char c = sql[i];
        if (c == '\'' || c == '"' || c == '`') {
            skipQuoted(c);
        } else if (c == '[') {
            while (i < n && sql[i] != ']')
                ++i;
            ++i;
        } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            while (i < n && sql[i] != '\n')
                ++i;
        } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            const std::size_t end = sql.find("*/", i + 2);
            i = end == std::string_view::npos ? n : end + 2;
        } else if (c == ':' && i + 1 < n && IsNameChar(sql[i + 1]) && (i == 0 || !IsNameChar(sql[i - 1]))) {
            std::size_t j = i + 1;
            while (j < n && IsNameChar(sql[j]))
                ++j;
            std::string name(sql.substr(i + 1, j - i - 1));
            bool known = false;
            for (const std::string& existing : names)
                known = known || rtl::SameText(existing, name);
            if (!known)
                names.push_back(std::move(name));
            i = j;
        } else {
            ++i;
        }
    }
    return names;
}

TParameter& TParameters::operator[](int index) const {
    if (index < 0 || index >= Count())
        throw EDatabaseError("Parameter index " + rtl::IntToStr(index) + " out of range (" +
                             rtl::IntToStr(Count()) + " parameters)");
    return *m_items[static_cast<std::size_t>(index)];
}

TParameter* TParameters::FindParam(std::string_view name) const {
    for (const auto& item : m_items)
        if (rtl::SameText(item->Name(), name))
            return item.get();
    return nullptr;
}

TParameter& TParameters::ParamByName(std::string_view name) const {
    if (TParameter* p = FindParam(name))
        return *p;
    throw EDatabaseError("Parameter '" + std::string(name) + "' not found");
}

void TParameters::ParseSQL(std::string_view sql) {
    std::vector<std::unique_ptr<TParameter>> items;
    for (std::string& name : ParameterNames(sql)) {
        auto item = std::make_unique<TParameter>(name);
        if (TParameter* old = FindParam(name))
            item->SetValue(old->Value());
        items.push_back(std::move(item));
    }
    m_items = std::move(items);
}

void TParameters::Refresh(const std::string& sql) {
    if (m_parsed && sql == m_parsedSql)
        return;
    ParseSQL(sql);
    m_parsedSql = sql;
    m_parsed = true;
}

TParameter& TParameters::AddParameter(std::string name) {
    if (FindParam(name))
        throw EDatabaseError("Parameter '" + name + "' exists already");
    m_items.push_back(std::make_unique<TParameter>(std::move(name)));
    return *m_items.back();
}

} // namespace ado
