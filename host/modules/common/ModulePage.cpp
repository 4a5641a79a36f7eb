#include "host/modules/common/ModulePage.h"

#include "platform/framework/ComCtrls.h"
#include "platform/framework/StdCtrls.h"
#include "platform/framework/WinControl.h"

#include <algorithm>
#include <map>
#include <vector>

namespace host::modules {

namespace {

// Hears when a page control is freed by someone else (its tab sheet going away), so that the record
// never holds a freed control.
class PageRecord : public framework::TComponent {
public:
    PageRecord() : TComponent(nullptr) {}

    void Add(std::int32_t entryId, framework::TControl* control) {
        m_pages[entryId].push_back(control);
        control->FreeNotification(this);
    }

    void Free(std::int32_t entryId) {
        auto it = m_pages.find(entryId);
        if (it == m_pages.end())
            return;
        std::vector<framework::TControl*> controls = std::move(it->second);
        m_pages.erase(it);
        // Last made first: the tree view, then the label.
        for (auto c = controls.rbegin(); c != controls.rend(); ++c) {
            RemoveFreeNotification(*c);
            delete *c;
        }
    }

protected:
    void Notification(framework::TComponent* component, framework::TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation != framework::opRemove)
            return;
        for (auto it = m_pages.begin(); it != m_pages.end();) {
            auto& controls = it->second;
            controls.erase(std::remove(controls.begin(), controls.end(), component), controls.end());
            it = controls.empty() ? m_pages.erase(it) : std::next(it);
        }
    }

private:
    std::map<std::int32_t, std::vector<framework::TControl*>> m_pages;
};

PageRecord& Pages() {
    static PageRecord record;
    return record;
}

} // namespace

void BuildModulePage(const char* entry, std::int32_t entryId, tarnwick::TModuleParent parent,
                     const PageContent& content) {
    if (parent == nullptr)
        throw rtl::Exception(std::string(entry) + ": no parent for the page");
    auto* sheet = dynamic_cast<framework::TWinControl*>(parent);
    if (sheet == nullptr)
        throw rtl::Exception(std::string(entry) + ": the page's parent is not a windowed control");
    FreeModulePage(entryId);

    auto* label = new framework::TLabel(sheet);
    Pages().Add(entryId, label);
    label->SetParent(sheet);
    label->SetAlign(framework::alTop);
    label->SetCaption(content.Label);

    auto* tree = new framework::TTreeView(sheet);
    Pages().Add(entryId, tree);
    tree->SetParent(sheet);
    tree->SetAlign(framework::alClient);
    for (const std::string& line : content.Items)
        tree->Items()->Add(nullptr, line);
}

void FreeModulePage(std::int32_t entryId) {
    Pages().Free(entryId);
}

} // namespace host::modules
