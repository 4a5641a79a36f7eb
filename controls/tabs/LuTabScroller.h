#pragma once

#include "controls/common/LuCommonTypes.h"
#include "controls/tabs/LuTabChildButton.h"

// The pair of scroll arrows a tab control shows at the end of a single row of tabs that does not
// fit. Arrow 0 is the left half (bottom half when vertical), arrow 1 the right (top) half. A
// pressed arrow fires its event when the mouse is released over it.
namespace lu {

class TLuTabScroller : public TLuTabChildButton {
public:
    explicit TLuTabScroller(framework::TComponent* owner);

    TOrientation Orientation() const { return m_orientation; }
    virtual void SetOrientation(TOrientation value);

    int PressedButton() const { return m_pressedButton; }
    // Whether the arrow can scroll: the back arrow not at the first tab, the forward arrow while
    // the last visible tab is cut off.
    bool ArrowEnabled(int arrow) const;
    // Where the arrow is drawn in the client area.
    framework::TRect ArrowRect(int arrow) const;

    framework::TNotifyEvent OnUpRightClick;
    framework::TNotifyEvent OnDownLeftClick;

protected:
    virtual void DoDownLeftClick();
    virtual void DoUpRightClick();

    void Paint() override;
    void MouseDown(framework::TMouseButton button, framework::TShiftState shift, int x, int y) override;
    bool OnPressedPart(int x, int y) const override;
    void Released() override;

private:
    bool Horizontal() const { return m_orientation == orHorizontal; }
    // The half of the client area that belongs to the arrow; points outside the client area
    // belong to neither.
    bool InArrowHalf(int arrow, int x, int y) const;
    void PaintThemedArrow(int arrow);
    void PaintClassicArrow(int arrow);

    TOrientation m_orientation = orHorizontal;
    int m_pressedButton = 0;
};

} // namespace lu
