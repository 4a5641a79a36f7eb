#pragma once

#include "core/import/ImportItems.h"

#include <string>
#include <vector>

namespace framework {
class TCustomForm;
}

namespace tarnwick {

// Lets the module library of every tab import its item, in tab order, under the host's progress
// window (owned by owner), and reports the collected outcome in one message. A module answering 0
// stops the run without a message. Each tab's outcome is logged with the report so far (its latest
// lines only, once it has grown long), and each item imported is recorded as an operation on the
// package's project. The personnel tab of a user who is no administrator is imported but neither
// reported nor recorded.
void RunPackageImport(framework::TCustomForm* owner, const std::vector<TImportItem>& tabs,
                      const std::string& packageFolder, const std::string& userKind);

} // namespace tarnwick
