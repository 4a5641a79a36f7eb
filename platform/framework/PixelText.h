#pragma once

#include "platform/gdi/Objects.h"

#include <string>
#include <string_view>

// Small pictures written as text, so that the library's own artwork can be drawn and reviewed in
// an editor:
//
//   ; a comment
//   F = 808080        one key character, "=", the colour as RRGGBB
//   W = FFFFFF
//   FFFF              every other line is a row, one key character per pixel, top row first
//   FWWF
//   FFFF
//
// The keys are the picture's palette, so a colour map applies to it as to any palette image.
namespace framework {

// A 32-bit bitmap; raises EInvalidGraphic naming `what` and the line at fault.
gdi::HBITMAP ParsePixelText(std::string_view text, const std::string& what);

} // namespace framework
