#include "controls/panel/LuCustomPanel.h"

#include "controls/common/LuBorders.h"
#include "controls/common/LuCanvasText.h"
#include "controls/common/LuColorMath.h"
#include "controls/common/LuGrafx.h"
#include "controls/common/LuOldPropReader.h"
#include "controls/panel/LuPanelDockManager.h"
#include "platform/framework/Input.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>

namespace lu {

using framework::TControl;
using framework::TMessage;

const framework::TEnumInfo GridStyleInfo{"TLuGridStyle", {"gsDots", "gsDottedLines", "gsSolidLines"}};

TLuCustomPanel::TLuCustomPanel(framework::TComponent* owner) : TCustomPanel(owner) {
    // The library paints every border itself; the framework's bevel stays off.
    SetBevelOuter(framework::bvNone);
    SetControlStyle(ControlStyle() -
                    framework::TControlStyle{framework::csSetCaption, framework::csParentBackground} +
                    framework::TControlStyle{framework::csOpaque});
}

TLuCustomPanel::~TLuCustomPanel() {
    if (m_frameController != nullptr)
        m_frameController->UnlinkControl(this);
}

void TLuCustomPanel::Rearrange() {
    Realign();
    Invalidate();
}

void TLuCustomPanel::SetBorderOuter(TFrameStyle value) {
    if (value == m_borderOuter)
        return;
    m_borderOuter = value;
    Rearrange();
}

void TLuCustomPanel::SetBorderInner(TFrameStyle value) {
    if (value == m_borderInner)
        return;
    m_borderInner = value;
    Rearrange();
}

void TLuCustomPanel::SetBorderSides(TSides value) {
    if (value == m_borderSides)
        return;
    m_borderSides = value;
    Rearrange();
}

void TLuCustomPanel::SetBevelWidth(int value) {
    if (value >= 0)
        TCustomPanel::SetBevelWidth(value);
}

void TLuCustomPanel::SetBorderColor(TColor value) {
    if (StoreIfChanged(m_borderColor, value))
        Invalidate();
}

void TLuCustomPanel::SetBorderHighlight(TColor value) {
    if (StoreIfChanged(m_borderHighlight, value))
        Invalidate();
}

void TLuCustomPanel::SetBorderShadow(TColor value) {
    if (StoreIfChanged(m_borderShadow, value))
        Invalidate();
}

void TLuCustomPanel::SetFlatColor(TColor value) {
    if (StoreIfChanged(m_flatColor, value))
        Invalidate();
}

void TLuCustomPanel::SetFlatColorAdjustment(int value) {
    // Refused here rather than on every paint.
    if (value < -255 || value > 255)
        throw rtl::ERangeError("FlatColorAdjustment " + std::to_string(value) + " is outside -255..255");
    if (StoreIfChanged(m_flatColorAdjustment, value))
        Invalidate();
}

void TLuCustomPanel::SetAlignmentVertical(TAlignmentVertical value) {
    if (StoreIfChanged(m_alignmentVertical, value))
        Invalidate();
}

void TLuCustomPanel::SetShowGrid(bool value) {
    if (StoreIfChanged(m_showGrid, value))
        Invalidate();
}

void TLuCustomPanel::SetGridColor(TColor value) {
    if (StoreIfChanged(m_gridColor, value))
        Invalidate();
}

void TLuCustomPanel::SetGridStyle(TLuGridStyle value) {
    if (StoreIfChanged(m_gridStyle, value))
        Invalidate();
}

void TLuCustomPanel::SetGridXSize(std::uint16_t value) {
    if (StoreIfChanged(m_gridXSize, value))
        Invalidate();
}

void TLuCustomPanel::SetGridYSize(std::uint16_t value) {
    if (StoreIfChanged(m_gridYSize, value))
        Invalidate();
}

void TLuCustomPanel::SetTransparent(bool value) {
    if (!StoreIfChanged(m_transparent, value))
        return;
    if (value)
        SetControlStyle(ControlStyle() - framework::TControlStyle{framework::csOpaque});
    else
        SetControlStyle(ControlStyle() + framework::TControlStyle{framework::csOpaque});
    Invalidate();
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->Invalidate();
}

void TLuCustomPanel::SetThemeAware(bool value) {
    if (StoreIfChanged(m_themeAware, value))
        Invalidate();
}

void TLuCustomPanel::SetShowDockClientCaptions(bool value) {
    if (StoreIfChanged(m_showDockClientCaptions, value))
        Invalidate();
}

void TLuCustomPanel::SetFrameController(TLuFrameController* value) {
    RelinkFrameController(this, m_frameController, value);
}

void TLuCustomPanel::Notification(framework::TComponent* component, framework::TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation == framework::opRemove && component == m_frameController)
        m_frameController = nullptr;
}

