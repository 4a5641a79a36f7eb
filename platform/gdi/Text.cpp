#include "platform/gdi/Text.h"

#include "platform/gdi/CallLog.h"
#include "platform/gdi/FontEngine.h"
#include "platform/gdi/Paint.h"
#include "platform/gdi/WordBreak.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace gdi {

namespace {

fonts::RealizedFont& FontOf(HDC dc) {
    return fonts::Realize(dc->State().font->log);
}

// A line of text in one-bit pixels, in the unrotated frame: x from the pen start, y from the top
// of the cell.
struct Run {
    int width = 0; // advance
    int height = 0;
    int ascent = 0;
    int minX = 0; // ink may reach left of the start or right of the advance
    int maxX = 0;
    std::vector<std::uint8_t> ink; // (maxX - minX) * height
    bool At(int x, int y) const {
        return x >= minX && x < maxX && y >= 0 && y < height &&
               ink[std::size_t(y * (maxX - minX) + (x - minX))];
    }
};

struct RunChar {
    char32_t c;
    int advance;
    bool underline;
};

std::vector<RunChar> CharsOf(fonts::RealizedFont& font, const std::u32string& text, const int* dx) {
    std::vector<RunChar> chars;
    chars.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        chars.push_back(RunChar{text[i], dx ? dx[i] : font.Advance(text[i]), false});
    return chars;
}

Run BuildRun(fonts::RealizedFont& font, const LOGFONT& log, const std::vector<RunChar>& chars) {
    const fonts::Metrics& m = font.GetMetrics();
    Run run;
    run.height = m.height;
    run.ascent = m.ascent;
    int pen = 0;
    for (const RunChar& rc : chars) {
        const fonts::Glyph& g = font.GlyphFor(rc.c);
        if (g.width > 0) {
            run.minX = std::min(run.minX, pen + g.left);
            run.maxX = std::max(run.maxX, pen + g.left + g.width);
        }
        pen += rc.advance;
    }
    run.width = pen;
    run.maxX = std::max(run.maxX, pen);
    int w = run.maxX - run.minX;
    run.ink.assign(std::size_t(w) * std::size_t(run.height), 0);
    auto set = [&](int x, int y) {
        if (x >= run.minX && x < run.maxX && y >= 0 && y < run.height)
            run.ink[std::size_t(y * w + (x - run.minX))] = 1;
    };
    pen = 0;
    int underlineTop = m.ascent + m.underlinePosition;
    if (underlineTop + m.underlineThickness > m.height)
        underlineTop = m.height - m.underlineThickness;
    for (const RunChar& rc : chars) {
        const fonts::Glyph& g = font.GlyphFor(rc.c);
        for (int y = 0; y < g.height; ++y)
            for (int x = 0; x < g.width; ++x)
                if (g.bits[std::size_t(y * g.width + x)])
                    set(pen + g.left + x, m.ascent - g.top + y);
        if (rc.underline || log.lfUnderline)
            for (int t = 0; t < m.underlineThickness; ++t)
                for (int x = pen; x < pen + rc.advance; ++x)
                    set(x, underlineTop + t);
        if (log.lfStrikeOut)
            for (int t = 0; t < m.underlineThickness; ++t)
                for (int x = pen; x < pen + rc.advance; ++x)
                    set(x, m.ascent - m.strikeOutPosition + t);
        pen += rc.advance;
    }
    return run;
}

struct Placement {
    double originX; // device position of the run's (0, 0)
    double originY;
    double cosA;
    double sinA;
};

void Angle(int escapement, double& c, double& s) {
    int e = ((escapement % 3600) + 3600) % 3600;
    switch (e) {
    case 0:
        c = 1, s = 0;
        return;
    case 900:
        c = 0, s = 1;
        return;
    case 1800:
        c = -1, s = 0;
        return;
    case 2700:
        c = 0, s = -1;
        return;
    default: {
        double a = e / 10.0 * std::numbers::pi / 180.0;
        c = std::cos(a);
        s = std::sin(a);
    }
    }
}

// Places a run whose alignment point sits at the device point ref.
Placement Place(const Run& run, POINT ref, unsigned align, int escapement) {
    Placement p;
    Angle(escapement, p.cosA, p.sinA);
    int ax = 0, ay = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        ax = run.width / 2;
    else if (align & TA_RIGHT)
        ax = run.width;
    if ((align & TA_BASELINE) == TA_BASELINE)
        ay = run.ascent;
    else if (align & TA_BOTTOM)
        ay = run.height;
    // Screen = origin + u (cos, -sin) + v (sin, cos).
    p.originX = ref.x - (ax * p.cosA + ay * p.sinA);
    p.originY = ref.y - (-ax * p.sinA + ay * p.cosA);
    return p;
}

void Paint(HDC dc, const Run& run, const Placement& p, COLORREF textColor, bool opaque, COLORREF bkColor) {
    Surface* target = dc->Target();
    if (!target)
        return;
    std::uint32_t ink = target->ToDevice(textColor);
    std::uint32_t bk = target->ToDevice(bkColor);
    int left = opaque ? std::min(0, run.minX) : run.minX;
    int right = run.maxX;
    double xs[4], ys[4];
    int us[4] = {left, right, right, left};
    int vs[4] = {0, 0, run.height, run.height};
    for (int i = 0; i < 4; ++i) {
        xs[i] = p.originX + us[i] * p.cosA + vs[i] * p.sinA;
        ys[i] = p.originY - us[i] * p.sinA + vs[i] * p.cosA;
    }
    RECT box{int(std::floor(*std::min_element(xs, xs + 4))), int(std::floor(*std::min_element(ys, ys + 4))),
             int(std::ceil(*std::max_element(xs, xs + 4))), int(std::ceil(*std::max_element(ys, ys + 4)))};
    dc->ForEachVisibleRect(box, [&](const RECT& r) {
        for (int y = r.top; y < r.bottom; ++y) {
            std::uint32_t* row = target->Row(y);
            double dy = y + 0.5 - p.originY;
            for (int x = r.left; x < r.right; ++x) {
                double dx = x + 0.5 - p.originX;
                double u = dx * p.cosA - dy * p.sinA;
                double v = dx * p.sinA + dy * p.cosA;
                int iu = int(std::floor(u)), iv = int(std::floor(v));
                if (run.At(iu, iv))
                    row[x] = ink;
                else if (opaque && iu >= 0 && iu < run.width && iv >= 0 && iv < run.height)
                    row[x] = bk;
            }
        }
    });
}

int EscapementOf(HDC dc, fonts::RealizedFont& font) {
    return font.IsRaster() ? 0 : dc->State().font->log.lfEscapement;
}

// Draws one run at a logical reference point with the context's alignment, colours and mode.
int DrawRun(HDC dc, const std::vector<RunChar>& chars, POINT logical, unsigned align, bool opaque) {
    fonts::RealizedFont& font = FontOf(dc);
    Run run = BuildRun(font, dc->State().font->log, chars);
    Placement p = Place(run, dc->ToDevice(logical.x, logical.y), align, EscapementOf(dc, font));
    Paint(dc, run, p, dc->State().textColor, opaque, dc->State().bkColor);
    return run.width;
}

// Runs f with the clip narrowed to a logical rectangle.
template <class F> void WithClipRect(HDC dc, const RECT& r, F&& f) {
    auto saved = dc->State().clip;
    POINT o = dc->DeviceOffset();
    RegionData rect = RegionData::FromRect(RECT{r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y});
    dc->State().clip = saved ? RegionData::Combine(*saved, rect, RGN_AND) : rect;
    try {
        f();
    } catch (...) {
        dc->State().clip = std::move(saved);
        throw;
    }
    dc->State().clip = std::move(saved);
}

} // namespace

