#pragma once

#include "platform/framework/Controls.h"

#include <vector>

namespace framework {

class TCanvas;
class TWinControl;

// The dock manager of a dock site: it keeps the docked clients, gives each a zone of the site's
// client area and a frame in it. A control library derives from it and overrides the hooks.
class TDockTree {
public:
    explicit TDockTree(TWinControl* dockSite);
    virtual ~TDockTree();
    TDockTree(const TDockTree&) = delete;
    TDockTree& operator=(const TDockTree&) = delete;

    TWinControl* DockSite() const { return m_dockSite; }
    int ClientCount() const { return static_cast<int>(m_clients.size()); }
    TControl* Clients(int index) const;
    bool HasClient(const TControl* control) const;

    virtual void InsertControl(TControl* control);
    virtual void RemoveControl(TControl* control);
    // The rectangle a client docks into, less the room its frame takes.
    virtual void AdjustDockRect(TControl* control, TRect& dockRect);
    // Draws the frame (grabber) of one client; rect is the client's whole zone.
    virtual void PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& rect);
    // Paints the frames of all shown clients.
    virtual void PaintSite(TCanvas* canvas);
    // Shares the site's client area among the shown clients, side by side on a site aligned to
    // the top or bottom and one below the other otherwise, and places each in its zone.
    virtual void ResetBounds(bool force);

    static constexpr int GrabberSize = 12;

private:
    struct Zone {
        TControl* client;
        TRect rect;
    };
    std::vector<Zone> m_zones;
    TWinControl* m_dockSite;
    std::vector<TControl*> m_clients;
};

} // namespace framework
