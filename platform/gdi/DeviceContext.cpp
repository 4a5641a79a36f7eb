#include "platform/gdi/DeviceContext.h"

#include "platform/gdi/CallLog.h"
#include "platform/gdi/Faults.h"

#include <climits>

namespace gdi {

DeviceContext::DeviceContext(Type type, gdi::Surface* surface) : m_type(type), m_target(surface) {
    m_state.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    m_state.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    m_state.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    Hold(m_state);
    if (type == Type::Memory) {
        m_bitmap = StockMonoBitmap();
        m_bitmap->Retain();
        m_target = &m_bitmap->surface;
    }
}

DeviceContext::~DeviceContext() {
    for (DcState& saved : m_saved)
        Drop(saved);
    Drop(m_state);
    if (m_bitmap) {
        if (m_bitmap->selectedInto == this)
            m_bitmap->selectedInto = nullptr;
        m_bitmap->Release();
    }
}

void DeviceContext::Hold(DcState& state) {
    state.pen->Retain();
    state.brush->Retain();
    state.font->Retain();
}

void DeviceContext::Drop(DcState& state) {
    state.pen->Release();
    state.brush->Release();
    state.font->Release();
}

namespace {

template <class T> HGDIOBJ Swap(T*& slot, T* object) {
    T* old = slot;
    object->Retain();
    slot = object;
    old->Release();
    return old;
}

} // namespace

HGDIOBJ DeviceContext::Select(HGDIOBJ object) {
    if (!object)
        return nullptr;
    switch (object->Kind()) {
    case ObjectKind::Pen:
        return Swap(m_state.pen, static_cast<HPEN>(object));
    case ObjectKind::Brush:
        return Swap(m_state.brush, static_cast<HBRUSH>(object));
    case ObjectKind::Font: {
        HGDIOBJ old = Swap(m_state.font, static_cast<HFONT>(object));
        LogFontSelected(this, static_cast<HFONT>(object));
        return old;
    }
    case ObjectKind::Bitmap: {
        auto* bitmap = static_cast<HBITMAP>(object);
        if (m_type != Type::Memory)
            return nullptr;
        if (!bitmap->IsStock() && bitmap->selectedInto && bitmap->selectedInto != this)
            return nullptr;
        HBITMAP old = m_bitmap;
        if (old == bitmap)
            return old;
        bitmap->Retain();
        if (!bitmap->IsStock())
            bitmap->selectedInto = this;
        m_bitmap = bitmap;
        m_target = &bitmap->surface;
        if (old->selectedInto == this)
            old->selectedInto = nullptr;
        old->Release();
        return old;
    }
    case ObjectKind::Region:
        return SelectClipRgn(this, static_cast<HRGN>(object)) == RGN_ERROR ? nullptr : object;
    }
    return nullptr;
}

int DeviceContext::Save() {
    m_saved.push_back(m_state);
    Hold(m_saved.back());
    return int(m_saved.size());
}

bool DeviceContext::Restore(int level) {
    int count = int(m_saved.size());
    if (level < 0)
        level = count + 1 + level;
    if (level < 1 || level > count)
        return false;
    while (int(m_saved.size()) > level) {
        Drop(m_saved.back());
        m_saved.pop_back();
    }
    HFONT oldFont = m_state.font;
    Drop(m_state);
    m_state = std::move(m_saved.back());
    m_saved.pop_back();
    if (m_state.font != oldFont)
        LogFontSelected(this, m_state.font);
    LogClip(this, "RestoreDC");
    return true;
}

HDC CreateCompatibleDC(HDC) {
    return new DeviceContext(DeviceContext::Type::Memory);
}

HDC CreateSurfaceDC(Surface* surface) {
    if (!surface)
        return nullptr;
    return new DeviceContext(DeviceContext::Type::Surface, surface);
}

HDC CreateScreenDC() {
    return new DeviceContext(DeviceContext::Type::Screen);
}

bool DeleteDC(HDC dc) {
    if (!dc)
        return false;
    delete dc;
    return true;
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    if (width < 0 || height < 0)
        return nullptr;
    return new Bitmap(width, height, width == 0 || height == 0 ? 1 : 32);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    return dc ? dc->Select(object) : nullptr;
}

HGDIOBJ GetCurrentObject(HDC dc, int type) {
    if (!dc)
        return nullptr;
    switch (type) {
    case OBJ_PEN:
        return dc->State().pen;
    case OBJ_BRUSH:
        return dc->State().brush;
    case OBJ_FONT:
        return dc->State().font;
    case OBJ_BITMAP:
        return dc->SelectedBitmap();
    default:
        return nullptr;
    }
}

int SaveDC(HDC dc) {
    if (!dc || CallFails(FaultingCall::SaveDC))
        return 0;
    return dc->Save();
}
bool RestoreDC(HDC dc, int level) {
    return dc && !CallFails(FaultingCall::RestoreDC) && dc->Restore(level);
}

namespace {

template <class T> T Exchange(T& slot, T value) {
    T old = slot;
    slot = value;
    return old;
}

} // namespace

COLORREF SetTextColor(HDC dc, COLORREF color) {
    return dc ? Exchange(dc->State().textColor, color & 0xFFFFFF) : CLR_INVALID;
}
COLORREF GetTextColor(HDC dc) {
    return dc ? dc->State().textColor : CLR_INVALID;
}
COLORREF SetBkColor(HDC dc, COLORREF color) {
    return dc ? Exchange(dc->State().bkColor, color & 0xFFFFFF) : CLR_INVALID;
}
COLORREF GetBkColor(HDC dc) {
    return dc ? dc->State().bkColor : CLR_INVALID;
}

int SetBkMode(HDC dc, int mode) {
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    return Exchange(dc->State().bkMode, mode);
}
int GetBkMode(HDC dc) {
    return dc ? dc->State().bkMode : 0;
}

int SetROP2(HDC dc, int mode) {
    if (!dc || mode < R2_BLACK || mode > R2_WHITE)
        return 0;
    return Exchange(dc->State().rop2, mode);
}
int GetROP2(HDC dc) {
    return dc ? dc->State().rop2 : 0;
}

int SetPolyFillMode(HDC dc, int mode) {
    if (!dc || (mode != ALTERNATE && mode != WINDING))
        return 0;
    return Exchange(dc->State().polyFillMode, mode);
}
int GetPolyFillMode(HDC dc) {
    return dc ? dc->State().polyFillMode : 0;
}

int SetStretchBltMode(HDC dc, int mode) {
    return dc ? Exchange(dc->State().stretchMode, mode) : 0;
}

unsigned SetTextAlign(HDC dc, unsigned align) {
    return dc ? unsigned(Exchange(dc->State().textAlign, int(align))) : 0xFFFFFFFF;
}
unsigned GetTextAlign(HDC dc) {
    return dc ? unsigned(dc->State().textAlign) : 0xFFFFFFFF;
}

namespace {

bool SetPoint(HDC dc, POINT DcState::*field, int x, int y, POINT* old) {
    if (!dc)
        return false;
    if (old)
        *old = dc->State().*field;
    dc->State().*field = POINT{x, y};
    return true;
}

bool GetPoint(HDC dc, POINT DcState::*field, POINT* out) {
    if (!dc || !out)
        return false;
    *out = dc->State().*field;
    return true;
}

} // namespace

bool SetViewportOrgEx(HDC dc, int x, int y, POINT* old) {
    return SetPoint(dc, &DcState::viewportOrg, x, y, old);
}
bool GetViewportOrgEx(HDC dc, POINT* out) {
    return GetPoint(dc, &DcState::viewportOrg, out);
}
bool OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old) {
    if (!dc)
        return false;
    POINT p = dc->State().viewportOrg;
    return SetPoint(dc, &DcState::viewportOrg, p.x + dx, p.y + dy, old);
}
bool SetWindowOrgEx(HDC dc, int x, int y, POINT* old) {
    return SetPoint(dc, &DcState::windowOrg, x, y, old);
}
bool GetWindowOrgEx(HDC dc, POINT* out) {
    return GetPoint(dc, &DcState::windowOrg, out);
}
bool SetBrushOrgEx(HDC dc, int x, int y, POINT* old) {
    return SetPoint(dc, &DcState::brushOrg, x, y, old);
}
bool MoveToEx(HDC dc, int x, int y, POINT* old) {
    return SetPoint(dc, &DcState::currentPos, x, y, old);
}
bool GetCurrentPositionEx(HDC dc, POINT* out) {
    return GetPoint(dc, &DcState::currentPos, out);
}

