#pragma once

#include "controls/checkbox/LuRadChk.h"

#include "../button/ButtonForm.h"

#include <string>

namespace checkboxtest {

using namespace framework;
using namespace buttontest;
using lu::TLuCheckBox;

// The hot-tracking colour of the wizard's rows and buttons.
constexpr gdi::TColor WizardHotTrackColor = 3983359;

// A module row's box in the export wizard: frame colour 8409372, highlight colour 2203937, hot
// tracking in 3983359 of the actual type, the caption centred vertically.
inline void WizardRowLook(TLuCheckBox* box) {
    box->SetFrameColor(gdi::TColor(8409372));
    box->SetHighlightColor(gdi::TColor(2203937));
    box->SetHotTrack(true);
    box->SetHotTrackColor(WizardHotTrackColor);
    box->SetHotTrackColorType(lu::htctActual);
    box->SetAlignmentVertical(lu::avCenter);
}

// The wizard's font.
inline void WizardFont(TFont* font) {
    font->SetName("宋体");
    font->SetHeight(-12);
    font->SetCharset(134);
}

// Exposes the look a box is drawn in.
class TProbeBox : public TLuCheckBox {
public:
    using TLuCheckBox::TLuCheckBox;
    bool Pressed() const { return PressedLook(); }
    bool Inside() const { return MouseInside(); }
};

} // namespace checkboxtest
