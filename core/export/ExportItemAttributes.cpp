// Tarnwick's item attributes: a module may export a file or a whole folder of the work folder.

#include "core/export/ExportItemAttributes.h"

#include "core/PackageDocument.h"
#include "core/export/ExportRunRoutines.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

namespace tarnwick {

namespace {

// The name the result has inside the package: a file's name, or a folder's name and a backslash.
std::optional<std::string> AppFileName(const std::string& result) {
    if (rtl::FileExists(result))
        return rtl::ExtractFileName(result);
    if (rtl::DirectoryExists(result))
        return rtl::ExtractFileName(rtl::ExcludeTrailingPathDelimiter(result)) + "\\";
    return std::nullopt;
}

} // namespace

bool WriteExportItemAttributes(const xml::TXMLNode& items, const std::string& caption, const std::string& result) {
    const std::optional<TPackageItemModule> module = ReadPackModRow(caption);
    const std::optional<std::string> appFileName = AppFileName(result);
    AddPackageItem(items, caption, module, appFileName);
    return appFileName.has_value();
}

} // namespace tarnwick
