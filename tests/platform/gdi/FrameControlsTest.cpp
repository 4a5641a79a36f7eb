#include "GdiTestSupport.h"

#include "platform/gdi/DeviceCaps.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/Themes.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace gdi {
namespace {

using test::TestCanvas;

TEST(SystemColours, TableAndColorToRGB) {
    EXPECT_EQ(ColorToRGB(clWindow), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(128, 128, 128));
    EXPECT_EQ(ColorToRGB(cl3DDkShadow), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
    EXPECT_EQ(clNone, 0x1FFFFFFFu);
    EXPECT_EQ(GetSysColor(99), 0u);
    SetSysColorForTest(COLOR_BTNFACE, RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(1, 2, 3));
    TestCanvas canvas(1, 1);
    RECT r{0, 0, 1, 1};
    FillRect(canvas.dc(), &r, GetSysColorBrush(COLOR_BTNFACE)); // follows the table
    EXPECT_EQ(canvas.At(0, 0), RGB(1, 2, 3));
    ResetSysColors();
    EXPECT_NE(ColorToRGB(clBtnFace), RGB(1, 2, 3));
}

TEST(DeviceCaps, ScreenAnswersAndTheLowColourSwitch) {
    HDC screen = CreateScreenDC();
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(screen, NUMCOLORS), -1);
    SetLowColorScreenForTest(true);
    EXPECT_EQ(GetDeviceCaps(screen, NUMCOLORS), 256);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 8);
    SetLowColorScreenForTest(false);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
    EXPECT_EQ(GetSystemMetrics(9999), 0);
    DeleteDC(screen);
}

TEST(Edges, SunkenEdgeRingsAndAdjust) {
    TestCanvas canvas(5, 5);
    RECT r{0, 0, 5, 5};
    DrawEdge(canvas.dc(), &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST | BF_MIDDLE);
    EXPECT_EQ(r, (RECT{2, 2, 3, 3}));
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), highlight = GetSysColor(COLOR_BTNHIGHLIGHT),
                   dark = GetSysColor(COLOR_3DDKSHADOW), light = GetSysColor(COLOR_3DLIGHT);
    EXPECT_EQ(canvas.At(0, 0), shadow);
    EXPECT_EQ(canvas.At(0, 3), shadow);
    EXPECT_EQ(canvas.At(4, 0), highlight); // the lower-right colour wins the top-right corner
    EXPECT_EQ(canvas.At(0, 4), highlight);
    EXPECT_EQ(canvas.At(1, 1), dark);
    EXPECT_EQ(canvas.At(3, 3), light);
    EXPECT_EQ(canvas.At(2, 2), GetSysColor(COLOR_BTNFACE));
    RECT partial{0, 0, 5, 5};
    DrawEdge(canvas.dc(), &partial, BDR_RAISEDOUTER, BF_BOTTOM | BF_ADJUST);
    EXPECT_EQ(partial, (RECT{0, 0, 5, 4}));
    EXPECT_THROW(DrawEdge(canvas.dc(), &partial, EDGE_RAISED, BF_DIAGONAL), rtl::Exception);
}

TEST(FrameControls, CheckBoxStates) {
    struct Case {
        unsigned state;
        COLORREF face;
        bool marked;
        COLORREF mark;
    };
    const Case cases[] = {
        {DFCS_BUTTONCHECK, GetSysColor(COLOR_WINDOW), false, 0},
        {DFCS_BUTTONCHECK | DFCS_CHECKED, GetSysColor(COLOR_WINDOW), true, GetSysColor(COLOR_WINDOWTEXT)},
        {DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_BUTTON3STATE, GetSysColor(COLOR_BTNFACE), true,
         GetSysColor(COLOR_BTNSHADOW)},
        {DFCS_BUTTONCHECK | DFCS_PUSHED, GetSysColor(COLOR_BTNFACE), false, 0},
        {DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE, GetSysColor(COLOR_BTNFACE), true,
         GetSysColor(COLOR_BTNSHADOW)},
    };
    for (const Case& c : cases) {
        TestCanvas canvas(13, 13);
        RECT r{0, 0, 13, 13};
        DrawFrameControl(canvas.dc(), &r, DFC_BUTTON, c.state);
        EXPECT_EQ(canvas.At(0, 0), GetSysColor(COLOR_BTNSHADOW)) << c.state;
        EXPECT_EQ(canvas.At(2, 2), c.face) << c.state;
        // The tick's lowest column sits at the middle of the interior.
        EXPECT_EQ(canvas.At(5, 7), c.marked ? c.mark : c.face) << c.state;
    }
}

