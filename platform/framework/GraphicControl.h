#pragma once

#include "platform/framework/ControlCanvas.h"
#include "platform/framework/Controls.h"

namespace framework {

// A windowless control: it paints on its parent's surface when the parent paints.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    TCanvas* Canvas() const { return m_canvas.get(); }
    void WndProc(TMessage& message) override;

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> m_canvas;
};

} // namespace framework
