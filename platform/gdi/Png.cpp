#include "platform/gdi/Png.h"

#include "platform/rtl/Exceptions.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace gdi {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

void SavePng(const Surface& surface, const std::string& path) {
    if (surface.Width() == 0 || surface.Height() == 0)
        throw rtl::EInOutError("Cannot write an empty image to " + path);
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw rtl::EInOutError("Cannot create " + path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw rtl::EInOutError("Cannot write " + path);
    }
    std::vector<png_byte> row(std::size_t(surface.Width()) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw rtl::EInOutError("Cannot write " + path);
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, png_uint_32(surface.Width()), png_uint_32(surface.Height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < surface.Height(); ++y) {
        const std::uint32_t* src = surface.Row(y);
        for (int x = 0; x < surface.Width(); ++x) {
            row[std::size_t(x) * 3] = png_byte(GetRValue(src[x]));
            row[std::size_t(x) * 3 + 1] = png_byte(GetGValue(src[x]));
            row[std::size_t(x) * 3 + 2] = png_byte(GetBValue(src[x]));
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
}

void SavePng(HBITMAP bitmap, const std::string& path) {
    if (!bitmap)
        throw rtl::EInOutError("No bitmap to write to " + path);
    SavePng(bitmap->surface, path);
}

HBITMAP LoadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        throw rtl::EInOutError("Cannot read " + path);
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        throw rtl::EInOutError("Cannot read " + path);
    }
    auto* bitmap = new Bitmap(int(image.width), int(image.height), 32);
    for (int y = 0; y < int(image.height); ++y) {
        std::uint32_t* row = bitmap->surface.Row(y);
        const png_byte* src = pixels.data() + std::size_t(y) * image.width * 3;
        for (int x = 0; x < int(image.width); ++x)
            row[x] = RGB(src[x * 3], src[x * 3 + 1], src[x * 3 + 2]);
    }
    return bitmap;
}

} // namespace gdi
