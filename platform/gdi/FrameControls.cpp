#include "platform/gdi/FrameControls.h"

#include "platform/gdi/Paint.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>

namespace gdi {

namespace {

void Fill(HDC dc, const RECT& logical, COLORREF color) {
    if (IsRectEmpty(&logical) || !dc->Target())
        return;
    paint::BrushSource b;
    b.color = dc->Target()->ToDevice(color);
    POINT o = dc->DeviceOffset();
    paint::FillDevice(
        dc, RECT{logical.left + o.x, logical.top + o.y, logical.right + o.x, logical.bottom + o.y}, b);
}

// One ring; returns the rect inside it on the chosen sides.
RECT Ring(HDC dc, RECT r, COLORREF upperLeft, COLORREF lowerRight, unsigned sides) {
    if (sides & BF_LEFT)
        Fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, upperLeft);
    if (sides & BF_TOP)
        Fill(dc, RECT{r.left, r.top, r.right, r.top + 1}, upperLeft);
    if (sides & BF_RIGHT)
        Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, lowerRight);
    if (sides & BF_BOTTOM)
        Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, lowerRight);
    if (sides & BF_LEFT)
        ++r.left;
    if (sides & BF_TOP)
        ++r.top;
    if (sides & BF_RIGHT)
        --r.right;
    if (sides & BF_BOTTOM)
        --r.bottom;
    return r;
}

COLORREF Sys(int index) {
    return GetSysColor(index);
}

} // namespace

bool DrawEdge(HDC dc, RECT* r, unsigned edge, unsigned flags) {
    if (!dc || !r)
        return false;
    if (flags & BF_DIAGONAL)
        throw rtl::Exception("DrawEdge: diagonal edges are not supported by this device");
    unsigned sides = flags & BF_RECT;
    RECT inside = *r;
    unsigned outer = edge & BDR_OUTER;
    unsigned inner = edge & BDR_INNER;
    if (flags & (BF_MONO | BF_FLAT)) {
        COLORREF outerColor = (flags & BF_MONO) ? Sys(COLOR_WINDOWFRAME) : Sys(COLOR_BTNSHADOW);
        COLORREF innerColor = (flags & BF_MONO) ? Sys(COLOR_WINDOW) : Sys(COLOR_BTNFACE);
        if (outer)
            inside = Ring(dc, inside, outerColor, outerColor, sides);
        if (inner)
            inside = Ring(dc, inside, innerColor, innerColor, sides);
    } else {
        bool soft = flags & BF_SOFT;
        if (outer == BDR_RAISEDOUTER)
            inside = Ring(dc, inside, Sys(soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT), Sys(COLOR_3DDKSHADOW),
                          sides);
        else if (outer == BDR_SUNKENOUTER)
            inside = Ring(dc, inside, Sys(soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT),
                          sides);
        if (inner == BDR_RAISEDINNER)
            inside =
                Ring(dc, inside, Sys(soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW), sides);
        else if (inner == BDR_SUNKENINNER)
            inside =
                Ring(dc, inside, Sys(soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW), Sys(COLOR_3DLIGHT), sides);
    }
    if (flags & BF_MIDDLE)
        Fill(dc, inside, Sys((flags & (BF_MONO | BF_FLAT)) ? COLOR_WINDOW : COLOR_BTNFACE));
    if (flags & BF_ADJUST)
        *r = inside;
    return true;
}

