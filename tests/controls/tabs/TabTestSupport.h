#pragma once

#include "controls/tabs/LuTabs.h"
#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tabtest {

using framework::TPoint;
using framework::TRect;
using namespace lu;

// A tab control as a form resource names it: it publishes the tab control's properties and
// counts the repaints it asks for.
class TTestTabControl : public TLuCustomTabControl {
public:
    using TLuCustomTabControl::TLuCustomTabControl;
    void InvalidateTabs() override {
        ++Repaints;
        TLuCustomTabControl::InvalidateTabs();
    }
    int Repaints = 0;
};

// Adds tabs with these captions and puts them into one row the way the layout does: extents along
// the strip, each row thickness thick, starting at Margin (counted back from the far end for
// tsReverse), neighbours overlapping by their slant. Then the scroller decision and placement
// follow, as after a layout.
inline void LayOutOneRow(TLuCustomTabControl& c, const std::vector<std::string>& captions,
                         const std::vector<int>& extents, int thickness) {
    c.Tabs()->Clear();
    c.SetFixedDimension(thickness);
    c.SetRowCount(1);
    const int top = c.GetTabAreaThickness() - thickness;
    const int slant = c.SlantWidth(thickness);
    const bool standard = c.TabSequence() == tsStandard;
    int pos = standard ? c.Margin() : -c.Margin();
    for (std::size_t i = 0; i < captions.size(); ++i) {
        auto tab = std::make_unique<TLuTabData>();
        tab->SetCaption(captions[i]);
        const int e = extents[i];
        if (standard) {
            tab->SetTabRect(TRect{pos, top, pos + e, top + thickness});
            pos += e - slant + 1;
        } else {
            tab->SetTabRect(TRect{pos - e, top, pos, top + thickness});
            pos -= e - slant + 1;
        }
        c.Tabs()->Add(std::move(tab));
    }
    // A reversed row ends at its last tab, which then starts at 0.
    if (!standard && c.Tabs()->Count() > 0) {
        const int leftmost = c.Tabs()->Items(c.Tabs()->Count() - 1)->TabRect().left;
        for (int i = 0; i < c.Tabs()->Count(); ++i) {
            TRect r = c.Tabs()->Items(i)->TabRect();
            gdi::OffsetRect(&r, -leftmost, 0);
            c.Tabs()->Items(i)->SetTabRect(r);
        }
    }
    c.RegionCache()->Clear();
    c.UpdateScrollerNeeded();
    c.Realign();
}

// A borderless form at (100, 100) for real mouse input; it goes with the test.
class TabForm : public ::testing::Test {
protected:
    void SetUp() override {
        framework::input::Reset();
        form = std::make_unique<framework::TForm>(nullptr);
        form->SetBorderStyle(framework::bsNone);
        form->SetBounds(100, 100, 400, 300);
    }
    void TearDown() override {
        form->Hide();
        form.reset();
        framework::input::Reset();
        gdi::GetThemeServices().SetThemesEnabled(false);
    }
    template <class T = TTestTabControl> T* AddTabs(const TRect& bounds) {
        auto* c = new T(form.get());
        c->SetBoundsRect(bounds);
        c->SetParent(form.get());
        return c;
    }
    // A client point of the control on the screen.
    static TPoint Screen(const framework::TControl& c, TPoint p) { return c.ClientToScreen(p); }
    static void MoveTo(const framework::TControl& c, TPoint p) { framework::input::MoveMouse(Screen(c, p)); }
    static void ClickAt(const framework::TControl& c, TPoint p) { framework::input::Click(Screen(c, p)); }
    // A point well inside the tab (the centre of its rectangle).
    static TPoint Inside(const TLuCustomTabControl& c, int index) {
        const TRect r = c.GetTabRect(index);
        return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    std::unique_ptr<framework::TForm> form;
};

} // namespace tabtest
