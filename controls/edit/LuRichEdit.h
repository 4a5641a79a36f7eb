#pragma once

#include "controls/edit/LuMemoBase.h"

namespace lu {

// The library's rich edit: the framework's rich edit with the memo's framing, line and column
// and wheel scrolling; a change of the selection is also reported as a clipboard change.
class TLuRichEdit : public TLuMemoBase<framework::TRichEdit> {
public:
    using TLuMemoBase::TLuMemoBase;

protected:
    void SelectionChange() override;
};

} // namespace lu
