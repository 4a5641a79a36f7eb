#pragma once

#include "platform/framework/Graphics.h"

#include <string>

namespace lu {

// DrawText on the canvas's context in the canvas's font and font colour, without a background.
// Answers the text height; with DT_CALCRECT it only measures into r.
int DrawCanvasText(framework::TCanvas* canvas, const std::string& text, framework::TRect& r, unsigned flags);

// The size of a text in the font, measured on the screen, for controls that have no window yet.
framework::TSize FontTextExtent(framework::TFont* font, const std::string& text);

} // namespace lu
