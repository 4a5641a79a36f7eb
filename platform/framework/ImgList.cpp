#include "platform/framework/ImgList.h"

#include "platform/framework/Filer.h"
#include "platform/framework/PngData.h"
#include "platform/framework/TypInfo.h"

#include <algorithm>
#include <cstdint>

namespace framework {

TChangeLink::~TChangeLink() {
    if (m_sender)
        m_sender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
    if (OnChange)
        OnChange(m_sender);
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() {
    for (TChangeLink* link : m_links)
        link->SetSender(nullptr);
}

void TCustomImageList::SetWidth(int width) {
    if (width <= 0)
        throw EInvalidOperation("Invalid image size");
    if (width == m_width)
        return;
    m_width = width;
    m_images.clear();
    Change();
}

void TCustomImageList::SetHeight(int height) {
    if (height <= 0)
        throw EInvalidOperation("Invalid image size");
    if (height == m_height)
        return;
    m_height = height;
    m_images.clear();
    Change();
}

void TCustomImageList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EInvalidOperation("Image index " + std::to_string(index) + " out of bounds");
}

int TCustomImageList::AddCells(TBitmap* image, const std::vector<bool>* transparent, TBitmap* mask) {
    if (!image || image->Empty())
        throw EInvalidOperation("Cannot add an empty image");
    if (mask && (mask->Width() < image->Width() || mask->Height() < image->Height()))
        throw EInvalidOperation("The mask is smaller than the image");
    const gdi::Surface& src = image->Handle()->surface;
    int cells = std::max(1, image->Width() / m_width);
    int first = Count();
    for (int c = 0; c < cells; ++c) {
        Image entry{std::make_unique<TBitmap>(), std::make_unique<TBitmap>()};
        entry.image->SetSize(m_width, m_height);
        entry.mask->SetMonochrome(true);
        entry.mask->SetSize(m_width, m_height);
        gdi::Surface& dst = entry.image->Handle()->surface;
        gdi::Surface& msk = entry.mask->Handle()->surface;
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x) {
                int sx = c * m_width + x;
                bool inside = sx < src.Width() && y < src.Height();
                bool clear = true;
                if (inside) {
                    dst.Row(y)[x] = src.Pixel(sx, y) & 0xFFFFFF;
                    if (mask)
                        clear = (mask->Handle()->surface.Pixel(sx, y) & 0xFFFFFF) == 0xFFFFFF;
                    else if (transparent)
                        clear = (*transparent)[std::size_t(y) * std::size_t(src.Width()) + std::size_t(sx)];
                    else
                        clear = false;
                }
                msk.Row(y)[x] = clear ? 0xFFFFFF : 0;
            }
        }
        m_images.push_back(std::move(entry));
    }
    Change();
    return first;
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
    return AddCells(image, nullptr, mask);
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (!image || image->Empty())
        throw EInvalidOperation("Cannot add an empty image");
    const gdi::Surface& src = image->Handle()->surface;
    gdi::COLORREF key = maskColor == gdi::clDefault ? src.Pixel(0, src.Height() - 1) & 0xFFFFFF
                                                    : gdi::ColorToRGB(maskColor) & 0xFFFFFF;
    std::vector<bool> transparent(std::size_t(src.Width()) * std::size_t(src.Height()));
    for (int y = 0; y < src.Height(); ++y)
        for (int x = 0; x < src.Width(); ++x)
            transparent[std::size_t(y) * std::size_t(src.Width()) + std::size_t(x)] =
                (src.Pixel(x, y) & 0xFFFFFF) == key;
    return AddCells(image, &transparent, nullptr);
}

void TCustomImageList::Delete(int index) {
    CheckIndex(index);
    m_images.erase(m_images.begin() + index);
    Change();
}

void TCustomImageList::Clear() {
    if (m_images.empty())
        return;
    m_images.clear();
    Change();
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) const {
    CheckIndex(index);
    if (!image)
        throw EInvalidOperation("GetBitmap needs a bitmap");
    image->Assign(m_images[std::size_t(index)].image.get());
}

namespace {

// Paints colour through a mask (black = paint) at (x, y).
void PaintThroughMask(gdi::HDC dst, int x, int y, int w, int h, gdi::HDC maskDc, gdi::COLORREF color) {
    gdi::HDC fillDc = gdi::CreateCompatibleDC(dst);
    gdi::HBITMAP fill = gdi::CreateCompatibleBitmap(dst, w, h);
    gdi::HGDIOBJ old = gdi::SelectObject(fillDc, fill);
    gdi::HBRUSH brush = gdi::CreateSolidBrush(color);
    gdi::RECT all{0, 0, w, h};
    gdi::FillRect(fillDc, &all, brush);
    gdi::MaskedStretchBlt(dst, x, y, w, h, fillDc, 0, 0, w, h, maskDc, 0, 0);
    gdi::DeleteObject(brush);
    gdi::SelectObject(fillDc, old);
    gdi::DeleteObject(fill);
    gdi::DeleteDC(fillDc);
}

} // namespace

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    if (!canvas)
        throw EInvalidOperation("Draw needs a canvas");
    CheckIndex(index);
    const Image& entry = m_images[std::size_t(index)];
    gdi::HDC dst = canvas->Handle();
    if (enabled) {
        gdi::MaskedStretchBlt(dst, x, y, m_width, m_height, entry.image->Canvas()->Handle(), 0, 0, m_width,
                              m_height, entry.mask->Canvas()->Handle(), 0, 0);
        return;
    }
    // The ink of the greyed image: opaque pixels that are not light.
    TBitmap ink;
    ink.SetMonochrome(true);
    ink.SetSize(m_width, m_height);
    const gdi::Surface& img = entry.image->Handle()->surface;
    const gdi::Surface& msk = entry.mask->Handle()->surface;
    gdi::Surface& out = ink.Handle()->surface;
    for (int py = 0; py < m_height; ++py) {
        for (int px = 0; px < m_width; ++px) {
            gdi::COLORREF c = img.Pixel(px, py);
            int luminance = (gdi::GetRValue(c) * 30 + gdi::GetGValue(c) * 59 + gdi::GetBValue(c) * 11) / 100;
            bool opaque = (msk.Pixel(px, py) & 0xFFFFFF) == 0;
            out.Row(py)[px] = opaque && luminance < 192 ? 0 : 0xFFFFFF;
        }
    }
    gdi::HDC inkDc = ink.Canvas()->Handle();
    PaintThroughMask(dst, x + 1, y + 1, m_width, m_height, inkDc, gdi::ColorToRGB(gdi::clBtnHighlight));
    PaintThroughMask(dst, x, y, m_width, m_height, inkDc, gdi::ColorToRGB(gdi::clBtnShadow));
}

