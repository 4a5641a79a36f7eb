#include "controls/tabs/LuTabSheet.h"

#include "controls/tabs/LuPageControl.h"
#include "controls/tabs/LuTabData.h"
#include "controls/tabs/LuTabResStrings.h"
#include "platform/framework/Filer.h"
#include "platform/framework/TypInfo.h"

namespace lu {

TLuTabSheet::TLuTabSheet(framework::TComponent* owner) : TCustomControl(owner) {
    // Also the colour the writer leaves out.
    SetInitialColor(gdi::clBtnFace);
    SetShown(false);
    SetControlStyle(ControlStyle() + framework::TControlStyle{framework::csAcceptsControls, framework::csOpaque,
                                                              framework::csNoDesignVisible});
    SetAlign(framework::alClient);
}

TLuTabSheet::~TLuTabSheet() {
    // The page control lets go of the page (and picks no other) before the page goes.
    if (m_pageControl != nullptr)
        m_pageControl->RemovePage(this);
}

void TLuTabSheet::CreateParams(framework::TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.WindowClassStyle &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
}

void TLuTabSheet::SetShown(bool shown) {
    TCustomControl::SetVisible(shown);
}

void TLuTabSheet::SetVisible(bool) {
    framework::RaiseResString(SCannotChangePageVisible);
}

void TLuTabSheet::RequestPageLayout() {
    if (m_pageControl != nullptr)
        m_pageControl->RequestLayout();
}

void TLuTabSheet::SetColor(TColor value) {
    if (value == Color())
        return;
    if (m_pageControl != nullptr && !m_pageControl->UseColoredTabs() && value != m_pageControl->Color())
        m_pageControl->SetUseColoredTabs(true);
    TCustomControl::SetColor(value);
    RequestPageLayout();
}

void TLuTabSheet::SetDisabledIndex(int value) {
    if (value == m_disabledIndex)
        return;
    m_disabledIndex = value;
    RequestPageLayout();
}

void TLuTabSheet::SetImageIndex(int value) {
    if (value == m_imageIndex)
        return;
    m_imageIndex = value;
    RequestPageLayout();
}

void TLuTabSheet::SetTabEnabled(bool value) {
    if (value == m_tabEnabled)
        return;
    m_tabEnabled = value;
    RequestPageLayout();
}

void TLuTabSheet::SetTabVisible(bool value) {
    if (value == m_tabVisible)
        return;
    m_tabVisible = value;
    RequestPageLayout();
}

void TLuTabSheet::SetPageControl(TLuPageControl* value) {
    if (value == m_pageControl)
        return;
    if (m_pageControl != nullptr)
        m_pageControl->RemovePage(this);
    SetParent(value);
    if (value != nullptr)
        value->InsertPage(this);
}

int TLuTabSheet::GetPageIndex() const {
    return m_pageControl != nullptr ? m_pageControl->PagePosition(this) : -1;
}

void TLuTabSheet::SetPageIndex(int value) {
    if (m_pageControl == nullptr)
        return;
    const int last = m_pageControl->GetPageCount() - 1;
    if (value > last)
        framework::RaiseResString(SPageIndexError, value, last);
    m_pageControl->MovePage(this, value);
}

int TLuTabSheet::GetTabIndex() const {
    if (!m_tabVisible)
        return -1;
    if (m_pageControl == nullptr)
        return 0;
    int index = 0;
    for (int i = 0; i < m_pageControl->GetPageCount(); ++i) {
        const TLuTabSheet* page = m_pageControl->GetPage(i);
        if (page == this)
            break;
        if (page->m_tabVisible)
            ++index;
    }
    return index;
}

void TLuTabSheet::AssignTo(framework::TPersistent* dest) const {
    auto* tab = dynamic_cast<TLuTabData*>(dest);
    if (tab == nullptr) {
        TCustomControl::AssignTo(dest);
        return;
    }
    tab->SetCaption(Caption());
    tab->SetColor(Color());
    tab->SetEnabled(m_tabEnabled);
    tab->SetVisible(m_tabVisible);
    tab->SetHint(Hint());
    tab->SetImageIndex(m_imageIndex);
    tab->SetDisabledIndex(m_disabledIndex);
}

void TLuTabSheet::ReadState(framework::TReader& reader) {
    TCustomControl::ReadState(reader);
    // Pages read from a form join their page control in the order they were written.
    if (auto* pageControl = dynamic_cast<TLuPageControl*>(reader.Parent()))
        SetPageControl(pageControl);
}

void TLuTabSheet::Paint() {
    bool handled = false;
    const TRect r{0, 0, Width(), Height()};
    if (OnPaintBackground)
        OnPaintBackground(this, Canvas(), r, handled);
    if (handled)
        return;
    Canvas()->Brush()->SetColor(Color());
    Canvas()->Brush()->SetStyle(framework::bsSolid);
    Canvas()->FillRect(r);
}

void TLuTabSheet::WndProc(framework::TMessage& message) {
    if (message.Msg == win::WM_ERASEBKGND) {
        message.Result = 1;
        return;
    }
    TCustomControl::WndProc(message);
}

void TLuTabSheet::CMTextChanged(framework::TMessage& message) {
    TCustomControl::CMTextChanged(message);
    RequestPageLayout();
}

namespace {

bool Never(const TLuTabSheet&) {
    return false;
}

template <class V> void Drop(TLuTabSheet&, V) {}

// A page always fills its page control's display rectangle and takes its tab order from the page
// list, so its place, size, alignment and tab order are never written, and the alignment, anchors
// and tab order a form holds for it are read and dropped.
[[maybe_unused]] const auto registerTabSheet =
    framework::RegisterClass<TLuTabSheet, framework::TCustomControl>("TLuTabSheet")
        .Integer("Left", &TLuTabSheet::Left, &TLuTabSheet::SetLeft)
        .Stored(&Never)
        .Integer("Top", &TLuTabSheet::Top, &TLuTabSheet::SetTop)
        .Stored(&Never)
        .Integer("Width", &TLuTabSheet::Width, &TLuTabSheet::SetWidth)
        .Stored(&Never)
        .Integer("Height", &TLuTabSheet::Height, &TLuTabSheet::SetHeight)
        .Stored(&Never)
        .Enum("Align", &TLuTabSheet::Align, &Drop<framework::TAlign>, framework::AlignInfo)
        .Stored(&Never)
        .Set("Anchors", &TLuTabSheet::Anchors, &Drop<framework::TAnchors>, framework::AnchorKindInfo)
        .Stored(&Never)
        .Integer("TabOrder", &TLuTabSheet::TabOrder, &Drop<int>)
        .Stored(&Never)
        .Integer("DisabledIndex", &TLuTabSheet::DisabledIndex, &TLuTabSheet::SetDisabledIndex, -1)
        .Integer("ImageIndex", &TLuTabSheet::ImageIndex, &TLuTabSheet::SetImageIndex, -1)
        .Integer("PageIndex", &TLuTabSheet::PageIndex, &TLuTabSheet::SetPageIndex)
        .Stored(&TLuTabSheet::IsPageIndexStored)
        .Boolean("TabEnabled", &TLuTabSheet::TabEnabled, &TLuTabSheet::SetTabEnabled, true)
        .Boolean("TabVisible", &TLuTabSheet::TabVisible, &TLuTabSheet::SetTabVisible, true)
        .Event("OnPaintBackground", &TLuTabSheet::OnPaintBackground);

} // namespace

} // namespace lu
