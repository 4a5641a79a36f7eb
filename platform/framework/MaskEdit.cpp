#include "platform/framework/MaskEdit.h"

#include "platform/framework/Input.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

namespace framework {

const TEnumInfo EditCharCaseInfo{"TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"}};

namespace {

std::optional<TEditKey> EditKeyOf(std::uint16_t key) {
    switch (key) {
    case win::VK_LEFT:
        return TEditKey::Left;
    case win::VK_RIGHT:
        return TEditKey::Right;
    case win::VK_UP:
        return TEditKey::Up;
    case win::VK_DOWN:
        return TEditKey::Down;
    case win::VK_HOME:
        return TEditKey::Home;
    case win::VK_END:
        return TEditKey::End;
    case win::VK_PRIOR:
        return TEditKey::PageUp;
    case win::VK_NEXT:
        return TEditKey::PageDown;
    case win::VK_DELETE:
        return TEditKey::Delete;
    default:
        return std::nullopt;
    }
}

int SignedParam(std::uintptr_t v) {
    return static_cast<int>(static_cast<std::intptr_t>(v));
}

} // namespace

TCustomEdit::TCustomEdit(TComponent* owner) : TCustomEdit(owner, std::make_unique<TEditText>()) {}

TCustomEdit::TCustomEdit(TComponent* owner, std::unique_ptr<TEditText> model)
    : TWinControl(owner), m_model(std::move(model)) {
    SetInitialSize(121, 21);
    SetInitialColor(gdi::clWindow);
    SetTabStop(true);
    SetParentColor(false);
    TControlStyle style = ControlStyle();
    style.Include(csClickEvents);
    style.Include(csSetCaption);
    style.Include(csDoubleClicks);
    style.Include(csFixedHeight);
    SetControlStyle(style);
}

TCustomEdit::~TCustomEdit() = default;

std::string TCustomEdit::Text() const {
    return m_model->Text();
}

void TCustomEdit::SetText(const std::string& text) {
    bool changed = m_model->SetText(text);
    SetTextSilently(m_model->Text());
    m_scrollX = 0;
    if (changed) {
        Perform(win::CM_TEXTCHANGED, 0, 0);
        Change();
    }
    SelectionMoved();
    Invalidate();
}

void TCustomEdit::SetMaxLength(int maxLength) {
    m_model->SetMaxLength(maxLength);
}

void TCustomEdit::SetReadOnly(bool readOnly) {
    if (readOnly == ReadOnly())
        return;
    m_model->SetReadOnly(readOnly);
    Invalidate();
}

void TCustomEdit::SetCharCase(TEditCharCase charCase) {
    if (charCase == CharCase())
        return;
    AfterEdit(m_model->SetCharCase(charCase));
}

void TCustomEdit::SetPasswordChar(int passwordChar) {
    if (passwordChar < 0 || passwordChar > 0x10FFFF || (passwordChar >= 0xD800 && passwordChar <= 0xDFFF))
        throw rtl::ERangeError("PasswordChar is not a character (" + std::to_string(passwordChar) + ")");
    if (passwordChar == PasswordChar())
        return;
    m_model->SetPasswordChar(static_cast<char32_t>(passwordChar));
    Invalidate();
}

void TCustomEdit::SetHideSelection(bool hideSelection) {
    if (hideSelection == m_hideSelection)
        return;
    m_hideSelection = hideSelection;
    Invalidate();
}

void TCustomEdit::SetBorderStyle(TBorderStyle style) {
    if (style == m_borderStyle)
        return;
    if (style != bsNone && style != bsSingle)
        throw rtl::ERangeError("An edit's border style is bsNone or bsSingle");
    m_borderStyle = style;
    RecreateWnd();
}

void TCustomEdit::SetSelStart(int start) {
    m_model->SetSelStart(start);
    SelectionMoved();
}

void TCustomEdit::SetSelLength(int length) {
    m_model->SetSelLength(length);
    SelectionMoved();
}

