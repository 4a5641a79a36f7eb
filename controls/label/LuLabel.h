#pragma once

#include "controls/common/LuCommonTypes.h"
#include "platform/framework/StdCtrls.h"

#include <cstdint>
#include <vector>

namespace lu {

using TColor = gdi::TColor;

// Flat turns the whole caption by Angle; curve lays its characters one by one along an ellipse
// round CenterPoint.
enum TRotation : std::uint8_t { roNone, roFlat, roCurve };
enum TCenterPoint : std::uint8_t {
    cpUpperLeft,
    cpUpperCenter,
    cpUpperRight,
    cpLeftCenter,
    cpCenter,
    cpRightCenter,
    cpLowerLeft,
    cpLowerCenter,
    cpLowerRight
};
extern const framework::TEnumInfo RotationInfo;
extern const framework::TEnumInfo CenterPointInfo;

// The library's text label: the framework's label with borders, raised, recessed and shadowed
// text, rotation, a fly-by colour and blinking. Every label joins the shared blinking list while
// it lives, blinking or not.
class TLuLabel : public framework::TLabel {
public:
    explicit TLuLabel(framework::TComponent* owner);
    ~TLuLabel() override;

    // Degrees, kept in 0..359; a non-zero angle turns a label without rotation flat.
    int Angle() const { return m_angle; }
    virtual void SetAngle(int value);
    bool Blinking() const { return m_blinking; }
    virtual void SetBlinking(bool value);
    TColor BlinkColor() const { return m_blinkColor; }
    virtual void SetBlinkColor(TColor value);
    // The shared list's phase lengths in milliseconds: one value for every blinking control.
    virtual std::uint16_t BlinkIntervalOff() const;
    virtual void SetBlinkIntervalOff(std::uint16_t value);
    virtual std::uint16_t BlinkIntervalOn() const;
    virtual void SetBlinkIntervalOn(std::uint16_t value);
    int BevelWidth() const { return m_bevelWidth; }
    virtual void SetBevelWidth(int value);
    TColor BorderColor() const { return m_borderColor; }
    virtual void SetBorderColor(TColor value);
    TFrameStyle BorderInner() const { return m_borderInner; }
    virtual void SetBorderInner(TFrameStyle value);
    TFrameStyle BorderOuter() const { return m_borderOuter; }
    virtual void SetBorderOuter(TFrameStyle value);
    TSides BorderSides() const { return m_borderSides; }
    virtual void SetBorderSides(TSides value);
    TColor BorderHighlight() const { return m_borderHighlight; }
    virtual void SetBorderHighlight(TColor value);
    TColor BorderShadow() const { return m_borderShadow; }
    virtual void SetBorderShadow(TColor value);
    int BorderWidth() const { return m_borderWidth; }
    virtual void SetBorderWidth(int value);
    TColor FlatColor() const { return m_flatColor; }
    virtual void SetFlatColor(TColor value);
    TCenterPoint CenterPoint() const { return m_centerPoint; }
    virtual void SetCenterPoint(TCenterPoint value);
    TColor FlyByColor() const { return m_flyByColor; }
    virtual void SetFlyByColor(TColor value);
    bool FlyByEnabled() const { return m_flyByEnabled; }
    virtual void SetFlyByEnabled(bool value);
    bool LightTextStyle() const { return m_lightTextStyle; }
    virtual void SetLightTextStyle(bool value);
    TRotation Rotation() const { return m_rotation; }
    virtual void SetRotation(TRotation value);
    TTextStyle TextStyle() const { return m_textStyle; }
    virtual void SetTextStyle(TTextStyle value);
    TColor HighlightColor() const { return m_highlightColor; }
    virtual void SetHighlightColor(TColor value);
    TColor ShadowColor() const { return m_shadowColor; }
    virtual void SetShadowColor(TColor value);
    int ShadowDepth() const { return m_shadowDepth; }
    virtual void SetShadowDepth(int value);

    // The colour the text is drawn in now: the font's, or the blink colour in the blink phase.
    TColor CurrentColor() const { return m_currentColor; }

    framework::TNotifyEvent OnMouseEnter;
    framework::TNotifyEvent OnMouseLeave;

    void WndProc(framework::TMessage& message) override;
    void Loaded() override;
    // Older streams hold a FrameSides set; it is read and dropped, never written.
    void DefineProperties(framework::TFiler& filer) override;

protected:
    virtual void ApplyBlinkState(bool on);
    // Grows a measured text extent by the borders, the shadow and the turn.
    virtual void AddBorderExtent(framework::TRect& rect);
    // Shrinks a rectangle to the text area inside the borders.
    virtual void AdjustRectByBorders(framework::TRect& rect, bool includeBorderWidth);
    virtual void MouseEnter();
    virtual void MouseLeave();

    void AdjustBounds() override;
    void Paint() override;

private:
    // One drawing of the text: its offset, its colour and whether its clip moves with it.
    struct TTextLayer {
        int dx;
        int dy;
        TColor color;
        bool movesClip;
    };

    bool Loading() const;
    bool Designing() const;
    int BorderExtent(TFrameStyle style) const;
    // A flat turn other than upside down gives the label the box round the turned text.
    bool TurnsItsBox() const;
    unsigned TextFormat() const;
    std::vector<TTextLayer> StyleLayers(int shadowOffset) const;
    std::vector<TTextLayer> FlatTextLayers() const;
    std::vector<TTextLayer> CurvedTextLayers() const;
    framework::TRect PaintBorderStyle(const framework::TRect& rect, TFrameStyle style);
    void DrawFlatText();
    void DrawUnrotatedText(const framework::TRect& textRect, unsigned format);
    void DrawFlatRotatedText(const framework::TRect& textRect, unsigned format);
    void PlaceVertically(framework::TRect& rect, unsigned format);
    void DrawTextIn(framework::TRect& rect, TColor color, unsigned format);
    framework::TPoint FlatRotationAnchor(const framework::TRect& textRect, unsigned format, unsigned& align);
    void DrawCurvedText();
    void CMMouseEnter();
    void CMMouseLeave();
    void CMFontChanged();

    int m_angle = 0;
    TColor m_blinkColor = gdi::clHighlight;
    bool m_blinking = false;
    int m_bevelWidth = 1;
    TFrameStyle m_borderInner = fsNone;
    TFrameStyle m_borderOuter = fsNone;
    TSides m_borderSides = sdAllSides;
    TColor m_borderColor = gdi::clBtnFace;
    TColor m_borderHighlight = gdi::clBtnHighlight;
    TColor m_borderShadow = gdi::clBtnShadow;
    int m_borderWidth = 0;
    TColor m_flatColor = gdi::clBtnShadow;
    TColor m_fontColor = 0;
    TCenterPoint m_centerPoint = cpCenter;
    TColor m_flyBySavedColor = 0;
    // The fly-by colour is in the font now, so that leaving restores only a colour it saved.
    bool m_flyByShown = false;
    bool m_flyByEnabled = false;
    TColor m_flyByColor = gdi::clHighlight;
    bool m_lightTextStyle = false;
    TTextStyle m_textStyle = tsNormal;
    TRotation m_rotation = roNone;
    TColor m_highlightColor = gdi::clBtnHighlight;
    TColor m_shadowColor = gdi::clBtnShadow;
    int m_shadowDepth = 2;
    TColor m_currentColor = 0;
};

} // namespace lu
