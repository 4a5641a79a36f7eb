#pragma once

#include "controls/button/LuCustomButton.h"
#include "platform/framework/Controls.h"
#include "platform/framework/Forms.h"

namespace lu {

// The push button: a click copies its ModalResult into the parent form's, Enter and Escape click
// the default and the cancel button, buttons of one GroupIndex among the same parent latch down
// one at a time, and it draws itself themed, flat and hot-tracking (HotTrack), or in the classic
// 3D look in system colours or shaded from Color.
class TLuButton : public TLuCustomButton {
public:
    explicit TLuButton(framework::TComponent* owner);

    framework::TAlignment Alignment() const { return m_alignment; }
    virtual void SetAlignment(framework::TAlignment value);
    bool AllowAllUp() const { return m_allowAllUp; }
    virtual void SetAllowAllUp(bool value);
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool value) { m_cancel = value; }
    bool Default() const { return m_default; }
    virtual void SetDefault(bool value);
    int GroupIndex() const { return m_groupIndex; }
    virtual void SetGroupIndex(int value);
    bool Down() const { return m_down; }
    // Refused (ignored) without a GroupIndex, and for a latched button of a group that does not
    // allow all up.
    virtual void SetDown(bool value);
    framework::TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(framework::TModalResult value) { m_modalResult = value; }
    bool ShowDownPattern() const { return m_showDownPattern; }
    virtual void SetShowDownPattern(bool value);
    bool ShowFocusRect() const { return m_showFocusRect; }
    virtual void SetShowFocusRect(bool value);
    // Also sets Transparent, so that the flat look's rounded corners show the parent.
    void SetHotTrack(bool value) override;

    // Sets the parent form's ModalResult, then fires OnClick (or the action); Down is untouched.
    void Click() override;
    void WndProc(framework::TMessage& message) override;
    void DefineProperties(framework::TFiler& filer) override;

    // Whether Enter clicks the button now.
    bool ActsAsDefault() const { return m_actsAsDefault; }

protected:
    virtual TRect GetCaptionRect();
    virtual void PaintCaption();
    virtual void BuildDownPattern(framework::TBitmap* bitmap);

    void UpdateDisplay() override;
    void Toggle() override;
    void CreateWnd() override;
    void Paint() override;
    void KeyDown(std::uint16_t& key, framework::TShiftState shift) override;
    void KeyUp(std::uint16_t& key, framework::TShiftState shift) override;

    void CMDialogKey(framework::TMessage& message) override;
    void CMDialogChar(framework::TMessage& message) override;
    void CMFocusChanged(framework::TMessage& message) override;

    bool ClickInProgress() const { return m_clickInProgress; }

private:
    void CMGroupButtonDown(framework::TMessage& message);
    void BroadcastGroupDown();

    bool LooksDown() const { return m_down || PressedLook(); }
    bool LooksDefault() const;
    TRect FocusRect(bool themed) const;
    void PaintThemedFace(const TRect& r);
    TRect PaintFlatFace(TRect r);
    TRect PaintFlatDisabledFace(TRect r);
    TRect PaintClassicFace(TRect r);
    void PaintDownPattern(const TRect& r);

    framework::TAlignment m_alignment = framework::taCenter;
    bool m_allowAllUp = false;
    bool m_cancel = false;
    bool m_default = false;
    int m_groupIndex = 0;
    bool m_down = false;
    framework::TModalResult m_modalResult = framework::mrNone;
    bool m_showDownPattern = true;
    bool m_showFocusRect = true;

    bool m_actsAsDefault = false;
    bool m_clickInProgress = false;
    bool m_keyboardArmed = false;
};

// Publishes what a push button publishes, for its registration and its subclasses'.
template <class T> framework::TClassBuilder<T> PublishButtonProperties(framework::TClassBuilder<T> b) {
    return PublishCustomButtonProperties(b, avCenter)
        .Enum("Alignment", &T::Alignment, &T::SetAlignment, framework::AlignmentInfo,
              std::optional<framework::TAlignment>(framework::taCenter))
        .Boolean("AllowAllUp", &T::AllowAllUp, &T::SetAllowAllUp, false)
        .Boolean("Cancel", &T::Cancel, &T::SetCancel, false)
        .Boolean("Default", &T::Default, &T::SetDefault, false)
        .Integer("GroupIndex", &T::GroupIndex, &T::SetGroupIndex, 0)
        .Boolean("Down", &T::Down, &T::SetDown, false)
        .Integer("ModalResult", &T::ModalResult, &T::SetModalResult, 0)
        .Boolean("ShowDownPattern", &T::ShowDownPattern, &T::SetShowDownPattern, true)
        .Boolean("ShowFocusRect", &T::ShowFocusRect, &T::SetShowFocusRect, true);
}

} // namespace lu
