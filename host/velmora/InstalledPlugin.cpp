#include "host/velmora/InstalledPlugin.h"

namespace velmora {

std::string PluginFileNameOf(host::PluginBuild build) {
    return build == host::PluginBuild::Reduced ? ReducedPluginFileName : FullPluginFileName;
}

std::string InstalledPluginFileName() {
    return PluginFileNameOf(host::InstalledPluginBuild());
}

} // namespace velmora
