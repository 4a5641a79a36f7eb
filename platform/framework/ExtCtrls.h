#pragma once

#include "platform/framework/CustomControl.h"
#include "platform/framework/GraphicControl.h"

namespace framework {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
extern const TEnumInfo BevelCutInfo;

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TBevelCut value);
    TBevelCut BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TBevelCut value);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    bool FullRepaint() const { return m_fullRepaint; }
    void SetFullRepaint(bool value) { m_fullRepaint = value; }
    bool Locked() const { return m_locked; }
    void SetLocked(bool value) { m_locked = value; }

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;

private:
    TBevelCut m_bevelOuter = bvRaised;
    TBevelCut m_bevelInner = bvNone;
    int m_bevelWidth = 1;
    TBorderStyle m_borderStyle = bsNone;
    TAlignment m_alignment = taCenter;
    bool m_fullRepaint = true;
    bool m_locked = false;
};

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };
extern const TEnumInfo BevelShapeInfo;
extern const TEnumInfo BevelStyleInfo;

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* owner);
    TBevelShape Shape() const { return m_shape; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return m_style; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape m_shape = bsBox;
    TBevelStyle m_style = bsLowered;
};

// Draws a 3-D frame of the given width inside r and shrinks r by it.
void Frame3D(TCanvas* canvas, TRect& r, TColor topColor, TColor bottomColor, int width);

} // namespace framework
