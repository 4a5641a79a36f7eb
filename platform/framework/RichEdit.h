#pragma once

#include "platform/framework/Graphics.h"
#include "platform/framework/Memo.h"
#include "platform/framework/RichText.h"

namespace framework {

class TCustomRichEdit;

// The attributes of the selection: reading gives those of its first character (or what typing
// would use), writing one property changes only that property over the whole selection.
class TTextAttributes : public TPersistent {
public:
    explicit TTextAttributes(TCustomRichEdit& owner) : m_owner(owner) {}

    TColor Color() const;
    void SetColor(TColor color);
    TFontStyles Style() const;
    void SetStyle(TFontStyles style);
    int Size() const;
    void SetSize(int size);
    std::string Name() const;
    void SetName(const std::string& name);

private:
    TCustomRichEdit& m_owner;
};

// Rich text in an edit window: paragraphs end with one CR, each run keeps colour, style and size,
// and a line is as tall as its tallest run. The control's Font gives the attributes of text that
// was not styled; a change of the Font applies to the whole text.
class TCustomRichEdit : public TCustomMemo {
public:
    explicit TCustomRichEdit(TComponent* owner);
    ~TCustomRichEdit() override;

    TTextAttributes* SelAttributes() { return &m_selAttributes; }
    TRichText& Rich() { return static_cast<TRichText&>(Model()); }
    const TRichText& Rich() const { return static_cast<const TRichText&>(Model()); }

    std::vector<std::string> Lines() const { return Rich().Lines(); }
    void SetLines(const std::vector<std::string>& lines);

    TNotifyEvent OnSelectionChange;

protected:
    virtual void SelectionChange();
    void DoSelectionChange() override { SelectionChange(); }
    void PaintText(gdi::HDC dc) override;
    void CMFontChanged(TMessage& message) override;
    std::vector<int> Advances(std::u32string_view line, std::size_t start) override;
    int VisibleLineCount() const override;
    int LineAtY(int y) override;

private:
    friend class TTextAttributes;
    struct TLayoutLine {
        int Height = 0;
        int Ascent = 0;
    };
    // A display line is as tall as its tallest run.
    TLayoutLine MeasureLine(gdi::HDC dc, int line) const;
    gdi::HFONT RunFont(const TRichAttributes& a) const;
    void ReleaseFonts();

    TTextAttributes m_selAttributes;
    mutable std::vector<std::pair<TRichAttributes, gdi::HFONT>> m_fonts;
};

class TRichEdit : public TCustomRichEdit {
public:
    using TCustomRichEdit::TCustomRichEdit;
};

} // namespace framework
