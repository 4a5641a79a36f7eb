#pragma once

#include "platform/framework/DockTree.h"
#include "platform/framework/Graphics.h"

#include <memory>

namespace lu {

class TLuCustomPanel;

// Gives each client docked in a panel a caption grabber with a close glyph: along the left edge
// of a panel aligned to the top or bottom, along the top edge otherwise.
class TLuPanelDockManager : public framework::TDockTree {
public:
    explicit TLuPanelDockManager(TLuCustomPanel* panel);
    ~TLuPanelDockManager() override;

    void AdjustDockRect(framework::TControl* control, framework::TRect& dockRect) override;
    void PaintDockFrame(framework::TCanvas* canvas, framework::TControl* control,
                        const framework::TRect& rect) override;

    static constexpr int GrabberSize = 14;

private:
    bool GrabberOnTheLeft() const;
    void PanelWindowProc(framework::TMessage& message);

    TLuCustomPanel* m_panel;
    std::unique_ptr<framework::TFont> m_captionFont;
    std::unique_ptr<framework::TFont> m_closeFont;
    framework::TWndMethod m_previousWindowProc;
    bool m_subclassed = false;
};

} // namespace lu
