#include "controls/edit/LuMemo.h"

namespace lu {

namespace {

[[maybe_unused]] const auto registerMemo =
    PublishMemoProperties(framework::RegisterClass<TLuMemo, framework::TMemo>("TLuMemo"));

} // namespace

} // namespace lu
