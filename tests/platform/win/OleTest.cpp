#include "platform/win/Ole.h"

#include <gtest/gtest.h>

TEST(Ole, StartUpsAreCountedAndMatched) {
    const int ole = win::OleInitCount(), co = win::CoInitCount();
    win::OleInitialize(nullptr);
    win::OleInitialize(nullptr);
    win::CoInitialize(nullptr);
    EXPECT_EQ(win::OleInitCount(), ole + 2);
    EXPECT_EQ(win::CoInitCount(), co + 1);
    win::OleUninitialize();
    win::OleUninitialize();
    win::CoUninitialize();
    EXPECT_EQ(win::OleInitCount(), ole);
    EXPECT_EQ(win::CoInitCount(), co);
    win::CoUninitialize(); // one too many changes nothing
    EXPECT_EQ(win::CoInitCount(), co);
}
