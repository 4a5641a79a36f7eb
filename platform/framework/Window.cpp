#include "platform/framework/Window.h"

#include "platform/framework/Forms.h"
#include "platform/framework/HandlerGuard.h"
#include "platform/framework/Input.h"
#include "platform/framework/ThemeHooks.h"
#include "platform/framework/Timers.h"
#include "platform/framework/WinControl.h"
#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <unordered_set>

namespace framework {

struct TWindow::Timer {
    HWND window;
    std::uintptr_t id;
};

namespace {

struct Posted {
    HWND window;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

struct WindowManager {
    std::unordered_set<const TWindow*> live;
    std::deque<Posted> posted;
    HWND focus = nullptr;
    HWND capture = nullptr;
};

WindowManager& Manager() {
    static WindowManager manager;
    return manager;
}

TRect ClientBounds(HWND w) {
    const TRect& a = w->ClientArea();
    return TRect{0, 0, a.Width(), a.Height()};
}

} // namespace

TWindow::TWindow(TWinControl& control, const TCreateParams& params) : m_control(&control), m_params(params) {}

TWindow::~TWindow() {
    if (m_update != nullptr)
        gdi::DeleteObject(m_update);
}

void TWindow::SyncSize() {
    const int w = std::max(0, m_control->Width());
    const int h = std::max(0, m_control->Height());
    const int oldW = m_pixels.Width();
    const int oldH = m_pixels.Height();
    const bool first =
        oldW == 0 && oldH == 0 && m_pixels.BitsPerPixel() == 32 && m_clientArea == TRect{} && !HasUpdate();
    if (w != oldW || h != oldH || first) {
        if (m_pixels.Width() == 0 && m_pixels.Height() == 0)
            m_pixels = gdi::Surface(w, h, 32, 0xFFFFFF);
        else
            m_pixels.Resize(w, h);
    }
    TRect oldClient = m_clientArea;
    TRect area{0, 0, w, h};
    SendMessage(this, win::WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&area));
    if (area.right < area.left)
        area.right = area.left;
    if (area.bottom < area.top)
        area.bottom = area.top;
    m_clientArea = area;
    m_frame = true;
    const bool sizeChanged = w != oldW || h != oldH;
    const bool redrawAll =
        (sizeChanged && (m_params.WindowClassStyle & (win::CS_HREDRAW | win::CS_VREDRAW)) != 0) ||
        !(oldClient.left == area.left && oldClient.top == area.top);
    if (first || redrawAll) {
        Invalidate(nullptr, true);
        return;
    }
    // Only the area that came into view waits for painting.
    const int cw = area.Width();
    const int ch = area.Height();
    const int ow = oldClient.Width();
    const int oh = oldClient.Height();
    if (cw > ow) {
        TRect r{ow, 0, cw, ch};
        Invalidate(&r, true);
    }
    if (ch > oh) {
        TRect r{0, oh, cw, ch};
        Invalidate(&r, true);
    }
}

void TWindow::AddToUpdate(gdi::HRGN add, bool erase) {
    if (m_update == nullptr) {
        m_update = add;
    } else {
        gdi::CombineRgn(m_update, m_update, add, gdi::RGN_OR);
        gdi::DeleteObject(add);
    }
    if (erase)
        m_erase = true;
}

void TWindow::Invalidate(const TRect* rect, bool erase) {
    TRect bounds = ClientBounds(this);
    TRect r = rect != nullptr ? *rect : bounds;
    if (!gdi::IntersectRect(&r, &r, &bounds))
        return;
    AddToUpdate(gdi::CreateRectRgnIndirect(&r), erase);
}

void TWindow::InvalidateRegion(gdi::HRGN region, bool erase) {
    if (region == nullptr) {
        Invalidate(nullptr, erase);
        return;
    }
    TRect bounds = ClientBounds(this);
    gdi::HRGN add = gdi::CreateRectRgnIndirect(&bounds);
    gdi::CombineRgn(add, add, region, gdi::RGN_AND);
    AddToUpdate(add, erase);
}

void TWindow::Validate(const TRect* rect) {
    if (m_update == nullptr)
        return;
    if (rect == nullptr) {
        gdi::DeleteObject(m_update);
        m_update = nullptr;
        m_erase = false;
        return;
    }
    gdi::HRGN cut = gdi::CreateRectRgnIndirect(rect);
    gdi::CombineRgn(m_update, m_update, cut, gdi::RGN_DIFF);
    gdi::DeleteObject(cut);
    if (!HasUpdate())
        Validate(nullptr);
}

bool TWindow::HasUpdate() const {
    if (m_update == nullptr)
        return false;
    TRect box;
    return gdi::GetRgnBox(m_update, &box) != gdi::NULLREGION;
}

TRect TWindow::UpdateBox() const {
    TRect box;
    if (m_update == nullptr || gdi::GetRgnBox(m_update, &box) == gdi::NULLREGION)
        return TRect{};
    return box;
}

HWND CreateWindowFor(TWinControl& control, const TCreateParams& params) {
    InstallThemeHooks();
    auto* window = new TWindow(control, params);
    Manager().live.insert(window);
    return window;
}

void DestroyWindow(HWND window) {
    if (!IsWindow(window))
        return;
    WindowManager& m = Manager();
    for (auto& entry : window->Timers())
        Clock().Cancel(entry.second.get());
    window->Timers().clear();
    if (m.capture == window)
        m.capture = nullptr;
    if (m.focus == window)
        m.focus = nullptr;
    m.live.erase(window);
    delete window;
}

bool IsWindow(HWND window) {
    return window != nullptr && Manager().live.count(window) != 0;
}

LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(window))
        return 0;
    return window->Control().Perform(msg, wParam, lParam);
}

