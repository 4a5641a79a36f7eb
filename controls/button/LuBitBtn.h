#pragma once

#include "controls/button/LuButton.h"
#include "controls/button/LuButtonKinds.h"
#include "platform/framework/ImgList.h"

#include <cstdint>
#include <memory>

namespace lu {

enum TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
extern const framework::TEnumInfo ButtonLayoutInfo;

// 1 to 4 cells side by side in a glyph strip.
using TNumGlyphs = int;

// The push button with a glyph beside, above or below its caption: a strip of Glyph cells
// (normal, disabled) or an image of an image list; a standard Kind brings its own caption, glyph
// and modal result, and falls back to bkCustom as soon as one of them is changed by hand.
class TLuBitBtn : public TLuButton {
public:
    explicit TLuBitBtn(framework::TComponent* owner);
    ~TLuBitBtn() override;

    // Owned by the button; setting it copies the bitmap.
    framework::TBitmap* Glyph() const { return m_glyph.get(); }
    virtual void SetGlyph(const framework::TBitmap* value);
    TBitBtnKind Kind() const;
    virtual void SetKind(TBitBtnKind value);
    TButtonLayout Layout() const { return m_layout; }
    virtual void SetLayout(TButtonLayout value);
    // -1 centres glyph and caption together; values below -1 are ignored.
    int Margin() const { return m_margin; }
    virtual void SetMargin(int value);
    TNumGlyphs NumGlyphs() const { return m_numGlyphs; }
    // Raises the library's error for counts outside 1..4.
    virtual void SetNumGlyphs(TNumGlyphs value);
    int Spacing() const { return m_spacing; }
    virtual void SetSpacing(int value);
    // Not owned; the button lets go of a list that is destroyed.
    framework::TCustomImageList* Images() const { return m_images; }
    virtual void SetImages(framework::TCustomImageList* value);
    framework::TImageIndex ImageIndex() const { return m_imageIndex; }
    virtual void SetImageIndex(framework::TImageIndex value);
    framework::TImageIndex DisabledIndex() const { return m_disabledIndex; }
    virtual void SetDisabledIndex(framework::TImageIndex value);

    // What a kind brings is written to a form only while the button is of no kind.
    bool IsCustom() const { return Kind() == bkCustom; }
    bool IsCaptionStored() const;

    void Notification(framework::TComponent* component, framework::TOperation operation) override;
    void ChangeScale(int m, int d) override;

protected:
    // Width and height of the image or of one glyph cell.
    virtual framework::TPoint GetGlyphSize();
    virtual TRect GetGlyphRect();
    virtual void DrawImage(TRect r);
    virtual void DrawGlyph(TRect r);

    TRect GetCaptionRect() override;
    void PaintCaption() override;
    void ActionChange(framework::TObject* sender, bool checkDefaults) override;

private:
    bool ShowsImage() const;
    bool HasGlyph() const;
    // The caption's height and the centring offset of glyph and caption taken as one block.
    void MeasureBlock(const TRect& rect, const framework::TPoint& glyph, int& textHeight, int& blockTop);
    void GlyphChanged();
    void ImageListChanged(framework::TObject* sender);

    std::unique_ptr<framework::TBitmap> m_glyph;
    std::unique_ptr<framework::TChangeLink> m_imageChangeLink;
    mutable TBitBtnKind m_kind = bkCustom;
    TButtonLayout m_layout = blGlyphLeft;
    int m_margin = 2;
    TNumGlyphs m_numGlyphs = 1;
    int m_spacing = 4;
    framework::TCustomImageList* m_images = nullptr;
    framework::TImageIndex m_imageIndex = -1;
    framework::TImageIndex m_disabledIndex = -1;
    bool m_glyphReplaced = false;
};

} // namespace lu
