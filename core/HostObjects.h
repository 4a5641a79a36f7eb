#pragma once

#include "core/HostApi.h"

namespace tarnwick {

// Puts the host's objects into the framework's three slots, where every form, dialog and message
// box of the library finds them. They stay there until the library is unloaded.
void AdoptHostObjects(framework::THintWindowClass hintWindowClass, framework::TApplication* application,
                      framework::TScreen* screen);

} // namespace tarnwick
