#pragma once

#include "platform/framework/EditMask.h"
#include "platform/framework/EditText.h"
#include "platform/framework/WinControl.h"

#include <memory>
#include <string>

namespace framework {

extern const TEnumInfo EditCharCaseInfo;

// The edit window of the framework: a text model behind a bordered window that paints its text,
// selection and caret and turns key and mouse messages into edits.
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);
    ~TCustomEdit() override;

    std::string Text() const override;
    void SetText(const std::string& text) override;

    int MaxLength() const { return m_model->MaxLength(); }
    virtual void SetMaxLength(int maxLength);
    bool ReadOnly() const { return m_model->ReadOnly(); }
    void SetReadOnly(bool readOnly);
    TEditCharCase CharCase() const { return m_model->CharCase(); }
    void SetCharCase(TEditCharCase charCase);
    // A code point; 0 shows the text itself.
    int PasswordChar() const { return static_cast<int>(m_model->PasswordChar()); }
    void SetPasswordChar(int passwordChar);
    bool AutoSelect() const { return m_autoSelect; }
    void SetAutoSelect(bool autoSelect) { m_autoSelect = autoSelect; }
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool hideSelection);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);
    bool Modified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

    int SelStart() const { return m_model->SelStart(); }
    void SetSelStart(int start);
    int SelLength() const { return m_model->SelLength(); }
    void SetSelLength(int length);
    std::string SelText() const { return m_model->SelText(); }
    void SetSelText(const std::string& text);
    void SelectAll();
    void ClearSelection() { SetSelText(""); }

    TNotifyEvent OnChange;

protected:
    TCustomEdit(TComponent* owner, std::unique_ptr<TEditText> model);

    TEditText& Model() { return *m_model; }
    const TEditText& Model() const { return *m_model; }

    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void PaintWindow(gdi::HDC dc) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void CMEnter(TMessage& message) override;

    virtual void Change();
    // Key presses that edit or move; returns true when the key was the edit's.
    virtual bool EditKey(std::uint16_t key, TShiftState shift);
    virtual bool EditChar(char32_t ch);
    virtual LRESULT DialogCode() const;
    virtual void PaintText(gdi::HDC dc);
    virtual int PositionAt(int x, int y);
    // After an edit through the model: fires Change when the text differs, then repaints.
    void AfterEdit(bool changed);
    void SelectionMoved();
    virtual void DoSelectionChange() {}

    // A memory context to measure text in, with a font selected; freed when it goes out of scope
    // (a deleted context lets go of what was selected into it).
    class TMeasureDC {
    public:
        explicit TMeasureDC(gdi::HFONT font) : m_dc(gdi::CreateCompatibleDC(nullptr)) {
            gdi::SelectObject(m_dc, font);
        }
        ~TMeasureDC() { gdi::DeleteDC(m_dc); }
        TMeasureDC(const TMeasureDC&) = delete;
        TMeasureDC& operator=(const TMeasureDC&) = delete;
        operator gdi::HDC() const { return m_dc; }

    private:
        gdi::HDC m_dc;
    };

    // The control's Font, in which the text is measured and drawn.
    gdi::HFONT EditFont() const { return Font()->Handle(); }
    int LineHeight() const;
    // The colour of unselected text: the Font's, grey while disabled.
    gdi::COLORREF TextColor() const;
    // Draws one line of display text at (x, y), its selected part highlighted; the caret point is
    // taken from the line that holds the caret.
    void PaintLine(gdi::HDC dc, int x, int y, std::u32string_view line, int firstPos, int height,
                   bool holdsCaret = true);
    int TextWidth(gdi::HDC dc, std::u32string_view text) const;
    bool ShowsSelection() const { return Focused() || !m_hideSelection; }
    // Where the caret is drawn, set by painting.
    TPoint CaretPoint() const { return m_caretPoint; }

    TPoint m_caretPoint{0, 0};

private:
    void EnsureCaretVisible(gdi::HDC dc);
    // How far ES_RIGHT or ES_CENTER moves a line that is narrower than the client area.
    int AlignmentOffset(gdi::HDC dc, std::u32string_view shown);

    std::unique_ptr<TEditText> m_model;
    bool m_autoSelect = true;
    bool m_hideSelection = true;
    bool m_modified = false;
    TBorderStyle m_borderStyle = bsSingle;
    int m_scrollX = 0;
    int m_lastSelStart = 0;
    int m_lastSelLength = 0;
};

// The single-line edit with an optional input mask.
class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* owner);

    const std::string& EditMask() const { return m_mask.Mask(); }
    void SetEditMask(const std::string& mask);
    bool IsMasked() const { return !m_mask.Empty(); }
    // The text as shown, with literals and blanks.
    std::string EditText() const { return Model().Text(); }
    void SetEditText(const std::string& text);

    std::string Text() const override;
    void SetText(const std::string& text) override;
    void SetMaxLength(int maxLength) override;

    // Checks a changed masked text; on a failure the caret goes to the failing position and
    // ValidateError runs.
    void ValidateEdit();

protected:
    virtual void ValidateError();
    void CMExit(TMessage& message) override;
    void CMEnter(TMessage& message) override;
    bool EditKey(std::uint16_t key, TShiftState shift) override;
    bool EditChar(char32_t ch) override;

private:
    void SetMaskedText(std::u32string text, int caret);

    TEditMask m_mask;
    bool m_reEnter = false;
};

// The edit properties that every published edit shows, for a registration; BorderStyle and the
// mask are left to each class.
template <class T> TClassBuilder<T> PublishEditProperties(TClassBuilder<T> b) {
    return b.Boolean("AutoSelect", &T::AutoSelect, &T::SetAutoSelect, true)
        .Enum("CharCase", &T::CharCase, &T::SetCharCase, EditCharCaseInfo,
              std::optional<TEditCharCase>(ecNormal))
        .Boolean("HideSelection", &T::HideSelection, &T::SetHideSelection, true)
        .Integer("MaxLength", &T::MaxLength, &T::SetMaxLength, 0)
        .Integer("PasswordChar", &T::PasswordChar, &T::SetPasswordChar, 0)
        .Boolean("ReadOnly", &T::ReadOnly, &T::SetReadOnly, false)
        .String("Text", &T::Text, &T::SetText)
        .Event("OnChange", &T::OnChange);
}

class TMaskEdit : public TCustomMaskEdit {
public:
    using TCustomMaskEdit::TCustomMaskEdit;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

} // namespace framework
