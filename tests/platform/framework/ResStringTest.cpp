#include "platform/framework/ResString.h"

#include <gtest/gtest.h>

#include <functional>
#include <typeinfo>

namespace {

using namespace framework;

constexpr TResString SPlain{"Capacity must be -1 (to cache all regions) or > 0"};
constexpr TResString SWithNumbers{"%d is an invalid PageIndex value. PageIndex must be between 0 and %d"};

std::string Raised(const std::function<void()>& raise) {
    try {
        raise();
    } catch (const rtl::Exception& e) {
        // The general class itself, not one derived from it.
        EXPECT_EQ(typeid(e), typeid(rtl::Exception));
        return e.what();
    }
    ADD_FAILURE() << "nothing raised";
    return {};
}

TEST(ResString, RaisedAsTheGeneralExceptionClass) {
    EXPECT_EQ(Raised([] { RaiseResString(SPlain); }), "Capacity must be -1 (to cache all regions) or > 0");
    EXPECT_EQ(Raised([] { RaiseResString(SWithNumbers, 5, 2); }),
              "5 is an invalid PageIndex value. PageIndex must be between 0 and 2");
    // Without arguments the text stands as it is, a "%" included.
    EXPECT_EQ(LoadResString(TResString{"100%"}), "100%");
    // A placeholder without its argument is a fault of the caller, reported as such.
    EXPECT_THROW(LoadResString(SWithNumbers, 5), rtl::EConvertError);
}

} // namespace
