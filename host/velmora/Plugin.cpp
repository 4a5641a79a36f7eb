#include "host/velmora/Plugin.h"

#include "host/HostControl.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileReplacement.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

#include <dlfcn.h>

namespace velmora {

namespace {

// The plug-ins are built into the folder that holds the host library.
std::string BuiltLibraryFolder() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&host::CreateSampleInstallation), &info) || !info.dli_fname)
        throw rtl::Exception("the host library cannot be found");
    return rtl::ExtractFilePath(info.dli_fname);
}

} // namespace

std::string InstallPlugin(const std::string& installation, const std::string& fileName) {
    const std::string built = BuiltLibraryFolder() + fileName;
    if (!rtl::FileExists(built))
        throw rtl::Exception("the plug-in " + built + " is not built");
    const std::string installed = rtl::IncludeTrailingPathDelimiter(installation) + fileName;
    // A copy loaded earlier in this process may still be mapped: the new copy gets a file of its own
    // instead of being written over the old one's pages, and a copy cut short leaves the old one.
    rtl::CopyFileReplacing(built, installed);
    return installed;
}

Plugin::Plugin(const std::string& installation, const std::string& fileName)
    : m_file(InstallPlugin(installation, fileName)) {
    m_library = win::LoadLibraryA(m_file.c_str());
    if (!m_library)
        throw rtl::Exception("the plug-in " + m_file + " does not load: " + win::LastLibraryError());
}

Plugin::~Plugin() {
    win::FreeLibrary(m_library);
}

void* Plugin::Address(const char* name) const {
    void* address = win::GetProcAddress(m_library, name);
    if (!address)
        throw rtl::Exception(m_file + " has no export " + name);
    return address;
}

} // namespace velmora
