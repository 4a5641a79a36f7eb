#include "core/HostObjects.h"

#include "platform/framework/Forms.h"

namespace tarnwick {

void AdoptHostObjects(framework::THintWindowClass hintWindowClass, framework::TApplication* application,
                      framework::TScreen* screen) {
    framework::SetApplication(application);
    framework::SetScreen(screen);
    framework::SetHintWindowClass(hintWindowClass);
}

} // namespace tarnwick
