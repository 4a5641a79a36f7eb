#include "controls/checkbox/LuCustomGlyphButton.h"

#include "controls/checkbox/LuCheckedActionLink.h"
#include "controls/common/LuBorders.h"
#include "controls/common/LuColorMath.h"
#include "controls/common/LuGrafx.h"
#include "platform/framework/Filer.h"
#include "platform/framework/TypInfo.h"
#include "platform/framework/Window.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/Text.h"

namespace lu {

using namespace framework;

namespace {

constexpr int DefaultGlyphSize = 13;
// Room between the glyph and its caption.
constexpr int CaptionGap = 4;

void ReplaceColor(TBitmap& bitmap, TColor from, TColor to) {
    gdi::ReplaceColor(bitmap.Handle(), DeviceColor(from), DeviceColor(to));
}

} // namespace

TLuCustomGlyphButton::TLuCustomGlyphButton(TComponent* owner)
    : TLuCustomButton(owner), m_customGlyphs(std::make_unique<TBitmap>()),
      m_backgroundCache(std::make_unique<TBitmap>()) {
    // Toggles take their parent's colour until given one of their own.
    SetParentColor(true);
    m_customGlyphs->OnChange = [this](TObject*) { CustomGlyphsChanged(); };
}

TLuCustomGlyphButton::~TLuCustomGlyphButton() {
    if (m_frameController != nullptr)
        m_frameController->UnlinkControl(this);
}

void TLuCustomGlyphButton::SetAlignment(TLeftRight value) {
    if (value == m_alignment)
        return;
    m_alignment = value;
    Invalidate();
}

void TLuCustomGlyphButton::SetCustomGlyphs(const TBitmap* value) {
    m_customGlyphs->Assign(value);
}

void TLuCustomGlyphButton::SetFrameColor(TColor value) {
    if (value == m_frameColor)
        return;
    m_frameColor = value;
    Invalidate();
}

void TLuCustomGlyphButton::SetFrameController(TLuFrameController* value) {
    RelinkFrameController(this, m_frameController, value);
}

void TLuCustomGlyphButton::SetUseCustomGlyphs(bool value) {
    if (value == m_useCustomGlyphs)
        return;
    m_useCustomGlyphs = value;
    UpdateGlyphSize();
    Invalidate();
}

void TLuCustomGlyphButton::SetDisabledColor(TColor value) {
    if (value == m_disabledColor)
        return;
    m_disabledColor = value;
    Invalidate();
}

void TLuCustomGlyphButton::SetTransparentColor(TColor value) {
    if (value == m_transparentColor)
        return;
    m_transparentColor = value;
    Invalidate();
}

void TLuCustomGlyphButton::SetWinMaskColor(TColor value) {
    if (value == m_winMaskColor)
        return;
    m_winMaskColor = value;
    Invalidate();
}

void TLuCustomGlyphButton::SetTransparent(bool value) {
    m_backgroundStale = true;
    TLuCustomButton::SetTransparent(value);
}

void TLuCustomGlyphButton::CustomGlyphsChanged() {
    SetUseCustomGlyphs(!m_customGlyphs->Empty());
    // A strip of another size while custom glyphs are already on has other cells.
    UpdateGlyphSize();
    m_backgroundStale = true;
    Invalidate();
}

void TLuCustomGlyphButton::UpdateGlyphSize() {
    if (m_useCustomGlyphs) {
        m_glyphWidth = m_customGlyphs->Width() / m_cellCount;
        m_glyphHeight = m_customGlyphs->Height();
    } else {
        m_glyphWidth = DefaultGlyphSize;
        m_glyphHeight = DefaultGlyphSize;
    }
}

TRect TLuCustomGlyphButton::GlyphRect() const {
    const int x = m_alignment == taRightJustify ? 0 : Width() - m_glyphWidth;
    int y = 2;
    if (AlignmentVertical() == avCenter)
        y = (Height() - m_glyphHeight) / 2;
    else if (AlignmentVertical() == avBottom)
        y = Height() - m_glyphHeight - 2;
    return TRect{x, y, x + m_glyphWidth, y + m_glyphHeight};
}

TRect TLuCustomGlyphButton::GetHotTrackRect() {
    return GlyphRect();
}

void TLuCustomGlyphButton::ApplyFrameController() {
    if (m_frameController == nullptr || !m_frameController->FrameVisible())
        return;
    SetFrameColor(m_frameController->FrameColor());
    SetDisabledColor(m_frameController->DisabledColor());
    Invalidate();
}

bool TLuCustomGlyphButton::IsCheckedStored() const {
    return ActionLink() == nullptr || !ActionLink()->IsCheckedLinked();
}

void TLuCustomGlyphButton::Notification(TComponent* component, TOperation operation) {
    TLuCustomButton::Notification(component, operation);
    // The controller is going: it forgets its links itself.
    if (operation == opRemove && component == m_frameController)
        m_frameController = nullptr;
}

void TLuCustomGlyphButton::DefineProperties(TFiler& filer) {
    TLuCustomButton::DefineProperties(filer);
    filer.DefineProperty("Flat", [this](TReader& reader) { SetHotTrack(reader.ReadBoolean()); });
}

TAlignment TLuCustomGlyphButton::GetControlsAlignment() const {
    if (!UseRightToLeftAlignment())
        return taRightJustify;
    return m_alignment == taRightJustify ? taLeftJustify : taRightJustify;
}

TColor TLuCustomGlyphButton::AvoidMaskColor(TColor color) {
    const gdi::COLORREF rgb = DeviceColor(color);
    if (rgb == DeviceColor(m_transparentColor) || rgb == DeviceColor(m_winMaskColor) ||
        rgb == DeviceColor(gdi::clGray))
        return static_cast<TColor>(rgb + 1);
    return color;
}

void TLuCustomGlyphButton::ExtractGlyphCell(int index, TBitmap* destination, TBitmap* source, int w, int h) {
    destination->SetSize(w, h);
    destination->Canvas()->CopyRect(TRect{0, 0, w, h}, source->Canvas(), TRect{index * w, 0, (index + 1) * w, h});
}

void TLuCustomGlyphButton::DrawGlyph(TCanvas* canvas) {
    if (canvas == nullptr)
        canvas = Canvas();
    TBitmap glyph;
    glyph.SetSize(m_glyphWidth, m_glyphHeight);
    BuildGlyph(&glyph);
    TBitmap composed;
    ComposeGlyph(canvas, &glyph, &composed);
    const TRect r = GlyphRect();
    canvas->Draw(r.left, r.top, &composed);
}

// The key colours in turn: the transparent colour shows what lies under the glyph, the window
// mask the window colour, and green the frame colour half over the background.
void TLuCustomGlyphButton::ComposeGlyph(TCanvas* canvas, TBitmap* glyph, TBitmap* composed) {
    const TRect cell{0, 0, m_glyphWidth, m_glyphHeight};
    if (Transparent()) {
        composed->SetSize(m_glyphWidth, m_glyphHeight);
        composed->Canvas()->SetCopyMode(gdi::SRCCOPY);
        composed->Canvas()->CopyRect(cell, canvas, GlyphRect());
        PaintTransparentBitmap(composed->Canvas(), glyph, cell, cell,
                               gdi::GetThemeServices().ThemesEnabled() ? gdi::clBtnFace : m_transparentColor);
    } else {
        composed->Assign(glyph);
        ReplaceColor(*composed, m_transparentColor, Color());
    }
    ReplaceColor(*composed, m_winMaskColor, gdi::clWindow);
    ReplaceColor(*composed, gdi::clGreen, MixColors(m_frameColor, canvas->Pixels(0, 0), 128));
}

void TLuCustomGlyphButton::RefreshBackgroundCache() {
    const TRect client{0, 0, Width(), Height()};
    m_backgroundCache->SetSize(Width(), Height());
    TCanvas* cache = m_backgroundCache->Canvas();
    if (Transparent()) {
        // What the erase has just put on the window: the parent's image.
        cache->SetCopyMode(gdi::SRCCOPY);
        cache->CopyRect(client, Canvas(), client);
    } else {
        cache->Brush()->SetStyle(bsSolid);
        cache->Brush()->SetColor(Color());
        cache->FillRect(client);
    }
    m_backgroundStale = false;
}

void TLuCustomGlyphButton::PaintCaptionAndFocus(TCanvas* canvas) {
    TRect r = ClientRect();
    gdi::InflateRect(&r, -1, -1);
    if (m_alignment == taRightJustify)
        r.left += m_glyphWidth + CaptionGap;
    else
        r.right -= m_glyphWidth + CaptionGap;
    DrawCaption(canvas, r, gdi::DT_WORDBREAK | gdi::DT_EXPANDTABS);
    if (!Focused() || Caption().empty())
        return;
    gdi::InflateRect(&r, 1, 1);
    const int w = Min(r.Width(), canvas->TextWidth(rtl::Trim(Caption())) + 3);
    if (UseRightToLeftAlignment())
        r.left = r.right - w;
    else
        r.right = r.left + w;
    PaintFocusBorder(canvas, r);
}

void TLuCustomGlyphButton::Paint() {
    TBitmap offscreen;
    offscreen.SetSize(Width(), Height());
    TCanvas* canvas = offscreen.Canvas();
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetColor(Color());
    if (m_backgroundStale)
        RefreshBackgroundCache();
    canvas->Draw(0, 0, m_backgroundCache.get());
    DrawGlyph(canvas);
    PaintCaptionAndFocus(canvas);
    Canvas()->Draw(0, 0, &offscreen);
}

void TLuCustomGlyphButton::PaintWithoutErasing() {
    if (!HandleAllocated())
        return;
    InvalidateRect(Handle(), nullptr, false);
    Update();
}

void TLuCustomGlyphButton::UpdateDisplay() {
    PaintWithoutErasing();
}

void TLuCustomGlyphButton::FocusChanged() {
    PaintWithoutErasing();
}

void TLuCustomGlyphButton::ActionChange(TObject* sender, bool checkDefaults) {
    TLuCustomButton::ActionChange(sender, checkDefaults);
    if (auto* action = dynamic_cast<TCustomAction*>(sender))
        if (!checkDefaults || !Checked())
            SetChecked(action->Checked());
}

TControlActionLinkClass TLuCustomGlyphButton::GetActionLinkClass() const {
    return &NewActionLink<TLuCheckedActionLink>;
}

void TLuCustomGlyphButton::KeyPress(char32_t& key) {
    if (m_tabOnEnter && key == U'\r') {
        key = 0;
        PostMessage(Handle(), win::WM_KEYDOWN, win::VK_TAB, 0);
        return;
    }
    TLuCustomButton::KeyPress(key);
}

void TLuCustomGlyphButton::CMEnabledChanged(TMessage& message) {
    TLuCustomButton::CMEnabledChanged(message);
    m_backgroundStale = true;
    Invalidate();
}

void TLuCustomGlyphButton::CMParentColorChanged(TMessage& message) {
    TLuCustomButton::CMParentColorChanged(message);
    m_backgroundStale = true;
    Invalidate();
}

void TLuCustomGlyphButton::WndProc(TMessage& message) {
    TLuCustomButton::WndProc(message);
    // A full repaint erases first, so it captures the background afresh; the direct paints of the
    // pressed look and the focus do not erase and reuse the cache.
    if (message.Msg == win::WM_ERASEBKGND || message.Msg == win::WM_SIZE)
        m_backgroundStale = true;
}

namespace {
[[maybe_unused]] const auto registerGlyphButton =
    RegisterClass<TLuCustomGlyphButton, TLuCustomButton>("TLuCustomGlyphButton");
} // namespace

} // namespace lu
