#pragma once

#include "platform/framework/EditText.h"

#include <functional>
#include <string>
#include <vector>

namespace framework {

// Where one line of text wraps: given its characters and the position of its first one, the
// offsets within the line at which the display lines after the first begin.
using TLineWrapper = std::function<std::vector<std::size_t>(std::u32string_view line, std::size_t start)>;

// A multi-line edit: lines joined by a line break that counts as its own positions (CR LF, two
// positions), a caret that never stands inside a break, and a view that scrolls by display lines.
// Lines() are the text's lines; with a wrapper they break further into display lines, which the
// line queries, the scrolling and the caret keys count, as the platform's memo messages do
// (including their -1 conventions). Blanks at a wrap hang at the end of their display line.
class TMemoText : public TEditText {
public:
    TMemoText() : TMemoText(U"\r\n") {}

    int LineCount() const;
    std::vector<std::string> Lines() const;
    std::string Line(int index) const;
    void SetLines(const std::vector<std::string>& lines);

    // An empty wrapper turns wrapping off. The display lines are rebuilt at once.
    void SetWrapper(TLineWrapper wrapper);
    // For a wrapper whose answers changed (another width or font).
    void Rewrap();
    int DisplayLineCount() const { return static_cast<int>(m_display.size()); }

    // Display line of the position; -1 means the caret's line, or that of the selection start
    // while there is a selection. Past the end: the last line.
    int LineFromChar(int pos) const;
    // First position of the display line; -1 means the caret's line; a line past the last gives -1.
    int LineIndex(int line) const;
    // Length of the display line holding the position, without a line break; -1 means the
    // caret's line; a position past the text gives 0.
    int LineLength(int pos) const;
    // The display line the caret stands on: at a wrap, the earlier line after End.
    int CaretLine() const { return static_cast<int>(CaretDisplayLine()); }
    // Whether the display line ends where the next one begins, with no line break between.
    bool LineWraps(int line) const { return line >= 0 && WrapsAtEnd(static_cast<std::size_t>(line)); }
    // Puts the caret at the end of a display line, standing on it even where the next one
    // begins at the same position.
    void PlaceCaretAtLineEnd(int line);

    int FirstVisibleLine() const { return m_firstVisible; }
    int VisibleLines() const { return m_visibleLines; }
    void SetVisibleLines(int lines);
    // Scrolls by whole display lines within [0, DisplayLineCount - 1]; returns true when the
    // view moved.
    bool LineScroll(int lines);
    // Scrolls the least so that the caret's line is in view.
    void ScrollCaret();

protected:
    explicit TMemoText(std::u32string lineBreak) : m_lineBreak(std::move(lineBreak)) {}

    const std::u32string& LineBreak() const { return m_lineBreak; }
    // Positions of a line of Lines(): its first, and the one before its line break.
    std::size_t LineStart(std::size_t line) const { return m_lineStarts[line]; }
    std::size_t LineEnd(std::size_t line) const;
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
    // Positions [start, end) of one display line; end is before the line break, if any.
    struct TDisplayLine {
        std::size_t start;
        std::size_t end;
    };

    void RebuildLineStarts();
    // The offsets within a line at which its display lines after the first begin.
    std::vector<std::size_t> WrapsOf(std::size_t line) const;
    void RebuildDisplayLines();
    std::size_t LineOf(std::size_t pos) const;
    std::size_t DisplayLineOf(std::size_t pos) const;
    std::size_t CaretDisplayLine() const;
    bool WrapsAtEnd(std::size_t line) const;
    void MoveLines(int delta, bool shift);
    void ClampScroll();

    std::u32string m_lineBreak;
    std::vector<std::size_t> m_lineStarts{0};
    TLineWrapper m_wrapper;
    // WrapsOf for every line, kept so that an edit measures only the lines it touched.
    std::vector<std::vector<std::size_t>> m_wraps{{}};
    std::vector<TDisplayLine> m_display{{0, 0}};
    int m_firstVisible = 0;
    int m_visibleLines = 1;
    // Column kept while Up and Down pass through shorter lines.
    std::size_t m_goalColumn = 0;
    std::size_t m_goalCaret = 0;
};

} // namespace framework
