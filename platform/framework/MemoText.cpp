#include "platform/framework/MemoText.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

namespace framework {

int TMemoText::LineCount() const {
    return static_cast<int>(m_lineStarts.size());
}

std::vector<std::string> TMemoText::Lines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < LineCount(); ++i)
        lines.push_back(Line(i));
    return lines;
}

std::string TMemoText::Line(int index) const {
    if (index < 0 || index >= LineCount())
        throw rtl::EListError("Line index out of bounds (" + std::to_string(index) + ")");
    std::size_t start = m_lineStarts[static_cast<std::size_t>(index)];
    std::size_t end = LineEnd(static_cast<std::size_t>(index));
    return rtl::CodePointsToUtf8(std::u32string_view(m_text).substr(start, end - start));
}

void TMemoText::SetLines(const std::vector<std::string>& lines) {
    std::string joined;
    std::string lineBreak = rtl::CodePointsToUtf8(m_lineBreak);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            joined += lineBreak;
        joined += lines[i];
    }
    SetText(joined);
}

void TMemoText::SetWrapper(TLineWrapper wrapper) {
    m_wrapper = std::move(wrapper);
    Rewrap();
}

void TMemoText::Rewrap() {
    m_wraps.clear();
    for (std::size_t line = 0; line < m_lineStarts.size(); ++line)
        m_wraps.push_back(WrapsOf(line));
    RebuildDisplayLines();
    ClampScroll();
}

int TMemoText::LineFromChar(int pos) const {
    if (pos < 0)
        return SelLength() == 0 ? CaretLine()
                                : static_cast<int>(DisplayLineOf(static_cast<std::size_t>(SelStart())));
    return static_cast<int>(DisplayLineOf(std::min(static_cast<std::size_t>(pos), m_text.size())));
}

int TMemoText::LineIndex(int line) const {
    if (line < 0)
        return static_cast<int>(m_display[CaretDisplayLine()].start);
    if (line >= DisplayLineCount())
        return -1;
    return static_cast<int>(m_display[static_cast<std::size_t>(line)].start);
}

int TMemoText::LineLength(int pos) const {
    if (pos > Length())
        return 0;
    const TDisplayLine& line =
        m_display[pos < 0 ? CaretDisplayLine() : DisplayLineOf(static_cast<std::size_t>(pos))];
    return static_cast<int>(line.end - line.start);
}

void TMemoText::PlaceCaretAtLineEnd(int line) {
    if (line < 0 || line >= DisplayLineCount())
        throw rtl::EListError("Line index out of bounds (" + std::to_string(line) + ")");
    int end = static_cast<int>(m_display[static_cast<std::size_t>(line)].end);
    SetSel(end, end);
    m_caretAtLineEnd = true;
}

void TMemoText::SetVisibleLines(int lines) {
    m_visibleLines = std::max(1, lines);
    ClampScroll();
}

bool TMemoText::LineScroll(int lines) {
    int before = m_firstVisible;
    long target = static_cast<long>(m_firstVisible) + lines;
    m_firstVisible = static_cast<int>(std::clamp<long>(target, 0, DisplayLineCount() - 1));
    return m_firstVisible != before;
}

void TMemoText::ScrollCaret() {
    int line = CaretLine();
    if (line < m_firstVisible)
        m_firstVisible = line;
    else if (line >= m_firstVisible + m_visibleLines)
        m_firstVisible = line - m_visibleLines + 1;
}

void TMemoText::Replace(std::size_t start, std::size_t count, std::u32string_view with) {
    const std::size_t first = LineOf(start);
    const std::size_t last = LineOf(start + count);
    TEditText::Replace(start, count, with);
    m_goalCaret = std::u32string::npos;
    RebuildLineStarts();
    // Only the lines the change touched are measured again.
    std::vector<std::vector<std::size_t>> changed;
    for (std::size_t line = first; line <= LineOf(start + with.size()); ++line)
        changed.push_back(WrapsOf(line));
    m_wraps.erase(m_wraps.begin() + static_cast<std::ptrdiff_t>(first),
                  m_wraps.begin() + static_cast<std::ptrdiff_t>(last + 1));
    m_wraps.insert(m_wraps.begin() + static_cast<std::ptrdiff_t>(first), changed.begin(), changed.end());
    RebuildDisplayLines();
    ClampScroll();
}

std::u32string TMemoText::NormalizeInput(std::u32string_view text) const {
    // Any of CR LF, CR and LF becomes this model's break.
    std::u32string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t ch = text[i];
        if (ch == U'\r' || ch == U'\n') {
            if (ch == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n')
                ++i;
            out += m_lineBreak;
        } else {
            out += ApplyCase(ch);
        }
    }
    return out;
}

std::size_t TMemoText::Snap(std::size_t pos) const {
    pos = std::min(pos, m_text.size());
    if (m_lineBreak.size() == 2 && pos > 0 && pos < m_text.size() && m_text[pos - 1] == U'\r' &&
        m_text[pos] == U'\n')
        --pos;
    return pos;
}

