#pragma once

#include "platform/framework/Graphics.h"

namespace lu {

// A new device font like the given one, turned by angle degrees; the caller selects and deletes it.
gdi::HFONT CreateAngledFont(framework::TFont* font, int angle);
// True when the screen realises the font as an outline (TrueType) face.
bool FontIsTrueType(framework::TFont* font);

} // namespace lu
