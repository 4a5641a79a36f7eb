#pragma once

#include "controls/common/LuCommonTypes.h"
#include "controls/common/LuHotTrack.h"
#include "platform/framework/CustomControl.h"

#include <string>

namespace lu {

using framework::TCanvas;
using framework::TRect;
using TColor = gdi::TColor;

// The owner-drawn base of the library's clickable controls. It follows a left press with the
// mouse captured, tells of the mouse's entry and exit, and draws the caption in one of four text
// styles; a completed press calls Toggle, which each kind of button defines. It paints nothing of
// its own and publishes nothing: its subclasses do both.
class TLuCustomButton : public framework::TCustomControl {
public:
    explicit TLuCustomButton(framework::TComponent* owner);

    TAlignmentVertical AlignmentVertical() const { return m_alignmentVertical; }
    virtual void SetAlignmentVertical(TAlignmentVertical value);
    bool HotTrack() const { return m_hotTrack; }
    virtual void SetHotTrack(bool value);
    // Read when the hot look is drawn; changing them repaints nothing.
    TColor HotTrackColor() const { return m_hotTrackColor; }
    void SetHotTrackColor(TColor value) { m_hotTrackColor = value; }
    TLuHotTrackColorType HotTrackColorType() const { return m_hotTrackColorType; }
    void SetHotTrackColorType(TLuHotTrackColorType value) { m_hotTrackColorType = value; }
    TColor HighlightColor() const { return m_highlightColor; }
    virtual void SetHighlightColor(TColor value);
    bool LightTextStyle() const { return m_lightTextStyle; }
    virtual void SetLightTextStyle(bool value);
    TTextStyle TextStyle() const { return m_textStyle; }
    virtual void SetTextStyle(TTextStyle value);
    TColor TextHighlightColor() const { return m_textHighlightColor; }
    virtual void SetTextHighlightColor(TColor value);
    TColor TextShadowColor() const { return m_textShadowColor; }
    virtual void SetTextShadowColor(TColor value);
    int TextShadowDepth() const { return m_textShadowDepth; }
    virtual void SetTextShadowDepth(int value);
    bool Transparent() const { return m_transparent; }
    virtual void SetTransparent(bool value);

    framework::TNotifyEvent OnMouseEnter;
    framework::TNotifyEvent OnMouseLeave;

    void WndProc(framework::TMessage& message) override;

protected:
    // Redraws after a change of the pressed look.
    virtual void UpdateDisplay() {}
    // After the control gained or lost the focus.
    virtual void FocusChanged();
    // What the mouse's entry and exit invalidate.
    virtual TRect GetHotTrackRect();
    // Draws the caption into rect (placed vertically by AlignmentVertical) with a DrawText format
    // of DT_WORDBREAK, DT_EXPANDTABS and a horizontal alignment.
    virtual void DrawCaption(TCanvas* canvas, TRect rect, unsigned format);
    // What a completed press, by mouse or key, does.
    virtual void Toggle() = 0;
    virtual void DoMouseEnter();
    virtual void DoMouseLeave();

    void MouseDown(framework::TMouseButton button, framework::TShiftState shift, int x, int y) override;
    void MouseMove(framework::TShiftState shift, int x, int y) override;
    void MouseUp(framework::TMouseButton button, framework::TShiftState shift, int x, int y) override;
    void CMTextChanged(framework::TMessage& message) override;

    // Whether the system's visual styles draw the controls.
    static bool ThemesActive();
    // The height of the caption laid out in the width of rect, in the control's font.
    int MeasureCaption(TCanvas* canvas, const TRect& rect);

    bool MouseInside() const { return m_mouseInside; }
    bool PressedLook() const { return m_pressedLook; }
    // The caller redraws (UpdateDisplay).
    void SetPressedLook(bool value) { m_pressedLook = value; }

private:
    bool IsInsideClient(int x, int y) const;
    void CMMouseEnter(framework::TMessage& message);
    void CMMouseLeave(framework::TMessage& message);
    void InvalidateHotTrackRect();
    void WMEraseBkgnd(framework::TMessage& message);
    TRect PlaceCaption(TRect rect, int textHeight) const;
    void DrawCaptionPass(TCanvas* canvas, const std::string& text, TRect rect, int dx, int dy, TColor color,
                         unsigned format);

    TAlignmentVertical m_alignmentVertical = avCenter;
    bool m_hotTrack = false;
    TColor m_hotTrackColor = gdi::clHighlight;
    TLuHotTrackColorType m_hotTrackColorType = htctComplement;
    TColor m_highlightColor = gdi::clHighlight;
    bool m_lightTextStyle = false;
    TTextStyle m_textStyle = tsNormal;
    TColor m_textHighlightColor = gdi::clBtnHighlight;
    TColor m_textShadowColor = gdi::clBtnShadow;
    int m_textShadowDepth = 2;
    bool m_transparent = false;

    bool m_pressTracking = false;
    bool m_mouseInside = false;
    bool m_pressedLook = false;
};

// Publishes the properties and events that the base declares, with their initial values as
// stream defaults, for a subclass's registration. Transparent is left to the subclasses that
// publish it.
template <class T>
framework::TClassBuilder<T> PublishCustomButtonProperties(framework::TClassBuilder<T> b,
                                                          TAlignmentVertical alignmentVertical) {
    return b
        .Enum("AlignmentVertical", &T::AlignmentVertical, &T::SetAlignmentVertical, AlignmentVerticalInfo,
              std::optional<TAlignmentVertical>(alignmentVertical))
        .Color("HighlightColor", &T::HighlightColor, &T::SetHighlightColor, gdi::clHighlight)
        .Boolean("HotTrack", &T::HotTrack, &T::SetHotTrack, false)
        .Color("HotTrackColor", &T::HotTrackColor, &T::SetHotTrackColor, gdi::clHighlight)
        .Enum("HotTrackColorType", &T::HotTrackColorType, &T::SetHotTrackColorType, HotTrackColorTypeInfo,
              std::optional<TLuHotTrackColorType>(htctComplement))
        .Boolean("LightTextStyle", &T::LightTextStyle, &T::SetLightTextStyle, false)
        .Boolean("TabStop", &T::TabStop, &T::SetTabStop, true)
        .Color("TextHighlightColor", &T::TextHighlightColor, &T::SetTextHighlightColor, gdi::clBtnHighlight)
        .Color("TextShadowColor", &T::TextShadowColor, &T::SetTextShadowColor, gdi::clBtnShadow)
        .Integer("TextShadowDepth", &T::TextShadowDepth, &T::SetTextShadowDepth, 2)
        .Enum("TextStyle", &T::TextStyle, &T::SetTextStyle, TextStyleInfo, std::optional<TTextStyle>(tsNormal))
        .Event("OnMouseEnter", &T::OnMouseEnter)
        .Event("OnMouseLeave", &T::OnMouseLeave);
}

} // namespace lu
