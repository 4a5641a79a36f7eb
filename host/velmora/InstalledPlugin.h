#pragma once

#include "host/HostControl.h"

#include <string>

// Which of the two plug-ins an installation runs: velmora init puts one in, and every command that
// calls the plug-in loads that one.
namespace velmora {

inline constexpr char FullPluginFileName[] = "Tarnwick.so";
inline constexpr char ReducedPluginFileName[] = "TarnwickReduced.so";

std::string PluginFileNameOf(host::PluginBuild build);
// The plug-in of the installation that is open.
std::string InstalledPluginFileName();

} // namespace velmora
