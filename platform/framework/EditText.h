#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace framework {

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

enum class TEditKey { Left, Right, Up, Down, Home, End, PageUp, PageDown, Backspace, Delete, Enter };

// The text, caret and selection of an edit box, without any window. Positions count code points;
// the selection runs between an anchor and the caret, so Shift+arrows grow it from where it began.
// User operations (typing, keys) honour ReadOnly and MaxLength and report whether the text changed;
// the programmatic ones (SetText, SetSelText) work on read-only text as the platform's edit does.
class TEditText {
public:
    TEditText() = default;
    TEditText(const TEditText&) = default;
    TEditText& operator=(const TEditText&) = default;
    virtual ~TEditText() = default;

    std::string Text() const;
    // Returns true when the text changed. The caret goes to the start, as after a window text change.
    bool SetText(std::string_view text);
    const std::u32string& CodePoints() const { return m_text; }
    int Length() const { return static_cast<int>(m_text.size()); }

    // Password characters (or the text itself), one per code point of the text.
    std::string DisplayText() const;

    int SelStart() const;
    int SelLength() const;
    int CaretPos() const { return static_cast<int>(m_caret); }
    int AnchorPos() const { return static_cast<int>(m_anchor); }
    void SetSelStart(int start);
    void SetSelLength(int length);
    // The platform's select message: a start of -1 removes the selection and keeps the caret; an end of
    // -1 (or past the text) means the end; the caret goes to the end position.
    void SetSel(int start, int end);
    void SelectAll();
    std::string SelText() const;
    bool SetSelText(std::string_view text);

    bool TypeChar(char32_t ch);
    bool TypeText(std::string_view text);
    bool PressKey(TEditKey key, bool shift = false, bool ctrl = false);

    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int maxLength);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    TEditCharCase CharCase() const { return m_charCase; }
    // Switching to upper or lower case converts the present text too.
    bool SetCharCase(TEditCharCase charCase);
    char32_t PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(char32_t passwordChar) { m_passwordChar = passwordChar; }

protected:
    // Every change of the text goes through here, so derived models can keep data parallel to it.
    virtual void Replace(std::size_t start, std::size_t count, std::u32string_view with);
    // Brings typed or assigned text into this model's form (line breaks, case).
    virtual std::u32string NormalizeInput(std::u32string_view text) const;
    // A position that does not fall inside an indivisible unit (a CR LF pair), moving backwards.
    virtual std::size_t Snap(std::size_t pos) const;
    // The next and previous caret stops.
    virtual std::size_t NextPos(std::size_t pos) const;
    virtual std::size_t PrevPos(std::size_t pos) const;
    virtual std::size_t HomeOf(std::size_t pos) const;
    virtual std::size_t EndOf(std::size_t pos) const;
    // Keys the single-line model ignores; returns false when it did nothing.
    virtual bool MultiLineKey(TEditKey key, bool shift, bool ctrl, bool& changed);
    // After every user operation, so a scrolling view can follow the caret.
    virtual void CaretMoved() {}

    void MoveCaret(std::size_t pos, bool extend);
    // Replaces the selection with text, cut to MaxLength; returns true when the text changed.
    bool ReplaceSelection(std::u32string_view text);
    char32_t ApplyCase(char32_t ch) const;

    std::u32string m_text;
    std::size_t m_anchor = 0;
    std::size_t m_caret = 0;
    // Set by End, cleared by every other placing of the caret: where a wrapped line ends at the
    // position the next one starts, the caret stands at the end of the first.
    bool m_caretAtLineEnd = false;

private:
    std::size_t WordLeft(std::size_t pos) const;
    std::size_t WordRight(std::size_t pos) const;

    int m_maxLength = 0;
    bool m_readOnly = false;
    TEditCharCase m_charCase = ecNormal;
    char32_t m_passwordChar = 0;
};

} // namespace framework
