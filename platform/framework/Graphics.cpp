#include "platform/framework/Graphics.h"

#include "platform/framework/TypInfo.h"

#include <algorithm>

namespace framework {

namespace {

int MulDiv(int a, int b, int c) {
    long long p = static_cast<long long>(a) * b;
    long long half = c / 2;
    return static_cast<int>(p >= 0 ? (p + half) / c : (p - half) / c);
}

} // namespace

gdi::COLORREF DeviceColor(TColor color) {
    return gdi::ColorToRGB(color) & 0xFFFFFF;
}

const TEnumInfo FontStyleInfo{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
const TEnumInfo FontPitchInfo{"TFontPitch", {"fpDefault", "fpVariable", "fpFixed"}};
const TEnumInfo PenStyleInfo{
    "TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"}};
const TEnumInfo PenModeInfo{"TPenMode",
                            {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
                             "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge",
                             "pmMask", "pmNotMask", "pmXor", "pmNotXor"}};
const TEnumInfo BrushStyleInfo{"TBrushStyle",
                               {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                "bsBDiagonal", "bsCross", "bsDiagCross"}};

// ---- TGraphicsObject

void TGraphicsObject::Changed() {
    if (OnChange)
        OnChange(this);
}

// ---- TFont

TFont::TFont() = default;

TFont::~TFont() {
    FreeHandle();
}

void TFont::FreeHandle() {
    if (m_handle) {
        gdi::DeleteObject(m_handle);
        m_handle = nullptr;
    }
}

void TFont::Change() {
    FreeHandle();
    Changed();
}

void TFont::Assign(const TPersistent* source) {
    if (const auto* f = dynamic_cast<const TFont*>(source)) {
        if (f == this)
            return;
        m_name = f->m_name;
        m_height = f->m_height;
        m_color = f->m_color;
        m_style = f->m_style;
        m_charset = f->m_charset;
        m_pitch = f->m_pitch;
        m_orientation = f->m_orientation;
        m_pixelsPerInch = f->m_pixelsPerInch;
        Change();
        return;
    }
    TPersistent::Assign(source);
}

void TFont::SetName(const std::string& name) {
    if (name.empty() || name == m_name)
        return;
    m_name = name;
    Change();
}

int TFont::Size() const {
    return -MulDiv(m_height, 72, m_pixelsPerInch);
}

void TFont::SetSize(int size) {
    SetHeight(-MulDiv(size, m_pixelsPerInch, 72));
}

void TFont::SetHeight(int height) {
    if (height == m_height)
        return;
    m_height = height;
    Change();
}

void TFont::SetColor(TColor color) {
    if (color == m_color)
        return;
    m_color = color;
    // The colour is not part of the device font.
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == m_style)
        return;
    m_style = style;
    Change();
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset == m_charset)
        return;
    m_charset = charset;
    Change();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == m_pitch)
        return;
    m_pitch = pitch;
    Change();
}

void TFont::SetOrientation(int orientation) {
    if (orientation == m_orientation)
        return;
    m_orientation = orientation;
    Change();
}

void TFont::SetPixelsPerInch(int ppi) {
    if (ppi <= 0)
        throw EInvalidGraphicOperation("Invalid pixels per inch: " + std::to_string(ppi));
    m_pixelsPerInch = ppi;
}

gdi::HFONT TFont::Handle() {
    if (!m_handle) {
        gdi::LOGFONT log;
        log.lfHeight = m_height;
        log.lfEscapement = m_orientation;
        log.lfOrientation = m_orientation;
        log.lfWeight = m_style.Contains(fsBold) ? gdi::FW_BOLD : gdi::FW_NORMAL;
        log.lfItalic = m_style.Contains(fsItalic);
        log.lfUnderline = m_style.Contains(fsUnderline);
        log.lfStrikeOut = m_style.Contains(fsStrikeOut);
        log.lfCharSet = m_charset;
        log.lfPitchAndFamily = m_pitch == fpVariable ? gdi::VARIABLE_PITCH
                               : m_pitch == fpFixed  ? gdi::FIXED_PITCH
                                                     : gdi::DEFAULT_PITCH;
        log.lfFaceName = m_name;
        m_handle = gdi::CreateFontIndirect(&log);
        if (!m_handle)
            throw EInvalidGraphicOperation("Cannot create font " + m_name);
    }
    return m_handle;
}

