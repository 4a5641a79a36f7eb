#include "platform/gdi/Blit.h"

#include "platform/gdi/Paint.h"

#include <cstring>
#include <vector>

namespace gdi {

namespace {

inline std::uint32_t Rop3(unsigned index, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    switch (index) {
    case 0xCC:
        return s;
    case 0xEE:
        return s | d;
    case 0x88:
        return s & d;
    case 0x66:
        return s ^ d;
    case 0xF0:
        return p;
    case 0x55:
        return ~d & 0xFFFFFF;
    case 0x5A:
        return p ^ d;
    case 0x00:
        return 0;
    case 0xFF:
        return 0xFFFFFF;
    default: {
        std::uint32_t r = 0;
        for (unsigned bit = 0; bit < 8; ++bit) {
            if (!(index & (1u << bit)))
                continue;
            std::uint32_t term = (bit & 4 ? p : ~p) & (bit & 2 ? s : ~s) & (bit & 1 ? d : ~d);
            r |= term;
        }
        return r & 0xFFFFFF;
    }
    }
}

bool UsesSource(unsigned index) {
    return ((index >> 2) & 0x33) != (index & 0x33);
}
bool UsesPattern(unsigned index) {
    return ((index >> 4) & 0x0F) != (index & 0x0F);
}

// Converts a source pixel to the destination's format.
struct Converter {
    bool toMono = false;
    bool fromMono = false;
    std::uint32_t srcBk = 0;
    std::uint32_t black = 0, white = 0xFFFFFF;
    std::uint32_t operator()(std::uint32_t c) const {
        if (toMono)
            return c == srcBk ? 0xFFFFFF : 0;
        if (fromMono)
            return c ? white : black;
        return c;
    }
};

Converter MakeConverter(HDC dst, HDC src) {
    Converter cv;
    bool srcMono = src->Target()->IsMonochrome();
    bool dstMono = dst->Target()->IsMonochrome();
    if (dstMono && !srcMono) {
        cv.toMono = true;
        cv.srcBk = src->State().bkColor & 0xFFFFFF;
    } else if (srcMono && !dstMono) {
        cv.fromMono = true;
        cv.black = dst->State().textColor & 0xFFFFFF;
        cv.white = dst->State().bkColor & 0xFFFFFF;
    }
    return cv;
}

// Source position per destination row and column; positions outside the source are left out of
// the transfer, as there is nothing to read there.
struct Sampler {
    const Surface* surface;
    std::vector<int> xs; // source column per destination column, -1 outside
    std::vector<int> ys;
};

Sampler MakeSampler(const Surface& src, int sx, int sy, int sw, int sh, int width, int height) {
    Sampler s;
    s.surface = &src;
    s.xs.resize(std::size_t(width));
    s.ys.resize(std::size_t(height));
    for (int i = 0; i < width; ++i) {
        long long num = (long long)(i)*sw;
        int off = int(num >= 0 ? num / width : -((-num + width - 1) / width));
        int x = sw < 0 ? sx + off - 1 : sx + off;
        s.xs[std::size_t(i)] = x >= 0 && x < src.Width() ? x : -1;
    }
    for (int j = 0; j < height; ++j) {
        long long num = (long long)(j)*sh;
        int off = int(num >= 0 ? num / height : -((-num + height - 1) / height));
        int y = sh < 0 ? sy + off - 1 : sy + off;
        s.ys[std::size_t(j)] = y >= 0 && y < src.Height() ? y : -1;
    }
    return s;
}

bool Transfer(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh,
              unsigned rop, HDC mask, int mx, int my) {
    if (!dst || !dst->Target())
        return false;
    unsigned index = (rop >> 16) & 0xFF;
    bool needSource = UsesSource(index) || mask;
    if (needSource && (!src || !src->Target()))
        return false;
    if (width < 0) {
        x += width;
        width = -width;
        sx += sw;
        sw = -sw;
    }
    if (height < 0) {
        y += height;
        height = -height;
        sy += sh;
        sh = -sh;
    }
    if (width == 0 || height == 0)
        return true;
    POINT d = dst->ToDevice(x, y);
    Surface* target = dst->Target();
    paint::BrushSource pattern;
    if (UsesPattern(index))
        pattern = paint::SourceOf(dst, dst->State().brush);
    auto patternAt = [&](int xx, int yy) -> std::uint32_t {
        if (pattern.none || !UsesPattern(index))
            return 0;
        if (!pattern.pattern)
            return pattern.color;
        const Surface& ps = *pattern.pattern;
        std::uint32_t p = ps.Pixel(paint::Mod(xx - pattern.origin.x, ps.Width()),
                                   paint::Mod(yy - pattern.origin.y, ps.Height()));
        if (ps.IsMonochrome())
            return p ? pattern.white : pattern.black;
        return target->ToDevice(p);
    };

    if (!needSource) {
        dst->ForEachVisibleRect(RECT{d.x, d.y, d.x + width, d.y + height}, [&](const RECT& r) {
            for (int yy = r.top; yy < r.bottom; ++yy) {
                std::uint32_t* row = target->Row(yy);
                for (int xx = r.left; xx < r.right; ++xx) {
                    row[xx] = target->ToDevice(Rop3(index, patternAt(xx, yy), 0, row[xx]));
                }
            }
        });
        return true;
    }

    POINT s = src->ToDevice(sx, sy);
    const Surface* source = src->Target();
    // Read first when source and destination share pixels.
    Surface copy;
    if (source == target) {
        copy = *source;
        source = &copy;
    }
    Sampler sampler = MakeSampler(*source, s.x, s.y, sw, sh, width, height);
    Converter cv = MakeConverter(dst, src);
    const Surface* maskSurface = mask ? mask->Target() : nullptr;
    POINT m = mask ? mask->ToDevice(mx, my) : POINT{};
    bool plainCopy = index == 0xCC && !mask && sw == width && sh == height && !cv.toMono && !cv.fromMono;

    dst->ForEachVisibleRect(RECT{d.x, d.y, d.x + width, d.y + height}, [&](const RECT& r) {
        for (int yy = r.top; yy < r.bottom; ++yy) {
            int sy0 = sampler.ys[std::size_t(yy - d.y)];
            if (sy0 < 0)
                continue;
            std::uint32_t* row = target->Row(yy);
            const std::uint32_t* srow = source->Row(sy0);
            if (plainCopy) {
                int first = r.left, last = r.right;
                while (first < last && sampler.xs[std::size_t(first - d.x)] < 0)
                    ++first;
                while (last > first && sampler.xs[std::size_t(last - 1 - d.x)] < 0)
                    --last;
                if (first < last)
                    std::memcpy(row + first, srow + sampler.xs[std::size_t(first - d.x)],
                                std::size_t(last - first) * 4);
                continue;
            }
            for (int xx = r.left; xx < r.right; ++xx) {
                int sx0 = sampler.xs[std::size_t(xx - d.x)];
                if (sx0 < 0)
                    continue;
                std::uint32_t c = cv(srow[sx0]);
                if (maskSurface) {
                    int mxx = m.x + (sx0 - s.x), myy = m.y + (sy0 - s.y);
                    if (!maskSurface->Contains(mxx, myy) || maskSurface->Pixel(mxx, myy) != 0)
                        continue;
                    row[xx] = target->ToDevice(c);
                    continue;
                }
                row[xx] = target->ToDevice(Rop3(index, patternAt(xx, yy), c, row[xx]));
            }
        }
    });
    return true;
}

} // namespace

bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, unsigned rop) {
    return Transfer(dst, x, y, width, height, src, sx, sy, width, height, rop, nullptr, 0, 0);
}

bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh,
                unsigned rop) {
    return Transfer(dst, x, y, width, height, src, sx, sy, sw, sh, rop, nullptr, 0, 0);
}

bool PatBlt(HDC dst, int x, int y, int width, int height, unsigned rop) {
    unsigned index = (rop >> 16) & 0xFF;
    if (UsesSource(index))
        return false;
    return Transfer(dst, x, y, width, height, nullptr, 0, 0, width, height, rop, nullptr, 0, 0);
}

bool MaskedStretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh,
                      HDC mask, int mx, int my) {
    if (!mask || !mask->Target())
        return false;
    return Transfer(dst, x, y, width, height, src, sx, sy, sw, sh, SRCCOPY, mask, mx, my);
}

bool TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh,
                    COLORREF transparent) {
    if (!src || !src->Target() || sw <= 0 || sh <= 0)
        return false;
    Bitmap maskBitmap(sw, sh, 1);
    const Surface& source = *src->Target();
    POINT s = src->ToDevice(sx, sy);
    transparent &= 0xFFFFFF;
    for (int j = 0; j < sh; ++j)
        for (int i = 0; i < sw; ++i) {
            bool inside = source.Contains(s.x + i, s.y + j);
            maskBitmap.surface.Row(j)[i] =
                !inside || source.Pixel(s.x + i, s.y + j) == transparent ? 0xFFFFFF : 0;
        }
    DeviceContext maskDc(DeviceContext::Type::Memory);
    maskDc.Select(&maskBitmap);
    bool ok = Transfer(dst, x, y, width, height, src, sx, sy, sw, sh, SRCCOPY, &maskDc, 0, 0);
    maskDc.Select(StockMonoBitmap());
    return ok;
}

void ReplaceColor(HBITMAP bitmap, COLORREF from, COLORREF to) {
    if (!bitmap)
        return;
    Surface& s = bitmap->surface;
    std::uint32_t f = s.ToDevice(from), t = s.ToDevice(to);
    for (int y = 0; y < s.Height(); ++y) {
        std::uint32_t* row = s.Row(y);
        for (int x = 0; x < s.Width(); ++x)
            if (row[x] == f)
                row[x] = t;
    }
}

} // namespace gdi
