#pragma once

#include <string>

namespace tarnwick {

// The account book selected in the host's audit analysis. Empty when the host offers no lookup or
// it failed (the failure is shown and logged here, never passed on); callers also read "-1" as
// none selected.
void GetSelectedAccountBookId(std::string& id);

} // namespace tarnwick
