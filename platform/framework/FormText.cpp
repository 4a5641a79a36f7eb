#include "platform/framework/FormText.h"

#include "platform/rtl/Text.h"
#include "platform/rtl/Utf8.h"

#include <cctype>

namespace framework {

namespace {

class Parser {
public:
    Parser(std::string_view text, const std::string& resource) : m_text(text), m_resource(resource) {}

    TFormObject Root() {
        if (m_text.substr(0, 3) == "\xEF\xBB\xBF")
            m_pos = 3;
        SkipSpace();
        TFormObject root = Object();
        SkipSpace();
        if (m_pos < m_text.size())
            Fail("text after the final end");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw EReadError(m_resource + "(" + std::to_string(m_line) + "): " + what);
    }

    void SkipSpace() {
        while (m_pos < m_text.size()) {
            char c = m_text[m_pos];
            if (c == '\n') {
                ++m_line;
                ++m_pos;
            } else if (static_cast<unsigned char>(c) <= ' ') {
                ++m_pos;
            } else if (c == '/' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '/') {
                while (m_pos < m_text.size() && m_text[m_pos] != '\n')
                    ++m_pos;
            } else {
                break;
            }
        }
    }

    bool Peek(char c) {
        SkipSpace();
        return m_pos < m_text.size() && m_text[m_pos] == c;
    }

    void Expect(char c) {
        if (!Peek(c))
            Fail(std::string("'") + c + "' expected");
        ++m_pos;
    }

    static bool IdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
    static bool IdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

    std::string Ident() {
        SkipSpace();
        if (m_pos >= m_text.size() || !IdentStart(m_text[m_pos]))
            Fail("identifier expected");
        std::size_t start = m_pos;
        while (m_pos < m_text.size() && IdentChar(m_text[m_pos]))
            ++m_pos;
        return std::string(m_text.substr(start, m_pos - start));
    }

    std::string PeekWord() {
        SkipSpace();
        std::size_t p = m_pos;
        while (p < m_text.size() && IdentChar(m_text[p]))
            ++p;
        return std::string(m_text.substr(m_pos, p - m_pos));
    }

    TFormObject Object() {
        TFormObject obj;
        obj.line = m_line;
        std::string keyword = Ident();
        if (!rtl::SameText(keyword, "object"))
            Fail("'object' expected but '" + keyword + "' found");
        obj.name = Ident();
        Expect(':');
        obj.className = Ident();
        for (;;) {
            std::string word = PeekWord();
            if (rtl::SameText(word, "end")) {
                Ident();
                return obj;
            }
            if (rtl::SameText(word, "object")) {
                obj.children.push_back(Object());
                continue;
            }
            if (m_pos >= m_text.size())
                Fail("'end' expected for object " + obj.name);
            TFormProperty prop;
            prop.line = m_line;
            prop.path = Ident();
            while (Peek('.')) {
                ++m_pos;
                prop.path += "." + Ident();
            }
            Expect('=');
            prop.value = Value();
            obj.properties.push_back(std::move(prop));
        }
    }

    TFormValue Value() {
        SkipSpace();
        TFormValue v;
        v.line = m_line;
        if (m_pos >= m_text.size())
            Fail("value expected");
        char c = m_text[m_pos];
        if (c == '[') {
            ++m_pos;
            v.kind = TFormValue::Set;
            if (!Peek(']')) {
                for (;;) {
                    TFormValue item;
                    item.kind = TFormValue::Ident;
                    item.line = m_line;
                    item.text = Ident();
                    v.items.push_back(std::move(item));
                    if (Peek(']'))
                        break;
                    Expect(',');
                }
            }
            Expect(']');
        } else if (c == '(') {
            ++m_pos;
            v.kind = TFormValue::List;
            while (!Peek(')')) {
                if (m_pos >= m_text.size())
                    Fail("')' expected");
                v.items.push_back(Value());
            }
            ++m_pos;
        } else if (c == '{') {
            ++m_pos;
            v.kind = TFormValue::Binary;
            Binary(v.text);
        } else if (c == '\'' || c == '#') {
            v.kind = TFormValue::String;
            v.text = StringValue();
        } else if (c == '-' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
            v.kind = TFormValue::Integer;
            v.integer = Number();
        } else if (IdentStart(c)) {
            v.kind = TFormValue::Ident;
            v.text = Ident();
            while (Peek('.')) {
                ++m_pos;
                v.text += "." + Ident();
            }
        } else {
            Fail(std::string("unexpected character '") + c + "'");
        }
        return v;
    }

    std::int64_t Number() {
        bool negative = false;
        if (m_text[m_pos] == '-') {
            negative = true;
            ++m_pos;
        }
        int base = 10;
        if (m_pos < m_text.size() && m_text[m_pos] == '$') {
            base = 16;
            ++m_pos;
        }
        std::size_t start = m_pos;
        std::uint64_t value = 0;
        while (m_pos < m_text.size() && std::isxdigit(static_cast<unsigned char>(m_text[m_pos]))) {
            char d = m_text[m_pos];
            int digit = std::isdigit(static_cast<unsigned char>(d)) ? d - '0' : (std::tolower(d) - 'a' + 10);
            if (digit >= base)
                break;
            value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
            if (value > 0xFFFFFFFFFFFFull)
                Fail("number out of range");
            ++m_pos;
        }
        if (m_pos == start || (m_pos < m_text.size() && IdentChar(m_text[m_pos])) ||
            (m_pos < m_text.size() && m_text[m_pos] == '.'))
            Fail("malformed number");
        return negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
    }