void TCustomEdit::SetSelText(const std::string& text) {
    AfterEdit(m_model->SetSelText(text));
}

void TCustomEdit::SelectAll() {
    m_model->SelectAll();
    SelectionMoved();
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    ApplyBorderStyle(params, m_borderStyle, Ctl3D());
    params.Style |= win::WS_TABSTOP | win::ES_AUTOHSCROLL | win::ES_AUTOVSCROLL;
    if (!m_hideSelection)
        params.Style |= win::ES_NOHIDESEL;
    if (ReadOnly())
        params.Style |= win::ES_READONLY;
    params.WindowClassStyle |= win::CS_DBLCLKS;
    params.WindowClassCursor = crIBeam;
}

void TCustomEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case win::WM_GETDLGCODE:
        m.Result = DialogCode();
        return;
    case win::WM_KEYDOWN:
        if (!DoKeyDown(m))
            EditKey(static_cast<std::uint16_t>(m.WParam), GetShiftState());
        return;
    case win::WM_CHAR:
        if (!DoKeyPress(m))
            EditChar(static_cast<char32_t>(m.WParam));
        return;
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS:
        TWinControl::WndProc(m);
        Invalidate();
        return;
    case win::EM_GETSEL: {
        int start = SelStart(), end = SelStart() + SelLength();
        if (m.WParam != 0)
            *reinterpret_cast<int*>(m.WParam) = start;
        if (m.LParam != 0)
            *reinterpret_cast<int*>(m.LParam) = end;
        m.Result = static_cast<LRESULT>((std::min(end, 0xFFFF) << 16) | std::min(start, 0xFFFF));
        return;
    }
    case win::EM_SETSEL:
        m_model->SetSel(SignedParam(m.WParam), static_cast<int>(m.LParam));
        SelectionMoved();
        m.Result = 0;
        return;
    case win::EM_REPLACESEL:
        SetSelText(m.LParam != 0 ? reinterpret_cast<const char*>(m.LParam) : "");
        m.Result = 0;
        return;
    case win::EM_LIMITTEXT:
        SetMaxLength(static_cast<int>(m.WParam));
        m.Result = 0;
        return;
    default:
        TWinControl::WndProc(m);
    }
}

LRESULT TCustomEdit::DialogCode() const {
    return win::DLGC_WANTARROWS | win::DLGC_WANTCHARS | win::DLGC_HASSETSEL;
}

bool TCustomEdit::EditKey(std::uint16_t key, TShiftState shift) {
    std::optional<TEditKey> k = EditKeyOf(key);
    if (!k)
        return false;
    bool changed = m_model->PressKey(*k, shift.Contains(ssShift), shift.Contains(ssCtrl));
    AfterEdit(changed);
    return true;
}

bool TCustomEdit::EditChar(char32_t ch) {
    if (ch == 8) {
        AfterEdit(m_model->PressKey(TEditKey::Backspace, false, false));
        return true;
    }
    if (ch == 13) {
        AfterEdit(m_model->PressKey(TEditKey::Enter, false, false));
        return true;
    }
    if (ch < 0x20)
        return false;
    AfterEdit(m_model->TypeChar(ch));
    return true;
}

void TCustomEdit::AfterEdit(bool changed) {
    if (changed) {
        m_modified = true;
        SetTextSilently(m_model->Text());
        Perform(win::CM_TEXTCHANGED, 0, 0);
        Change();
    }
    SelectionMoved();
    Invalidate();
}

void TCustomEdit::SelectionMoved() {
    if (m_model->SelStart() != m_lastSelStart || m_model->SelLength() != m_lastSelLength) {
        m_lastSelStart = m_model->SelStart();
        m_lastSelLength = m_model->SelLength();
        Invalidate();
        DoSelectionChange();
    }
}

