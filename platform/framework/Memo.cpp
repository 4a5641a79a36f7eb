#include "platform/framework/Memo.h"

#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

namespace framework {

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomMemo(owner, std::make_unique<TMemoText>()) {}

TCustomMemo::TCustomMemo(TComponent* owner, std::unique_ptr<TMemoText> model)
    : TCustomEdit(owner, std::move(model)) {
    SetInitialSize(185, 89);
    SetAutoSelect(false);
    TControlStyle style = ControlStyle();
    style.Exclude(csFixedHeight);
    SetControlStyle(style);
}

void TCustomMemo::SetLines(const std::vector<std::string>& lines) {
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i)
        joined += (i > 0 ? "\r\n" : "") + lines[i];
    SetText(joined);
}

void TCustomMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.Style = (params.Style & ~win::ES_AUTOHSCROLL) | win::ES_MULTILINE;
    if (m_wantReturns)
        params.Style |= win::ES_WANTRETURN;
}

int TCustomMemo::VisibleLineCount() const {
    return std::max(1, ClientHeight() / LineHeight());
}

void TCustomMemo::BoundsChanged(const TRect& oldBounds) {
    TCustomEdit::BoundsChanged(oldBounds);
    Memo().SetVisibleLines(VisibleLineCount());
}

void TCustomMemo::WndProc(TMessage& m) {
    const int w = static_cast<int>(static_cast<std::intptr_t>(m.WParam));
    switch (m.Msg) {
    case win::EM_LINEFROMCHAR:
        m.Result = Memo().LineFromChar(w);
        return;
    case win::EM_LINEINDEX:
        m.Result = Memo().LineIndex(w);
        return;
    case win::EM_LINELENGTH:
        m.Result = Memo().LineLength(w);
        return;
    case win::EM_GETLINECOUNT:
        m.Result = Memo().LineCount();
        return;
    case win::EM_GETFIRSTVISIBLELINE:
        m.Result = Memo().FirstVisibleLine();
        return;
    case win::EM_LINESCROLL:
        Memo().SetVisibleLines(VisibleLineCount());
        if (Memo().LineScroll(static_cast<int>(m.LParam)))
            Invalidate();
        m.Result = 1;
        return;
    case win::EM_SCROLLCARET:
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
    Perform(win::EM_LINESCROLL, 0, -wheelDelta / 120 * 3);
    return true;
}

LRESULT TCustomMemo::DialogCode() const {
    LRESULT code = TCustomEdit::DialogCode();
    if (m_wantReturns)
        code |= win::DLGC_WANTALLKEYS;
    return code;
}

bool TCustomMemo::EditKey(std::uint16_t key, TShiftState shift) {
    Memo().SetVisibleLines(VisibleLineCount());
    return TCustomEdit::EditKey(key, shift);
}

bool TCustomMemo::EditChar(char32_t ch) {
    if (ch == 13 && !m_wantReturns)
        return false;
    Memo().SetVisibleLines(VisibleLineCount());
    return TCustomEdit::EditChar(ch);
}

void TCustomMemo::PaintText(gdi::HDC dc) {
    gdi::HGDIOBJ old = gdi::SelectObject(dc, EditFont());
    const int h = LineHeight();
    const TMemoText& memo = Memo();
    const std::u32string& text = memo.CodePoints();
    m_caretPoint = TPoint{-1, -1};
    const int last = std::min(memo.LineCount(), memo.FirstVisibleLine() + ClientHeight() / h + 1);
    for (int line = memo.FirstVisibleLine(); line < last; ++line) {
        const int start = memo.LineIndex(line);
        const int len = memo.LineLength(start);
        std::u32string shown = text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(len));
        if (memo.PasswordChar() != 0)
            shown.assign(shown.size(), memo.PasswordChar());
        PaintLine(dc, 1, (line - memo.FirstVisibleLine()) * h, shown, start, h);
    }
    if (Focused() && m_caretPoint.x >= 0) {
        TRect r{m_caretPoint.x, m_caretPoint.y, m_caretPoint.x + 1, m_caretPoint.y + h};
        gdi::HBRUSH brush = gdi::CreateSolidBrush(gdi::ColorToRGB(gdi::clWindowText));
        gdi::FillRect(dc, &r, brush);
        gdi::DeleteObject(brush);
    }
    gdi::SelectObject(dc, old);
}

int TCustomMemo::PositionAt(int x, int y) {
    const TMemoText& memo = Memo();
    const int line = std::clamp(memo.FirstVisibleLine() + y / LineHeight(), 0, memo.LineCount() - 1);
    const int start = memo.LineIndex(line);
    const std::u32string shown = memo.CodePoints().substr(static_cast<std::size_t>(start),
                                                          static_cast<std::size_t>(memo.LineLength(start)));
    gdi::HDC dc = gdi::CreateCompatibleDC(nullptr);
    gdi::HGDIOBJ old = gdi::SelectObject(dc, EditFont());
    int best = 0, prev = 0;
    for (std::size_t i = 1; i <= shown.size(); ++i) {
        int w = TextWidth(dc, std::u32string_view(shown).substr(0, i));
        if (x - 1 >= (prev + w) / 2)
            best = static_cast<int>(i);
        prev = w;
    }
    gdi::SelectObject(dc, old);
    gdi::DeleteDC(dc);
    return start + best;
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
        .Event("OnChange", &TMemo::OnChange);

} // namespace

} // namespace framework
