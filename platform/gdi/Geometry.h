#pragma once

namespace gdi {

struct POINT {
    int x = 0;
    int y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

// Right and bottom are exclusive.
struct RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const RECT&, const RECT&) = default;
};

inline RECT Rect(int left, int top, int right, int bottom) {
    return RECT{left, top, right, bottom};
}

bool SetRect(RECT* r, int left, int top, int right, int bottom);
bool SetRectEmpty(RECT* r);
bool CopyRect(RECT* dst, const RECT* src);
bool IsRectEmpty(const RECT* r);
bool PtInRect(const RECT* r, POINT p);
// Returns false and empties dst when the two do not overlap.
bool IntersectRect(RECT* dst, const RECT* a, const RECT* b);
bool UnionRect(RECT* dst, const RECT* a, const RECT* b);
bool OffsetRect(RECT* r, int dx, int dy);
bool InflateRect(RECT* r, int dx, int dy);
bool EqualRect(const RECT* a, const RECT* b);
// Swaps edges so that left <= right and top <= bottom.
RECT NormalizeRect(const RECT& r);

} // namespace gdi
