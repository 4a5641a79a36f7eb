// velmora export DIR ...: the export wizard of the installation's plug-in, run by a scripted user.

#include "host/velmora/Arguments.h"
#include "host/velmora/Commands.h"
#include "host/velmora/ExportScript.h"
#include "host/velmora/HostRequest.h"
#include "host/velmora/InstalledPlugin.h"
#include "host/velmora/Plugin.h"
#include "host/velmora/Session.h"
#include "host/velmora/Terminal.h"

#include "core/Exports.h"
#include "host/HostControl.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Text.h"

#include <filesystem>
#include <optional>

namespace velmora {

namespace {

constexpr std::int32_t ExportMode = 0;

std::vector<std::string> Captions(const std::string& commaText) {
    std::vector<std::string> captions;
    std::string part;
    for (std::size_t i = 0; i <= commaText.size(); ++i) {
        if (i == commaText.size() || commaText[i] == ',') {
            if (!rtl::Trim(part).empty())
                captions.push_back(rtl::Trim(part));
            part.clear();
        } else {
            part.push_back(commaText[i]);
        }
    }
    return captions;
}

ExportRequest ReadRequest(const Arguments& args) {
    if (args.Positional().size() != 1)
        throw UsageError("export takes one installation folder");
    ExportRequest r;
    r.installation = args.Positional().front();
    r.modules = Captions(args.Value("modules"));
    if (r.modules.empty())
        throw UsageError("export needs --modules with at least one caption");
    if (args.Has("name"))
        r.name = args.Value("name");
    if (args.Has("memo"))
        r.memo = args.Value("memo");
    if (args.Has("save"))
        r.savePath = args.Value("save");
    for (const std::string& a : args.Values("answer"))
        r.answers.push_back(AnswerId(a));
    r.pictures = args.Value("pictures");
    return r;
}

// The package file a run without a project writes for the file chosen in the save dialog, named as
// the export names it, and its last write before the run: an old package the run could not replace
// is still there afterwards, and no new one.
struct ChosenPackage {
    std::string file;
    std::optional<std::filesystem::file_time_type> writtenBefore;
};

std::optional<std::filesystem::file_time_type> LastWrite(const std::string& file) {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(rtl::ToNativePath(file), error);
    return error ? std::nullopt : std::optional(time);
}

ChosenPackage ChosenPackageOf(const std::string& chosen) {
    ChosenPackage package{chosen, std::nullopt};
    if (!rtl::EndsText(".Package", chosen))
        package.file = (rtl::FileExists(chosen) ? rtl::ChangeFileExt(chosen, "") : chosen) + ".Package";
    if (rtl::FileExists(package.file))
        package.writtenBefore = LastWrite(package.file);
    return package;
}

bool FolderIsEmpty(const std::string& folder) {
    const std::filesystem::path path(rtl::ToNativePath(folder));
    return std::filesystem::is_empty(path);
}

// What the run left behind: the log entries it wrote, the package handed over, the work folder.
bool ReportOutcome(const std::optional<ChosenPackage>& chosen, const HostRequest& session) {
    for (const std::string& error : framework::Application()->Errors())
        Say("error", error);
    session.PrintNewLogEntries();
    bool packaged = false;
    for (const host::PackageTaken& p : host::PackagesTaken()) {
        Say("host", "took the package into its package management: " + rtl::ToNativePath(p.StoredAs));
        packaged = true;
    }
    if (host::OpenProjectId().empty() && chosen) {
        const std::string& file = chosen->file;
        packaged = rtl::FileExists(file) && (!chosen->writtenBefore || LastWrite(file) != chosen->writtenBefore);
        Say("host", packaged ? "the package was written to " + file : "no package was written to " + file);
    }
    if (host::InstalledPluginBuild() == host::PluginBuild::Reduced) {
        const std::string work = host::InstallationFolder() + "~Vek~Temp\\XMGL";
        Say("host", std::string("the work folder ~Vek~Temp\\XMGL ") +
                        (!rtl::DirectoryExists(work) ? "is gone" : FolderIsEmpty(work) ? "is empty" : "still holds files"));
        return packaged;
    }
    const std::string work = host::InstallationFolder() + "~Vek~Temp\\CommonReader";
    Say("host", std::string("the work folder ~Vek~Temp\\CommonReader ") +
                    (rtl::DirectoryExists(work) ? "is still there" : "is gone"));
    return packaged;
}

} // namespace

namespace {

int RunExport(const std::vector<std::string>& words) {
    const Arguments args(words, {{"modules"},
                                 {"user"},
                                 {"project"},
                                 {"account-book"},
                                 {"name"},
                                 {"memo"},
                                 {"save"},
                                 {"answer", true, true},
                                 {"pictures"}});
    const ExportRequest request = ReadRequest(args);
    bool packaged = false;
    bool scriptOk = false;
    std::int32_t result = 0;
    {
        const HostRequest session(request.installation, args);
        PictureBook pictures(request.pictures);
        ExportScript script(request, pictures);
        script.Queue();
        Plugin plugin(host::InstallationFolder(), InstalledPluginFileName());
        const std::optional<ChosenPackage> chosen =
            request.savePath ? std::optional(ChosenPackageOf(*request.savePath)) : std::nullopt;
        Say("host", "calls RunAppEvn of " + plugin.File() + " (mode 0)");
        result = plugin.Bind<tarnwick::TRunAppEvn>("RunAppEvn")(
            framework::HintWindowClass(), framework::Application(), framework::Screen(), 0, ExportMode, 0, 0);
        Say("host", "RunAppEvn answered " + std::to_string(result));
        packaged = ReportOutcome(chosen, session);
        scriptOk = script.Problems().empty();
    }
    if (!scriptOk)
        Complain("the scripted user could not finish the export; no package was made");
    else if (result != 1 || !packaged)
        Complain("the export made no package (RunAppEvn answered " + std::to_string(result) + ")");
    return result == 1 && packaged && scriptOk ? 0 : 1;
}

} // namespace

[[maybe_unused]] const bool registered =
    RegisterCommand({"export", "export DIR --modules CAPTIONS    run the export wizard with a scripted user",
                     R"(usage: velmora export DIR --modules CAPTIONS [options]

Runs the plug-in's export wizard (RunAppEvn, mode 0) on the installation in DIR with a scripted
user: the user checks the modules, steps through each module tab, presses "导出", names the
package (a project is open) or chooses the file (no project), and answers the boxes. Every step
and every text of the progress window is printed; then the outcome: the messages shown, the log
entries written and the package handed to the host.

  --modules CAPTIONS   the modules to check, by caption, separated by commas
                       (for example "项目信息,项目资料")
  --user ID            the user who works (default: the administrator)
  --project ID         the project that is open (default: none)
  --account-book ID    the account book selected in the audit analysis
  --name NAME          the package name typed into the dialog (a project is open)
  --memo MEMO          the package memo typed into the dialog
  --save PATH          the file chosen in the save dialog (no project is open)
  --answer ANSWER      the answer to the next question: yes, no, ok or cancel
                       (give it once per question, in order; messages are answered OK)
  --pictures DIR       write a PNG of every page the user sees into DIR
)",
                     RunExport});

} // namespace velmora
