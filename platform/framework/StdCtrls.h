#pragma once

#include "platform/framework/CustomControl.h"
#include "platform/framework/GraphicControl.h"

namespace framework {

// A push button. Enter clicks the default button (or the focused one), Escape the cancel
// button; a click sets the form's ModalResult.
class TButton : public TCustomControl {
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return m_default; }
    void SetDefault(bool value);
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool value) { m_cancel = value; }
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int value) { m_modalResult = value; }
    // Whether Enter clicks it now: it is focused, or it is the default and no button is.
    bool Active() const { return m_active; }

    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyUp(std::uint16_t& key, TShiftState shift) override;

private:
    void SetPressed(bool pressed);
    bool m_default = false;
    bool m_cancel = false;
    bool m_active = false;
    bool m_pressed = false;
    bool m_tracking = false;
    int m_modalResult = 0;
};

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool value);
    bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
    void SetTransparent(bool value);
    TWinControl* FocusControl() const { return m_focusControl; }
    void SetFocusControl(TWinControl* control);
    void SetAutoSize(bool value) override;

    virtual std::string GetLabelText() const { return Caption(); }
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    virtual void AdjustBounds();
    // Draws (or with DT_CALCRECT measures) the label text in rect with the label's flags.
    virtual void DoDrawText(TRect& rect, unsigned flags);
    // DoDrawText in calculation mode, on the screen's context when the label has none yet.
    void MeasureText(TRect& rect, unsigned flags);
    void Paint() override;

private:
    TAlignment m_alignment = taLeftJustify;
    TTextLayout m_layout = tlTop;
    bool m_wordWrap = false;
    bool m_showAccelChar = true;
    TWinControl* m_focusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

} // namespace framework
