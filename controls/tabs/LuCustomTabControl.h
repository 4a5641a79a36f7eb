#pragma once

#include "controls/tabs/LuTabColors.h"
#include "controls/tabs/LuTabData.h"
#include "controls/tabs/LuTabRegionCache.h"
#include "controls/tabs/LuTabShape.h"
#include "controls/tabs/LuTabTypes.h"
#include "platform/framework/CustomControl.h"
#include "platform/framework/ImgList.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/rtl/StringList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lu {

class TLuTabScroller;
class TLuTabCloseButton;

using framework::TPoint;
using framework::TSize;

// The owner-drawn tab strip: rows of tabs along one edge of the control and a card (the page
// area) beside them. It publishes nothing itself; the page control publishes its properties
// (PublishTabControlProperties).
//
// Tabs are laid out once in strip coordinates, as if they stood on the top edge (TLuTabData's
// TabRect), and mapped into the control for the real orientation and sequence.
class TLuCustomTabControl : public framework::TCustomControl, public framework::IScriptTabs {
public:
    explicit TLuCustomTabControl(framework::TComponent* owner);
    ~TLuCustomTabControl() override;

    TLuTabDataList* Tabs() const { return m_tabs.get(); }

    // Published properties. Integer sizes drop negative values; "re-layout" below means
    // RequestLayout, "repaint" InvalidateTabs.
    bool AlignTabs() const { return m_alignTabs; }
    virtual void SetAlignTabs(bool value); // re-layout while MultiLine
    TColor BackgroundColor() const { return m_backgroundColor; }
    virtual void SetBackgroundColor(TColor value); // clears ParentBackgroundColor
    bool IsBackgroundColorStored() const { return !m_parentBackgroundColor; }
    bool BoldCurrentTab() const { return m_boldCurrentTab; }
    virtual void SetBoldCurrentTab(bool value);
    bool ShowCardFrame() const { return m_showCardFrame; }
    virtual void SetShowCardFrame(bool value);
    bool ShowFullFrame() const { return m_showFullFrame; }
    virtual void SetShowFullFrame(bool value); // off also clears ShowShadow
    bool ShowCloseButton() const { return m_showCloseButton; }
    virtual void SetShowCloseButton(bool value);
    bool UseColoredTabs() const { return m_useColoredTabs; }
    virtual void SetUseColoredTabs(bool value);
    int CutCornerSize() const { return m_cutCornerSize; }
    virtual void SetCutCornerSize(int value); // re-layout only for tsCutCorner
    TColor FlatColor() const { return m_flatColor; }
    virtual void SetFlatColor(TColor value);
    int FlatColorAdjustment() const { return m_flatColorAdjustment; }
    virtual void SetFlatColorAdjustment(int value);
    TLuImagePosition ImagePosition() const { return m_imagePosition; }
    virtual void SetImagePosition(TLuImagePosition value);
    TLuHorizontalAlignment ImageAlignment() const { return m_imageAlignment; }
    virtual void SetImageAlignment(TLuHorizontalAlignment value);
    int ImageMargin() const { return m_imageMargin; }
    virtual void SetImageMargin(int value);
    TLuVerticalAlignment ImageAlignmentVertical() const { return m_imageAlignmentVertical; }
    virtual void SetImageAlignmentVertical(TLuVerticalAlignment value);
    bool HotTrack() const { return m_hotTrack; }
    virtual void SetHotTrack(bool value);
    TColor HotTrackColor() const { return m_hotTrackColor; }
    virtual void SetHotTrackColor(TColor value);
    TLuHotTrackColorType HotTrackColorType() const { return m_hotTrackColorType; }
    virtual void SetHotTrackColorType(TLuHotTrackColorType value);
    TLuHotTrackStyle HotTrackStyle() const { return m_hotTrackStyle; }
    virtual void SetHotTrackStyle(TLuHotTrackStyle value);
    framework::TCustomImageList* Images() const { return m_images; }
    virtual void SetImages(framework::TCustomImageList* value);
    int Margin() const { return m_margin; }
    virtual void SetMargin(int value);
    bool MultiLine() const { return m_multiLine; }
    virtual void SetMultiLine(bool value);
    bool ParentBackgroundColor() const { return m_parentBackgroundColor; }
    virtual void SetParentBackgroundColor(bool value);
    int RowIndent() const { return m_rowIndent; }
    virtual void SetRowIndent(int value);
    int RowOverlap() const { return m_rowOverlap; }
    virtual void SetRowOverlap(int value);
    bool ShowFocusRect() const { return m_showFocusRect; }
    virtual void SetShowFocusRect(bool value);
    bool ShowShadow() const { return m_showShadow; }
    virtual void SetShowShadow(bool value); // on also sets ShowFullFrame
    TOrientation TextOrientation() const { return m_textOrientation; }
    virtual void SetTextOrientation(TOrientation value);
    TLuTabColors* TabColors() const { return m_tabColors.get(); }
    virtual void SetTabColors(const TLuTabColors* value);
    int TabHeight() const { return m_tabHeight; }
    virtual void SetTabHeight(int value);
    bool TabHints() const { return m_tabHints; }
    virtual void SetTabHints(bool value);
    int TabIndex() const { return m_tabIndex; }
    // Selects a tab: asks CanChange (unless ChangeApproved is set), scrolls or brings its row to
    // the front, and raises OnChange. An index outside the tabs clears the selection.
    virtual void SetTabIndex(int value);
    TLuTabOrientation TabOrientation() const { return m_tabOrientation; }
    virtual void SetTabOrientation(TLuTabOrientation value);
    TLuTabSequence TabSequence() const { return m_tabSequence; }
    virtual void SetTabSequence(TLuTabSequence value);
    TLuTabStyle TabStyle() const { return m_tabStyle; }
    virtual void SetTabStyle(TLuTabStyle value);
    int TabWidth() const { return m_tabWidth; }
    virtual void SetTabWidth(int value);
    TLuTextColors* TextColors() const { return m_textColors.get(); }
    virtual void SetTextColors(const TLuTextColors* value);
    TLuHorizontalAlignment TextAlignment() const { return m_textAlignment; }
    virtual void SetTextAlignment(TLuHorizontalAlignment value);
    TLuVerticalAlignment TextAlignmentVertical() const { return m_textAlignmentVertical; }
    virtual void SetTextAlignmentVertical(TLuVerticalAlignment value);
    bool UseGradients() const { return m_useGradients; }
    virtual void SetUseGradients(bool value);
    bool Transparent() const { return m_transparent; }
    virtual void SetTransparent(bool value);

