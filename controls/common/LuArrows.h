#pragma once

#include "platform/framework/Graphics.h"

// The arrow glyphs of the drop-down and scroll buttons.
namespace lu {

enum : int { adUp = 0, adDown = 1, adLeft = 2, adRight = 3 };

// A downward chevron (themed) or triangle centred in r; a pressed arrow moves one pixel down and
// right. Pen style and brush colour are restored.
void PaintDropDownArrow(framework::TCanvas* canvas, const framework::TRect& r, bool themed, bool pressed,
                        bool enabled);
// As above for direction 0 up, 1 down, 2 left, 3 right; it moves only when enabled and pressed.
// Any other direction draws nothing.
void PaintDirectionArrow(framework::TCanvas* canvas, const framework::TRect& r, bool themed, int direction,
                         bool pressed, bool enabled);

// The arrow colour of the visual style: the centre of a themed drop button, or cl3DDkShadow when
// that is close to the window colour.
gdi::TColor ThemedArrowColor();

} // namespace lu
