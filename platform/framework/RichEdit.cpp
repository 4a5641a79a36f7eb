#include "platform/framework/RichEdit.h"

#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

namespace framework {

namespace {

int HeightOfSize(int size) {
    return -((size * 96 + 36) / 72);
}

void Fill(gdi::HDC dc, const TRect& r, TColor color) {
    gdi::HBRUSH brush = gdi::CreateSolidBrush(gdi::ColorToRGB(color));
    gdi::FillRect(dc, &r, brush);
    gdi::DeleteObject(brush);
}

} // namespace

TColor TTextAttributes::Color() const {
    return m_owner.Rich().SelAttributes().Color;
}

void TTextAttributes::SetColor(TColor color) {
    m_owner.Rich().ChangeSelAttributes([&](TRichAttributes& a) { a.Color = color; });
    m_owner.Invalidate();
}

TFontStyles TTextAttributes::Style() const {
    TRichAttributes a = m_owner.Rich().SelAttributes();
    TFontStyles s;
    if (a.Bold)
        s.Include(fsBold);
    if (a.Italic)
        s.Include(fsItalic);
    if (a.Underline)
        s.Include(fsUnderline);
    if (a.StrikeOut)
        s.Include(fsStrikeOut);
    return s;
}

void TTextAttributes::SetStyle(TFontStyles style) {
    m_owner.Rich().ChangeSelAttributes([&](TRichAttributes& a) {
        a.Bold = style.Contains(fsBold);
        a.Italic = style.Contains(fsItalic);
        a.Underline = style.Contains(fsUnderline);
        a.StrikeOut = style.Contains(fsStrikeOut);
    });
    m_owner.Invalidate();
}

int TTextAttributes::Size() const {
    return m_owner.Rich().SelAttributes().Size;
}

void TTextAttributes::SetSize(int size) {
    if (size <= 0)
        throw rtl::ERangeError("Font size must be positive (" + std::to_string(size) + ")");
    m_owner.Rich().ChangeSelAttributes([&](TRichAttributes& a) { a.Size = size; });
    m_owner.Invalidate();
}

std::string TTextAttributes::Name() const {
    return m_owner.Rich().SelAttributes().Name;
}

void TTextAttributes::SetName(const std::string& name) {
    m_owner.Rich().ChangeSelAttributes([&](TRichAttributes& a) { a.Name = name; });
    m_owner.Invalidate();
}

TCustomRichEdit::TCustomRichEdit(TComponent* owner)
    : TCustomMemo(owner, std::make_unique<TRichText>()), m_selAttributes(*this) {}

TCustomRichEdit::~TCustomRichEdit() {
    ReleaseFonts();
}

void TCustomRichEdit::SetLines(const std::vector<std::string>& lines) {
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i)
        joined += (i > 0 ? "\r" : "") + lines[i];
    SetText(joined);
}

void TCustomRichEdit::SelectionChange() {
    if (OnSelectionChange)
        OnSelectionChange(this);
}

gdi::HFONT TCustomRichEdit::RunFont(const TRichAttributes& a) {
    for (auto& [attributes, font] : m_fonts)
        if (attributes.Bold == a.Bold && attributes.Italic == a.Italic &&
            attributes.Underline == a.Underline && attributes.Size == a.Size && attributes.Name == a.Name)
            return font;
    gdi::LOGFONT lf;
    lf.lfHeight = HeightOfSize(a.Size);
    lf.lfWeight = a.Bold ? 700 : 400;
    lf.lfItalic = a.Italic;
    lf.lfUnderline = a.Underline;
    lf.lfFaceName = a.Name;
    // Strike-out is drawn by the edit itself, through blanks as well.
    m_fonts.emplace_back(a, gdi::CreateFontIndirect(&lf));
    return m_fonts.back().second;
}

void TCustomRichEdit::ReleaseFonts() {
    for (auto& entry : m_fonts)
        gdi::DeleteObject(entry.second);
    m_fonts.clear();
}

TCustomRichEdit::TLayoutLine TCustomRichEdit::MeasureParagraph(gdi::HDC dc, int paragraph, int top) {
    TLayoutLine line{top, 0, 0};
    int descent = 0;
    for (const TRichRun& run : Rich().ParagraphRuns(paragraph)) {
        gdi::SelectObject(dc, RunFont(run.Attributes));
        gdi::TEXTMETRIC tm;
        gdi::GetTextMetrics(dc, &tm);
        line.Ascent = std::max(line.Ascent, tm.tmAscent);
        descent = std::max(descent, tm.tmHeight - tm.tmAscent);
    }
    line.Height = line.Ascent + descent;
    return line;
}

