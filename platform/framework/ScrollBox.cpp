#include "platform/framework/ScrollBox.h"

#include "platform/framework/Forms.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"

#include <algorithm>

namespace framework {

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(
        TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetInitialColor(gdi::clBtnFace);
    SetInitialSize(185, 41);
}

void TScrollBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    ApplyBorderStyle(p, m_borderStyle, Ctl3D());
    if (m_barVisible)
        p.Style |= win::WS_VSCROLL;
}

void TScrollBox::SetBorderStyle(TBorderStyle value) {
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    RecreateWnd();
    Realign();
}

void TScrollBox::AlignControls(TControl* control, TRect& rect) {
    TWinControl::AlignControls(control, rect);
    UpdateScrollBar();
}

void TScrollBox::UpdateScrollBar() {
    if (m_updating)
        return;
    m_updating = true;
    int bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Visible() && c->Align() == alNone)
            bottom = std::max(bottom, c->Top() + c->Height() + m_position);
    }
    m_range = bottom;
    const bool need = m_range > Height() - 4;
    if (need != m_barVisible) {
        m_barVisible = need;
        if (HandleAllocated()) {
            std::uint32_t style = GetWindowLong(Handle(), win::GWL_STYLE);
            SetWindowLong(Handle(), win::GWL_STYLE,
                          need ? style | win::WS_VSCROLL : style & ~win::WS_VSCROLL);
            Handle()->SyncSize();
        }
    }
    m_updating = false;
    const int limit = std::max(0, m_range - ClientHeight());
    if (m_position > limit)
        SetVertPosition(limit);
}

void TScrollBox::SetVertPosition(int position) {
    position = std::clamp(position, 0, std::max(0, m_range - ClientHeight()));
    if (position == m_position)
        return;
    const int delta = m_position - position;
    m_position = position;
    DisableAlign();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Align() == alNone)
            c->AlignBounds(c->Left(), c->Top() + delta, c->Width(), c->Height());
    }
    EnableAlign();
    if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_FRAME);
}

bool TScrollBox::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    if (TWinControl::DoMouseWheel(shift, wheelDelta, mousePos))
        return true;
    if (!m_barVisible)
        return false;
    SetVertPosition(m_position - wheelDelta / win::WHEEL_DELTA * Mouse().WheelScrollLines() * LineStep);
    return true;
}

void TScrollBox::PaintScrollBar(gdi::HDC dc, const TRect& bar) {
    TWinControl::PaintScrollBar(dc, bar);
    const int sw = bar.Width();
    const int track = bar.Height() - 2 * sw;
    if (track <= 8 || m_range <= 0)
        return;
    const int page = ClientHeight();
    const int thumb = std::max(8, track * page / std::max(page, m_range));
    const int top = bar.top + sw + (track - thumb) * m_position / std::max(1, m_range - page);
    TRect t{bar.left, top, bar.right, top + thumb};
    gdi::HBRUSH face = gdi::GetSysColorBrush(gdi::COLOR_BTNFACE);
    gdi::FillRect(dc, &t, face);
    gdi::DrawEdge(dc, &t, gdi::EDGE_RAISED, gdi::BF_RECT);
}

void TScrollBox::WndProc(TMessage& m) {
    if (m.Msg == win::WM_VSCROLL) {
        switch (LowWord(m.WParam)) {
        case win::SB_LINEUP:
            SetVertPosition(m_position - LineStep);
            break;
        case win::SB_LINEDOWN:
            SetVertPosition(m_position + LineStep);
            break;
        case win::SB_PAGEUP:
            SetVertPosition(m_position - ClientHeight());
            break;
        case win::SB_PAGEDOWN:
            SetVertPosition(m_position + ClientHeight());
            break;
        default:
            break;
        }
        m.Result = 0;
        return;
    }
    TWinControl::WndProc(m);
}

namespace {
[[maybe_unused]] const auto registerScrollBox =
    RegisterClass<TScrollBox, TWinControl>("TScrollBox")
        .Enum("BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle, BorderStyleInfo,
              std::optional<TBorderStyle>(bsSingle));
} // namespace

} // namespace framework
