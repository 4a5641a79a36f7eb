#include "platform/gdi/FontEngine.h"

#include "platform/rtl/Exceptions.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <tuple>

namespace gdi {

namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::set<std::string>& RasterFaces() {
    static std::set<std::string> faces;
    return faces;
}

const std::map<std::string, std::string>& AliasTable() {
    static const std::map<std::string, std::string> table = {
        {"宋体", "WenQuanYi Micro Hei"},     {"verdana", "DejaVu Sans"}, {"tahoma", "DejaVu Sans"},
        {"ms sans serif", "DejaVu Sans"},    {"arial", "DejaVu Sans"},   {"system", "DejaVu Sans"},
        {"courier new", "DejaVu Sans Mono"}, {"", "DejaVu Sans"},
    };
    return table;
}

// Faces whose character cell is exactly their em: a height of -12 gives 12-pixel lines. The fonts that
// stand in for them carry taller ascent and descent, which would grow every line of a form's layout.
bool HasEmCell(const std::string& face) {
    return Lower(face) == "宋体";
}

} // namespace

void SetRasterFontForTest(const std::string& face, bool raster) {
    if (raster)
        RasterFaces().insert(Lower(face));
    else
        RasterFaces().erase(Lower(face));
}

void ResetRasterFontsForTest() {
    RasterFaces().clear();
}

std::string ResolvedFamily(const std::string& face) {
    auto it = AliasTable().find(Lower(face));
    return it != AliasTable().end() ? it->second : face;
}

namespace fonts {

const Glyph& RealizedFont::GlyphFor(char32_t c) {
    auto it = m_glyphs.find(c);
    if (it == m_glyphs.end())
        it = m_glyphs.emplace(c, Render(c)).first;
    return it->second;
}

namespace {

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0)
            throw rtl::Exception("The font engine cannot start");
        return lib;
    }();
    return library;
}

struct FaceFile {
    std::string path;
    int index = 0;
    bool bold = false;
    bool italic = false;
};

FaceFile Match(const std::string& family, bool bold, bool italic) {
    static std::map<std::tuple<std::string, bool, bool>, FaceFile> cache;
    auto key = std::make_tuple(family, bold, italic);
    if (auto it = cache.find(key); it != cache.end())
        return it->second;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    FaceFile file;
    if (match) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
            file.path = reinterpret_cast<const char*>(path);
        int index = 0, weight = 0, slant = 0;
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch)
            file.index = index;
        if (FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch)
            file.bold = weight >= FC_WEIGHT_DEMIBOLD;
        if (FcPatternGetInteger(match, FC_SLANT, 0, &slant) == FcResultMatch)
            file.italic = slant != FC_SLANT_ROMAN;
        FcPatternDestroy(match);
    }
    if (file.path.empty())
        throw rtl::Exception("No installed font matches \"" + family + "\"");
    cache[key] = file;
    return file;
}

// A sized FreeType face; several realised fonts may share one file but each owns its size.
struct SizedFace {
    FT_Face face = nullptr;
    bool emboldenSynthetic = false;
    bool obliqueSynthetic = false;
    ~SizedFace() {
        if (face)
            FT_Done_Face(face);
    }
};

std::unique_ptr<SizedFace> OpenFace(const std::string& family, bool bold, bool italic, int pixelEm) {
    FaceFile file = Match(family, bold, italic);
    auto sized = std::make_unique<SizedFace>();
    if (FT_New_Face(Library(), file.path.c_str(), file.index, &sized->face) != 0)
        throw rtl::Exception("Cannot open the font file " + file.path);
    FT_Set_Pixel_Sizes(sized->face, 0, FT_UInt(std::max(1, pixelEm)));
    sized->emboldenSynthetic = bold && !file.bold;
    sized->obliqueSynthetic = italic && !file.italic;
    return sized;
}

