#include "controls/edit/LuEdit.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/EditMask.h"
#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"
#include "platform/framework/TypInfo.h"

namespace lu {

using namespace framework;

TLuCustomEdit::TLuCustomEdit(TComponent* owner) : Inherited(owner) {
    TControlStyle style = ControlStyle();
    style.Include(csCaptureMouse);
    SetControlStyle(style);
}

void TLuCustomEdit::SetAlignment(TLeftRight value) {
    if (value == m_alignment)
        return;
    if (value != taLeftJustify && value != taRightJustify)
        throw rtl::ERangeError("An edit's alignment is taLeftJustify or taRightJustify");
    m_alignment = value;
    RecreateWnd();
}

void TLuCustomEdit::CreateParams(TCreateParams& params) {
    Inherited::CreateParams(params);
    params.Style |= win::WS_CLIPCHILDREN;
    params.Style &= ~win::ES_MULTILINE;
    if (m_alignment == taRightJustify)
        params.Style |= win::ES_RIGHT;
}

TRect TLuCustomEdit::GetTextAreaRect() {
    return ClientRect();
}

std::string TLuCustomEdit::GetDisplayText() {
    return Text();
}

bool TLuCustomEdit::ShowsHotFrame() const {
    return FrameHotTrack() && (m_inControl || OverControl());
}

void TLuCustomEdit::UpdateHotTrack(bool isMouse, bool value) {
    if (isMouse)
        SetOverControl(value);
    else
        m_inControl = value;
    if (m_dropButtonVisible) {
        const bool themed = gdi::GetThemeServices().ThemesEnabled();
        if ((m_flatButtons || FrameHotTrack() || themed) && m_dropButtonState != dbsDown &&
            HandleAllocated()) {
            TRect r = ClientRect();
            // Without hot tracking only the strip next to the button changes.
            if (!FrameHotTrack()) {
                const int strip = gdi::GetSystemMetrics(gdi::SM_CXVSCROLL) + 2;
                if (UseRightToLeftReading())
                    r.right = r.left + strip;
                else
                    r.left = r.right - strip;
            }
            RedrawWindow(Handle(), &r, nullptr,
                         win::RDW_INVALIDATE | win::RDW_UPDATENOW | win::RDW_NOERASE | win::RDW_FRAME);
        }
    } else if (FrameHotTrack()) {
        RedrawFrame();
    }
    UpdateColors();
}

void TLuCustomEdit::CMEnter(TMessage& m) {
    if (Win32MajorVersion() == 4 && Win32MinorVersion() == 0 && AutoSelect() &&
        !ControlState().Contains(csLButtonDown) && !GetShiftState().Contains(ssLeft))
        SelectAll();
    Inherited::CMEnter(m);
}

void TLuCustomEdit::CMEnabledChanged(TMessage& m) {
    TCustomMaskEdit::CMEnabledChanged(m);
    RepaintNonClient();
    UpdateColors();
}

void TLuCustomEdit::KeyPress(char32_t& key) {
    if (!TabOnEnter() && key == 13 && m_alignment == taRightJustify && Win32MajorVersion() == 4 &&
        Win32MinorVersion() == 0) {
        // That platform's edit would take Enter in right-aligned text as a line break.
        key = 0;
        return;
    }
    Inherited::KeyPress(key);
}

void TLuCustomEdit::KeyDown(std::uint16_t& key, TShiftState shift) {
    Inherited::KeyDown(key, shift);
    if (key == win::VK_DOWN && shift == TShiftState{ssAlt}) {
        // No button release follows a drop from the keyboard: the press ends here, a failed one
        // too, and the mouse capture goes back so the next click reaches its control.
        try {
            RunDropButton();
        } catch (...) {
            ReleaseDropButton();
            throw;
        }
        ReleaseDropButton();
        key = 0;
    }
}

void TLuCustomEdit::ValidateError() {
    if (!OnInvalidInput) {
        Inherited::ValidateError();
        return;
    }
    std::string message;
    OnInvalidInput(this, message);
    if (message.empty()) {
        Inherited::ValidateError();
        return;
    }
    MessageBeep(0);
    throw EDBEditError(message);
}

void TLuCustomEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case win::WM_NCCALCSIZE:
        WMNCCalcSize(m);
        return;
    case win::WM_NCHITTEST:
        WMNCHitTest(m);
        return;
    case win::WM_SETCURSOR:
        WMSetCursor(m);
        return;
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
    case win::WM_RBUTTONDOWN:
        WMButtonDown(m);
        return;
    case win::WM_LBUTTONUP:
        ReleaseDropButton();
        Inherited::WndProc(m);
        return;
    case win::WM_KILLFOCUS:
        Inherited::WndProc(m);
        ReleaseDropButton();
        return;
    default:
        Inherited::WndProc(m);
    }
}

namespace {

[[maybe_unused]] const auto registerCustomEdit =
    RegisterClass<TLuCustomEdit, TCustomMaskEdit>("TLuCustomEdit");
[[maybe_unused]] const auto registerEdit =
    PublishFramedEditProperties(PublishEditProperties(RegisterClass<TLuEdit, TLuCustomEdit>("TLuEdit")))
        .Enum("Alignment", &TLuEdit::Alignment, &TLuEdit::SetAlignment, LeftRightInfo,
              std::optional<TLeftRight>(taLeftJustify));

} // namespace

} // namespace lu
