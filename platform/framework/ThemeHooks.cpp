#include "platform/framework/ThemeHooks.h"

#include "platform/framework/WinControl.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Themes.h"

namespace framework {

namespace {

// The device context is in the child's client coordinates; the parent erases and paints into it
// as if it were its own, clipped to the asked rectangle.
void PaintParentBackground(void* window, gdi::HDC dc, const gdi::RECT* r) {
    auto* h = static_cast<HWND>(window);
    if (!IsWindow(h))
        throw rtl::Exception("DrawParentBackground was given no window");
    if (dc == nullptr)
        throw rtl::Exception("DrawParentBackground was given no device context");
    TWinControl& control = h->Control();
    TWinControl* parent = control.Parent();
    if (parent == nullptr)
        return;
    const TPoint child = control.ClientOrigin();
    const TPoint origin = parent->ClientOrigin();
    const TRect client = parent->ClientRect();
    const int saved = gdi::SaveDC(dc);
    try {
        if (r != nullptr)
            gdi::IntersectClipRect(dc, r->left, r->top, r->right, r->bottom);
        gdi::OffsetViewportOrgEx(dc, origin.x - child.x, origin.y - child.y, nullptr);
        gdi::IntersectClipRect(dc, 0, 0, client.Width(), client.Height());
        parent->Perform(win::WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
        parent->Perform(win::WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    } catch (...) {
        gdi::RestoreDC(dc, saved);
        throw;
    }
    gdi::RestoreDC(dc, saved);
}

} // namespace

void InstallThemeHooks() {
    static const bool installed = [] {
        gdi::GetThemeServices().SetParentBackgroundPainter(&PaintParentBackground);
        return true;
    }();
    (void)installed;
}

} // namespace framework