namespace {

constexpr std::string_view kImagesMagic = "ImgL";
constexpr std::size_t kImagesHeaderSize = 16;

void PutUint32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>(value >> (8 * i) & 0xFF);
}

std::uint32_t GetUint32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + std::size_t(i)]);
    return value;
}

} // namespace

void TCustomImageList::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Bitmap", [this](const std::string& data) { ReadImages(data); }, [this] { return WriteImages(); },
        Count() > 0);
}

std::string TCustomImageList::WriteImages() const {
    gdi::Surface strip(Count() * m_width, 2 * m_height, 32);
    for (int i = 0; i < Count(); ++i) {
        const gdi::Surface& image = m_images[std::size_t(i)].image->Handle()->surface;
        const gdi::Surface& mask = m_images[std::size_t(i)].mask->Handle()->surface;
        for (int y = 0; y < m_height; ++y) {
            std::copy(image.Row(y), image.Row(y) + m_width, strip.Row(y) + i * m_width);
            std::copy(mask.Row(y), mask.Row(y) + m_width, strip.Row(m_height + y) + i * m_width);
        }
    }
    std::string out(kImagesMagic);
    PutUint32(out, std::uint32_t(Count()));
    PutUint32(out, std::uint32_t(m_width));
    PutUint32(out, std::uint32_t(m_height));
    return out + EncodePng(strip);
}

void TCustomImageList::ReadImages(const std::string& data) {
    std::string_view bytes = data;
    if (bytes.size() < kImagesHeaderSize || bytes.substr(0, 4) != kImagesMagic)
        throw EInvalidGraphic("Invalid image list data");
    std::uint32_t count = GetUint32(bytes, 4);
    std::uint32_t width = GetUint32(bytes, 8);
    std::uint32_t height = GetUint32(bytes, 12);
    TBitmap strip;
    strip.SetHandle(DecodePng(bytes.substr(kImagesHeaderSize), "Image list data"));
    if (count == 0 || width == 0 || height == 0 ||
        std::uint64_t(count) * width != std::uint64_t(strip.Width()) ||
        std::uint64_t(height) * 2 != std::uint64_t(strip.Height()))
        throw EInvalidGraphic("Invalid image list data: " + std::to_string(count) + " images of " +
                              std::to_string(width) + " x " + std::to_string(height) + " in a picture of " +
                              std::to_string(strip.Width()) + " x " + std::to_string(strip.Height()));
    TBitmap images;
    TBitmap masks;
    images.SetSize(strip.Width(), int(height));
    masks.SetSize(strip.Width(), int(height));
    const gdi::Surface& from = strip.Handle()->surface;
    for (int y = 0; y < int(height); ++y) {
        std::copy(from.Row(y), from.Row(y) + from.Width(), images.Handle()->surface.Row(y));
        std::copy(from.Row(int(height) + y), from.Row(int(height) + y) + from.Width(),
                  masks.Handle()->surface.Row(y));
    }
    m_images.clear();
    m_width = int(width);
    m_height = int(height);
    AddCells(&images, nullptr, &masks);
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
    if (!link)
        return;
    if (link->Sender() && link->Sender() != this)
        link->Sender()->UnRegisterChanges(link);
    link->SetSender(this);
    if (std::find(m_links.begin(), m_links.end(), link) == m_links.end())
        m_links.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
    auto it = std::find(m_links.begin(), m_links.end(), link);
    if (it == m_links.end())
        return;
    m_links.erase(it);
    link->SetSender(nullptr);
}

void TCustomImageList::Change() {
    // A link may unregister itself from its handler.
    std::vector<TChangeLink*> links = m_links;
    for (TChangeLink* link : links)
        if (std::find(m_links.begin(), m_links.end(), link) != m_links.end())
            link->Change();
    if (OnChange)
        OnChange(this);
}

[[maybe_unused]] const auto registerCustomImageList =
    RegisterClass<TCustomImageList, TComponent>("TCustomImageList")
        .Integer("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight, 16)
        .Integer("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth, 16);
[[maybe_unused]] const auto registerImageList = RegisterClass<TImageList, TCustomImageList>("TImageList");

} // namespace framework
