#include "platform/framework/WinControl.h"

#include "platform/framework/DockTree.h"
#include "platform/gdi/Gdi.h"

#include <algorithm>

namespace framework {

void TWinControl::DisableAlign() {
    ++m_alignLevel;
}

void TWinControl::EnableAlign() {
    if (--m_alignLevel == 0 && m_alignPending && !ComponentState().Contains(csLoading))
        Realign();
}

void TWinControl::Realign() {
    AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* control) {
    if (m_alignLevel > 0 || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) {
        m_alignPending = true;
        return;
    }
    m_alignPending = false;
    DisableAlign();
    try {
        TRect rect = ClientRect();
        AlignControls(control, rect);
    } catch (...) {
        --m_alignLevel;
        throw;
    }
    --m_alignLevel;
    if (m_alignPending && m_alignLevel == 0) {
        // One more pass settles what the first one changed (a child that grew, say).
        m_alignPending = false;
        DisableAlign();
        TRect rect = ClientRect();
        try {
            AlignControls(control, rect);
        } catch (...) {
            --m_alignLevel;
            throw;
        }
        --m_alignLevel;
        m_alignPending = false;
    }
}

void TWinControl::AdjustClientRect(TRect& rect) {
    gdi::InflateRect(&rect, -m_borderWidth, -m_borderWidth);
}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
    if (m_dockSite && m_useDockManager && m_dockManager)
        m_dockManager->ResetBounds(false);
    AdjustClientRect(rect);
    DoAlignChildren(control, rect);
}

void TWinControl::DoAlignChildren(TControl* control, TRect& rect) {
    const TRect client = ClientRect();
    // Docked clients are placed by the dock manager.
    auto shown = [this](const TControl* c) {
        if (m_dockManager && m_dockManager->HasClient(c))
            return false;
        return c->Visible() ||
               (c->ComponentState().Contains(csDesigning) && !c->ControlStyle().Contains(csNoDesignVisible));
    };
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (TControl* c : m_controls)
            if (c->Align() == align && shown(c))
                list.push_back(c);
        auto key = [align](const TControl* c) {
            switch (align) {
            case alTop:
                return c->Top();
            case alBottom:
                return -(c->Top() + c->Height());
            case alLeft:
                return c->Left();
            case alRight:
                return -(c->Left() + c->Width());
            default:
                return 0;
            }
        };
        // The control being moved wins a tie, so that it lands where it was dropped.
        std::stable_sort(list.begin(), list.end(), [&](const TControl* a, const TControl* b) {
            if (key(a) != key(b))
                return key(a) < key(b);
            return a == control && b != control;
        });
        for (TControl* c : list) {
            const int w = std::max(0, rect.Width());
            const int h = std::max(0, rect.Height());
            switch (align) {
            case alTop:
                c->AlignBounds(rect.left, rect.top, w, c->Height());
                rect.top += c->Height();
                break;
            case alBottom:
                c->AlignBounds(rect.left, rect.bottom - c->Height(), w, c->Height());
                rect.bottom -= c->Height();
                break;
            case alLeft:
                c->AlignBounds(rect.left, rect.top, c->Width(), h);
                rect.left += c->Width();
                break;
            case alRight:
                c->AlignBounds(rect.right - c->Width(), rect.top, c->Width(), h);
                rect.right -= c->Width();
                break;
            case alClient:
                c->AlignBounds(rect.left, rect.top, w, h);
                break;
            default:
                break;
            }
        }
    }
    for (TControl* c : m_controls) {
        TRect r;
        if (c->Align() == alNone && c->AnchoredBounds(client.Width(), client.Height(), r))
            c->AlignBounds(r.left, r.top, r.Width(), r.Height());
    }
}

void TWinControl::ShowControl(TControl* control) {
    (void)control;
    if (Parent() != nullptr)
        Parent()->ShowControl(this);
}

} // namespace framework
