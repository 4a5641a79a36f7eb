#pragma once

#include "platform/gdi/DeviceContext.h"

namespace gdi {

// Draws from the current position to (x, y), leaving out (x, y), and moves there.
bool LineTo(HDC dc, int x, int y);
// Segments between consecutive points; the last point is left out.
bool Polyline(HDC dc, const POINT* points, int count);
// Fills with the brush (the context's fill mode), then outlines the closed shape with the pen.
bool Polygon(HDC dc, const POINT* points, int count);
// Pen ring on the edge pixels and brush inside; with a clear pen the brush covers
// [left, right - 1) x [top, bottom - 1).
bool Rectangle(HDC dc, int left, int top, int right, int bottom);
// [left, right) x [top, bottom) with the brush; no pen, no mix.
bool FillRect(HDC dc, const RECT* r, HBRUSH brush);
bool FrameRect(HDC dc, const RECT* r, HBRUSH brush);
bool InvertRect(HDC dc, const RECT* r);
// Inverts every other pixel of the one-pixel ring, starting at the top-left corner.
bool DrawFocusRect(HDC dc, const RECT* r);
// Returns the colour as stored, or CLR_INVALID outside the clip or the surface.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC dc, int x, int y);

} // namespace gdi
