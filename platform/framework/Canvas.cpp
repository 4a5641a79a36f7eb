#include "platform/framework/Graphics.h"

namespace framework {

// ---- TGraphic

void TGraphic::SetTransparent(bool transparent) {
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    Changed();
}

void TGraphic::Changed() {
    if (OnChange)
        OnChange(this);
}
// ---- TCanvas

TCanvas::TCanvas() : m_pen(new TPen), m_brush(new TBrush), m_font(new TFont) {
    m_pen->OnChange = [this](TObject*) { m_state.Exclude(csPenValid); };
    m_brush->OnChange = [this](TObject*) { m_state.Exclude(csBrushValid); };
    m_font->OnChange = [this](TObject*) { m_state.Exclude(csFontValid); };
}

TCanvas::~TCanvas() {
    SetHandle(nullptr);
}

gdi::HDC TCanvas::Handle() {
    RequiredState({csHandleValid});
    return m_handle;
}

void TCanvas::SetHandle(gdi::HDC dc) {
    if (dc == m_handle)
        return;
    if (m_handle)
        DeselectHandles();
    m_handle = dc;
    m_state = dc ? State{csHandleValid} : State{};
}

void TCanvas::DeselectHandles() {
    if (!m_handle)
        return;
    if (m_oldPen)
        gdi::SelectObject(m_handle, m_oldPen);
    if (m_oldBrush)
        gdi::SelectObject(m_handle, m_oldBrush);
    if (m_oldFont)
        gdi::SelectObject(m_handle, m_oldFont);
    m_oldPen = m_oldBrush = m_oldFont = nullptr;
    m_state = m_state - State{csPenValid, csBrushValid, csFontValid};
}

void TCanvas::RequiredState(State required) {
    if (required.Contains(csHandleValid) && !m_handle) {
        CreateHandle();
        if (!m_handle)
            throw EInvalidOperation("Canvas does not allow drawing");
        m_state.Include(csHandleValid);
    }
    if (required.Contains(csPenValid) && !m_state.Contains(csPenValid))
        CreatePen();
    if (required.Contains(csBrushValid) && !m_state.Contains(csBrushValid))
        CreateBrush();
    if (required.Contains(csFontValid) && !m_state.Contains(csFontValid))
        CreateFont();
}

void TCanvas::CreatePen() {
    gdi::HGDIOBJ old = gdi::SelectObject(m_handle, m_pen->Handle());
    if (!m_oldPen)
        m_oldPen = old;
    gdi::SetROP2(m_handle, PenModeToRop2(m_pen->Mode()));
    m_state.Include(csPenValid);
}

void TCanvas::CreateBrush() {
    gdi::HGDIOBJ old = gdi::SelectObject(m_handle, m_brush->Handle());
    if (!m_oldBrush)
        m_oldBrush = old;
    if (m_brush->Style() == bsClear && !m_brush->Bitmap()) {
        gdi::SetBkMode(m_handle, gdi::TRANSPARENT);
    } else {
        gdi::SetBkColor(m_handle, DeviceColor(m_brush->Color()));
        gdi::SetBkMode(m_handle, gdi::OPAQUE);
    }
    m_state.Include(csBrushValid);
}

void TCanvas::CreateFont() {
    gdi::HGDIOBJ old = gdi::SelectObject(m_handle, m_font->Handle());
    if (!m_oldFont)
        m_oldFont = old;
    gdi::SetTextColor(m_handle, DeviceColor(m_font->Color()));
    m_state.Include(csFontValid);
}

void TCanvas::Refresh() {
    DeselectHandles();
}

void TCanvas::Changing() {
    if (OnChanging)
        OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange)
        OnChange(this);
}

TColor TCanvas::Pixels(int x, int y) {
    RequiredState({csHandleValid});
    return gdi::GetPixel(m_handle, x, y);
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    Changing();
    RequiredState({csHandleValid, csPenValid});
    gdi::SetPixel(m_handle, x, y, DeviceColor(color));
    Changed();
}

