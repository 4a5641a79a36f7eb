#include "controls/edit/LuMemoBase.h"

#include "platform/framework/Clipbrd.h"
#include "platform/framework/Forms.h"

namespace lu {

using namespace framework;

template <class TBase> int TLuMemoBase<TBase>::Line() {
    // -1 asks for the caret's own line: where a wrapped line ends at the position the next one
    // begins, a caret after End stands on the first.
    return static_cast<int>(this->Perform(win::EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0)) + 1;
}

template <class TBase> int TLuMemoBase<TBase>::Column() {
    const auto start = this->Perform(win::EM_LINEINDEX, static_cast<WPARAM>(Line() - 1), 0);
    return this->SelStart() - static_cast<int>(start) + 1;
}

template <class TBase> void TLuMemoBase<TBase>::SetLine(int line) {
    if (line < 1)
        return;
    const auto index =
        static_cast<WPARAM>(this->Perform(win::EM_LINEINDEX, static_cast<WPARAM>(line - 1), 0));
    this->Perform(win::EM_SETSEL, index, static_cast<LPARAM>(index));
    if (Line() != line)
        return;
    const auto first = static_cast<int>(this->Perform(win::EM_GETFIRSTVISIBLELINE, 0, 0));
    this->Perform(win::EM_LINESCROLL, 0, line - first - 1);
    DoLineColChange();
}

template <class TBase> void TLuMemoBase<TBase>::SetColumn(int column) {
    const int line = Line();
    const auto start = static_cast<int>(this->Perform(win::EM_LINEINDEX, static_cast<WPARAM>(line - 1), 0));
    const auto length = static_cast<int>(this->Perform(win::EM_LINELENGTH, static_cast<WPARAM>(start), 0));
    if (column < 1 || column > length + 1)
        return;
    const int pos = start + column - 1;
    this->Perform(win::EM_SETSEL, static_cast<WPARAM>(pos), pos);
    // The end of a wrapped line is also the start of the next one; the caret stays on this
    // line, where End puts it too.
    if (column == length + 1 && this->Memo().LineWraps(line - 1)) {
        this->Memo().PlaceCaretAtLineEnd(line - 1);
        this->Invalidate();
    }
    DoLineColChange();
}

template <class TBase> void TLuMemoBase<TBase>::DoLineColChange() {
    if (OnLineColChange)
        OnLineColChange(this, Line(), Column());
    DoClipboardChange();
}

template <class TBase> void TLuMemoBase<TBase>::DoClipboardChange() {
    if (OnClipboardChange)
        OnClipboardChange(this, this->SelLength() != 0, Clipboard().HasFormat(CF_TEXT));
}

template <class TBase> void TLuMemoBase<TBase>::CreateWnd() {
    TLuFramedEdit<TBase>::CreateWnd();
    DoLineColChange();
    DoClipboardChange();
}

template <class TBase> void TLuMemoBase<TBase>::Change() {
    TLuFramedEdit<TBase>::Change();
    DoLineColChange();
}

template <class TBase> void TLuMemoBase<TBase>::Click() {
    TLuFramedEdit<TBase>::Click();
    DoLineColChange();
}

template <class TBase> void TLuMemoBase<TBase>::KeyDown(std::uint16_t& key, TShiftState shift) {
    TLuFramedEdit<TBase>::KeyDown(key, shift);
    DoLineColChange();
}

template <class TBase> void TLuMemoBase<TBase>::KeyUp(std::uint16_t& key, TShiftState shift) {
    TLuFramedEdit<TBase>::KeyUp(key, shift);
    DoLineColChange();
}

template <class TBase>
void TLuMemoBase<TBase>::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TLuFramedEdit<TBase>::MouseUp(button, shift, x, y);
    DoClipboardChange();
}

template <class TBase> void TLuMemoBase<TBase>::ScrollByWheel(TShiftState shift, int direction) {
    const int lines = shift.Contains(ssCtrl) ? Mouse().WheelScrollLines() : 1;
    this->Perform(win::EM_LINESCROLL, 0, direction * lines);
}

template <class TBase> bool TLuMemoBase<TBase>::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    // The handler's answer does not stop the scrolling.
    TLuFramedEdit<TBase>::DoMouseWheelDown(shift, mousePos);
    ScrollByWheel(shift, 1);
    return true;
}

template <class TBase> bool TLuMemoBase<TBase>::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    TLuFramedEdit<TBase>::DoMouseWheelUp(shift, mousePos);
    ScrollByWheel(shift, -1);
    return true;
}

template class TLuMemoBase<TMemo>;
template class TLuMemoBase<TRichEdit>;

} // namespace lu
