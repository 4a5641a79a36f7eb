#pragma once

#include "controls/panel/LuPanels.h"
#include "platform/framework/Forms.h"
#include "platform/gdi/CallLog.h"
#include "platform/gdi/Gdi.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace paneltest {

using framework::TRect;

// The DrawText calls, not the measuring ones, that the painting made for the text.
inline std::vector<gdi::CallLogEntry>
TextDraws(const std::string& text, const std::function<void()>& paint = framework::UpdateAllWindows) {
    gdi::StartCallLog();
    gdi::ClearCallLog();
    paint();
    gdi::StopCallLog();
    std::vector<gdi::CallLogEntry> out;
    for (const gdi::CallLogEntry& e : gdi::CallLogEntries())
        if (e.call == "DrawText" && e.text == text && (e.flags & gdi::DT_CALCRECT) == 0)
            out.push_back(e);
    return out;
}

// A shown form without a frame, on which the tests place panels.
class PanelForm : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<framework::TForm>(nullptr);
        form->SetBorderStyle(framework::bsNone);
        form->SetBounds(0, 0, 400, 300);
        form->SetColor(gdi::clWhite);
        form->Show();
    }
    void TearDown() override { form.reset(); }

    template <class T>
    T* Add(int left, int top, int width, int height, framework::TWinControl* parent = nullptr) {
        auto* control = new T(form.get());
        control->SetParent(parent != nullptr ? parent : form.get());
        control->SetBounds(left, top, width, height);
        return control;
    }

    // The control's pixels after all pending painting, one character per pixel from the legend;
    // '?' marks a colour the legend lacks.
    static std::vector<std::string> Map(framework::TWinControl* control,
                                        const std::map<gdi::TColor, char>& legend, TRect area) {
        framework::UpdateAllWindows();
        gdi::HDC dc = framework::GetWindowDC(control->Handle());
        std::vector<std::string> rows;
        for (int y = area.top; y < area.bottom; ++y) {
            std::string row;
            for (int x = area.left; x < area.right; ++x) {
                const gdi::COLORREF p = gdi::GetPixel(dc, x, y);
                char c = '?';
                for (const auto& [color, ch] : legend)
                    if (gdi::ColorToRGB(color) == p)
                        c = ch;
                row += c;
            }
            rows.push_back(row);
        }
        framework::ReleaseDC(control->Handle(), dc);
        return rows;
    }
    static std::vector<std::string> Map(framework::TWinControl* control,
                                        const std::map<gdi::TColor, char>& legend) {
        return Map(control, legend, TRect{0, 0, control->Width(), control->Height()});
    }

    static gdi::COLORREF Pixel(framework::TWinControl* control, int x, int y) {
        framework::UpdateAllWindows();
        gdi::HDC dc = framework::GetWindowDC(control->Handle());
        const gdi::COLORREF p = gdi::GetPixel(dc, x, y);
        framework::ReleaseDC(control->Handle(), dc);
        return p;
    }

    static gdi::COLORREF Rgb(gdi::TColor c) { return gdi::ColorToRGB(c); }

    std::unique_ptr<framework::TForm> form;
};

} // namespace paneltest
