#include "controls/tabs/LuTabRegionCache.h"

#include "controls/tabs/LuTabResStrings.h"

namespace lu {

TLuTabRegionCacheItem::~TLuTabRegionCacheItem() {
    TLuTabRegionCacheItem::SetTabRegion(nullptr);
}

void TLuTabRegionCacheItem::SetTabRegion(gdi::HRGN region) {
    if (region == m_tabRegion)
        return;
    if (m_tabRegion != nullptr)
        gdi::DeleteObject(m_tabRegion);
    m_tabRegion = region;
}

int TLuTabRegionCache::IndexOf(const framework::TRect& rect) const {
    for (std::size_t i = 0; i < m_cache.size(); ++i)
        if (m_cache[i]->TabRect == rect)
            return static_cast<int>(i);
    return -1;
}

gdi::HRGN TLuTabRegionCache::FindRegion(const framework::TRect& rect) const {
    const int index = IndexOf(rect);
    return index < 0 ? nullptr : m_cache[static_cast<std::size_t>(index)]->TabRegion();
}

void TLuTabRegionCache::AddRegion(const framework::TRect& rect, gdi::HRGN region) {
    const int index = IndexOf(rect);
    std::unique_ptr<TLuTabRegionCacheItem> item;
    if (index >= 0) {
        item = std::move(m_cache[static_cast<std::size_t>(index)]);
        m_cache.erase(m_cache.begin() + index);
    } else {
        item = std::make_unique<TLuTabRegionCacheItem>();
        item->TabRect = rect;
    }
    item->SetTabRegion(region);
    m_cache.insert(m_cache.begin(), std::move(item));
    if (m_capacity != Unlimited)
        TrimTo(m_capacity);
}

void TLuTabRegionCache::Clear() {
    m_cache.clear();
}

void TLuTabRegionCache::SetCapacity(int capacity) {
    if (capacity == 0 || capacity < Unlimited)
        framework::RaiseResString(SRegionCacheCapacity);
    if (capacity == m_capacity)
        return;
    m_capacity = capacity;
    if (m_capacity != Unlimited)
        TrimTo(m_capacity);
}

void TLuTabRegionCache::TrimTo(int count) {
    while (Count() > count)
        m_cache.pop_back();
}

} // namespace lu
