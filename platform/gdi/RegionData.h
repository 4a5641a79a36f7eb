#pragma once

#include "platform/gdi/Geometry.h"

#include <vector>

namespace gdi {

enum : int { ALTERNATE = 1, WINDING = 2 };
enum : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };

struct Span {
    int left;
    int right;
    friend bool operator==(const Span&, const Span&) = default;
};

// Rows [top, bottom) that share one list of sorted, disjoint, non-touching spans.
struct Band {
    int top;
    int bottom;
    std::vector<Span> spans;
    friend bool operator==(const Band&, const Band&) = default;
};

// A pixel set in banded form: bands sorted top down, disjoint, none empty, and no two touching
// bands with equal spans. Filling and hit testing both read this one set.
class RegionData {
public:
    RegionData() = default;
    static RegionData FromRect(const RECT& r);
    // A vertex (x, y) stands for pixel (x, y), as a line's end does: the pixels whose centres lie
    // inside the polygon through the vertices' pixel centres, left and top edges inclusive, right
    // and bottom edges exclusive. So a fill meets the LineTo outline over the same points on
    // horizontal, vertical and 45-degree edges: pixels on the left and top edges are filled under
    // the outline, and the fill stops next to the outline on the right and bottom edges.
    static RegionData FromPolygon(const POINT* points, int count, int fillMode);
    static RegionData Combine(const RegionData& a, const RegionData& b, int mode);

    bool IsEmpty() const { return m_bands.empty(); }
    bool IsRect() const { return m_bands.size() == 1 && m_bands[0].spans.size() == 1; }
    bool Contains(int x, int y) const;
    RECT Box() const;
    void Offset(int dx, int dy);
    const std::vector<Band>& Bands() const { return m_bands; }
    // The band holding row y, or null.
    const Band* BandAt(int y) const;
    // Index of the first band whose bottom lies below y.
    std::size_t FirstBandBelow(int y) const;

    friend bool operator==(const RegionData&, const RegionData&) = default;

private:
    void AppendBand(int top, int bottom, std::vector<Span>&& spans);
    std::vector<Band> m_bands;
};

} // namespace gdi
