#pragma once

#include "controls/common/LuBlinkingControls.h"
#include "controls/label/LuLabel.h"
#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"
#include "platform/gdi/CallLog.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/FontEngine.h"
#include "platform/gdi/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
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

    // The ink of one text drawing as it would fall without a clip, and the rectangle it is clipped to.
    struct TextInk {
        std::string text;
        framework::TRect ink;
        framework::TRect clip;
    };

    // Each text line or output of one painting drawn again, unclipped, on a blank bitmap with room
    // all round the label: whatever of its ink lies outside its clip the label cut off.
    std::vector<TextInk> UnclippedInk(lu::TLuLabel* label) {
        const int margin = 120;
        std::vector<TextInk> inks;
        for (const gdi::CallLogEntry& e : PaintLogged(label)) {
            const bool line = e.call == "DrawTextLine";
            if (!line && e.call != "ExtTextOut" && e.call != "TextOut")
                continue;
            framework::TBitmap scratch;
            scratch.SetSize(label->Width() + 2 * margin, label->Height() + 2 * margin);
            gdi::LOGFONT log;
            log.lfHeight = e.height;
            log.lfEscapement = log.lfOrientation = e.escapement;
            log.lfWeight = e.weight;
            log.lfItalic = e.italic;
            log.lfUnderline = e.underline;
            log.lfFaceName = e.face;
            gdi::HFONT font = gdi::CreateFontIndirect(&log);
            gdi::HDC dc = scratch.Canvas()->Handle();
            gdi::HGDIOBJ old = gdi::SelectObject(dc, font);
            gdi::SetTextAlign(dc, line ? gdi::TA_LEFT | gdi::TA_TOP : e.align);
            gdi::SetBkMode(dc, gdi::TRANSPARENT);
            gdi::SetTextColor(dc, gdi::RGB(0, 0, 0));
            gdi::TextOut(dc, e.position.x + margin, e.position.y + margin, e.text);
            gdi::SelectObject(dc, old);
            gdi::DeleteObject(font);
            framework::TRect ink{1 << 20, 1 << 20, -(1 << 20), -(1 << 20)};
            for (int y = 0; y < scratch.Height(); ++y)
                for (int x = 0; x < scratch.Width(); ++x)
                    if ((gdi::GetPixel(dc, x, y) & 0xFFFFFF) != 0xFFFFFF) {
                        ink.left = std::min(ink.left, x - margin);
                        ink.top = std::min(ink.top, y - margin);
                        ink.right = std::max(ink.right, x - margin + 1);
                        ink.bottom = std::max(ink.bottom, y - margin + 1);
                    }
            inks.push_back(TextInk{e.text, ink, e.rect});
        }
        return inks;
    }

    // Every text drawing of the label shows all its ink: none of it falls outside its clip.
    void ExpectAllInkShown(lu::TLuLabel* label) {
        const std::vector<TextInk> inks = UnclippedInk(label);
        EXPECT_FALSE(inks.empty());
        for (const TextInk& i : inks) {
            SCOPED_TRACE("\"" + i.text + "\"");
            EXPECT_GE(i.ink.left, i.clip.left);
            EXPECT_GE(i.ink.top, i.clip.top);
            EXPECT_LE(i.ink.right, i.clip.right);
            EXPECT_LE(i.ink.bottom, i.clip.bottom);
        }
    }

    std::unique_ptr<framework::TForm> form;
};

inline gdi::COLORREF Rgb(gdi::TColor color) {
    return gdi::ColorToRGB(color) & 0xFFFFFF;
}

} // namespace lutest
