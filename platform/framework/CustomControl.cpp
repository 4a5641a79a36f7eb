#include "platform/framework/CustomControl.h"

#include "platform/framework/TypInfo.h"

namespace framework {

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), m_canvas(std::make_unique<TControlCanvas>()) {
    m_canvas->SetControl(this);
}

TCustomControl::~TCustomControl() {
    m_canvas->FreeHandle();
}

void TCustomControl::DestroyWindowHandle() {
    m_canvas->FreeHandle();
    TWinControl::DestroyWindowHandle();
}

void TCustomControl::PaintWindow(gdi::HDC dc) {
    m_canvas->FreeHandle();
    m_canvas->Lock();
    m_canvas->SetHandle(dc);
    try {
        Paint();
    } catch (...) {
        m_canvas->SetHandle(nullptr);
        m_canvas->Unlock();
        throw;
    }
    m_canvas->SetHandle(nullptr);
    m_canvas->Unlock();
}

namespace {
[[maybe_unused]] const auto registerCustomControl =
    RegisterClass<TCustomControl, TWinControl>("TCustomControl");
} // namespace

} // namespace framework
