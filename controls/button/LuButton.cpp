#include "controls/button/LuButton.h"

#include "controls/common/LuBorders.h"
#include "controls/common/LuColorMath.h"
#include "controls/common/LuHotTrack.h"
#include "platform/framework/Filer.h"
#include "platform/framework/StdCtrls.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"

namespace lu {

using namespace framework;

namespace {

// The flat look's outlines are laid out as lines from one pixel to another with both ends drawn,
// so that its rings close round their cut corners.
void LineIncluding(TCanvas* canvas, int x0, int y0, int x1, int y1) {
    const int dx = (x1 > x0) - (x1 < x0);
    const int dy = (y1 > y0) - (y1 < y0);
    canvas->MoveTo(x0, y0);
    if (dx == 0 && dy == 0)
        canvas->SetPixels(x0, y0, canvas->Pen()->Color());
    else
        canvas->LineTo(x1 + dx, y1 + dy);
}

void FillWith(TCanvas* canvas, const TRect& r, TColor color) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(r);
}

// The canvas keeps its pen between paints, and some border painters draw with whatever width it
// has; every paint starts from a plain one-pixel pen.
void ResetPen(TCanvas* canvas) {
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetMode(pmCopy);
}

unsigned AlignmentFormat(TAlignment alignment) {
    switch (alignment) {
    case taLeftJustify:
        return gdi::DT_LEFT;
    case taRightJustify:
        return gdi::DT_RIGHT;
    case taCenter:
        return gdi::DT_CENTER;
    }
    return gdi::DT_CENTER;
}

// Two one-pixel bevels round a face of the button's colour: the hot and the default look.
void PaintDoubleBevel(TCanvas* canvas, const TRect& r, TColor upperLeft, TColor lowerRight, TColor face) {
    const TRect r1 = PaintBevel(canvas, r, upperLeft, lowerRight, 1, sdAllSides);
    const TRect r2 = PaintBevel(canvas, r1, DarkenColor(upperLeft, 10), LightenColor(lowerRight, 10), 1, sdAllSides);
    FillWith(canvas, r2, face);
}

// Three light rows at the top; three dark rows at the bottom and two dark columns at the right.
void PaintFlatNormalFace(TCanvas* canvas, const TRect& r, TColor color) {
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    const std::uint8_t topRows[3] = {20, 15, 10};
    for (int i = 0; i < 3; ++i) {
        canvas->Pen()->SetColor(LightenColor(color, topRows[i]));
        LineIncluding(canvas, L, T + i, R - 1, T + i);
    }
    canvas->Pen()->SetColor(DarkenColor(color, 10));
    LineIncluding(canvas, L, B - 3, R - 3, B - 3);
    LineIncluding(canvas, R - 2, B - 3, R - 2, T + 3);
    canvas->Pen()->SetColor(DarkenColor(color, 20));
    LineIncluding(canvas, L, B - 2, R - 2, B - 2);
    LineIncluding(canvas, R - 1, B - 2, R - 1, T + 3);
    canvas->Pen()->SetColor(DarkenColor(color, 30));
    LineIncluding(canvas, L, B - 1, R - 1, B - 1);
    FillWith(canvas, TRect{L, T + 3, R - 2, B - 3}, color);
}

} // namespace

TLuButton::TLuButton(TComponent* owner) : TLuCustomButton(owner) {
    SetInitialSize(75, 25);
    SetInitialColor(gdi::clBtnFace);
}

void TLuButton::SetAlignment(TAlignment value) {
    if (value == m_alignment)
        return;
    m_alignment = value;
    Invalidate();
}

void TLuButton::SetAllowAllUp(bool value) {
    if (value == m_allowAllUp)
        return;
    m_allowAllUp = value;
    BroadcastGroupDown();
}