bool PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(window))
        return false;
    Manager().posted.push_back(Posted{window, msg, wParam, lParam});
    return true;
}

std::size_t PostedMessageCount() {
    return Manager().posted.size();
}

void DispatchPostedMessages() {
    WindowManager& m = Manager();
    while (!m.posted.empty()) {
        Posted p = m.posted.front();
        m.posted.pop_front();
        if (!IsWindow(p.window))
            continue;
        Guarded(&p.window->Control(), [&] {
            if (IsKeyMessage(p.msg))
                DeliverKeyMessage(p.window, p.msg, p.wParam, p.lParam);
            else
                SendMessage(p.window, p.msg, p.wParam, p.lParam);
        });
    }
}

HWND GetParent(HWND window) {
    if (!IsWindow(window))
        return nullptr;
    TWinControl* parent = window->Control().Parent();
    return parent != nullptr && parent->HandleAllocated() ? parent->Handle() : nullptr;
}

bool IsWindowVisible(HWND window) {
    return IsWindow(window) && window->Control().Showing();
}

bool IsWindowEnabled(HWND window) {
    return IsWindow(window) && (window->Style() & win::WS_DISABLED) == 0;
}

bool EnableWindow(HWND window, bool enable) {
    if (!IsWindow(window))
        return false;
    const bool wasDisabled = (window->Style() & win::WS_DISABLED) != 0;
    if (wasDisabled != enable)
        return wasDisabled;
    if (!enable)
        SendMessage(window, win::WM_CANCELMODE, 0, 0);
    if (!IsWindow(window))
        return wasDisabled;
    const std::uint32_t style = window->Style();
    window->SetStyle(enable ? style & ~win::WS_DISABLED : style | win::WS_DISABLED);
    SendMessage(window, win::WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

std::uint32_t GetWindowLong(HWND window, int index) {
    if (!IsWindow(window))
        return 0;
    return index == win::GWL_EXSTYLE ? window->ExStyle() : window->Style();
}

std::uint32_t SetWindowLong(HWND window, int index, std::uint32_t value) {
    if (!IsWindow(window))
        return 0;
    std::uint32_t old = GetWindowLong(window, index);
    if (index == win::GWL_EXSTYLE)
        window->SetExStyle(value);
    else
        window->SetStyle(value);
    return old;
}

bool GetWindowRect(HWND window, TRect* rect) {
    if (!IsWindow(window) || rect == nullptr)
        return false;
    TWinControl& c = window->Control();
    TPoint origin{c.Left(), c.Top()};
    if (c.Parent() != nullptr) {
        TPoint p = c.Parent()->ClientOrigin();
        origin.x += p.x;
        origin.y += p.y;
    }
    *rect = TRect{origin.x, origin.y, origin.x + c.Width(), origin.y + c.Height()};
    return true;
}

bool GetClientRect(HWND window, TRect* rect) {
    if (!IsWindow(window) || rect == nullptr)
        return false;
    *rect = ClientBounds(window);
    return true;
}

bool ClientToScreen(HWND window, TPoint* point) {
    if (!IsWindow(window) || point == nullptr)
        return false;
    TPoint o = window->Control().ClientOrigin();
    point->x += o.x;
    point->y += o.y;
    return true;
}

bool ScreenToClient(HWND window, TPoint* point) {
    if (!IsWindow(window) || point == nullptr)
        return false;
    TPoint o = window->Control().ClientOrigin();
    point->x -= o.x;
    point->y -= o.y;
    return true;
}

namespace {

HWND ChildWindowAt(TWinControl& parent, TPoint screen) {
    for (int i = parent.ControlCount() - 1; i >= 0; --i) {
        auto* child = dynamic_cast<TWinControl*>(parent.Controls(i));
        if (child == nullptr || !child->Visible() || !child->HandleAllocated())
            continue;
        TRect r;
        GetWindowRect(child->Handle(), &r);
        if (!gdi::PtInRect(&r, screen))
            continue;
        if (HWND deeper = ChildWindowAt(*child, screen))
            return deeper;
        if (SendMessage(child->Handle(), win::WM_NCHITTEST, 0, PointToLParam(screen)) != win::HTTRANSPARENT)
            return child->Handle();
    }
    return nullptr;
}

} // namespace

HWND WindowFromPoint(TPoint screen) {
    TScreen* s = Screen();
    if (s == nullptr)
        return nullptr;
    std::vector<TCustomForm*> order;
    if (TCustomForm* active = s->ActiveForm())
        order.push_back(active);
    for (int i = s->FormCount() - 1; i >= 0; --i)
        if (s->Forms(i) != order.front())
            order.push_back(s->Forms(i));
    for (TCustomForm* form : order) {
        if (form == nullptr || !form->Visible() || !form->HandleAllocated())
            continue;
        TRect r;
        GetWindowRect(form->Handle(), &r);
        if (!gdi::PtInRect(&r, screen))
            continue;
        if (HWND child = ChildWindowAt(*form, screen))
            return child;
        return form->Handle();
    }
    return nullptr;
}

gdi::HDC GetDC(HWND window) {
    if (!IsWindow(window))
        return nullptr;
    gdi::HDC dc = gdi::CreateSurfaceDC(&window->Pixels());
    const TRect& a = window->ClientArea();
    gdi::SetViewportOrgEx(dc, a.left, a.top, nullptr);
    gdi::IntersectClipRect(dc, 0, 0, a.Width(), a.Height());
    return dc;
}

gdi::HDC GetWindowDC(HWND window) {
    if (!IsWindow(window))
        return nullptr;
    return gdi::CreateSurfaceDC(&window->Pixels());
}

int ReleaseDC(HWND, gdi::HDC dc) {
    return dc != nullptr && gdi::DeleteDC(dc) ? 1 : 0;
}

bool InvalidateRect(HWND window, const TRect* rect, bool erase) {
    if (!IsWindow(window))
        return false;
    window->Invalidate(rect, erase);
    return true;
}

bool InvalidateRgn(HWND window, gdi::HRGN region, bool erase) {
    if (!IsWindow(window))
        return false;
    window->InvalidateRegion(region, erase);
    return true;
}

bool ValidateRect(HWND window, const TRect* rect) {
    if (!IsWindow(window))
        return false;
    window->Validate(rect);
    return true;
}

bool GetUpdateRect(HWND window, TRect* rect, bool erase) {
    if (!IsWindow(window))
        return false;
    if (rect != nullptr)
        *rect = window->UpdateBox();
    const bool any = window->HasUpdate();
    if (erase && any && window->ErasePending()) {
        gdi::HDC dc = GetDC(window);
        window->SetErasePending(false);
        SendMessage(window, win::WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ReleaseDC(window, dc);
    }
    return any;
}

bool UpdateWindow(HWND window) {
    if (!IsWindow(window) || !window->Control().Showing())
        return false;
    if (window->FramePending()) {
        window->SetFramePending(false);
        SendMessage(window, win::WM_NCPAINT, 1, 0);
    }
    if (IsWindow(window) && window->HasUpdate()) {
        SendMessage(window, win::WM_PAINT, 0, 0);
        // A handler that never began painting must not leave the window waiting for ever.
        if (IsWindow(window))
            window->Validate(nullptr);
    }
    return true;
}

namespace {

void ForEachChildWindow(HWND window, const std::function<void(HWND)>& f) {
    TWinControl& c = window->Control();
    for (int i = 0; i < c.ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(c.Controls(i)))
            if (child->HandleAllocated())
                f(child->Handle());
}

void UpdateTree(HWND window) {
    if (!IsWindow(window) || !window->Control().Showing())
        return;
    UpdateWindow(window);
    if (!IsWindow(window))
        return;
    std::vector<HWND> children;
    ForEachChildWindow(window, [&](HWND h) { children.push_back(h); });
    for (HWND h : children)
        UpdateTree(h);
}

} // namespace

bool RedrawWindow(HWND window, const TRect* rect, gdi::HRGN region, UINT flags) {
    if (!IsWindow(window))
        return false;
    if (flags & win::RDW_INVALIDATE) {
        const bool erase = (flags & win::RDW_ERASE) != 0;
        if (region != nullptr)
            window->InvalidateRegion(region, erase);
        else
            window->Invalidate(rect, erase);
    }
    if (flags & win::RDW_VALIDATE) {
        if (region == nullptr)
            window->Validate(rect);
        else
            window->Validate(nullptr);
    }
    if ((flags & win::RDW_FRAME) && (flags & win::RDW_INVALIDATE))
        window->SetFramePending(true);
    if (flags & win::RDW_ALLCHILDREN) {
        std::vector<HWND> children;
        ForEachChildWindow(window, [&](HWND h) { children.push_back(h); });
        for (HWND h : children)
            RedrawWindow(h, nullptr, nullptr, flags & ~win::RDW_UPDATENOW & ~win::RDW_ERASENOW);
    }
    if (flags & win::RDW_UPDATENOW) {
        if (flags & win::RDW_ALLCHILDREN)
            UpdateTree(window);
        else
            UpdateWindow(window);
    } else if (flags & win::RDW_ERASENOW) {
        GetUpdateRect(window, nullptr, true);
    }
    return true;
}

void UpdateAllWindows() {
    TScreen* s = Screen();
    if (s == nullptr)
        return;
    std::vector<TCustomForm*> forms;
    for (int i = 0; i < s->FormCount(); ++i)
        forms.push_back(s->Forms(i));
    for (TCustomForm* form : forms)
        if (form->HandleAllocated())
            UpdateTree(form->Handle());
}

gdi::HDC BeginPaint(HWND window, TPaintStruct& ps) {
    ps = TPaintStruct{};
    if (!IsWindow(window))
        return nullptr;
    gdi::HDC dc = gdi::CreateSurfaceDC(&window->Pixels());
    const TRect& a = window->ClientArea();
    gdi::SetViewportOrgEx(dc, a.left, a.top, nullptr);
    TRect bounds = ClientBounds(window);
    gdi::HRGN clip = gdi::CreateRectRgnIndirect(&bounds);
    if (window->UpdateRegion() != nullptr)
        gdi::CombineRgn(clip, clip, window->UpdateRegion(), gdi::RGN_AND);
    gdi::OffsetRgn(clip, a.left, a.top);
    gdi::SelectClipRgn(dc, clip);
    gdi::DeleteObject(clip);
    ps.paint = window->UpdateBox();
    ps.erase = window->ErasePending();
    ps.dc = dc;
    window->Validate(nullptr);
    if (ps.erase) {
        // The answer says whether the background was erased; painting goes on either way.
        SendMessage(window, win::WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    }
    return dc;
}

void EndPaint(HWND, const TPaintStruct& ps) {
    if (ps.dc != nullptr)
        gdi::DeleteDC(ps.dc);
}

std::uintptr_t SetTimer(HWND window, std::uintptr_t id, UINT elapse) {
    if (!IsWindow(window))
        return 0;
    auto& timers = window->Timers();
    auto& slot = timers[id];
    if (!slot)
        slot = std::make_unique<TWindow::Timer>(TWindow::Timer{window, id});
    TWindow::Timer* key = slot.get();
    Clock().Schedule(key, std::max<UINT>(elapse, 1), [key] {
        HWND w = key->window;
        std::uintptr_t timerId = key->id;
        if (!IsWindow(w))
            return;
        Guarded(&w->Control(), [&] { SendMessage(w, win::WM_TIMER, timerId, 0); });
    });
    return id == 0 ? 1 : id;
}

bool KillTimer(HWND window, std::uintptr_t id) {
    if (!IsWindow(window))
        return false;
    auto& timers = window->Timers();
    auto it = timers.find(id);
    if (it == timers.end())
        return false;
    Clock().Cancel(it->second.get());
    timers.erase(it);
    return true;
}

HWND SetCapture(HWND window) {
    WindowManager& m = Manager();
    HWND old = m.capture;
    if (old == window)
        return old;
    m.capture = IsWindow(window) ? window : nullptr;
    if (IsWindow(old))
        SendMessage(old, win::WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(m.capture));
    return old;
}

bool ReleaseCapture() {
    SetCapture(nullptr);
    return true;
}

HWND GetCapture() {
    return IsWindow(Manager().capture) ? Manager().capture : nullptr;
}

HWND SetFocus(HWND window) {
    WindowManager& m = Manager();
    HWND old = IsWindow(m.focus) ? m.focus : nullptr;
    if (window != nullptr && !IsWindow(window))
        return old;
    if (old == window)
        return old;
    if (old != nullptr)
        SendMessage(old, win::WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    m.focus = window;
    if (window != nullptr)
        SendMessage(window, win::WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus() {
    return IsWindow(Manager().focus) ? Manager().focus : nullptr;
}

namespace {

void Compose(HWND window, gdi::Surface& target, int x, int y, TRect clip) {
    gdi::Surface& src = window->Pixels();
    TRect full{0, 0, target.Width(), target.Height()};
    gdi::IntersectRect(&clip, &clip, &full);
    TRect area{x, y, x + src.Width(), y + src.Height()};
    TRect r;
    if (!gdi::IntersectRect(&r, &area, &clip))
        return;
    for (int row = r.top; row < r.bottom; ++row)
        std::memcpy(target.Row(row) + r.left, src.Row(row - y) + (r.left - x),
                    std::size_t(r.Width()) * sizeof(std::uint32_t));
    const TRect& a = window->ClientArea();
    TRect clientClip{x + a.left, y + a.top, x + a.right, y + a.bottom};
    gdi::IntersectRect(&clientClip, &clientClip, &r);
    TWinControl& c = window->Control();
    for (int i = 0; i < c.ControlCount(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(c.Controls(i));
        if (child == nullptr || !child->Visible() || !child->HandleAllocated())
            continue;
        Compose(child->Handle(), target, x + a.left + child->Left(), y + a.top + child->Top(), clientClip);
    }
}

} // namespace

void ComposeWindow(HWND window, gdi::Surface& target, int x, int y) {
    if (!IsWindow(window))
        return;
    Compose(window, target, x, y, TRect{0, 0, target.Width(), target.Height()});
}

} // namespace framework
