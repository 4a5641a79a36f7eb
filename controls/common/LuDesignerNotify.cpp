#include "controls/common/LuDesignerNotify.h"

#include "platform/framework/Forms.h"

namespace lu {

using namespace framework;

void NotifyDesignerModified(TComponent* control) {
    if (control == nullptr)
        return;
    const TComponentState state = control->ComponentState();
    if (!state.Contains(csDesigning))
        return;
    if (!(state * TComponentState{csLoading, csReading, csWriting, csDestroying, csUpdating, csFixups})
             .Empty())
        return;
    TComponent* form = control;
    while (form != nullptr && dynamic_cast<TCustomForm*>(form) == nullptr)
        form = form->GetParentComponent();
    if (form == nullptr)
        return;
    if (IDesigner* designer = form->Designer())
        designer->Modified();
}

} // namespace lu
