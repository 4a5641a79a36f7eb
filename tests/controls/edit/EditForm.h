#pragma once

#include "controls/edit/LuEdit.h"
#include "controls/edit/LuMemo.h"
#include "controls/edit/LuRichEdit.h"
#include "platform/framework/Clipbrd.h"
#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"
#include "platform/framework/Window.h"
#include "platform/gdi/Gdi.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace edittest {

using namespace framework;

// An edit that shows its drop button, as a descendant would.
class TDropEdit : public lu::TLuEdit {
public:
    using TLuCustomEdit::SetDropButtonState;
    using TLuCustomEdit::SetDropButtonVisible;
    using TLuCustomEdit::SetFlatButtons;
    using TLuEdit::TLuEdit;
};

// A borderless form at (100, 100) on the screen, driven through synthetic input.
class EditForm : public ::testing::Test {
protected:
    void SetUp() override {
        input::Reset();
        gdi::GetThemeServices().SetThemesEnabled(false);
        DialogService().ClearRecords();
        Clipboard().Clear();
        form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 100, 420, 320);
        form->SetColor(0xF0F0F0);
    }
    void TearDown() override {
        form->Hide();
        form.reset();
        input::Reset();
        gdi::GetThemeServices().SetThemesEnabled(false);
        SetPlatformVersion(5, 1);
        Mouse().SetWheelScrollLines(3);
    }

    template <class T> T* Add(const std::string& name, TRect bounds) {
        auto* control = new T(form.get());
        control->SetName(name);
        control->SetBoundsRect(bounds);
        control->SetParent(form.get());
        return control;
    }

    // A screen point given in window coordinates of the control (non-client area included).
    static TPoint AtWindow(TWinControl* control, int x, int y) {
        TRect window;
        GetWindowRect(control->Handle(), &window);
        return TPoint{window.left + x, window.top + y};
    }
    static TPoint AtClient(const TControl* control, int x, int y) {
        return control->ClientToScreen(TPoint{x, y});
    }

    // A pixel of the control's window (non-client area included) after all pending painting.
    static gdi::COLORREF WindowPixel(TWinControl* control, int x, int y) {
        UpdateAllWindows();
        return control->Handle()->Pixels().Pixel(x, y) & 0xFFFFFF;
    }

    std::unique_ptr<TForm> form;
};

inline gdi::COLORREF Rgb(gdi::TColor color) {
    return gdi::ColorToRGB(color) & 0xFFFFFF;
}

} // namespace edittest
