#include "tests/core/entry/ProbeState.h"

#include "core/EntryRoutines.h"
#include "core/PackageState.h"

#include "platform/rtl/Exceptions.h"

#include <utility>

namespace {

ProbeState s_state;

std::int32_t Run(const char* routine, std::string text1 = "", std::string text2 = "", std::int32_t number = 0,
                 const void* tree = nullptr) {
    ProbeCall call;
    call.routine = routine;
    call.text1 = std::move(text1);
    call.text2 = std::move(text2);
    call.number = number;
    call.tree = tree;
    call.application = framework::Application();
    call.screen = framework::Screen();
    call.hintWindowClass = framework::HintWindowClass();
    s_state.calls.push_back(call);
    tarnwick::LastPackageVersion = s_state.packageVersion;
    tarnwick::LastPackageFolder = s_state.packageFolder;
    if (!s_state.raise.empty())
        throw rtl::Exception(s_state.raise);
    return s_state.answer;
}

} // namespace

extern "C" __attribute__((visibility("default"))) ProbeState* TarnwickProbeState() {
    return &s_state;
}

namespace tarnwick {

void ShowExportWizard() {
    Run("ShowExportWizard");
}
int ShowExportWizardInPortMode(const std::string& captions) {
    return Run("ShowExportWizardInPortMode", captions);
}
std::int32_t ImportPackage(const std::string& fileName, const std::string& flag) {
    return Run("ImportPackage", fileName, flag);
}
std::int32_t RunResourceExport(std::int32_t mode) {
    return Run("RunResourceExport", "", "", mode);
}
bool PackProjectResources(const std::string& resIds, const std::string& packageFile) {
    return Run("PackProjectResources", resIds, packageFile) != 0;
}
std::int32_t BuildArchivePackage(framework::TTreeView* tree, const std::string& caption,
                                 const std::string& memo) {
    return Run("BuildArchivePackage", caption, memo, 0, tree);
}

} // namespace tarnwick
