#include "controls/tabs/LuTabData.h"

#include "platform/rtl/Exceptions.h"

namespace lu {

void TLuTabData::Assign(const framework::TPersistent* source) {
    const auto* tab = dynamic_cast<const TLuTabData*>(source);
    if (tab == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    m_caption = tab->m_caption;
    m_disabledIndex = tab->m_disabledIndex;
    m_imageIndex = tab->m_imageIndex;
    m_color = tab->m_color;
    m_enabled = tab->m_enabled;
    m_visible = tab->m_visible;
    m_hint = tab->m_hint;
}

TLuTabDataList::~TLuTabDataList() {
    Clear();
}

void TLuTabDataList::Assign(const framework::TPersistent* source) {
    const auto* list = dynamic_cast<const TLuTabDataList*>(source);
    if (list == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    // Clearing first would empty the source too.
    if (list == this)
        return;
    Clear();
    for (int i = 0; i < list->Count(); ++i) {
        auto copy = std::make_unique<TLuTabData>();
        copy->Assign(list->Items(i));
        Add(std::move(copy));
    }
}

int TLuTabDataList::Count() const {
    return static_cast<int>(m_items.size());
}

TLuTabData* TLuTabDataList::Items(int index) const {
    CheckIndex(index);
    return m_items[static_cast<std::size_t>(index)].get();
}

void TLuTabDataList::SetItems(int index, std::unique_ptr<TLuTabData> item) {
    CheckIndex(index);
    m_items[static_cast<std::size_t>(index)] = std::move(item);
}

int TLuTabDataList::Add(std::unique_ptr<TLuTabData> item) {
    m_items.push_back(std::move(item));
    return Count() - 1;
}

void TLuTabDataList::Clear() {
    m_items.clear();
}

void TLuTabDataList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace lu
