#include "platform/framework/WinControl.h"

#include "platform/framework/DockTree.h"
#include "platform/gdi/Gdi.h"

#include <algorithm>

namespace framework {

void TWinControl::Invalidate() {
    InvalidateControl(Visible(), ControlStyle().Contains(csOpaque));
}

void TWinControl::InvalidateControl(bool, bool isOpaque) {
    if (m_handle != nullptr)
        InvalidateRect(m_handle, nullptr, !isOpaque);
}

void TWinControl::Update() {
    if (m_handle != nullptr)
        UpdateWindow(m_handle);
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
    auto dc = reinterpret_cast<gdi::HDC>(m.WParam);
    if (dc == nullptr) {
        m.Result = 0;
        return;
    }
    TRect r = ClientRect();
    gdi::HBRUSH brush = gdi::CreateSolidBrush(gdi::ColorToRGB(Color()));
    gdi::FillRect(dc, &r, brush);
    gdi::DeleteObject(brush);
    m.Result = 1;
}

void TWinControl::WMPaint(TMessage& m) {
    if (m.WParam != 0) {
        PaintHandler(m);
        return;
    }
    if (m_handle == nullptr)
        return;
    TPaintStruct ps;
    gdi::HDC dc = BeginPaint(m_handle, ps);
    // A paint that fails still ends, so that its contexts go with it.
    try {
        if (m_doubleBuffered) {
            PaintDoubleBuffered(dc);
        } else {
            TMessage paint{win::WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
            PaintHandler(paint);
        }
    } catch (...) {
        EndPaint(m_handle, ps);
        throw;
    }
    EndPaint(m_handle, ps);
    m.Result = 0;
}

void TWinControl::PaintDoubleBuffered(gdi::HDC dc) {
    const TRect c = ClientRect();
    gdi::HDC mem = gdi::CreateCompatibleDC(dc);
    gdi::HBITMAP bmp = gdi::CreateCompatibleBitmap(dc, std::max(1, c.Width()), std::max(1, c.Height()));
    gdi::HGDIOBJ old = gdi::SelectObject(mem, bmp);
    auto release = [&] {
        gdi::SelectObject(mem, old);
        gdi::DeleteObject(bmp);
        gdi::DeleteDC(mem);
    };
    try {
        // Copy what is on the window first, so that areas outside the update keep their pixels.
        gdi::BitBlt(mem, 0, 0, c.Width(), c.Height(), dc, 0, 0, gdi::SRCCOPY);
        Perform(win::WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), reinterpret_cast<LPARAM>(mem));
        Perform(win::WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
        gdi::BitBlt(dc, 0, 0, c.Width(), c.Height(), mem, 0, 0, gdi::SRCCOPY);
    } catch (...) {
        release();
        throw;
    }
    release();
}

void TWinControl::PaintHandler(TMessage& m) {
    auto dc = reinterpret_cast<gdi::HDC>(m.WParam);
    if (dc == nullptr)
        return;
    int saved = gdi::SaveDC(dc);
    bool anyLeft = true;
    for (TControl* c : m_controls) {
        if (c->IsWindowed() || !c->Visible() || !c->ControlStyle().Contains(csOpaque))
            continue;
        if (gdi::ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()) ==
            gdi::NULLREGION) {
            anyLeft = false;
            break;
        }
    }
    if (anyLeft) {
        PaintWindow(dc);
        if (m_dockSite && m_useDockManager && m_dockManager) {
            TCanvas canvas;
            canvas.SetHandle(dc);
            m_dockManager->PaintSite(&canvas);
            canvas.SetHandle(nullptr);
        }
    }
    gdi::RestoreDC(dc, saved);
    PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(gdi::HDC dc) {
    TMessage m{win::WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(gdi::HDC dc, TControl* first) {
    auto it = first == nullptr ? m_controls.begin() : std::find(m_controls.begin(), m_controls.end(), first);
    for (; it != m_controls.end(); ++it) {
        TControl* c = *it;
        if (c->IsWindowed())
            continue;
        const bool shown = c->Visible() || (c->ComponentState().Contains(csDesigning) &&
                                            !c->ControlStyle().Contains(csNoDesignVisible));
        if (!shown)
            continue;
        TRect r = c->BoundsRect();
        if (!gdi::RectVisible(dc, &r))
            continue;
        int saved = gdi::SaveDC(dc);
        gdi::OffsetViewportOrgEx(dc, c->Left(), c->Top(), nullptr);
        gdi::IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(win::WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        gdi::RestoreDC(dc, saved);
    }
}

void TWinControl::PaintTo(gdi::HDC dc, int x, int y) {
    int saved = gdi::SaveDC(dc);
    gdi::OffsetViewportOrgEx(dc, x, y, nullptr);
    TRect c = ClientRect();
    gdi::IntersectClipRect(dc, 0, 0, c.Width(), c.Height());
    Perform(win::WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
    Perform(win::WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    for (TControl* child : m_controls)
        if (auto* w = dynamic_cast<TWinControl*>(child); w != nullptr && w->Visible())
            w->PaintTo(dc, w->Left(), w->Top());
    gdi::RestoreDC(dc, saved);
}

} // namespace framework
