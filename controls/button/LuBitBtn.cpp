#include "controls/button/LuBitBtn.h"

#include "controls/common/LuGrafx.h"
#include "platform/framework/ActnList.h"
#include "platform/framework/ResString.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/MulDiv.h"

namespace lu {

using namespace framework;

namespace {

constexpr TResString SNumGlyphsRange{"NumGlyphs must be from 1 to 4, not %d"};

} // namespace

const TEnumInfo ButtonLayoutInfo{"TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};

TLuBitBtn::TLuBitBtn(TComponent* owner)
    : TLuButton(owner), m_glyph(std::make_unique<TBitmap>()), m_imageChangeLink(std::make_unique<TChangeLink>()) {
    m_glyph->OnChange = [this](TObject*) { GlyphChanged(); };
    m_imageChangeLink->OnChange = [this](TObject* sender) { ImageListChanged(sender); };
}

TLuBitBtn::~TLuBitBtn() = default;

void TLuBitBtn::SetGlyph(const TBitmap* value) {
    m_glyph->Assign(value);
    m_glyphReplaced = true;
}

TBitBtnKind TLuBitBtn::Kind() const {
    if (m_kind != bkCustom &&
        (Default() != KindIsDefault(m_kind) || Cancel() != KindIsCancel(m_kind) ||
         ModalResult() != KindModalResults[m_kind] || m_glyphReplaced))
        m_kind = bkCustom;
    return m_kind;
}

void TLuBitBtn::SetKind(TBitBtnKind value) {
    if (value == m_kind)
        return;
    if (value != bkCustom) {
        SetDefault(KindIsDefault(value));
        SetCancel(KindIsCancel(value));
        // A form's own caption wins over the kind's.
        if (!ComponentState().Contains(csLoading) || Caption().empty())
            SetCaption(KindCaptions[value]);
        SetModalResult(KindModalResults[value]);
        m_glyph->Assign(LoadButtonKindGlyph(value));
        SetNumGlyphs(2);
        m_glyphReplaced = false;
    }
    m_kind = value;
    Invalidate();
}

void TLuBitBtn::SetLayout(TButtonLayout value) {
    if (value == m_layout)
        return;
    m_layout = value;
    Invalidate();
}

void TLuBitBtn::SetMargin(int value) {
    if (value == m_margin || value < -1)
        return;
    m_margin = value;
    Invalidate();
}

void TLuBitBtn::SetNumGlyphs(TNumGlyphs value) {
    if (value < 1 || value > 4)
        RaiseResString(SNumGlyphsRange, value);
    if (value == m_numGlyphs)
        return;
    m_numGlyphs = value;
    Invalidate();
}

void TLuBitBtn::SetSpacing(int value) {
    if (value == m_spacing)
        return;
    m_spacing = value;
    Invalidate();
}

void TLuBitBtn::SetImages(TCustomImageList* value) {
    if (value == m_images)
        return;
    // A list that is being destroyed has already let go of the link.
    if (TCustomImageList* old = m_imageChangeLink->Sender())
        old->UnRegisterChanges(m_imageChangeLink.get());
    m_images = value;
    if (m_images != nullptr) {
        m_images->RegisterChanges(m_imageChangeLink.get());
        m_images->FreeNotification(this);
    }
    Invalidate();
}

void TLuBitBtn::SetImageIndex(TImageIndex value) {
    if (value == m_imageIndex)
        return;
    m_imageIndex = value;
    Invalidate();
}

void TLuBitBtn::SetDisabledIndex(TImageIndex value) {
    if (value == m_disabledIndex)
        return;
    m_disabledIndex = value;
    Invalidate();
}

bool TLuBitBtn::IsCaptionStored() const {
    return Caption() != KindCaptions[Kind()];
}

void TLuBitBtn::Notification(TComponent* component, TOperation operation) {
    TLuButton::Notification(component, operation);
    if (operation == opRemove && component == m_images)
        SetImages(nullptr);
}

void TLuBitBtn::ChangeScale(int m, int d) {
    TLuButton::ChangeScale(m, d);
    // -1 is the centring mode, not a distance.
    if (m_margin >= 0)
        m_margin = win::MulDiv(m_margin, m, d);
    m_spacing = win::MulDiv(m_spacing, m, d);
    Invalidate();
}

void TLuBitBtn::ActionChange(TObject* sender, bool checkDefaults) {
    TLuButton::ActionChange(sender, checkDefaults);
    if (auto* action = dynamic_cast<TCustomAction*>(sender))
        if (!checkDefaults || m_imageIndex == -1)
            SetImageIndex(action->ImageIndex());
}

void TLuBitBtn::GlyphChanged() {
    const int w = m_glyph->Width();
    const int h = m_glyph->Height();
    // A strip without width has no cells: the count stays as it is.
    if (h != 0 && w != 0 && w % h == 0) {
        const int n = w / h;
        SetNumGlyphs(n > 4 ? 1 : n);
    }
    Invalidate();
}

void TLuBitBtn::ImageListChanged(TObject* sender) {
    if (sender == m_images)
        Update();
}

bool TLuBitBtn::ShowsImage() const {
    return m_images != nullptr && m_imageIndex != -1;
}

bool TLuBitBtn::HasGlyph() const {
    return ShowsImage() || !m_glyph->Empty();
}

TPoint TLuBitBtn::GetGlyphSize() {
    if (ShowsImage())
        return TPoint{m_images->Width(), m_images->Height()};
    return TPoint{m_glyph->Width() / m_numGlyphs, m_glyph->Height()};
}

void TLuBitBtn::MeasureBlock(const TRect& rect, const TPoint& glyph, int& textHeight, int& blockTop) {
    textHeight = MeasureCaption(Canvas(), rect);
    blockTop = (Height() - (glyph.y + textHeight + m_spacing)) / 2;
}

TRect TLuBitBtn::GetCaptionRect() {
    TRect cap = TLuButton::GetCaptionRect();
    if (!HasGlyph())
        return cap;
    const TPoint g = GetGlyphSize();
    if (m_margin >= 0) {
        switch (m_layout) {
        case blGlyphLeft:
            cap.left += m_margin + g.x + m_spacing;
            break;
        case blGlyphRight:
            cap.right -= m_margin + g.x + m_spacing;
            break;
        case blGlyphTop:
            cap.top += m_margin + g.y + m_spacing;
            break;
        case blGlyphBottom:
            cap.bottom -= m_margin + g.y + m_spacing;
            break;
        }
        return cap;
    }
    int h = 0;
    int t = 0;
    switch (m_layout) {
    case blGlyphLeft:
        cap.left += g.x + m_spacing - 1;
        break;
    case blGlyphRight:
        cap.right -= g.x + m_spacing - 1;
        break;
    case blGlyphTop:
        MeasureBlock(cap, g, h, t);
        cap.top = cap.top + t + g.y;
        cap.bottom = cap.top + h;
        break;
    case blGlyphBottom:
        MeasureBlock(cap, g, h, t);
        cap.top = cap.top + t;
        cap.bottom = cap.top + h;
        break;
    }
    return cap;
}

TRect TLuBitBtn::GetGlyphRect() {
    TRect r = TLuButton::GetCaptionRect();
    const bool themed = ThemesActive();
    if (PressedLook())
        gdi::OffsetRect(&r, -1, themed ? 0 : -1);
    const TPoint g = GetGlyphSize();
    int h = 0;
    int t = 0;
    if (m_margin < 0 && (m_layout == blGlyphTop || m_layout == blGlyphBottom))
        MeasureBlock(r, g, h, t);
    switch (m_layout) {
    case blGlyphLeft:
        if (m_margin >= 0)
            r.left += m_margin;
        break;
    case blGlyphRight:
        r.left = r.right - (m_margin >= 0 ? m_margin : 0) - g.x;
        break;
    case blGlyphTop:
        r.top = m_margin >= 0 ? r.top + m_margin : t;
        break;
    case blGlyphBottom:
        r.top = m_margin >= 0 ? r.bottom - m_margin - g.y : r.top + h + t;
        break;
    }
    if (m_layout == blGlyphLeft || m_layout == blGlyphRight)
        r.top += (r.bottom - r.top - g.y + 1) / 2;
    else
        r.left += (r.right - r.left - g.x + 1) / 2;
    r.right = r.left + g.x;
    r.bottom = r.top + g.y;
    if (PressedLook())
        gdi::OffsetRect(&r, themed ? 2 : 1, themed ? 0 : 1);
    return r;
}

void TLuBitBtn::PaintCaption() {
    TLuButton::PaintCaption();
    const TRect r = GetGlyphRect();
    if (Kind() == bkCustom && ShowsImage())
        DrawImage(r);
    else if (!m_glyph->Empty())
        DrawGlyph(r);
}

void TLuBitBtn::DrawGlyph(TRect r) {
    const int w = r.Width();
    const int h = r.Height();
    const TRect cell = m_numGlyphs > 1 && !Enabled() ? TRect{w, 0, 2 * w, h} : TRect{0, 0, w, h};
    // The glyph's lower-left pixel is its background.
    const TColor transparent = m_glyph->Canvas()->Pixels(0, h - 1);
    TBitmap composed;
    composed.SetSize(w, h);
    composed.Canvas()->CopyRect(TRect{0, 0, w, h}, Canvas(), r);
    PaintTransparentBitmap(composed.Canvas(), m_glyph.get(), TRect{0, 0, w, h}, cell, transparent);
    Canvas()->Draw(r.left, r.top, &composed);
}

void TLuBitBtn::DrawImage(TRect r) {
    if (m_images == nullptr)
        return;
    // An index that the list does not have draws nothing, as an empty slot would.
    auto draw = [&](TImageIndex index, bool enabled) {
        if (index >= 0 && index < m_images->Count())
            m_images->Draw(Canvas(), r.left, r.top, index, enabled);
    };
    if (m_disabledIndex == -1)
        draw(m_imageIndex, Enabled());
    else if (Enabled())
        draw(m_imageIndex, true);
    else
        draw(m_disabledIndex, true);
}

namespace {
[[maybe_unused]] const auto registerBitBtn =
    RegisterClass<TLuBitBtn, TLuButton>("TLuBitBtn")
        .String("Caption", &TLuBitBtn::Caption, &TLuBitBtn::SetCaption)
        .Stored(&TLuBitBtn::IsCaptionStored)
        .Boolean("Cancel", &TLuBitBtn::Cancel, &TLuBitBtn::SetCancel, false)
        .Stored(&TLuBitBtn::IsCustom)
        .Boolean("Default", &TLuBitBtn::Default, &TLuBitBtn::SetDefault, false)
        .Stored(&TLuBitBtn::IsCustom)
        .Integer("ModalResult", &TLuBitBtn::ModalResult, &TLuBitBtn::SetModalResult, 0)
        .Stored(&TLuBitBtn::IsCustom)
        .Object("Glyph", &TLuBitBtn::Glyph)
        .Stored(&TLuBitBtn::IsCustom)
        .Enum("Kind", &TLuBitBtn::Kind, &TLuBitBtn::SetKind, BitBtnKindInfo, std::optional<TBitBtnKind>(bkCustom))
        .Enum("Layout", &TLuBitBtn::Layout, &TLuBitBtn::SetLayout, ButtonLayoutInfo,
              std::optional<TButtonLayout>(blGlyphLeft))
        .Integer("Margin", &TLuBitBtn::Margin, &TLuBitBtn::SetMargin, 2)
        .Integer("NumGlyphs", &TLuBitBtn::NumGlyphs, &TLuBitBtn::SetNumGlyphs, 1)
        .Stored(&TLuBitBtn::IsCustom)
        .Integer("Spacing", &TLuBitBtn::Spacing, &TLuBitBtn::SetSpacing, 4)
        .Component("Images", &TLuBitBtn::Images, &TLuBitBtn::SetImages)
        .Integer("ImageIndex", &TLuBitBtn::ImageIndex, &TLuBitBtn::SetImageIndex, -1)
        .Integer("DisabledIndex", &TLuBitBtn::DisabledIndex, &TLuBitBtn::SetDisabledIndex, -1);
} // namespace

} // namespace lu
