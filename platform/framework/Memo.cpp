#include "platform/framework/Memo.h"

#include "platform/framework/Forms.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

namespace framework {

namespace {

// Room left of and right of the text.
constexpr int textMargin = 1;

} // namespace

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomMemo(owner, std::make_unique<TMemoText>()) {}

TCustomMemo::TCustomMemo(TComponent* owner, std::unique_ptr<TMemoText> model)
    : TCustomEdit(owner, std::move(model)) {
    SetInitialSize(185, 89);
    SetAutoSelect(false);
    TControlStyle style = ControlStyle();
    style.Exclude(csFixedHeight);
    SetControlStyle(style);
    InstallWrapper();
}

void TCustomMemo::SetLines(const std::vector<std::string>& lines) {
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i)
        joined += (i > 0 ? "\r\n" : "") + lines[i];
    SetText(joined);
}

void TCustomMemo::SetWordWrap(bool wordWrap) {
    if (wordWrap == m_wordWrap)
        return;
    m_wordWrap = wordWrap;
    InstallWrapper();
    RecreateWnd();
}

void TCustomMemo::InstallWrapper() {
    if (!m_wordWrap) {
        Memo().SetWrapper(nullptr);
        return;
    }
    m_wrapWidth = ClientWidth() - 2 * textMargin;
    Memo().SetWrapper([this](std::u32string_view line, std::size_t start) {
        return gdi::WordBreaks(line, Advances(line, start), m_wrapWidth, true);
    });
}

void TCustomMemo::UpdateLayout(bool force) {
    const int width = ClientWidth() - 2 * textMargin;
    if (m_wordWrap && (force || width != m_wrapWidth)) {
        m_wrapWidth = width;
        Memo().Rewrap();
    }
    Memo().SetVisibleLines(VisibleLineCount());
}

std::vector<int> TCustomMemo::Advances(std::u32string_view line, std::size_t) {
    std::vector<int> widths(line.size());
    TMeasureDC dc(EditFont());
    const char32_t password = Memo().PasswordChar();
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char32_t ch = password != 0 ? password : line[i];
        gdi::GetCharWidth32(dc, ch, ch, &widths[i]);
    }
    return widths;
}

void TCustomMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.Style = (params.Style & ~win::ES_AUTOHSCROLL) | win::ES_MULTILINE;
    if (!m_wordWrap)
        params.Style |= win::ES_AUTOHSCROLL;
    if (m_wantReturns)
        params.Style |= win::ES_WANTRETURN;
}

int TCustomMemo::VisibleLineCount() const {
    return std::max(1, ClientHeight() / LineHeight());
}

void TCustomMemo::BoundsChanged(const TRect& oldBounds) {
    TCustomEdit::BoundsChanged(oldBounds);
    UpdateLayout();
}

void TCustomMemo::CMFontChanged(TMessage& m) {
    TCustomEdit::CMFontChanged(m);
    UpdateLayout(true);
}

void TCustomMemo::WndProc(TMessage& m) {
    const int w = static_cast<int>(static_cast<std::intptr_t>(m.WParam));
    switch (m.Msg) {
    case win::EM_LINEFROMCHAR:
        UpdateLayout();
        m.Result = Memo().LineFromChar(w);
        return;
    case win::EM_LINEINDEX:
        UpdateLayout();
        m.Result = Memo().LineIndex(w);
        return;
    case win::EM_LINELENGTH:
        UpdateLayout();
        m.Result = Memo().LineLength(w);
        return;
    case win::EM_GETLINECOUNT:
        UpdateLayout();
        m.Result = Memo().DisplayLineCount();
        return;
    case win::EM_GETFIRSTVISIBLELINE:
        UpdateLayout();
        m.Result = Memo().FirstVisibleLine();
        return;
    case win::EM_LINESCROLL:
        UpdateLayout();
        if (Memo().LineScroll(static_cast<int>(m.LParam)))
            Invalidate();
        m.Result = 1;
        return;
    case win::EM_SCROLLCARET:
        UpdateLayout();
        Memo().ScrollCaret();
        Invalidate();
        m.Result = 1;
        return;
    default:
        TCustomEdit::WndProc(m);
    }
}

bool TCustomMemo::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    if (TCustomEdit::DoMouseWheel(shift, wheelDelta, mousePos))
        return true;
    // Unhandled, the wheel scrolls the text as the platform's memo does.
    Perform(win::EM_LINESCROLL, 0, -wheelDelta / 120 * Mouse().WheelScrollLines());
    return true;
}