bool GetTextMetrics(HDC dc, TEXTMETRIC* out) {
    if (!dc || !out)
        return false;
    const LOGFONT& log = dc->State().font->log;
    fonts::RealizedFont& font = FontOf(dc);
    const fonts::Metrics& m = font.GetMetrics();
    *out = TEXTMETRIC{};
    out->tmHeight = m.height;
    out->tmAscent = m.ascent;
    out->tmDescent = m.descent;
    out->tmInternalLeading = m.internalLeading;
    out->tmExternalLeading = m.externalLeading;
    out->tmAveCharWidth = m.aveCharWidth;
    out->tmMaxCharWidth = m.maxCharWidth;
    out->tmWeight = m.weight;
    out->tmOverhang = m.overhang;
    out->tmItalic = log.lfItalic;
    out->tmUnderlined = log.lfUnderline;
    out->tmStruckOut = log.lfStrikeOut;
    out->tmCharSet = log.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : log.lfCharSet;
    out->tmPitchAndFamily = (m.fixedPitch ? 0 : TMPF_FIXED_PITCH) |
                            (m.trueType ? TMPF_TRUETYPE | TMPF_VECTOR : 0) | (log.lfPitchAndFamily & 0xF0);
    return true;
}

bool GetTextExtentPoint32(HDC dc, std::string_view text, SIZE* out) {
    if (!dc || !out)
        return false;
    fonts::RealizedFont& font = FontOf(dc);
    int width = 0;
    for (char32_t c : rtl::Utf8ToCodePoints(text))
        width += font.Advance(c);
    *out = SIZE{width, font.GetMetrics().height};
    return true;
}

