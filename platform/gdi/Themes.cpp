#include "platform/gdi/Themes.h"

#include "platform/gdi/Paint.h"
#include "platform/gdi/Text.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>

namespace gdi {

namespace {

void Fill(HDC dc, const RECT& r, COLORREF color) {
    if (IsRectEmpty(&r) || !dc->Target())
        return;
    paint::BrushSource b;
    b.color = dc->Target()->ToDevice(color);
    POINT o = dc->DeviceOffset();
    paint::FillDevice(dc, RECT{r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y}, b);
}

// A one-pixel frame with its four corner pixels left out, as rounded elements have.
void RoundFrame(HDC dc, const RECT& r, COLORREF color) {
    Fill(dc, RECT{r.left + 1, r.top, r.right - 1, r.top + 1}, color);
    Fill(dc, RECT{r.left + 1, r.bottom - 1, r.right - 1, r.bottom}, color);
    Fill(dc, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, color);
    Fill(dc, RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, color);
}

RECT Inset(RECT r, int d) {
    InflateRect(&r, -d, -d);
    return r;
}

// direction 0 up, 1 down, 2 left, 3 right
void Triangle(HDC dc, const RECT& r, int direction, COLORREF color) {
    int side = std::min(r.right - r.left, r.bottom - r.top);
    int half = std::max(1, side / 5);
    int cx = r.left + (r.right - r.left) / 2, cy = r.top + (r.bottom - r.top) / 2;
    for (int k = 0; k <= half; ++k) {
        int spread = half - k;
        int along = -(half + 1) / 2 + k;
        switch (direction) {
        case 0:
            Fill(dc, RECT{cx - spread, cy - along, cx + spread + 1, cy - along + 1}, color);
            break;
        case 1:
            Fill(dc, RECT{cx - spread, cy + along, cx + spread + 1, cy + along + 1}, color);
            break;
        case 2:
            Fill(dc, RECT{cx - along, cy - spread, cx - along + 1, cy + spread + 1}, color);
            break;
        default:
            Fill(dc, RECT{cx + along, cy - spread, cx + along + 1, cy + spread + 1}, color);
            break;
        }
    }
}

// A downward chevron of two-pixel strokes whose point is the centre pixel: the arrow painters
// sample the centre of a drop button for their ink.
void Chevron(HDC dc, const RECT& r, COLORREF color) {
    int cx = r.left + (r.right - r.left) / 2, cy = r.top + (r.bottom - r.top) / 2;
    for (int i = 0; i < 4; ++i) {
        Fill(dc, RECT{cx - 4 + i, cy - 3 + i, cx - 2 + i, cy - 2 + i}, color);
        Fill(dc, RECT{cx + 3 - i, cy - 3 + i, cx + 5 - i, cy - 2 + i}, color);
    }
}

void CheckTick(HDC dc, const RECT& box, COLORREF color) {
    static const int tops[7] = {2, 3, 4, 3, 2, 1, 0};
    int x0 = box.left + (box.right - box.left - 7) / 2;
    int y0 = box.top + (box.bottom - box.top - 7) / 2;
    for (int k = 0; k < 7; ++k)
        Fill(dc, RECT{x0 + k, y0 + tops[k], x0 + k + 1, y0 + tops[k] + 3}, color);
}

void CheckState(int state) {
    if (state < 1)
        throw rtl::Exception("Unknown theme state " + std::to_string(state));
}

void PushButton(HDC dc, const RECT& r, int state) {
    if (state < PBS_NORMAL || state > PBS_DEFAULTED)
        throw rtl::Exception("Unknown push button state " + std::to_string(state));
    static const COLORREF faces[] = {RGB(236, 235, 230), RGB(246, 245, 240), RGB(222, 220, 211),
                                     RGB(245, 244, 234), RGB(236, 235, 230)};
    COLORREF border = state == PBS_DISABLED ? RGB(201, 199, 186) : RGB(0, 60, 116);
    RoundFrame(dc, r, border);
    Fill(dc, Inset(r, 1), faces[state - 1]);
    if (state == PBS_HOT)
        RoundFrame(dc, Inset(r, 1), RGB(248, 179, 48));
    if (state == PBS_DEFAULTED)
        RoundFrame(dc, Inset(r, 1), RGB(137, 173, 228));
}

void CheckBox(HDC dc, const RECT& r, int state) {
    if (state < CBS_UNCHECKEDNORMAL || state > CBS_MIXEDDISABLED)
        throw rtl::Exception("Unknown check box state " + std::to_string(state));
    int look = (state - 1) % 4; // normal, hot, pressed, disabled
    int mark = (state - 1) / 4; // unchecked, checked, mixed
    int side = std::min({13, r.right - r.left, r.bottom - r.top});
    RECT box{r.left, r.top + (r.bottom - r.top - side) / 2, r.left + side, 0};
    box.bottom = box.top + side;
    static const COLORREF faces[] = {RGB(255, 255, 255), RGB(255, 240, 207), RGB(176, 176, 167),
                                     RGB(255, 255, 255)};
    Fill(dc, box, look == 3 ? RGB(202, 200, 187) : RGB(28, 81, 128));
    Fill(dc, Inset(box, 1), faces[look]);
    COLORREF ink = look == 3 ? RGB(202, 200, 187) : RGB(33, 161, 33);
    if (mark == 1)
        CheckTick(dc, Inset(box, 1), ink);
    else if (mark == 2)
        Fill(dc, Inset(box, 3), ink);
}

void GroupBox(HDC dc, const RECT& r, int state) {
    if (state != GBS_NORMAL && state != GBS_DISABLED)
        throw rtl::Exception("Unknown group box state " + std::to_string(state));
    RoundFrame(dc, r, state == GBS_DISABLED ? RGB(201, 199, 186) : RGB(208, 208, 191));
}

void DropButton(HDC dc, const RECT& r, int state) {
    if (state < CBXS_NORMAL || state > CBXS_DISABLED)
        throw rtl::Exception("Unknown combo button state " + std::to_string(state));
    static const COLORREF faces[] = {RGB(193, 211, 251), RGB(210, 222, 252), RGB(135, 158, 227),
                                     RGB(244, 243, 238)};
    Fill(dc, r, faces[state - 1]);
    RoundFrame(dc, r, state == CBXS_DISABLED ? RGB(232, 232, 223) : RGB(172, 194, 246));
    Chevron(dc, r, state == CBXS_DISABLED ? RGB(201, 199, 186) : RGB(77, 97, 133));
}

void SpinArrow(HDC dc, const RECT& r, int part, int state) {
    if (part < SPNP_UP || part > SPNP_DOWNHORZ)
        throw rtl::Exception("Unknown spin part " + std::to_string(part));
    if (state < UPS_NORMAL || state > UPS_DISABLED)
        throw rtl::Exception("Unknown spin state " + std::to_string(state));
    static const COLORREF faces[] = {RGB(193, 211, 251), RGB(210, 222, 252), RGB(135, 158, 227),
                                     RGB(244, 243, 238)};
    Fill(dc, r, faces[state - 1]);
    RoundFrame(dc, r, state == UPS_DISABLED ? RGB(232, 232, 223) : RGB(172, 194, 246));
    static const int directions[] = {0, 1, 3, 2}; // up, down, right (up horizontal), left (down horizontal)
    Triangle(dc, r, directions[part - 1], state == UPS_DISABLED ? RGB(201, 199, 186) : RGB(77, 97, 133));
}

void SmallClose(HDC dc, const RECT& r, int state) {
    if (state < CBS_NORMAL || state > CBS_DISABLED)
        throw rtl::Exception("Unknown close button state " + std::to_string(state));
    static const COLORREF faces[] = {RGB(224, 99, 67), RGB(240, 130, 100), RGB(190, 70, 40),
                                     RGB(200, 200, 200)};
    Fill(dc, Inset(r, 1), faces[state - 1]);
    RoundFrame(dc, r, RGB(255, 255, 255));
    RECT face = Inset(r, 3);
    int n = std::min(face.right - face.left, face.bottom - face.top);
    int x0 = face.left + (face.right - face.left - n) / 2, y0 = face.top + (face.bottom - face.top - n) / 2;
    for (int i = 0; i < n; ++i) {
        Fill(dc, RECT{x0 + i, y0 + i, x0 + i + 1, y0 + i + 1}, RGB(255, 255, 255));
        Fill(dc, RECT{x0 + n - 1 - i, y0 + i, x0 + n - i, y0 + i + 1}, RGB(255, 255, 255));
    }
}

void EditFrame(HDC dc, const RECT& r, int state) {
    if (state < ETS_NORMAL || state > ETS_READONLY)
        throw rtl::Exception("Unknown edit state " + std::to_string(state));
    Fill(dc, r, state == ETS_DISABLED || state == ETS_READONLY ? RGB(235, 235, 228) : RGB(255, 255, 255));
    Fill(dc, RECT{r.left, r.top, r.right, r.top + 1}, RGB(127, 157, 185));
    Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, RGB(127, 157, 185));
    Fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, RGB(127, 157, 185));
    Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, RGB(127, 157, 185));
}

} // namespace

