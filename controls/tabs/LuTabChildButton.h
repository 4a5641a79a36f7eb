#pragma once

#include "controls/common/LuColorMath.h"
#include "platform/framework/CustomControl.h"

// What the tab control's two small children share: a frame colour, and a press that is tracked
// with the mouse captured until the release, which counts only over the pressed part.
namespace lu {

class TLuCustomTabControl;

class TLuTabChildButton : public framework::TCustomControl {
public:
    explicit TLuTabChildButton(framework::TComponent* owner);

    // The frame drawn round the button when the visual styles are off.
    TColor FrameColor() const { return m_frameColor; }
    virtual void SetFrameColor(TColor value);

    TLuCustomTabControl* TabControl() const { return m_tabControl; }
    bool Tracking() const { return m_tracking; }
    bool PressedInside() const { return m_pressedInside; }

    void WndProc(framework::TMessage& message) override;

protected:
    // Whether a client point (possibly outside the client area) lies on the pressed part.
    virtual bool OnPressedPart(int x, int y) const = 0;
    // The press ended over the pressed part.
    virtual void Released() = 0;

    void MouseDown(framework::TMouseButton button, framework::TShiftState shift, int x, int y) override;
    void MouseMove(framework::TShiftState shift, int x, int y) override;
    void MouseUp(framework::TMouseButton button, framework::TShiftState shift, int x, int y) override;
    void PaintFrame(const framework::TRect& r);

private:
    TColor m_frameColor = gdi::clBtnShadow;
    TLuCustomTabControl* m_tabControl;
    bool m_tracking = false;
    bool m_pressedInside = false;
};

} // namespace lu
