#include "controls/checkbox/LuCheckBox.h"

#include "controls/common/LuColorMath.h"
#include "controls/common/LuHotTrack.h"
#include "platform/framework/TypInfo.h"
#include "platform/framework/Window.h"
#include "platform/gdi/Gdi.h"

#include <utility>
#include <vector>

namespace lu {

using namespace framework;

const TEnumInfo CheckBoxStateInfo{"TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"}};

namespace {

// The key colours of the library's check box bitmaps.
constexpr TColor FaceKey = 0xFFFFFF;
constexpr TColor FrameKey = 0x808080;
constexpr TColor LowerRightKey = 0x0000FF;
constexpr TColor UpperLeftKey = 0xFF00FF;
constexpr TColor MarkKey = 0xFF0000;

// Saturation and luminance of the complementary hot colour.
constexpr std::uint8_t HotSaturation = 220;
constexpr std::uint8_t HotLuminance = 180;

const char* BitmapName(TCheckBoxState state) {
    switch (state) {
    case cbChecked:
        return "LUCOMMON_CHECKBOX_CHECKED";
    case cbGrayed:
        return "LUCOMMON_CHECKBOX_GRAYED";
    default:
        return "LUCOMMON_CHECKBOX_UNCHECKED";
    }
}

} // namespace

TLuCustomCheckBox::TLuCustomCheckBox(TComponent* owner) : TLuCustomGlyphButton(owner) {
    SetAlignmentVertical(avTop);
    SetCellCount(9);
}

void TLuCustomCheckBox::SetState(TCheckBoxState value) {
    if (value == m_state)
        return;
    m_state = value;
    UpdateDisplay();
    Click();
}

void TLuCustomCheckBox::SetChecked(bool value) {
    SetState(value ? cbChecked : cbUnchecked);
}

