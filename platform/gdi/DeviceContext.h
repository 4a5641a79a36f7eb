#pragma once

#include "platform/gdi/Objects.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace gdi {

enum : int { TRANSPARENT = 1, OPAQUE = 2 };
enum : int { NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3, RGN_ERROR = 0 };

// Pen mixes.
enum : int {
    R2_BLACK = 1,
    R2_NOTMERGEPEN = 2,
    R2_MASKNOTPEN = 3,
    R2_NOTCOPYPEN = 4,
    R2_MASKPENNOT = 5,
    R2_NOT = 6,
    R2_XORPEN = 7,
    R2_NOTMASKPEN = 8,
    R2_MASKPEN = 9,
    R2_NOTXORPEN = 10,
    R2_NOP = 11,
    R2_MERGENOTPEN = 12,
    R2_COPYPEN = 13,
    R2_MERGEPENNOT = 14,
    R2_MERGEPEN = 15,
    R2_WHITE = 16,
};

// Text alignment.
enum : int {
    TA_NOUPDATECP = 0,
    TA_UPDATECP = 1,
    TA_LEFT = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_TOP = 0,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
    TA_RTLREADING = 256,
};

// What SaveDC keeps.
struct DcState {
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    COLORREF textColor = 0;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    int textAlign = TA_TOP | TA_LEFT;
    int rop2 = R2_COPYPEN;
    int polyFillMode = ALTERNATE;
    int stretchMode = 3;
    POINT viewportOrg{};
    POINT windowOrg{};
    POINT brushOrg{};
    POINT currentPos{};
    std::optional<RegionData> clip; // device coordinates
};

// A device context draws on a surface: a selected bitmap (memory context), a surface owned by
// someone else (a window's pixels), or nothing (the screen context used for queries).
class DeviceContext {
public:
    enum class Type { Memory, Surface, Screen };

    explicit DeviceContext(Type type, gdi::Surface* surface = nullptr);
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    Type GetType() const { return m_type; }
    gdi::Surface* Target() const { return m_target; }
    HBITMAP SelectedBitmap() const { return m_bitmap; }
    DcState& State() { return m_state; }
    const DcState& State() const { return m_state; }

    HGDIOBJ Select(HGDIOBJ object);
    int Save();
    bool Restore(int level);

    POINT ToDevice(int x, int y) const {
        return POINT{x - m_state.windowOrg.x + m_state.viewportOrg.x,
                     y - m_state.windowOrg.y + m_state.viewportOrg.y};
    }
    POINT DeviceOffset() const { return ToDevice(0, 0); }
    RECT Bounds() const { return m_target ? RECT{0, 0, m_target->Width(), m_target->Height()} : RECT{}; }

    // Device pixels that drawing may touch: the clip within the surface.
    bool IsVisible(int x, int y) const {
        if (!m_target || !m_target->Contains(x, y))
            return false;
        return !m_state.clip || m_state.clip->Contains(x, y);
    }

    // Calls f(RECT) for each visible part of a device rectangle, top down.
    template <class F> void ForEachVisibleRect(const RECT& deviceRect, F&& f) const {
        RECT r;
        RECT bounds = Bounds();
        if (!IntersectRect(&r, &deviceRect, &bounds))
            return;
        if (!m_state.clip) {
            f(r);
            return;
        }
        const auto& bands = m_state.clip->Bands();
        for (std::size_t i = m_state.clip->FirstBandBelow(r.top); i < bands.size() && bands[i].top < r.bottom;
             ++i) {
            const Band& band = bands[i];
            int top = std::max(band.top, r.top);
            int bottom = std::min(band.bottom, r.bottom);
            for (const Span& s : band.spans) {
                if (s.right <= r.left)
                    continue;
                if (s.left >= r.right)
                    break;
                f(RECT{std::max(s.left, r.left), top, std::min(s.right, r.right), bottom});
            }
        }
    }

private:
    void Hold(DcState& state);
    void Drop(DcState& state);

    Type m_type;
    gdi::Surface* m_target = nullptr;
    HBITMAP m_bitmap = nullptr;
    DcState m_state;
    std::vector<DcState> m_saved;
};

using HDC = DeviceContext*;

// A memory context, with the 1 x 1 monochrome stock bitmap selected.
HDC CreateCompatibleDC(HDC reference);
// A context drawing on a surface that the caller owns and keeps alive until DeleteDC.
HDC CreateSurfaceDC(Surface* surface);
// A context for queries (metrics, device capabilities); it has no pixels.
HDC CreateScreenDC();
bool DeleteDC(HDC dc);
// A 32-bit bitmap, whatever the reference context holds (a 1-bit bitmap only for a zero size).
HBITMAP CreateCompatibleBitmap(HDC reference, int width, int height);

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, int type);
int SaveDC(HDC dc);
bool RestoreDC(HDC dc, int level);

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);
int SetPolyFillMode(HDC dc, int mode);
int GetPolyFillMode(HDC dc);
int SetStretchBltMode(HDC dc, int mode);
unsigned SetTextAlign(HDC dc, unsigned align);
unsigned GetTextAlign(HDC dc);

bool SetViewportOrgEx(HDC dc, int x, int y, POINT* old);
bool GetViewportOrgEx(HDC dc, POINT* out);
bool OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old);
bool SetWindowOrgEx(HDC dc, int x, int y, POINT* old);
bool GetWindowOrgEx(HDC dc, POINT* out);
bool SetBrushOrgEx(HDC dc, int x, int y, POINT* old);
bool MoveToEx(HDC dc, int x, int y, POINT* old);
bool GetCurrentPositionEx(HDC dc, POINT* out);

// Regions (device coordinates when used as the clip).
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* r);
// Fails (null) for fewer than 3 points.
HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode);
int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode);
bool PtInRegion(HRGN region, int x, int y);
bool RectInRegion(HRGN region, const RECT* r);
bool EqualRgn(HRGN a, HRGN b);
int GetRgnBox(HRGN region, RECT* out);
int OffsetRgn(HRGN region, int dx, int dy);
bool SetRectRgn(HRGN region, int left, int top, int right, int bottom);
bool FillRgn(HDC dc, HRGN region, HBRUSH brush);
bool FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height);

// Clipping. SelectClipRgn takes a copy; null removes the clip.
int SelectClipRgn(HDC dc, HRGN region);
int ExtSelectClipRgn(HDC dc, HRGN region, int mode);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC dc, int dx, int dy);
// Logical coordinates.
int GetClipBox(HDC dc, RECT* out);
// 1 and a copy in region when there is a clip, 0 when there is none.
int GetClipRgn(HDC dc, HRGN region);
bool PtVisible(HDC dc, int x, int y);
bool RectVisible(HDC dc, const RECT* r);

} // namespace gdi
