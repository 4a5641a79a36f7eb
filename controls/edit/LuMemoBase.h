#pragma once

#include "controls/edit/LuFramedEdit.h"

#include <functional>

namespace lu {

using TLineColChangeEvent = std::function<void(framework::TObject* sender, int line, int column)>;
using TClipboardChangeEvent =
    std::function<void(framework::TObject* sender, bool hasSelection, bool hasText)>;

// What the memo and the rich edit add to the framing: the caret as a 1-based line and column of
// the display lines, notifications when they or the selection may have changed, and scrolling by
// lines on the mouse wheel.
template <class TBase> class TLuMemoBase : public TLuFramedEdit<TBase> {
public:
    using TLuFramedEdit<TBase>::TLuFramedEdit;

    // The caret's line; writing puts the caret at the start of that line and scrolls it to the top.
    int Line();
    void SetLine(int line);
    // The caret's column; a column past the end of the line plus one changes nothing. The end
    // of a wrapped line keeps the caret on that line, as End does.
    int Column();
    void SetColumn(int column);

    TLineColChangeEvent OnLineColChange;
    TClipboardChangeEvent OnClipboardChange;

    void Click() override;

protected:
    // Reports the line and column, then the selection.
    virtual void DoLineColChange();
    virtual void DoClipboardChange();

    void CreateWnd() override;
    void Change() override;
    void KeyDown(std::uint16_t& key, framework::TShiftState shift) override;
    void KeyUp(std::uint16_t& key, framework::TShiftState shift) override;
    void MouseUp(framework::TMouseButton button, framework::TShiftState shift, int x, int y) override;
    // One line a notch, or the mouse's wheel-scroll lines with Ctrl; always handled.
    bool DoMouseWheelDown(framework::TShiftState shift, framework::TPoint mousePos) override;
    bool DoMouseWheelUp(framework::TShiftState shift, framework::TPoint mousePos) override;

private:
    void ScrollByWheel(framework::TShiftState shift, int direction);
};

extern template class TLuMemoBase<framework::TMemo>;
extern template class TLuMemoBase<framework::TRichEdit>;

template <class T> framework::TClassBuilder<T> PublishMemoProperties(framework::TClassBuilder<T> b) {
    return PublishFramedEditProperties(b)
        .Event("OnLineColChange", &T::OnLineColChange)
        .Event("OnClipboardChange", &T::OnClipboardChange);
}

} // namespace lu