void TLuCustomCheckBox::Toggle() {
    switch (m_state) {
    case cbUnchecked:
        SetState(m_allowGrayed ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

void TLuCustomCheckBox::KeyDown(std::uint16_t& key, TShiftState shift) {
    TLuCustomGlyphButton::KeyDown(key, shift);
    if (key == win::VK_ESCAPE) {
        m_keyboardArmed = false;
        SetPressedLook(false);
        UpdateDisplay();
    } else if (key == win::VK_SPACE) {
        m_keyboardArmed = true;
        SetPressedLook(true);
        UpdateDisplay();
    }
}

void TLuCustomCheckBox::KeyUp(std::uint16_t& key, TShiftState shift) {
    TLuCustomGlyphButton::KeyUp(key, shift);
    if (key != win::VK_SPACE)
        return;
    SetPressedLook(false);
    if (m_keyboardArmed)
        Toggle();
    UpdateDisplay();
}

void TLuCustomCheckBox::DoExit() {
    TLuCustomGlyphButton::DoExit();
    SetPressedLook(false);
    UpdateDisplay();
}

void TLuCustomCheckBox::CMDialogChar(TMessage& message) {
    if (!IsAccel(static_cast<char32_t>(message.WParam), Caption()) || !CanFocus()) {
        TLuCustomGlyphButton::CMDialogChar(message);
        return;
    }
    framework::SetFocus(Handle());
    // The focused control may keep the focus; the accelerator is spent all the same.
    if (Focused()) {
        Toggle();
        UpdateDisplay();
    }
    message.Result = 1;
}

void TLuCustomCheckBox::BuildGlyph(TBitmap* glyph) {
    if (UseCustomGlyphs())
        BuildCustomGlyph(glyph);
    else if (gdi::GetThemeServices().ThemesEnabled())
        BuildThemedGlyph(glyph);
    else if (HotTrack())
        BuildHotTrackGlyph(glyph);
    else
        BuildClassicGlyph(glyph);
}

// Cells of the strip: the three states, the three pressed, the three disabled.
int TLuCustomCheckBox::CustomGlyphCell() const {
    if (!Enabled())
        return 6 + m_state;
    return (PressedLook() ? 3 : 0) + m_state;
}

void TLuCustomCheckBox::BuildCustomGlyph(TBitmap* glyph) {
    TBitmap cell;
    ExtractGlyphCell(CustomGlyphCell(), &cell, CustomGlyphs(), GlyphWidth(), GlyphHeight());
    glyph->Assign(&cell);
}

void TLuCustomCheckBox::BuildThemedGlyph(TBitmap* glyph) {
    static constexpr int Base[] = {gdi::CBS_UNCHECKEDNORMAL, gdi::CBS_CHECKEDNORMAL, gdi::CBS_MIXEDNORMAL};
    const int offset = !Enabled() ? 3 : PressedLook() ? 2 : MouseInside() ? 1 : 0;
    const gdi::ThemedElementDetails details{"BUTTON", gdi::BP_CHECKBOX, Base[m_state] + offset};
    const TRect r{0, 0, GlyphWidth(), GlyphHeight()};
    gdi::HDC dc = glyph->Canvas()->Handle();
    gdi::ThemeServices& themes = gdi::GetThemeServices();
    themes.DrawParentBackground(Handle(), dc, &details, true, &r);
    themes.DrawElement(dc, details, r);
}

void TLuCustomCheckBox::BuildHotTrackGlyph(TBitmap* glyph) {
    TColor face = gdi::clWindow;
    TColor lowerRight = gdi::clWindow;
    TColor upperLeft = gdi::clWindow;
    TColor mark = AvoidMaskColor(HighlightColor());
    if (!Enabled()) {
        face = lowerRight = upperLeft = DisabledColor();
        mark = gdi::clBtnShadow;
    } else if (PressedLook() || MouseInside()) {
        // A screen of 256 colours or fewer shows no shades.
        const bool shaded = HasFullColorDisplay();
        if (PressedLook()) {
            face = lowerRight = upperLeft = shaded ? DarkenColor(gdi::clWindow, 20) : gdi::clWindow;
        } else if (shaded) {
            const TLuHotTrackTones tones =
                HotTrackTones(HotTrackColor(), HotTrackColorType(), HotSaturation, HotLuminance);
            upperLeft = tones.Light;
            lowerRight = tones.Dark;
        }
    }
    const std::vector<std::pair<TColor, TColor>> colorMap = {
        {FaceKey, face}, {FrameKey, FrameColor()}, {LowerRightKey, lowerRight}, {UpperLeftKey, upperLeft},
        {MarkKey, mark}};
    glyph->LoadFromResourceName(BitmapName(m_state), colorMap);
}

void TLuCustomCheckBox::BuildClassicGlyph(TBitmap* glyph) {
    unsigned state = gdi::DFCS_BUTTONCHECK;
    if (m_state == cbChecked)
        state |= gdi::DFCS_CHECKED;
    else if (m_state == cbGrayed)
        state |= gdi::DFCS_CHECKED | gdi::DFCS_BUTTON3STATE;
    if (PressedLook())
        state |= gdi::DFCS_PUSHED;
    if (!Enabled())
        state |= gdi::DFCS_INACTIVE;
    TRect r{0, 0, GlyphWidth(), GlyphHeight()};
    gdi::DrawFrameControl(glyph->Canvas()->Handle(), &r, gdi::DFC_BUTTON, state);
}

namespace {

using C = TLuCheckBox;

[[maybe_unused]] const auto registerCustomCheckBox =
    RegisterClass<TLuCustomCheckBox, TLuCustomGlyphButton>("TLuCustomCheckBox");

[[maybe_unused]] const auto registerCheckBox =
    PublishGlyphButtonProperties(PublishCustomButtonProperties(RegisterClass<C, TLuCustomCheckBox>("TLuCheckBox"), avTop))
        .Boolean("AllowGrayed", &C::AllowGrayed, &C::SetAllowGrayed, false)
        .Boolean("Checked", &C::Checked, &C::SetChecked, false)
        .Stored(&C::IsCheckedStored)
        .Boolean("ParentColor", &C::ParentColor, &C::SetParentColor, true)
        // Always written, as are the size: they have no stream default.
        .Enum("State", &C::State, &C::SetState, CheckBoxStateInfo)
        .Integer("Height", &C::Height, &C::SetHeight)
        .Integer("Width", &C::Width, &C::SetWidth);

} // namespace

} // namespace lu
