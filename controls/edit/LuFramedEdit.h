#pragma once

#include "controls/common/LuCommonTypes.h"
#include "controls/common/LuFrameController.h"
#include "platform/framework/ControlCanvas.h"
#include "platform/framework/Memo.h"
#include "platform/framework/RichEdit.h"

#include <memory>

namespace lu {

using TColor = gdi::TColor;

// What the library's edit, memo and rich edit add alike to the framework's edit windows: a frame
// painted over the 3D client edge (in a hot style while focused or under the mouse), a background
// colour for each state (normal, focused, disabled), Enter acting as Tab, the frame-controller
// link, and the stream properties of older versions.
template <class TBase> class TLuFramedEdit : public TBase {
public:
    explicit TLuFramedEdit(framework::TComponent* owner);
    ~TLuFramedEdit() override;

    // Every change of Color that the control's own colour states did not make becomes the normal
    // colour; a focus colour that was never set apart follows it.
    void SetColor(TColor value) override;
    TColor DisabledColor() const { return m_disabledColor; }
    virtual void SetDisabledColor(TColor value);
    TColor FocusColor() const { return m_focusColor; }
    virtual void SetFocusColor(TColor value);
    TColor FrameColor() const { return m_frameColor; }
    virtual void SetFrameColor(TColor value);
    TLuFrameController* FrameController() const { return m_frameController; }
    virtual void SetFrameController(TLuFrameController* value);
    TColor FrameHotColor() const { return m_frameHotColor; }
    virtual void SetFrameHotColor(TColor value);
    bool FrameHotTrack() const { return m_frameHotTrack; }
    virtual void SetFrameHotTrack(bool value);
    TFrameStyle FrameHotStyle() const { return m_frameHotStyle; }
    virtual void SetFrameHotStyle(TFrameStyle value);
    TSides FrameSides() const { return m_frameSides; }
    virtual void SetFrameSides(TSides value);
    TFrameStyle FrameStyle() const { return m_frameStyle; }
    virtual void SetFrameStyle(TFrameStyle value);
    bool FrameVisible() const { return m_frameVisible; }
    virtual void SetFrameVisible(bool value);
    TFramingPreference FramingPreference() const { return m_framingPreference; }
    virtual void SetFramingPreference(TFramingPreference value);
    bool TabOnEnter() const { return m_tabOnEnter; }
    void SetTabOnEnter(bool value) { m_tabOnEnter = value; }

    // The stream conditions: a linked controller keeps the settings it pushes out of the stream.
    bool IsControllerFree() const { return m_frameController == nullptr; }
    bool IsColorStored() const;
    bool IsFocusColorStored() const;

    framework::TNotifyEvent OnMouseEnter;
    framework::TNotifyEvent OnMouseLeave;

    void Loaded() override;
    void Notification(framework::TComponent* component, framework::TOperation operation) override;
    void DefineProperties(framework::TFiler& filer) override;
    void WndProc(framework::TMessage& message) override;

protected:
    // Sets Color for the state: disabled, focused or normal. Nothing while loading.
    virtual void UpdateColors();
    // After the focus (isMouse false) or the mouse (isMouse true) came or went.
    virtual void UpdateHotTrack(bool isMouse, bool value);
    virtual void RedrawFrame();
    // On a themed desktop the platform draws the edge and the control paints no frame of its own.
    virtual bool UseThemedFrame() const;
    // Whether the frame shows its hot style now.
    virtual bool ShowsHotFrame() const;
    // Paints over the standard border, on the whole window.
    virtual void PaintNonClient(framework::TCanvas* canvas);
    virtual void DoMouseEnter();
    virtual void DoMouseLeave();

    void KeyPress(char32_t& key) override;
    void CMEnabledChanged(framework::TMessage& message) override;
    void CMParentColorChanged(framework::TMessage& message) override;
    void CMColorChanged(framework::TMessage& message) override;
    void CMEnter(framework::TMessage& message) override;
    void CMExit(framework::TMessage& message) override;

    void PaintFrame(framework::TCanvas* canvas);
    // Sends WM_NCPAINT to the window, when there is one.
    void RepaintNonClient();
    // The background while enabled and not focused.
    TColor NormalColor() const { return m_normalColor; }
    bool OverControl() const { return m_overControl; }
    void SetOverControl(bool value) { m_overControl = value; }

private:
    void WMNCPaint(framework::TMessage& message);
    void CMMouseEnter(framework::TMessage& message);
    void CMMouseLeave(framework::TMessage& message);
    void RedrawFrameIfCustom();
    template <class T> void ChangeFrameSetting(T& field, T value);
    void ReadFrameFlat(framework::TReader& reader);
    void ReadFrameFocusStyle(framework::TReader& reader);

    bool m_colorUpdating = false;
    TColor m_disabledColor = gdi::clBtnFace;
    TColor m_focusColor = gdi::clWindow;
    TColor m_normalColor = gdi::clWindow;
    TColor m_frameColor = gdi::clBtnShadow;
    TColor m_frameHotColor = gdi::clBtnShadow;
    TLuFrameController* m_frameController = nullptr;
    bool m_frameHotTrack = false;
    TFrameStyle m_frameHotStyle = fsFlatBold;
    TSides m_frameSides = sdAllSides;
    TFrameStyle m_frameStyle = fsFlat;
    bool m_frameVisible = false;
    TFramingPreference m_framingPreference = fpXPThemes;
    bool m_tabOnEnter = false;
    std::unique_ptr<framework::TControlCanvas> m_canvas;
    bool m_overControl = false;
};

extern template class TLuFramedEdit<framework::TCustomMaskEdit>;
extern template class TLuFramedEdit<framework::TMemo>;
extern template class TLuFramedEdit<framework::TRichEdit>;

// Publishes the framing and colour properties with their stream defaults and conditions, for the
// registration of a class built on TLuFramedEdit.
template <class T> framework::TClassBuilder<T> PublishFramedEditProperties(framework::TClassBuilder<T> b) {
    return b.Color("Color", &T::Color, &T::SetColor, gdi::clWindow)
        .Stored(&T::IsColorStored)
        .Color("DisabledColor", &T::DisabledColor, &T::SetDisabledColor, gdi::clBtnFace)
        .Stored(&T::IsControllerFree)
        .Color("FocusColor", &T::FocusColor, &T::SetFocusColor, gdi::clWindow)
        .Stored(&T::IsFocusColorStored)
        .Color("FrameColor", &T::FrameColor, &T::SetFrameColor, gdi::clBtnShadow)
        .Stored(&T::IsControllerFree)
        .Component("FrameController", &T::FrameController, &T::SetFrameController)
        .Color("FrameHotColor", &T::FrameHotColor, &T::SetFrameHotColor, gdi::clBtnShadow)
        .Stored(&T::IsControllerFree)
        .Enum("FrameHotStyle", &T::FrameHotStyle, &T::SetFrameHotStyle, FrameStyleInfo,
              std::optional<TFrameStyle>(fsFlatBold))
        .Stored(&T::IsControllerFree)
        .Boolean("FrameHotTrack", &T::FrameHotTrack, &T::SetFrameHotTrack, false)
        .Stored(&T::IsControllerFree)
        .Set("FrameSides", &T::FrameSides, &T::SetFrameSides, SideInfo, std::optional<TSides>(sdAllSides))
        .Stored(&T::IsControllerFree)
        .Enum("FrameStyle", &T::FrameStyle, &T::SetFrameStyle, FrameStyleInfo,
              std::optional<TFrameStyle>(fsFlat))
        .Stored(&T::IsControllerFree)
        .Boolean("FrameVisible", &T::FrameVisible, &T::SetFrameVisible, false)
        .Stored(&T::IsControllerFree)
        .Enum("FramingPreference", &T::FramingPreference, &T::SetFramingPreference, FramingPreferenceInfo,
              std::optional<TFramingPreference>(fpXPThemes))
        .Boolean("TabOnEnter", &T::TabOnEnter, &T::SetTabOnEnter, false)
        .Event("OnMouseEnter", &T::OnMouseEnter)
        .Event("OnMouseLeave", &T::OnMouseLeave);
}

} // namespace lu