bool GetCharWidth32(HDC dc, char32_t first, char32_t last, int* widths) {
    if (!dc || !widths || last < first)
        return false;
    fonts::RealizedFont& font = FontOf(dc);
    for (char32_t c = first; c <= last; ++c)
        widths[c - first] = font.Advance(c);
    return true;
}

bool ExtTextOut(HDC dc, int x, int y, unsigned options, const RECT* r, std::string_view text, const int* dx) {
    if (!dc)
        return false;
    DcState& state = dc->State();
    bool updateCp = state.textAlign & TA_UPDATECP;
    POINT ref = updateCp ? state.currentPos : POINT{x, y};
    LogText(dc, r || options ? "ExtTextOut" : "TextOut", std::string(text), ref, r ? *r : RECT{}, options);
    if (r && (options & ETO_OPAQUE)) {
        paint::BrushSource bk;
        bk.color = dc->Target() ? dc->Target()->ToDevice(state.bkColor) : 0;
        POINT o = dc->DeviceOffset();
        paint::FillDevice(dc, RECT{r->left + o.x, r->top + o.y, r->right + o.x, r->bottom + o.y}, bk);
    }
    fonts::RealizedFont& font = FontOf(dc);
    std::vector<RunChar> chars = CharsOf(font, rtl::Utf8ToCodePoints(text), dx);
    int width = 0;
    auto draw = [&] { width = DrawRun(dc, chars, ref, unsigned(state.textAlign), state.bkMode == OPAQUE); };
    if (r && (options & ETO_CLIPPED))
        WithClipRect(dc, *r, draw);
    else
        draw();
    if (updateCp) {
        double c, s;
        Angle(EscapementOf(dc, font), c, s);
        state.currentPos.x += int(std::lround(width * c));
        state.currentPos.y -= int(std::lround(width * s));
    }
    return true;
}

bool TextOut(HDC dc, int x, int y, std::string_view text) {
    return ExtTextOut(dc, x, y, 0, nullptr, text);
}

// DrawText.

namespace {

bool IsBlank(char32_t c) {
    return c == U' ' || c == U'\t';
}

struct Line {
    std::vector<RunChar> chars;
    int width = 0;
};

int Width(const std::vector<RunChar>& chars, std::size_t from, std::size_t to) {
    int w = 0;
    for (std::size_t i = from; i < to; ++i)
        w += chars[i].advance;
    return w;
}

// Applies the "&" rules and measures; tabs advance to the next multiple of eight average widths.
std::vector<RunChar> PrepareLine(fonts::RealizedFont& font, const std::u32string& text, unsigned format) {
    std::vector<RunChar> out;
    bool prefix = !(format & DT_NOPREFIX);
    int tabWidth = 8 * std::max(1, font.GetMetrics().aveCharWidth);
    int pen = 0;
    bool underlineNext = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (prefix && c == U'&') {
            if (i + 1 < text.size() && text[i + 1] == U'&') {
                ++i;
            } else {
                underlineNext = !(format & DT_HIDEPREFIX);
                continue;
            }
        }
        RunChar rc{c, 0, underlineNext};
        underlineNext = false;
        if (c == U'\t') {
            rc.c = U' ';
            rc.advance = (format & DT_EXPANDTABS) ? tabWidth - pen % tabWidth : 0;
        } else {
            rc.advance = font.Advance(c);
        }
        pen += rc.advance;
        out.push_back(rc);
    }
    return out;
}