void ThemeServices::DrawElement(HDC dc, const ThemedElementDetails& d, const RECT& r, const RECT* clip) {
    if (!dc)
        return;
    m_calls.push_back(ThemeCall{"DrawElement", d, r, {}});
    CheckState(d.state);
    int saved = SaveDC(dc);
    if (clip)
        IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
    try {
        if (d.className == "BUTTON" && d.part == BP_PUSHBUTTON)
            PushButton(dc, r, d.state);
        else if (d.className == "BUTTON" && d.part == BP_CHECKBOX)
            CheckBox(dc, r, d.state);
        else if (d.className == "BUTTON" && d.part == BP_GROUPBOX)
            GroupBox(dc, r, d.state);
        else if (d.className == "COMBOBOX" && d.part == CP_DROPDOWNBUTTON)
            DropButton(dc, r, d.state);
        else if (d.className == "SPIN")
            SpinArrow(dc, r, d.part, d.state);
        else if (d.className == "WINDOW" && d.part == WP_SMALLCLOSEBUTTON)
            SmallClose(dc, r, d.state);
        else if (d.className == "EDIT" && d.part == EP_EDITTEXT)
            EditFrame(dc, r, d.state);
        else
            throw rtl::Exception("No themed rendering for " + d.className + " part " +
                                 std::to_string(d.part));
    } catch (...) {
        RestoreDC(dc, saved);
        throw;
    }
    RestoreDC(dc, saved);
}

