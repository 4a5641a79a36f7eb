#pragma once

#include "controls/checkbox/LuCustomGlyphButton.h"
#include "platform/framework/ScriptedUser.h"

#include <cstdint>
#include <string>

namespace lu {

enum TCheckBoxState : std::uint8_t { cbUnchecked, cbChecked, cbGrayed };
extern const framework::TEnumInfo CheckBoxStateInfo;

// A three-state check box. Its glyph comes from the first source that applies: a custom strip,
// the visual style, the library's own bitmaps coloured for the hot-tracking look, or the classic
// check box of the system.
class TLuCustomCheckBox : public TLuCustomGlyphButton, public framework::IScriptCheckable {
public:
    explicit TLuCustomCheckBox(framework::TComponent* owner);

    TCheckBoxState State() const { return m_state; }
    // A new state repaints and clicks, also when set by code.
    virtual void SetState(TCheckBoxState value);
    bool Checked() const override { return m_state == cbChecked; }
    void SetChecked(bool value) override;
    // Clicks then pass through the grayed state on the way from unchecked to checked.
    bool AllowGrayed() const { return m_allowGrayed; }
    void SetAllowGrayed(bool value) { m_allowGrayed = value; }

    bool ScriptChecked() const override { return Checked(); }

protected:
    void Toggle() override;
    void BuildGlyph(TBitmap* glyph) override;
    void KeyDown(std::uint16_t& key, framework::TShiftState shift) override;
    void KeyUp(std::uint16_t& key, framework::TShiftState shift) override;
    void DoExit() override;
    void CMDialogChar(framework::TMessage& message) override;

private:
    int CustomGlyphCell() const;
    void BuildCustomGlyph(TBitmap* glyph);
    void BuildThemedGlyph(TBitmap* glyph);
    void BuildHotTrackGlyph(TBitmap* glyph);
    void BuildClassicGlyph(TBitmap* glyph);

    TCheckBoxState m_state = cbUnchecked;
    bool m_allowGrayed = false;
    // A space went down on the box; its release toggles.
    bool m_keyboardArmed = false;
};

class TLuCheckBox : public TLuCustomCheckBox {
public:
    using TLuCustomCheckBox::TLuCustomCheckBox;
};

} // namespace lu
