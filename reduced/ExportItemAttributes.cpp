// The reduced build's items: every module result is a file, stored under its file name.

#include "core/export/ExportItemAttributes.h"

#include "core/PackageDocument.h"
#include "core/export/ExportRunRoutines.h"

#include "platform/rtl/Paths.h"

namespace tarnwick {

bool WriteExportItemAttributes(const xml::TXMLNode& items, const std::string& caption, const std::string& result) {
    AddPackageItem(items, caption, ReadPackModRow(caption), rtl::ExtractFileName(result));
    return true;
}

} // namespace tarnwick
