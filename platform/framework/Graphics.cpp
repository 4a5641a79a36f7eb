#include "platform/framework/Graphics.h"

#include "platform/framework/TypInfo.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <strings.h>

#ifndef TARNWICK_RESOURCE_DIR
#define TARNWICK_RESOURCE_DIR "resources"
#endif

namespace framework {

namespace {

int MulDiv(int a, int b, int c) {
    long long p = static_cast<long long>(a) * b;
    long long half = c / 2;
    return static_cast<int>(p >= 0 ? (p + half) / c : (p - half) / c);
}

gdi::COLORREF Rgb(TColor c) {
    return gdi::ColorToRGB(c) & 0xFFFFFF;
}

} // namespace

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
    Change();
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
        m_handle = gdi::CreatePen(styles[m_style], m_width, Rgb(m_color));
        if (!m_handle)
            throw EInvalidGraphicOperation("Cannot create pen");
    }
    return m_handle;
}

// ---- TBrush

TBrush::~TBrush() {
    if (m_handle)
        gdi::DeleteObject(m_handle);
}

void TBrush::Change() {
    if (m_handle) {
        gdi::DeleteObject(m_handle);
        m_handle = nullptr;
    }
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
            m_handle = gdi::CreateSolidBrush(Rgb(m_color));
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

// ---- TGraphic

void TGraphic::SetTransparent(bool transparent) {
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    Changed();
}

void TGraphic::Changed() {
    if (OnChange)
        OnChange(this);
}

// ---- TCanvas

TCanvas::TCanvas() : m_pen(new TPen), m_brush(new TBrush), m_font(new TFont) {
    m_pen->OnChange = [this](TObject*) { m_state.Exclude(csPenValid); };
    m_brush->OnChange = [this](TObject*) { m_state.Exclude(csBrushValid); };
    m_font->OnChange = [this](TObject*) { m_state.Exclude(csFontValid); };
}

TCanvas::~TCanvas() {
    SetHandle(nullptr);
}

gdi::HDC TCanvas::Handle() {
    RequiredState({csHandleValid});
    return m_handle;
}

void TCanvas::SetHandle(gdi::HDC dc) {
    if (dc == m_handle)
        return;
    if (m_handle)
        DeselectHandles();
    m_handle = dc;
    m_state = dc ? State{csHandleValid} : State{};
}

void TCanvas::DeselectHandles() {
    if (!m_handle)
        return;
    if (m_oldPen)
        gdi::SelectObject(m_handle, m_oldPen);
    if (m_oldBrush)
        gdi::SelectObject(m_handle, m_oldBrush);
    if (m_oldFont)
        gdi::SelectObject(m_handle, m_oldFont);
    m_oldPen = m_oldBrush = m_oldFont = nullptr;
    m_state = m_state - State{csPenValid, csBrushValid, csFontValid};
}

void TCanvas::RequiredState(State required) {
    if (required.Contains(csHandleValid) && !m_handle) {
        CreateHandle();
        if (!m_handle)
            throw EInvalidOperation("Canvas does not allow drawing");
        m_state.Include(csHandleValid);
    }
    if (required.Contains(csPenValid) && !m_state.Contains(csPenValid))
        CreatePen();
    if (required.Contains(csBrushValid) && !m_state.Contains(csBrushValid))
        CreateBrush();
    if (required.Contains(csFontValid) && !m_state.Contains(csFontValid))
        CreateFont();
}

void TCanvas::CreatePen() {
    gdi::HGDIOBJ old = gdi::SelectObject(m_handle, m_pen->Handle());
    if (!m_oldPen)
        m_oldPen = old;
    gdi::SetROP2(m_handle, PenModeToRop2(m_pen->Mode()));
    m_state.Include(csPenValid);
}

void TCanvas::CreateBrush() {
    gdi::HGDIOBJ old = gdi::SelectObject(m_handle, m_brush->Handle());
    if (!m_oldBrush)
        m_oldBrush = old;
    if (m_brush->Style() == bsClear && !m_brush->Bitmap()) {
        gdi::SetBkMode(m_handle, gdi::TRANSPARENT);
    } else {
        gdi::SetBkColor(m_handle, Rgb(m_brush->Color()));
        gdi::SetBkMode(m_handle, gdi::OPAQUE);
    }
    m_state.Include(csBrushValid);
}

void TCanvas::CreateFont() {
    gdi::HGDIOBJ old = gdi::SelectObject(m_handle, m_font->Handle());
    if (!m_oldFont)
        m_oldFont = old;
    gdi::SetTextColor(m_handle, Rgb(m_font->Color()));
    m_state.Include(csFontValid);
}

void TCanvas::Refresh() {
    DeselectHandles();
}

void TCanvas::Changing() {
    if (OnChanging)
        OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange)
        OnChange(this);
}

