#include "host/InstallationSweep.h"

#include "host/ProjectStaging.h"

#include "platform/rtl/StagingFolders.h"

#include <string_view>

namespace host::detail {

namespace {

void Sweep(const std::string& folder, std::string_view marker, bool throughSubfolders) {
    rtl::TStagingSweep sweep;
    sweep.marker = marker;
    sweep.throughSubfolders = throughSubfolders;
    rtl::SweepStagingFoldersIn(folder, sweep);
}

} // namespace

void SweepInstallationLeftovers(const std::string& root) {
    for (const char* folder : {"~Vek~Temp", "Temp"})
        for (const std::string_view marker : {rtl::UnpackingMarker, rtl::ReplacingMarker, rtl::WorkingMarker})
            Sweep(root + folder, marker, true);
    Sweep(root + "PackageStore", rtl::ReplacingMarker, false);
    SweepStaleProjectStagings(root + "Projects");
    // A material is replaced beside itself, anywhere below a project's folder.
    Sweep(root + "Projects", rtl::ReplacingMarker, true);
}

} // namespace host::detail