void TCustomRichEdit::PaintText(gdi::HDC dc) {
    const int saved = gdi::SaveDC(dc);
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    const TRichText& rich = Rich();
    const std::u32string& text = rich.CodePoints();
    const int selStart = ShowsSelection() ? SelStart() : 0;
    const int selEnd = ShowsSelection() ? SelStart() + SelLength() : 0;
    const int caret = rich.CaretPos();
    TRect caretRect{-1, 0, -1, 0};
    int y = 0;
    for (int p = rich.FirstVisibleLine(); p < rich.LineCount() && y < ClientHeight(); ++p) {
        TLayoutLine line = MeasureParagraph(dc, p, y);
        int x = 1;
        for (const TRichRun& run : rich.ParagraphRuns(p)) {
            gdi::SelectObject(dc, RunFont(run.Attributes));
            gdi::TEXTMETRIC tm;
            gdi::GetTextMetrics(dc, &tm);
            const int top = y + line.Ascent - tm.tmAscent;
            if (run.Length == 0 && caret == run.Start)
                caretRect = TRect{x, top, x + 1, top + tm.tmHeight};
            for (int i = 0; i < run.Length; ++i) {
                const int pos = run.Start + i;
                std::u32string_view ch = std::u32string_view(text).substr(static_cast<std::size_t>(pos), 1);
                const int w = TextWidth(dc, ch);
                const bool selected = pos >= selStart && pos < selEnd;
                if (selected)
                    Fill(dc, TRect{x, y, x + w, y + line.Height}, gdi::clHighlight);
                gdi::SetTextColor(dc,
                                  gdi::ColorToRGB(selected ? gdi::clHighlightText : run.Attributes.Color));
                gdi::TextOut(dc, x, top, rtl::CodePointsToUtf8(ch));
                if (run.Attributes.StrikeOut)
                    Fill(dc, TRect{x, top + tm.tmAscent * 2 / 3, x + w, top + tm.tmAscent * 2 / 3 + 1},
                         selected ? gdi::clHighlightText : run.Attributes.Color);
                if (pos == caret)
                    caretRect = TRect{x, top, x + 1, top + tm.tmHeight};
                x += w;
                if (pos + 1 == caret)
                    caretRect = TRect{x, top, x + 1, top + tm.tmHeight};
            }
        }
        y += line.Height;
    }
    if (Focused() && caretRect.left >= 0)
        Fill(dc, caretRect, gdi::clWindowText);
    gdi::RestoreDC(dc, saved);
}

int TCustomRichEdit::PositionAt(int x, int y) {
    gdi::HDC dc = gdi::CreateCompatibleDC(nullptr);
    const int saved = gdi::SaveDC(dc);
    const TRichText& rich = Rich();
    int top = 0;
    int p = rich.FirstVisibleLine();
    for (; p < rich.LineCount() - 1; ++p) {
        TLayoutLine line = MeasureParagraph(dc, p, top);
        if (y < top + line.Height)
            break;
        top += line.Height;
    }
    int result = rich.LineIndex(p);
    int cx = 1;
    for (const TRichRun& run : rich.ParagraphRuns(p)) {
        gdi::SelectObject(dc, RunFont(run.Attributes));
        for (int i = 0; i < run.Length; ++i) {
            const int w = TextWidth(
                dc,
                std::u32string_view(rich.CodePoints()).substr(static_cast<std::size_t>(run.Start + i), 1));
            if (x >= cx + w / 2)
                result = run.Start + i + 1;
            cx += w;
        }
    }
    gdi::RestoreDC(dc, saved);
    gdi::DeleteDC(dc);
    return result;
}

namespace {

[[maybe_unused]] const auto registerCustomRichEdit =
    RegisterClass<TCustomRichEdit, TCustomMemo>("TCustomRichEdit");
[[maybe_unused]] const auto registerRichEdit =
    RegisterClass<TRichEdit, TCustomRichEdit>("TRichEdit")
        .Boolean("HideSelection", &TRichEdit::HideSelection, &TRichEdit::SetHideSelection, true)
        .Strings("Lines", &TRichEdit::Lines, &TRichEdit::SetLines)
        .Integer("MaxLength", &TRichEdit::MaxLength, &TRichEdit::SetMaxLength, 0)
        .Boolean("ReadOnly", &TRichEdit::ReadOnly, &TRichEdit::SetReadOnly, false)
        .Event("OnChange", &TRichEdit::OnChange)
        .Event("OnSelectionChange", &TRichEdit::OnSelectionChange);

} // namespace

} // namespace framework
