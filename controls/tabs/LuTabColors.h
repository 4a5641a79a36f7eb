#pragma once

#include "controls/common/LuColorMath.h"
#include "platform/framework/Classes.h"

// The two colour sets of a tab control, streamed as its sub-objects TabColors and TextColors.
// A changed colour repaints the tabs.
namespace lu {

class TLuCustomTabControl;

class TLuTabColors : public framework::TPersistent {
public:
    explicit TLuTabColors(TLuCustomTabControl* tabControl) : m_tabControl(tabControl) {}

    // The bar on the current tab's outer edge while hot tracking marks the tab.
    TColor HighlightBar() const { return m_highlightBar; }
    virtual void SetHighlightBar(TColor color);
    // The far colour of an unselected tab's gradient.
    TColor Shadow() const { return m_shadow; }
    virtual void SetShadow(TColor color);
    // The fill of unselected tabs.
    TColor Unselected() const { return m_unselected; }
    virtual void SetUnselected(TColor color);

    void Assign(const framework::TPersistent* source) override;

private:
    TLuCustomTabControl* m_tabControl;
    TColor m_highlightBar = gdi::clHighlight;
    TColor m_shadow = gdi::clBtnFace;
    TColor m_unselected = gdi::clWindow;
};

class TLuTextColors : public framework::TPersistent {
public:
    explicit TLuTextColors(TLuCustomTabControl* tabControl) : m_tabControl(tabControl) {}

    // A disabled caption is drawn twice: in the highlight colour one pixel right and down, then in
    // the shadow colour in place.
    TColor DisabledHighlight() const { return m_disabledHighlight; }
    virtual void SetDisabledHighlight(TColor color);
    TColor DisabledShadow() const { return m_disabledShadow; }
    virtual void SetDisabledShadow(TColor color);
    TColor Selected() const { return m_selected; }
    virtual void SetSelected(TColor color);
    TColor Unselected() const { return m_unselected; }
    virtual void SetUnselected(TColor color);

    void Assign(const framework::TPersistent* source) override;

private:
    TLuCustomTabControl* m_tabControl;
    TColor m_disabledHighlight = gdi::clBtnHighlight;
    TColor m_disabledShadow = gdi::clBtnShadow;
    TColor m_selected = gdi::clBtnText;
    TColor m_unselected = gdi::clBtnText;
};

} // namespace lu
