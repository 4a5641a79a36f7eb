#pragma once

#include "platform/framework/Classes.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// Fonts, pens, brushes, canvases and bitmaps of the framework, over the graphics device.
namespace framework {

using TColor = gdi::TColor;
using TRect = gdi::RECT;
using TPoint = gdi::POINT;
using TSize = gdi::SIZE;

class EInvalidGraphic : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};
class EInvalidGraphicOperation : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};
class EResNotFound : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

class TCanvas;
class TBitmap;

// The colour as the device takes it: system colours resolved, flag bits cleared.
gdi::COLORREF DeviceColor(TColor color);

// Base of the font, pen and brush; OnChange fires after every change of a property.
class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = std::uint8_t;

extern const TEnumInfo FontStyleInfo;
extern const TEnumInfo FontPitchInfo;

class TFont : public TGraphicsObject {
public:
    TFont();
    ~TFont() override;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    void Assign(const TPersistent* source) override;

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name);
    // Points at PixelsPerInch; Height is the negative character height in pixels.
    int Size() const;
    void SetSize(int size);
    int Height() const { return m_height; }
    void SetHeight(int height);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles style);
    TFontCharset Charset() const { return m_charset; }
    void SetCharset(TFontCharset charset);
    TFontPitch Pitch() const { return m_pitch; }
    void SetPitch(TFontPitch pitch);
    // Tenths of a degree, counter-clockwise; becomes the logical font's escapement.
    int Orientation() const { return m_orientation; }
    void SetOrientation(int orientation);
    int PixelsPerInch() const { return m_pixelsPerInch; }
    void SetPixelsPerInch(int ppi);

    // The device font for the current properties, made on first use and owned by the font.
    gdi::HFONT Handle();
    // Takes the properties of the given logical font, and the font itself: it becomes the device
    // font, owned (and in the end deleted) by this font, until a property changes.
    void SetHandle(gdi::HFONT font);
    bool HandleAllocated() const { return m_handle != nullptr; }

private:
    void Change();
    void FreeHandle();

    std::string m_name = "MS Sans Serif";
    int m_height = -11;
    TColor m_color = gdi::clWindowText;
    TFontStyles m_style;
    TFontCharset m_charset = gdi::DEFAULT_CHARSET;
    TFontPitch m_pitch = fpDefault;
    int m_orientation = 0;
    int m_pixelsPerInch = 96;
    gdi::HFONT m_handle = nullptr;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
extern const TEnumInfo PenStyleInfo;
extern const TEnumInfo PenModeInfo;
// The device's mix for a pen mode.
int PenModeToRop2(TPenMode mode);

class TPen : public TGraphicsObject {
public:
    TPen() = default;
    ~TPen() override;
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;

    void Assign(const TPersistent* source) override;

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    int Width() const { return m_width; }
    void SetWidth(int width);
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return m_mode; }
    void SetMode(TPenMode mode);

    gdi::HPEN Handle();
    bool HandleAllocated() const { return m_handle != nullptr; }

private:
    void Change();

    TColor m_color = gdi::clBlack;
    int m_width = 1;
    TPenStyle m_style = psSolid;
    TPenMode m_mode = pmCopy;
    gdi::HPEN m_handle = nullptr;
};

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
extern const TEnumInfo BrushStyleInfo;

class TBrush : public TGraphicsObject {
public:
    TBrush() = default;
    ~TBrush() override;
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;

    void Assign(const TPersistent* source) override;

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle style);
    // A pattern brush from the bitmap, which the brush does not own (keep it alive while it is
    // set); the pattern is copied when the handle is made. With a bitmap the style is ignored.
    TBitmap* Bitmap() const { return m_bitmap; }
    void SetBitmap(TBitmap* bitmap);

    // Raises EInvalidGraphicOperation for the hatched styles, which the device does not draw.
    gdi::HBRUSH Handle();
    // Takes the colour and style of the given device brush, and the brush itself, which this brush
    // then owns (a stock brush is never deleted) until a property changes.
    void SetHandle(gdi::HBRUSH brush);
    bool HandleAllocated() const { return m_handle != nullptr; }

private:
    void Change();
    void FreeHandle();

    TColor m_color = gdi::clWhite;
    TBrushStyle m_style = bsSolid;
    TBitmap* m_bitmap = nullptr;
    gdi::HBRUSH m_handle = nullptr;
};

using TCopyMode = unsigned;

// Something that can be drawn on a canvas.
class TGraphic : public TPersistent {
public:
    TNotifyEvent OnChange;

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);

protected:
    friend class TCanvas;
    virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
    virtual void Changed();

private:
    bool m_transparent = false;
};

