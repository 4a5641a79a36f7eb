// The exports both builds share.

#include "core/Exports.h"

#include "core/BoundaryError.h"
#include "core/DeleteFolderTree.h"
#include "core/EntryRoutines.h"
#include "core/HostObjects.h"
#include "core/WorkFolders.h"

#include "platform/framework/Forms.h"
#include "platform/rtl/FileSystem.h"

using namespace tarnwick;

namespace {

constexpr std::int32_t kModeImport = -1;
constexpr std::int32_t kModeExport = 0;
constexpr std::int32_t kModeResourceExport = 1;

std::string Str(const char* text) {
    return text ? text : "";
}

void RemoveCommonReaderFolder() {
    const std::string folder = CommonReaderFolder();
    if (rtl::DirectoryExists(folder))
        DeleteFolderTree(folder);
}

} // namespace

extern "C" {

TARNWICK_EXPORT std::int32_t stdcall RunAppEvn(framework::THintWindowClass hintWindowClass,
                                               framework::TApplication* application,
                                               framework::TScreen* screen, std::int32_t /*reserved1*/,
                                               std::int32_t mode, std::int32_t param,
                                               std::int32_t /*reserved2*/) {
    std::int32_t result = -1;
    try {
        AdoptHostObjects(hintWindowClass, application, screen);
        if (mode == kModeImport) {
            // Its answer is not the export's: the host learns nothing from an import here.
            try {
                ImportPackage("", "");
            } catch (...) {
            }
        } else if (mode == kModeExport) {
            ShowExportWizard();
            result = 1;
        } else if (mode == kModeResourceExport) {
            try {
                result = RunResourceExport(param);
            } catch (...) {
            }
        }
        RemoveCommonReaderFolder();
    } catch (...) {
        result = -1;
    }
    return result;
}

TARNWICK_EXPORT std::int32_t stdcall VekPackPortInfo(framework::THintWindowClass hintWindowClass,
                                                     framework::TApplication* application,
                                                     framework::TScreen* screen, const char* flag,
                                                     std::int32_t mode, std::int32_t /*reserved*/,
                                                     const char* text) {
    std::int32_t result = -1;
    try {
        AdoptHostObjects(hintWindowClass, application, screen);
        if (mode == kModeImport)
            result = ImportPackage(Str(text), Str(flag));
        else if (mode == kModeExport)
            result = ShowExportWizardInPortMode(Str(text)) == framework::mrCancel ? 0 : 1;
        RemoveCommonReaderFolder();
    } catch (...) {
        // The result stands as it was when the error came; the work folder is left.
    }
    return result;
}

TARNWICK_EXPORT bool stdcall VekPackResIDs(framework::THintWindowClass hintWindowClass,
                                           framework::TApplication* application, framework::TScreen* screen,
                                           std::int32_t /*reserved1*/, std::int32_t /*reserved2*/,
                                           std::int32_t /*reserved3*/, std::int32_t /*reserved4*/,
                                           sharemem::PText resIds, sharemem::PText packageFile) {
    try {
        AdoptHostObjects(hintWindowClass, application, screen);
        return PackProjectResources(sharemem::ToString(resIds), sharemem::ToString(packageFile));
    } catch (...) {
        ReportErrorToHost("VekPackResIDs");
        return false;
    }
}

} // extern "C"