TColor TCanvas::Pixels(int x, int y) {
    RequiredState({csHandleValid});
    return gdi::GetPixel(m_handle, x, y);
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    Changing();
    RequiredState({csHandleValid, csPenValid});
    gdi::SetPixel(m_handle, x, y, Rgb(color));
    Changed();
}

TPoint TCanvas::PenPos() {
    RequiredState({csHandleValid});
    TPoint p;
    gdi::GetCurrentPositionEx(m_handle, &p);
    return p;
}

void TCanvas::SetPenPos(TPoint p) {
    MoveTo(p.x, p.y);
}

void TCanvas::MoveTo(int x, int y) {
    RequiredState({csHandleValid});
    gdi::MoveToEx(m_handle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    gdi::LineTo(m_handle, x, y);
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    gdi::Rectangle(m_handle, x1, y1, x2, y2);
    Changed();
}

void TCanvas::FillRect(const TRect& r) {
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    gdi::FillRect(m_handle, &r, m_brush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& r) {
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    gdi::FrameRect(m_handle, &r, m_brush->Handle());
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    gdi::Polygon(m_handle, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    gdi::Polyline(m_handle, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& r) {
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    gdi::DrawFocusRect(m_handle, &r);
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    gdi::TextOut(m_handle, x, y, text);
    gdi::SIZE size;
    gdi::GetTextExtentPoint32(m_handle, text, &size);
    gdi::MoveToEx(m_handle, x + size.cx, y, nullptr);
    Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    unsigned options = gdi::ETO_CLIPPED;
    if (m_brush->Style() != bsClear || m_brush->Bitmap())
        options |= gdi::ETO_OPAQUE;
    gdi::ExtTextOut(m_handle, x, y, options, &r, text);
    Changed();
}

TSize TCanvas::TextExtent(const std::string& text) {
    RequiredState({csHandleValid, csFontValid});
    TSize size;
    gdi::GetTextExtentPoint32(m_handle, text, &size);
    return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty())
        return;
    Changing();
    RequiredState({csHandleValid});
    graphic->Draw(*this, TRect{x, y, x + graphic->Width(), y + graphic->Height()});
    Changed();
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
    if (!graphic || graphic->Empty())
        return;
    Changing();
    RequiredState({csHandleValid});
    graphic->Draw(*this, r);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    if (!source)
        throw EInvalidGraphicOperation("CopyRect needs a source canvas");
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    gdi::HDC src = source->Handle();
    gdi::StretchBlt(m_handle, dest.left, dest.top, dest.Width(), dest.Height(), src, sourceRect.left,
                    sourceRect.top, sourceRect.Width(), sourceRect.Height(), m_copyMode);
    Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color) {
    if (!bitmap)
        throw EInvalidGraphicOperation("BrushCopy needs a bitmap");
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    int w = source.Width();
    int h = source.Height();
    if (w > 0 && h > 0) {
        gdi::HDC tmpDc = gdi::CreateCompatibleDC(m_handle);
        gdi::HBITMAP tmp = gdi::CreateCompatibleBitmap(m_handle, w, h);
        gdi::HGDIOBJ old = gdi::SelectObject(tmpDc, tmp);
        TRect all{0, 0, w, h};
        gdi::FillRect(tmpDc, &all, m_brush->Handle());
        gdi::TransparentBlt(tmpDc, 0, 0, w, h, bitmap->Canvas()->Handle(), source.left, source.top, w, h,
                            Rgb(color));
        gdi::StretchBlt(m_handle, dest.left, dest.top, dest.Width(), dest.Height(), tmpDc, 0, 0, w, h,
                        gdi::SRCCOPY);
        gdi::SelectObject(tmpDc, old);
        gdi::DeleteObject(tmp);
        gdi::DeleteDC(tmpDc);
    }
    Changed();
}

TRect TCanvas::ClipRect() {
    RequiredState({csHandleValid});
    TRect r;
    gdi::GetClipBox(m_handle, &r);
    return r;
}

void TCanvas::Lock() {
    m_lock.lock();
    ++m_lockCount;
}

void TCanvas::Unlock() {
    if (m_lockCount == 0)
        throw EInvalidOperation("Canvas is not locked");
    --m_lockCount;
    m_lock.unlock();
}

bool TCanvas::TryLock() {
    if (!m_lock.try_lock())
        return false;
    ++m_lockCount;
    return true;
}

// ---- TBitmap

namespace {

std::string& ResourceFolder() {
    static std::string folder = TARNWICK_RESOURCE_DIR;
    return folder;
}

gdi::HBITMAP NewBitmap(int width, int height, int bitsPerPixel) {
    gdi::HBITMAP b = gdi::CreateBitmap(width, height, 1, bitsPerPixel, nullptr);
    if (!b)
        throw EInvalidGraphicOperation("Cannot create a bitmap of " + std::to_string(width) + " x " +
                                       std::to_string(height));
    return b;
}

// True for images stored with 8 bits per pixel or fewer through a palette or grey levels.
bool PngHasPalette(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[26] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header))
        return false;
    if (std::memcmp(header + 12, "IHDR", 4) != 0)
        return false;
    int depth = header[24];
    int colorType = header[25];
    return colorType == 3 || (colorType == 0 && depth <= 8);
}

} // namespace

void SetBitmapResourceFolder(const std::string& folder) {
    ResourceFolder() = folder;
}

const std::string& BitmapResourceFolder() {
    return ResourceFolder();
}

class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& bitmap) : m_bitmap(bitmap) {}
    ~TBitmapCanvas() override { FreeContext(); }

    void FreeContext() {
        if (!m_dc)
            return;
        SetHandle(nullptr);
        gdi::SelectObject(m_dc, m_oldBitmap);
        gdi::DeleteDC(m_dc);
        m_dc = nullptr;
        m_oldBitmap = nullptr;
    }

