#pragma once

#include "controls/panel/LuCustomPanel.h"

namespace lu {

enum TLuGroupBoxStyle : std::uint8_t { gsStandard, gsCustom, gsTopLine, gsFlat };
extern const framework::TEnumInfo GroupBoxStyleInfo;

// A panel whose frame runs half a text line below its top, with the caption set into the frame:
// an etched or bordered frame (gsStandard), the panel's own look (gsCustom), a line along the top
// (gsTopLine) or a flat frame with cut corners (gsFlat); themed where the visual style allows.
class TLuCustomGroupBox : public TLuCustomPanel {
public:
    explicit TLuCustomGroupBox(framework::TComponent* owner);

    TLuGroupBoxStyle GroupStyle() const { return m_groupStyle; }
    // The custom and top-line styles turn ThemeAware off; nothing turns it back on.
    virtual void SetGroupStyle(TLuGroupBoxStyle value);

protected:
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;
    void CMDialogChar(framework::TMessage& message) override;
    void CMFontChanged(framework::TMessage& message) override;

private:
    TRect CaptionRect(TCanvas* canvas) const;
    void PaintThemed(TCanvas* canvas, const TRect& captionRect, int frameTop);
    void PaintFrame(TCanvas* canvas, const TRect& frame);
    void PaintCaption(TCanvas* canvas, const TRect& captionRect);

    TLuGroupBoxStyle m_groupStyle = gsFlat;
};

class TLuGroupBox : public TLuCustomGroupBox {
public:
    using TLuCustomGroupBox::TLuCustomGroupBox;
};

} // namespace lu
