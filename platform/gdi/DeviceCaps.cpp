#include "platform/gdi/DeviceCaps.h"

namespace gdi {

namespace {

bool g_lowColor = false;
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;

} // namespace

void SetLowColorScreenForTest(bool lowColor) {
    g_lowColor = lowColor;
}

int GetDeviceCaps(HDC dc, int index) {
    if (!dc)
        return 0;
    switch (index) {
    case TECHNOLOGY:
        return 1; // raster display
    case HORZSIZE:
        return kScreenWidth * 254 / 960;
    case VERTSIZE:
        return kScreenHeight * 254 / 960;
    case HORZRES:
        return kScreenWidth;
    case VERTRES:
        return kScreenHeight;
    case BITSPIXEL:
        return g_lowColor ? 8 : 32;
    case PLANES:
        return 1;
    case NUMBRUSHES:
    case NUMPENS:
        return -1;
    case NUMFONTS:
        return 0;
    case NUMCOLORS:
        return g_lowColor ? 256 : -1;
    case RASTERCAPS:
        return 0x7E99 | (g_lowColor ? 0x100 : 0);
    case ASPECTX:
    case ASPECTY:
        return 36;
    case ASPECTXY:
        return 51;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case SIZEPALETTE:
        return g_lowColor ? 256 : 0;
    case NUMRESERVED:
        return g_lowColor ? 20 : 0;
    case COLORRES:
        return g_lowColor ? 18 : 24;
    default:
        return 0;
    }
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
        return kScreenWidth;
    case SM_CYSCREEN:
        return kScreenHeight;
    case SM_CYFULLSCREEN:
        return kScreenHeight - 19;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYCAPTION:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CYMENU:
        return 19;
    case SM_CXMIN:
        return 112;
    case SM_CYMIN:
        return 27;
    case SM_CXSIZE:
    case SM_CYSIZE:
        return 18;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CYSMCAPTION:
        return 15;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE:
        return 15;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        return 13;
    default:
        return 0;
    }
}

} // namespace gdi
