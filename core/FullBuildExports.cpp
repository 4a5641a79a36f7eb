// The exports only Tarnwick has: the archive package and the two getters.

#include "core/Exports.h"

#include "core/BoundaryError.h"
#include "core/EntryRoutines.h"
#include "core/PackageState.h"

#include "platform/framework/Forms.h"

using namespace tarnwick;

namespace {

// The archive request brings no objects of its own; the host's platform library hands them out.
void AdoptHostObjectsFromPlatform() {
    framework::SetApplication(VekGetApplication());
    framework::SetScreen(VekGetScreen());
    framework::SetHintWindowClass(VekGetHintWinClass());
}

} // namespace

extern "C" {

TARNWICK_EXPORT std::int32_t stdcall VekGDBPck(framework::TTreeView* tree, sharemem::PText caption,
                                               sharemem::PText memo) {
    try {
        AdoptHostObjectsFromPlatform();
        return BuildArchivePackage(tree, sharemem::ToString(caption), sharemem::ToString(memo));
    } catch (...) {
        ReportErrorToHost("VekGDBPck");
        return 0;
    }
}

TARNWICK_EXPORT std::int32_t stdcall GetPackageVer() {
    return LastPackageVersion;
}

TARNWICK_EXPORT void stdcall GetPackageDir(sharemem::PText* dir) {
    if (!dir)
        return;
    try {
        sharemem::AssignVar(dir, LastPackageFolder);
    } catch (...) {
        ReportErrorToHost("GetPackageDir");
    }
}

} // extern "C"
