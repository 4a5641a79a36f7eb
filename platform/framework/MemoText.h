#pragma once

#include "platform/framework/EditText.h"

#include <string>
#include <vector>

namespace framework {

// A multi-line edit: lines joined by a line break that counts as its own positions (CR LF, two
// positions), a caret that never stands inside a break, and a view of whole lines that scrolls.
// The line queries follow the platform's memo messages, including their -1 conventions.
class TMemoText : public TEditText {
public:
    TMemoText() : TMemoText(U"\r\n") {}

    int LineCount() const;
    std::vector<std::string> Lines() const;
    std::string Line(int index) const;
    void SetLines(const std::vector<std::string>& lines);

    // Line of the position; -1 means the line of the selection start. Past the end: the last line.
    int LineFromChar(int pos) const;
    // First position of the line; -1 means the caret's line; a line past the last gives -1.
    int LineIndex(int line) const;
    // Length of the line holding the position, without its break; -1 means the caret's line;
    // a position past the text gives 0.
    int LineLength(int pos) const;

    int FirstVisibleLine() const { return m_firstVisible; }
    int VisibleLines() const { return m_visibleLines; }
    void SetVisibleLines(int lines);
    // Scrolls by whole lines within [0, LineCount - 1]; returns true when the view moved.
    bool LineScroll(int lines);
    // Scrolls the least so that the caret's line is in view.
    void ScrollCaret();

protected:
    explicit TMemoText(std::u32string lineBreak) : m_lineBreak(std::move(lineBreak)) {}

    const std::u32string& LineBreak() const { return m_lineBreak; }
    void Replace(std::size_t start, std::size_t count, std::u32string_view with) override;
    std::u32string NormalizeInput(std::u32string_view text) const override;
    std::size_t Snap(std::size_t pos) const override;
    std::size_t NextPos(std::size_t pos) const override;
    std::size_t PrevPos(std::size_t pos) const override;
    std::size_t HomeOf(std::size_t pos) const override;
    std::size_t EndOf(std::size_t pos) const override;
    bool MultiLineKey(TEditKey key, bool shift, bool ctrl, bool& changed) override;
    void CaretMoved() override;

private:
    void RebuildLineStarts();
    std::size_t LineOf(std::size_t pos) const;
    std::size_t LineEnd(std::size_t line) const;
    std::size_t PositionInLine(std::size_t line, std::size_t column) const;
    void MoveLines(int delta, bool shift);
    void ClampScroll();

    std::u32string m_lineBreak;
    std::vector<std::size_t> m_lineStarts{0};
    int m_firstVisible = 0;
    int m_visibleLines = 1;
    // Column kept while Up and Down pass through shorter lines.
    std::size_t m_goalColumn = 0;
    std::size_t m_goalCaret = 0;
};

} // namespace framework