namespace {

// The tick of a checked box: seven columns, three pixels tall each.
void DrawCheckMark(HDC dc, const RECT& interior, COLORREF color) {
    static const int tops[7] = {2, 3, 4, 3, 2, 1, 0};
    int x0 = interior.left + (interior.right - interior.left - 7) / 2;
    int y0 = interior.top + (interior.bottom - interior.top - 7) / 2;
    for (int k = 0; k < 7; ++k)
        Fill(dc, RECT{x0 + k, y0 + tops[k], x0 + k + 1, y0 + tops[k] + 3}, color);
}

void DrawCheckBox(HDC dc, const RECT& r, unsigned state) {
    int side = std::min(r.right - r.left, r.bottom - r.top);
    if (side <= 0)
        return;
    RECT box{r.left, r.top + (r.bottom - r.top - side) / 2, r.left + side, 0};
    box.bottom = box.top + side;
    RECT interior = box;
    if (state & (DFCS_FLAT | DFCS_MONO))
        interior = Ring(dc, box, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW), BF_RECT);
    else
        DrawEdge(dc, &interior, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    bool grayed = (state & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED);
    if (!(state & DFCS_TRANSPARENT))
        Fill(dc, interior,
             Sys((state & (DFCS_PUSHED | DFCS_INACTIVE)) || grayed ? COLOR_BTNFACE : COLOR_WINDOW));
    if (state & DFCS_CHECKED)
        DrawCheckMark(dc, interior,
                      Sys(grayed || (state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT));
}

// The frame of a small button; returns the face and the glyph offset.
RECT ButtonFrame(HDC dc, const RECT& r, unsigned state, int& offset) {
    RECT face = r;
    offset = 0;
    if (state & (DFCS_FLAT | DFCS_PUSHED)) {
        face = Ring(dc, r, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW), BF_RECT);
        if (state & DFCS_PUSHED)
            offset = 1;
    } else {
        DrawEdge(dc, &face, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
    if (!(state & DFCS_TRANSPARENT))
        Fill(dc, face, Sys(COLOR_BTNFACE));
    return face;
}

// Draws the glyph in the text colour, or embossed when inactive.
template <class F> void Glyph(unsigned state, F&& draw) {
    if (state & DFCS_INACTIVE) {
        draw(1, Sys(COLOR_BTNHIGHLIGHT));
        draw(0, Sys(COLOR_BTNSHADOW));
    } else {
        draw(0, Sys(COLOR_BTNTEXT));
    }
}

void DrawArrow(HDC dc, const RECT& r, unsigned direction, unsigned state) {
    int offset = 0;
    ButtonFrame(dc, r, state, offset);
    int side = std::min(r.right - r.left, r.bottom - r.top);
    int half = std::max(1, side / 5);
    int cx = r.left + (r.right - r.left) / 2 + offset;
    int cy = r.top + (r.bottom - r.top) / 2 + offset;
    Glyph(state, [&](int shift, COLORREF color) {
        for (int k = 0; k <= half; ++k) {
            int spread = half - k; // widest row first (along the arrow's direction)
            int along = -(half + 1) / 2 + k;
            switch (direction) {
            case DFCS_SCROLLDOWN:
            case DFCS_SCROLLCOMBOBOX:
                Fill(dc,
                     RECT{cx - spread + shift, cy + along + shift, cx + spread + 1 + shift,
                          cy + along + 1 + shift},
                     color);
                break;
            case DFCS_SCROLLUP:
                Fill(dc,
                     RECT{cx - spread + shift, cy - along + shift, cx + spread + 1 + shift,
                          cy - along + 1 + shift},
                     color);
                break;
            case DFCS_SCROLLRIGHT:
                Fill(dc,
                     RECT{cx + along + shift, cy - spread + shift, cx + along + 1 + shift,
                          cy + spread + 1 + shift},
                     color);
                break;
            case DFCS_SCROLLLEFT:
                Fill(dc,
                     RECT{cx - along + shift, cy - spread + shift, cx - along + 1 + shift,
                          cy + spread + 1 + shift},
                     color);
                break;
            }
        }
    });
}

void DrawClose(HDC dc, const RECT& r, unsigned state) {
    int offset = 0;
    RECT face = ButtonFrame(dc, r, state, offset);
    int side = std::min(face.right - face.left, face.bottom - face.top);
    int n = std::max(2, side - 4 - (side - 4) % 2); // the cross spans n x n
    int x0 = face.left + (face.right - face.left - n) / 2 + offset;
    int y0 = face.top + (face.bottom - face.top - n) / 2 + offset;
    Glyph(state, [&](int shift, COLORREF color) {
        for (int i = 0; i < n; ++i) {
            int y = y0 + i + shift;
            Fill(dc, RECT{x0 + i + shift, y, x0 + i + shift + (i + 1 < n ? 2 : 1), y + 1}, color);
            Fill(dc, RECT{x0 + n - 1 - i + shift - (i + 1 < n ? 1 : 0), y, x0 + n - i + shift, y + 1}, color);
        }
    });
}

} // namespace

bool DrawFrameControl(HDC dc, RECT* r, unsigned type, unsigned state) {
    if (!dc || !r)
        return false;
    unsigned kind = state & 0xFF;
    switch (type) {
    case DFC_BUTTON:
        if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK))
            throw rtl::Exception("DrawFrameControl: radio buttons are not supported by this device");
        if (kind & DFCS_BUTTONPUSH) {
            RECT face = *r;
            DrawEdge(dc, &face, (state & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED,
                     BF_RECT | BF_MIDDLE | BF_ADJUST | ((state & DFCS_FLAT) ? unsigned(BF_FLAT) : 0u));
        } else {
            DrawCheckBox(dc, *r, state);
        }
        break;
    case DFC_SCROLL:
        if (kind > DFCS_SCROLLRIGHT && kind != DFCS_SCROLLCOMBOBOX)
            throw rtl::Exception("DrawFrameControl: this scroll part is not supported by this device");
        DrawArrow(dc, *r, kind, state);
        break;
    case DFC_CAPTION:
        if (kind != DFCS_CAPTIONCLOSE)
            throw rtl::Exception(
                "DrawFrameControl: only the close caption button is supported by this device");
        DrawClose(dc, *r, state);
        break;
    default:
        throw rtl::Exception("DrawFrameControl: this control type is not supported by this device");
    }
    if (state & DFCS_ADJUSTRECT)
        InflateRect(r, -2, -2);
    return true;
}

} // namespace gdi