TPoint TCanvas::PenPos() {
    RequiredState({csHandleValid});
    TPoint p;
    gdi::GetCurrentPositionEx(m_handle, &p);
    return p;
}

void TCanvas::SetPenPos(TPoint p) {
    MoveTo(p.x, p.y);
}

void TCanvas::MoveTo(int x, int y) {
    RequiredState({csHandleValid});
    gdi::MoveToEx(m_handle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    gdi::LineTo(m_handle, x, y);
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    gdi::Rectangle(m_handle, x1, y1, x2, y2);
    Changed();
}

void TCanvas::FillRect(const TRect& r) {
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    gdi::FillRect(m_handle, &r, m_brush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& r) {
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    gdi::FrameRect(m_handle, &r, m_brush->Handle());
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    gdi::Polygon(m_handle, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    gdi::Polyline(m_handle, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& r) {
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    gdi::DrawFocusRect(m_handle, &r);
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    gdi::TextOut(m_handle, x, y, text);
    gdi::SIZE size;
    gdi::GetTextExtentPoint32(m_handle, text, &size);
    gdi::MoveToEx(m_handle, x + size.cx, y, nullptr);
    Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    unsigned options = gdi::ETO_CLIPPED;
    if (m_brush->Style() != bsClear || m_brush->Bitmap())
        options |= gdi::ETO_OPAQUE;
    gdi::ExtTextOut(m_handle, x, y, options, &r, text);
    Changed();
}

TSize TCanvas::TextExtent(const std::string& text) {
    RequiredState({csHandleValid, csFontValid});
    TSize size;
    gdi::GetTextExtentPoint32(m_handle, text, &size);
    return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty())
        return;
    Changing();
    RequiredState({csHandleValid});
    graphic->Draw(*this, TRect{x, y, x + graphic->Width(), y + graphic->Height()});
    Changed();
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
    if (!graphic || graphic->Empty())
        return;
    Changing();
    RequiredState({csHandleValid});
    graphic->Draw(*this, r);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    if (!source)
        throw EInvalidGraphicOperation("CopyRect needs a source canvas");
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    gdi::HDC src = source->Handle();
    gdi::StretchBlt(m_handle, dest.left, dest.top, dest.Width(), dest.Height(), src, sourceRect.left,
                    sourceRect.top, sourceRect.Width(), sourceRect.Height(), m_copyMode);
    Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color) {
    if (!bitmap)
        throw EInvalidGraphicOperation("BrushCopy needs a bitmap");
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    int w = source.Width();
    int h = source.Height();
    if (w > 0 && h > 0) {
        gdi::HDC tmpDc = gdi::CreateCompatibleDC(m_handle);
        gdi::HBITMAP tmp = gdi::CreateCompatibleBitmap(m_handle, w, h);
        gdi::HGDIOBJ old = gdi::SelectObject(tmpDc, tmp);
        TRect all{0, 0, w, h};
        gdi::FillRect(tmpDc, &all, m_brush->Handle());
        gdi::TransparentBlt(tmpDc, 0, 0, w, h, bitmap->Canvas()->Handle(), source.left, source.top, w, h,
                            DeviceColor(color));
        gdi::StretchBlt(m_handle, dest.left, dest.top, dest.Width(), dest.Height(), tmpDc, 0, 0, w, h,
                        gdi::SRCCOPY);
        gdi::SelectObject(tmpDc, old);
        gdi::DeleteObject(tmp);
        gdi::DeleteDC(tmpDc);
    }
    Changed();
}

TRect TCanvas::ClipRect() {
    RequiredState({csHandleValid});
    TRect r;
    gdi::GetClipBox(m_handle, &r);
    return r;
}

void TCanvas::Lock() {
    m_lock.lock();
    ++m_lockCount;
}

void TCanvas::Unlock() {
    if (m_lockCount == 0)
        throw EInvalidOperation("Canvas is not locked");
    --m_lockCount;
    m_lock.unlock();
}

bool TCanvas::TryLock() {
    if (!m_lock.try_lock())
        return false;
    ++m_lockCount;
    return true;
}

} // namespace framework
