#pragma once

#include "platform/framework/Messages.h"
#include "platform/gdi/Objects.h"

#include <memory>
#include <vector>

// Recently built tab regions, keyed by the tab's rectangle in control coordinates, so that hit
// testing and painting do not build a region per question. The cache owns every region in it.
namespace lu {

class TLuTabRegionCacheItem {
public:
    TLuTabRegionCacheItem() = default;
    virtual ~TLuTabRegionCacheItem();
    TLuTabRegionCacheItem(const TLuTabRegionCacheItem&) = delete;
    TLuTabRegionCacheItem& operator=(const TLuTabRegionCacheItem&) = delete;

    framework::TRect TabRect{-1, -1, -1, -1};
    gdi::HRGN TabRegion() const { return m_tabRegion; }
    // Deletes the region held before, unless it is the one given.
    virtual void SetTabRegion(gdi::HRGN region);

private:
    gdi::HRGN m_tabRegion = nullptr;
};

class TLuTabRegionCache {
public:
    // Capacity -1 keeps every region.
    static constexpr int Unlimited = -1;

    TLuTabRegionCache() = default;
    virtual ~TLuTabRegionCache() = default;
    TLuTabRegionCache(const TLuTabRegionCache&) = delete;
    TLuTabRegionCache& operator=(const TLuTabRegionCache&) = delete;

    // The region stored under a rectangle equal to rect, or null. The region stays the cache's:
    // use it at once, and never across another AddRegion or Clear.
    gdi::HRGN FindRegion(const framework::TRect& rect) const;
    // The cache takes the region. Under a rectangle it holds already, the new region replaces the
    // old one (which is deleted) and the entry becomes the newest; beyond the capacity the oldest
    // entry goes.
    void AddRegion(const framework::TRect& rect, gdi::HRGN region);
    void Clear();

    int Capacity() const { return m_capacity; }
    // Raises the capacity error for 0 or a value below -1; a lower capacity drops the oldest
    // entries.
    void SetCapacity(int capacity);
    int Count() const { return static_cast<int>(m_cache.size()); }

private:
    // Index of the first entry with the rectangle, or -1.
    int IndexOf(const framework::TRect& rect) const;
    void TrimTo(int count);

    std::vector<std::unique_ptr<TLuTabRegionCacheItem>> m_cache; // newest first
    int m_capacity = 1;
};

} // namespace lu
