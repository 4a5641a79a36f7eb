// The tab control's data: construction, properties, streaming, events and lifecycle.
#include "controls/tabs/LuCustomTabControl.h"

#include "controls/common/LuColorMath.h"
#include "controls/common/LuFonts.h"
#include "controls/tabs/LuTabCloseButton.h"
#include "controls/tabs/LuTabScroller.h"
#include "platform/framework/Filer.h"
#include "platform/framework/TypInfo.h"

namespace lu {

using framework::TControlStyle;

TLuCustomTabControl::TLuCustomTabControl(framework::TComponent* owner)
    : TCustomControl(owner), m_tabBuffer(std::make_unique<framework::TBitmap>()),
      m_tabs(std::make_unique<TLuTabDataList>()), m_regionCache(std::make_unique<TLuTabRegionCache>()),
      m_tabFont(std::make_unique<framework::TFont>()),
      m_imagesLink(std::make_unique<framework::TChangeLink>()),
      m_tabColors(std::make_unique<TLuTabColors>(this)), m_textColors(std::make_unique<TLuTextColors>(this)) {
    SetInitialSize(300, 100);
    SetInitialColor(gdi::clBtnFace);
    SetControlStyle(TControlStyle{framework::csAcceptsControls, framework::csCaptureMouse,
                                  framework::csClickEvents, framework::csDoubleClicks});
    m_tabBuffer->SetSize(Width(), Height());
    m_tabFont->Assign(Font());
    SetTabStop(true);
    m_imagesLink->OnChange = [this](framework::TObject*) { InvalidateTabs(); };
    m_regionCache->SetCapacity(m_regionCacheCapacity);
    SetLayoutPending(true);
}

TLuCustomTabControl::~TLuCustomTabControl() {
    StopHotTimer();
    for (const TSelectedFont& selected : m_fontStack)
        gdi::DeleteObject(selected.font);
}

void TLuCustomTabControl::DestroyWindowHandle() {
    // The window's timers go with it.
    StopHotTimer();
    TCustomControl::DestroyWindowHandle();
}

void TLuCustomTabControl::CreateParams(framework::TCreateParams& params) {
    TCustomControl::CreateParams(params);
    // The paint covers the whole control from the buffer, so a resize need not repaint it all.
    params.WindowClassStyle &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
}

bool TLuCustomTabControl::LoadingOrReading() const {
    return ComponentState().Contains(framework::csLoading) || ComponentState().Contains(framework::csReading);
}

void TLuCustomTabControl::Loaded() {
    TCustomControl::Loaded();
    m_savedHint = Hint();
    SetLayoutPending(true);
    if (m_tabIndex != m_initialTabIndex)
        m_tabIndex = m_initialTabIndex;
    if (m_textOrientation == orVertical && !FontIsTrueType(Font()))
        Font()->SetName("Verdana");
    SetTabIndex(m_tabIndex);
}

void TLuCustomTabControl::Notification(framework::TComponent* component, framework::TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == framework::opRemove && component != nullptr && component == m_images)
        SetImages(nullptr);
}

void TLuCustomTabControl::DefineProperties(framework::TFiler& filer) {
    TCustomControl::DefineProperties(filer);
    filer.DefineProperty(
        "FixedDimension",
        [this](framework::TReader& reader) { m_fixedDimension = int(reader.ReadInteger()); },
        [this](framework::TWriter& writer) { writer.WriteInteger(m_fixedDimension); }, true);
}

void TLuCustomTabControl::CMFontChanged(framework::TMessage& message) {
    m_tabFont->Assign(Font());
    RequestLayout();
    TCustomControl::CMFontChanged(message);
}

void TLuCustomTabControl::CMParentColorChanged(framework::TMessage& message) {
    TCustomControl::CMParentColorChanged(message);
    if (m_parentBackgroundColor && Parent() != nullptr) {
        SetBackgroundColor(Parent()->Color());
        m_parentBackgroundColor = true;
    }
}

void TLuCustomTabControl::AlignControls(framework::TControl* control, TRect& rect) {
    PlaceCloseButton();
    PlaceScroller();
    rect = GetDisplayRect();
    m_displayRect = rect;
    TCustomControl::AlignControls(control, rect);
}

// Events.

void TLuCustomTabControl::Change() {
    if (OnChange)
        OnChange(this);
}

void TLuCustomTabControl::DoChanging(int newIndex, bool& allowChange) {
    if (OnChanging)
        OnChanging(this, newIndex, allowChange);
}

void TLuCustomTabControl::DoGetTextColor(int tabIndex, TLuTextStyle style, TColor& color, bool& handled) {
    if (OnGetTextColor)
        OnGetTextColor(this, tabIndex, style, color, handled);
}

void TLuCustomTabControl::DoTabClick() {
    if (OnTabClick)
        OnTabClick(this);
}

