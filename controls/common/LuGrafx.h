#pragma once

#include "controls/common/LuCommonTypes.h"
#include "platform/framework/Controls.h"
#include "platform/framework/Graphics.h"

#include <cstdint>

// Drawing shared by several controls: transparent bitmaps and two-colour gradients.
namespace lu {

using framework::TCanvas;
using framework::TRect;
using TColor = gdi::TColor;

// Draws the source part of the bitmap onto the canvas at the destination's top-left corner,
// leaving out every pixel of the transparent colour. A source part of another size is stretched.
void PaintTransparentBitmap(TCanvas* target, framework::TBitmap* source, const TRect& dest, const TRect& src,
                            TColor transparentColor);

// A linear gradient over r: the first colour is approached at the top (vertical) or left
// (horizontal) edge; the last row or column has exactly the second colour.
void PaintGradient(TCanvas* target, const TRect& r, TOrientation orientation, TColor first, TColor second,
                   std::uint8_t bandParameter);

// Fills the strip 8 pixels thick at the origin (a column for orVertical, a row for orHorizontal)
// over extent pixels with bands of colour, stepping from the second colour at the far end in
// 16.16 fixed point. A band parameter of 2..8 gives bands at least that long, 9 or more bands of
// at least 255 div parameter + 1 pixels.
void FillGradientBands(gdi::HDC dc, TOrientation orientation, int extent, TColor first, TColor second,
                       std::uint8_t bandParameter);

// Paints the part of the parent's background that lies under the control into dc (the control's
// coordinates): the parent gets WM_ERASEBKGND and WM_PAINT with dc, shifted and clipped to its
// client area. Without a parent nothing happens. With invalidateParent, a parent that does not
// paint itself completely (neither a custom control nor a form) is invalidated at run time.
void PaintParentBackground(framework::TControl* control, gdi::HDC dc, bool invalidateParent);
void PaintParentBackground(framework::TControl* control, TCanvas* canvas, bool invalidateParent);

} // namespace lu