LRESULT TCustomMemo::DialogCode() const {
    LRESULT code = TCustomEdit::DialogCode();
    if (m_wantReturns)
        code |= win::DLGC_WANTALLKEYS;
    return code;
}

bool TCustomMemo::EditKey(std::uint16_t key, TShiftState shift) {
    UpdateLayout();
    return TCustomEdit::EditKey(key, shift);
}

bool TCustomMemo::EditChar(char32_t ch) {
    if (ch == 13 && !m_wantReturns)
        return false;
    UpdateLayout();
    return TCustomEdit::EditChar(ch);
}

void TCustomMemo::PaintText(gdi::HDC dc) {
    UpdateLayout();
    gdi::HGDIOBJ old = gdi::SelectObject(dc, EditFont());
    const int h = LineHeight();
    const TMemoText& memo = Memo();
    const std::u32string& text = memo.CodePoints();
    const int caretLine = memo.CaretLine();
    m_caretPoint = TPoint{-1, -1};
    int y = 0;
    for (int line = memo.FirstVisibleLine(); line < memo.DisplayLineCount() && y < ClientHeight(); ++line) {
        const int start = memo.LineIndex(line);
        std::u32string shown =
            text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(memo.LineLength(start)));
        if (memo.PasswordChar() != 0)
            shown.assign(shown.size(), memo.PasswordChar());
        PaintLine(dc, textMargin, y, shown, start, h, line == caretLine);
        y += h;
    }
    if (Focused() && m_caretPoint.x >= 0) {
        TRect r{m_caretPoint.x, m_caretPoint.y, m_caretPoint.x + 1, m_caretPoint.y + h};
        gdi::HBRUSH brush = gdi::CreateSolidBrush(gdi::ColorToRGB(gdi::clWindowText));
        gdi::FillRect(dc, &r, brush);
        gdi::DeleteObject(brush);
    }
    gdi::SelectObject(dc, old);
}

int TCustomMemo::LineAtY(int y) {
    const int line = Memo().FirstVisibleLine() + (y < 0 ? -1 : y / LineHeight());
    return std::clamp(line, 0, Memo().DisplayLineCount() - 1);
}

int TCustomMemo::PositionInLine(int line, int x) {
    const TMemoText& memo = Memo();
    const int start = memo.LineIndex(line);
    const std::u32string_view shown =
        std::u32string_view(memo.CodePoints())
            .substr(static_cast<std::size_t>(start), static_cast<std::size_t>(memo.LineLength(start)));
    const std::vector<int> widths = Advances(shown, static_cast<std::size_t>(start));
    int best = 0;
    int left = textMargin;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        if (x >= left + widths[i] / 2)
            best = static_cast<int>(i) + 1;
        left += widths[i];
    }
    return start + best;
}

int TCustomMemo::PositionAt(int x, int y) {
    UpdateLayout();
    return PositionInLine(LineAtY(y), x);
}

void TCustomMemo::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomEdit::MouseDown(button, shift, x, y);
    if (button != mbLeft || shift.Contains(ssShift) || shift.Contains(ssDouble))
        return;
    // A click past the end of a wrapped display line puts the caret at that end, not at the
    // start of the next line, which is the same position.
    const int line = LineAtY(y);
    const int end = Memo().LineIndex(line) + Memo().LineLength(Memo().LineIndex(line));
    if (Memo().LineWraps(line) && SelStart() == end && SelLength() == 0) {
        Memo().PlaceCaretAtLineEnd(line);
        Invalidate();
    }
}

namespace {

[[maybe_unused]] const auto registerCustomMemo = RegisterClass<TCustomMemo, TCustomEdit>("TCustomMemo");
[[maybe_unused]] const auto registerMemo =
    RegisterClass<TMemo, TCustomMemo>("TMemo")
        .Boolean("HideSelection", &TMemo::HideSelection, &TMemo::SetHideSelection, true)
        .Strings("Lines", &TMemo::Lines, &TMemo::SetLines)
        .Integer("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength, 0)
        .Boolean("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly, false)
        .Boolean("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns, true)
        .Boolean("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap, true)
        .Event("OnChange", &TMemo::OnChange);

} // namespace

} // namespace framework
