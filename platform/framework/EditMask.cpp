#include "platform/framework/EditMask.h"

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

namespace framework {

namespace {

bool IsDigit(char32_t ch) {
    return ch >= U'0' && ch <= U'9';
}

// Letters beyond ASCII count as letters: Chinese text is typed into letter positions too.
bool IsLetter(char32_t ch) {
    return (ch >= U'a' && ch <= U'z') || (ch >= U'A' && ch <= U'Z') || ch >= 0xC0;
}

char32_t ToUpper(char32_t ch) {
    return ch >= U'a' && ch <= U'z' ? ch - 32 : ch;
}
char32_t ToLower(char32_t ch) {
    return ch >= U'A' && ch <= U'Z' ? ch + 32 : ch;
}

} // namespace

TEditMask::TEditMask(std::string_view mask) : m_mask(mask) {
    std::u32string cps = rtl::Utf8ToCodePoints(mask);
    // Split off the two trailing fields; a quoted ";" belongs to the mask.
    std::vector<std::u32string> fields(1);
    for (std::size_t i = 0; i < cps.size(); ++i) {
        if (cps[i] == U'\\' && i + 1 < cps.size() && fields.size() == 1) {
            fields.back() += cps[i];
            fields.back() += cps[++i];
        } else if (cps[i] == U';' && fields.size() < 3) {
            fields.emplace_back();
        } else {
            fields.back() += cps[i];
        }
    }
    if (fields.size() > 1) {
        if (fields[1] == U"0")
            m_saveLiterals = false;
        else if (fields[1] != U"1" && !fields[1].empty())
            throw EDBEditError("Invalid edit mask \"" + std::string(mask) +
                               "\": save-literals field must be 0 or 1");
    }
    if (fields.size() > 2) {
        if (fields[2].size() > 1)
            throw EDBEditError("Invalid edit mask \"" + std::string(mask) +
                               "\": blank field must be one character");
        if (fields[2].size() == 1)
            m_blank = fields[2][0];
    }

    const rtl::TFormatSettings& fs = rtl::FormatSettings();
    const std::u32string& body = fields[0];
    int caseMode = 0;
    for (std::size_t i = 0; i < body.size(); ++i) {
        char32_t ch = body[i];
        TPosition p;
        p.Case = caseMode;
        switch (ch) {
        case U'!':
            m_blanksFirst = true;
            continue;
        case U'>':
            caseMode = 1;
            continue;
        case U'<':
            if (i + 1 < body.size() && body[i + 1] == U'>') {
                ++i;
                caseMode = 0;
            } else {
                caseMode = -1;
            }
            continue;
        case U'\\':
            if (i + 1 >= body.size())
                throw EDBEditError("Invalid edit mask \"" + std::string(mask) + "\": nothing after \\");
            p.Literal = body[++i];
            break;
        case U'L':
        case U'l':
            p.Class = mcLetter;
            p.Required = ch == U'L';
            break;
        case U'A':
        case U'a':
            p.Class = mcAlphaNumeric;
            p.Required = ch == U'A';
            break;
        case U'C':
        case U'c':
            p.Class = mcAny;
            p.Required = ch == U'C';
            break;
        case U'0':
        case U'9':
            p.Class = mcDigit;
            p.Required = ch == U'0';
            break;
        case U'#':
            p.Class = mcDigitOrSign;
            break;
        case U':':
            p.Literal = static_cast<unsigned char>(fs.TimeSeparator);
            break;
        case U'/':
            p.Literal = static_cast<unsigned char>(fs.DateSeparator);
            break;
        case U'_':
            p.Literal = U' ';
            break;
        default:
            p.Literal = ch;
            break;
        }
        m_positions.push_back(p);
    }
}

bool TEditMask::IsLiteral(int pos) const {
    return pos >= 0 && pos < Length() && m_positions[static_cast<std::size_t>(pos)].Class == mcLiteral;
}

bool TEditMask::IsRequired(int pos) const {
    return pos >= 0 && pos < Length() && m_positions[static_cast<std::size_t>(pos)].Required;
}

std::u32string TEditMask::BlankEditText() const {
    std::u32string out;
    for (const TPosition& p : m_positions)
        out += p.Class == mcLiteral ? p.Literal : m_blank;
    return out;
}

std::u32string TEditMask::EditTextFor(std::string_view text) const {
    std::u32string value = rtl::Utf8ToCodePoints(text);
    std::u32string out = BlankEditText();
    std::size_t v = 0;
    if (m_saveLiterals) {
        for (int i = 0; i < Length() && v < value.size(); ++i, ++v) {
            if (IsLiteral(i))
                continue;
            char32_t ch = Accept(i, value[v]);
            if (ch != 0)
                out[static_cast<std::size_t>(i)] = ch;
        }
        return out;
    }
    std::vector<int> inputs;
    for (int i = 0; i < Length(); ++i)
        if (!IsLiteral(i))
            inputs.push_back(i);
    // With "!" a short value fills the last input positions.
    std::size_t offset = m_blanksFirst && value.size() < inputs.size() ? inputs.size() - value.size() : 0;
    for (std::size_t k = offset; k < inputs.size() && v < value.size(); ++k, ++v) {
        char32_t ch = Accept(inputs[k], value[v]);
        if (ch != 0)
            out[static_cast<std::size_t>(inputs[k])] = ch;
    }
    return out;
}

std::string TEditMask::TextFor(std::u32string_view editText) const {
    std::u32string out;
    for (int i = 0; i < Length() && static_cast<std::size_t>(i) < editText.size(); ++i) {
        char32_t ch = editText[static_cast<std::size_t>(i)];
        if (IsLiteral(i)) {
            if (m_saveLiterals)
                out += ch;
        } else {
            out += ch == m_blank ? U' ' : ch;
        }
    }
    return rtl::CodePointsToUtf8(out);
}

int TEditMask::Validate(std::u32string_view editText) const {
    for (int i = 0; i < Length(); ++i) {
        const TPosition& p = m_positions[static_cast<std::size_t>(i)];
        if (p.Class == mcLiteral)
            continue;
        char32_t ch =
            static_cast<std::size_t>(i) < editText.size() ? editText[static_cast<std::size_t>(i)] : m_blank;
        bool blank = ch == m_blank || ch == U' ';
        if (blank ? p.Required : !Fits(p, ch))
            return i;
    }
    return -1;
}

char32_t TEditMask::Accept(int pos, char32_t ch) const {
    if (pos < 0 || pos >= Length())
        return 0;
    const TPosition& p = m_positions[static_cast<std::size_t>(pos)];
    if (p.Class == mcLiteral || !Fits(p, ch))
        return 0;
    return p.Case > 0 ? ToUpper(ch) : p.Case < 0 ? ToLower(ch) : ch;
}

int TEditMask::NextInput(int pos) const {
    int i = std::max(pos, 0);
    while (i < Length() && IsLiteral(i))
        ++i;
    return std::min(i, Length());
}

int TEditMask::PrevInput(int pos) const {
    int i = std::min(pos, Length() - 1);
    while (i >= 0 && IsLiteral(i))
        --i;
    return i;
}

bool TEditMask::TypeChar(std::u32string& editText, int& caret, int selLength, char32_t ch) const {
    int pos = NextInput(caret);
    char32_t stored = Accept(pos, ch);
    if (stored == 0)
        return false;
    Clear(editText, caret, selLength);
    editText[static_cast<std::size_t>(pos)] = stored;
    caret = NextInput(pos + 1);
    return true;
}

void TEditMask::Clear(std::u32string& editText, int start, int count) const {
    int end = std::min(start + count, std::min(Length(), static_cast<int>(editText.size())));
    for (int i = std::max(start, 0); i < end; ++i)
        if (!IsLiteral(i))
            editText[static_cast<std::size_t>(i)] = m_blank;
}

bool TEditMask::Fits(const TPosition& p, char32_t ch) const {
    if (ch < 0x20 || ch == m_blank)
        return false;
    switch (p.Class) {
    case mcLetter:
        return IsLetter(ch);
    case mcAlphaNumeric:
        return IsLetter(ch) || IsDigit(ch);
    case mcAny:
        return true;
    case mcDigit:
        return IsDigit(ch);
    case mcDigitOrSign:
        return IsDigit(ch) || ch == U'+' || ch == U'-';
    default:
        return false;
    }
}

} // namespace framework
