#include "platform/framework/PngData.h"

#include "platform/framework/Graphics.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace framework {

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Beyond any picture a form shows; a larger header is taken for damaged data.
constexpr png_uint_32 kMaxPixels = 1u << 26;

} // namespace

bool IsPng(std::string_view bytes) {
    return bytes.size() >= sizeof kSignature && std::memcmp(bytes.data(), kSignature, sizeof kSignature) == 0;
}

std::string EncodePng(const gdi::Surface& surface) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(surface.Width());
    image.height = png_uint_32(surface.Height());
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
    for (int y = 0; y < surface.Height(); ++y) {
        const std::uint32_t* src = surface.Row(y);
        png_byte* dst = pixels.data() + std::size_t(y) * std::size_t(surface.Width()) * 3;
        for (int x = 0; x < surface.Width(); ++x) {
            dst[x * 3] = png_byte(gdi::GetRValue(src[x]));
            dst[x * 3 + 1] = png_byte(gdi::GetGValue(src[x]));
            dst[x * 3 + 2] = png_byte(gdi::GetBValue(src[x]));
        }
    }
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr))
        throw EInvalidGraphicOperation(std::string("Cannot encode a PNG image: ") + image.message);
    std::string out(size, '\0');
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr))
        throw EInvalidGraphicOperation(std::string("Cannot encode a PNG image: ") + image.message);
    out.resize(size);
    return out;
}

gdi::HBITMAP DecodePng(std::string_view bytes, const std::string& what) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!IsPng(bytes) || !png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        throw EInvalidGraphic(what + " is not a valid PNG image");
    if (image.width == 0 || image.height == 0 || image.width > kMaxPixels / image.height) {
        png_image_free(&image);
        throw EInvalidGraphic(what + " is too large a PNG image");
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        throw EInvalidGraphic(what + " is not a valid PNG image: " + image.message);
    }
    gdi::HBITMAP bitmap = gdi::CreateBitmap(int(image.width), int(image.height), 1, 32, nullptr);
    for (int y = 0; y < int(image.height); ++y) {
        std::uint32_t* row = bitmap->surface.Row(y);
        const png_byte* src = pixels.data() + std::size_t(y) * image.width * 3;
        for (int x = 0; x < int(image.width); ++x)
            row[x] = gdi::RGB(src[x * 3], src[x * 3 + 1], src[x * 3 + 2]);
    }
    return bitmap;
}

bool PngHasPalette(std::string_view bytes) {
    // The header chunk follows the signature: length, "IHDR", width, height, depth, colour type.
    if (!IsPng(bytes) || bytes.size() < 26 || bytes.substr(12, 4) != "IHDR")
        return false;
    int depth = static_cast<unsigned char>(bytes[24]);
    int colorType = static_cast<unsigned char>(bytes[25]);
    return colorType == PNG_COLOR_TYPE_PALETTE || (colorType == PNG_COLOR_TYPE_GRAY && depth <= 8);
}

} // namespace framework
