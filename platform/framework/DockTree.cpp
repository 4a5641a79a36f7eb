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

void TDockTree::InsertControl(TControl* control) {
    if (control == nullptr || std::find(m_clients.begin(), m_clients.end(), control) != m_clients.end())
        return;
    m_clients.push_back(control);
    ResetBounds(true);
}

void TDockTree::RemoveControl(TControl* control) {
    m_clients.erase(std::remove(m_clients.begin(), m_clients.end(), control), m_clients.end());
    ResetBounds(true);
}

void TDockTree::AdjustDockRect(TControl*, TRect& dockRect) {
    dockRect.top += GrabberSize;
}

void TDockTree::PaintDockFrame(TCanvas*, TControl*, const TRect&) {}

void TDockTree::PaintSite(TCanvas* canvas) {
    for (TControl* c : m_clients) {
        if (!c->Visible())
            continue;
        TRect r = c->BoundsRect();
        PaintDockFrame(canvas, c, r);
    }
}

void TDockTree::ResetBounds(bool) {
    if (m_dockSite != nullptr)
        m_dockSite->Invalidate();
}

} // namespace framework
