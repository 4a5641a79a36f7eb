#pragma once

#include "controls/common/LuCommonTypes.h"
#include "platform/framework/Graphics.h"

// Frame styles and the border painters. Every painter that returns a rectangle returns the part
// left inside the frame and leaves the caller's rectangle alone.
namespace lu {

using framework::TCanvas;
using framework::TRect;
using TColor = gdi::TColor;

// The system colours of each style's left and top edges (UpperLeft) and right and bottom edges
// (LowerRight). The painters read only the flat, etched, status, popup and bold rows.
struct TFrameStyleColorTables {
    TColor UpperLeft[FrameStyleCount];
    TColor LowerRight[FrameStyleCount];
};
extern const TFrameStyleColorTables FrameStyleColors;

// The two rings of a two-pixel border.
struct TRingColors {
    TColor OuterUpperLeft;
    TColor OuterLowerRight;
    TColor InnerUpperLeft;
    TColor InnerLowerRight;
};
// Index 0 raised, 1 lowered.
extern const TRingColors SunkenRaisedColors[2];
// Index 0 up, 1 down.
extern const TRingColors ButtonFrameColors[2];

// The rect less by pixels on each of the sides.
TRect ShrinkSides(const TRect& r, TSides sides, int by);

// One-pixel frame; sets only the pen colour. The lower-right colour wins the top-right and
// bottom-left corners.
TRect PaintFlatFrameSides(TCanvas* canvas, const TRect& r, TColor upperLeft, TColor lowerRight, TSides sides);
// width rings of PaintFlatFrameSides with a pen of width 1.
TRect PaintBevel(TCanvas* canvas, const TRect& r, TColor upperLeft, TColor lowerRight, int width,
                 TSides sides);
TRect PaintSunkenRaisedSides(TCanvas* canvas, const TRect& r, bool lowered, TSides sides);
TRect PaintButtonBorderSides(TCanvas* canvas, const TRect& r, bool down, TSides sides);
TRect PaintButtonBorder(TCanvas* canvas, const TRect& r, bool down);
TRect PaintColorButtonBorderSides(TCanvas* canvas, const TRect& r, TColor base, bool down, TSides sides);
TRect PaintColorButtonBorder(TCanvas* canvas, const TRect& r, TColor base, bool down);
// The groove and bump: a frame in the lower-right colour one pixel down and right of one in
// the upper-left colour, with the corner pixels that open sides need.
TRect PaintEtchedFrame(TCanvas* canvas, const TRect& r, TColor upperLeft, TColor lowerRight, TSides sides);

// In the system's 3D colours.
TRect PaintBorderSides(TCanvas* canvas, const TRect& r, TFrameStyle style, TSides sides);
TRect PaintBorder(TCanvas* canvas, const TRect& r, TFrameStyle style);
// Shaded from one base colour, so that a frame on a coloured control keeps its relief.
TRect PaintColorBorderSides(TCanvas* canvas, const TRect& r, TColor base, TFrameStyle style, TSides sides);
TRect PaintColorBorder(TCanvas* canvas, const TRect& r, TColor base, TFrameStyle style);

// The non-client frame of the edits on (0, 0, width, height). Unless keepBackground is set the two
// outer rings are first cleared to the background colour. The frame colour serves only the flat
// styles; other styles use the system colours on exactly clWindow and shades of the background
// colour otherwise.
void PaintFrameStyle(TCanvas* canvas, int width, int height, TFrameStyle style, TColor background,
                     TColor frameColor, TSides sides, bool keepBackground);

// A dotted black rectangle: every second pixel of each edge, starting one pixel in from the
// top-left corner.
TRect PaintFocusBorder(TCanvas* canvas, const TRect& r);

} // namespace lu
