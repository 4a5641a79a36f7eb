#include "core/LibraryMain.h"

#include "platform/framework/Forms.h"
#include "platform/win/Ole.h"

namespace tarnwick {

namespace {

framework::TScreen* s_ownScreen = nullptr;
framework::TApplication* s_ownApplication = nullptr;
framework::THintWindowClass s_ownHintWindowClass = nullptr;

void HostApiInitialization() {
    win::OleInitialize(nullptr);
}
void HostApiFinalization() {
    win::OleUninitialize();
}

void LibraryMain() {
    HostApiInitialization();
    LibraryDllProc(DLL_PROCESS_ATTACH);
}

// The detach runs before the units' finalisations, as the library procedure does on unload.
void LibraryUnload() {
    LibraryDllProc(DLL_PROCESS_DETACH);
    HostApiFinalization();
}

struct Library {
    Library() { LibraryMain(); }
    ~Library() { LibraryUnload(); }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
};

const Library s_library;

} // namespace

void LibraryDllProc(std::int32_t reason) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        s_ownScreen = framework::Screen();
        s_ownApplication = framework::Application();
        s_ownHintWindowClass = framework::HintWindowClass();
        break;
    case DLL_PROCESS_DETACH:
        framework::SetScreen(s_ownScreen);
        framework::SetApplication(s_ownApplication);
        framework::SetHintWindowClass(s_ownHintWindowClass);
        break;
    default:
        break;
    }
}

} // namespace tarnwick