void TLuCustomPanel::ApplyFrameController() {
    if (m_frameController == nullptr || !m_frameController->FrameVisible())
        return;
    m_borderOuter = m_frameController->FrameStyle();
    m_borderSides = m_frameController->FrameSides();
    m_flatColor = m_frameController->FrameColor();
    m_flatColorAdjustment = 0;
    SetColor(m_frameController->Color());
    SetParentColor(m_frameController->ParentColor());
    m_borderHighlight = LightenColor(Color(), 100);
    m_borderShadow = DarkenColor(Color(), 50);
    // The border may now take another width, so the children move with it.
    Rearrange();
}

framework::TPoint TLuCustomPanel::GetCursorClientPos() {
    framework::TPoint p{0, 0};
    framework::GetCursorPos(&p);
    return ScreenToClient(p);
}

int TLuCustomPanel::BorderStyleWidth(TFrameStyle style) const {
    switch (style) {
    case fsNone:
        return 0;
    case fsFlat:
        return 1;
    case fsStatus:
    case fsPopup:
        return BevelWidth();
    default:
        return 2;
    }
}

TRect TLuCustomPanel::AdjustRectByBorders(const TRect& rect, bool includeBorderWidth) {
    TRect r = rect;
    if (includeBorderWidth)
        gdi::InflateRect(&r, -BorderWidth(), -BorderWidth());
    r = ShrinkSides(r, m_borderSides, BorderStyleWidth(m_borderOuter));
    return ShrinkSides(r, m_borderSides, BorderStyleWidth(m_borderInner));
}

TRect TLuCustomPanel::GetControlRect() const {
    return TRect{0, 0, Width(), Height()};
}

void TLuCustomPanel::AdjustClientRect(TRect& rect) {
    TCustomPanel::AdjustClientRect(rect);
    // A dock manager lays its clients out in this rect alone.
    if (DockSite())
        rect = AdjustRectByBorders(rect, false);
}

void TLuCustomPanel::AlignControls(TControl* control, TRect& rect) {
    // The client rect leaves BorderWidth to AdjustClientRect; a dock site's already takes the
    // borders off, so they are not taken twice.
    if (!DockSite())
        rect = AdjustRectByBorders(rect, false);
    TCustomPanel::AlignControls(control, rect);
}

void TLuCustomPanel::SetBounds(int left, int top, int width, int height) {
    // A panel docked at the bottom or right grows and shrinks at its inner edge.
    if (Align() == framework::alBottom && height != Height())
        top -= height - Height();
    if (Align() == framework::alRight && width != Width())
        left -= width - Width();
    TCustomPanel::SetBounds(left, top, width, height);
}

TColor TLuCustomPanel::FlatShade() const {
    return AdjustColorLuminance(m_flatColor, m_flatColorAdjustment);
}

