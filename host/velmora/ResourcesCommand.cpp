// velmora resources DIR IDS: the plug-in's resource package, asked for without a wizard.

#include "host/velmora/InstalledPlugin.h"
#include "host/velmora/Arguments.h"
#include "host/velmora/Commands.h"
#include "host/velmora/HostRequest.h"
#include "host/velmora/Plugin.h"
#include "host/velmora/Terminal.h"

#include "core/Exports.h"
#include "host/HostControl.h"

#include "platform/framework/Forms.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

namespace velmora {

namespace {

int RunResources(const std::vector<std::string>& words) {
    std::vector<OptionRule> options = SessionOptions;
    options.push_back({"out"});
    const Arguments args(words, options);
    if (args.Positional().size() != 2)
        throw UsageError("resources takes an installation folder and a list of resource ids");
    const std::string folder = args.Positional()[0];
    const std::string resIds = args.Positional()[1];
    const std::string packageFile =
        args.Value("out", rtl::IncludeTrailingPathDelimiter(folder) + "Resources.PACKAGE");

    bool built = false;
    {
        HostRequest request(folder, args);
        Plugin plugin(host::InstallationFolder(), InstalledPluginFileName());
        Say("host", "calls VekPackResIDs of " + plugin.File() + " for \"" + resIds + "\"");
        const sharemem::CountedText ids(resIds), file(packageFile);
        built = plugin.Bind<tarnwick::TVekPackResIDs>("VekPackResIDs")(
            framework::HintWindowClass(), framework::Application(), framework::Screen(), 0, 0, 0, 0, ids.Get(),
            file.Get());
        Say("host", std::string("VekPackResIDs answered ") + (built ? "true" : "false"));
        request.ReportRecords();
    }
    if (!built || !rtl::FileExists(packageFile)) {
        Say("host", "no resource package was built");
        Complain(std::string("the resource package was not built (VekPackResIDs answered ") +
                 (built ? "true" : "false") + ")");
        return 1;
    }
    Say("host", "the resource package was written to " + packageFile);
    return Commands().at("contents").run({packageFile});
}

} // namespace

[[maybe_unused]] const bool registered = RegisterCommand(
    {"resources", "resources DIR IDS                build a resource package without a wizard",
     R"(usage: velmora resources DIR IDS [options]

Asks the installation's plug-in for a resource package (VekPackResIDs), as the host does without
showing a wizard: "Package.XML" and the file of materials that the package library makes for the
resource ids IDS (ids of Vek_ResTrv rows of type DGGL_ZL, separated by commas). Prints the progress,
the answer, the log entries and the package's table of contents.

  --project ID   the project that is open (default: none; a package without project information)
  --user ID      the user who works (default: the administrator)
  --out FILE     the package file to write (default: DIR/Resources.PACKAGE)
)",
     RunResources});

} // namespace velmora