void TLuButton::SetDefault(bool value) {
    if (value == m_default)
        return;
    m_default = value;
    // Every button of the form decides again which of them Enter clicks.
    if (HandleAllocated())
        if (TCustomForm* form = GetParentForm(this))
            form->Perform(win::CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TLuButton::SetGroupIndex(int value) {
    if (value == m_groupIndex)
        return;
    m_groupIndex = value;
    BroadcastGroupDown();
}

void TLuButton::SetDown(bool value) {
    if (m_groupIndex == 0)
        value = false;
    if (value == m_down)
        return;
    if (m_down && !m_allowAllUp && m_groupIndex != 0)
        return;
    m_down = value;
    Invalidate();
    if (value)
        BroadcastGroupDown();
}

void TLuButton::SetShowDownPattern(bool value) {
    if (value == m_showDownPattern)
        return;
    m_showDownPattern = value;
    Invalidate();
}

void TLuButton::SetShowFocusRect(bool value) {
    if (value == m_showFocusRect)
        return;
    m_showFocusRect = value;
    Invalidate();
}

void TLuButton::SetHotTrack(bool value) {
    TLuCustomButton::SetHotTrack(value);
    SetTransparent(value);
}

void TLuButton::BroadcastGroupDown() {
    if (m_groupIndex == 0 || Parent() == nullptr)
        return;
    TMessage m{win::CM_GROUPBUTTONDOWN, static_cast<WPARAM>(m_groupIndex), reinterpret_cast<LPARAM>(this), 0};
    Parent()->Broadcast(m);
}

void TLuButton::CMGroupButtonDown(TMessage& m) {
    m.Result = 0;
    auto* sender = reinterpret_cast<TLuButton*>(m.LParam);
    if (sender == this || sender == nullptr || static_cast<int>(m.WParam) != m_groupIndex)
        return;
    if (sender->Down() && m_down) {
        m_down = false;
        Invalidate();
    }
    m_allowAllUp = sender->AllowAllUp();
}

void TLuButton::Click() {
    if (TCustomForm* form = GetParentForm(this))
        form->SetModalResult(m_modalResult);
    TLuCustomButton::Click();
}

void TLuButton::UpdateDisplay() {
    Invalidate();
}

void TLuButton::Toggle() {
    if (m_groupIndex == 0)
        UpdateDisplay();
    else
        SetDown(!m_down);
    m_clickInProgress = true;
    try {
        Click();
    } catch (...) {
        m_clickInProgress = false;
        throw;
    }
    m_clickInProgress = false;
}

void TLuButton::CreateWnd() {
    m_actsAsDefault = m_default;
    TLuCustomButton::CreateWnd();
}

void TLuButton::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (key == win::VK_SPACE && !shift.Contains(ssAlt)) {
        m_keyboardArmed = true;
        SetPressedLook(true);
        UpdateDisplay();
    }
    TLuCustomButton::KeyDown(key, shift);
}

void TLuButton::KeyUp(std::uint16_t& key, TShiftState shift) {
    if (key == win::VK_SPACE) {
        SetPressedLook(false);
        if (m_keyboardArmed)
            Toggle();
        UpdateDisplay();
    }
    TLuCustomButton::KeyUp(key, shift);
}

void TLuButton::CMDialogKey(TMessage& m) {
    const bool enter = m.WParam == win::VK_RETURN && m_actsAsDefault;
    const bool escape = m.WParam == win::VK_ESCAPE && m_cancel;
    const TShiftState shift = KeyDataToShiftState(m.LParam);
    if ((enter || escape) && !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt) &&
        CanFocus()) {
        Click();
        m.Result = 1;
        return;
    }
    TLuCustomButton::CMDialogKey(m);
}

void TLuButton::CMDialogChar(TMessage& m) {
    if (IsAccel(static_cast<char32_t>(m.WParam), Caption()) && CanFocus()) {
        Click();
        m.Result = 1;
        return;
    }
    TLuCustomButton::CMDialogChar(m);
}

void TLuButton::CMFocusChanged(TMessage& m) {
    auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
    const bool isButton =
        dynamic_cast<TLuButton*>(focused) != nullptr || dynamic_cast<framework::TButton*>(focused) != nullptr;
    const bool acts = isButton ? focused == this : m_default;
    if (acts != m_actsAsDefault) {
        m_actsAsDefault = acts;
        Repaint();
    }
    TLuCustomButton::CMFocusChanged(m);
}

