#pragma once

#include "platform/framework/ControlCanvas.h"
#include "platform/framework/WinControl.h"

namespace framework {

// A windowed control that paints itself on its canvas.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    TCanvas* Canvas() const { return m_canvas.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow(gdi::HDC dc) override;
    void DestroyWindowHandle() override;

private:
    std::unique_ptr<TControlCanvas> m_canvas;
};

} // namespace framework
