#include "tests/controls/tabs/TabTestSupport.h"

namespace tabtest {

namespace {

[[maybe_unused]] const auto registerTestTabControl = PublishTabControlProperties(
    framework::RegisterClass<TTestTabControl, TLuCustomTabControl>("TTestTabControl"));

} // namespace

} // namespace tabtest
