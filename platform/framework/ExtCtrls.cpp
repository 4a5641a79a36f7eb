#include "platform/framework/ExtCtrls.h"

#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"

namespace framework {

const TEnumInfo BevelCutInfo{"TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}};
const TEnumInfo BevelShapeInfo{
    "TBevelShape",
    {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"}};
const TEnumInfo BevelStyleInfo{"TBevelStyle", {"bsLowered", "bsRaised"}};

void Frame3D(TCanvas* canvas, TRect& r, TColor topColor, TColor bottomColor, int width) {
    canvas->Pen()->SetWidth(1);
    --r.bottom;
    --r.right;
    for (int i = 0; i < width; ++i) {
        canvas->Pen()->SetColor(topColor);
        canvas->Polyline({TPoint{r.left, r.bottom}, TPoint{r.left, r.top}, TPoint{r.right, r.top}});
        canvas->Pen()->SetColor(bottomColor);
        canvas->Polyline({TPoint{r.right, r.top}, TPoint{r.right, r.bottom}, TPoint{r.left - 1, r.bottom}});
        gdi::InflateRect(&r, -1, -1);
    }
    ++r.bottom;
    ++r.right;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                  csDoubleClicks, csReplicatable, csParentBackground});
    SetInitialColor(gdi::clBtnFace);
    SetInitialSize(185, 41);
}

void TCustomPanel::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    ApplyBorderStyle(p, m_borderStyle, Ctl3D());
    // A panel repaints what its size change uncovers, not all of itself.
    p.WindowClassStyle &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
    if (value == m_bevelOuter)
        return;
    m_bevelOuter = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    if (value == m_bevelInner)
        return;
    m_bevelInner = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int value) {
    if (value == m_bevelWidth)
        return;
    m_bevelWidth = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    RecreateWnd();
    Realign();
}

void TCustomPanel::SetAlignment(TAlignment value) {
    if (value == m_alignment)
        return;
    m_alignment = value;
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    int bevel = (m_bevelOuter != bvNone ? m_bevelWidth : 0) + (m_bevelInner != bvNone ? m_bevelWidth : 0);
    gdi::InflateRect(&rect, -bevel, -bevel);
}

void TCustomPanel::WndProc(TMessage& m) {
    if (m.Msg == win::WM_WINDOWPOSCHANGED && m_fullRepaint)
        Invalidate();
    TCustomControl::WndProc(m);
}

void TCustomPanel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    const TColor hi = gdi::clBtnHighlight;
    const TColor sh = gdi::clBtnShadow;
    if (m_bevelOuter != bvNone)
        Frame3D(c, r, m_bevelOuter == bvLowered ? sh : hi, m_bevelOuter == bvLowered ? hi : sh, m_bevelWidth);
    Frame3D(c, r, Color(), Color(), BorderWidth());
    if (m_bevelInner != bvNone)
        Frame3D(c, r, m_bevelInner == bvLowered ? sh : hi, m_bevelInner == bvLowered ? hi : sh, m_bevelWidth);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    if (Caption().empty())
        return;
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    gdi::HDC dc = c->Handle();
    gdi::HGDIOBJ old = gdi::SelectObject(dc, c->Font()->Handle());
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    gdi::SetTextColor(dc, gdi::ColorToRGB(Font()->Color()));
    const unsigned align = m_alignment == taLeftJustify    ? gdi::DT_LEFT
                           : m_alignment == taRightJustify ? gdi::DT_RIGHT
                                                           : gdi::DT_CENTER;
    gdi::DrawText(dc, Caption(), &r, align | gdi::DT_VCENTER | gdi::DT_SINGLELINE | gdi::DT_EXPANDTABS);
    gdi::SelectObject(dc, old);
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    SetInitialSize(50, 50);
}

void TBevel::SetShape(TBevelShape value) {
    if (value == m_shape)
        return;
    m_shape = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
    if (value == m_style)
        return;
    m_style = value;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas* c = Canvas();
    const TColor c1 = m_style == bsLowered ? gdi::clBtnShadow : gdi::clBtnHighlight;
    const TColor c2 = m_style == bsLowered ? gdi::clBtnHighlight : gdi::clBtnShadow;
    TRect r = ClientRect();
    const int w = Width(), h = Height();
    auto line = [&](TColor color, int x0, int y0, int x1, int y1) {
        c->Pen()->SetColor(color);
        c->MoveTo(x0, y0);
        c->LineTo(x1, y1);
    };
    switch (m_shape) {
    case bsBox:
        Frame3D(c, r, c1, c2, 1);
        break;
    case bsFrame: {
        TRect outer{0, 0, w - 1, h - 1};
        Frame3D(c, outer, c1, c1, 1);
        TRect inner{1, 1, w, h};
        Frame3D(c, inner, c2, c2, 1);
        break;
    }
    case bsTopLine:
        line(c1, 0, 0, w, 0);
        line(c2, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(c1, 0, h - 2, w, h - 2);
        line(c2, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(c1, 0, 0, 0, h);
        line(c2, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(c1, w - 2, 0, w - 2, h);
        line(c2, w - 1, 0, w - 1, h);
        break;
    case bsSpacer:
        break;
    }
}

namespace {

[[maybe_unused]] const auto registerCustomPanel =
    RegisterClass<TCustomPanel, TCustomControl>("TCustomPanel")
        .Enum("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, BevelCutInfo,
              std::optional<TBevelCut>(bvRaised))
        .Enum("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, BevelCutInfo,
              std::optional<TBevelCut>(bvNone))
        .Integer("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1)
        .Enum("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle, BorderStyleInfo,
              std::optional<TBorderStyle>(bsNone))
        .Enum("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment, AlignmentInfo,
              std::optional<TAlignment>(taCenter))
        .Boolean("FullRepaint", &TCustomPanel::FullRepaint, &TCustomPanel::SetFullRepaint, true)
        .Boolean("Locked", &TCustomPanel::Locked, &TCustomPanel::SetLocked, false);
[[maybe_unused]] const auto registerPanel = RegisterClass<TPanel, TCustomPanel>("TPanel");
[[maybe_unused]] const auto registerBevel =
    RegisterClass<TBevel, TGraphicControl>("TBevel")
        .Enum("Shape", &TBevel::Shape, &TBevel::SetShape, BevelShapeInfo, std::optional<TBevelShape>(bsBox))
        .Enum("Style", &TBevel::Style, &TBevel::SetStyle, BevelStyleInfo,
              std::optional<TBevelStyle>(bsLowered));

} // namespace

} // namespace framework