protected:
    void CreateHandle() override {
        m_dc = gdi::CreateCompatibleDC(nullptr);
        m_oldBitmap = gdi::SelectObject(m_dc, m_bitmap.Handle());
        SetHandle(m_dc);
    }

private:
    TBitmap& m_bitmap;
    gdi::HDC m_dc = nullptr;
    gdi::HGDIOBJ m_oldBitmap = nullptr;
};

TBitmap::TBitmap() : m_handle(NewBitmap(0, 0, 32)) {}

TBitmap::~TBitmap() {
    m_canvas.reset();
    gdi::DeleteObject(m_handle);
}

void TBitmap::Replace(gdi::HBITMAP bitmap) {
    if (m_canvas)
        m_canvas->FreeContext();
    gdi::DeleteObject(m_handle);
    m_handle = bitmap;
}

void TBitmap::Assign(const TPersistent* source) {
    if (!source) {
        Replace(NewBitmap(0, 0, 32));
        m_pixelFormat = pfDevice;
        Changed();
        return;
    }
    if (const auto* b = dynamic_cast<const TBitmap*>(source)) {
        if (b == this)
            return;
        const gdi::Surface& from = b->m_handle->surface;
        gdi::HBITMAP copy = NewBitmap(from.Width(), from.Height(), from.BitsPerPixel());
        copy->surface = from;
        Replace(copy);
        m_pixelFormat = b->m_pixelFormat;
        m_transparentColor = b->m_transparentColor;
        m_transparentMode = b->m_transparentMode;
        // Through the base so that one change is reported.
        if (Transparent() != b->Transparent()) {
            SetTransparent(b->Transparent());
            return;
        }
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

int TBitmap::Width() const {
    return m_handle->surface.Width();
}

int TBitmap::Height() const {
    return m_handle->surface.Height();
}

void TBitmap::SetWidth(int width) {
    SetSize(width, Height());
}

void TBitmap::SetHeight(int height) {
    SetSize(Width(), height);
}

void TBitmap::SetSize(int width, int height) {
    if (width < 0 || height < 0)
        throw EInvalidGraphicOperation("Invalid bitmap size " + std::to_string(width) + " x " +
                                       std::to_string(height));
    if (width == Width() && height == Height())
        return;
    const gdi::Surface& from = m_handle->surface;
    gdi::HBITMAP resized = NewBitmap(width, height, from.BitsPerPixel());
    int w = std::min(width, from.Width());
    int h = std::min(height, from.Height());
    for (int y = 0; y < h; ++y)
        std::copy(from.Row(y), from.Row(y) + w, resized->surface.Row(y));
    Replace(resized);
    Changed();
}

TCanvas* TBitmap::Canvas() {
    if (!m_canvas) {
        m_canvas = std::make_unique<TBitmapCanvas>(*this);
        m_canvas->OnChange = [this](TObject*) { Changed(); };
    }
    return m_canvas.get();
}

void TBitmap::SetHandle(gdi::HBITMAP bitmap) {
    if (bitmap == m_handle)
        return;
    if (bitmap && gdi::GetObjectType(bitmap) != gdi::OBJ_BITMAP)
        throw EInvalidGraphic("Not a bitmap handle");
    Replace(bitmap ? bitmap : NewBitmap(0, 0, 32));
    m_pixelFormat = Monochrome() ? pf1bit : pfDevice;
    Changed();
}

gdi::HBITMAP TBitmap::ReleaseHandle() {
    if (m_canvas)
        m_canvas->FreeContext();
    gdi::HBITMAP h = m_handle;
    m_handle = NewBitmap(0, 0, 32);
    m_pixelFormat = pfDevice;
    return h;
}

bool TBitmap::Monochrome() const {
    return m_handle->surface.IsMonochrome();
}

void TBitmap::SetMonochrome(bool monochrome) {
    if (monochrome == Monochrome())
        return;
    const gdi::Surface& from = m_handle->surface;
    gdi::HBITMAP converted = NewBitmap(from.Width(), from.Height(), monochrome ? 1 : 32);
    for (int y = 0; y < from.Height(); ++y) {
        const std::uint32_t* src = from.Row(y);
        std::uint32_t* dst = converted->surface.Row(y);
        for (int x = 0; x < from.Width(); ++x)
            dst[x] = monochrome ? ((src[x] & 0xFFFFFF) == 0xFFFFFF ? 0xFFFFFF : 0) : src[x];
    }
    Replace(converted);
    m_pixelFormat = monochrome ? pf1bit : pfDevice;
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    switch (format) {
    case pf1bit:
        SetMonochrome(true);
        break;
    case pfDevice:
    case pf24bit:
    case pf32bit:
        SetMonochrome(false);
        m_pixelFormat = format;
        break;
    default:
        throw EInvalidGraphicOperation(
            "Palette pixel formats are not supported; use pf1bit, pf24bit or pf32bit");
    }
}

TColor TBitmap::TransparentColor() const {
    if (m_transparentMode == tmFixed && m_transparentColor != gdi::clDefault)
        return m_transparentColor;
    if (Empty())
        return gdi::clDefault;
    return m_handle->surface.Pixel(0, Height() - 1) & 0xFFFFFF;
}

void TBitmap::SetTransparentColor(TColor color) {
    if (color == m_transparentColor)
        return;
    m_transparentColor = color;
    m_transparentMode = color == gdi::clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == m_transparentMode)
        return;
    m_transparentMode = mode;
    if (mode == tmAuto)
        m_transparentColor = gdi::clDefault;
    Changed();
}

void TBitmap::LoadFromResourceName(const std::string& name) {
    LoadFromResourceName(name, {});
}

void TBitmap::LoadFromResourceName(const std::string& name,
                                   const std::vector<std::pair<TColor, TColor>>& colorMap) {
    namespace fs = std::filesystem;
    const std::string& folder = BitmapResourceFolder();
    std::error_code ec;
    if (name.empty() || !fs::is_directory(folder, ec))
        throw EResNotFound("Resource " + name + " not found (no bitmap resource folder " + folder + ")");
    std::string found;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (!entry.is_regular_file(ec))
            continue;
        std::string file = entry.path().filename().string();
        if (file.size() == name.size() + 4 && strncasecmp(file.c_str(), name.c_str(), name.size()) == 0 &&
            strcasecmp(file.c_str() + name.size(), ".png") == 0) {
            found = entry.path().string();
            break;
        }
    }
    if (found.empty())
        throw EResNotFound("Resource " + name + " not found");
    bool mapped = !colorMap.empty() && PngHasPalette(found);
    gdi::HBITMAP loaded = gdi::LoadPng(found);
    if (mapped) {
        gdi::Surface& s = loaded->surface;
        for (int y = 0; y < s.Height(); ++y) {
            std::uint32_t* row = s.Row(y);
            for (int x = 0; x < s.Width(); ++x) {
                for (const auto& [from, to] : colorMap) {
                    if ((row[x] & 0xFFFFFF) == Rgb(from)) {
                        row[x] = Rgb(to);
                        break;
                    }
                }
            }
        }
    }
    Replace(loaded);
    m_pixelFormat = pfDevice;
    Changed();
}

