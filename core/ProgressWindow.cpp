#include "core/ProgressWindow.h"

#include "core/HostApi.h"

namespace tarnwick {

ProgressWindow::ProgressWindow(framework::TCustomForm* owner, const std::string& text) {
    BeginProcess(owner, 0, text.c_str());
}

ProgressWindow::~ProgressWindow() {
    try {
        EndProcess();
    } catch (...) {
        // A host that cannot close its window has nothing better to hear from us while we unwind.
    }
}

void ProgressWindow::Hide() {
    HideProcess();
}

void ProgressWindow::Change(const std::string& text) {
    ChangeTransInfo(text.c_str());
}

} // namespace tarnwick