void Wrap(const std::vector<RunChar>& chars, int limit, unsigned format, std::vector<Line>& lines) {
    std::u32string text;
    std::vector<int> advances;
    for (const RunChar& rc : chars) {
        text += rc.c;
        advances.push_back(rc.advance);
    }
    std::vector<std::size_t> starts =
        WordBreaks(text, advances, limit, format & DT_EDITCONTROL, !(format & DT_NOFULLWIDTHCHARBREAK));
    starts.insert(starts.begin(), 0);
    starts.push_back(chars.size());
    for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
        // Hanging blanks take no room on a drawn line.
        std::size_t end = starts[k + 1];
        while (k + 2 < starts.size() && end > starts[k] && IsBlank(chars[end - 1].c))
            --end;
        Line line;
        line.chars.assign(chars.begin() + std::ptrdiff_t(starts[k]), chars.begin() + std::ptrdiff_t(end));
        lines.push_back(std::move(line));
    }
}

void Ellipsize(fonts::RealizedFont& font, Line& line, int limit) {
    if (Width(line.chars, 0, line.chars.size()) <= limit)
        return;
    int dots = 3 * font.Advance(U'.');
    while (!line.chars.empty() && Width(line.chars, 0, line.chars.size()) + dots > limit)
        line.chars.pop_back();
    for (int k = 0; k < 3; ++k)
        line.chars.push_back(RunChar{U'.', font.Advance(U'.'), false});
}

} // namespace

int DrawText(HDC dc, std::string_view text, int count, RECT* r, unsigned format) {
    if (!dc || !r)
        return 0;
    std::u32string all = rtl::Utf8ToCodePoints(text);
    if (count >= 0 && std::size_t(count) < all.size())
        all.resize(std::size_t(count));
    LogText(dc, "DrawText", rtl::CodePointsToUtf8(all), POINT{r->left, r->top}, *r, format);
    fonts::RealizedFont& font = FontOf(dc);
    const fonts::Metrics& m = font.GetMetrics();
    int lineHeight = m.height + ((format & DT_EXTERNALLEADING) ? m.externalLeading : 0);
    bool single = format & DT_SINGLELINE;
    int limit = r->right - r->left;

    std::vector<std::u32string> pieces;
    if (single) {
        std::u32string s;
        for (char32_t c : all)
            if (c != U'\r' && c != U'\n')
                s += c;
        pieces.push_back(s);
    } else {
        std::u32string s;
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (all[i] == U'\r' || all[i] == U'\n') {
                if (all[i] == U'\r' && i + 1 < all.size() && all[i + 1] == U'\n')
                    ++i;
                pieces.push_back(s);
                s.clear();
            } else {
                s += all[i];
            }
        }
        if (!s.empty())
            pieces.push_back(s);
    }
    std::vector<Line> lines;
    for (const std::u32string& piece : pieces) {
        std::vector<RunChar> chars = PrepareLine(font, piece, format);
        if ((format & DT_WORDBREAK) && !single)
            Wrap(chars, limit, format, lines);
        else
            lines.push_back(Line{std::move(chars), 0});
    }
    int widest = 0;
    for (Line& line : lines) {
        if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS))
            Ellipsize(font, line, limit);
        line.width = Width(line.chars, 0, line.chars.size());
        widest = std::max(widest, line.width);
    }
    int height = int(lines.size()) * lineHeight;
    if (format & DT_CALCRECT) {
        r->right = r->left + widest;
        r->bottom = r->top + height;
        return height;
    }
    int top = r->top;
    if (single && (format & DT_VCENTER))
        top = r->top + (r->bottom - r->top - lineHeight) / 2;
    else if (single && (format & DT_BOTTOM))
        top = r->bottom - lineHeight;
    DcState& state = dc->State();
    auto draw = [&] {
        int y = top;
        for (const Line& line : lines) {
            int x = r->left;
            if (format & DT_CENTER)
                x = r->left + (limit - line.width) / 2;
            else if (format & DT_RIGHT)
                x = r->right - line.width;
            if (!line.chars.empty()) {
                std::u32string shown;
                for (const RunChar& rc : line.chars)
                    shown += rc.c;
                LogText(dc, "DrawTextLine", rtl::CodePointsToUtf8(shown), POINT{x, y}, *r, format);
                DrawRun(dc, line.chars, POINT{x, y}, TA_TOP | TA_LEFT, state.bkMode == OPAQUE);
            }
            y += lineHeight;
        }
    };
    if (format & DT_NOCLIP)
        draw();
    else
        WithClipRect(dc, *r, draw);
    if (single && (format & (DT_VCENTER | DT_BOTTOM)))
        return top - r->top + height;
    return height;
}

} // namespace gdi
