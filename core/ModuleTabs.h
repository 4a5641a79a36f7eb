#pragma once

#include <cstdint>

namespace lu {
class TLuPageControl;
}

// The module tabs of both wizards: each page carries its module's entry id in Tag and its module
// library in Hint.
namespace tarnwick {

// Lets every page's module library release its page (VekPackage_Free), last page first; closing is
// 1 from the export wizard, 0 from the import wizard. A page that cannot be reached or a library
// that fails does not stop the others. The pages stay.
void ReleaseModuleTabs(lu::TLuPageControl& pages, std::uint8_t closing);
// Frees every page, last first; afterwards the page control has none.
void ClearTabSheets(lu::TLuPageControl& pages);

} // namespace tarnwick