void TLuCustomTabControl::DoPaintBackground(TCanvas* canvas, const TRect& rect, bool& handled) {
    if (OnPaintBackground)
        OnPaintBackground(this, canvas, rect, handled);
}

void TLuCustomTabControl::DoPaintCardBackground(TCanvas* canvas, int row, const TRect& rect, bool& handled) {
    if (OnPaintCardBackground)
        OnPaintCardBackground(this, canvas, row, rect, handled);
}

void TLuCustomTabControl::DoPaintTabBackground(TCanvas* canvas, int tabIndex, const TRect& rect,
                                               bool& handled) {
    if (OnPaintTabBackground)
        OnPaintTabBackground(this, canvas, tabIndex, rect, handled);
}

bool TLuCustomTabControl::DoClose() {
    bool allowClose = false;
    if (OnClose)
        OnClose(this, allowClose);
    return allowClose;
}

void TLuCustomTabControl::CloseTabRequest() {
    if (m_tabIndex != -1 && DoClose())
        CloseActiveTab();
}

// Repaint and layout requests.

void TLuCustomTabControl::InvalidateTabs() {
    m_hotRepaintOnly = false;
    Invalidate();
}

void TLuCustomTabControl::RequestLayout() {
    SetLayoutPending(true);
}

void TLuCustomTabControl::SetLayoutPending(bool value) {
    if (value == m_layoutPending)
        return;
    m_layoutPending = value;
    if (value)
        InvalidateTabs();
}

void TLuCustomTabControl::SetShowCard(bool value) {
    if (value == m_showCard)
        return;
    m_showCard = value;
    RequestLayout();
}

void TLuCustomTabControl::SetRowCount(int value) {
    m_rowCount = value;
}

void TLuCustomTabControl::SetRegionCacheCapacity(int value) {
    if (value == m_regionCacheCapacity || (value != TLuTabRegionCache::Unlimited && value < 1))
        return;
    m_regionCacheCapacity = value;
    m_regionCache->SetCapacity(value);
}

// Property setters: compare, store, then re-layout or repaint.

