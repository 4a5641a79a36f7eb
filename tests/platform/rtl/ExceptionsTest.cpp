#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

TEST(Exceptions, DerivedErrorsAreCaughtAsTheGeneralClass) {
    try {
        throw rtl::EConvertError("'x' is not a valid integer value");
    } catch (const rtl::Exception& e) {
        EXPECT_EQ(e.Message(), "'x' is not a valid integer value");
    }
}
