#include "controls/tabs/LuPageControl.h"

#include "controls/tabs/LuTabControlProperties.h"
#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"
#include "platform/framework/TypInfo.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <string>

namespace lu {

TLuPageControl::TLuPageControl(framework::TComponent* owner) : TLuCustomTabControl(owner) {
    framework::TControlStyle style = ControlStyle();
    style.Exclude(framework::csAcceptsControls);
    style.Include(framework::csOpaque);
    SetControlStyle(style);
    SetInitialSize(Width(), 150);
    SetUseColoredTabs(false);
}

TLuPageControl::~TLuPageControl() {
    // The pages go later, as child controls; they must not call back.
    for (TLuTabSheet* page : m_pages)
        page->m_pageControl = nullptr;
    m_pages.clear();
}

void TLuPageControl::CreateParams(framework::TCreateParams& params) {
    TLuCustomTabControl::CreateParams(params);
    params.Style |= win::WS_CLIPCHILDREN;
}

TLuTabSheet* TLuPageControl::GetPage(int index) const {
    if (index < 0 || index >= GetPageCount())
        throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return m_pages[static_cast<std::size_t>(index)];
}

int TLuPageControl::PagePosition(const TLuTabSheet* page) const {
    const auto it = std::find(m_pages.begin(), m_pages.end(), page);
    return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

int TLuPageControl::GetActivePageIndex() const {
    return m_activePage != nullptr ? m_activePage->GetPageIndex() : -1;
}

void TLuPageControl::SetActivePageIndex(int index) {
    SetActivePage(GetPage(index));
}

void TLuPageControl::SetActivePageDefault(TLuTabSheet* page) {
    m_activePageDefault = page;
    if (page != nullptr)
        page->FreeNotification(this);
}

void TLuPageControl::InsertPage(TLuTabSheet* page) {
    HandleNeeded();
    m_pages.push_back(page);
    page->m_pageControl = this;
    RequestLayout();
}

void TLuPageControl::RemovePage(TLuTabSheet* page) {
    if (page == m_activePage)
        SetActivePage(nullptr);
    const auto it = std::find(m_pages.begin(), m_pages.end(), page);
    if (it != m_pages.end())
        m_pages.erase(it);
    RequestLayout();
    page->m_pageControl = nullptr;
}

void TLuPageControl::MovePage(TLuTabSheet* page, int index) {
    const int from = PagePosition(page);
    // The list's own check refuses a negative place.
    GetPage(index);
    m_pages.erase(m_pages.begin() + from);
    m_pages.insert(m_pages.begin() + index, page);
    RequestLayout();
}

void TLuPageControl::SetActivePage(TLuTabSheet* page) {
    if (page != nullptr && page->PageControl() != this)
        return;
    if (LoadingOrReading()) {
        m_activePage = page;
        return;
    }
    const int tabIndex = page != nullptr ? page->GetTabIndex() : -1;
    // A page without a tab is shown at once; one with a tab through the tab's selection.
    if (tabIndex < 0)
        ChangeActivePage(page);
    SetTabIndex(tabIndex);
}

void TLuPageControl::ChangeActivePage(TLuTabSheet* page) {
    if (page == m_activePage)
        return;
    framework::TCustomForm* form = framework::GetParentForm(this);
    if (form != nullptr && m_activePage != nullptr && form->ActiveControl() != nullptr &&
        m_activePage->ContainsControl(form->ActiveControl()))
        form->SetActiveControl(m_activePage);
    if (page != nullptr) {
        page->BringToFront();
        page->SetShown(true);
        if (form != nullptr && m_activePage != nullptr && form->ActiveControl() == m_activePage)
            form->SetActiveControl(page->CanFocus() ? static_cast<framework::TWinControl*>(page) : this);
    }
    if (m_activePage != nullptr) {
        m_activePage->SetShown(false);
        if (m_saveResources && !Designing())
            m_activePage->DestroyHandle();
    }
    m_activePage = page;
    if (page != nullptr && form != nullptr && form->ActiveControl() == page)
        page->SelectFirst();
}

TLuTabSheet* TLuPageControl::PageForTab(int tabIndex) const {
    if (tabIndex < 0)
        return nullptr;
    for (TLuTabSheet* page : m_pages)
        if (page->GetTabIndex() == tabIndex)
            return page;
    return nullptr;
}

void TLuPageControl::Change() {
    TLuCustomTabControl::Change();
}

void TLuPageControl::DoChanging(int newIndex, bool& allowChange) {
    TLuCustomTabControl::DoChanging(newIndex, allowChange);
    if (allowChange)
        ChangeActivePage(PageForTab(newIndex));
}

void TLuPageControl::RequestLayout() {
    Tabs()->Clear();
    for (TLuTabSheet* page : m_pages) {
        if (!page->TabVisible())
            continue;
        auto tab = std::make_unique<TLuTabData>();
        tab->Assign(page);
        Tabs()->Add(std::move(tab));
    }
    if (m_activePage != nullptr) {
        // Hiding the active page's tab leaves the page shown, with no tab selected.
        const int tabIndex = m_activePage->TabVisible() ? m_activePage->GetTabIndex() : -1;
        if (tabIndex != TabIndex())
            SetTabIndex(tabIndex);
    }
    TLuCustomTabControl::RequestLayout();
}

TLuTabSheet* TLuPageControl::FindNextPage(TLuTabSheet* current, bool goForward, bool checkTabVisible) const {
    const int count = GetPageCount();
    if (count == 0)
        return nullptr;
    int start = PagePosition(current);
    if (start < 0)
        start = goForward ? count - 1 : 0;
    // Every page once, the start last.
    for (int step = 1; step <= count; ++step) {
        const int i = goForward ? (start + step) % count : (start - step + count * 2) % count;
        TLuTabSheet* page = m_pages[static_cast<std::size_t>(i)];
        if (!checkTabVisible || page->TabVisible())
            return page;
    }
    return nullptr;
}

void TLuPageControl::SelectNextPage(bool goForward) {
    if (TLuTabSheet* page = FindNextPage(m_activePage, goForward, true))
        SetActivePage(page);
}

void TLuPageControl::HideAllTabs() {
    for (TLuTabSheet* page : std::vector<TLuTabSheet*>(m_pages))
        page->SetTabVisible(false);
}

void TLuPageControl::ShowAllTabs() {
    for (TLuTabSheet* page : std::vector<TLuTabSheet*>(m_pages))
        page->SetTabVisible(true);
}

void TLuPageControl::CloseActiveTab() {
    if (m_activePage == nullptr)
        return;
    const int closed = TabIndex();
    delete m_activePage;
    SetTabIndex(closed > 0 ? closed - 1 : closed);
}

void TLuPageControl::SetSaveResources(bool value) {
    if (value == m_saveResources)
        return;
    m_saveResources = value;
    if (value && !Designing())
        for (TLuTabSheet* page : m_pages)
            if (page != m_activePage)
                page->DestroyHandle();
}

void TLuPageControl::SetUseColoredTabs(bool value) {
    TLuCustomTabControl::SetUseColoredTabs(value);
    if (Parent() != nullptr && !UseColoredTabs())
        Perform(win::CM_COLORCHANGED, 0, 0);
}

void TLuPageControl::CMColorChanged(framework::TMessage& message) {
    if (!UseColoredTabs())
        for (TLuTabSheet* page : std::vector<TLuTabSheet*>(m_pages))
            page->SetColor(Color());
    TLuCustomTabControl::CMColorChanged(message);
}

void TLuPageControl::DoPaintCardBackground(TCanvas* canvas, int row, const TRect& rect, bool& handled) {
    TLuCustomTabControl::DoPaintCardBackground(canvas, row, rect, handled);
    if (handled || row != 0 || TabIndex() < 0 || m_activePage == nullptr)
        return;
    gdi::HBRUSH brush = gdi::CreateSolidBrush(gdi::ColorToRGB(m_activePage->Color()));
    gdi::FillRect(canvas->Handle(), &rect, brush);
    gdi::DeleteObject(brush);
    handled = true;
}

void TLuPageControl::CMDialogKey(framework::TMessage& message) {
    TLuCustomTabControl::CMDialogKey(message);
    if (message.Result != 0)
        return;
    framework::TCustomForm* form = framework::GetParentForm(this);
    if (form == nullptr || form->ActiveControl() == nullptr || !ContainsControl(form->ActiveControl()))
        return;
    if (message.WParam != win::VK_TAB || framework::GetKeyState(win::VK_CONTROL) >= 0)
        return;
    SelectNextPage(framework::GetKeyState(win::VK_SHIFT) >= 0);
    message.Result = 1;
}

void TLuPageControl::Loaded() {
    TLuCustomTabControl::Loaded();
    LayoutTabs();
    SetTabIndex(-1);
    TLuTabSheet* page = m_activePageDefault != nullptr && m_activePageDefault != m_activePage
                            ? m_activePageDefault
                            : m_activePage;
    m_activePage = nullptr;
    RequestLayout();
    SetActivePage(page);
}

void TLuPageControl::Notification(framework::TComponent* component, framework::TOperation operation) {
    TLuCustomTabControl::Notification(component, operation);
    if (operation == framework::opRemove && component != nullptr && component == m_activePageDefault)
        m_activePageDefault = nullptr;
}

void TLuPageControl::GetChildren(const std::function<void(framework::TComponent*)>& proc,
                                 framework::TComponent*) {
    for (TLuTabSheet* page : m_pages)
        proc(page);
}

void TLuPageControl::SetChildOrder(framework::TComponent* child, int order) {
    if (auto* page = dynamic_cast<TLuTabSheet*>(child))
        page->SetPageIndex(order);
}

void TLuPageControl::ShowControl(framework::TControl* control) {
    if (auto* page = dynamic_cast<TLuTabSheet*>(control); page != nullptr && page->PageControl() == this)
        SetActivePage(page);
    TLuCustomTabControl::ShowControl(control);
}

namespace {

[[maybe_unused]] const auto registerPageControl = PublishTabControlProperties(
    framework::RegisterClass<TLuPageControl, TLuCustomTabControl>("TLuPageControl")
        .Component("ActivePage", &TLuPageControl::ActivePage, &TLuPageControl::SetActivePage)
        .Component("ActivePageDefault", &TLuPageControl::ActivePageDefault, &TLuPageControl::SetActivePageDefault)
        .Boolean("SaveResources", &TLuPageControl::SaveResources, &TLuPageControl::SetSaveResources, false));

} // namespace

} // namespace lu