    // The thickness of one row of tabs. Form resources hold it as FixedDimension, always written;
    // the layout replaces it.
    int FixedDimension() const { return m_fixedDimension; }
    void SetFixedDimension(int value) { m_fixedDimension = value; }
    int RowCount() const { return m_rowCount; }
    virtual void SetRowCount(int value);
    // False: the tabs fill the control and there is no card.
    bool ShowCard() const { return m_showCard; }
    virtual void SetShowCard(bool value);
    bool LayoutPending() const { return m_layoutPending; }
    virtual void SetLayoutPending(bool value);
    // -1 caches every region; 0, values below -1 and the value held are ignored.
    int RegionCacheCapacity() const { return m_regionCacheCapacity; }
    virtual void SetRegionCacheCapacity(int value);
    TLuTabRegionCache* RegionCache() const { return m_regionCache.get(); }
    // The font of the captions: a copy of Font.
    framework::TFont* TabFont() const { return m_tabFont.get(); }
    // The off-screen image every paint is drawn into; text is measured on it.
    framework::TBitmap* TabBuffer() const { return m_tabBuffer.get(); }
    // Set by callers that asked CanChange already, so that SetTabIndex does not ask again.
    bool ChangeApproved() const { return m_changeApproved; }
    void SetChangeApproved(bool value) { m_changeApproved = value; }
    bool HotRepaintOnly() const { return m_hotRepaintOnly; }
    // The rectangle last handed to the aligned children.
    const TRect& DisplayRect() const { return m_displayRect; }
    // The screen point of the last non-client hit test.
    TPoint NcHitPoint() const { return m_ncHitPoint; }

    // Repaints the whole control (and ends a hot-track-only repaint).
    virtual void InvalidateTabs();
    virtual void RequestLayout();
    // Overridden by the page control.
    virtual void HideAllTabs() {}
    virtual void ShowAllTabs() {}

