#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Colour identifiers as form resources write them (clBtnFace, clRed). The table is seeded with the
// standard names and can be extended; system colours are 0xFF000000 | index.
namespace framework {

void RegisterColorIdent(const std::string& name, std::uint32_t value);
std::optional<std::uint32_t> IdentToColor(std::string_view name);
std::optional<std::string> ColorToIdent(std::uint32_t value);

} // namespace framework