void TLuButton::WndProc(TMessage& m) {
    if (m.Msg == win::CM_GROUPBUTTONDOWN) {
        CMGroupButtonDown(m);
        return;
    }
    TLuCustomButton::WndProc(m);
}

void TLuButton::DefineProperties(TFiler& filer) {
    TLuCustomButton::DefineProperties(filer);
    // Older forms said FrameFlat for the hot-tracking look.
    filer.DefineProperty("FrameFlat", [this](TReader& reader) { SetHotTrack(reader.ReadBoolean()); });
}

TRect TLuButton::GetCaptionRect() {
    TRect r = ClientRect();
    gdi::InflateRect(&r, -5, -5);
    if (!HotTrack() && !ThemesActive() && (PressedLook() || (m_groupIndex != 0 && m_down)))
        gdi::OffsetRect(&r, 1, 1);
    return r;
}

void TLuButton::PaintCaption() {
    DrawCaption(Canvas(), GetCaptionRect(), gdi::DT_WORDBREAK | gdi::DT_EXPANDTABS | AlignmentFormat(m_alignment));
}

void TLuButton::BuildDownPattern(TBitmap* bitmap) {
    bitmap->SetSize(8, 8);
    TCanvas* c = bitmap->Canvas();
    FillWith(c, TRect{0, 0, 8, 8}, Color());
    const TColor pattern =
        (gdi::ColorToRGB(Color()) & 0xFFFFFF) == gdi::RGB(192, 192, 192) ? gdi::clGray : gdi::clSilver;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if ((x + y) % 2 == 0)
                c->SetPixels(x, y, pattern);
}

bool TLuButton::LooksDefault() const {
    return m_groupIndex == 0 && (m_actsAsDefault || Focused()) && !PressedLook();
}

TRect TLuButton::FocusRect(bool themed) const {
    TRect f = ClientRect();
    const int inset = HotTrack() || themed ? 3 : 4;
    gdi::InflateRect(&f, -inset, -inset);
    if (m_groupIndex != 0 && LooksDown())
        gdi::OffsetRect(&f, 1, 1);
    return f;
}

void TLuButton::PaintThemedFace(const TRect& r) {
    int state = gdi::PBS_NORMAL;
    if (!Enabled())
        state = gdi::PBS_DISABLED;
    else if (LooksDown())
        state = gdi::PBS_PRESSED;
    else if (MouseInside())
        state = gdi::PBS_HOT;
    else if (LooksDefault())
        state = gdi::PBS_DEFAULTED;
    const gdi::ThemedElementDetails details{"BUTTON", gdi::BP_PUSHBUTTON, state};
    gdi::ThemeServices& themes = gdi::GetThemeServices();
    gdi::HDC dc = Canvas()->Handle();
    if (themes.HasTransparentParts(details))
        themes.DrawParentBackground(Handle(), dc, &details, true, &r);
    themes.DrawElement(dc, details, r);
}

