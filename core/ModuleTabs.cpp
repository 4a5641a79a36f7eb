#include "core/ModuleTabs.h"

#include "core/ModuleCalls.h"

#include "controls/tabs/LuPageControl.h"

namespace tarnwick {

void ReleaseModuleTabs(lu::TLuPageControl& pages, std::uint8_t closing) {
    for (int i = pages.GetPageCount() - 1; i >= 0; --i) {
        try {
            const lu::TLuTabSheet* page = pages.GetPage(i);
            CallModuleFree(page->Hint(), static_cast<std::int32_t>(page->Tag()), closing);
        } catch (...) {
            // One module that cannot let go of its page must not keep the others from it.
        }
    }
}

void ClearTabSheets(lu::TLuPageControl& pages) {
    for (int i = pages.GetPageCount() - 1; i >= 0; --i) {
        try {
            if (i < pages.GetPageCount())
                delete pages.GetPage(i);
        } catch (...) {
        }
    }
}

} // namespace tarnwick
