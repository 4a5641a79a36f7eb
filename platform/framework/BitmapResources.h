#pragma once

#include "platform/framework/TypInfo.h"
#include "platform/gdi/Objects.h"

#include <string>
#include <string_view>

// Bitmap resources compiled into a library, as its form resources are: the build embeds each
// picture (a PNG image, or the text form of PixelText.h) through tarnwick_bitmap_resources()
// (Resources.cmake), registered for the library it is linked into under its file name without
// extension. The resources go when the library is unloaded.
namespace framework {

void RegisterBitmapResource(const void* library, const std::string& name, std::string data);
// The library's own resource first, then one of the platform's; null when neither has it.
const std::string* FindBitmapResource(const void* library, std::string_view name);

// The picture of PNG bytes or picture text; raises EInvalidGraphic naming `what` otherwise.
gdi::HBITMAP DecodeBitmapData(std::string_view data, const std::string& what);
// True for pictures of 8 bits per pixel or fewer: picture text and palette or grey PNG images.
bool BitmapDataHasPalette(std::string_view data);

struct TBitmapResourceRegistration {
    [[gnu::visibility("hidden")]] TBitmapResourceRegistration(const char* name, const unsigned char* data,
                                                              std::size_t size) {
        RegisterBitmapResource(ThisLibrary(), name, std::string(reinterpret_cast<const char*>(data), size));
    }
};

} // namespace framework
