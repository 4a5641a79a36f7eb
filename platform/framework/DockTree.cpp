#include "platform/framework/DockTree.h"

#include "platform/framework/WinControl.h"

#include <algorithm>

namespace framework {

TDockTree::TDockTree(TWinControl* dockSite) : m_dockSite(dockSite) {}

TDockTree::~TDockTree() = default;

TControl* TDockTree::Clients(int index) const {
    if (index < 0 || index >= ClientCount())
        throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return m_clients[static_cast<std::size_t>(index)];
}

bool TDockTree::HasClient(const TControl* control) const {
    return std::find(m_clients.begin(), m_clients.end(), control) != m_clients.end();
}

void TDockTree::InsertControl(TControl* control) {
    if (control == nullptr || HasClient(control))
        return;
    m_clients.push_back(control);
    ResetBounds(true);
}

void TDockTree::RemoveControl(TControl* control) {
    if (!HasClient(control))
        return;
    m_clients.erase(std::remove(m_clients.begin(), m_clients.end(), control), m_clients.end());
    ResetBounds(true);
}

void TDockTree::AdjustDockRect(TControl*, TRect& dockRect) {
    dockRect.top += GrabberSize;
}

void TDockTree::PaintDockFrame(TCanvas*, TControl*, const TRect&) {}

void TDockTree::PaintSite(TCanvas* canvas) {
    for (const Zone& zone : m_zones)
        if (zone.client->Visible())
            PaintDockFrame(canvas, zone.client, zone.rect);
}

void TDockTree::ResetBounds(bool) {
    m_zones.clear();
    if (m_dockSite == nullptr)
        return;
    std::vector<TControl*> shown;
    for (TControl* c : m_clients)
        if (c->Visible())
            shown.push_back(c);
    TRect area = m_dockSite->ClientRect();
    m_dockSite->AdjustClientRect(area);
    const bool sideBySide = m_dockSite->Align() == alTop || m_dockSite->Align() == alBottom;
    const int count = static_cast<int>(shown.size());
    const int extent = sideBySide ? area.Width() : area.Height();
    for (int i = 0; i < count; ++i) {
        TRect zone = area;
        // The last zone takes what the division leaves over.
        const int from = extent * i / count;
        const int to = extent * (i + 1) / count;
        if (sideBySide) {
            zone.left = area.left + from;
            zone.right = area.left + to;
        } else {
            zone.top = area.top + from;
            zone.bottom = area.top + to;
        }
        m_zones.push_back(Zone{shown[static_cast<std::size_t>(i)], zone});
        TRect placed = zone;
        AdjustDockRect(shown[static_cast<std::size_t>(i)], placed);
        shown[static_cast<std::size_t>(i)]->AlignBounds(placed.left, placed.top, std::max(0, placed.Width()),
                                                        std::max(0, placed.Height()));
    }
    m_dockSite->Invalidate();
}

void TControl::ManualDock(TWinControl* newDockSite) {
    if (newDockSite == nullptr || !newDockSite->DockSite())
        throw EInvalidOperation("Control " + Name() + " can only dock into a dock site");
    newDockSite->DockManagerNeeded();
    SetParent(newDockSite);
    if (TDockTree* tree = newDockSite->DockManager())
        tree->InsertControl(this);
}

} // namespace framework
