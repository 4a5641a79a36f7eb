#pragma once

#include "platform/framework/Controls.h"

#include <vector>

namespace framework {

class TCanvas;
class TWinControl;

// The dock manager of a dock site: it keeps the docked clients and gives each a frame. A control
// library derives from it and overrides the hooks.
class TDockTree {
public:
    explicit TDockTree(TWinControl* dockSite);
    virtual ~TDockTree();
    TDockTree(const TDockTree&) = delete;
    TDockTree& operator=(const TDockTree&) = delete;

    TWinControl* DockSite() const { return m_dockSite; }
    int ClientCount() const { return static_cast<int>(m_clients.size()); }
    TControl* Clients(int index) const;

    virtual void InsertControl(TControl* control);
    virtual void RemoveControl(TControl* control);
    // The rectangle a client docks into, less the room its frame takes.
    virtual void AdjustDockRect(TControl* control, TRect& dockRect);
    // Draws the frame (grabber) of one client on the site's canvas.
    virtual void PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& rect);
    // Paints the frames of all shown clients.
    virtual void PaintSite(TCanvas* canvas);
    virtual void ResetBounds(bool force);

    static constexpr int GrabberSize = 12;

private:
    TWinControl* m_dockSite;
    std::vector<TControl*> m_clients;
};

} // namespace framework
