#include "GdiTestSupport.h"

#include "platform/gdi/Faults.h"

#include <gtest/gtest.h>

namespace gdi {
namespace {

using test::TestCanvas;

const POINT triangle[] = {{0, 0}, {4, 0}, {0, 4}};

class Faults : public ::testing::Test {
protected:
    void TearDown() override { ResetFaults(); }
};

TEST_F(Faults, TheNextCallsFailThenTheDeviceWorksAgain) {
    FailNextCalls(FaultingCall::CreatePolygonRgn, 2);
    EXPECT_EQ(CreatePolygonRgn(triangle, 3, ALTERNATE), nullptr);
    // The other calls are not touched.
    TestCanvas canvas(4, 4);
    EXPECT_EQ(SaveDC(canvas.dc()), 1);
    EXPECT_TRUE(RestoreDC(canvas.dc(), -1));
    EXPECT_EQ(CreatePolygonRgn(triangle, 3, ALTERNATE), nullptr);
    HRGN region = CreatePolygonRgn(triangle, 3, ALTERNATE);
    ASSERT_NE(region, nullptr);
    EXPECT_TRUE(PtInRegion(region, 1, 1));
    DeleteObject(region);
    // A call refused for its arguments does not use up a planned failure.
    FailNextCalls(FaultingCall::CreatePolygonRgn, 1);
    EXPECT_EQ(CreatePolygonRgn(triangle, 2, ALTERNATE), nullptr);
    EXPECT_EQ(CreatePolygonRgn(triangle, 3, ALTERNATE), nullptr);
    region = CreatePolygonRgn(triangle, 3, ALTERNATE);
    EXPECT_NE(region, nullptr);
    DeleteObject(region);
}

TEST_F(Faults, OneCallAtAChosenPointFails) {
    TestCanvas canvas(4, 4);
    HDC dc = canvas.dc();
    FailOneCallAfter(FaultingCall::SaveDC, 2);
    EXPECT_EQ(SaveDC(dc), 1);
    EXPECT_EQ(SaveDC(dc), 2);
    EXPECT_EQ(SaveDC(dc), 0);
    EXPECT_EQ(SaveDC(dc), 3);
    FailOneCallAfter(FaultingCall::RestoreDC, 1);
    EXPECT_TRUE(RestoreDC(dc, 3));
    EXPECT_FALSE(RestoreDC(dc, 1));
    EXPECT_TRUE(RestoreDC(dc, 1));
    // None passing: the next call fails.
    FailOneCallAfter(FaultingCall::CreatePolygonRgn, 0);
    EXPECT_EQ(CreatePolygonRgn(triangle, 3, ALTERNATE), nullptr);
    HRGN region = CreatePolygonRgn(triangle, 3, ALTERNATE);
    EXPECT_NE(region, nullptr);
    DeleteObject(region);
    // A later setting replaces it.
    FailOneCallAfter(FaultingCall::SaveDC, 5);
    FailNextCalls(FaultingCall::SaveDC, 0);
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(SaveDC(dc), i);
}

TEST_F(Faults, FailingUntilResetAndWhatAFailedCallLeavesBehind) {
    TestCanvas canvas(4, 4);
    HDC dc = canvas.dc();
    FailCallsUntilReset(FaultingCall::SaveDC);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(SaveDC(dc), 0);
    // Nothing was saved, so there is nothing to restore.
    ResetFaults();
    EXPECT_FALSE(RestoreDC(dc, -1));

    // A failed restore keeps the current state and the saved one; the next restore finds both.
    EXPECT_EQ(SaveDC(dc), 1);
    IntersectClipRect(dc, 0, 0, 2, 2);
    FailNextCalls(FaultingCall::RestoreDC, 1);
    EXPECT_FALSE(RestoreDC(dc, 1));
    EXPECT_FALSE(PtVisible(dc, 3, 3));
    EXPECT_TRUE(RestoreDC(dc, 1));
    EXPECT_TRUE(PtVisible(dc, 3, 3));

    // A later setting replaces the earlier one; a count of 0 clears it.
    FailCallsUntilReset(FaultingCall::RestoreDC);
    FailNextCalls(FaultingCall::RestoreDC, 0);
    EXPECT_EQ(SaveDC(dc), 1);
    EXPECT_TRUE(RestoreDC(dc, 1));
}

} // namespace
} // namespace gdi
