#pragma once

// The device's font machinery: logical fonts realised through fontconfig and FreeType, the alias
// table of the faces the forms name, glyph rendering in one-bit pixels, and the symbol face that
// the device draws itself.

#include "platform/gdi/Objects.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace gdi {

// Makes a face (case-insensitive) report itself as a raster font: no TrueType bit in the
// metrics, and no rotation, as raster faces cannot turn. Tests reach the non-TrueType paths so.
void SetRasterFontForTest(const std::string& face, bool raster);
void ResetRasterFontsForTest();

// The installed family a face name is drawn with (the alias table, else the name itself).
std::string ResolvedFamily(const std::string& face);

namespace fonts {

struct Metrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = 0;
    int overhang = 0;
    bool trueType = true;
    bool fixedPitch = false;
    int underlinePosition = 0; // pixels below the baseline
    int underlineThickness = 1;
    int strikeOutPosition = 0; // pixels above the baseline
};

// One glyph in one-bit pixels, placed relative to the pen position on the baseline.
struct Glyph {
    int left = 0; // offset of the first column from the pen position
    int top = 0;  // rows above the baseline of the first row
    int width = 0;
    int height = 0;
    int advance = 0;
    std::vector<std::uint8_t> bits; // width * height, 1 = ink
};

class RealizedFont {
public:
    virtual ~RealizedFont() = default;
    const Metrics& GetMetrics() const { return m_metrics; }
    bool IsRaster() const { return !m_metrics.trueType; }
    const Glyph& GlyphFor(char32_t c);
    int Advance(char32_t c) { return GlyphFor(c).advance; }

protected:
    virtual Glyph Render(char32_t c) = 0;
    Metrics m_metrics;

private:
    std::unordered_map<char32_t, Glyph> m_glyphs;
};

// The realised font for a logical font (escapement does not matter); cached for the process.
RealizedFont& Realize(const LOGFONT& log);

} // namespace fonts
} // namespace gdi
