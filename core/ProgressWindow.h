#pragma once

#include <string>

namespace framework {
class TCustomForm;
}

namespace tarnwick {

// The host's progress window for one operation: shown on construction and closed on every way out,
// errors included.
class ProgressWindow {
public:
    ProgressWindow(framework::TCustomForm* owner, const std::string& text);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    // Out of the way while a form of the operation is shown.
    void Hide();
    // What the operation is doing now.
    void Change(const std::string& text);
};

} // namespace tarnwick