TRect TLuCustomPanel::PaintPanelBorder(TCanvas* canvas, const TRect& rect, TFrameStyle style) {
    switch (style) {
    case fsFlat:
    case fsFlatBold: {
        const TColor c = FlatShade();
        return PaintBevel(canvas, rect, c, c, style == fsFlat ? 1 : 2, m_borderSides);
    }
    case fsStatus:
        return PaintBevel(canvas, rect, m_borderShadow, m_borderHighlight, BevelWidth(), m_borderSides);
    case fsPopup:
        return PaintBevel(canvas, rect, m_borderHighlight, m_borderShadow, BevelWidth(), m_borderSides);
    default:
        return PaintBorderSides(canvas, rect, style, m_borderSides);
    }
}

void TLuCustomPanel::PaintOffScreen(const std::function<void(TCanvas*)>& paint) {
    const int w = std::max(1, Width());
    const int h = std::max(1, Height());
    framework::TBitmap bitmap;
    bitmap.SetSize(w, h);
    TCanvas* target = Canvas();
    TCanvas* offScreen = bitmap.Canvas();
    if (m_transparent)
        gdi::BitBlt(offScreen->Handle(), 0, 0, w, h, target->Handle(), 0, 0, gdi::SRCCOPY);
    paint(offScreen);
    gdi::BitBlt(target->Handle(), 0, 0, w, h, offScreen->Handle(), 0, 0, gdi::SRCCOPY);
}

