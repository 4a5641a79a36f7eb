#include "tests/controls/tabs/TabTestSupport.h"

#include "platform/gdi/Gdi.h"

using namespace tabtest;

namespace {

TRect Key(int i) {
    return TRect{i, 0, i + 10, 10};
}

gdi::HRGN Region(int i) {
    return gdi::CreateRectRgn(i, 0, i + 10, 10);
}

class RegionCache : public ::testing::Test {
protected:
    void SetUp() override { live = gdi::LiveObjectCount(); }
    // Regions the cache holds beyond those alive when the test began.
    int Held() const { return gdi::LiveObjectCount() - live; }
    int live = 0;
};

} // namespace

TEST_F(RegionCache, CapacityOneKeepsOnlyTheRegionBuiltLast) {
    TLuTabRegionCache cache;
    cache.AddRegion(Key(1), Region(1));
    gdi::HRGN second = Region(2);
    cache.AddRegion(Key(2), second);
    EXPECT_EQ(cache.Count(), 1);
    EXPECT_EQ(cache.FindRegion(Key(1)), nullptr);
    EXPECT_EQ(cache.FindRegion(Key(2)), second);
    EXPECT_EQ(Held(), 1);
    cache.Clear();
    EXPECT_EQ(Held(), 0);
}

TEST_F(RegionCache, UnlimitedKeepsEveryRegionUntilCleared) {
    TLuTabRegionCache cache;
    cache.SetCapacity(-1);
    for (int i = 0; i < 6; ++i)
        cache.AddRegion(Key(i), Region(i));
    EXPECT_EQ(cache.Count(), 6);
    EXPECT_EQ(Held(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_NE(cache.FindRegion(Key(i)), nullptr) << i;

    // Lowering the capacity keeps the newest; finding a region does not make it newer.
    cache.FindRegion(Key(0));
    cache.SetCapacity(2);
    EXPECT_EQ(cache.Count(), 2);
    EXPECT_EQ(Held(), 2);
    EXPECT_NE(cache.FindRegion(Key(5)), nullptr);
    EXPECT_NE(cache.FindRegion(Key(4)), nullptr);
    EXPECT_EQ(cache.FindRegion(Key(0)), nullptr);
}

TEST_F(RegionCache, ARegionAddedUnderAKeyItHoldsReplacesTheOldOneAndBecomesNewest) {
    TLuTabRegionCache cache;
    cache.SetCapacity(2);
    cache.AddRegion(Key(1), Region(1));
    cache.AddRegion(Key(2), Region(2));
    gdi::HRGN again = Region(1);
    cache.AddRegion(Key(1), again);
    EXPECT_EQ(Held(), 2); // the replaced region is deleted, not leaked
    EXPECT_EQ(cache.FindRegion(Key(1)), again);
    cache.AddRegion(Key(3), Region(3));
    EXPECT_EQ(cache.FindRegion(Key(2)), nullptr); // the oldest went
    EXPECT_EQ(cache.FindRegion(Key(1)), again);
    cache.AddRegion(Key(1), again); // the same handle again: kept
    EXPECT_EQ(cache.FindRegion(Key(1)), again);
    EXPECT_EQ(Held(), 2);
}

TEST_F(RegionCache, CapacityZeroOrBelowMinusOneIsRefusedWithoutChange) {
    TLuTabRegionCache cache;
    cache.AddRegion(Key(1), Region(1));
    for (int capacity : {0, -2}) {
        try {
            cache.SetCapacity(capacity);
            ADD_FAILURE() << capacity;
        } catch (const rtl::Exception& e) {
            EXPECT_STREQ(e.what(), "Capacity must be -1 (to cache all regions) or > 0");
        }
        EXPECT_EQ(cache.Capacity(), 1);
        EXPECT_EQ(cache.Count(), 1);
    }
}

TEST_F(RegionCache, DestroyingTheCacheDeletesItsRegions) {
    {
        TLuTabRegionCache cache;
        cache.SetCapacity(3);
        for (int i = 0; i < 3; ++i)
            cache.AddRegion(Key(i), Region(i));
        EXPECT_EQ(Held(), 3);
    }
    EXPECT_EQ(Held(), 0);
}
