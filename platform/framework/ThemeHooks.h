#pragma once

namespace framework {

// Connects the graphics device's theme services to the framework's windows, so that a themed
// control asking for its parent's background gets what the parent paints there. Creating the
// first window installs it.
void InstallThemeHooks();

} // namespace framework
