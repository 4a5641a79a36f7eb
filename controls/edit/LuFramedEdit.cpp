#include "controls/edit/LuFramedEdit.h"

#include "controls/common/LuBorders.h"
#include "controls/common/LuOldPropReader.h"
#include "platform/framework/Filer.h"
#include "platform/framework/Window.h"
#include "platform/gdi/Gdi.h"

namespace lu {

using namespace framework;

namespace {

// The window's whole-area context lent to a canvas, given back on every path.
class TWindowCanvasScope {
public:
    TWindowCanvasScope(TCanvas& canvas, HWND window)
        : m_canvas(canvas), m_window(window), m_dc(GetWindowDC(window)) {
        m_canvas.SetHandle(m_dc);
    }
    ~TWindowCanvasScope() {
        m_canvas.SetHandle(nullptr);
        ReleaseDC(m_window, m_dc);
    }
    TWindowCanvasScope(const TWindowCanvasScope&) = delete;
    TWindowCanvasScope& operator=(const TWindowCanvasScope&) = delete;

private:
    TCanvas& m_canvas;
    HWND m_window;
    gdi::HDC m_dc;
};

} // namespace

template <class TBase>
TLuFramedEdit<TBase>::TLuFramedEdit(TComponent* owner)
    : TBase(owner), m_canvas(std::make_unique<TControlCanvas>()) {
    m_canvas->SetControl(this);
    TControlStyle style = this->ControlStyle();
    style.Exclude(csSetCaption);
    this->SetControlStyle(style);
}

template <class TBase> TLuFramedEdit<TBase>::~TLuFramedEdit() {
    if (m_frameController != nullptr)
        m_frameController->UnlinkControl(this);
    m_canvas.reset();
}

template <class TBase> void TLuFramedEdit<TBase>::UpdateColors() {
    if (this->ComponentState().Contains(csLoading))
        return;
    const TColor color = !this->Enabled() ? m_disabledColor : this->Focused() ? m_focusColor : m_normalColor;
    m_colorUpdating = true;
    try {
        SetColor(color);
    } catch (...) {
        m_colorUpdating = false;
        throw;
    }
    m_colorUpdating = false;
}

template <class TBase> void TLuFramedEdit<TBase>::SetColor(TColor value) {
    if (value == this->Color())
        return;
    TBase::SetColor(value);
    RedrawFrameIfCustom();
}

template <class TBase> void TLuFramedEdit<TBase>::CMColorChanged(TMessage& m) {
    TBase::CMColorChanged(m);
    // Here rather than in SetColor, so that a colour taken from the parent counts as well.
    const TColor value = this->Color();
    if (m_colorUpdating || value == m_normalColor)
        return;
    if (m_focusColor == m_normalColor)
        m_focusColor = value;
    m_normalColor = value;
}

template <class TBase> void TLuFramedEdit<TBase>::SetDisabledColor(TColor value) {
    if (value == m_disabledColor)
        return;
    m_disabledColor = value;
    if (!this->Enabled())
        UpdateColors();
}

template <class TBase> void TLuFramedEdit<TBase>::SetFocusColor(TColor value) {
    if (value == m_focusColor)
        return;
    m_focusColor = value;
    if (this->Focused())
        UpdateColors();
}

template <class TBase> void TLuFramedEdit<TBase>::SetFrameColor(TColor value) {
    ChangeFrameSetting(m_frameColor, value);
}

template <class TBase> template <class T> void TLuFramedEdit<TBase>::ChangeFrameSetting(T& field, T value) {
    if (value == field)
        return;
    field = value;
    RedrawFrame();
}

template <class TBase> void TLuFramedEdit<TBase>::SetFrameController(TLuFrameController* value) {
    RelinkFrameController(this, m_frameController, value);
}

template <class TBase> void TLuFramedEdit<TBase>::SetFrameHotColor(TColor value) {
    ChangeFrameSetting(m_frameHotColor, value);
}

template <class TBase> void TLuFramedEdit<TBase>::SetFrameHotTrack(bool value) {
    if (value == m_frameHotTrack)
        return;
    m_frameHotTrack = value;
    if (value) {
        SetFrameVisible(true);
        // A streamed value keeps the sides streamed with it.
        if (!this->ComponentState().Contains(csLoading))
            m_frameSides = sdAllSides;
    }
    RedrawFrame();
    this->Invalidate();
}

template <class TBase> void TLuFramedEdit<TBase>::SetFrameHotStyle(TFrameStyle value) {
    ChangeFrameSetting(m_frameHotStyle, value);
}

template <class TBase> void TLuFramedEdit<TBase>::SetFrameSides(TSides value) {
    ChangeFrameSetting(m_frameSides, value);
}

template <class TBase> void TLuFramedEdit<TBase>::SetFrameStyle(TFrameStyle value) {
    ChangeFrameSetting(m_frameStyle, value);
}

template <class TBase> void TLuFramedEdit<TBase>::SetFrameVisible(bool value) {
    if (value == m_frameVisible)
        return;
    m_frameVisible = value;
    // The frame lies on the 3D client edge.
    if (value)
        this->SetCtl3D(true);
    this->RecreateWnd();
}

template <class TBase> void TLuFramedEdit<TBase>::SetFramingPreference(TFramingPreference value) {
    if (value == m_framingPreference)
        return;
    m_framingPreference = value;
    if (value == fpCustomFraming)
        RedrawFrame();
}

template <class TBase> bool TLuFramedEdit<TBase>::IsColorStored() const {
    return IsControllerFree() && this->Enabled();
}

template <class TBase> bool TLuFramedEdit<TBase>::IsFocusColorStored() const {
    return IsControllerFree() && gdi::ColorToRGB(m_focusColor) != gdi::ColorToRGB(this->Color());
}

template <class TBase> void TLuFramedEdit<TBase>::RedrawFrame() {
    if (!this->HandleAllocated())
        return;
    const TRect client = this->ClientRect();
    RedrawWindow(this->Handle(), &client, nullptr, win::RDW_INVALIDATE | win::RDW_UPDATENOW | win::RDW_FRAME);
}

template <class TBase> void TLuFramedEdit<TBase>::RedrawFrameIfCustom() {
    if (m_frameVisible && !UseThemedFrame())
        RedrawFrame();
}

template <class TBase> bool TLuFramedEdit<TBase>::UseThemedFrame() const {
    return m_framingPreference == fpXPThemes && gdi::GetThemeServices().ThemesEnabled();
}

template <class TBase> bool TLuFramedEdit<TBase>::ShowsHotFrame() const {
    return m_frameHotTrack && (this->Focused() || m_overControl);
}

template <class TBase> void TLuFramedEdit<TBase>::UpdateHotTrack(bool isMouse, bool value) {
    // The focus is asked of the window when needed; only the mouse is recorded.
    if (isMouse)
        m_overControl = value;
    if (m_frameHotTrack)
        RedrawFrame();
    UpdateColors();
}

template <class TBase> void TLuFramedEdit<TBase>::PaintFrame(TCanvas* canvas) {
    const bool hot = ShowsHotFrame();
    PaintFrameStyle(canvas, this->Width(), this->Height(), hot ? m_frameHotStyle : m_frameStyle,
                    this->Color(), hot ? m_frameHotColor : m_frameColor, m_frameSides, false);
}

template <class TBase> void TLuFramedEdit<TBase>::PaintNonClient(TCanvas* canvas) {
    if (m_frameVisible && !UseThemedFrame())
        PaintFrame(canvas);
}

template <class TBase> void TLuFramedEdit<TBase>::WMNCPaint(TMessage& m) {
    TBase::WndProc(m);
    if (!this->HandleAllocated())
        return;
    {
        TWindowCanvasScope scope(*m_canvas, this->Handle());
        PaintNonClient(m_canvas.get());
    }
    m.Result = 0;
}

template <class TBase> void TLuFramedEdit<TBase>::RepaintNonClient() {
    if (this->HandleAllocated())
        SendMessage(this->Handle(), win::WM_NCPAINT, 0, 0);
}

template <class TBase> void TLuFramedEdit<TBase>::DoMouseEnter() {
    if (OnMouseEnter)
        OnMouseEnter(this);
}

template <class TBase> void TLuFramedEdit<TBase>::DoMouseLeave() {
    if (OnMouseLeave)
        OnMouseLeave(this);
}

template <class TBase> void TLuFramedEdit<TBase>::CMMouseEnter(TMessage& m) {
    TBase::WndProc(m);
    if (this->ComponentState().Contains(csDesigning))
        return;
    UpdateHotTrack(true, true);
    DoMouseEnter();
}

template <class TBase> void TLuFramedEdit<TBase>::CMMouseLeave(TMessage& m) {
    TBase::WndProc(m);
    UpdateHotTrack(true, false);
    DoMouseLeave();
}

template <class TBase> void TLuFramedEdit<TBase>::CMEnter(TMessage& m) {
    UpdateHotTrack(false, true);
    TBase::CMEnter(m);
}

template <class TBase> void TLuFramedEdit<TBase>::CMExit(TMessage& m) {
    TBase::CMExit(m);
    UpdateHotTrack(false, false);
}

template <class TBase> void TLuFramedEdit<TBase>::CMEnabledChanged(TMessage& m) {
    TBase::CMEnabledChanged(m);
    UpdateColors();
}

template <class TBase> void TLuFramedEdit<TBase>::CMParentColorChanged(TMessage& m) {
    TBase::CMParentColorChanged(m);
    RedrawFrameIfCustom();
}

template <class TBase> void TLuFramedEdit<TBase>::KeyPress(char32_t& key) {
    if (m_tabOnEnter && key == 13) {
        // The dialog-key handling of the posted Tab moves the focus on.
        key = 0;
        PostMessage(this->Handle(), win::WM_KEYDOWN, win::VK_TAB, 0);
        return;
    }
    TBase::KeyPress(key);
}

template <class TBase> void TLuFramedEdit<TBase>::WndProc(TMessage& m) {
    switch (m.Msg) {
    case win::WM_NCPAINT:
        WMNCPaint(m);
        return;
    case win::WM_SIZE:
        TBase::WndProc(m);
        RedrawFrameIfCustom();
        return;
    case win::CM_MOUSEENTER:
        CMMouseEnter(m);
        return;
    case win::CM_MOUSELEAVE:
        CMMouseLeave(m);
        return;
    default:
        TBase::WndProc(m);
    }
}

template <class TBase> void TLuFramedEdit<TBase>::Loaded() {
    TBase::Loaded();
    UpdateColors();
    UpdateHotTrack(false, false);
}

template <class TBase> void TLuFramedEdit<TBase>::Notification(TComponent* component, TOperation operation) {
    TBase::Notification(component, operation);
    if (operation == opRemove && component == m_frameController)
        m_frameController = nullptr;
}

template <class TBase> void TLuFramedEdit<TBase>::ReadFrameFlat(TReader& reader) {
    m_frameHotTrack = reader.ReadBoolean();
    if (m_frameHotTrack) {
        m_frameStyle = fsStatus;
        m_frameHotStyle = fsLowered;
    }
}

template <class TBase> void TLuFramedEdit<TBase>::ReadFrameFocusStyle(TReader& reader) {
    // A name that is no frame style leaves the hot style as it is.
    const int style = GetEnumValue(FrameStyleInfo, reader.ReadIdent());
    if (style >= 0)
        m_frameHotStyle = static_cast<TFrameStyle>(style);
}

template <class TBase> void TLuFramedEdit<TBase>::DefineProperties(TFiler& filer) {
    TBase::DefineProperties(filer);
    filer.DefineProperty("FrameFlat", [this](TReader& r) { ReadFrameFlat(r); });
    filer.DefineProperty("FrameFocusStyle", [this](TReader& r) { ReadFrameFocusStyle(r); });
    filer.DefineProperty("FrameFlatStyle", &TLuOldPropReader::SkipEnumValue);
}

template class TLuFramedEdit<TCustomMaskEdit>;
template class TLuFramedEdit<TMemo>;
template class TLuFramedEdit<TRichEdit>;

} // namespace lu