    // Geometry. The bounds rectangle is (0, 0, W - 1, H - 1) of the client area.
    int GetRoundCornerExtra() const;
    int GetTabAreaThickness() const;
    TRect GetBoundsRect() const;
    TRect GetTabAreaRect() const;
    int GetTabStripLength() const;
    // (0, 0, 0, 0) when the row's card has no room.
    TRect GetCardRect(int row) const;
    TRect GetDisplayRect() const;
    int GetStripOffset() const;
    TPoint MapPoint(TPoint stripPoint) const;
    TRect MapRect(const TRect& stripRect) const;
    TRect GetTabRectInStrip(int index) const;
    TRect GetTabRect(int index) const;
    TLuTabShape GetTabShape(int index) const;
    TLuTabShape GetMappedTabShape(int index) const;
    // The tab's region from the cache, built and cached when missing; null for a shape of fewer
    // than three points. The cache owns it. Raises "Error creating region" when the device
    // refuses one.
    gdi::HRGN GetTabRegion(int index, const TRect& tabRect) const;
    // The tab under a client point, the current tab winning where tabs overlap; -1 for none.
    int TabAtPoint(int x, int y) const;
    int FirstVisibleTab() const;
    int LastVisibleTab() const;

    // Scrolling of a single row that does not fit.
    int FirstShownTab() const { return m_firstShownTab; }
    bool ScrollerNeeded() const { return m_scrollerNeeded; }
    // Visible and, while the tabs are scrolled, inside the shown part of the strip.
    bool IsTabFullyShown(int index) const;
    // Moves the first shown tab to show the next (or previous) tab that is cut off.
    void ScrollTabs(bool forward);

    // One more than the pixels by which neighbouring tabs of a row overlap (-1: they leave a gap of
    // two), for tabs of the given thickness.
    int SlantWidth(int length) const;
    // Layout: places every visible tab in strip coordinates and sets FixedDimension and RowCount.
    void LayoutTabs();
    // Run at the start of every paint: lays out when something changed since the last layout,
    // then keeps the scroll position, the selection and the aligned children valid.
    void LayoutIfPending();
    // The rectangle inside a tab (control coordinates) that holds its image and caption.
    TRect GetContentRect(const TRect& tabRect) const;
    // The size of one image of Images; empty for index -1 or without Images.
    TSize GetImageSize(int imageIndex) const;

    // The outline display list of the tab or card being drawn: codes 0 and 1 alone, codes 2 and
    // above followed by two integers.
    const std::vector<int>& Outline() const { return m_outline; }
    void AddOutlineOp(int op);
    void AddOutlinePoint(int op, TPoint point);
    void BuildTabOutline(int index);
    void BuildCardOutline(int row);
    bool PaintedOnce() const { return m_paintedOnce; }
    // Whether the up/right arrow scrolls toward the strip's end.
    bool UpRightScrollsForward() const;
    // Rotates the rows (multi-line only) so that the tab's row lies next to the card.
    void MoveSelectedRowToFront(int index);

    // Caption text: fonts in the buffer's context, and the size of a caption without its
    // accelerator marks (several lines separated by CR LF).
    void SelectTabFont() const;
    void RestoreTabFont() const;
    TSize MeasureText(const std::string& text, bool horizontal) const;

    // The scroll arrows and the close button.
    TLuTabScroller* Scroller() const { return m_scroller; }
    TLuTabCloseButton* CloseButton() const { return m_closeButton; }
    int GetScrollerButtonSize() const;
    int GetCloseButtonSize() const;
    // Run by the layout: whether the single row overflows its strip.
    void UpdateScrollerNeeded();
    void PlaceScroller();
    void PlaceCloseButton();

    // Whether the selection may move to the tab; asks OnChanging for another tab.
    bool CanChange(int index);
    void CloseTabRequest();

    // Hot tracking: the tab under the mouse, and the 60 ms window timer that notices when the
    // mouse left without another move.
    int HotTab() const { return m_hotTab; }
    std::uintptr_t HotTimer() const { return m_hotTimer; }
    const std::string& SavedHint() const { return m_savedHint; }
    void LeaveHotTab();
    void StopHotTimer();

    bool ScriptTabRect(const std::string& caption, TRect& rect) const override;

    void Loaded() override;
    void Notification(framework::TComponent* component, framework::TOperation operation) override;
    void DefineProperties(framework::TFiler& filer) override;
    void WndProc(framework::TMessage& message) override;

