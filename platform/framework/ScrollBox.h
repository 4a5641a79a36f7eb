#pragma once

#include "platform/framework/WinControl.h"

namespace framework {

// A container with a vertical scroll bar that appears when its children reach below the client
// area; scrolling moves the children.
class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TComponent* owner);

    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // Height of everything the children cover, in unscrolled coordinates.
    int VertRange() const { return m_range; }
    int VertPosition() const { return m_position; }
    void SetVertPosition(int position);
    bool VertScrollBarVisible() const { return m_barVisible; }
    // Pixels that a scroll-bar arrow or a wheel line scrolls.
    static constexpr int LineStep = 8;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void PaintScrollBar(gdi::HDC dc, const TRect& bar) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

private:
    void UpdateScrollBar();
    TBorderStyle m_borderStyle = bsSingle;
    int m_range = 0;
    int m_position = 0;
    bool m_barVisible = false;
    bool m_updating = false;
};

} // namespace framework
