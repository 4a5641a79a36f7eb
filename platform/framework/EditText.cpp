#include "platform/framework/EditText.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

namespace framework {

namespace {

// Case pairs of the alphabets whose capitals sit at a fixed distance from the small letters.
char32_t UpperOf(char32_t ch) {
    if ((ch >= U'a' && ch <= U'z') || (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7) ||
        (ch >= 0x3B1 && ch <= 0x3C9 && ch != 0x3C2) || (ch >= 0x430 && ch <= 0x44F))
        return ch - 32;
    if (ch >= 0x450 && ch <= 0x45F)
        return ch - 80;
    return ch;
}

char32_t LowerOf(char32_t ch) {
    if ((ch >= U'A' && ch <= U'Z') || (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7) ||
        (ch >= 0x391 && ch <= 0x3A9 && ch != 0x3A2) || (ch >= 0x410 && ch <= 0x42F))
        return ch + 32;
    if (ch >= 0x400 && ch <= 0x40F)
        return ch + 80;
    return ch;
}

bool IsWordChar(char32_t ch) {
    return ch != U' ' && ch != U'\t' && ch != U'\r' && ch != U'\n';
}

} // namespace

std::string TEditText::Text() const {
    return rtl::CodePointsToUtf8(m_text);
}

bool TEditText::SetText(std::string_view text) {
    std::u32string normal = NormalizeInput(rtl::Utf8ToCodePoints(text));
    bool changed = normal != m_text;
    if (changed)
        Replace(0, m_text.size(), normal);
    m_anchor = m_caret = 0;
    m_caretAtLineEnd = false;
    return changed;
}

std::string TEditText::DisplayText() const {
    if (m_passwordChar == 0)
        return Text();
    std::string out;
    for (std::size_t i = 0; i < m_text.size(); ++i)
        rtl::AppendCodePoint(out, m_passwordChar);
    return out;
}

int TEditText::SelStart() const {
    return static_cast<int>(std::min(m_anchor, m_caret));
}

int TEditText::SelLength() const {
    return static_cast<int>(std::max(m_anchor, m_caret) - std::min(m_anchor, m_caret));
}

void TEditText::SetSelStart(int start) {
    SetSel(start < 0 ? 0 : start, start < 0 ? 0 : start);
}

void TEditText::SetSelLength(int length) {
    int start = SelStart();
    int end = length < 0 ? std::max(0, start + length) : start + length;
    m_anchor = Snap(static_cast<std::size_t>(start));
    m_caret = Snap(std::min(static_cast<std::size_t>(end), m_text.size()));
    m_caretAtLineEnd = false;
}

void TEditText::SetSel(int start, int end) {
    if (start == -1) {
        m_anchor = m_caret;
        return;
    }
    std::size_t size = m_text.size();
    std::size_t s = start < 0 ? 0 : std::min(static_cast<std::size_t>(start), size);
    std::size_t e = end < 0 ? size : std::min(static_cast<std::size_t>(end), size);
    m_anchor = Snap(s);
    m_caret = Snap(e);
    m_caretAtLineEnd = false;
}

void TEditText::SelectAll() {
    m_anchor = 0;
    m_caret = m_text.size();
    m_caretAtLineEnd = false;
}

std::string TEditText::SelText() const {
    return rtl::CodePointsToUtf8(std::u32string_view(m_text).substr(SelStart(), SelLength()));
}

bool TEditText::SetSelText(std::string_view text) {
    return ReplaceSelection(NormalizeInput(rtl::Utf8ToCodePoints(text)));
}

bool TEditText::TypeChar(char32_t ch) {
    if (m_readOnly || ch < 0x20)
        return false;
    char32_t one[1] = {ch};
    bool changed = ReplaceSelection(NormalizeInput(std::u32string_view(one, 1)));
    CaretMoved();
    return changed;
}

bool TEditText::TypeText(std::string_view text) {
    if (m_readOnly)
        return false;
    bool changed = ReplaceSelection(NormalizeInput(rtl::Utf8ToCodePoints(text)));
    CaretMoved();
    return changed;
}

bool TEditText::PressKey(TEditKey key, bool shift, bool ctrl) {
    bool changed = false;
    switch (key) {
    case TEditKey::Left:
        if (!shift && m_anchor != m_caret)
            MoveCaret(static_cast<std::size_t>(SelStart()), false);
        else
            MoveCaret(ctrl ? WordLeft(m_caret) : PrevPos(m_caret), shift);
        break;
    case TEditKey::Right:
        if (!shift && m_anchor != m_caret)
            MoveCaret(static_cast<std::size_t>(SelStart() + SelLength()), false);
        else
            MoveCaret(ctrl ? WordRight(m_caret) : NextPos(m_caret), shift);
        break;
    case TEditKey::Home:
        MoveCaret(ctrl ? 0 : HomeOf(m_caret), shift);
        break;
    case TEditKey::End:
        MoveCaret(ctrl ? m_text.size() : EndOf(m_caret), shift);
        m_caretAtLineEnd = !ctrl;
        break;
    case TEditKey::Backspace:
        if (m_readOnly)
            break;
        if (m_anchor == m_caret) {
            if (m_caret == 0)
                break;
            m_anchor = ctrl ? WordLeft(m_caret) : PrevPos(m_caret);
        }
        changed = ReplaceSelection({});
        break;
    case TEditKey::Delete:
        if (m_readOnly)
            break;
        if (m_anchor == m_caret) {
            if (m_caret == m_text.size())
                break;
            m_anchor = ctrl ? WordRight(m_caret) : NextPos(m_caret);
        }
        changed = ReplaceSelection({});
        break;
    default:
        if (!MultiLineKey(key, shift, ctrl, changed))
            return false;
        break;
    }
    CaretMoved();
    return changed;
}

void TEditText::SetMaxLength(int maxLength) {
    if (maxLength < 0)
        throw rtl::ERangeError("MaxLength must not be negative");
    m_maxLength = maxLength;
}

bool TEditText::SetCharCase(TEditCharCase charCase) {
    m_charCase = charCase;
    if (charCase == ecNormal)
        return false;
    std::u32string converted = m_text;
    for (char32_t& ch : converted)
        ch = ApplyCase(ch);
    if (converted == m_text)
        return false;
    std::size_t anchor = m_anchor, caret = m_caret;
    Replace(0, m_text.size(), converted);
    m_anchor = anchor;
    m_caret = caret;
    m_caretAtLineEnd = false;
    return true;
}

void TEditText::Replace(std::size_t start, std::size_t count, std::u32string_view with) {
    m_text.replace(start, count, with);
}

std::u32string TEditText::NormalizeInput(std::u32string_view text) const {
    // A single-line edit keeps only the first line of what it is given.
    std::u32string out;
    for (char32_t ch : text) {
        if (ch == U'\r' || ch == U'\n')
            break;
        out += ApplyCase(ch);
    }
    return out;
}

std::size_t TEditText::Snap(std::size_t pos) const {
    return std::min(pos, m_text.size());
}

std::size_t TEditText::NextPos(std::size_t pos) const {
    return std::min(pos + 1, m_text.size());
}

std::size_t TEditText::PrevPos(std::size_t pos) const {
    return pos == 0 ? 0 : pos - 1;
}

std::size_t TEditText::HomeOf(std::size_t) const {
    return 0;
}

std::size_t TEditText::EndOf(std::size_t) const {
    return m_text.size();
}

bool TEditText::MultiLineKey(TEditKey, bool, bool, bool&) {
    return false;
}

void TEditText::MoveCaret(std::size_t pos, bool extend) {
    m_caret = Snap(pos);
    m_caretAtLineEnd = false;
    if (!extend)
        m_anchor = m_caret;
}

bool TEditText::ReplaceSelection(std::u32string_view text) {
    std::size_t start = static_cast<std::size_t>(SelStart());
    std::size_t count = static_cast<std::size_t>(SelLength());
    std::u32string_view insert = text;
    if (m_maxLength > 0) {
        std::size_t room = static_cast<std::size_t>(m_maxLength) > m_text.size() - count
                               ? static_cast<std::size_t>(m_maxLength) - (m_text.size() - count)
                               : 0;
        if (insert.size() > room) {
            insert = insert.substr(0, room);
            // Never keep half of a CR LF pair.
            if (!insert.empty() && insert.back() == U'\r' && text.size() > room && text[room] == U'\n')
                insert.remove_suffix(1);
        }
        if (insert.empty() && count == 0)
            return false;
    }
    if (count == 0 && insert.empty())
        return false;
    Replace(start, count, insert);
    m_anchor = m_caret = start + insert.size();
    m_caretAtLineEnd = false;
    return true;
}

char32_t TEditText::ApplyCase(char32_t ch) const {
    switch (m_charCase) {
    case ecUpperCase:
        return UpperOf(ch);
    case ecLowerCase:
        return LowerOf(ch);
    default:
        return ch;
    }
}

std::size_t TEditText::WordLeft(std::size_t pos) const {
    while (pos > 0 && !IsWordChar(m_text[pos - 1]))
        --pos;
    while (pos > 0 && IsWordChar(m_text[pos - 1]))
        --pos;
    return Snap(pos);
}

std::size_t TEditText::WordRight(std::size_t pos) const {
    while (pos < m_text.size() && IsWordChar(m_text[pos]))
        ++pos;
    while (pos < m_text.size() && !IsWordChar(m_text[pos]))
        ++pos;
    return Snap(pos);
}

} // namespace framework