    // 'a''b' #13 'c' + 'd' is one string.
    std::string StringValue() {
        std::string out;
        for (;;) {
            if (m_pos < m_text.size() && m_text[m_pos] == '\'') {
                ++m_pos;
                for (;;) {
                    if (m_pos >= m_text.size() || m_text[m_pos] == '\n')
                        Fail("unterminated string");
                    char c = m_text[m_pos++];
                    if (c == '\'') {
                        if (m_pos < m_text.size() && m_text[m_pos] == '\'') {
                            out += '\'';
                            ++m_pos;
                            continue;
                        }
                        break;
                    }
                    out += c;
                }
            } else if (m_pos < m_text.size() && m_text[m_pos] == '#') {
                ++m_pos;
                std::size_t start = m_pos;
                std::uint32_t code = 0;
                while (m_pos < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_pos]))) {
                    code = code * 10 + static_cast<std::uint32_t>(m_text[m_pos] - '0');
                    if (code > 0x10FFFF)
                        Fail("character code out of range");
                    ++m_pos;
                }
                if (m_pos == start)
                    Fail("character code expected after #");
                rtl::AppendCodePoint(out, static_cast<char32_t>(code));
            } else {
                break;
            }
            std::size_t save = m_pos;
            int saveLine = m_line;
            if (Peek('+')) {
                ++m_pos;
                SkipSpace();
                if (m_pos >= m_text.size() || (m_text[m_pos] != '\'' && m_text[m_pos] != '#'))
                    Fail("string expected after +");
            } else {
                m_pos = save;
                m_line = saveLine;
            }
        }
        return out;
    }

    void Binary(std::string& out) {
        int high = -1;
        for (;;) {
            SkipSpace();
            if (m_pos >= m_text.size())
                Fail("'}' expected");
            char c = m_text[m_pos++];
            if (c == '}')
                break;
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                Fail("hexadecimal digit expected in binary data");
            int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (std::tolower(c) - 'a' + 10);
            if (high < 0) {
                high = d;
            } else {
                out += static_cast<char>(high * 16 + d);
                high = -1;
            }
        }
        if (high >= 0)
            Fail("odd number of hexadecimal digits in binary data");
    }

    std::string_view m_text;
    const std::string& m_resource;
    std::size_t m_pos = 0;
    int m_line = 1;
};

std::string QuoteString(const std::string& s) {
    if (s.empty())
        return "''";
    std::string out;
    bool open = false;
    for (char c : s) {
        if (static_cast<unsigned char>(c) < ' ') {
            if (open) {
                out += '\'';
                open = false;
            }
            out += '#' + std::to_string(static_cast<int>(c));
            continue;
        }
        if (!open) {
            out += '\'';
            open = true;
        }
        out += c;
        if (c == '\'')
            out += '\'';
    }
    if (open)
        out += '\'';
    return out;
}

void FormatObject(const TFormObject& obj, int indent, std::string& out) {
    std::string pad(static_cast<std::size_t>(indent) * 2, ' ');
    out += pad + "object " + obj.name + ": " + obj.className + "\n";
    for (const TFormProperty& p : obj.properties)
        out += pad + "  " + p.path + " = " + FormatFormValue(p.value, indent + 1) + "\n";
    for (const TFormObject& child : obj.children)
        FormatObject(child, indent + 1, out);
    out += pad + "end\n";
}

} // namespace

TFormObject ParseFormText(std::string_view textValue, const std::string& resourceName) {
    return Parser(textValue, resourceName).Root();
}

std::string FormatFormValue(const TFormValue& value, int indent) {
    switch (value.kind) {
    case TFormValue::Integer:
        return std::to_string(value.integer);
    case TFormValue::Ident:
        return value.text;
    case TFormValue::String:
        return QuoteString(value.text);
    case TFormValue::Set: {
        std::string out = "[";
        for (std::size_t i = 0; i < value.items.size(); ++i)
            out += (i ? ", " : "") + value.items[i].text;
        return out + "]";
    }
    case TFormValue::List: {
        std::string pad(static_cast<std::size_t>(indent) * 2 + 2, ' ');
        std::string out = "(";
        for (const TFormValue& item : value.items)
            out += "\n" + pad + FormatFormValue(item, indent + 1);
        return out + ")";
    }
    case TFormValue::Binary: {
        static const char digits[] = "0123456789ABCDEF";
        std::string out = "{";
        for (std::size_t i = 0; i < value.text.size(); ++i) {
            if (i % 32 == 0)
                out += "\n" + std::string(static_cast<std::size_t>(indent) * 2 + 2, ' ');
            auto b = static_cast<unsigned char>(value.text[i]);
            out += digits[b >> 4];
            out += digits[b & 15];
        }
        return out + "}";
    }
    }
    return {};
}

std::string FormatFormText(const TFormObject& root) {
    std::string out;
    FormatObject(root, 0, out);
    return out;
}

} // namespace framework
