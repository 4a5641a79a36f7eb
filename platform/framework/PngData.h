#pragma once

#include "platform/gdi/Objects.h"

#include <string>
#include <string_view>

// PNG images held in memory: the pictures of form resources and of bitmap resources.
namespace framework {

bool IsPng(std::string_view bytes);
// Eight-bit RGB.
std::string EncodePng(const gdi::Surface& surface);
// A 32-bit bitmap; raises EInvalidGraphic, naming `what`, when the bytes hold no PNG image.
gdi::HBITMAP DecodePng(std::string_view bytes, const std::string& what);
// True for an image of 8 bits per pixel or fewer, through a palette or grey levels.
bool PngHasPalette(std::string_view bytes);

} // namespace framework
