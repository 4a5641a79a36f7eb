#pragma once

// The glyph-drawn toggles: the glyph button base, its action link, and the check box.
#include "controls/checkbox/LuCheckBox.h"
#include "controls/checkbox/LuCheckedActionLink.h"
#include "controls/checkbox/LuCustomGlyphButton.h"
