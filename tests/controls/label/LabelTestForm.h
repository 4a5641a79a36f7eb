#pragma once

#include "controls/common/LuBlinkingControls.h"
#include "controls/label/LuLabel.h"
#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"
#include "platform/gdi/CallLog.h"
#include "platform/gdi/FontEngine.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace lutest {

// A borderless form at (100, 100) that holds the labels of a test; painting can be logged.
class LabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(lu::BlinkingControls(), nullptr) << "a label of an earlier test is still alive";
        framework::input::Reset();
        form = std::make_unique<framework::TForm>(nullptr);
        form->SetBorderStyle(framework::bsNone);
        form->SetBounds(100, 100, 420, 320);
        form->SetColor(gdi::clWhite);
        form->Font()->SetName("Arial");
        form->Font()->SetHeight(-20);
    }
    void TearDown() override {
        gdi::StopCallLog();
        gdi::ClearCallLog();
        form->Hide();
        form.reset();
        gdi::ResetRasterFontsForTest();
        framework::input::Reset();
    }

    lu::TLuLabel* AddLabel(const std::string& caption, framework::TRect bounds) {
        auto* label = new lu::TLuLabel(form.get());
        label->SetAutoSize(false);
        label->SetBoundsRect(bounds);
        label->SetCaption(caption);
        label->SetParent(form.get());
        return label;
    }

    void Show() {
        form->Show();
        framework::Application()->ProcessMessages();
    }

    // What the device saw while the label painted itself once.
    std::vector<gdi::CallLogEntry> PaintLogged(lu::TLuLabel* label) {
        gdi::ClearCallLog();
        gdi::StartCallLog();
        label->Repaint();
        gdi::StopCallLog();
        return gdi::CallLogEntries();
    }

    // The text drawings of one painting: text outputs, or DrawText calls that draw.
    static std::vector<gdi::CallLogEntry> TextDrawings(const std::vector<gdi::CallLogEntry>& log) {
        std::vector<gdi::CallLogEntry> drawn;
        for (const gdi::CallLogEntry& e : log)
            if (e.call == "TextOut" || e.call == "ExtTextOut" ||
                (e.call == "DrawText" && !(e.flags & gdi::DT_CALCRECT)))
                drawn.push_back(e);
        return drawn;
    }

    std::unique_ptr<framework::TForm> form;
};

inline gdi::COLORREF Rgb(gdi::TColor color) {
    return gdi::ColorToRGB(color) & 0xFFFFFF;
}

} // namespace lutest