// Drawing on a device context. Pen, brush and font are selected into the context only when a
// drawing operation needs them, and again after each change.
class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Makes the context through CreateHandle when there is none; raises EInvalidOperation when
    // the canvas cannot get one.
    gdi::HDC Handle();
    // The canvas does not own the context; the previous one gets its original objects back.
    void SetHandle(gdi::HDC dc);
    bool HandleAllocated() const { return m_handle != nullptr; }

    TPen* Pen() const { return m_pen.get(); }
    void SetPen(const TPen* pen) { m_pen->Assign(pen); }
    TBrush* Brush() const { return m_brush.get(); }
    void SetBrush(const TBrush* brush) { m_brush->Assign(brush); }
    TFont* Font() const { return m_font.get(); }
    void SetFont(const TFont* font) { m_font->Assign(font); }

    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);
    TPoint PenPos();
    void SetPenPos(TPoint p);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void Polygon(const std::vector<TPoint>& points);
    void Polyline(const std::vector<TPoint>& points);
    void DrawFocusRect(const TRect& r);

    void TextOut(int x, int y, const std::string& text);
    // Clipped to r; the brush fills r first unless it is clear.
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    TSize TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& r, TGraphic* graphic);
    // A block transfer from the source canvas with CopyMode.
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    TCopyMode CopyMode() const { return m_copyMode; }
    void SetCopyMode(TCopyMode mode) { m_copyMode = mode; }
    // Copies from the bitmap, painting the pixels of the given colour with the brush instead.
    void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color);

    // The clip box in logical coordinates.
    TRect ClipRect();

    // Serialises drawing from several threads; nests.
    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return m_lockCount; }

    // Selects pen, brush and font afresh at the next drawing operation.
    void Refresh();

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    // Called when a context is needed and there is none; a canvas that can make one sets it here.
    virtual void CreateHandle() {}
    virtual void Changing();
    virtual void Changed();

    enum StateItem { csHandleValid, csFontValid, csPenValid, csBrushValid };
    using State = TSet<StateItem>;
    void RequiredState(State required);
    void DeselectHandles();

private:
    void CreatePen();
    void CreateBrush();
    void CreateFont();

    gdi::HDC m_handle = nullptr;
    State m_state;
    std::unique_ptr<TPen> m_pen;
    std::unique_ptr<TBrush> m_brush;
    std::unique_ptr<TFont> m_font;
    TCopyMode m_copyMode = gdi::SRCCOPY;
    gdi::HGDIOBJ m_oldPen = nullptr;
    gdi::HGDIOBJ m_oldBrush = nullptr;
    gdi::HGDIOBJ m_oldFont = nullptr;
    std::recursive_mutex m_lock;
    int m_lockCount = 0;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    // Copies the pixels and the transparency settings of another bitmap; null empties.
    void Assign(const TPersistent* source) override;

    bool Empty() const override { return Width() == 0 || Height() == 0; }
    int Width() const override;
    int Height() const override;
    // Resizing keeps the pixels of the kept area; new area is white.
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void SetSize(int width, int height);

    TCanvas* Canvas();
    // Always a valid device bitmap (of size 0 x 0 when empty), owned by the TBitmap.
    gdi::HBITMAP Handle() const { return m_handle; }
    // Takes ownership of the given bitmap (null empties).
    void SetHandle(gdi::HBITMAP bitmap);
    // Gives up ownership of the device bitmap and leaves the TBitmap empty.
    gdi::HBITMAP ReleaseHandle();

    bool Monochrome() const;
    // Converting to monochrome turns white pixels white and every other pixel black.
    void SetMonochrome(bool monochrome);
    TPixelFormat PixelFormat() const { return m_pixelFormat; }
    // pf1bit is monochrome; pfDevice, pf24bit and pf32bit are stored as 32 bits per pixel; the
    // palette formats raise EInvalidGraphicOperation.
    void SetPixelFormat(TPixelFormat format);

    // With tmAuto the transparent colour is the lower-left pixel.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return m_transparentMode; }
    void SetTransparentMode(TTransparentMode mode);

    // Loads the bitmap resource NAME (its case ignored) of the given library, or of the platform
    // when the library has none of that name (BitmapResources.h); raises EResNotFound when
    // neither has it. A palette image (8 bits per pixel or fewer) has each colour of colorMap's
    // first members replaced by its second, all at once; deeper images are loaded unmapped.
    void LoadFromLibraryResource(const void* library, const std::string& name,
                                 const std::vector<std::pair<TColor, TColor>>& colorMap = {});
    // As above, from the resources of the library whose code calls it.
    [[gnu::visibility("hidden")]] void
    LoadFromResourceName(const std::string& name,
                         const std::vector<std::pair<TColor, TColor>>& colorMap = {}) {
        LoadFromLibraryResource(ThisLibrary(), name, colorMap);
    }
    void LoadFromFile(const std::string& path);
    // Writes the pixels as PNG; raises rtl::EInOutError on failure.
    void SaveToPng(const std::string& path) const;

    // Form resources hold the pixels as the binary property Data: PNG bytes.
    void DefineProperties(TFiler& filer) override;

protected:
    void Draw(TCanvas& canvas, const TRect& rect) override;

private:
    class TBitmapCanvas;
    void Replace(gdi::HBITMAP bitmap);
    void ReadData(const std::string& data);
    void TakeLoaded(gdi::HBITMAP loaded);

    gdi::HBITMAP m_handle = nullptr;
    std::unique_ptr<TBitmapCanvas> m_canvas;
    TPixelFormat m_pixelFormat = pfDevice;
    TColor m_transparentColor = gdi::clDefault;
    TTransparentMode m_transparentMode = tmAuto;
};

} // namespace framework