void TBitmap::LoadFromFile(const std::string& path) {
    Replace(gdi::LoadPng(path));
    m_pixelFormat = pfDevice;
    Changed();
}

void TBitmap::SaveToPng(const std::string& path) const {
    gdi::SavePng(m_handle, path);
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
    gdi::HDC dst = canvas.Handle();
    gdi::HDC src = Canvas()->Handle();
    int w = Width();
    int h = Height();
    if (Transparent()) {
        gdi::TransparentBlt(dst, rect.left, rect.top, rect.Width(), rect.Height(), src, 0, 0, w, h,
                            Rgb(TransparentColor()));
        return;
    }
    if (Monochrome()) {
        // Black and white stay black and white whatever colours the target context holds.
        gdi::COLORREF text = gdi::SetTextColor(dst, 0);
        gdi::COLORREF back = gdi::SetBkColor(dst, 0xFFFFFF);
        gdi::StretchBlt(dst, rect.left, rect.top, rect.Width(), rect.Height(), src, 0, 0, w, h,
                        canvas.CopyMode());
        gdi::SetTextColor(dst, text);
        gdi::SetBkColor(dst, back);
        return;
    }
    gdi::StretchBlt(dst, rect.left, rect.top, rect.Width(), rect.Height(), src, 0, 0, w, h,
                    canvas.CopyMode());
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

} // namespace framework
