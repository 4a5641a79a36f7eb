// velmora import DIR PACKAGE ...: the import wizard of the installation's plug-in, run by a scripted
// user.

#include "host/velmora/Arguments.h"
#include "host/velmora/Commands.h"
#include "host/velmora/HostRequest.h"
#include "host/velmora/ImportScript.h"
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
#include "platform/rtl/Text.h"

#include <filesystem>
#include <sstream>
#include <string_view>

namespace velmora {

namespace {

constexpr std::int32_t ImportMode = -1;

ImportRequest ReadRequest(const Arguments& args) {
    if (args.Positional().size() != 2)
        throw UsageError("import takes one installation folder and one package file");
    ImportRequest r;
    r.installation = args.Positional()[0];
    r.package = std::filesystem::absolute(args.Positional()[1]).string();
    r.preview = args.Has("preview");
    if (args.Has("create")) {
        const std::string create = rtl::LowerCase(args.Value("create"));
        if (create != "yes" && create != "no")
            throw UsageError("--create is yes or no, not " + args.Value("create"));
        r.createProject = create == "yes";
    }
    for (const std::string& a : args.Values("answer"))
        r.answers.push_back(AnswerId(a));
    r.pictures = args.Value("pictures");
    return r;
}

// What the import left behind: the log entries and operation records it wrote, and what the host
// did with projects.
void ReportOutcome(const HostRequest& session, std::size_t recordsBefore) {
    for (const std::string& error : framework::Application()->Errors())
        Say("error", error);
    session.PrintNewLogEntries();
    const std::vector<host::PrjOptionRow> records = host::PrjOptionRows();
    for (std::size_t i = recordsBefore; i < records.size(); ++i)
        Say("record", records[i].Optype + ": " + records[i].OpMemo + " (user " + records[i].UserID + ")");
    for (const std::string& prjId : host::ProjectsCreated())
        Say("host", "created the project " + prjId);
    for (const std::string& prjId : host::ProjectsOpened())
        Say("host", "opened the project " + prjId);
}

// The plug-in answers 1 once its wizard ran, whatever the run's outcome: what the user was told
// says whether the import failed. Each module that failed has its line ending "导入失败！" in the
// run's report, and a run that broke off says "数据包导入失败！".
std::string FailuresShown(std::size_t boxesBefore) {
    constexpr std::string_view failed = "导入失败！";
    const std::vector<framework::TDialogRecord>& boxes = framework::DialogService().Records();
    std::string failures;
    for (std::size_t i = boxesBefore; i < boxes.size(); ++i) {
        std::istringstream text(boxes[i].text);
        for (std::string line; std::getline(text, line);) {
            line = rtl::Trim(line);
            if (line.ends_with(failed))
                failures += (failures.empty() ? "" : " ") + line;
        }
    }
    return failures;
}

int RunImport(const std::vector<std::string>& words) {
    const Arguments args(words, {{"user"},
                                 {"project"},
                                 {"account-book"},
                                 {"preview", false},
                                 {"create"},
                                 {"answer", true, true},
                                 {"pictures"}});
    const ImportRequest request = ReadRequest(args);
    HostRequest::RequireInstallation(request.installation);
    if (!rtl::FileExists(request.package))
        throw rtl::Exception("no package " + request.package);
    bool scriptOk = false;
    std::int32_t result = 0;
    std::string failures;
    {
        const HostRequest session(request.installation, args);
        const std::size_t recordsBefore = host::PrjOptionRows().size();
        PictureBook pictures(request.pictures);
        ImportScript script(request, pictures);
        script.Queue();
        Plugin plugin(host::InstallationFolder(), InstalledPluginFileName());
        const std::string flag = request.preview ? "1" : "";
        const std::size_t boxesBefore = framework::DialogService().Records().size();
        Say("host", "calls VekPackPortInfo of " + plugin.File() + " (mode -1" +
                        (request.preview ? ", flag \"1\": preview" : "") + ") with " + request.package);
        result = plugin.Bind<tarnwick::TVekPackPortInfo>("VekPackPortInfo")(
            framework::HintWindowClass(), framework::Application(), framework::Screen(), flag.c_str(), ImportMode,
            0, request.package.c_str());
        Say("host", "VekPackPortInfo answered " + std::to_string(result));
        ReportOutcome(session, recordsBefore);
        scriptOk = script.Problems().empty();
        failures = FailuresShown(boxesBefore);
    }
    if (!scriptOk) {
        Complain("the scripted user could not finish the import");
    } else if (result != 1) {
        Complain(std::string(request.preview ? "the preview" : "the import") + " did not complete (VekPackPortInfo answered " +
                 std::to_string(result) + ")");
    } else if (!failures.empty()) {
        Complain("the import failed: " + failures);
    }
    return result == 1 && scriptOk && failures.empty() ? 0 : 1;
}

} // namespace

[[maybe_unused]] const bool registered = RegisterCommand(
    {"import", "import DIR PACKAGE                run the import wizard with a scripted user",
     R"(usage: velmora import DIR PACKAGE [options]

Imports (or previews) PACKAGE into the installation in DIR through the plug-in's import
(VekPackPortInfo, mode -1) with a scripted user: when the package's project must be created, the
user reads the project-creation form and presses "建立"; in the wizard the user looks at every
module tab and presses "导入" (not in a preview), then "关闭"; messages are answered OK. Every
step and every text of the progress window is printed; then the outcome: the log entries and
operation records written, and the projects the host created or opened. The exit status is 0 only
when the wizard ran and reported no failure: a module whose import failed, or a run that ended with
"数据包导入失败！", makes it 1.

  --user ID            the user who works (default: the administrator)
  --project ID         the project that is open (default: none)
  --account-book ID    the account book selected in the audit analysis
  --preview            the wizard in preview form (flag "1"): nothing is imported
  --create yes|no      confirm or cancel the project-creation form (default: yes)
  --answer ANSWER      the answer to the next question: yes, no, ok or cancel
                       (give it once per question, in order)
  --pictures DIR       write a PNG of every page the user sees into DIR
)",
     RunImport});

} // namespace velmora
