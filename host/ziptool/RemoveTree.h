#pragma once

#include "platform/rtl/RemoveTree.h"

namespace host {

// Removes a folder with everything in it, through the file adapter. A link is removed as a link:
// its target is never entered. True when nothing is left.
using rtl::RemoveTree;

} // namespace host
