#pragma once

#include "platform/rtl/Exceptions.h"

#include <string>
#include <string_view>
#include <vector>

namespace framework {

class EDBEditError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

// An edit mask: "mask;save-literals;blank". In the mask, L/l are a required/optional letter, A/a a
// letter or digit, C/c any character, 0/9 a digit, # a digit or sign (optional), : and / the time and
// date separators, _ a blank literal, \ quotes the next character, > and < switch to upper and lower
// case and <> back to none, and ! keeps optional blanks at the front. Everything else is literal.
// The edit text has one character per mask position: the literal, the input or the blank character.
class TEditMask {
public:
    enum TCharClass { mcLiteral, mcLetter, mcAlphaNumeric, mcAny, mcDigit, mcDigitOrSign };

    TEditMask() = default;
    explicit TEditMask(std::string_view mask);

    const std::string& Mask() const { return m_mask; }
    bool Empty() const { return m_positions.empty(); }
    int Length() const { return static_cast<int>(m_positions.size()); }
    bool SaveLiterals() const { return m_saveLiterals; }
    char32_t BlankChar() const { return m_blank; }
    bool IsLiteral(int pos) const;
    bool IsRequired(int pos) const;

    std::u32string BlankEditText() const;
    // Fits a text value into the mask: with saved literals character by character, else the
    // characters fill the input positions in order. Characters that do not fit are left out.
    std::u32string EditTextFor(std::string_view text) const;
    // The value of an edit text: blanks become spaces and literals stay only when saved.
    std::string TextFor(std::u32string_view editText) const;
    // The first position that is required and blank or holds a character its class refuses; -1 if
    // the edit text is valid.
    int Validate(std::u32string_view editText) const;

    // The character as the position stores it (case applied), or 0 when it is refused.
    char32_t Accept(int pos, char32_t ch) const;
    // The first input position at or after pos (Length when none), and at or before pos (-1).
    int NextInput(int pos) const;
    int PrevInput(int pos) const;

    // Masked typing: the selection is blanked and ch goes to the first input position at or after
    // the caret. Returns false (and changes nothing) when the character is refused.
    bool TypeChar(std::u32string& editText, int& caret, int selLength, char32_t ch) const;
    // Blanks the input positions of [start, start + count).
    void Clear(std::u32string& editText, int start, int count) const;

private:
    struct TPosition {
        TCharClass Class = mcLiteral;
        bool Required = false;
        char32_t Literal = 0;
        int Case = 0; // 1 upper, -1 lower
    };

    bool Fits(const TPosition& p, char32_t ch) const;

    std::string m_mask;
    std::vector<TPosition> m_positions;
    bool m_saveLiterals = true;
    bool m_blanksFirst = false;
    char32_t m_blank = U'_';
};

} // namespace framework
