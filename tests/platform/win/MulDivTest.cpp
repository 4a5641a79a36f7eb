#include "platform/win/MulDiv.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(MulDiv, RoundsHalvesAwayFromZeroWithA64BitProductAndRefusesWhatItCannotAnswer) {
    struct Case {
        int a, b, c, expected;
    };
    const int big = std::numeric_limits<int>::max();
    const Case cases[] = {
        {8, 96, 72, 11},  // a font of 8 points at 96 dpi
        {5, 1, 2, 3},     // a half goes up
        {-5, 1, 2, -3},   // and down below zero
        {5, -1, -2, 3},   // two negative signs cancel
        {7, 3, 4, 5},     // 5.25
        {big, 2, 2, big}, // the product needs 64 bits
        {big, 2, 1, -1},  // the result does not fit
        {10, 10, 0, -1},  // no divisor
        {0, 123, 7, 0},
    };
    for (const Case& t : cases)
        EXPECT_EQ(win::MulDiv(t.a, t.b, t.c), t.expected) << t.a << " * " << t.b << " / " << t.c;
}

} // namespace
