#include "controls/panel/LuPanelDockManager.h"

#include "controls/common/LuCanvasText.h"
#include "controls/common/LuFonts.h"
#include "controls/panel/LuCustomPanel.h"
#include "platform/gdi/Gdi.h"

namespace lu {

using framework::TCanvas;
using framework::TControl;
using framework::TRect;

TLuPanelDockManager::TLuPanelDockManager(TLuCustomPanel* panel)
    : TDockTree(panel), m_panel(panel), m_captionFont(std::make_unique<framework::TFont>()),
      m_closeFont(std::make_unique<framework::TFont>()) {
    m_captionFont->SetName("Verdana");
    m_captionFont->SetSize(8);
    m_closeFont->SetName("Marlett");
    m_closeFont->SetSize(8);
    if (!panel->ComponentState().Contains(framework::csDesigning)) {
        m_previousWindowProc = panel->WindowProc;
        panel->WindowProc = [this](framework::TMessage& m) { PanelWindowProc(m); };
        m_subclassed = true;
    }
}

TLuPanelDockManager::~TLuPanelDockManager() {
    if (m_subclassed)
        m_panel->WindowProc = m_previousWindowProc;
}

void TLuPanelDockManager::PanelWindowProc(framework::TMessage& m) {
    // A click in a client changes which caption is the active one.
    if (m.Msg == win::WM_COMMAND || m.Msg == win::WM_MOUSEACTIVATE)
        m_panel->Invalidate();
    if (m_previousWindowProc)
        m_previousWindowProc(m);
    else
        m_panel->WndProc(m);
}

bool TLuPanelDockManager::GrabberOnTheLeft() const {
    return m_panel->Align() == framework::alTop || m_panel->Align() == framework::alBottom;
}

void TLuPanelDockManager::AdjustDockRect(TControl*, TRect& dockRect) {
    if (GrabberOnTheLeft())
        dockRect.left += GrabberSize;
    else
        dockRect.top += GrabberSize;
}

void TLuPanelDockManager::PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& rect) {
    if (!m_panel->ShowDockClientCaptions()) {
        TDockTree::PaintDockFrame(canvas, control, rect);
        return;
    }
    auto* windowed = dynamic_cast<framework::TWinControl*>(control);
    const bool active = windowed == nullptr || windowed->Focused();
    const gdi::TColor back = active ? gdi::clActiveCaption : gdi::clInactiveCaption;
    const gdi::TColor text = active ? gdi::clCaptionText : gdi::clInactiveCaptionText;
    canvas->Brush()->SetStyle(framework::bsSolid);
    canvas->Brush()->SetColor(back);
    canvas->Font()->Assign(m_captionFont.get());
    canvas->Font()->SetColor(text);
    const int L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
    TRect close;
    if (!GrabberOnTheLeft()) {
        const TRect grabber{L, T, R, T + GrabberSize};
        canvas->TextRect(grabber, L + 2, T, control->Caption());
        close = TRect{R - 15, T + 1, R - 2, T + 12};
    } else {
        const TRect grabber{L, T, L + GrabberSize, B};
        canvas->FillRect(grabber);
        // The canvas selects its own font first, so that the one put back below is alive.
        canvas->TextExtent(std::string());
        gdi::HDC dc = canvas->Handle();
        gdi::HFONT turned = CreateAngledFont(m_captionFont.get(), 90);
        gdi::HGDIOBJ old = gdi::SelectObject(dc, turned);
        const unsigned oldAlign = gdi::SetTextAlign(dc, gdi::TA_BASELINE);
        const int oldMode = gdi::SetBkMode(dc, gdi::TRANSPARENT);
        const gdi::COLORREF oldColor = gdi::SetTextColor(dc, gdi::ColorToRGB(gdi::clCaptionText));
        gdi::TextOut(dc, grabber.right - 2, B - 3, control->Caption());
        gdi::SetTextColor(dc, oldColor);
        gdi::SetBkMode(dc, oldMode);
        gdi::SetTextAlign(dc, oldAlign);
        gdi::SelectObject(dc, old);
        gdi::DeleteObject(turned);
        close = TRect{L + 1, T + 1, L + 12, T + 12};
    }
    canvas->Font()->Assign(m_closeFont.get());
    canvas->Font()->SetColor(text);
    DrawCanvasText(canvas, "r", close, gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_SINGLELINE);
}

} // namespace lu