Glyph RenderFrom(SizedFace& sized, FT_UInt index) {
    Glyph g;
    FT_Face face = sized.face;
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) != 0)
        return g;
    if (sized.obliqueSynthetic)
        FT_GlyphSlot_Oblique(face->glyph);
    if (sized.emboldenSynthetic)
        FT_GlyphSlot_Embolden(face->glyph);
    g.advance = int((face->glyph->advance.x + 32) >> 6);
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0)
        return g;
    const FT_Bitmap& bm = face->glyph->bitmap;
    g.left = face->glyph->bitmap_left;
    g.top = face->glyph->bitmap_top;
    g.width = int(bm.width);
    g.height = int(bm.rows);
    g.bits.assign(std::size_t(g.width) * std::size_t(g.height), 0);
    for (int y = 0; y < g.height; ++y) {
        const unsigned char* row = bm.buffer + std::ptrdiff_t(y) * bm.pitch;
        for (int x = 0; x < g.width; ++x)
            g.bits[std::size_t(y * g.width + x)] = (row[x / 8] >> (7 - x % 8)) & 1;
    }
    return g;
}

int PixelEmFor(const LOGFONT& log, const std::string& family) {
    if (log.lfHeight < 0)
        return -log.lfHeight;
    if (log.lfHeight == 0)
        return 12;
    // A positive height is the cell height; scale the em so that ascent plus descent meet it.
    auto probe = OpenFace(family, false, false, 100);
    TT_OS2* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(probe->face, FT_SFNT_OS2));
    double units = os2 ? double(os2->usWinAscent + os2->usWinDescent)
                       : double(probe->face->ascender - probe->face->descender);
    double em = probe->face->units_per_EM;
    return std::max(1, int(std::lround(log.lfHeight * em / units)));
}

class OutlineFont : public RealizedFont {
public:
    OutlineFont(const LOGFONT& log, const std::string& family) {
        bool bold = log.lfWeight >= 600;
        bool italic = log.lfItalic;
        int em = PixelEmFor(log, family);
        m_primary = OpenFace(family, bold, italic, em);
        for (const char* fallback : {"WenQuanYi Micro Hei", "DejaVu Sans"})
            if (Lower(fallback) != Lower(family))
                m_fallbacks.push_back(OpenFace(fallback, bold, italic, em));
        FT_Face face = m_primary->face;
        double scale = double(em) / face->units_per_EM;
        TT_OS2* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        int winAscent = os2 ? os2->usWinAscent : face->ascender;
        int winDescent = os2 ? os2->usWinDescent : -face->descender;
        if (HasEmCell(log.lfFaceName) && log.lfHeight <= 0) {
            m_metrics.ascent = int(std::lround(em * 0.86));
            m_metrics.descent = em - m_metrics.ascent;
        } else {
            m_metrics.ascent = int(std::ceil(winAscent * scale - 0.01));
            m_metrics.descent = int(std::ceil(winDescent * scale - 0.01));
        }
        m_metrics.height = m_metrics.ascent + m_metrics.descent;
        m_metrics.internalLeading = std::max(0, m_metrics.height - em);
        m_metrics.externalLeading = 0;
        m_metrics.maxCharWidth = int(std::lround(face->max_advance_width * scale));
        m_metrics.aveCharWidth =
            os2 && os2->xAvgCharWidth > 0 ? int(std::lround(os2->xAvgCharWidth * scale)) : Advance(U'x');
        m_metrics.weight = bold ? FW_BOLD : FW_NORMAL;
        m_metrics.fixedPitch = FT_IS_FIXED_WIDTH(face);
        m_metrics.underlinePosition = std::max(1, int(std::lround(-face->underline_position * scale)));
        m_metrics.underlineThickness = std::max(1, int(std::lround(face->underline_thickness * scale)));
        m_metrics.strikeOutPosition = std::max(1, int(std::lround(m_metrics.ascent * 0.3)));
        m_metrics.trueType = true;
    }
    void MarkRaster() { m_metrics.trueType = false; }

protected:
    Glyph Render(char32_t c) override {
        if (FT_UInt index = FT_Get_Char_Index(m_primary->face, FT_ULong(c)))
            return RenderFrom(*m_primary, index);
        for (auto& fallback : m_fallbacks)
            if (FT_UInt index = FT_Get_Char_Index(fallback->face, FT_ULong(c)))
                return RenderFrom(*fallback, index);
        return RenderFrom(*m_primary, 0);
    }

private:
    std::unique_ptr<SizedFace> m_primary;
    std::vector<std::unique_ptr<SizedFace>> m_fallbacks;
};

