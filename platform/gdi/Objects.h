#pragma once

#include "platform/gdi/Color.h"
#include "platform/gdi/Geometry.h"
#include "platform/gdi/RegionData.h"
#include "platform/gdi/Surface.h"

#include <string>

namespace gdi {

enum class ObjectKind { Pen, Brush, Font, Bitmap, Region };

enum : int {
    OBJ_PEN = 1,
    OBJ_BRUSH = 2,
    OBJ_DC = 3,
    OBJ_FONT = 6,
    OBJ_BITMAP = 7,
    OBJ_REGION = 8,
    OBJ_MEMDC = 10
};

// Pen styles.
enum : int {
    PS_SOLID = 0,
    PS_DASH = 1,
    PS_DOT = 2,
    PS_DASHDOT = 3,
    PS_DASHDOTDOT = 4,
    PS_NULL = 5,
    PS_INSIDEFRAME = 6,
};

// Brush styles.
enum : int { BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = BS_NULL, BS_HATCHED = 2, BS_PATTERN = 3 };

// Stock objects.
enum : int {
    WHITE_BRUSH = 0,
    LTGRAY_BRUSH = 1,
    GRAY_BRUSH = 2,
    DKGRAY_BRUSH = 3,
    BLACK_BRUSH = 4,
    NULL_BRUSH = 5,
    HOLLOW_BRUSH = NULL_BRUSH,
    WHITE_PEN = 6,
    BLACK_PEN = 7,
    NULL_PEN = 8,
    OEM_FIXED_FONT = 10,
    ANSI_FIXED_FONT = 11,
    ANSI_VAR_FONT = 12,
    SYSTEM_FONT = 13,
    DEVICE_DEFAULT_FONT = 14,
    SYSTEM_FIXED_FONT = 16,
    DEFAULT_GUI_FONT = 17,
};

// Font weights, character sets, pitch.
enum : int { FW_DONTCARE = 0, FW_NORMAL = 400, FW_BOLD = 700 };
enum : int {
    ANSI_CHARSET = 0,
    DEFAULT_CHARSET = 1,
    SYMBOL_CHARSET = 2,
    GB2312_CHARSET = 134,
    OEM_CHARSET = 255
};
enum : int { DEFAULT_PITCH = 0, FIXED_PITCH = 1, VARIABLE_PITCH = 2 };

class DeviceContext;

// Base of every object a handle names. An object that is still selected into a device context
// (or held by a saved state) when it is deleted lives on until the last holder lets it go.
class GdiObject {
public:
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    virtual ~GdiObject();

    ObjectKind Kind() const { return m_kind; }
    bool IsStock() const { return m_stock; }

    // Used by device contexts while they hold the object.
    void Retain() { ++m_holders; }
    void Release();
    // Deletes now or once the last holder releases it; stock objects are never deleted.
    void RequestDelete();

protected:
    explicit GdiObject(ObjectKind kind);

private:
    friend GdiObject* MakeStock(GdiObject*);
    ObjectKind m_kind;
    bool m_stock = false;
    bool m_deletePending = false;
    int m_holders = 0;
};

struct LOGPEN {
    int lopnStyle = PS_SOLID;
    POINT lopnWidth{1, 0};
    COLORREF lopnColor = 0;
};

struct LOGBRUSH {
    int lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    int lbHatch = 0;
};

struct LOGFONT {
    int lfHeight = 0;
    int lfWidth = 0;
    int lfEscapement = 0;
    int lfOrientation = 0;
    int lfWeight = 0;
    bool lfItalic = false;
    bool lfUnderline = false;
    bool lfStrikeOut = false;
    int lfCharSet = 0;
    int lfOutPrecision = 0;
    int lfClipPrecision = 0;
    int lfQuality = 0;
    int lfPitchAndFamily = 0;
    std::string lfFaceName; // UTF-8
    friend bool operator==(const LOGFONT&, const LOGFONT&) = default;
};

struct BITMAP {
    int bmType = 0;
    int bmWidth = 0;
    int bmHeight = 0;
    int bmWidthBytes = 0;
    int bmPlanes = 1;
    int bmBitsPixel = 0;
};

class Pen : public GdiObject {
public:
    explicit Pen(const LOGPEN& log) : GdiObject(ObjectKind::Pen), log(log) {}
    LOGPEN log;
};

class Brush : public GdiObject {
public:
    explicit Brush(const LOGBRUSH& log) : GdiObject(ObjectKind::Brush), log(log) {}
    LOGBRUSH log;
    Surface pattern;        // BS_PATTERN: a copy of the bitmap, so the bitmap may be deleted at once
    int sysColorIndex = -1; // system colour brushes follow the colour table
};

class Bitmap : public GdiObject {
public:
    Bitmap(int width, int height, int bitsPerPixel)
        : GdiObject(ObjectKind::Bitmap), surface(width, height, bitsPerPixel) {}
    Surface surface;
    DeviceContext* selectedInto = nullptr;
};

class Font : public GdiObject {
public:
    explicit Font(const LOGFONT& log) : GdiObject(ObjectKind::Font), log(log) {}
    LOGFONT log;
};

class Region : public GdiObject {
public:
    explicit Region(RegionData data) : GdiObject(ObjectKind::Region), data(std::move(data)) {}
    RegionData data;
};

using HGDIOBJ = GdiObject*;
using HPEN = Pen*;
using HBRUSH = Brush*;
using HBITMAP = Bitmap*;
using HFONT = Font*;
using HRGN = Region*;

HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* log);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateBrushIndirect(const LOGBRUSH* log);
// Copies the bitmap; a monochrome pattern paints black bits in the text colour and white bits in
// the background colour of the device context it fills.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HBRUSH GetSysColorBrush(int index);
HFONT CreateFontIndirect(const LOGFONT* log);
// Only 1 and 32 bits per pixel; the initial contents are white. bits, when given, are rows of
// 1-bit pixels padded to 16 bits (set bit = white), as monochrome resources store them.
HBITMAP CreateBitmap(int width, int height, int planes, int bitsPerPixel, const void* bits);
HGDIOBJ GetStockObject(int index);
// The 1 x 1 monochrome bitmap that every new memory context holds.
HBITMAP StockMonoBitmap();
bool DeleteObject(HGDIOBJ object);
int GetObjectType(HGDIOBJ object);
int GetObject(HGDIOBJ object, int size, void* out);
bool GetObject(HFONT font, LOGFONT* out);
bool GetObject(HPEN pen, LOGPEN* out);
bool GetObject(HBRUSH brush, LOGBRUSH* out);
bool GetObject(HBITMAP bitmap, BITMAP* out);

// Objects alive now (stock objects excluded), for tests that check that temporary objects are freed.
int LiveObjectCount();

} // namespace gdi
