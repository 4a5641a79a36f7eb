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

TRichAttributes AttributesOf(const TFont& font) {
    TRichAttributes a;
    a.Color = font.Color();
    a.Bold = font.Style().Contains(fsBold);
    a.Italic = font.Style().Contains(fsItalic);
    a.Underline = font.Style().Contains(fsUnderline);
    a.StrikeOut = font.Style().Contains(fsStrikeOut);
    a.Size = font.Size();
    a.Name = font.Name();
    return a;
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
    : TCustomMemo(owner, std::make_unique<TRichText>()), m_selAttributes(*this) {
    Rich().SetDefaultAttributes(AttributesOf(*Font()));
}

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

void TCustomRichEdit::CMFontChanged(TMessage& m) {
    Rich().SetDefaultAttributes(AttributesOf(*Font()));
    TCustomMemo::CMFontChanged(m);
}

gdi::HFONT TCustomRichEdit::RunFont(const TRichAttributes& a) const {
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

std::vector<int> TCustomRichEdit::Advances(std::u32string_view line, std::size_t start) {
    std::vector<int> widths(line.size());
    TMeasureDC dc(EditFont());
    for (const TRichRun& run :
         Rich().RunsIn(static_cast<int>(start), static_cast<int>(start + line.size()))) {
        gdi::SelectObject(dc, RunFont(run.Attributes));
        for (int i = 0; i < run.Length; ++i) {
            const std::size_t k = static_cast<std::size_t>(run.Start) - start + static_cast<std::size_t>(i);
            gdi::GetCharWidth32(dc, line[k], line[k], &widths[k]);
        }
    }
    return widths;
}

TCustomRichEdit::TLayoutLine TCustomRichEdit::MeasureLine(gdi::HDC dc, int line) const {
    TLayoutLine layout;
    int descent = 0;
    const int start = Rich().LineIndex(line);
    for (const TRichRun& run : Rich().RunsIn(start, start + Rich().LineLength(start))) {
        gdi::SelectObject(dc, RunFont(run.Attributes));
        gdi::TEXTMETRIC tm;
        gdi::GetTextMetrics(dc, &tm);
        layout.Ascent = std::max(layout.Ascent, tm.tmAscent);
        descent = std::max(descent, tm.tmHeight - tm.tmAscent);
    }
    layout.Height = layout.Ascent + descent;
    return layout;
}

int TCustomRichEdit::VisibleLineCount() const {
    TMeasureDC dc(EditFont());
    int count = 0;
    int y = 0;
    for (int line = Rich().FirstVisibleLine(); line < Rich().DisplayLineCount(); ++line) {
        y += MeasureLine(dc, line).Height;
        if (y > ClientHeight())
            break;
        ++count;
    }
    return std::max(1, count);
}

int TCustomRichEdit::LineAtY(int y) {
    TMeasureDC dc(EditFont());
    int line = Rich().FirstVisibleLine();
    for (int top = 0; line < Rich().DisplayLineCount() - 1; ++line) {
        top += MeasureLine(dc, line).Height;
        if (y < top)
            break;
    }
    return line;
}

void TCustomRichEdit::PaintText(gdi::HDC dc) {
    UpdateLayout();
    const int saved = gdi::SaveDC(dc);
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    const TRichText& rich = Rich();
    const std::u32string& text = rich.CodePoints();
    const int selStart = ShowsSelection() ? SelStart() : 0;
    const int selEnd = ShowsSelection() ? SelStart() + SelLength() : 0;
    const int caret = rich.CaretPos();
    const int caretLine = rich.CaretLine();
    TRect caretRect{-1, 0, -1, 0};
    int y = 0;
    for (int line = rich.FirstVisibleLine(); line < rich.DisplayLineCount() && y < ClientHeight(); ++line) {
        const TLayoutLine layout = MeasureLine(dc, line);
        const int start = rich.LineIndex(line);
        const bool holdsCaret = line == caretLine;
        int x = 1;
        for (const TRichRun& run : rich.RunsIn(start, start + rich.LineLength(start))) {
            gdi::SelectObject(dc, RunFont(run.Attributes));
            gdi::TEXTMETRIC tm;
            gdi::GetTextMetrics(dc, &tm);
            const int top = y + layout.Ascent - tm.tmAscent;
            auto caretAt = [&](int cx) { return TRect{cx, top, cx + 1, top + tm.tmHeight}; };
            if (holdsCaret && run.Length == 0 && caret == run.Start)
                caretRect = caretAt(x);
            for (int i = 0; i < run.Length; ++i) {
                const int pos = run.Start + i;
                std::u32string_view ch = std::u32string_view(text).substr(static_cast<std::size_t>(pos), 1);
                const int w = TextWidth(dc, ch);
                const bool selected = pos >= selStart && pos < selEnd;
                if (selected)
                    Fill(dc, TRect{x, y, x + w, y + layout.Height}, gdi::clHighlight);
                gdi::SetTextColor(dc,
                                  gdi::ColorToRGB(selected ? gdi::clHighlightText : run.Attributes.Color));
                gdi::TextOut(dc, x, top, rtl::CodePointsToUtf8(ch));
                if (run.Attributes.StrikeOut)
                    Fill(dc, TRect{x, top + tm.tmAscent * 2 / 3, x + w, top + tm.tmAscent * 2 / 3 + 1},
                         selected ? gdi::clHighlightText : run.Attributes.Color);
                if (holdsCaret && pos == caret)
                    caretRect = caretAt(x);
                x += w;
                if (holdsCaret && pos + 1 == caret)
                    caretRect = caretAt(x);
            }
        }
        y += layout.Height;
    }
    if (Focused() && caretRect.left >= 0)
        Fill(dc, caretRect, gdi::clWindowText);
    gdi::RestoreDC(dc, saved);
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
        .Boolean("WordWrap", &TRichEdit::WordWrap, &TRichEdit::SetWordWrap, true)
        .Event("OnChange", &TRichEdit::OnChange)
        .Event("OnSelectionChange", &TRichEdit::OnSelectionChange);

} // namespace

} // namespace framework