    framework::TNotifyEvent OnChange;
    TLuTabChangingEvent OnChanging;
    TLuTabCloseEvent OnClose;
    TLuGetTextColorEvent OnGetTextColor;
    TLuPaintBackgroundEvent OnPaintBackground;
    TLuPaintCardBackgroundEvent OnPaintCardBackground;
    TLuPaintTabBackgroundEvent OnPaintTabBackground;
    framework::TNotifyEvent OnTabClick;

protected:
    // The events, each raised only when a handler is assigned.
    virtual void Change();
    virtual void DoChanging(int newIndex, bool& allowChange);
    virtual void DoGetTextColor(int tabIndex, TLuTextStyle style, TColor& color, bool& handled);
    virtual void DoTabClick();
    virtual void DoPaintBackground(TCanvas* canvas, const TRect& rect, bool& handled);
    virtual void DoPaintCardBackground(TCanvas* canvas, int row, const TRect& rect, bool& handled);
    virtual void DoPaintTabBackground(TCanvas* canvas, int tabIndex, const TRect& rect, bool& handled);
    // Without a handler nothing may close.
    virtual bool DoClose();

    // The painting pass, drawn into TabBuffer and copied to the screen at once.
    void Paint() override;
    void PaintTabs();
    void PaintTab(int index);
    void PaintTabBackground(int index, const TRect& rect);
    void PaintTabContents(int index, const TRect& rect);
    void DrawCaption(TColor color, int offset);
    void DrawAcceleratedText(int x, int y, const std::string& text, TCanvas* canvas, bool horizontal,
                             TColor color);
    void DrawHighlightBar(bool hot);
    void PaintCard(int row);
    void PaintTabOutline(int index);
    void PaintCardOutline(int row);
    void RenderOutline();

    void KeyDown(std::uint16_t& key, framework::TShiftState shift) override;
    void CMDialogChar(framework::TMessage& message) override;
    void CMColorChanged(framework::TMessage& message) override;
    // The page control frees its active page here.
    virtual void CloseActiveTab() {}

    void CreateParams(framework::TCreateParams& params) override;
    void DestroyWindowHandle() override;
    void AlignControls(framework::TControl* control, TRect& rect) override;
    void MouseDown(framework::TMouseButton button, framework::TShiftState shift, int x, int y) override;
    void MouseMove(framework::TShiftState shift, int x, int y) override;
    void CMFontChanged(framework::TMessage& message) override;
    void CMParentColorChanged(framework::TMessage& message) override;

    void CreateScroller();
    void CreateCloseButton();

    bool Designing() const { return ComponentState().Contains(framework::csDesigning); }
    bool LoadingOrReading() const;

private:
    TColor ChildFrameColor() const;
    // Where a child of the given size stands at the strip's end (its start with tsReverse), the
    // inset from that end outside it.
    TPoint ChildPosition(int width, int height, int inset) const;
    void UpdateChildFrameColors();
    bool TabIsHit(int index, TPoint point) const;
    // Strip coordinates of the offset from which a scrolled strip is shown.
    int ScrollOffset() const;
    // Hot tracking steps of MouseMove.
    void EnterHotTab(int index);
    void LeaveTabsAt(TPoint point);
    void InvalidateTabArea();
    void StartHotTimer();
    void WMTimer(framework::TMessage& message);
    void CMDesignHitTest(framework::TMessage& message);
    // HotTrack and TabHints are both off: no tab stays hot.
    void EndHotTracking();
    // Tab hints stand in for the control's own Hint, which is kept aside until they end.
    void ReplaceHint(const std::string& hint);
    void RestoreHint();
    // Bumps the first shown tab until the selected one is fully shown; true when it moved.
    bool ScrollSelectedIntoView();

    // Layout steps.
    TSize MeasureCaption(const std::string& caption) const;
    TSize GetMinTextSize() const;
    TSize MeasureTabContent(int index) const;
    TSize GetTabOuterSize(TSize content) const;
    void ComputeFixedDimension();
    int GetLayoutTabExtent(int index, int available) const;
    void CountRows();
    void PlaceTabs();
    // The smallest Left of the visible tabs (0 without any).
    int LeftmostTabLeft() const;
    // The length a row needs beyond its tabs: a round-corner row is mapped 2 pixels along from the
    // strip's start and its current tab stands out 2 pixels at either end.
    int RowEndsRoom() const;
    void JustifyRows();
    void KeepFirstShownTab(int old);
    void ValidateSelection();
    // Painting steps.
    // Restores the buffer's drawing state to a level SaveDC gave; a restore that fails leaves the
    // level to the next paint.
    bool RestoreBufferTo(int level) const;
    void RestoreStrandedLevel();
    void FillSolid(const TRect& rect, TColor color);
    void DrawTabImage(const TLuTabData& tab, TRect imageRect, TSize imageSize);
    TColor CaptionColor(int index, bool& disabled);
    void DrawFocusRectangle(TRect textRect);
    void BuildFramedCardOutline(const TRect& card, TPoint g1, TPoint g2);
    void BuildRoundCardOutline(const TRect& card, TPoint g1, TPoint g2);
    void BuildPlainCardOutline(const TRect& card);
    void BuildCardShadow(const TRect& card);
    // Selects a tab that CanChange has approved already.
    void SetApprovedTabIndex(int index);
    // Keyboard: the next tab from the current one that may be selected.
    int KeyTarget(std::uint16_t key);

