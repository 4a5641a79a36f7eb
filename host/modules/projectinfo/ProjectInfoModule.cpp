#include "host/HostControl.h"
#include "host/HostState.h"
#include "host/modules/common/ModuleLibrary.h"
#include "host/modules/common/ResultPlace.h"

// "项目信息": the open project's record and its persons, as the project part "XMGL\" (full build) or
// "XMGL.pck" (reduced build) that the host's project creation reads as well.
namespace host::modules {

namespace {

class ProjectInfoModule : public ModuleLibrary {
public:
    std::string Export(std::int32_t) override {
        const std::string serial = OpenProjectSerial();
        const std::string folder = FreshResultFolder("XMGL");
        host::WriteProjectPart(serial, folder);
        return ReducedBuild() ? PackResult(folder, "XMGL.pck") : folder;
    }

    std::int32_t Import(std::int32_t, const std::string& path) override {
        ItemFolder folder(path);
        host::detail::StoreProjectPart(folder.Path());
        return ImportDone;
    }
};

} // namespace

ModuleLibrary& TheModule() {
    static ProjectInfoModule module;
    return module;
}

} // namespace host::modules