// Regions.

namespace {

int Complexity(const RegionData& data) {
    if (data.IsEmpty())
        return NULLREGION;
    return data.IsRect() ? SIMPLEREGION : COMPLEXREGION;
}

} // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return new Region(RegionData::FromRect(RECT{left, top, right, bottom}));
}

HRGN CreateRectRgnIndirect(const RECT* r) {
    return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    if (!points || count < 3 || (fillMode != ALTERNATE && fillMode != WINDING))
        return nullptr;
    if (CallFails(FaultingCall::CreatePolygonRgn))
        return nullptr;
    return new Region(RegionData::FromPolygon(points, count, fillMode));
}

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode) {
    if (!dst || !a || mode < RGN_AND || mode > RGN_COPY || (mode != RGN_COPY && !b))
        return RGN_ERROR;
    dst->data = RegionData::Combine(a->data, mode == RGN_COPY ? a->data : b->data, mode);
    return Complexity(dst->data);
}

bool PtInRegion(HRGN region, int x, int y) {
    return region && region->data.Contains(x, y);
}

bool RectInRegion(HRGN region, const RECT* r) {
    if (!region || !r)
        return false;
    RegionData cut = RegionData::Combine(region->data, RegionData::FromRect(*r), RGN_AND);
    return !cut.IsEmpty();
}