void TFont::SetHandle(gdi::HFONT font) {
    if (font != nullptr && font == m_handle)
        return;
    gdi::LOGFONT log;
    if (!font || !gdi::GetObject(font, &log))
        throw EInvalidGraphicOperation("Invalid font handle");
    if (!log.lfFaceName.empty())
        m_name = log.lfFaceName;
    m_height = log.lfHeight;
    TFontStyles style;
    if (log.lfWeight >= gdi::FW_BOLD)
        style.Include(fsBold);
    if (log.lfItalic)
        style.Include(fsItalic);
    if (log.lfUnderline)
        style.Include(fsUnderline);
    if (log.lfStrikeOut)
        style.Include(fsStrikeOut);
    m_style = style;
    m_charset = static_cast<TFontCharset>(log.lfCharSet);
    int pitch = log.lfPitchAndFamily & 3;
    m_pitch = pitch == gdi::VARIABLE_PITCH ? fpVariable : pitch == gdi::FIXED_PITCH ? fpFixed : fpDefault;
    m_orientation = log.lfEscapement;
    FreeHandle();
    m_handle = font;
    Changed();
}

// ---- TPen

int PenModeToRop2(TPenMode mode) {
    static const int rops[] = {
        gdi::R2_BLACK,       gdi::R2_WHITE,      gdi::R2_NOP,         gdi::R2_NOT,
        gdi::R2_COPYPEN,     gdi::R2_NOTCOPYPEN, gdi::R2_MERGEPENNOT, gdi::R2_MASKPENNOT,
        gdi::R2_MERGENOTPEN, gdi::R2_MASKNOTPEN, gdi::R2_MERGEPEN,    gdi::R2_NOTMERGEPEN,
        gdi::R2_MASKPEN,     gdi::R2_NOTMASKPEN, gdi::R2_XORPEN,      gdi::R2_NOTXORPEN};
    auto i = static_cast<unsigned>(mode);
    if (i >= std::size(rops))
        throw EInvalidGraphicOperation("Invalid pen mode " + std::to_string(i));
    return rops[i];
}

TPen::~TPen() {
    if (m_handle)
        gdi::DeleteObject(m_handle);
}

void TPen::Change() {
    if (m_handle) {
        gdi::DeleteObject(m_handle);
        m_handle = nullptr;
    }
    Changed();
}

void TPen::Assign(const TPersistent* source) {
    if (const auto* p = dynamic_cast<const TPen*>(source)) {
        if (p == this)
            return;
        m_color = p->m_color;
        m_width = p->m_width;
        m_style = p->m_style;
        m_mode = p->m_mode;
        Change();
        return;
    }
    TPersistent::Assign(source);
}

void TPen::SetColor(TColor color) {
    if (color == m_color)
        return;
    m_color = color;
    Change();
}

void TPen::SetWidth(int width) {
    if (width < 0 || width == m_width)
        return;
    m_width = width;
    Change();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == m_style)
        return;
    m_style = style;
    Change();
}

void TPen::SetMode(TPenMode mode) {
    if (mode == m_mode)
        return;
    PenModeToRop2(mode);
    m_mode = mode;
    // The mode is a state of the context, not of the device pen.
    Changed();
}

gdi::HPEN TPen::Handle() {
    if (!m_handle) {
        static const int styles[] = {gdi::PS_SOLID,      gdi::PS_DASH, gdi::PS_DOT,        gdi::PS_DASHDOT,
                                     gdi::PS_DASHDOTDOT, gdi::PS_NULL, gdi::PS_INSIDEFRAME};
        m_handle = gdi::CreatePen(styles[m_style], m_width, DeviceColor(m_color));
        if (!m_handle)
            throw EInvalidGraphicOperation("Cannot create pen");
    }
    return m_handle;
}

// ---- TBrush

TBrush::~TBrush() {
    FreeHandle();
}

void TBrush::FreeHandle() {
    if (m_handle) {
        gdi::DeleteObject(m_handle);
        m_handle = nullptr;
    }
}

void TBrush::Change() {
    FreeHandle();
    Changed();
}

void TBrush::Assign(const TPersistent* source) {
    if (const auto* b = dynamic_cast<const TBrush*>(source)) {
        if (b == this)
            return;
        m_color = b->m_color;
        m_style = b->m_style;
        m_bitmap = b->m_bitmap;
        Change();
        return;
    }
    TPersistent::Assign(source);
}

