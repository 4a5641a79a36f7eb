#include "controls/edit/LuRichEdit.h"

namespace lu {

void TLuRichEdit::SelectionChange() {
    TLuMemoBase::SelectionChange();
    DoClipboardChange();
}

namespace {

[[maybe_unused]] const auto registerRichEdit =
    PublishMemoProperties(framework::RegisterClass<TLuRichEdit, framework::TRichEdit>("TLuRichEdit"));

} // namespace

} // namespace lu
