#include "platform/framework/Input.h"

#include "platform/framework/Forms.h"
#include "platform/framework/Timers.h"
#include "platform/framework/WinControl.h"
#include "platform/rtl/Utf8.h"

#include <array>
#include <cstdlib>

namespace framework {

namespace {

struct InputState {
    std::array<bool, 256> keys{};
    TPoint cursor{-1, -1};
    TControl* mouseControl = nullptr;
    // The last press, for double clicks.
    HWND lastWindow = nullptr;
    TMouseButton lastButton = mbLeft;
    std::int64_t lastTime = 0;
    TPoint lastPoint{};
    bool lastValid = false;
};

InputState& State() {
    static InputState state;
    return state;
}

WPARAM MouseKeys() {
    const auto& k = State().keys;
    WPARAM w = 0;
    if (k[win::VK_LBUTTON])
        w |= win::MK_LBUTTON;
    if (k[win::VK_RBUTTON])
        w |= win::MK_RBUTTON;
    if (k[win::VK_MBUTTON])
        w |= win::MK_MBUTTON;
    if (k[win::VK_SHIFT])
        w |= win::MK_SHIFT;
    if (k[win::VK_CONTROL])
        w |= win::MK_CONTROL;
    return w;
}

int ButtonKey(TMouseButton b) {
    return b == mbLeft ? win::VK_LBUTTON : b == mbRight ? win::VK_RBUTTON : win::VK_MBUTTON;
}

UINT DownMessage(TMouseButton b) {
    return b == mbLeft ? win::WM_LBUTTONDOWN : b == mbRight ? win::WM_RBUTTONDOWN : win::WM_MBUTTONDOWN;
}

TControl* ControlUnder(TPoint screen) {
    if (TControl* capture = GetCaptureControl())
        if (!capture->IsWindowed())
            return capture->Parent() != nullptr && capture->Parent()->HandleAllocated() ? capture : nullptr;
    HWND w = GetCapture() != nullptr ? GetCapture() : WindowFromPoint(screen);
    if (w == nullptr)
        return nullptr;
    TWinControl& c = w->Control();
    TPoint p = screen;
    ScreenToClient(w, &p);
    if (TControl* inner = c.ControlAtPos(p, false, false))
        return inner;
    return &c;
}

// Mouse entry and exit follow the deepest control under the mouse; while the mouse is captured
// only the capturing control hears of it.
void UpdateMouseControl(TPoint screen) {
    InputState& s = State();
    TControl* now = ControlUnder(screen);
    if (now == s.mouseControl)
        return;
    TControl* capture = GetCaptureControl();
    TControl* old = s.mouseControl;
    s.mouseControl = now;
    if (old != nullptr && (capture == nullptr || capture == old))
        old->Perform(win::CM_MOUSELEAVE, 0, 0);
    if (s.mouseControl == now && now != nullptr && (capture == nullptr || capture == now))
        now->Perform(win::CM_MOUSEENTER, 0, 0);
}

// Where a mouse message goes: the capturing window, else the window under the mouse, which
// answers WM_NCHITTEST and WM_SETCURSOR first.
struct Target {
    HWND window = nullptr;
    int hit = win::HTNOWHERE;
};

Target FindTarget(TPoint screen, UINT mouseMsg) {
    Target t;
    if (HWND capture = GetCapture()) {
        t.window = capture;
        t.hit = win::HTCLIENT;
        return t;
    }
    t.window = WindowFromPoint(screen);
    if (t.window == nullptr)
        return t;
    t.hit = static_cast<int>(SendMessage(t.window, win::WM_NCHITTEST, 0, PointToLParam(screen)));
    if (IsWindow(t.window))
        SendMessage(t.window, win::WM_SETCURSOR, reinterpret_cast<WPARAM>(t.window),
                    static_cast<LPARAM>((static_cast<std::uint32_t>(mouseMsg) << 16) |
                                        static_cast<std::uint16_t>(t.hit)));
    if (!IsWindow(t.window) || !IsWindowEnabled(t.window))
        t.window = nullptr;
    return t;
}

void SendMouse(const Target& t, UINT clientMsg, UINT ncMsg, TPoint screen) {
    if (t.window == nullptr)
        return;
    if (t.hit == win::HTCLIENT) {
        TPoint p = screen;
        ScreenToClient(t.window, &p);
        SendMessage(t.window, clientMsg, MouseKeys(), PointToLParam(p));
    } else if (ncMsg != 0) {
        SendMessage(t.window, ncMsg, static_cast<WPARAM>(t.hit), PointToLParam(screen));
    }
}

char32_t CharOfKey(std::uint16_t key, bool shift) {
    if (key >= win::VK_A && key <= win::VK_A + 25)
        return static_cast<char32_t>((shift ? 'A' : 'a') + (key - win::VK_A));
    if (key >= win::VK_0 && key <= win::VK_0 + 9 && !shift)
        return static_cast<char32_t>('0' + (key - win::VK_0));
    switch (key) {
    case win::VK_SPACE:
        return U' ';
    case win::VK_RETURN:
        return 13;
    case win::VK_ESCAPE:
        return 27;
    case win::VK_BACK:
        return 8;
    case win::VK_TAB:
        return 9;
    default:
        return 0;
    }
}

HWND KeyTarget() {
    if (HWND focus = GetFocus())
        return focus;
    if (TCustomForm* form = Screen() != nullptr ? Screen()->ActiveForm() : nullptr)
        if (form->HandleAllocated())
            return form->Handle();
    return nullptr;
}

LPARAM KeyData(bool up) {
    LPARAM data = 1;
    if (State().keys[win::VK_MENU])
        data |= static_cast<LPARAM>(win::KF_ALTDOWN_DATA);
    if (up)
        data |= static_cast<LPARAM>(0xC0000000u);
    return data;
}

} // namespace

bool IsKeyMessage(UINT msg) {
    return msg >= win::WM_KEYDOWN && msg <= win::WM_SYSCHAR;
}

bool DeliverKeyMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(window))
        return false;
    if (SendMessage(window, win::CN_BASE + msg, wParam, lParam) != 0)
        return false;
    SendMessage(window, msg, wParam, lParam);
    return true;
}

