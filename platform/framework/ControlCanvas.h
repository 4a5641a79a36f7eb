#pragma once

#include "platform/framework/Controls.h"
#include "platform/framework/Graphics.h"
#include "platform/framework/Window.h"

namespace framework {

// A canvas on a control's client area: a windowed control's own window, a windowless one's
// part of its parent's window. The context is made when first drawn on.
class TControlCanvas : public TCanvas {
public:
    TControlCanvas() = default;
    ~TControlCanvas() override;

    TControl* Control() const { return m_control; }
    void SetControl(TControl* control);
    // Gives the context back; the next drawing operation makes a new one.
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    TControl* m_control = nullptr;
    gdi::HDC m_dc = nullptr;
    HWND m_window = nullptr;
};

} // namespace framework
