// velmora init DIR [--empty] [--reduced]: a sample installation with the built plug-in in place.

#include "host/velmora/Commands.h"

#include "host/HostControl.h"
#include "host/velmora/Arguments.h"
#include "host/velmora/InstalledPlugin.h"
#include "host/velmora/Plugin.h"
#include "host/velmora/Terminal.h"

#include "core/HostApi.h"

#include "platform/ado/ADOQuery.h"

namespace velmora {

namespace {

// One line per row of the statement, its columns joined by blanks.
void ListRows(const std::string& what, const std::string& sql) {
    ado::TADOQuery query;
    query.SetConnection(GetBaseDBConnection());
    query.SQL().SetText(sql);
    query.Open();
    if (query.Eof())
        Say("init", what + ": none");
    for (; !query.Eof(); query.Next()) {
        std::string line;
        for (int i = 0; i < query.Fields().Count(); ++i)
            line += (i ? "  " : "") + query.Fields()[i].AsString();
        Say("init", what + ": " + line);
    }
}

} // namespace

namespace {

int RunInit(const std::vector<std::string>& words) {
    const Arguments args(words, {{"empty", false}, {"reduced", false}});
    if (args.Positional().size() != 1)
        throw UsageError("init takes one folder");
    const std::string folder = args.Positional().front();
    const bool empty = args.Has("empty");
    host::CreateSampleInstallation(folder, !empty);
    // The sample modules write files of their own for the reduced build, which packs a list of files.
    if (args.Has("reduced"))
        host::SetInstalledPluginBuild(host::PluginBuild::Reduced);
    const std::string plugin = InstallPlugin(host::InstallationFolder(), InstalledPluginFileName());
    Say("init",
        std::string(empty ? "an installation without projects (an import target)" : "a sample installation") +
            " in " + host::InstallationFolder());
    ListRows("project", "select PrjID, PrjName from Vek_Project order by PrjID");
    ListRows("user", "select UserID, LoginName, UserName from Vek_User order by UserID");
    ListRows("module", "select ModCaption, ModDllFile, ModInPrj from Vek_PackMod order by ModIndex");
    Say("init", "plug-in " + plugin);
    host::CloseInstallation();
    return 0;
}

} // namespace

[[maybe_unused]] const bool registered =
    RegisterCommand({"init", "init DIR [--empty] [--reduced]   make a sample installation",
                     R"(usage: velmora init DIR [--empty] [--reduced]

Makes a sample installation in DIR (which must not hold one yet) and puts the built plug-in
Tarnwick.so into it: base.db with users, persons, projects and the modules of Vek_PackMod, one
database per project with its materials, the module libraries, the package library and
"~Vek~Temp". The commands that call the plug-in load the one the installation holds.

  --empty    no projects: an installation to import packages into
  --reduced  TarnwickReduced.so in place of Tarnwick.so; the sample modules then export files
)",
                     RunInit});

} // namespace velmora
