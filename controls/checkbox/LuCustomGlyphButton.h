#pragma once

#include "controls/button/LuCustomButton.h"
#include "controls/common/LuFrameController.h"
#include "platform/framework/Graphics.h"

#include <memory>

namespace lu {

using framework::TBitmap;
using TLeftRight = framework::TAlignment;
using framework::LeftRightInfo;

// The base of the glyph-drawn toggles: a small state picture at the left or right edge with the
// caption beside it. It paints into an off-screen bitmap over a cached copy of its background, and
// composes the glyph with key colours: TransparentColor lets the background through, WinMaskColor
// shows clWindow, and clGreen shows FrameColor blended half with the background.
class TLuCustomGlyphButton : public TLuCustomButton, public IFrameControllerNotify {
public:
    explicit TLuCustomGlyphButton(framework::TComponent* owner);
    ~TLuCustomGlyphButton() override;

    // taRightJustify: the glyph at the left edge and the caption to its right.
    TLeftRight Alignment() const { return m_alignment; }
    virtual void SetAlignment(TLeftRight value);
    // Always false here; a subclass with a state answers it.
    virtual bool Checked() const { return false; }
    virtual void SetChecked(bool) {}
    // A strip of CellCount cells side by side; assigning copies it.
    TBitmap* CustomGlyphs() const { return m_customGlyphs.get(); }
    virtual void SetCustomGlyphs(const TBitmap* value);
    TColor FrameColor() const { return m_frameColor; }
    virtual void SetFrameColor(TColor value);
    // Shared frame settings; not owned.
    TLuFrameController* FrameController() const { return m_frameController; }
    virtual void SetFrameController(TLuFrameController* value);
    bool UseCustomGlyphs() const { return m_useCustomGlyphs; }
    virtual void SetUseCustomGlyphs(bool value);
    TColor DisabledColor() const { return m_disabledColor; }
    virtual void SetDisabledColor(TColor value);
    TColor TransparentColor() const { return m_transparentColor; }
    virtual void SetTransparentColor(TColor value);
    TColor WinMaskColor() const { return m_winMaskColor; }
    virtual void SetWinMaskColor(TColor value);
    void SetTransparent(bool value) override;
    // Enter moves the focus on as Tab does.
    bool TabOnEnter() const { return m_tabOnEnter; }
    void SetTabOnEnter(bool value) { m_tabOnEnter = value; }

    int GlyphWidth() const { return m_glyphWidth; }
    int GlyphHeight() const { return m_glyphHeight; }
    // Where the glyph lies in the client area.
    TRect GlyphRect() const;

    void ApplyFrameController() override;
    bool IsCheckedStored() const;

    void WndProc(framework::TMessage& message) override;
    void DefineProperties(framework::TFiler& filer) override;
    void Notification(framework::TComponent* component, framework::TOperation operation) override;
    framework::TAlignment GetControlsAlignment() const override;

protected:
    // The colour itself, or one step off it when the later key-colour passes would replace it.
    virtual TColor AvoidMaskColor(TColor color);
    // Fills glyph (GlyphWidth x GlyphHeight) with the picture of the current state.
    virtual void BuildGlyph(TBitmap* glyph) = 0;
    // Draws the composed glyph at its place on the canvas (the control's own when none is given).
    virtual void DrawGlyph(TCanvas* canvas = nullptr);
    // Makes destination the cell of the strip at index, of width w and height h.
    virtual void ExtractGlyphCell(int index, TBitmap* destination, TBitmap* source, int w, int h);

    void UpdateDisplay() override;
    void FocusChanged() override;
    TRect GetHotTrackRect() override;
    void Paint() override;
    void ActionChange(framework::TObject* sender, bool checkDefaults) override;
    framework::TControlActionLinkClass GetActionLinkClass() const override;
    void KeyPress(char32_t& key) override;
    void CMEnabledChanged(framework::TMessage& message) override;
    void CMParentColorChanged(framework::TMessage& message) override;

    // Cells of a custom strip.
    int CellCount() const { return m_cellCount; }
    void SetCellCount(int count) { m_cellCount = count; }

private:
    void CustomGlyphsChanged();
    void UpdateGlyphSize();
    // Draws at once through the paint path, without erasing, so the background cache is reused.
    void PaintWithoutErasing();
    void RefreshBackgroundCache();
    void PaintCaptionAndFocus(TCanvas* canvas);
    void ComposeGlyph(TCanvas* canvas, TBitmap* glyph, TBitmap* composed);

    TLeftRight m_alignment = framework::taRightJustify;
    TColor m_frameColor = gdi::clBtnShadow;
    TColor m_disabledColor = gdi::clBtnFace;
    std::unique_ptr<TBitmap> m_customGlyphs;
    bool m_useCustomGlyphs = false;
    TColor m_transparentColor = gdi::clOlive;
    TColor m_winMaskColor = gdi::clLime;
    TLuFrameController* m_frameController = nullptr;
    bool m_tabOnEnter = false;

    int m_cellCount = 2;
    int m_glyphWidth = 13;
    int m_glyphHeight = 13;
    std::unique_ptr<TBitmap> m_backgroundCache;
    bool m_backgroundStale = true;
};

// Publishes what every glyph button publishes, with the initial values as stream defaults.
template <class T> framework::TClassBuilder<T> PublishGlyphButtonProperties(framework::TClassBuilder<T> b) {
    return b
        .Enum("Alignment", &T::Alignment, &T::SetAlignment, LeftRightInfo,
              std::optional<TLeftRight>(framework::taRightJustify))
        .Object("CustomGlyphs", &T::CustomGlyphs)
        .Color("DisabledColor", &T::DisabledColor, &T::SetDisabledColor, gdi::clBtnFace)
        .Color("FrameColor", &T::FrameColor, &T::SetFrameColor, gdi::clBtnShadow)
        .Component("FrameController", &T::FrameController, &T::SetFrameController)
        .Boolean("TabOnEnter", &T::TabOnEnter, &T::SetTabOnEnter, false)
        .Boolean("Transparent", &T::Transparent, &T::SetTransparent, false)
        .Color("TransparentColor", &T::TransparentColor, &T::SetTransparentColor, gdi::clOlive)
        .Boolean("UseCustomGlyphs", &T::UseCustomGlyphs, &T::SetUseCustomGlyphs, false)
        .Color("WinMaskColor", &T::WinMaskColor, &T::SetWinMaskColor, gdi::clLime);
}

} // namespace lu
