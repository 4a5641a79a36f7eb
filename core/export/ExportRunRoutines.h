#pragma once

#include "core/PackageDocument.h"

#include <optional>
#include <string>

// What the export run asks the host's databases, in both builds.
namespace tarnwick {

// The open project's database lists audit items (Vek_ResTrv rows of type 'DGGL_SJSX').
bool ProjectHasAuditItems();
// ModGuid, ModCaption, ModDllFile and EntryID of the Vek_PackMod row captioned with the trimmed
// caption; none when there is no such row. Errors of the query reach the caller.
std::optional<TPackageItemModule> ReadPackModRow(const std::string& caption);

} // namespace tarnwick
