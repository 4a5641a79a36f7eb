#include "platform/framework/Graphics.h"

#include "platform/framework/BitmapResources.h"
#include "platform/framework/Filer.h"
#include "platform/framework/PngData.h"

#include <algorithm>

namespace framework {

// ---- TBitmap

namespace {

gdi::HBITMAP NewBitmap(int width, int height, int bitsPerPixel) {
    gdi::HBITMAP b = gdi::CreateBitmap(width, height, 1, bitsPerPixel, nullptr);
    if (!b)
        throw EInvalidGraphicOperation("Cannot create a bitmap of " + std::to_string(width) + " x " +
                                       std::to_string(height));
    return b;
}

// Replaces the palette colours all at once: a pixel changes at most once.
void MapColors(gdi::Surface& surface, const std::vector<std::pair<TColor, TColor>>& colorMap) {
    for (int y = 0; y < surface.Height(); ++y) {
        std::uint32_t* row = surface.Row(y);
        for (int x = 0; x < surface.Width(); ++x) {
            for (const auto& [from, to] : colorMap) {
                if ((row[x] & 0xFFFFFF) == DeviceColor(from)) {
                    row[x] = DeviceColor(to);
                    break;
                }
            }
        }
    }
}

} // namespace

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

void TBitmap::LoadFromLibraryResource(const void* library, const std::string& name,
                                      const std::vector<std::pair<TColor, TColor>>& colorMap) {
    const std::string* data = FindBitmapResource(library, name);
    if (data == nullptr)
        throw EResNotFound("Resource " + name + " not found");
    gdi::HBITMAP loaded = DecodeBitmapData(*data, "Bitmap resource " + name);
    if (!colorMap.empty() && BitmapDataHasPalette(*data))
        MapColors(loaded->surface, colorMap);
    TakeLoaded(loaded);
}

void TBitmap::LoadFromFile(const std::string& path) {
    TakeLoaded(gdi::LoadPng(path));
}

void TBitmap::TakeLoaded(gdi::HBITMAP loaded) {
    Replace(loaded);
    m_pixelFormat = pfDevice;
    Changed();
}

void TBitmap::SaveToPng(const std::string& path) const {
    gdi::SavePng(m_handle, path);
}

void TBitmap::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "Data", [this](const std::string& data) { ReadData(data); },
        [this] { return EncodePng(m_handle->surface); }, !Empty());
}

void TBitmap::ReadData(const std::string& data) {
    TakeLoaded(DecodeBitmapData(data, "Bitmap data"));
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
    gdi::HDC dst = canvas.Handle();
    gdi::HDC src = Canvas()->Handle();
    int w = Width();
    int h = Height();
    if (Transparent()) {
        gdi::TransparentBlt(dst, rect.left, rect.top, rect.Width(), rect.Height(), src, 0, 0, w, h,
                            DeviceColor(TransparentColor()));
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

} // namespace framework