void ThemeServices::DrawText(HDC dc, const ThemedElementDetails& d, std::string_view text, RECT r,
                             unsigned format) {
    if (!dc)
        return;
    m_calls.push_back(ThemeCall{"DrawText", d, r, std::string(text)});
    bool disabled = (d.className == "BUTTON" && ((d.part == BP_GROUPBOX && d.state == GBS_DISABLED) ||
                                                 (d.part == BP_PUSHBUTTON && d.state == PBS_DISABLED) ||
                                                 (d.part == BP_CHECKBOX && (d.state - 1) % 4 == 3)));
    COLORREF color = disabled                                           ? GetSysColor(COLOR_GRAYTEXT)
                     : d.className == "BUTTON" && d.part == BP_GROUPBOX ? RGB(0, 70, 213)
                                                                        : GetSysColor(COLOR_BTNTEXT);
    COLORREF oldColor = SetTextColor(dc, color);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    gdi::DrawText(dc, text, &r, format);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColor);
}

bool ThemeServices::HasTransparentParts(const ThemedElementDetails& d) const {
    // Every rendering but the edit frame leaves its corners or surroundings unpainted.
    return !(d.className == "EDIT");
}

void ThemeServices::DrawParentBackground(void* window, HDC dc, const ThemedElementDetails* details,
                                         bool onlyIfTransparent, const RECT* r) {
    if (onlyIfTransparent && details && !HasTransparentParts(*details))
        return;
    m_calls.push_back(
        ThemeCall{"DrawParentBackground", details ? *details : ThemedElementDetails{}, r ? *r : RECT{}, {}});
    if (!m_parentPainter)
        throw rtl::Exception(
            "DrawParentBackground needs the framework's window painter, which is not installed");
    m_parentPainter(window, dc, r);
}

ThemeServices& GetThemeServices() {
    static ThemeServices services;
    return services;
}

} // namespace gdi
