#pragma once

#include "platform/gdi/Objects.h"

#include <string>

namespace gdi {

// Writes 8-bit RGB; raises rtl::EInOutError when the file cannot be written.
void SavePng(const Surface& surface, const std::string& path);
void SavePng(HBITMAP bitmap, const std::string& path);
// Reads any PNG as a 32-bit bitmap (alpha is dropped); raises rtl::EInOutError on failure.
HBITMAP LoadPng(const std::string& path);

} // namespace gdi
