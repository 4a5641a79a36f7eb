#include "platform/gdi/RegionData.h"

#include <algorithm>
#include <climits>

namespace gdi {

namespace {

long long FloorDiv(long long a, long long b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
long long CeilDiv(long long a, long long b) {
    return -FloorDiv(-a, b);
}

struct Crossing {
    int x; // first pixel on or right of the edge
    int direction;
};

std::vector<Span> CombineSpans(const std::vector<Span>& a, const std::vector<Span>& b, int mode) {
    std::vector<Span> out;
    if (mode == RGN_AND && (a.empty() || b.empty()))
        return out;
    std::vector<int> xs;
    xs.reserve((a.size() + b.size()) * 2);
    for (const Span& s : a) {
        xs.push_back(s.left);
        xs.push_back(s.right);
    }
    for (const Span& s : b) {
        xs.push_back(s.left);
        xs.push_back(s.right);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::size_t ia = 0, ib = 0;
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        int x0 = xs[i];
        while (ia < a.size() && a[ia].right <= x0)
            ++ia;
        while (ib < b.size() && b[ib].right <= x0)
            ++ib;
        bool inA = ia < a.size() && a[ia].left <= x0;
        bool inB = ib < b.size() && b[ib].left <= x0;
        bool in = false;
        switch (mode) {
        case RGN_AND:
            in = inA && inB;
            break;
        case RGN_OR:
            in = inA || inB;
            break;
        case RGN_XOR:
            in = inA != inB;
            break;
        case RGN_DIFF:
            in = inA && !inB;
            break;
        default:
            in = inA;
            break;
        }
        if (!in)
            continue;
        if (!out.empty() && out.back().right == x0)
            out.back().right = xs[i + 1];
        else
            out.push_back(Span{x0, xs[i + 1]});
    }
    return out;
}

} // namespace

void RegionData::AppendBand(int top, int bottom, std::vector<Span>&& spans) {
    if (spans.empty() || top >= bottom)
        return;
    if (!m_bands.empty() && m_bands.back().bottom == top && m_bands.back().spans == spans) {
        m_bands.back().bottom = bottom;
        return;
    }
    m_bands.push_back(Band{top, bottom, std::move(spans)});
}

RegionData RegionData::FromRect(const RECT& r) {
    RegionData region;
    RECT n = NormalizeRect(r);
    if (!IsRectEmpty(&n))
        region.m_bands.push_back(Band{n.top, n.bottom, {Span{n.left, n.right}}});
    return region;
}

RegionData RegionData::FromPolygon(const POINT* points, int count, int fillMode) {
    RegionData region;
    if (!points || count < 3)
        return region;
    int minY = INT_MAX, maxY = INT_MIN;
    for (int i = 0; i < count; ++i) {
        minY = std::min(minY, points[i].y);
        maxY = std::max(maxY, points[i].y);
    }
    std::vector<Crossing> crossings;
    std::vector<Span> spans;
    for (int y = minY; y < maxY; ++y) {
        crossings.clear();
        for (int i = 0; i < count; ++i) {
            POINT p = points[i];
            POINT q = points[(i + 1) % count];
            if (p.y == q.y)
                continue;
            int direction = 1;
            if (p.y > q.y) {
                std::swap(p, q);
                direction = -1;
            }
            // Pixel (x, y) is sampled where a line's pixel (x, y) lies: at the vertex coordinates
            // themselves. The edge counts for row y when p.y <= y < q.y.
            if (y < p.y || y >= q.y)
                continue;
            long long dy = q.y - p.y;
            long long dx = q.x - p.x;
            long long xdy = 1LL * p.x * dy + (1LL * y - p.y) * dx; // crossing x times dy
            crossings.push_back(Crossing{int(CeilDiv(xdy, dy)), direction});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        spans.clear();
        int winding = 0;
        for (std::size_t i = 0; i < crossings.size(); ++i) {
            winding += crossings[i].direction;
            bool insideAfter = fillMode == WINDING ? winding != 0 : (i % 2) == 0;
            if (insideAfter && i + 1 < crossings.size()) {
                int left = crossings[i].x;
                int right = crossings[i + 1].x;
                if (left < right) {
                    if (!spans.empty() && spans.back().right >= left)
                        spans.back().right = std::max(spans.back().right, right);
                    else
                        spans.push_back(Span{left, right});
                }
            }
        }
        region.AppendBand(y, y + 1, std::vector<Span>(spans));
    }
    return region;
}

RegionData RegionData::Combine(const RegionData& a, const RegionData& b, int mode) {
    if (mode == RGN_COPY)
        return a;
    std::vector<int> ys;
    ys.reserve((a.m_bands.size() + b.m_bands.size()) * 2);
    for (const Band& band : a.m_bands) {
        ys.push_back(band.top);
        ys.push_back(band.bottom);
    }
    for (const Band& band : b.m_bands) {
        ys.push_back(band.top);
        ys.push_back(band.bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    RegionData out;
    static const std::vector<Span> none;
    std::size_t ia = 0, ib = 0;
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        int y0 = ys[i];
        while (ia < a.m_bands.size() && a.m_bands[ia].bottom <= y0)
            ++ia;
        while (ib < b.m_bands.size() && b.m_bands[ib].bottom <= y0)
            ++ib;
        const std::vector<Span>& sa =
            ia < a.m_bands.size() && a.m_bands[ia].top <= y0 ? a.m_bands[ia].spans : none;
        const std::vector<Span>& sb =
            ib < b.m_bands.size() && b.m_bands[ib].top <= y0 ? b.m_bands[ib].spans : none;
        if (sa.empty() && sb.empty())
            continue;
        out.AppendBand(y0, ys[i + 1], CombineSpans(sa, sb, mode));
    }
    return out;
}

std::size_t RegionData::FirstBandBelow(int y) const {
    auto it = std::upper_bound(m_bands.begin(), m_bands.end(), y,
                               [](int value, const Band& band) { return value < band.bottom; });
    return std::size_t(it - m_bands.begin());
}

const Band* RegionData::BandAt(int y) const {
    std::size_t i = FirstBandBelow(y);
    if (i < m_bands.size() && m_bands[i].top <= y)
        return &m_bands[i];
    return nullptr;
}

bool RegionData::Contains(int x, int y) const {
    const Band* band = BandAt(y);
    if (!band)
        return false;
    auto it = std::upper_bound(band->spans.begin(), band->spans.end(), x,
                               [](int value, const Span& s) { return value < s.right; });
    return it != band->spans.end() && it->left <= x;
}

RECT RegionData::Box() const {
    if (m_bands.empty())
        return RECT{};
    RECT r{INT_MAX, m_bands.front().top, INT_MIN, m_bands.back().bottom};
    for (const Band& band : m_bands) {
        r.left = std::min(r.left, band.spans.front().left);
        r.right = std::max(r.right, band.spans.back().right);
    }
    return r;
}

void RegionData::Offset(int dx, int dy) {
    for (Band& band : m_bands) {
        band.top += dy;
        band.bottom += dy;
        for (Span& s : band.spans) {
            s.left += dx;
            s.right += dx;
        }
    }
}

} // namespace gdi
