#pragma once

#include "controls/edit/LuMemoBase.h"

namespace lu {

// The library's memo: the framework's memo with the library's frame and colour states, the
// caret's line and column, and wheel scrolling by lines.
class TLuMemo : public TLuMemoBase<framework::TMemo> {
public:
    using TLuMemoBase::TLuMemoBase;
};

} // namespace lu
