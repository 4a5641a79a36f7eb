#include "platform/gdi/Objects.h"

#include "platform/rtl/Exceptions.h"

#include <array>
#include <atomic>
#include <cstring>

namespace gdi {

namespace {

std::atomic<int> g_liveObjects{0};

} // namespace

GdiObject::GdiObject(ObjectKind kind) : m_kind(kind) {
    ++g_liveObjects;
}

GdiObject::~GdiObject() {
    if (!m_stock)
        --g_liveObjects;
}

void GdiObject::Release() {
    if (--m_holders == 0 && m_deletePending)
        delete this;
}

void GdiObject::RequestDelete() {
    if (m_stock)
        return;
    if (m_holders > 0)
        m_deletePending = true;
    else
        delete this;
}

GdiObject* MakeStock(GdiObject* object) {
    object->m_stock = true;
    --g_liveObjects;
    return object;
}

int LiveObjectCount() {
    return g_liveObjects.load();
}

HPEN CreatePen(int style, int width, COLORREF color) {
    LOGPEN log;
    log.lopnStyle = style;
    log.lopnWidth = POINT{width, 0};
    log.lopnColor = color;
    return CreatePenIndirect(&log);
}

HPEN CreatePenIndirect(const LOGPEN* log) {
    if (!log || log->lopnStyle < PS_SOLID || log->lopnStyle > PS_INSIDEFRAME)
        return nullptr;
    return new Pen(*log);
}

HBRUSH CreateSolidBrush(COLORREF color) {
    LOGBRUSH log;
    log.lbColor = color;
    return new Brush(log);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* log) {
    if (!log || (log->lbStyle != BS_SOLID && log->lbStyle != BS_NULL))
        return nullptr;
    return new Brush(*log);
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    if (!bitmap || bitmap->surface.Width() == 0 || bitmap->surface.Height() == 0)
        return nullptr;
    LOGBRUSH log;
    log.lbStyle = BS_PATTERN;
    auto* brush = new Brush(log);
    brush->pattern = bitmap->surface;
    return brush;
}

HBRUSH GetSysColorBrush(int index) {
    static std::array<HBRUSH, COLOR_ENDCOLORS> brushes{};
    if (index < 0 || index >= COLOR_ENDCOLORS)
        return nullptr;
    HBRUSH& brush = brushes[std::size_t(index)];
    if (!brush) {
        LOGBRUSH log;
        log.lbColor = GetSysColor(index);
        brush = static_cast<HBRUSH>(MakeStock(new Brush(log)));
        brush->sysColorIndex = index;
    }
    return brush;
}

HFONT CreateFontIndirect(const LOGFONT* log) {
    if (!log)
        return nullptr;
    return new Font(*log);
}

HBITMAP CreateBitmap(int width, int height, int planes, int bitsPerPixel, const void* bits) {
    if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32) || width < 0 || height < 0)
        return nullptr;
    auto* bitmap = new Bitmap(width, height, bitsPerPixel);
    if (bits && bitsPerPixel == 1) {
        const auto* bytes = static_cast<const unsigned char*>(bits);
        int stride = ((width + 15) / 16) * 2;
        for (int y = 0; y < height; ++y) {
            std::uint32_t* row = bitmap->surface.Row(y);
            for (int x = 0; x < width; ++x)
                row[x] = (bytes[y * stride + x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFF : 0;
        }
    } else if (bits) {
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        for (int y = 0; y < height; ++y)
            std::memcpy(bitmap->surface.Row(y), pixels + std::size_t(y) * std::size_t(width),
                        std::size_t(width) * 4);
    }
    return bitmap;
}

HGDIOBJ GetStockObject(int index) {
    static std::array<HGDIOBJ, 18> stock = [] {
        std::array<HGDIOBJ, 18> s{};
        auto brush = [](int style, COLORREF color) {
            LOGBRUSH log;
            log.lbStyle = style;
            log.lbColor = color;
            return MakeStock(new Brush(log));
        };
        auto pen = [](int style, COLORREF color) {
            LOGPEN log;
            log.lopnStyle = style;
            log.lopnColor = color;
            return MakeStock(new Pen(log));
        };
        auto font = [](const char* face, int height, int weight, int pitch) {
            LOGFONT log;
            log.lfFaceName = face;
            log.lfHeight = height;
            log.lfWeight = weight;
            log.lfPitchAndFamily = pitch;
            return MakeStock(new Font(log));
        };
        s[WHITE_BRUSH] = brush(BS_SOLID, RGB(255, 255, 255));
        s[LTGRAY_BRUSH] = brush(BS_SOLID, RGB(192, 192, 192));
        s[GRAY_BRUSH] = brush(BS_SOLID, RGB(128, 128, 128));
        s[DKGRAY_BRUSH] = brush(BS_SOLID, RGB(64, 64, 64));
        s[BLACK_BRUSH] = brush(BS_SOLID, RGB(0, 0, 0));
        s[NULL_BRUSH] = brush(BS_NULL, 0);
        s[WHITE_PEN] = pen(PS_SOLID, RGB(255, 255, 255));
        s[BLACK_PEN] = pen(PS_SOLID, RGB(0, 0, 0));
        s[NULL_PEN] = pen(PS_NULL, 0);
        s[OEM_FIXED_FONT] = font("Courier New", -12, FW_NORMAL, FIXED_PITCH);
        s[ANSI_FIXED_FONT] = font("Courier New", -12, FW_NORMAL, FIXED_PITCH);
        s[ANSI_VAR_FONT] = font("MS Sans Serif", -11, FW_NORMAL, VARIABLE_PITCH);
        s[SYSTEM_FONT] = font("System", 16, FW_BOLD, VARIABLE_PITCH);
        s[DEVICE_DEFAULT_FONT] = font("System", 16, FW_BOLD, VARIABLE_PITCH);
        s[SYSTEM_FIXED_FONT] = font("Courier New", -12, FW_NORMAL, FIXED_PITCH);
        s[DEFAULT_GUI_FONT] = font("MS Sans Serif", -11, FW_NORMAL, VARIABLE_PITCH);
        return s;
    }();
    if (index < 0 || index >= int(stock.size()))
        return nullptr;
    return stock[std::size_t(index)];
}

HBITMAP StockMonoBitmap() {
    static HBITMAP bitmap = static_cast<HBITMAP>(MakeStock(new Bitmap(1, 1, 1)));
    return bitmap;
}

bool DeleteObject(HGDIOBJ object) {
    if (!object)
        return false;
    object->RequestDelete();
    return true;
}

int GetObjectType(HGDIOBJ object) {
    if (!object)
        return 0;
    switch (object->Kind()) {
    case ObjectKind::Pen:
        return OBJ_PEN;
    case ObjectKind::Brush:
        return OBJ_BRUSH;
    case ObjectKind::Font:
        return OBJ_FONT;
    case ObjectKind::Bitmap:
        return OBJ_BITMAP;
    case ObjectKind::Region:
        return OBJ_REGION;
    }
    return 0;
}

bool GetObject(HFONT font, LOGFONT* out) {
    if (!font || !out)
        return false;
    *out = font->log;
    return true;
}

bool GetObject(HPEN pen, LOGPEN* out) {
    if (!pen || !out)
        return false;
    *out = pen->log;
    return true;
}

bool GetObject(HBRUSH brush, LOGBRUSH* out) {
    if (!brush || !out)
        return false;
    *out = brush->log;
    if (brush->sysColorIndex >= 0)
        out->lbColor = GetSysColor(brush->sysColorIndex);
    return true;
}

bool GetObject(HBITMAP bitmap, BITMAP* out) {
    if (!bitmap || !out)
        return false;
    const Surface& s = bitmap->surface;
    out->bmType = 0;
    out->bmWidth = s.Width();
    out->bmHeight = s.Height();
    out->bmBitsPixel = s.BitsPerPixel();
    out->bmPlanes = 1;
    out->bmWidthBytes = s.IsMonochrome() ? ((s.Width() + 15) / 16) * 2 : s.Width() * 4;
    return true;
}

int GetObject(HGDIOBJ object, int size, void* out) {
    if (!object)
        return 0;
    auto fits = [&](std::size_t need) { return out == nullptr || std::size_t(size) >= need; };
    switch (object->Kind()) {
    case ObjectKind::Font:
        if (!fits(sizeof(LOGFONT)))
            return 0;
        if (out)
            GetObject(static_cast<HFONT>(object), static_cast<LOGFONT*>(out));
        return int(sizeof(LOGFONT));
    case ObjectKind::Pen:
        if (!fits(sizeof(LOGPEN)))
            return 0;
        if (out)
            GetObject(static_cast<HPEN>(object), static_cast<LOGPEN*>(out));
        return int(sizeof(LOGPEN));
    case ObjectKind::Brush:
        if (!fits(sizeof(LOGBRUSH)))
            return 0;
        if (out)
            GetObject(static_cast<HBRUSH>(object), static_cast<LOGBRUSH*>(out));
        return int(sizeof(LOGBRUSH));
    case ObjectKind::Bitmap:
        if (!fits(sizeof(BITMAP)))
            return 0;
        if (out)
            GetObject(static_cast<HBITMAP>(object), static_cast<BITMAP*>(out));
        return int(sizeof(BITMAP));
    case ObjectKind::Region:
        return 0;
    }
    return 0;
}

} // namespace gdi
