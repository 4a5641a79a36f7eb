#pragma once

#include "controls/common/LuCommonTypes.h"
#include "controls/common/LuFrameController.h"
#include "platform/framework/ExtCtrls.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace lu {

using framework::TCanvas;
using framework::TRect;

enum TLuGridStyle : std::uint8_t { gsDots, gsDottedLines, gsSolidLines };
extern const framework::TEnumInfo GridStyleInfo;

// A container with two frame-style borders, a coloured ring of BorderWidth between them, an
// optional design grid and a caption placed by horizontal and vertical alignment. It paints all
// of itself, through an off-screen bitmap.
class TLuCustomPanel : public framework::TCustomPanel, public IFrameControllerNotify {
public:
    explicit TLuCustomPanel(framework::TComponent* owner);
    ~TLuCustomPanel() override;

    TFrameStyle BorderOuter() const { return m_borderOuter; }
    virtual void SetBorderOuter(TFrameStyle value);
    TFrameStyle BorderInner() const { return m_borderInner; }
    virtual void SetBorderInner(TFrameStyle value);
    TSides BorderSides() const { return m_borderSides; }
    virtual void SetBorderSides(TSides value);
    // The ring of BorderWidth between the outer and the inner border.
    TColor BorderColor() const { return m_borderColor; }
    virtual void SetBorderColor(TColor value);
    // The framework's width of the fsStatus and fsPopup borders; a negative width is dropped, as
    // every size property of the library drops it.
    void SetBevelWidth(int value);
    // The edges of the fsStatus and fsPopup borders, which are BevelWidth wide.
    TColor BorderHighlight() const { return m_borderHighlight; }
    virtual void SetBorderHighlight(TColor value);
    TColor BorderShadow() const { return m_borderShadow; }
    virtual void SetBorderShadow(TColor value);
    // The flat borders are FlatColor with its luminance moved by FlatColorAdjustment (-255..255).
    TColor FlatColor() const { return m_flatColor; }
    virtual void SetFlatColor(TColor value);
    int FlatColorAdjustment() const { return m_flatColorAdjustment; }
    virtual void SetFlatColorAdjustment(int value);
    TAlignmentVertical AlignmentVertical() const { return m_alignmentVertical; }
    virtual void SetAlignmentVertical(TAlignmentVertical value);
    bool ShowGrid() const { return m_showGrid; }
    virtual void SetShowGrid(bool value);
    TColor GridColor() const { return m_gridColor; }
    virtual void SetGridColor(TColor value);
    TLuGridStyle GridStyle() const { return m_gridStyle; }
    virtual void SetGridStyle(TLuGridStyle value);
    std::uint16_t GridXSize() const { return m_gridXSize; }
    virtual void SetGridXSize(std::uint16_t value);
    std::uint16_t GridYSize() const { return m_gridYSize; }
    virtual void SetGridYSize(std::uint16_t value);
    bool Transparent() const { return m_transparent; }
    virtual void SetTransparent(bool value);
    bool ThemeAware() const { return m_themeAware; }
    virtual void SetThemeAware(bool value);
    bool ShowDockClientCaptions() const { return m_showDockClientCaptions; }
    void SetShowDockClientCaptions(bool value);
    TLuFrameController* FrameController() const { return m_frameController; }
    virtual void SetFrameController(TLuFrameController* value);

    // Takes the frame look of the controller while its frame is visible.
    void ApplyFrameController() override;

    virtual framework::TPoint GetCursorClientPos();
    // The rect less the outer and inner border on BorderSides, and first less BorderWidth all
    // round when asked.
    virtual TRect AdjustRectByBorders(const TRect& rect, bool includeBorderWidth);
    virtual TRect GetControlRect() const;

    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(framework::TMessage& message) override;
    void DefineProperties(framework::TFiler& filer) override;
    void Notification(framework::TComponent* component, framework::TOperation operation) override;

    framework::TNotifyEvent OnMouseEnter;
    framework::TNotifyEvent OnMouseLeave;
    framework::TNotifyEvent OnPaint;

protected:
    virtual void DrawCaption(TCanvas* canvas, const TRect& rect);
    virtual void DrawGrid(TCanvas* canvas, const TRect& rect);

    void AdjustClientRect(TRect& rect) override;
    void AlignControls(framework::TControl* control, TRect& rect) override;
    void Paint() override;
    framework::TDockTree* CreateDockManager() override;
    void CMEnabledChanged(framework::TMessage& message) override;

    // Paints into a bitmap of the control's size, which then goes onto the canvas in one
    // transfer; a transparent control's bitmap starts with what the canvas shows.
    void PaintOffScreen(const std::function<void(TCanvas*)>& paint);
    // Borders, ring, background, grid and caption: everything Paint draws but the event.
    void PaintPanel(TCanvas* canvas);
    // One border in the panel's own colours for flat, status and popup styles.
    TRect PaintPanelBorder(TCanvas* canvas, const TRect& rect, TFrameStyle style);
    TColor FlatShade() const;
    int BorderStyleWidth(TFrameStyle style) const;
    void SetBorderOuterSilently(TFrameStyle value) { m_borderOuter = value; }
    void SetBorderInnerSilently(TFrameStyle value) { m_borderInner = value; }
    void SetThemeAwareSilently(bool value) { m_themeAware = value; }
    void SetAlignmentVerticalSilently(TAlignmentVertical value) { m_alignmentVertical = value; }

private:
    struct ChildState {
        framework::TControl* child;
        bool enabled;
    };

    void Rearrange();
    void InvalidateResizedEdges(const framework::TWindowPos& pos);
    void EraseBackground(framework::TMessage& message);

    TFrameStyle m_borderOuter = fsRaised;
    TFrameStyle m_borderInner = fsNone;
    TSides m_borderSides = sdAllSides;
    TColor m_borderColor = gdi::clBtnFace;
    TColor m_borderHighlight = gdi::clBtnHighlight;
    TColor m_borderShadow = gdi::clBtnShadow;
    TColor m_flatColor = gdi::clBtnShadow;
    int m_flatColorAdjustment = 30;
    TAlignmentVertical m_alignmentVertical = avCenter;
    bool m_showGrid = false;
    TColor m_gridColor = gdi::clBtnShadow;
    TLuGridStyle m_gridStyle = gsDots;
    std::uint16_t m_gridXSize = 8;
    std::uint16_t m_gridYSize = 8;
    bool m_transparent = false;
    bool m_themeAware = true;
    bool m_showDockClientCaptions = true;
    TLuFrameController* m_frameController = nullptr;
    // Whether each child was enabled when the panel was disabled.
    std::vector<ChildState> m_childStates;
};

class TLuPanel : public TLuCustomPanel {
public:
    using TLuCustomPanel::TLuCustomPanel;
};

} // namespace lu
