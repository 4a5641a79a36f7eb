#pragma once

#include "controls/common/LuColorMath.h"
#include "platform/framework/CustomControl.h"

// The small close button a tab control shows at the end of its strip. It fires OnClose when the
// mouse is released over it after a press on it; it is drawn disabled while no tab is current.
namespace lu {

class TLuCustomTabControl;

class TLuTabCloseButton : public framework::TCustomControl {
public:
    explicit TLuTabCloseButton(framework::TComponent* owner);

    // The frame round the button when the visual styles are off.
    TColor FrameColor() const { return m_frameColor; }
    virtual void SetFrameColor(TColor value);

    TLuCustomTabControl* TabControl() const { return m_tabControl; }
    bool Tracking() const { return m_tracking; }
    bool PressedInside() const { return m_pressedInside; }

    void WndProc(framework::TMessage& message) override;

    framework::TNotifyEvent OnClose;

protected:
    virtual void DoClose();

    void Paint() override;
    void MouseDown(framework::TMouseButton button, framework::TShiftState shift, int x, int y) override;
    void MouseMove(framework::TShiftState shift, int x, int y) override;
    void MouseUp(framework::TMouseButton button, framework::TShiftState shift, int x, int y) override;

private:
    bool HasCurrentTab() const;

    TColor m_frameColor = gdi::clBtnShadow;
    TLuCustomTabControl* m_tabControl;
    bool m_tracking = false;
    bool m_pressedInside = false;
};

} // namespace lu
