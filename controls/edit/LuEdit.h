#pragma once

#include "controls/edit/LuFramedEdit.h"
#include "platform/framework/MaskEdit.h"

#include <functional>
#include <string>

namespace lu {

// The horizontal alignment of an edit's text: the first two values of TAlignment.
using TLeftRight = framework::TAlignment;
using framework::LeftRightInfo;

enum TDropButtonState { dbsUp, dbsDown };

// Asked when the mask refuses the text; a message left in Message is raised as the error.
using TInvalidInputEvent = std::function<void(framework::TObject* sender, std::string& message)>;

// The library's single-line edit: the framework's mask edit with the library's frame and colour
// states, and a drop button that descendants may show at the right edge (the left edge in
// right-to-left reading), carved out of the non-client area.
class TLuCustomEdit : public TLuFramedEdit<framework::TCustomMaskEdit> {
public:
    using Inherited = TLuFramedEdit<framework::TCustomMaskEdit>;

    explicit TLuCustomEdit(framework::TComponent* owner);

    TLeftRight Alignment() const { return m_alignment; }
    virtual void SetAlignment(TLeftRight value);
    framework::TAlignment GetControlsAlignment() const override { return m_alignment; }

    bool DropButtonVisible() const { return m_dropButtonVisible; }
    TDropButtonState DropButtonState() const { return m_dropButtonState; }
    bool FlatButtons() const { return m_flatButtons; }
    // True while the drop sequence runs.
    bool DroppedDown() const { return m_droppedDown; }
    // Set by the hit test.
    bool MouseOverButton() const { return m_mouseOverButton; }

    TInvalidInputEvent OnInvalidInput;
    framework::TNotifyEvent OnDropOpen;
    framework::TNotifyEvent OnDropClose;

    void WndProc(framework::TMessage& message) override;

protected:
    void UpdateHotTrack(bool isMouse, bool value) override;
    bool ShowsHotFrame() const override;
    void PaintNonClient(framework::TCanvas* canvas) override;
    // Hooks for descendants: the client rectangle, and the mask edit's text.
    virtual framework::TRect GetTextAreaRect();
    virtual std::string GetDisplayText();
    virtual void DrawDropButton(framework::TCanvas* canvas, const framework::TRect& rect);
    virtual void SetDropButtonState(TDropButtonState value);
    virtual void SetDropButtonVisible(bool value);
    virtual void SetFlatButtons(bool value);
    virtual void DoDropOpen();
    virtual void DoDropClose();
    // Shows the button pressed while the drop events run.
    void RunDropButton();
    void ReleaseDropButton();

    void CreateParams(framework::TCreateParams& params) override;
    void ValidateError() override;
    void KeyPress(char32_t& key) override;
    void KeyDown(std::uint16_t& key, framework::TShiftState shift) override;
    void CMEnter(framework::TMessage& message) override;
    void CMEnabledChanged(framework::TMessage& message) override;

private:
    bool OverVisibleButton() const { return m_dropButtonVisible && m_mouseOverButton; }
    // The window's rectangle inside a single border, and the drop button's part of it.
    framework::TRect InsideBorder() const;
    framework::TRect DropButtonRect() const;
    void WMNCCalcSize(framework::TMessage& message);
    void WMNCHitTest(framework::TMessage& message);
    void WMButtonDown(framework::TMessage& message);
    void WMSetCursor(framework::TMessage& message);

    TLeftRight m_alignment = framework::taLeftJustify;
    bool m_dropButtonVisible = false;
    bool m_mouseOverButton = false;
    bool m_flatButtons = false;
    TColor m_flatButtonColor = gdi::clBtnFace;
    bool m_droppedDown = false;
    TDropButtonState m_dropButtonState = dbsUp;
    bool m_inControl = false;
};

// The edit of the forms: the custom edit with its published properties.
class TLuEdit : public TLuCustomEdit {
public:
    using TLuCustomEdit::TLuCustomEdit;
};

} // namespace lu
