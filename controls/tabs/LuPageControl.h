#pragma once

#include "controls/tabs/LuCustomTabControl.h"
#include "controls/tabs/LuTabSheet.h"

#include <vector>

namespace lu {

// A tab control with one page per tab. Its tab list holds, in page order, one tab for each page
// whose tab is visible; the active page is the one shown, and its tab is the selected tab.
class TLuPageControl : public TLuCustomTabControl {
public:
    explicit TLuPageControl(framework::TComponent* owner);
    ~TLuPageControl() override;

    TLuTabSheet* ActivePage() const { return m_activePage; }
    // A page of another page control is ignored; a page whose tab may not be selected changes
    // nothing.
    virtual void SetActivePage(TLuTabSheet* page);
    // The page a form resource opens on, whatever page it stored as active.
    TLuTabSheet* ActivePageDefault() const { return m_activePageDefault; }
    void SetActivePageDefault(TLuTabSheet* page);
    // Hidden pages give up their window handles.
    bool SaveResources() const { return m_saveResources; }
    virtual void SetSaveResources(bool value);

    // Raises rtl::EListError outside the pages.
    virtual TLuTabSheet* GetPage(int index) const;
    virtual int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    virtual int GetActivePageIndex() const;
    virtual void SetActivePageIndex(int index);
    TLuTabSheet* Pages(int index) const { return GetPage(index); }
    int PageCount() const { return GetPageCount(); }
    int ActivePageIndex() const { return GetActivePageIndex(); }

    // The next page from the given one (after the last comes the first), each page examined once;
    // null when none qualifies.
    TLuTabSheet* FindNextPage(TLuTabSheet* current, bool goForward, bool checkTabVisible) const;
    void SelectNextPage(bool goForward);

    void HideAllTabs() override;
    void ShowAllTabs() override;
    // Rebuilds the tabs from the pages, keeps the active page's tab selected, and lays out.
    void RequestLayout() override;
    void SetUseColoredTabs(bool value) override;

    void Loaded() override;
    void Notification(framework::TComponent* component, framework::TOperation operation) override;
    void GetChildren(const std::function<void(framework::TComponent*)>& proc,
                     framework::TComponent* root) override;
    void SetChildOrder(framework::TComponent* child, int order) override;
    void ShowControl(framework::TControl* control) override;

protected:
    void Change() override;
    void DoChanging(int newIndex, bool& allowChange) override;
    void DoPaintCardBackground(TCanvas* canvas, int row, const TRect& rect, bool& handled) override;
    void CloseActiveTab() override;
    void CreateParams(framework::TCreateParams& params) override;
    void CMDialogKey(framework::TMessage& message) override;
    void CMColorChanged(framework::TMessage& message) override;

private:
    friend class TLuTabSheet;
    void InsertPage(TLuTabSheet* page);
    void RemovePage(TLuTabSheet* page);
    void MovePage(TLuTabSheet* page, int index);
    // The one place where pages are shown and hidden.
    void ChangeActivePage(TLuTabSheet* page);
    TLuTabSheet* PageForTab(int tabIndex) const;
    int PagePosition(const TLuTabSheet* page) const;

    TLuTabSheet* m_activePage = nullptr;
    TLuTabSheet* m_activePageDefault = nullptr;
    std::vector<TLuTabSheet*> m_pages;
    bool m_saveResources = false;
};

} // namespace lu
