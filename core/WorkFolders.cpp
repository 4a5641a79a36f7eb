#include "core/WorkFolders.h"

#include "platform/framework/Forms.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Paths.h"

namespace tarnwick {

std::string CommonReaderFolder() {
    const framework::TApplication* application = framework::Application();
    if (!application)
        throw rtl::Exception("CommonReaderFolder: no application object in place");
    const std::string folder = rtl::ExtractFilePath(application->ExeName());
    if (folder.empty() || !rtl::IsPathDelimiter(folder.front()))
        throw rtl::Exception("CommonReaderFolder: the application names no program folder (\"" +
                             application->ExeName() + "\")");
    return folder + "~Vek~Temp\\CommonReader\\";
}

} // namespace tarnwick
