#pragma once

#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"
#include "platform/framework/Timers.h"
#include "platform/framework/Window.h"
#include "platform/gdi/Gdi.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace buttontest {

using namespace framework;

// A borderless form at (100, 100) on the screen, driven through synthetic input.
class ButtonForm : public ::testing::Test {
protected:
    void SetUp() override {
        input::Reset();
        gdi::GetThemeServices().SetThemesEnabled(false);
        form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 100, 400, 300);
    }
    void TearDown() override {
        form->Hide();
        form.reset();
        input::Reset();
        gdi::GetThemeServices().SetThemesEnabled(false);
    }

    template <class T> T* Add(const std::string& name, TRect bounds, TWinControl* parent = nullptr) {
        auto* control = new T(form.get());
        control->SetName(name);
        control->SetBoundsRect(bounds);
        control->SetParent(parent != nullptr ? parent : form.get());
        return control;
    }

    static TPoint At(const TControl* control, int x, int y) { return control->ClientToScreen(TPoint{x, y}); }

    // The control's pixel as the screen shows it, after all pending painting.
    static gdi::COLORREF PixelOf(TWinControl* control, int x, int y) {
        UpdateAllWindows();
        const TPoint client = control->ClientOrigin();
        TRect window;
        GetWindowRect(control->Handle(), &window);
        return control->Handle()->Pixels().Pixel(client.x - window.left + x, client.y - window.top + y) &
               0xFFFFFF;
    }

    std::unique_ptr<TForm> form;
};

inline gdi::COLORREF Rgb(gdi::TColor color) {
    return gdi::ColorToRGB(color) & 0xFFFFFF;
}

} // namespace buttontest
