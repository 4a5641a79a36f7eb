#pragma once

#include "core/VekPrjInfo.h"

#include <cstdint>
#include <string>

namespace framework {
class TCustomRichEdit;
}

// The package's project as the user sees it before the project is created from the package.
namespace tarnwick {

// "否" for 0, "是" for 1, empty for anything else.
std::string YesNoText(std::int32_t value);
// One labelled line per field, each closed by a single CR. A date or number that cannot be shown is
// left empty; the other lines are still built.
std::string BuildProjectInfoText(const TVekPrjInfo& rec);
// Replaces the rich edit's text with a red title, a blue rule, the body and the rule again, each
// piece styled on its own; the selection is left empty.
void ShowProjectInfoText(framework::TCustomRichEdit& richEdit, const TVekPrjInfo& rec);

} // namespace tarnwick