void TLuCustomPanel::PaintPanel(TCanvas* canvas) {
    TRect r = PaintPanelBorder(canvas, GetControlRect(), m_borderOuter);
    if (BorderWidth() > 0)
        r = PaintBevel(canvas, r, m_borderColor, m_borderColor, BorderWidth(), m_borderSides);
    r = PaintPanelBorder(canvas, r, m_borderInner);
    if (!m_transparent) {
        canvas->Brush()->SetStyle(framework::bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(r);
    }
    if (m_showGrid)
        DrawGrid(canvas, r);
    canvas->Brush()->SetStyle(framework::bsClear);
    DrawCaption(canvas, r);
    canvas->Brush()->SetStyle(framework::bsSolid);
}

void TLuCustomPanel::Paint() {
    PaintOffScreen([this](TCanvas* canvas) { PaintPanel(canvas); });
    if (OnPaint)
        OnPaint(this);
}

namespace {

unsigned AlignmentFlags(framework::TAlignment alignment) {
    switch (alignment) {
    case framework::taLeftJustify:
        return gdi::DT_LEFT;
    case framework::taRightJustify:
        return gdi::DT_RIGHT;
    default:
        return gdi::DT_CENTER;
    }
}

} // namespace

void TLuCustomPanel::DrawCaption(TCanvas* canvas, const TRect& rect) {
    const std::string& caption = Caption();
    if (caption.empty())
        return;
    canvas->Font()->Assign(Font());
    TRect r = rect;
    r.left += 1;
    const unsigned flags =
        AlignmentFlags(Alignment()) | gdi::DT_VCENTER | gdi::DT_WORDBREAK | gdi::DT_EXPANDTABS;
    TRect measured = r;
    const int h = DrawCanvasText(canvas, caption, measured, flags | gdi::DT_CALCRECT);
    switch (m_alignmentVertical) {
    case avCenter:
        r.top = (r.top + r.bottom - h) >> 1;
        r.bottom = r.top + h;
        break;
    case avBottom:
        r.top = r.bottom - h - 1;
        break;
    case avTop:
        break;
    }
    canvas->Brush()->SetStyle(framework::bsClear);
    if (!Enabled()) {
        TRect shadow = r;
        gdi::OffsetRect(&shadow, 1, 1);
        canvas->Font()->SetColor(gdi::clBtnHighlight);
        DrawCanvasText(canvas, caption, shadow, flags);
        canvas->Font()->SetColor(gdi::clBtnShadow);
    }
    DrawCanvasText(canvas, caption, r, flags);
}

void TLuCustomPanel::DrawGrid(TCanvas* canvas, const TRect& r) {
    const int dx = m_gridXSize;
    const int dy = m_gridYSize;
    const int columns = dx == 0 ? 0 : r.Width() / dx;
    const int rows = dy == 0 ? 0 : r.Height() / dy;
    canvas->Pen()->SetColor(m_gridColor);
    if (m_gridStyle == gsDots) {
        for (int i = 1; i <= columns; ++i)
            for (int j = 1; j <= rows; ++j)
                canvas->SetPixels(r.left + i * dx - 1, r.top + j * dy - 1, m_gridColor);
        return;
    }
    auto line = [&](int x0, int y0, int x1, int y1) {
        if (m_gridStyle == gsSolidLines) {
            canvas->MoveTo(x0, y0);
            canvas->LineTo(x1, y1);
            return;
        }
        // Every second pixel from the one after the start.
        if (x0 == x1)
            for (int y = y0 + 1; y < y1; y += 2)
                canvas->SetPixels(x0, y, m_gridColor);
        else
            for (int x = x0 + 1; x < x1; x += 2)
                canvas->SetPixels(x, y0, m_gridColor);
    };
    for (int i = 1; i <= columns; ++i)
        line(r.left + i * dx - 1, r.top, r.left + i * dx - 1, r.bottom);
    for (int j = 1; j <= rows; ++j)
        line(r.left, r.top + j * dy - 1, r.right, r.top + j * dy - 1);
}

void TLuCustomPanel::EraseBackground(TMessage& m) {
    if (!m_transparent) {
        TCustomPanel::WndProc(m);
        return;
    }
    PaintParentBackground(this, reinterpret_cast<gdi::HDC>(m.WParam), true);
    m.Result = 1;
}

void TLuCustomPanel::InvalidateResizedEdges(const framework::TWindowPos& pos) {
    if ((pos.flags & win::SWP_NOSIZE) != 0 || !HandleAllocated())
        return;
    if (FullRepaint() || !Caption().empty()) {
        Invalidate();
        return;
    }
    // The right and bottom borders move; the strip from the nearer of their old and new inner
    // edges to the far side of the larger size is repainted, so a panel that shrinks gets its
    // border back too.
    const TRect before = AdjustRectByBorders(TRect{0, 0, Width(), Height()}, true);
    const TRect after = AdjustRectByBorders(TRect{0, 0, pos.cx, pos.cy}, true);
    const int farRight = std::max(Width(), pos.cx);
    const int farBottom = std::max(Height(), pos.cy);
    if (pos.cx != Width()) {
        TRect strip{std::min(before.right, after.right) - 1, 0, farRight, farBottom};
        framework::InvalidateRect(Handle(), &strip, !ControlStyle().Contains(framework::csOpaque));
    }
    if (pos.cy != Height()) {
        TRect strip{0, std::min(before.bottom, after.bottom) - 1, farRight, farBottom};
        framework::InvalidateRect(Handle(), &strip, !ControlStyle().Contains(framework::csOpaque));
    }
}

void TLuCustomPanel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case win::WM_ERASEBKGND:
        EraseBackground(m);
        return;
    case win::WM_WINDOWPOSCHANGED:
        if (const auto* pos = reinterpret_cast<const framework::TWindowPos*>(m.LParam))
            InvalidateResizedEdges(*pos);
        // The framework panel's own full repaint is already decided above.
        framework::TCustomControl::WndProc(m);
        return;
    case win::CM_MOUSEENTER:
        if (!ComponentState().Contains(framework::csDesigning) && OnMouseEnter)
            OnMouseEnter(this);
        break;
    case win::CM_MOUSELEAVE:
        if (OnMouseLeave)
            OnMouseLeave(this);
        break;
    case win::CM_CONTROLCHANGE:
        if (m.LParam == 0) {
            auto* child = reinterpret_cast<TControl*>(m.WParam);
            std::erase_if(m_childStates, [child](const ChildState& s) { return s.child == child; });
        }
        break;
    default:
        break;
    }
    TCustomPanel::WndProc(m);
}

