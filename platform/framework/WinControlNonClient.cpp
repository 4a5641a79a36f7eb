#include "platform/framework/WinControl.h"

#include "platform/gdi/Gdi.h"

#include <algorithm>

namespace framework {

void ApplyBorderStyle(TCreateParams& params, TBorderStyle style, bool ctl3D) {
    if (style != bsSingle)
        return;
    if (ctl3D)
        params.ExStyle |= win::WS_EX_CLIENTEDGE;
    else
        params.Style |= win::WS_BORDER;
}

TRect TWinControl::GetClientRect() const {
    if (m_handle != nullptr) {
        const TRect& a = m_handle->ClientArea();
        return TRect{0, 0, a.Width(), a.Height()};
    }
    // Without a window the non-client answer comes from the same message a window would get.
    TRect area{0, 0, Width(), Height()};
    const_cast<TWinControl*>(this)->Perform(win::WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&area));
    return TRect{0, 0, std::max(0, area.Width()), std::max(0, area.Height())};
}

TPoint TWinControl::ClientOrigin() const {
    TPoint p{Left(), Top()};
    if (Parent() != nullptr) {
        TPoint o = Parent()->ClientOrigin();
        p.x += o.x;
        p.y += o.y;
    }
    if (m_handle != nullptr) {
        p.x += m_handle->ClientArea().left;
        p.y += m_handle->ClientArea().top;
    } else {
        TRect area{0, 0, Width(), Height()};
        const_cast<TWinControl*>(this)->Perform(win::WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&area));
        p.x += area.left;
        p.y += area.top;
    }
    return p;
}

namespace {

bool HasCaption(std::uint32_t style) {
    return (style & win::WS_CAPTION) == win::WS_CAPTION;
}

// How many pixels the frame takes on each side: the sunken client edge and the window border.
int FrameWidth(std::uint32_t style, std::uint32_t exStyle) {
    int width = (exStyle & win::WS_EX_CLIENTEDGE) ? 2 : 0;
    if (style & win::WS_THICKFRAME)
        width += 4;
    else if (HasCaption(style) || (style & win::WS_DLGFRAME))
        width += 3;
    else if (style & win::WS_BORDER)
        width += 1;
    return width;
}

} // namespace

void TWinControl::WindowStyles(std::uint32_t& style, std::uint32_t& exStyle) {
    if (m_handle != nullptr) {
        style = m_handle->Style();
        exStyle = m_handle->ExStyle();
        return;
    }
    TCreateParams p;
    CreateParams(p);
    style = p.Style;
    exStyle = p.ExStyle;
}

void TWinControl::WMNCCalcSize(TMessage& m) {
    auto* r = reinterpret_cast<TRect*>(m.LParam);
    if (r == nullptr)
        return;
    std::uint32_t style, exStyle;
    WindowStyles(style, exStyle);
    const bool caption = HasCaption(style);
    const int frame = FrameWidth(style, exStyle);
    gdi::InflateRect(r, -frame, -frame);
    if (caption)
        r->top += gdi::GetSystemMetrics(gdi::SM_CYCAPTION);
    if (style & win::WS_VSCROLL)
        r->right -= gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
    if (style & win::WS_HSCROLL)
        r->bottom -= gdi::GetSystemMetrics(gdi::SM_CYHSCROLL);
    m.Result = 0;
}

void TWinControl::WMNCPaint(TMessage& m) {
    m.Result = 0;
    if (m_handle == nullptr)
        return;
    gdi::HDC dc = GetWindowDC(m_handle);
    const TRect& a = m_handle->ClientArea();
    gdi::ExcludeClipRect(dc, a.left, a.top, a.right, a.bottom);
    TRect r{0, 0, Width(), Height()};
    const std::uint32_t style = m_handle->Style();
    const std::uint32_t exStyle = m_handle->ExStyle();
    if ((style & win::WS_CAPTION) == win::WS_CAPTION || (style & (win::WS_THICKFRAME | win::WS_DLGFRAME))) {
        gdi::DrawEdge(dc, &r, gdi::EDGE_RAISED, gdi::BF_RECT | gdi::BF_ADJUST);
        gdi::HBRUSH face = gdi::GetSysColorBrush(gdi::COLOR_BTNFACE);
        const int inner = (style & win::WS_THICKFRAME) ? 2 : 1;
        for (int i = 0; i < inner; ++i) {
            gdi::FrameRect(dc, &r, face);
            gdi::InflateRect(&r, -1, -1);
        }
        if ((style & win::WS_CAPTION) == win::WS_CAPTION) {
            const int ch = gdi::GetSystemMetrics(gdi::SM_CYCAPTION);
            TRect bar{r.left, r.top, r.right, r.top + ch - 1};
            gdi::HBRUSH b = gdi::CreateSolidBrush(gdi::GetSysColor(gdi::COLOR_ACTIVECAPTION));
            gdi::FillRect(dc, &bar, b);
            gdi::DeleteObject(b);
            TRect line{r.left, r.top + ch - 1, r.right, r.top + ch};
            gdi::FillRect(dc, &line, face);
            PaintCaptionText(dc, bar);
            r.top += ch;
        }
    } else if (exStyle & win::WS_EX_CLIENTEDGE) {
        gdi::DrawEdge(dc, &r, gdi::EDGE_SUNKEN, gdi::BF_RECT | gdi::BF_ADJUST);
    } else if (style & win::WS_BORDER) {
        gdi::HBRUSH frame = gdi::CreateSolidBrush(gdi::GetSysColor(gdi::COLOR_WINDOWFRAME));
        gdi::FrameRect(dc, &r, frame);
        gdi::DeleteObject(frame);
        gdi::InflateRect(&r, -1, -1);
    }
    if (style & win::WS_VSCROLL) {
        const int sw = gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
        TRect bar{a.right, a.top, a.right + sw, a.bottom};
        PaintScrollBar(dc, bar);
    }
    ReleaseDC(m_handle, dc);
}

