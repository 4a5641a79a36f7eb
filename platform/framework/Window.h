#pragma once

#include "platform/framework/Messages.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Surface.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

// Windows are in-process objects. Each keeps the pixels of its whole area (non-client part
// included), the part that waits for painting and its timers; where it is and whether it is shown
// comes from the control it belongs to.
namespace framework {

class TWinControl;

struct TCreateParams {
    std::string Caption;
    std::uint32_t Style = 0;
    std::uint32_t ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    TWinControl* WndParent = nullptr;
    std::string WinClassName;
    UINT WindowClassStyle = 0;
    // The cursor of the client area where neither the control nor the screen names one.
    int WindowClassCursor = 0;
};

class TWindow {
public:
    TWindow(TWinControl& control, const TCreateParams& params);
    ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    TWinControl& Control() const { return *m_control; }
    const TCreateParams& Params() const { return m_params; }
    std::uint32_t Style() const { return m_params.Style; }
    std::uint32_t ExStyle() const { return m_params.ExStyle; }
    void SetStyle(std::uint32_t style) { m_params.Style = style; }
    void SetExStyle(std::uint32_t exStyle) { m_params.ExStyle = exStyle; }
    UINT ClassStyle() const { return m_params.WindowClassStyle; }

    gdi::Surface& Pixels() { return m_pixels; }
    // The client area within the window, as WM_NCCALCSIZE last answered.
    const TRect& ClientArea() const { return m_clientArea; }

    // Sizes the pixels to the control and asks the control for its client area again; the parts
    // that became visible wait for painting (all of it with CS_HREDRAW/CS_VREDRAW).
    void SyncSize();

    // Update region in client coordinates.
    void Invalidate(const TRect* rect, bool erase);
    void InvalidateRegion(gdi::HRGN region, bool erase);
    void Validate(const TRect* rect);
    bool HasUpdate() const;
    bool ErasePending() const { return m_erase; }
    void SetErasePending(bool erase) { m_erase = erase; }
    TRect UpdateBox() const;
    gdi::HRGN UpdateRegion() const { return m_update; }
    bool FramePending() const { return m_frame; }
    void SetFramePending(bool frame) { m_frame = frame; }

    struct Timer;
    std::map<std::uintptr_t, std::unique_ptr<Timer>>& Timers() { return m_timers; }

private:
    // Takes the region into the update region.
    void AddToUpdate(gdi::HRGN add, bool erase);

    TWinControl* m_control;
    TCreateParams m_params;
    gdi::Surface m_pixels;
    TRect m_clientArea;
    gdi::HRGN m_update = nullptr;
    bool m_erase = false;
    bool m_frame = true;
    std::map<std::uintptr_t, std::unique_ptr<Timer>> m_timers;
};

using HWND = TWindow*;

// What WM_WINDOWPOSCHANGED carries: the new place and size. While the message is handled the
// control still reports its old bounds.
struct TWindowPos {
    HWND hwnd = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
};

// Creates the window object of a control; the control keeps it until DestroyWindow.
HWND CreateWindowFor(TWinControl& control, const TCreateParams& params);
void DestroyWindow(HWND window);
bool IsWindow(HWND window);

LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Queues the message; ProcessMessages delivers it, key messages through the keyboard path. A
// message for a window that is destroyed before then is dropped.
bool PostMessage(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
std::size_t PostedMessageCount();
// Delivers the posted messages (including those posted meanwhile) and then paints.
void DispatchPostedMessages();

HWND GetParent(HWND window);
bool IsWindowVisible(HWND window);
bool IsWindowEnabled(HWND window);
// Answers whether the window was disabled before. Disabling cancels its mouse mode and capture;
// a change sends WM_ENABLE.
bool EnableWindow(HWND window, bool enable);
std::uint32_t GetWindowLong(HWND window, int index);
std::uint32_t SetWindowLong(HWND window, int index, std::uint32_t value);

// Window rectangle in screen coordinates; client rectangle from (0, 0).
bool GetWindowRect(HWND window, TRect* rect);
bool GetClientRect(HWND window, TRect* rect);
bool ClientToScreen(HWND window, TPoint* point);
bool ScreenToClient(HWND window, TPoint* point);
// The deepest shown window at a screen point, asking each WM_NCHITTEST; HTTRANSPARENT lets the
// point fall through to the window below.
HWND WindowFromPoint(TPoint screen);

// A context for the client area (origin at the client's top left, clipped to it) or the whole
// window; release it with ReleaseDC.
gdi::HDC GetDC(HWND window);
gdi::HDC GetWindowDC(HWND window);
int ReleaseDC(HWND window, gdi::HDC dc);

bool InvalidateRect(HWND window, const TRect* rect, bool erase);
bool InvalidateRgn(HWND window, gdi::HRGN region, bool erase);
bool ValidateRect(HWND window, const TRect* rect);
bool GetUpdateRect(HWND window, TRect* rect, bool erase);
// Sends WM_NCPAINT and WM_PAINT now when anything waits; children are not painted.
bool UpdateWindow(HWND window);
bool RedrawWindow(HWND window, const TRect* rect, gdi::HRGN region, UINT flags);
// Paints every shown window that waits for it, parents before children.
void UpdateAllWindows();

// What WM_PAINT's default handling uses: a context clipped to the update region, which it then
// empties. The erase message goes first when erasing is pending.
struct TPaintStruct {
    gdi::HDC dc = nullptr;
    bool erase = false;
    TRect paint;
};
gdi::HDC BeginPaint(HWND window, TPaintStruct& ps);
void EndPaint(HWND window, const TPaintStruct& ps);

// Window timers on the virtual clock: each due time sends WM_TIMER with the id. Destroying the
// window kills them.
std::uintptr_t SetTimer(HWND window, std::uintptr_t id, UINT elapse);
bool KillTimer(HWND window, std::uintptr_t id);

HWND SetCapture(HWND window);
bool ReleaseCapture();
HWND GetCapture();

// Moves the keyboard focus: WM_KILLFOCUS to the old window, then WM_SETFOCUS to the new one.
HWND SetFocus(HWND window);
HWND GetFocus();

// The pixels of a window with its shown children on them, as the screen shows it.
void ComposeWindow(HWND window, gdi::Surface& target, int x, int y);

} // namespace framework
