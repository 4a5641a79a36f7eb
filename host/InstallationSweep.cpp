#include "host/InstallationSweep.h"

#include "host/ProjectStaging.h"

#include "platform/rtl/StagingFolders.h"

namespace host::detail {

void SweepInstallationLeftovers(const std::string& root) {
    rtl::TStagingSweep temporaries;
    temporaries.markers = {rtl::UnpackingMarker, rtl::ReplacingMarker, rtl::WorkingMarker};
    temporaries.throughSubfolders = true;
    for (const char* folder : {"~Vek~Temp", "Temp"})
        rtl::SweepStagingFoldersIn(root + folder, temporaries);

    rtl::TStagingSweep replacements;
    replacements.markers = {rtl::ReplacingMarker};
    rtl::SweepStagingFoldersIn(root + "PackageStore", replacements);
    SweepStaleProjectStagings(root + "Projects");
    // A material is replaced beside itself, anywhere below a project's folder.
    replacements.throughSubfolders = true;
    rtl::SweepStagingFoldersIn(root + "Projects", replacements);
}

} // namespace host::detail
