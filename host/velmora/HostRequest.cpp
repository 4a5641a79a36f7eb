#include "host/velmora/HostRequest.h"

#include "host/velmora/Terminal.h"

#include "host/HostControl.h"

#include "platform/framework/Forms.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"

namespace velmora {

namespace {

void PrintProgress(const host::ProcessCall& call) {
    if (call.Kind == host::ProcessCallKind::Begin || call.Kind == host::ProcessCallKind::Change)
        Say("progress", call.Text);
    else if (call.Kind == host::ProcessCallKind::End)
        Say("progress", "(closed)");
}

} // namespace

HostRequest::HostRequest(const std::string& folder, const Arguments& args) {
    if (!rtl::FileExists(rtl::IncludeTrailingPathDelimiter(folder) + "base.db"))
        throw rtl::Exception("no installation in " + folder + " (make one with velmora init)");
    host::OpenInstallation(folder);
    if (args.Has("user"))
        host::SetCurrentUser(args.Value("user"));
    if (args.Has("project") && !host::OpenProject(args.Value("project")))
        throw rtl::Exception("the installation has no project " + args.Value("project"));
    Say("host", "user " + host::CurrentUser() + ", " +
                    (host::OpenProjectId().empty() ? "no project open" : "project " + host::OpenProjectId() + " open"));
    framework::TApplication* app = framework::Application();
    app->SetTitle("Velmora");
    app->SetExeName(host::InstallationFolder() + "Velmora");
    host::SetApplication(app);
    host::SetScreen(framework::Screen());
    host::SetHintWindowClass(framework::HintWindowClass());
    host::SetProcessObserver(PrintProgress);
}

HostRequest::~HostRequest() {
    host::SetProcessObserver(nullptr);
    host::CloseInstallation();
}

void HostRequest::ReportRecords() const {
    if (!host::LastPluginError().empty())
        Say("error", host::LastPluginError());
    for (const host::LogRow& row : host::LogRows())
        Say("log", row.ModuleCode + ": " + rtl::Trim(row.Message));
    for (const host::PackageTaken& p : host::PackagesTaken())
        Say("host", "took " + rtl::ToNativePath(p.Source) + " (" + p.TypeName + ") into its package management as " +
                        rtl::ToNativePath(p.StoredAs));
}

} // namespace velmora
