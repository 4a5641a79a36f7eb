#include "platform/rtl/StringList.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Text.h"

#include <algorithm>

namespace rtl {

namespace {
bool IsSeparatorBlank(char c) {
    return c != '\0' && static_cast<unsigned char>(c) <= ' ';
}
} // namespace

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

const std::string& TStringList::Strings(int index) const {
    CheckIndex(index);
    return m_items[static_cast<std::size_t>(index)].text;
}

void TStringList::SetStrings(int index, std::string text) {
    CheckIndex(index);
    m_items[static_cast<std::size_t>(index)].text = std::move(text);
}

void* TStringList::Objects(int index) const {
    CheckIndex(index);
    return m_items[static_cast<std::size_t>(index)].object;
}

void TStringList::SetObjects(int index, void* object) {
    CheckIndex(index);
    m_items[static_cast<std::size_t>(index)].object = object;
}

int TStringList::Add(std::string text) {
    return AddObject(std::move(text), nullptr);
}

int TStringList::AddObject(std::string text, void* object) {
    m_items.push_back({std::move(text), object});
    return Count() - 1;
}

void TStringList::AddStrings(const TStringList& other) {
    const std::vector<Item> copy = other.m_items; // other may be this list
    m_items.insert(m_items.end(), copy.begin(), copy.end());
}

void TStringList::Insert(int index, std::string text) {
    InsertObject(index, std::move(text), nullptr);
}

void TStringList::InsertObject(int index, std::string text, void* object) {
    if (index < 0 || index > Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    m_items.insert(m_items.begin() + index, {std::move(text), object});
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    m_items.erase(m_items.begin() + index);
}

void TStringList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(m_items[static_cast<std::size_t>(index1)], m_items[static_cast<std::size_t>(index2)]);
}

void TStringList::Clear() {
    m_items.clear();
}

int TStringList::IndexOf(std::string_view s) const {
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (SameText(m_items[i].text, s))
            return static_cast<int>(i);
    return -1;
}

void TStringList::Sort() {
    std::stable_sort(m_items.begin(), m_items.end(),
                     [](const Item& a, const Item& b) { return CompareText(a.text, b.text) < 0; });
}

std::string TStringList::Names(int index) const {
    const std::string& line = Strings(index);
    const std::size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

int TStringList::IndexOfName(std::string_view name) const {
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const std::string& line = m_items[i].text;
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos && SameText(std::string_view(line).substr(0, eq), name))
            return static_cast<int>(i);
    }
    return -1;
}

std::string TStringList::Values(std::string_view name) const {
    const int index = IndexOfName(name);
    if (index < 0)
        return std::string();
    const std::string& line = m_items[static_cast<std::size_t>(index)].text;
    return line.substr(line.find('=') + 1);
}

void TStringList::SetValues(std::string_view name, std::string_view value) {
    const int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    std::string line = std::string(name) + "=" + std::string(value);
    if (index >= 0)
        m_items[static_cast<std::size_t>(index)].text = std::move(line);
    else
        Add(std::move(line));
}

std::string TStringList::Text() const {
    std::string text;
    for (const Item& item : m_items) {
        text += item.text;
        text += "\r\n";
    }
    return text;
}

void TStringList::SetText(std::string_view text) {
    Clear();
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        Add(std::string(text.substr(pos, end - pos)));
        pos = end;
        if (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
    }
}

std::string TStringList::Delimited(char delimiter, char quote) const {
    if (m_items.size() == 1 && m_items[0].text.empty())
        return std::string(2, quote);
    std::string result;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const std::string& s = m_items[i].text;
        const bool needsQuotes = std::any_of(s.begin(), s.end(), [&](char c) {
            return static_cast<unsigned char>(c) <= ' ' || c == quote || c == delimiter;
        });
        if (i > 0)
            result.push_back(delimiter);
        if (!needsQuotes) {
            result += s;
            continue;
        }
        result.push_back(quote);
        for (char c : s) {
            result.push_back(c);
            if (c == quote)
                result.push_back(quote);
        }
        result.push_back(quote);
    }
    return result;
}

void TStringList::SetDelimited(std::string_view text, char delimiter, char quote, bool strict) {
    Clear();
    std::size_t p = 0;
    const auto skipBlanks = [&] {
        while (!strict && p < text.size() && IsSeparatorBlank(text[p]))
            ++p;
    };
    skipBlanks();
    while (p < text.size()) {
        std::string item;
        if (text[p] == quote) {
            // A quoted item runs to its closing quote ("" stands for one); unclosed, to the end.
            ++p;
            while (p < text.size()) {
                if (text[p] == quote) {
                    if (p + 1 < text.size() && text[p + 1] == quote) {
                        item.push_back(quote);
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item.push_back(text[p++]);
            }
        } else {
            const std::size_t start = p;
            while (p < text.size() && text[p] != delimiter && (strict || !IsSeparatorBlank(text[p])))
                ++p;
            item.assign(text.substr(start, p - start));
        }
        Add(std::move(item));
        skipBlanks();
        if (p < text.size() && text[p] == delimiter) {
            if (p + 1 == text.size())
                Add(std::string());
            ++p;
            skipBlanks();
        }
    }
}

std::string TStringList::DelimitedText() const {
    return Delimited(m_delimiter, m_quoteChar);
}

void TStringList::SetDelimitedText(std::string_view text) {
    SetDelimited(text, m_delimiter, m_quoteChar, m_strictDelimiter);
}

std::string TStringList::CommaText() const {
    return Delimited(',', '"');
}

void TStringList::SetCommaText(std::string_view text) {
    SetDelimited(text, ',', '"', false);
}

} // namespace rtl