namespace input {

void MoveMouse(TPoint screen) {
    State().cursor = screen;
    Target t = FindTarget(screen, win::WM_MOUSEMOVE);
    SendMouse(t, win::WM_MOUSEMOVE, win::WM_NCMOUSEMOVE, screen);
    UpdateMouseControl(screen);
}

void PressButton(TMouseButton button, TPoint screen) {
    InputState& s = State();
    if (s.cursor.x != screen.x || s.cursor.y != screen.y)
        MoveMouse(screen);
    const UINT down = DownMessage(button);
    Target t = FindTarget(screen, down);
    s.keys[static_cast<std::size_t>(ButtonKey(button))] = true;
    if (t.window == nullptr) {
        s.lastValid = false;
        return;
    }
    if (TCustomForm* form = GetParentForm(&t.window->Control()))
        if (Screen() != nullptr && Screen()->ActiveForm() != form)
            SendMessage(t.window, win::WM_MOUSEACTIVATE, 0,
                        static_cast<LPARAM>((down << 16) | static_cast<std::uint16_t>(t.hit)));
    if (!IsWindow(t.window))
        return;
    const std::int64_t now = Clock().Now();
    const bool twice = s.lastValid && s.lastWindow == t.window && s.lastButton == button &&
                       now - s.lastTime <= DoubleClickTime &&
                       std::abs(screen.x - s.lastPoint.x) <= DoubleClickDistance &&
                       std::abs(screen.y - s.lastPoint.y) <= DoubleClickDistance;
    // A window without CS_DBLCLKS sees the second press as a plain press.
    const bool dbl = twice && (t.window->ClassStyle() & win::CS_DBLCLKS) != 0;
    s.lastValid = !twice;
    s.lastWindow = t.window;
    s.lastButton = button;
    s.lastTime = now;
    s.lastPoint = screen;
    const UINT msg = dbl ? down + 2 : down;
    const UINT ncMsg = button == mbLeft ? (dbl ? win::WM_NCLBUTTONDBLCLK : win::WM_NCLBUTTONDOWN) : 0u;
    SendMouse(t, msg, ncMsg, screen);
    UpdateMouseControl(screen);
}

void ReleaseButton(TMouseButton button, TPoint screen) {
    InputState& s = State();
    if (s.cursor.x != screen.x || s.cursor.y != screen.y)
        MoveMouse(screen);
    s.keys[static_cast<std::size_t>(ButtonKey(button))] = false;
    const UINT up = DownMessage(button) + 1;
    Target t = FindTarget(screen, up);
    SendMouse(t, up, button == mbLeft ? win::WM_NCLBUTTONUP : 0u, screen);
    UpdateMouseControl(screen);
}

void Click(TPoint screen, TMouseButton button) {
    PressButton(button, screen);
    ReleaseButton(button, screen);
}

void DoubleClick(TPoint screen) {
    Click(screen);
    Click(screen);
}

void Wheel(int delta, TPoint screen) {
    if (State().cursor.x != screen.x || State().cursor.y != screen.y)
        MoveMouse(screen);
    // The wheel goes to the focused window, as the keyboard does.
    HWND w = KeyTarget();
    if (w == nullptr)
        return;
    SendMessage(w, win::WM_MOUSEWHEEL, MakeWParam(static_cast<int>(MouseKeys()), delta),
                PointToLParam(screen));
}

TPoint CentreOf(const TControl& control) {
    return control.ClientToScreen(TPoint{control.Width() / 2, control.Height() / 2});
}

void KeyDown(std::uint16_t key) {
    InputState& s = State();
    s.keys[key & 0xFF] = true;
    HWND target = KeyTarget();
    const bool alt = s.keys[win::VK_MENU] && key != win::VK_MENU;
    // A key taken before dispatch (a dialog key) is never translated into a character.
    if (!DeliverKeyMessage(target, alt ? win::WM_SYSKEYDOWN : win::WM_KEYDOWN, key, KeyData(false)) && !alt)
        return;
    char32_t ch = CharOfKey(key, s.keys[win::VK_SHIFT]);
    if (ch == 0 || s.keys[win::VK_CONTROL])
        return;
    target = KeyTarget();
    DeliverKeyMessage(target, alt ? win::WM_SYSCHAR : win::WM_CHAR, ch, KeyData(false));
}

void KeyUp(std::uint16_t key) {
    InputState& s = State();
    const bool alt = s.keys[win::VK_MENU] && key != win::VK_MENU;
    s.keys[key & 0xFF] = false;
    DeliverKeyMessage(KeyTarget(), alt ? win::WM_SYSKEYUP : win::WM_KEYUP, key, KeyData(true));
}

void PressKey(std::uint16_t key, TShiftState shift) {
    if (shift.Contains(ssCtrl))
        KeyDown(win::VK_CONTROL);
    if (shift.Contains(ssShift))
        KeyDown(win::VK_SHIFT);
    if (shift.Contains(ssAlt))
        KeyDown(win::VK_MENU);
    KeyDown(key);
    KeyUp(key);
    if (shift.Contains(ssAlt))
        KeyUp(win::VK_MENU);
    if (shift.Contains(ssShift))
        KeyUp(win::VK_SHIFT);
    if (shift.Contains(ssCtrl))
        KeyUp(win::VK_CONTROL);
}

void TypeText(const std::string& utf8) {
    for (char32_t cp : rtl::Utf8ToCodePoints(utf8)) {
        if (cp >= 'a' && cp <= 'z') {
            PressKey(static_cast<std::uint16_t>(win::VK_A + (cp - 'a')));
        } else if (cp >= 'A' && cp <= 'Z') {
            PressKey(static_cast<std::uint16_t>(win::VK_A + (cp - 'A')), {ssShift});
        } else if (cp >= '0' && cp <= '9') {
            PressKey(static_cast<std::uint16_t>(win::VK_0 + (cp - '0')));
        } else if (cp == ' ') {
            PressKey(win::VK_SPACE);
        } else if (cp == '\r' || cp == '\n') {
            PressKey(win::VK_RETURN);
        } else if (cp == '\t') {
            PressKey(win::VK_TAB);
        } else {
            // Characters without a key of their own arrive as composed characters do.
            DeliverKeyMessage(KeyTarget(), win::WM_CHAR, cp, 1);
        }
    }
}

void Reset() {
    InputState& s = State();
    s = InputState{};
    ReleaseCapture();
}

TControl* MouseControl() {
    return State().mouseControl;
}

void ForgetControl(const TControl* control) {
    InputState& s = State();
    if (s.mouseControl == control)
        s.mouseControl = nullptr;
}

} // namespace input

short GetKeyState(int key) {
    if (key < 0 || key > 255)
        return 0;
    return State().keys[static_cast<std::size_t>(key)] ? static_cast<short>(0x8000) : 0;
}

TShiftState GetShiftState() {
    TShiftState s;
    if (GetKeyState(win::VK_SHIFT) < 0)
        s.Include(ssShift);
    if (GetKeyState(win::VK_CONTROL) < 0)
        s.Include(ssCtrl);
    if (GetKeyState(win::VK_MENU) < 0)
        s.Include(ssAlt);
    return s;
}

bool GetCursorPos(TPoint* point) {
    if (point == nullptr)
        return false;
    *point = State().cursor;
    return true;
}

bool SetCursorPos(int x, int y) {
    input::MoveMouse(TPoint{x, y});
    return true;
}

} // namespace framework