void TLuCustomPanel::CMEnabledChanged(TMessage& m) {
    Invalidate();
    if (!Enabled()) {
        m_childStates.clear();
        for (int i = 0; i < ControlCount(); ++i)
            m_childStates.push_back(ChildState{Controls(i), Controls(i)->Enabled()});
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->SetEnabled(false);
    } else {
        // Children added while the panel was disabled have no record and are enabled too.
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* child = Controls(i);
            auto it = std::find_if(m_childStates.begin(), m_childStates.end(),
                                   [child](const ChildState& s) { return s.child == child; });
            if (it == m_childStates.end() || it->enabled)
                child->SetEnabled(true);
        }
    }
    TCustomPanel::CMEnabledChanged(m);
}

framework::TDockTree* TLuCustomPanel::CreateDockManager() {
    auto* manager = new TLuPanelDockManager(this);
    SetDoubleBuffered(true);
    return manager;
}

void TLuCustomPanel::DefineProperties(framework::TFiler& filer) {
    TCustomPanel::DefineProperties(filer);
    filer.DefineProperty("FrameSides", &TLuOldPropReader::SkipSetValue);
}

namespace {

using C = TLuCustomPanel;
using P = TLuPanel;
using framework::TBevelCut;
using framework::TClassBuilder;

// What the panel and the group box both publish.
[[maybe_unused]] const auto registerCustomPanel =
    framework::RegisterClass<C, framework::TCustomPanel>("TLuCustomPanel")
        .Enum("BevelOuter", &C::BevelOuter, &C::SetBevelOuter, framework::BevelCutInfo,
              std::optional<TBevelCut>(framework::bvNone))
        .Integer("BevelWidth", &C::BevelWidth, &C::SetBevelWidth, 1)
        .Color("BorderColor", &C::BorderColor, &C::SetBorderColor, gdi::clBtnFace)
        .Enum("BorderInner", &C::BorderInner, &C::SetBorderInner, FrameStyleInfo,
              std::optional<TFrameStyle>(fsNone))
        .Enum("BorderOuter", &C::BorderOuter, &C::SetBorderOuter, FrameStyleInfo,
              std::optional<TFrameStyle>(fsRaised))
        .Set("BorderSides", &C::BorderSides, &C::SetBorderSides, SideInfo, std::optional<TSides>(sdAllSides))
        .Color("FlatColor", &C::FlatColor, &C::SetFlatColor, gdi::clBtnShadow)
        .Integer("FlatColorAdjustment", &C::FlatColorAdjustment, &C::SetFlatColorAdjustment, 30)
        .Boolean("ShowDockClientCaptions", &C::ShowDockClientCaptions, &C::SetShowDockClientCaptions, true)
        .Boolean("Transparent", &C::Transparent, &C::SetTransparent, false)
        .Event("OnMouseEnter", &C::OnMouseEnter)
        .Event("OnMouseLeave", &C::OnMouseLeave);

[[maybe_unused]] const auto registerPanel =
    framework::RegisterClass<P, C>("TLuPanel")
        .Enum("AlignmentVertical", &P::AlignmentVertical, &P::SetAlignmentVertical, AlignmentVerticalInfo,
              std::optional<TAlignmentVertical>(avCenter))
        .Color("BorderHighlight", &P::BorderHighlight, &P::SetBorderHighlight, gdi::clBtnHighlight)
        .Color("BorderShadow", &P::BorderShadow, &P::SetBorderShadow, gdi::clBtnShadow)
        .Component("FrameController", &P::FrameController, &P::SetFrameController)
        .Color("GridColor", &P::GridColor, &P::SetGridColor, gdi::clBtnShadow)
        .Enum("GridStyle", &P::GridStyle, &P::SetGridStyle, GridStyleInfo,
              std::optional<TLuGridStyle>(gsDots))
        .Integer("GridXSize", &P::GridXSize, &P::SetGridXSize, 8)
        .Integer("GridYSize", &P::GridYSize, &P::SetGridYSize, 8)
        .Boolean("ShowGrid", &P::ShowGrid, &P::SetShowGrid, false)
        .Event("OnPaint", &P::OnPaint);

} // namespace

} // namespace lu