    std::unique_ptr<framework::TBitmap> m_tabBuffer;
    bool m_layoutPending = false;
    mutable rtl::TStringList m_measureLines;
    rtl::TStringList m_captionLines;
    std::vector<int> m_outline;
    // The tab being painted, and its text rectangle.
    int m_paintIndex = -1;
    TRect m_textRect{};
    // The largest content size of the visible tabs, found by the layout.
    TSize m_largestContent{};
    bool m_changeApproved = false;
    bool m_paintedOnce = false;
    int m_firstShownTab = 0;
    int m_fixedDimension = 0;
    // A caption font selected into the buffer, and the level SaveDC gave the state before it.
    struct TSelectedFont {
        gdi::HFONT font;
        int savedLevel;
    };
    mutable std::vector<TSelectedFont> m_fontStack;
    // The level of a drawing state that a failed restore left on the buffer (0: none); the next
    // paint goes back to it first, so that no later paint is drawn in that state.
    mutable int m_strandedLevel = 0;
    int m_hotTab = -1;
    std::string m_savedHint;
    bool m_hintReplaced = false;
    TRect m_displayRect{};
    TPoint m_ncHitPoint{};
    int m_rowCount = 1;
    TLuTabScroller* m_scroller = nullptr;
    bool m_scrollerNeeded = false;
    std::unique_ptr<TLuTabDataList> m_tabs;
    std::unique_ptr<TLuTabRegionCache> m_regionCache;
    int m_regionCacheCapacity = 1;
    TLuTabCloseButton* m_closeButton = nullptr;
    bool m_showCloseButton = false;
    std::unique_ptr<framework::TFont> m_tabFont;
    std::uintptr_t m_hotTimer = 0;
    bool m_alignTabs = false;
    TColor m_backgroundColor = gdi::clBtnFace;
    bool m_boldCurrentTab = false;
    bool m_showCard = true;
    bool m_showCardFrame = true;
    bool m_showFullFrame = true;
    bool m_useColoredTabs = false;
    int m_cutCornerSize = 6;
    TColor m_flatColor = gdi::clBtnShadow;
    int m_flatColorAdjustment = 0;
    TLuImagePosition m_imagePosition = ipLeft;
    TLuHorizontalAlignment m_imageAlignment = haCenter;
    int m_imageMargin = 2;
    TLuVerticalAlignment m_imageAlignmentVertical = vaCenter;
    TColor m_hotTrackColor = gdi::clHighlight;
    TLuHotTrackColorType m_hotTrackColorType = htctComplement;
    bool m_hotTrack = true;
    TLuHotTrackStyle m_hotTrackStyle = htsTab;
    bool m_hotRepaintOnly = false;
    framework::TCustomImageList* m_images = nullptr;
    std::unique_ptr<framework::TChangeLink> m_imagesLink;
    int m_margin = 0;
    bool m_multiLine = false;
    bool m_parentBackgroundColor = true;
    int m_rowIndent = 5;
    int m_rowOverlap = 5;
    TOrientation m_textOrientation = orHorizontal;
    int m_tabHeight = 0;
    bool m_tabHints = false;
    int m_tabIndex = -1;
    int m_initialTabIndex = 0;
    TLuTabOrientation m_tabOrientation = toTop;
    TLuTabSequence m_tabSequence = tsStandard;
    TLuTabStyle m_tabStyle = tsSingleSlant;
    int m_tabWidth = 0;
    std::unique_ptr<TLuTabColors> m_tabColors;
    std::unique_ptr<TLuTextColors> m_textColors;
    TLuHorizontalAlignment m_textAlignment = haCenter;
    TLuVerticalAlignment m_textAlignmentVertical = vaCenter;
    bool m_showShadow = true;
    bool m_useGradients = true;
    bool m_transparent = false;
    bool m_showFocusRect = true;
};

} // namespace lu
