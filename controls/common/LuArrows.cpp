#include "controls/common/LuArrows.h"

#include "controls/common/LuColorMath.h"

#include <string>
#include <vector>

namespace lu {

using framework::TCanvas;
using framework::TPoint;
using framework::TRect;

gdi::TColor ThemedArrowColor() {
    framework::TBitmap sample;
    sample.SetSize(17, 21);
    gdi::GetThemeServices().DrawElement(
        sample.Canvas()->Handle(),
        gdi::ThemedElementDetails{"COMBOBOX", gdi::CP_DROPDOWNBUTTON, gdi::CBXS_NORMAL},
        gdi::RECT{0, 0, 16, 20});
    gdi::TColor c = sample.Canvas()->Pixels(8, 10);
    if (ColorsAreClose(c, gdi::clWindow))
        return gdi::cl3DDkShadow;
    return c;
}

namespace {

struct ArrowState {
    TCanvas* canvas;
    gdi::TColor oldBrush;
    int cx;
    int cy;
};

// Colour, clear pen and the centre with its even-height correction.
ArrowState BeginArrow(TCanvas* canvas, const TRect& r, bool themed, bool enabled, const char* routine) {
    if (canvas == nullptr)
        throw framework::EInvalidOperation(std::string(routine) + " needs a canvas");
    ArrowState s{canvas, canvas->Brush()->Color(), 0, 0};
    gdi::TColor color = !enabled ? gdi::clBtnShadow : themed ? ThemedArrowColor() : gdi::TColor(0);
    canvas->Brush()->SetColor(color);
    canvas->Pen()->SetStyle(framework::psClear);
    s.cx = r.left + r.Width() / 2;
    s.cy = r.top + r.Height() / 2;
    if (r.Height() % 2 == 0)
        s.cy -= 1;
    return s;
}

void EndArrow(const ArrowState& s) {
    s.canvas->Pen()->SetStyle(framework::psSolid);
    s.canvas->Brush()->SetColor(s.oldBrush);
}

} // namespace

void PaintDropDownArrow(TCanvas* canvas, const TRect& r, bool themed, bool pressed, bool enabled) {
    ArrowState s = BeginArrow(canvas, r, themed, enabled, "PaintDropDownArrow");
    int cx = s.cx;
    int cy = s.cy + (themed ? 4 : 2);
    if (pressed) {
        ++cx;
        ++cy;
    }
    if (themed)
        canvas->Polygon(
            {{cx, cy}, {cx - 4, cy - 5}, {cx - 3, cy - 7}, {cx, cy - 3}, {cx + 3, cy - 7}, {cx + 5, cy - 5}});
    else
        canvas->Polygon({{cx, cy}, {cx - 3, cy - 4}, {cx + 4, cy - 4}});
    EndArrow(s);
}

void PaintDirectionArrow(TCanvas* canvas, const TRect& r, bool themed, int direction, bool pressed,
                         bool enabled) {
    ArrowState s = BeginArrow(canvas, r, themed, enabled, "PaintDirectionArrow");
    int cx = s.cx;
    int cy = s.cy;
    switch (direction) {
    case adUp:
        cy += themed ? 4 : 2;
        break;
    case adDown:
        cy += 2;
        break;
    case adLeft:
        cx += themed ? -1 : -2;
        break;
    case adRight:
        cx += themed ? -3 : -2;
        break;
    default:
        EndArrow(s);
        return;
    }
    if (enabled && pressed) {
        ++cx;
        ++cy;
    }
    std::vector<TPoint> points;
    if (themed) {
        switch (direction) {
        case adUp:
            points = {{cx, cy - 5}, {cx + 4, cy}, {cx + 1, cy}, {cx, cy - 2}, {cx - 1, cy}, {cx - 4, cy}};
            break;
        case adDown:
            points = {{cx, cy},     {cx - 3, cy - 4}, {cx, cy - 4},
                      {cx, cy - 3}, {cx + 1, cy - 4}, {cx + 4, cy - 4}};
            break;
        case adLeft:
            points = {{cx, cy},     {cx + 4, cy - 4}, {cx + 4, cy - 1},
                      {cx + 3, cy}, {cx + 4, cy + 1}, {cx + 4, cy + 4}};
            break;
        default:
            points = {{cx + 4, cy}, {cx, cy + 4}, {cx, cy + 1}, {cx + 1, cy}, {cx, cy - 1}, {cx, cy - 4}};
            break;
        }
    } else {
        switch (direction) {
        case adUp:
            points = {{cx, cy - 5}, {cx + 4, cy}, {cx - 4, cy}};
            break;
        case adDown:
            points = {{cx, cy + 1}, {cx - 3, cy - 3}, {cx + 4, cy - 3}};
            break;
        case adLeft:
            points = {{cx, cy}, {cx + 4, cy - 4}, {cx + 4, cy + 4}};
            break;
        default:
            points = {{cx + 4, cy}, {cx, cy + 4}, {cx, cy - 4}};
            break;
        }
    }
    canvas->Polygon(points);
    EndArrow(s);
}

} // namespace lu
