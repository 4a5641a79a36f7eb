#include "GdiTestSupport.h"

#include "platform/gdi/Gdi.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace gdi {
namespace {

using test::Selected;
using test::TestCanvas;

HFONT MakeFont(const char* face, int height, int escapement = 0, int weight = FW_NORMAL,
               bool underline = false) {
    LOGFONT log;
    log.lfFaceName = face;
    log.lfHeight = height;
    log.lfEscapement = escapement;
    log.lfWeight = weight;
    log.lfUnderline = underline;
    return CreateFontIndirect(&log);
}

// A picture of most of the device on one form-sized bitmap; written for a person to look at.
TEST(SampleDrawing, WritesAPng) {
    TestCanvas canvas(420, 260);
    HDC dc = canvas.dc();
    RECT all{0, 0, 420, 260};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));

    // Tabs clipped to their own regions.
    for (int i = 0; i < 3; ++i) {
        int x = 10 + i * 70;
        POINT shape[] = {{x, 30}, {x + 6, 12}, {x + 10, 10}, {x + 60, 10}, {x + 64, 12}, {x + 70, 30}};
        HRGN region = CreatePolygonRgn(shape, 6, ALTERNATE);
        SaveDC(dc);
        SelectClipRgn(dc, region);
        RECT tab{x, 10, x + 71, 31};
        HBRUSH brush = CreateSolidBrush(i == 1 ? RGB(255, 255, 255) : RGB(200, 215, 235));
        FillRect(dc, &tab, brush);
        DeleteObject(brush);
        RestoreDC(dc, -1);
        DeleteObject(region);
        Selected pen(dc, CreatePen(PS_SOLID, 1, RGB(80, 80, 120)));
        Polyline(dc, shape, 6);
        Selected font(dc, MakeFont("宋体", -12));
        SetBkMode(dc, TRANSPARENT);
        TextOut(dc, x + 14, 14, i == 0 ? "项目" : i == 1 ? "Files" : "人员");
    }
    RECT card{10, 30, 230, 120};
    FillRect(dc, &card, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &card, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));

    // Word-wrapped Chinese and Latin text with an accelerator.
    {
        Selected font(dc, MakeFont("宋体", -12));
        RECT text{20, 40, 220, 110};
        SetTextColor(dc, RGB(0, 0, 128));
        DrawText(dc, "导出向导将把所选模块打包成一个文件。Press &Next to go on.", &text, DT_WORDBREAK);
        SetTextColor(dc, 0);
    }

    // Rotated captions.
    {
        Selected up(dc, MakeFont("Tahoma", -11, 900));
        TextOut(dc, 250, 120, "Upward 90");
    }
    {
        Selected down(dc, MakeFont("Tahoma", -11, 2700));
        TextOut(dc, 290, 20, "Downward 270");
    }
    {
        Selected slant(dc, MakeFont("Verdana", -11, 300, FW_BOLD, true));
        TextOut(dc, 300, 120, "Bold 30°");
    }

    // Edges, frame controls and a focus rectangle.
    RECT edge{10, 130, 90, 170};
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    RECT sunken{100, 130, 180, 170};
    DrawEdge(dc, &sunken, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_FLAT);
    RECT check{10, 180, 23, 193};
    DrawFrameControl(dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    RECT grayed{30, 180, 43, 193};
    DrawFrameControl(dc, &grayed, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_BUTTON3STATE);
    RECT combo{50, 180, 66, 200};
    DrawFrameControl(dc, &combo, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    RECT close{70, 180, 86, 194};
    DrawFrameControl(dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    RECT focus{100, 180, 180, 200};
    DrawFocusRect(dc, &focus);
    {
        Selected marlett(dc, MakeFont("Marlett", -11));
        TextOut(dc, 190, 182, "r");
    }

    // Themed elements.
    ThemeServices& themes = GetThemeServices();
    themes.DrawElement(dc, {"BUTTON", BP_PUSHBUTTON, PBS_DEFAULTED}, RECT{10, 210, 85, 235});
    themes.DrawElement(dc, {"BUTTON", BP_CHECKBOX, CBS_CHECKEDNORMAL}, RECT{95, 215, 108, 228});
    themes.DrawElement(dc, {"COMBOBOX", CP_DROPDOWNBUTTON, CBXS_NORMAL}, RECT{115, 210, 131, 230});
    themes.DrawElement(dc, {"WINDOW", WP_SMALLCLOSEBUTTON, CBS_NORMAL}, RECT{140, 212, 156, 228});
    themes.ClearCalls();

    // A masked glyph: magenta is transparent.
    TestCanvas glyph(16, 16);
    RECT gr{0, 0, 16, 16};
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(glyph.dc(), &gr, magenta);
    DeleteObject(magenta);
    SelectObject(glyph.dc(), GetStockObject(BLACK_BRUSH));
    POINT arrow[] = {{2, 8}, {8, 2}, {14, 8}, {8, 14}};
    Polygon(glyph.dc(), arrow, 4);
    TransparentBlt(dc, 200, 210, 32, 32, glyph.dc(), 0, 0, 16, 16, RGB(255, 0, 255));

    canvas.Save("gdi_sample.png");
    TestCanvas large(420 * 3, 260 * 3);
    StretchBlt(large.dc(), 0, 0, 420 * 3, 260 * 3, dc, 0, 0, 420, 260, SRCCOPY);
    large.Save("gdi_sample_x3.png");
    EXPECT_TRUE(std::filesystem::exists(std::string(TARNWICK_BINARY_DIR) + "/gdi_sample.png"));
}

} // namespace
} // namespace gdi
