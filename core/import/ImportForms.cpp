#include "core/import/ImportForms.h"

namespace tarnwick {

TImportForms& ImportForms() {
    static TImportForms forms;
    return forms;
}

} // namespace tarnwick