void TWinControl::PaintCaptionText(gdi::HDC, const TRect&) {}

void TWinControl::PaintScrollBar(gdi::HDC dc, const TRect& bar) {
    gdi::HBRUSH track = gdi::CreateSolidBrush(gdi::GetSysColor(gdi::COLOR_SCROLLBAR));
    gdi::FillRect(dc, &bar, track);
    gdi::DeleteObject(track);
    const int sw = bar.Width();
    TRect up{bar.left, bar.top, bar.right, bar.top + sw};
    TRect down{bar.left, bar.bottom - sw, bar.right, bar.bottom};
    if (bar.Height() >= 2 * sw) {
        gdi::DrawFrameControl(dc, &up, gdi::DFC_SCROLL, gdi::DFCS_SCROLLUP);
        gdi::DrawFrameControl(dc, &down, gdi::DFC_SCROLL, gdi::DFCS_SCROLLDOWN);
    }
}

void TWinControl::WMNCHitTest(TMessage& m) {
    TRect w;
    if (m_handle == nullptr || !GetWindowRect(m_handle, &w)) {
        m.Result = win::HTNOWHERE;
        return;
    }
    TPoint p = LParamToPoint(m.LParam);
    p.x -= w.left;
    p.y -= w.top;
    const TRect whole{0, 0, Width(), Height()};
    const TRect& client = m_handle->ClientArea();
    const std::uint32_t style = m_handle->Style();
    const int frame = FrameWidth(style, m_handle->ExStyle());
    TRect inner = whole;
    gdi::InflateRect(&inner, -frame, -frame);
    TRect caption = inner;
    caption.bottom = HasCaption(style) ? inner.top + gdi::GetSystemMetrics(gdi::SM_CYCAPTION) : inner.top;
    TRect vscroll{inner.right - gdi::GetSystemMetrics(gdi::SM_CXVSCROLL), caption.bottom, inner.right,
                  inner.bottom};
    if (!(style & win::WS_VSCROLL))
        vscroll = TRect{};
    if (!gdi::PtInRect(&whole, p))
        m.Result = win::HTNOWHERE;
    else if (gdi::PtInRect(&client, p))
        m.Result = win::HTCLIENT;
    else if (!gdi::PtInRect(&inner, p))
        m.Result = win::HTBORDER;
    else if (gdi::PtInRect(&caption, p))
        m.Result = win::HTCAPTION;
    else if (gdi::PtInRect(&vscroll, p))
        m.Result = win::HTVSCROLL;
    else
        // Non-client room that a control keeps for itself (a drop button, say).
        m.Result = win::HTNOWHERE;
}

void TWinControl::WMNCLButtonDown(TMessage& m) {
    m.Result = 0;
    if (m.WParam != static_cast<WPARAM>(win::HTVSCROLL) || m_handle == nullptr)
        return;
    // The arrows of the scroll bar scroll by a line; the track is the scrolling control's own.
    TPoint p = LParamToPoint(m.LParam);
    framework::ScreenToClient(m_handle, &p);
    const int arrow = gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
    const int height = m_handle->ClientArea().Height();
    int request;
    if (p.y < arrow)
        request = win::SB_LINEUP;
    else if (p.y >= height - arrow)
        request = win::SB_LINEDOWN;
    else
        return;
    SendMessage(m_handle, win::WM_VSCROLL, static_cast<WPARAM>(request), 0);
}

} // namespace framework