void TCustomEdit::Change() {
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::CMEnter(TMessage& m) {
    if (m_autoSelect && !ControlState().Contains(csLButtonDown) && !GetShiftState().Contains(ssLeft))
        SelectAll();
    TWinControl::CMEnter(m);
}

void TCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        if (!Focused() && CanFocus())
            SetFocus();
        int pos = PositionAt(x, y);
        if (shift.Contains(ssShift)) {
            m_model->SetSel(m_model->AnchorPos(), pos);
        } else if (shift.Contains(ssDouble)) {
            // A double click selects the word under the mouse.
            m_model->SetSel(pos, pos);
            m_model->PressKey(TEditKey::Left, false, true);
            int start = m_model->CaretPos();
            m_model->PressKey(TEditKey::Right, true, true);
            m_model->SetSel(start, m_model->CaretPos());
        } else {
            m_model->SetSel(pos, pos);
        }
        SelectionMoved();
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TCustomEdit::MouseMove(TShiftState shift, int x, int y) {
    if (shift.Contains(ssLeft) && MouseCapture()) {
        m_model->SetSel(m_model->AnchorPos(), PositionAt(x, y));
        SelectionMoved();
    }
    TWinControl::MouseMove(shift, x, y);
}

int TCustomEdit::LineHeight() const {
    TMeasureDC dc(EditFont());
    gdi::TEXTMETRIC tm;
    gdi::GetTextMetrics(dc, &tm);
    return std::max(1, tm.tmHeight);
}

int TCustomEdit::TextWidth(gdi::HDC dc, std::u32string_view text) const {
    if (text.empty())
        return 0;
    gdi::SIZE size{};
    gdi::GetTextExtentPoint32(dc, rtl::CodePointsToUtf8(text), &size);
    return size.cx;
}

gdi::COLORREF TCustomEdit::TextColor() const {
    return gdi::ColorToRGB(Enabled() ? Font()->Color() : gdi::clGrayText);
}

void TCustomEdit::PaintLine(gdi::HDC dc, int x, int y, std::u32string_view line, int firstPos, int height,
                            bool holdsCaret) {
    const int len = static_cast<int>(line.size());
    int selStart = ShowsSelection() ? SelStart() : 0;
    int selEnd = ShowsSelection() ? SelStart() + SelLength() : 0;
    int a = std::clamp(selStart - firstPos, 0, len);
    int b = std::clamp(selEnd - firstPos, 0, len);
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    const gdi::COLORREF text = TextColor();
    int cx = x;
    auto segment = [&](int from, int to, bool selected) {
        if (to <= from)
            return;
        std::u32string_view part =
            line.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
        int w = TextWidth(dc, part);
        if (selected) {
            TRect r{cx, y, cx + w, y + height};
            gdi::HBRUSH brush = gdi::CreateSolidBrush(gdi::ColorToRGB(gdi::clHighlight));
            gdi::FillRect(dc, &r, brush);
            gdi::DeleteObject(brush);
        }
        gdi::SetTextColor(dc, selected ? gdi::ColorToRGB(gdi::clHighlightText) : text);
        gdi::TextOut(dc, cx, y, rtl::CodePointsToUtf8(part));
        cx += w;
    };
    segment(0, a, false);
    segment(a, b, true);
    segment(b, len, false);
    const int caret = m_model->CaretPos() - firstPos;
    if (holdsCaret && caret >= 0 && caret <= len)
        m_caretPoint = TPoint{x + TextWidth(dc, line.substr(0, static_cast<std::size_t>(caret))), y};
}

void TCustomEdit::EnsureCaretVisible(gdi::HDC dc) {
    std::u32string shown = rtl::Utf8ToCodePoints(m_model->DisplayText());
    const int caretX =
        TextWidth(dc, std::u32string_view(shown).substr(0, static_cast<std::size_t>(m_model->CaretPos())));
    const int room = std::max(1, ClientWidth() - 3);
    if (caretX - m_scrollX > room)
        m_scrollX = caretX - room + room / 3;
    if (caretX < m_scrollX)
        m_scrollX = std::max(0, caretX - room / 3);
}

int TCustomEdit::AlignmentOffset(gdi::HDC dc, std::u32string_view shown) {
    const std::uint32_t style = HandleAllocated() ? Handle()->Style() : 0;
    const std::uint32_t alignment = style & (win::ES_RIGHT | win::ES_CENTER);
    if (alignment == 0)
        return 0;
    // Text wider than the room scrolls as left-aligned text does.
    const int room = ClientWidth() - 2;
    const int width = TextWidth(dc, shown);
    if (width >= room)
        return 0;
    return (alignment & win::ES_RIGHT) ? room - width : (room - width) / 2;
}

void TCustomEdit::PaintText(gdi::HDC dc) {
    gdi::HGDIOBJ old = gdi::SelectObject(dc, EditFont());
    EnsureCaretVisible(dc);
    const int h = LineHeight();
    const int y = std::max(0, (ClientHeight() - h) / 2);
    std::u32string shown = rtl::Utf8ToCodePoints(m_model->DisplayText());
    PaintLine(dc, 1 + AlignmentOffset(dc, shown) - m_scrollX, y, shown, 0, h);
    if (Focused()) {
        TRect r{m_caretPoint.x, y, m_caretPoint.x + 1, y + h};
        gdi::HBRUSH brush = gdi::CreateSolidBrush(gdi::ColorToRGB(gdi::clWindowText));
        gdi::FillRect(dc, &r, brush);
        gdi::DeleteObject(brush);
    }
    gdi::SelectObject(dc, old);
}

int TCustomEdit::PositionAt(int x, int) {
    TMeasureDC dc(EditFont());
    std::u32string shown = rtl::Utf8ToCodePoints(m_model->DisplayText());
    int target = x - 1 - AlignmentOffset(dc, shown) + m_scrollX;
    int best = 0;
    int prev = 0;
    for (std::size_t i = 1; i <= shown.size(); ++i) {
        int w = TextWidth(dc, std::u32string_view(shown).substr(0, i));
        if (target >= (prev + w) / 2)
            best = static_cast<int>(i);
        prev = w;
    }
    return best;
}

void TCustomEdit::PaintWindow(gdi::HDC dc) {
    TRect r = ClientRect();
    gdi::HBRUSH brush = gdi::CreateSolidBrush(gdi::ColorToRGB(Color()));
    gdi::FillRect(dc, &r, brush);
    gdi::DeleteObject(brush);
    PaintText(dc);
}

// The mask edit.

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

void TCustomMaskEdit::SetEditMask(const std::string& mask) {
    if (mask == m_mask.Mask())
        return;
    std::string value = Text();
    TEditMask parsed(mask);
    m_mask = parsed;
    if (IsMasked()) {
        Model().SetMaxLength(0);
        SetMaskedText(m_mask.EditTextFor(value), 0);
    } else {
        TCustomEdit::SetText(value);
    }
}

void TCustomMaskEdit::SetEditText(const std::string& text) {
    if (!IsMasked()) {
        TCustomEdit::SetText(text);
        return;
    }
    std::u32string edit = rtl::Utf8ToCodePoints(text);
    std::u32string fitted = m_mask.BlankEditText();
    for (int i = 0; i < m_mask.Length() && static_cast<std::size_t>(i) < edit.size(); ++i)
        if (!m_mask.IsLiteral(i)) {
            char32_t ch = m_mask.Accept(i, edit[static_cast<std::size_t>(i)]);
            if (ch != 0)
                fitted[static_cast<std::size_t>(i)] = ch;
        }
    SetMaskedText(fitted, 0);
}

std::string TCustomMaskEdit::Text() const {
    if (!IsMasked())
        return TCustomEdit::Text();
    return m_mask.TextFor(Model().CodePoints());
}

void TCustomMaskEdit::SetText(const std::string& text) {
    if (!IsMasked()) {
        TCustomEdit::SetText(text);
        return;
    }
    SetMaskedText(m_mask.EditTextFor(text), 0);
}

void TCustomMaskEdit::SetMaxLength(int maxLength) {
    // A mask fixes the length itself.
    if (IsMasked())
        return;
    TCustomEdit::SetMaxLength(maxLength);
}

void TCustomMaskEdit::SetMaskedText(std::u32string text, int caret) {
    std::string utf8 = rtl::CodePointsToUtf8(text);
    bool changed = Model().SetText(utf8);
    Model().SetSel(caret, caret);
    SetTextSilently(Text());
    if (changed) {
        Perform(win::CM_TEXTCHANGED, 0, 0);
        Change();
    }
    SelectionMoved();
    Invalidate();
}

void TCustomMaskEdit::ValidateEdit() {
    if (!IsMasked() || !Modified())
        return;
    int pos = m_mask.Validate(Model().CodePoints());
    if (pos < 0)
        return;
    // The focus may already be on its way elsewhere; a refused text takes it back, keeping
    // the caret where the fault is.
    if (!ComponentState().Contains(csDesigning)) {
        m_reEnter = true;
        SetFocus();
        m_reEnter = false;
    }
    Model().SetSel(pos, pos);
    SelectionMoved();
    ValidateError();
}

void TCustomMaskEdit::ValidateError() {
    throw EDBEditError("Invalid input value. Correct the text or press Escape to abandon the change");
}

void TCustomMaskEdit::CMExit(TMessage& m) {
    ValidateEdit();
    TCustomEdit::CMExit(m);
}

void TCustomMaskEdit::CMEnter(TMessage& m) {
    if (m_reEnter) {
        m_reEnter = false;
        TWinControl::CMEnter(m);
        return;
    }
    TCustomEdit::CMEnter(m);
}

bool TCustomMaskEdit::EditKey(std::uint16_t key, TShiftState shift) {
    if (!IsMasked() || key != win::VK_DELETE)
        return TCustomEdit::EditKey(key, shift);
    if (ReadOnly())
        return true;
    std::u32string edit = Model().CodePoints();
    int start = SelStart();
    m_mask.Clear(edit, start, std::max(1, SelLength()));
    SetMaskedText(edit, start);
    SetModified(true);
    return true;
}

bool TCustomMaskEdit::EditChar(char32_t ch) {
    if (!IsMasked())
        return TCustomEdit::EditChar(ch);
    if (ReadOnly() || ch == 13)
        return ch == 13 ? false : true;
    std::u32string edit = Model().CodePoints();
    if (ch == 8) {
        int start = SelStart();
        if (SelLength() > 0) {
            m_mask.Clear(edit, start, SelLength());
        } else {
            start = m_mask.PrevInput(start - 1);
            if (start < 0)
                return true;
            m_mask.Clear(edit, start, 1);
        }
        SetMaskedText(edit, start);
        SetModified(true);
        return true;
    }
    if (ch < 0x20)
        return false;
    int caret = SelStart();
    if (!m_mask.TypeChar(edit, caret, SelLength(), ch))
        return true;
    SetMaskedText(edit, caret);
    SetModified(true);
    return true;
}

namespace {

template <class T> TClassBuilder<T> EditProperties(TClassBuilder<T> b) {
    return PublishEditProperties(b).Enum("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, BorderStyleInfo,
                                         std::optional<TBorderStyle>(bsSingle));
}

// Edits start with TabStop on, so that is what a form leaves out.
[[maybe_unused]] const auto registerCustomEdit =
    RegisterClass<TCustomEdit, TWinControl>("TCustomEdit")
        .Boolean("TabStop", &TCustomEdit::TabStop, &TCustomEdit::SetTabStop, true);
[[maybe_unused]] const auto registerEdit = EditProperties(RegisterClass<TEdit, TCustomEdit>("TEdit"));
[[maybe_unused]] const auto registerCustomMaskEdit =
    RegisterClass<TCustomMaskEdit, TCustomEdit>("TCustomMaskEdit");
[[maybe_unused]] const auto registerMaskEdit =
    EditProperties(RegisterClass<TMaskEdit, TCustomMaskEdit>("TMaskEdit"))
        .String("EditMask", &TMaskEdit::EditMask, &TMaskEdit::SetEditMask);

} // namespace

} // namespace framework