namespace {

// Stores a changed value; answers whether it changed.
template <class T> bool Store(T& field, T value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

// As Store, for integer sizes, which drop negative values.
bool StoreSize(int& field, int value) {
    return value >= 0 && Store(field, value);
}

} // namespace

void TLuCustomTabControl::SetAlignTabs(bool value) {
    if (Store(m_alignTabs, value) && m_multiLine)
        RequestLayout();
}

void TLuCustomTabControl::SetBackgroundColor(TColor value) {
    if (!Store(m_backgroundColor, value))
        return;
    m_parentBackgroundColor = false;
    InvalidateTabs();
}

void TLuCustomTabControl::SetBoldCurrentTab(bool value) {
    if (Store(m_boldCurrentTab, value))
        RequestLayout();
}

void TLuCustomTabControl::SetShowCardFrame(bool value) {
    if (Store(m_showCardFrame, value))
        RequestLayout();
}

void TLuCustomTabControl::SetShowFullFrame(bool value) {
    if (!Store(m_showFullFrame, value))
        return;
    if (!value)
        m_showShadow = false;
    RequestLayout();
}

void TLuCustomTabControl::SetShowCloseButton(bool value) {
    if (!Store(m_showCloseButton, value))
        return;
    if (value && m_closeButton == nullptr)
        CreateCloseButton();
    if (m_closeButton != nullptr)
        m_closeButton->SetVisible(value);
    RequestLayout();
    InvalidateTabs();
}

void TLuCustomTabControl::SetUseColoredTabs(bool value) {
    if (Store(m_useColoredTabs, value))
        InvalidateTabs();
}

void TLuCustomTabControl::SetCutCornerSize(int value) {
    if (StoreSize(m_cutCornerSize, value) && m_tabStyle == tsCutCorner)
        RequestLayout();
}

void TLuCustomTabControl::SetFlatColor(TColor value) {
    if (!Store(m_flatColor, value))
        return;
    UpdateChildFrameColors();
    InvalidateTabs();
}

void TLuCustomTabControl::SetFlatColorAdjustment(int value) {
    if (!Store(m_flatColorAdjustment, value))
        return;
    UpdateChildFrameColors();
    InvalidateTabs();
}

void TLuCustomTabControl::SetImagePosition(TLuImagePosition value) {
    if (Store(m_imagePosition, value))
        RequestLayout();
}

void TLuCustomTabControl::SetImageAlignment(TLuHorizontalAlignment value) {
    if (Store(m_imageAlignment, value))
        RequestLayout();
}

void TLuCustomTabControl::SetImageMargin(int value) {
    if (StoreSize(m_imageMargin, value))
        RequestLayout();
}

void TLuCustomTabControl::SetImageAlignmentVertical(TLuVerticalAlignment value) {
    if (Store(m_imageAlignmentVertical, value))
        RequestLayout();
}

void TLuCustomTabControl::SetHotTrack(bool value) {
    if (Store(m_hotTrack, value) && !value && !m_tabHints)
        EndHotTracking();
}

void TLuCustomTabControl::SetHotTrackColor(TColor value) {
    if (Store(m_hotTrackColor, value))
        InvalidateTabs();
}

void TLuCustomTabControl::SetHotTrackColorType(TLuHotTrackColorType value) {
    if (Store(m_hotTrackColorType, value))
        InvalidateTabs();
}

void TLuCustomTabControl::SetHotTrackStyle(TLuHotTrackStyle value) {
    if (Store(m_hotTrackStyle, value))
        InvalidateTabs();
}

void TLuCustomTabControl::SetImages(framework::TCustomImageList* value) {
    if (value == m_images)
        return;
    // A list being freed has let go of the link already.
    if (framework::TCustomImageList* old = m_imagesLink->Sender())
        old->UnRegisterChanges(m_imagesLink.get());
    m_images = value;
    if (m_images != nullptr) {
        m_images->RegisterChanges(m_imagesLink.get());
        m_images->FreeNotification(this);
    }
    RequestLayout();
}

void TLuCustomTabControl::SetMargin(int value) {
    if (StoreSize(m_margin, value))
        RequestLayout();
}

void TLuCustomTabControl::SetMultiLine(bool value) {
    if (Store(m_multiLine, value))
        RequestLayout();
}

void TLuCustomTabControl::SetParentBackgroundColor(bool value) {
    if (Store(m_parentBackgroundColor, value) && Parent() != nullptr)
        Perform(win::CM_PARENTCOLORCHANGED, 0, 0);
}

void TLuCustomTabControl::SetRowIndent(int value) {
    if (StoreSize(m_rowIndent, value))
        RequestLayout();
}

void TLuCustomTabControl::SetRowOverlap(int value) {
    if (StoreSize(m_rowOverlap, value))
        RequestLayout();
}

void TLuCustomTabControl::SetShowFocusRect(bool value) {
    if (Store(m_showFocusRect, value))
        Invalidate();
}

void TLuCustomTabControl::SetShowShadow(bool value) {
    if (!Store(m_showShadow, value))
        return;
    if (value)
        m_showFullFrame = true;
    RequestLayout();
    InvalidateTabs();
}

void TLuCustomTabControl::SetTextOrientation(TOrientation value) {
    if (!Store(m_textOrientation, value))
        return;
    // Only an outline font turns; a raster face would lie flat on its side.
    if (!ComponentState().Contains(framework::csLoading) && !FontIsTrueType(Font()))
        Font()->SetName("Verdana");
    RequestLayout();
}

void TLuCustomTabControl::SetTabColors(const TLuTabColors* value) {
    m_tabColors->Assign(value);
}

void TLuCustomTabControl::SetTabHeight(int value) {
    if (StoreSize(m_tabHeight, value))
        RequestLayout();
}

void TLuCustomTabControl::SetTabHints(bool value) {
    if (Store(m_tabHints, value) && !value && !m_hotTrack)
        EndHotTracking();
}

void TLuCustomTabControl::SetTabOrientation(TLuTabOrientation value) {
    if (Store(m_tabOrientation, value) && !LoadingOrReading())
        RequestLayout();
}

void TLuCustomTabControl::SetTabSequence(TLuTabSequence value) {
    if (Store(m_tabSequence, value))
        RequestLayout();
}

void TLuCustomTabControl::SetTabStyle(TLuTabStyle value) {
    if (Store(m_tabStyle, value))
        RequestLayout();
}

void TLuCustomTabControl::SetTabWidth(int value) {
    if (StoreSize(m_tabWidth, value))
        RequestLayout();
}

void TLuCustomTabControl::SetTextColors(const TLuTextColors* value) {
    m_textColors->Assign(value);
}

void TLuCustomTabControl::SetTextAlignment(TLuHorizontalAlignment value) {
    if (Store(m_textAlignment, value))
        RequestLayout();
}

void TLuCustomTabControl::SetTextAlignmentVertical(TLuVerticalAlignment value) {
    if (Store(m_textAlignmentVertical, value))
        RequestLayout();
}

void TLuCustomTabControl::SetUseGradients(bool value) {
    if (Store(m_useGradients, value))
        InvalidateTabs();
}

void TLuCustomTabControl::SetTransparent(bool value) {
    if (Store(m_transparent, value))
        InvalidateTabs();
}

namespace {

// The control publishes nothing itself, but a form must know the TabStop it starts with.
[[maybe_unused]] const auto registerCustomTabControl =
    framework::RegisterClass<TLuCustomTabControl, framework::TCustomControl>("TLuCustomTabControl")
        .Boolean("TabStop", &TLuCustomTabControl::TabStop, &TLuCustomTabControl::SetTabStop, true);

} // namespace

} // namespace lu
