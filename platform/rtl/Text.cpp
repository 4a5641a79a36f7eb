#include "platform/rtl/Text.h"

#include <algorithm>

namespace rtl {

namespace {
bool IsTrimmed(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

std::string Trim(std::string_view s) {
    return TrimLeft(TrimRight(s));
}

std::string TrimLeft(std::string_view s) {
    std::size_t start = 0;
    while (start < s.size() && IsTrimmed(s[start]))
        ++start;
    return std::string(s.substr(start));
}

std::string TrimRight(std::string_view s) {
    std::size_t end = s.size();
    while (end > 0 && IsTrimmed(s[end - 1]))
        --end;
    return std::string(s.substr(0, end));
}

std::string UpperCase(std::string_view s) {
    std::string result(s);
    std::transform(result.begin(), result.end(), result.begin(), Upper);
    return result;
}

std::string LowerCase(std::string_view s) {
    std::string result(s);
    std::transform(result.begin(), result.end(), result.begin(), Lower);
    return result;
}

bool SameText(std::string_view a, std::string_view b) {
    return CompareText(a, b) == 0;
}

bool EndsText(std::string_view suffix, std::string_view s) {
    return s.size() >= suffix.size() && SameText(s.substr(s.size() - suffix.size()), suffix);
}

int CompareText(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(Upper(a[i]));
        const auto y = static_cast<unsigned char>(Upper(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

std::size_t Pos(std::string_view sub, std::string_view s) {
    if (sub.empty())
        return 0;
    const std::size_t at = s.find(sub);
    return at == std::string_view::npos ? 0 : at + 1;
}

std::string Copy(std::string_view s, long long index, long long count) {
    if (index < 1)
        index = 1;
    const auto start = static_cast<std::size_t>(index - 1);
    if (count <= 0 || start >= s.size())
        return std::string();
    return std::string(s.substr(start, static_cast<std::size_t>(count)));
}

void Delete(std::string& s, long long index, long long count) {
    if (index < 1 || count <= 0 || static_cast<std::size_t>(index) > s.size())
        return;
    s.erase(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count));
}

std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          int flags) {
    if (oldPattern.empty())
        return std::string(s);
    const bool ignoreCase = flags & rfIgnoreCase;
    const std::string haystack = ignoreCase ? UpperCase(s) : std::string(s);
    const std::string needle = ignoreCase ? UpperCase(oldPattern) : std::string(oldPattern);
    std::string result;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = haystack.find(needle, from);
        if (at == std::string::npos)
            break;
        result.append(s.substr(from, at - from));
        result.append(newPattern);
        from = at + needle.size();
        if (!(flags & rfReplaceAll))
            break;
    }
    result.append(s.substr(from));
    return result;
}

std::string QuotedStr(std::string_view s) {
    std::string result = "'";
    for (char c : s) {
        result.push_back(c);
        if (c == '\'')
            result.push_back('\'');
    }
    result.push_back('\'');
    return result;
}

bool IsValidIdent(std::string_view s) {
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (s.empty() || !alpha(s[0]))
        return false;
    for (char c : s)
        if (!alpha(c) && !(c >= '0' && c <= '9'))
            return false;
    return true;
}

} // namespace rtl