// The symbol face of window captions and arrows, drawn by the device: each glyph is an em
// square; only the symbols the system uses have shapes, the rest are blank.
class SymbolFont : public RealizedFont {
public:
    explicit SymbolFont(const LOGFONT& log) {
        m_em = log.lfHeight < 0 ? -log.lfHeight : log.lfHeight == 0 ? 12 : log.lfHeight;
        m_metrics.ascent = m_em - m_em / 8;
        m_metrics.descent = m_em - m_metrics.ascent;
        m_metrics.height = m_em;
        m_metrics.aveCharWidth = m_em;
        m_metrics.maxCharWidth = m_em;
        m_metrics.weight = FW_NORMAL;
        m_metrics.underlinePosition = 1;
        m_metrics.strikeOutPosition = m_em / 3;
    }

protected:
    Glyph Render(char32_t c) override {
        Glyph g;
        g.advance = m_em;
        g.width = m_em;
        g.height = m_em;
        g.left = 0;
        g.top = m_metrics.ascent;
        g.bits.assign(std::size_t(m_em * m_em), 0);
        auto set = [&](int x, int y) {
            if (x >= 0 && y >= 0 && x < m_em && y < m_em)
                g.bits[std::size_t(y * m_em + x)] = 1;
        };
        int inset = std::max(1, m_em / 4);
        int lo = inset, hi = m_em - inset; // the symbol occupies [lo, hi)
        int thick = m_em >= 10 ? 2 : 1;
        switch (c) {
        case U'r': // close: a cross
            for (int i = 0; i < hi - lo; ++i)
                for (int t = 0; t < thick; ++t) {
                    set(lo + i + t, lo + i);
                    set(hi - 1 - i - t, lo + i);
                }
            break;
        case U'0': // minimise
            for (int x = lo; x < hi; ++x)
                for (int t = 0; t < thick; ++t)
                    set(x, hi - 1 - t);
            break;
        case U'1': // maximise
            for (int x = lo; x < hi; ++x) {
                set(x, lo);
                set(x, lo + 1);
                set(x, hi - 1);
            }
            for (int y = lo; y < hi; ++y) {
                set(lo, y);
                set(hi - 1, y);
            }
            break;
        case U'3':
        case U'4':
        case U'5':
        case U'6': { // arrows left, right, up, down
            int n = std::max(2, (hi - lo + 1) / 2);
            int mid = m_em / 2;
            for (int k = 0; k < n; ++k)
                for (int j = -k; j <= k; ++j) {
                    int along = c == U'3' || c == U'5' ? mid - n / 2 + k : mid + n / 2 - k;
                    if (c == U'3' || c == U'4')
                        set(along, mid + j);
                    else
                        set(mid + j, along);
                }
            break;
        }
        case U'a': // check mark
            for (int i = 0; i < (hi - lo) / 3 + 1; ++i)
                for (int t = 0; t < thick + 1; ++t)
                    set(lo + i, m_em / 2 + i - 1 + t);
            for (int i = 0; i < 2 * (hi - lo) / 3; ++i)
                for (int t = 0; t < thick + 1; ++t)
                    set(lo + (hi - lo) / 3 + i, m_em / 2 + (hi - lo) / 3 - 1 - i + t);
            break;
        default:
            break;
        }
        return g;
    }

private:
    int m_em = 12;
};

} // namespace

RealizedFont& Realize(const LOGFONT& log) {
    static bool fontconfigReady = [] {
        if (FcInit() != FcTrue)
            return false;
        // Lets the library release its configuration, so that leak checks see a clean exit.
        std::atexit([] { FcFini(); });
        return true;
    }();
    if (!fontconfigReady)
        throw rtl::Exception("The font configuration cannot be loaded");
    bool raster = RasterFaces().count(Lower(log.lfFaceName)) > 0;
    auto key =
        std::make_tuple(Lower(log.lfFaceName), log.lfHeight, log.lfWeight >= 600, log.lfItalic, raster);
    static std::map<decltype(key), std::unique_ptr<RealizedFont>> cache;
    if (auto it = cache.find(key); it != cache.end())
        return *it->second;
    std::unique_ptr<RealizedFont> font;
    if (Lower(log.lfFaceName) == "marlett") {
        font = std::make_unique<SymbolFont>(log);
    } else {
        auto outline = std::make_unique<OutlineFont>(log, ResolvedFamily(log.lfFaceName));
        if (raster)
            outline->MarkRaster();
        font = std::move(outline);
    }
    return *cache.emplace(key, std::move(font)).first->second;
}

} // namespace fonts
} // namespace gdi
