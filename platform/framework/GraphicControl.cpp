#include "platform/framework/GraphicControl.h"

#include "platform/framework/TypInfo.h"

namespace framework {

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), m_canvas(std::make_unique<TControlCanvas>()) {
    m_canvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() {
    m_canvas->FreeHandle();
}

void TGraphicControl::WndProc(TMessage& m) {
    if (m.Msg == win::WM_PAINT && m.WParam != 0) {
        m_canvas->FreeHandle();
        m_canvas->Lock();
        m_canvas->SetHandle(reinterpret_cast<gdi::HDC>(m.WParam));
        try {
            Paint();
        } catch (...) {
            m_canvas->SetHandle(nullptr);
            m_canvas->Unlock();
            throw;
        }
        m_canvas->SetHandle(nullptr);
        m_canvas->Unlock();
        m.Result = 0;
        return;
    }
    TControl::WndProc(m);
}

namespace {
[[maybe_unused]] const auto registerGraphicControl =
    RegisterClass<TGraphicControl, TControl>("TGraphicControl");
} // namespace

} // namespace framework
