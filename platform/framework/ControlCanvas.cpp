#include "platform/framework/ControlCanvas.h"

#include "platform/framework/WinControl.h"
#include "platform/gdi/Gdi.h"

namespace framework {

TControlCanvas::~TControlCanvas() {
    FreeHandle();
}

void TControlCanvas::SetControl(TControl* control) {
    if (control == m_control)
        return;
    FreeHandle();
    m_control = control;
}

void TControlCanvas::FreeHandle() {
    if (m_dc == nullptr)
        return;
    SetHandle(nullptr);
    ReleaseDC(m_window, m_dc);
    m_dc = nullptr;
    m_window = nullptr;
}

void TControlCanvas::CreateHandle() {
    if (m_control == nullptr)
        return;
    if (m_control->IsWindowed()) {
        HWND h = static_cast<TWinControl*>(m_control)->Handle();
        m_dc = GetDC(h);
        m_window = h;
    } else {
        TWinControl* parent = m_control->Parent();
        if (parent == nullptr)
            throw EInvalidOperation("Control '" + m_control->Name() + "' has no parent window");
        HWND h = parent->Handle();
        m_dc = GetDC(h);
        m_window = h;
        gdi::OffsetViewportOrgEx(m_dc, m_control->Left(), m_control->Top(), nullptr);
        gdi::IntersectClipRect(m_dc, 0, 0, m_control->Width(), m_control->Height());
    }
    SetHandle(m_dc);
}

} // namespace framework