void TBrush::SetColor(TColor color) {
    if (color == m_color && m_style != bsClear)
        return;
    m_color = color;
    // A colour makes a clear brush solid again.
    if (m_style == bsClear)
        m_style = bsSolid;
    Change();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == m_style)
        return;
    m_style = style;
    Change();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
    if (bitmap == m_bitmap)
        return;
    m_bitmap = bitmap;
    Change();
}

gdi::HBRUSH TBrush::Handle() {
    if (!m_handle) {
        if (m_bitmap && !m_bitmap->Empty()) {
            m_handle = gdi::CreatePatternBrush(m_bitmap->Handle());
        } else if (m_style == bsSolid) {
            m_handle = gdi::CreateSolidBrush(DeviceColor(m_color));
        } else if (m_style == bsClear) {
            gdi::LOGBRUSH log;
            log.lbStyle = gdi::BS_NULL;
            m_handle = gdi::CreateBrushIndirect(&log);
        } else {
            throw EInvalidGraphicOperation("Hatched brush styles are not supported by the graphics device");
        }
        if (!m_handle)
            throw EInvalidGraphicOperation("Cannot create brush");
    }
    return m_handle;
}

void TBrush::SetHandle(gdi::HBRUSH brush) {
    if (brush != nullptr && brush == m_handle)
        return;
    gdi::LOGBRUSH log;
    if (!brush || !gdi::GetObject(brush, &log))
        throw EInvalidGraphicOperation("Invalid brush handle");
    m_bitmap = nullptr;
    m_color = static_cast<TColor>(log.lbColor);
    switch (log.lbStyle) {
    case gdi::BS_NULL:
        m_style = bsClear;
        break;
    case gdi::BS_HATCHED:
        m_style =
            static_cast<TBrushStyle>(bsHorizontal + std::clamp(log.lbHatch, 0, bsDiagCross - bsHorizontal));
        break;
    default:
        m_style = bsSolid;
        break;
    }
    FreeHandle();
    m_handle = brush;
    Changed();
}
// ---- Published properties

[[maybe_unused]] const auto registerGraphicsObject =
    RegisterClass<TGraphicsObject, TPersistent>("TGraphicsObject");
[[maybe_unused]] const auto registerFont =
    RegisterClass<TFont, TGraphicsObject>("TFont")
        .Integer("Charset", &TFont::Charset, &TFont::SetCharset, gdi::DEFAULT_CHARSET)
        .Color("Color", &TFont::Color, &TFont::SetColor, gdi::clWindowText)
        .Integer("Height", &TFont::Height, &TFont::SetHeight, -11)
        .String("Name", &TFont::Name, &TFont::SetName, "MS Sans Serif")
        .Enum("Pitch", &TFont::Pitch, &TFont::SetPitch, FontPitchInfo, std::optional<TFontPitch>(fpDefault))
        .Integer("Size", &TFont::Size, &TFont::SetSize)
        .Stored([](const TFont&) { return false; })
        .Set("Style", &TFont::Style, &TFont::SetStyle, FontStyleInfo, std::optional<std::int64_t>(0));
[[maybe_unused]] const auto registerPen =
    RegisterClass<TPen, TGraphicsObject>("TPen")
        .Color("Color", &TPen::Color, &TPen::SetColor, gdi::clBlack)
        .Enum("Mode", &TPen::Mode, &TPen::SetMode, PenModeInfo, std::optional<TPenMode>(pmCopy))
        .Enum("Style", &TPen::Style, &TPen::SetStyle, PenStyleInfo, std::optional<TPenStyle>(psSolid))
        .Integer("Width", &TPen::Width, &TPen::SetWidth, 1);
[[maybe_unused]] const auto registerBrush =
    RegisterClass<TBrush, TGraphicsObject>("TBrush")
        .Color("Color", &TBrush::Color, &TBrush::SetColor, gdi::clWhite)
        .Enum("Style", &TBrush::Style, &TBrush::SetStyle, BrushStyleInfo,
              std::optional<TBrushStyle>(bsSolid));
[[maybe_unused]] const auto registerGraphic = RegisterClass<TGraphic, TPersistent>("TGraphic");
[[maybe_unused]] const auto registerBitmap = RegisterClass<TBitmap, TGraphic>("TBitmap");

} // namespace framework
