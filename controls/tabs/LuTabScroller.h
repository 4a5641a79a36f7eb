#pragma once

#include "controls/common/LuColorMath.h"
#include "controls/common/LuCommonTypes.h"
#include "platform/framework/CustomControl.h"

// The pair of scroll arrows a tab control shows at the end of a single row of tabs that does not
// fit. Arrow 0 is the left half (bottom half when vertical), arrow 1 the right (top) half. A
// pressed arrow fires its event when the mouse is released over it.
namespace lu {

class TLuCustomTabControl;

class TLuTabScroller : public framework::TCustomControl {
public:
    explicit TLuTabScroller(framework::TComponent* owner);

    // The frame round each arrow when the visual styles are off.
    TColor FrameColor() const { return m_frameColor; }
    virtual void SetFrameColor(TColor value);
    TOrientation Orientation() const { return m_orientation; }
    virtual void SetOrientation(TOrientation value);

    TLuCustomTabControl* TabControl() const { return m_tabControl; }
    bool Tracking() const { return m_tracking; }
    bool PressedInside() const { return m_pressedInside; }
    int PressedButton() const { return m_pressedButton; }
    // Whether the arrow can scroll: the back arrow not at the first tab, the forward arrow while
    // the last visible tab is cut off.
    bool ArrowEnabled(int arrow) const;
    // Where the arrow is drawn in the client area.
    framework::TRect ArrowRect(int arrow) const;

    void WndProc(framework::TMessage& message) override;

    framework::TNotifyEvent OnUpRightClick;
    framework::TNotifyEvent OnDownLeftClick;

protected:
    virtual void DoDownLeftClick();
    virtual void DoUpRightClick();

    void Paint() override;
    void MouseDown(framework::TMouseButton button, framework::TShiftState shift, int x, int y) override;
    void MouseMove(framework::TShiftState shift, int x, int y) override;
    void MouseUp(framework::TMouseButton button, framework::TShiftState shift, int x, int y) override;

private:
    bool Horizontal() const { return m_orientation == orHorizontal; }
    // The half of the client area that belongs to the arrow; points outside the client area
    // belong to neither.
    bool InArrowHalf(int arrow, int x, int y) const;
    void PaintThemedArrow(int arrow);
    void PaintClassicArrow(int arrow);

    TColor m_frameColor = gdi::clBtnShadow;
    TOrientation m_orientation = orHorizontal;
    TLuCustomTabControl* m_tabControl;
    bool m_tracking = false;
    bool m_pressedInside = false;
    int m_pressedButton = 0;
};

} // namespace lu
