#include "host/velmora/HostRequest.h"

#include "host/velmora/Session.h"
#include "host/velmora/Terminal.h"

#include "host/HostControl.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"

namespace velmora {

void HostRequest::RequireInstallation(const std::string& folder) {
    if (!rtl::FileExists(rtl::IncludeTrailingPathDelimiter(folder) + "base.db"))
        throw rtl::Exception("no installation in " + folder + " (make one with velmora init)");
}

HostRequest::HostRequest(const std::string& folder, const Arguments& args) {
    RequireInstallation(folder);
    host::OpenInstallation(folder);
    OpenSession(args);
    PrepareApplication();
    host::SetProcessObserver(PrintProgress);
    m_logBefore = host::LogRows().size();
}

HostRequest::~HostRequest() {
    host::SetProcessObserver(nullptr);
    host::CloseInstallation();
}

void HostRequest::PrintNewLogEntries() const {
    const std::vector<host::LogRow> log = host::LogRows();
    for (std::size_t i = m_logBefore; i < log.size(); ++i)
        Say("log", log[i].ModuleCode + ": " + rtl::Trim(rtl::StringReplace(log[i].Message, "\r\n", " ")));
}

void HostRequest::ReportRecords() const {
    if (!host::LastPluginError().empty())
        Say("error", host::LastPluginError());
    PrintNewLogEntries();
    for (const host::PackageTaken& p : host::PackagesTaken())
        Say("host", "took " + rtl::ToNativePath(p.Source) + " (" + p.TypeName + ") into its package management as " +
                        rtl::ToNativePath(p.StoredAs));
}

} // namespace velmora