std::size_t TMemoText::NextPos(std::size_t pos) const {
    if (m_text.compare(pos, m_lineBreak.size(), m_lineBreak) == 0)
        return pos + m_lineBreak.size();
    return std::min(pos + 1, m_text.size());
}

std::size_t TMemoText::PrevPos(std::size_t pos) const {
    std::size_t n = m_lineBreak.size();
    if (pos >= n && m_text.compare(pos - n, n, m_lineBreak) == 0)
        return pos - n;
    return pos == 0 ? 0 : pos - 1;
}

std::size_t TMemoText::HomeOf(std::size_t pos) const {
    return m_display[pos == m_caret ? CaretDisplayLine() : DisplayLineOf(pos)].start;
}

std::size_t TMemoText::EndOf(std::size_t pos) const {
    return m_display[pos == m_caret ? CaretDisplayLine() : DisplayLineOf(pos)].end;
}

bool TMemoText::MultiLineKey(TEditKey key, bool shift, bool, bool& changed) {
    switch (key) {
    case TEditKey::Enter:
        if (!ReadOnly())
            changed = ReplaceSelection(m_lineBreak);
        return true;
    case TEditKey::Up:
        MoveLines(-1, shift);
        return true;
    case TEditKey::Down:
        MoveLines(1, shift);
        return true;
    case TEditKey::PageUp:
        MoveLines(-m_visibleLines, shift);
        return true;
    case TEditKey::PageDown:
        MoveLines(m_visibleLines, shift);
        return true;
    default:
        return false;
    }
}

void TMemoText::CaretMoved() {
    ScrollCaret();
}

void TMemoText::RebuildLineStarts() {
    m_lineStarts.assign(1, 0);
    std::size_t pos = 0;
    while ((pos = m_text.find(m_lineBreak, pos)) != std::u32string::npos) {
        pos += m_lineBreak.size();
        m_lineStarts.push_back(pos);
    }
}

std::vector<std::size_t> TMemoText::WrapsOf(std::size_t line) const {
    if (!m_wrapper)
        return {};
    const std::size_t start = m_lineStarts[line];
    const std::size_t end = LineEnd(line);
    std::vector<std::size_t> wraps;
    for (std::size_t offset : m_wrapper(std::u32string_view(m_text).substr(start, end - start), start))
        // A wrap always moves on and never splits a line break.
        if (offset > (wraps.empty() ? 0 : wraps.back()) && offset < end - start)
            wraps.push_back(offset);
    return wraps;
}

void TMemoText::RebuildDisplayLines() {
    m_display.clear();
    for (std::size_t line = 0; line < m_lineStarts.size(); ++line) {
        const std::size_t start = m_lineStarts[line];
        std::size_t from = start;
        for (std::size_t offset : m_wraps[line]) {
            m_display.push_back({from, start + offset});
            from = start + offset;
        }
        m_display.push_back({from, LineEnd(line)});
    }
}

std::size_t TMemoText::LineOf(std::size_t pos) const {
    auto it = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), pos);
    return static_cast<std::size_t>(it - m_lineStarts.begin()) - 1;
}

std::size_t TMemoText::LineEnd(std::size_t line) const {
    if (line + 1 < m_lineStarts.size())
        return m_lineStarts[line + 1] - m_lineBreak.size();
    return m_text.size();
}

std::size_t TMemoText::DisplayLineOf(std::size_t pos) const {
    auto it = std::upper_bound(m_display.begin(), m_display.end(), pos,
                               [](std::size_t p, const TDisplayLine& line) { return p < line.start; });
    return static_cast<std::size_t>(it - m_display.begin()) - 1;
}

std::size_t TMemoText::CaretDisplayLine() const {
    std::size_t line = DisplayLineOf(m_caret);
    if (m_caretAtLineEnd && line > 0 && m_display[line].start == m_caret && WrapsAtEnd(line - 1))
        return line - 1;
    return line;
}

bool TMemoText::WrapsAtEnd(std::size_t line) const {
    return line + 1 < m_display.size() && m_display[line].end == m_display[line + 1].start;
}

void TMemoText::MoveLines(int delta, bool shift) {
    const std::size_t from = CaretDisplayLine();
    // The column is kept only while the caret is where the last vertical move left it.
    if (m_caret != m_goalCaret)
        m_goalColumn = m_caret - m_display[from].start;
    long line = static_cast<long>(from) + delta;
    long last = DisplayLineCount() - 1;
    std::size_t target;
    bool atWrap = false;
    if (line < 0) {
        target = delta == -1 ? m_caret : 0;
    } else if (line > last) {
        target = delta == 1 ? m_caret : m_text.size();
    } else {
        const TDisplayLine& to = m_display[static_cast<std::size_t>(line)];
        target = std::min(to.start + m_goalColumn, to.end);
        atWrap = target == to.end && WrapsAtEnd(static_cast<std::size_t>(line));
    }
    const bool stays = target == m_caret && m_caretAtLineEnd;
    MoveCaret(target, shift);
    m_caretAtLineEnd = atWrap || stays;
    m_goalCaret = m_caret;
}

void TMemoText::ClampScroll() {
    m_firstVisible = std::clamp(m_firstVisible, 0, DisplayLineCount() - 1);
}

} // namespace framework