TEST(FrameControls, ArrowsAndCloseGlyph) {
    struct Case {
        unsigned type, state;
    };
    const Case cases[] = {{DFC_SCROLL, DFCS_SCROLLCOMBOBOX},
                          {DFC_SCROLL, DFCS_SCROLLUP},
                          {DFC_SCROLL, DFCS_SCROLLLEFT},
                          {DFC_SCROLL, DFCS_SCROLLRIGHT},
                          {DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_FLAT}};
    for (const Case& c : cases) {
        TestCanvas canvas(16, 16);
        RECT r{0, 0, 16, 16};
        DrawFrameControl(canvas.dc(), &r, c.type, c.state);
        int ink = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ink += canvas.At(x, y) == GetSysColor(COLOR_BTNTEXT);
        EXPECT_GT(ink, 8) << c.state;
        // A pushed button moves its glyph one pixel right and down.
        TestCanvas pushed(16, 16);
        DrawFrameControl(pushed.dc(), &r, c.type, c.state | DFCS_PUSHED);
        for (int y = 1; y < 15; ++y)
            for (int x = 1; x < 15; ++x)
                if (canvas.At(x, y) == GetSysColor(COLOR_BTNTEXT)) {
                    EXPECT_EQ(pushed.At(x + 1, y + 1), GetSysColor(COLOR_BTNTEXT))
                        << c.state << " " << x << "," << y;
                }
    }
    TestCanvas canvas(16, 16);
    RECT r{0, 0, 16, 16};
    EXPECT_THROW(DrawFrameControl(canvas.dc(), &r, DFC_MENU, 0), rtl::Exception);
}

TEST(Themes, OffByDefaultDrawsAndRecordsElements) {
    ThemeServices& themes = GetThemeServices();
    EXPECT_FALSE(themes.ThemesEnabled());
    themes.SetThemesEnabled(true);
    themes.ClearCalls();
    TestCanvas canvas(40, 40);
    const ThemedElementDetails elements[] = {
        {"BUTTON", BP_PUSHBUTTON, PBS_DEFAULTED}, {"BUTTON", BP_CHECKBOX, CBS_MIXEDDISABLED},
        {"BUTTON", BP_GROUPBOX, GBS_NORMAL},      {"COMBOBOX", CP_DROPDOWNBUTTON, CBXS_HOT},
        {"SPIN", SPNP_DOWNHORZ, UPS_PRESSED},     {"WINDOW", WP_SMALLCLOSEBUTTON, CBS_PUSHED},
    };
    for (const auto& e : elements) {
        RECT r{0, 0, 16, 20};
        themes.DrawElement(canvas.dc(), e, r);
    }
    EXPECT_EQ(themes.Calls().size(), 6u);
    EXPECT_EQ(themes.Calls()[3].details, (ThemedElementDetails{"COMBOBOX", CP_DROPDOWNBUTTON, CBXS_HOT}));
    EXPECT_THROW(themes.DrawElement(canvas.dc(), {"BUTTON", BP_PUSHBUTTON, 6}, RECT{0, 0, 4, 4}),
                 rtl::Exception);
    EXPECT_THROW(themes.DrawElement(canvas.dc(), {"TAB", 1, 1}, RECT{0, 0, 4, 4}), rtl::Exception);
    EXPECT_THROW(themes.DrawParentBackground(nullptr, canvas.dc(), nullptr, false), rtl::Exception);
    bool painted = false;
    themes.SetParentBackgroundPainter([&](void*, HDC, const RECT*) { painted = true; });
    themes.DrawParentBackground(nullptr, canvas.dc(), nullptr, false);
    EXPECT_TRUE(painted);
    themes.SetParentBackgroundPainter(nullptr);
    themes.ClearCalls();
    themes.SetThemesEnabled(false);
}

} // namespace
} // namespace gdi
