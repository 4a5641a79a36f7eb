#pragma once

#include "platform/framework/Classes.h"

namespace lu {

// While the control is being designed (and not loading, reading, writing, destroying, updating
// or fixing up), tells the designer of its parent form that the form was modified. At run time
// it does nothing.
void NotifyDesignerModified(framework::TComponent* control);

} // namespace lu
