#include "platform/gdi/Geometry.h"

#include <algorithm>

namespace gdi {

bool SetRect(RECT* r, int left, int top, int right, int bottom) {
    if (!r)
        return false;
    *r = RECT{left, top, right, bottom};
    return true;
}

bool SetRectEmpty(RECT* r) {
    return SetRect(r, 0, 0, 0, 0);
}

bool CopyRect(RECT* dst, const RECT* src) {
    if (!dst || !src)
        return false;
    *dst = *src;
    return true;
}

bool IsRectEmpty(const RECT* r) {
    return !r || r->right <= r->left || r->bottom <= r->top;
}

bool PtInRect(const RECT* r, POINT p) {
    return r && p.x >= r->left && p.x < r->right && p.y >= r->top && p.y < r->bottom;
}

bool IntersectRect(RECT* dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b)
        return false;
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        *dst = RECT{};
        return false;
    }
    *dst = r;
    return true;
}

bool UnionRect(RECT* dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b)
        return false;
    if (IsRectEmpty(a)) {
        *dst = IsRectEmpty(b) ? RECT{} : *b;
    } else if (IsRectEmpty(b)) {
        *dst = *a;
    } else {
        *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                    std::max(a->bottom, b->bottom)};
    }
    return !IsRectEmpty(dst);
}

bool OffsetRect(RECT* r, int dx, int dy) {
    if (!r)
        return false;
    r->left += dx;
    r->right += dx;
    r->top += dy;
    r->bottom += dy;
    return true;
}

bool InflateRect(RECT* r, int dx, int dy) {
    if (!r)
        return false;
    r->left -= dx;
    r->right += dx;
    r->top -= dy;
    r->bottom += dy;
    return true;
}

bool EqualRect(const RECT* a, const RECT* b) {
    return a && b && *a == *b;
}

RECT NormalizeRect(const RECT& r) {
    return RECT{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                std::max(r.top, r.bottom)};
}

} // namespace gdi