TRect TLuButton::PaintFlatFace(TRect r) {
    TCanvas* c = Canvas();
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    // The outer ring always comes from the button face, whatever Color is.
    const TColor dark = DarkenColor(gdi::clBtnFace, 20);
    const TColor light = LightenColor(gdi::clBtnFace, 20);
    c->Pen()->SetColor(dark);
    LineIncluding(c, L, T + 2, L, B - 3);
    LineIncluding(c, L + 2, T, R - 3, T);
    c->Pen()->SetColor(light);
    LineIncluding(c, R - 1, T + 2, R - 1, B - 3);
    LineIncluding(c, L + 2, B - 1, R - 3, B - 1);
    c->SetPixels(L + 1, T + 1, dark);
    c->SetPixels(R - 2, T + 1, dark);
    c->SetPixels(L + 1, B - 2, dark);
    c->SetPixels(R - 2, B - 2, light);

    gdi::InflateRect(&r, -1, -1);
    const TColor color = Color();
    c->Pen()->SetColor(color == gdi::clBtnFace ? gdi::cl3DDkShadow : DarkenColor(color, 150));
    LineIncluding(c, r.left, r.top + 1, r.left, r.bottom - 2);
    LineIncluding(c, r.right - 1, r.top + 1, r.right - 1, r.bottom - 2);
    LineIncluding(c, r.left + 1, r.top, r.right - 2, r.top);
    LineIncluding(c, r.left + 1, r.bottom - 1, r.right - 2, r.bottom - 1);

    gdi::InflateRect(&r, -1, -1);
    if (LooksDown()) {
        FillWith(c, r, DarkenColor(color, 10));
    } else if (MouseInside()) {
        const TLuHotTrackTones tones = HotTrackTones(HotTrackColor(), HotTrackColorType(), 220, 180);
        PaintDoubleBevel(c, r, tones.Light, tones.Dark, color);
    } else if (LooksDefault()) {
        const TColor upperLeft = HslToColorValue(HueOfColor(HighlightColor()), 220, 220);
        PaintDoubleBevel(c, r, upperLeft, DarkenColor(upperLeft, 30), color);
    } else {
        PaintFlatNormalFace(c, r, color);
    }
    return r;
}

TRect TLuButton::PaintFlatDisabledFace(TRect r) {
    TCanvas* c = Canvas();
    gdi::InflateRect(&r, -1, -1);
    const TColor color = Color();
    c->Pen()->SetColor(color == gdi::clBtnFace ? LightenColor(gdi::clBtnShadow, 30) : DarkenColor(color, 80));
    LineIncluding(c, r.left, r.top + 1, r.left, r.bottom - 2);
    LineIncluding(c, r.right - 1, r.top + 1, r.right - 1, r.bottom - 2);
    LineIncluding(c, r.left + 1, r.top, r.right - 2, r.top);
    LineIncluding(c, r.left + 1, r.bottom - 1, r.right - 2, r.bottom - 1);
    gdi::InflateRect(&r, -1, -1);
    FillWith(c, r, color);
    return r;
}

TRect TLuButton::PaintClassicFace(TRect r) {
    TCanvas* c = Canvas();
    if (m_groupIndex == 0 && (((m_actsAsDefault || Focused()) && !PressedLook()) || m_clickInProgress))
        r = PaintFlatFrameSides(c, r, gdi::clWindowFrame, gdi::clWindowFrame, sdAllSides);
    const TColor color = Color();
    if (color == gdi::clBtnFace) {
        if (m_groupIndex == 0)
            return PaintButtonBorder(c, r, PressedLook());
        return PaintBorder(c, r, LooksDown() ? fsLowered : fsButtonUp);
    }
    if (m_groupIndex == 0)
        return PaintColorButtonBorder(c, r, color, PressedLook());
    if (LooksDown())
        return PaintColorBorder(c, r, color, fsLowered);
    return PaintColorButtonBorder(c, r, color, false);
}

void TLuButton::PaintDownPattern(const TRect& r) {
    TBitmap pattern;
    BuildDownPattern(&pattern);
    TCanvas* c = Canvas();
    c->Brush()->SetBitmap(&pattern);
    c->FillRect(r);
    c->Brush()->SetBitmap(nullptr);
}

void TLuButton::Paint() {
    TCanvas* c = Canvas();
    ResetPen(c);
    const bool themed = ThemesActive();
    const TRect focusRect = FocusRect(themed);
    TRect r = ClientRect();
    if (themed)
        PaintThemedFace(r);
    else if (HotTrack() && Enabled())
        r = PaintFlatFace(r);
    else if (HotTrack())
        r = PaintFlatDisabledFace(r);
    else
        r = PaintClassicFace(r);
    if (m_groupIndex != 0 && m_down && m_showDownPattern)
        PaintDownPattern(r);
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    PaintCaption();
    if (Focused() && m_showFocusRect)
        PaintFocusBorder(c, focusRect);
}

namespace {
[[maybe_unused]] const auto registerButton =
    PublishButtonProperties(RegisterClass<TLuButton, TLuCustomButton>("TLuButton"));
} // namespace

} // namespace lu