bool EqualRgn(HRGN a, HRGN b) {
    return a && b && a->data == b->data;
}

int GetRgnBox(HRGN region, RECT* out) {
    if (!region || !out)
        return RGN_ERROR;
    *out = region->data.Box();
    return Complexity(region->data);
}

int OffsetRgn(HRGN region, int dx, int dy) {
    if (!region)
        return RGN_ERROR;
    region->data.Offset(dx, dy);
    return Complexity(region->data);
}

bool SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
    if (!region)
        return false;
    region->data = RegionData::FromRect(RECT{left, top, right, bottom});
    return true;
}

// Clipping.

int SelectClipRgn(HDC dc, HRGN region) {
    return ExtSelectClipRgn(dc, region, RGN_COPY);
}

int ExtSelectClipRgn(HDC dc, HRGN region, int mode) {
    if (!dc || mode < RGN_AND || mode > RGN_COPY)
        return RGN_ERROR;
    auto& clip = dc->State().clip;
    if (!region) {
        if (mode != RGN_COPY)
            return RGN_ERROR;
        clip.reset();
    } else if (mode == RGN_COPY) {
        clip = region->data;
    } else {
        RegionData current = clip ? *clip : RegionData::FromRect(dc->Bounds());
        clip = RegionData::Combine(current, region->data, mode);
    }
    LogClip(dc, "SelectClipRgn");
    return clip ? Complexity(RegionData::Combine(*clip, RegionData::FromRect(dc->Bounds()), RGN_AND))
                : SIMPLEREGION;
}

namespace {

int CombineClipRect(HDC dc, int left, int top, int right, int bottom, int mode, const char* call) {
    if (!dc)
        return RGN_ERROR;
    POINT a = dc->ToDevice(left, top);
    POINT b = dc->ToDevice(right, bottom);
    auto& clip = dc->State().clip;
    RegionData current = clip ? *clip : RegionData::FromRect(dc->Bounds());
    clip = RegionData::Combine(current, RegionData::FromRect(RECT{a.x, a.y, b.x, b.y}), mode);
    LogClip(dc, call);
    return Complexity(*clip);
}

} // namespace

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    return CombineClipRect(dc, left, top, right, bottom, RGN_AND, "IntersectClipRect");
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    return CombineClipRect(dc, left, top, right, bottom, RGN_DIFF, "ExcludeClipRect");
}

int OffsetClipRgn(HDC dc, int dx, int dy) {
    if (!dc)
        return RGN_ERROR;
    auto& clip = dc->State().clip;
    if (!clip)
        return SIMPLEREGION;
    clip->Offset(dx, dy);
    return Complexity(*clip);
}

int GetClipBox(HDC dc, RECT* out) {
    if (!dc || !out)
        return RGN_ERROR;
    RegionData visible = RegionData::FromRect(dc->Bounds());
    if (dc->State().clip)
        visible = RegionData::Combine(visible, *dc->State().clip, RGN_AND);
    *out = visible.Box();
    POINT o = dc->DeviceOffset();
    if (!visible.IsEmpty())
        OffsetRect(out, -o.x, -o.y);
    return Complexity(visible);
}

int GetClipRgn(HDC dc, HRGN region) {
    if (!dc || !region)
        return -1;
    if (!dc->State().clip)
        return 0;
    region->data = *dc->State().clip;
    return 1;
}

bool PtVisible(HDC dc, int x, int y) {
    if (!dc)
        return false;
    POINT p = dc->ToDevice(x, y);
    return dc->IsVisible(p.x, p.y);
}

bool RectVisible(HDC dc, const RECT* r) {
    if (!dc || !r)
        return false;
    POINT a = dc->ToDevice(r->left, r->top);
    bool any = false;
    dc->ForEachVisibleRect(RECT{a.x, a.y, a.x + r->right - r->left, a.y + r->bottom - r->top},
                           [&](const RECT&) { any = true; });
    return any;
}

} // namespace gdi
