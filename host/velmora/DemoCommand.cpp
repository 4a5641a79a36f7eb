// velmora demo DIR: the main road on sample data, one command after the other: export, import twice,
// compare.

#include "host/velmora/Arguments.h"
#include "host/velmora/Commands.h"
#include "host/velmora/Terminal.h"

#include "host/HostControl.h"

#include "platform/rtl/Exceptions.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace fs = std::filesystem;

namespace velmora {

namespace {

constexpr char DemoMarker[] = "velmora-demo";

int RunCommand(const std::string& name, const std::vector<std::string>& words) {
    std::cout << "\n$ velmora " << name;
    for (const std::string& w : words)
        std::cout << " " << w;
    std::cout << "\n";
    return Commands().at(name).run(words);
}

// The demo's folder, emptied of an earlier demo's; a folder the demo did not make is refused.
void PrepareFolder(const fs::path& folder) {
    if (fs::exists(folder)) {
        if (!fs::exists(folder / DemoMarker))
            throw rtl::Exception(folder.string() + " exists and holds no earlier demo; give a new folder");
        for (const char* part : {"source", "target", "pictures"})
            fs::remove_all(folder / part);
    }
    fs::create_directories(folder);
    std::ofstream(folder / DemoMarker) << "made by velmora demo\n";
}

// The package the source installation's package management took.
std::string StoredPackage(const fs::path& installation) {
    for (const fs::directory_entry& entry : fs::directory_iterator(installation / "PackageStore"))
        if (entry.path().extension() == ".Package")
            return entry.path().string();
    throw rtl::Exception("the export handed no package to the host");
}

// The package goes into an installation without projects, which creates the project from it, then
// once more with that project open; what arrived is set beside what the source holds.
int ImportIntoEmptyInstallation(const fs::path& folder, const std::string& package, bool reduced) {
    const fs::path target = folder / "target";
    std::vector<std::string> init = {target.string(), "--empty"};
    if (reduced)
        init.push_back("--reduced");
    int status = RunCommand("init", init);
    if (status == 0)
        status = RunCommand("import", {target.string(), package, "--user", host::SampleMemberId, "--account-book",
                                       "ZT-0001", "--pictures", (folder / "pictures" / "import").string()});
    if (status == 0)
        status = RunCommand("import", {target.string(), package, "--user", host::SampleMemberId, "--project",
                                       host::SampleProjectId, "--account-book", "ZT-0001", "--pictures",
                                       (folder / "pictures" / "import-again").string()});
    if (status == 0)
        status = RunCommand("compare", {(folder / "source").string(), target.string(), host::SampleProjectId});
    return status;
}

int RunDemo(const std::vector<std::string>& words) {
    const Arguments args(words, {{"reduced", false}});
    if (args.Positional().size() != 1)
        throw UsageError("demo takes one folder");
    const fs::path folder = fs::absolute(args.Positional().front());
    PrepareFolder(folder);
    const fs::path source = folder / "source";

    std::vector<std::string> init = {source.string()};
    if (args.Has("reduced"))
        init.push_back("--reduced");
    int status = RunCommand("init", init);
    if (status == 0)
        status = RunCommand("export", {source.string(), "--user", host::SampleMemberId, "--project",
                                       host::SampleProjectId, "--account-book", "ZT-0001", "--modules",
                                       "项目信息,项目资料,系统人员,审计事项,审计分析",
                                       "--name", "年度审计", "--memo", "示例项目的全部资料",
                                       "--pictures", (folder / "pictures").string()});
    if (status == 0)
        status = RunCommand("contents", {StoredPackage(source)});
    if (status == 0)
        status = ImportIntoEmptyInstallation(folder, StoredPackage(source), args.Has("reduced"));
    return status;
}

} // namespace

[[maybe_unused]] const bool registered =
    RegisterCommand({"demo", "demo DIR [--reduced]             the main road on sample data",
                     R"(usage: velmora demo DIR [--reduced]

Makes a sample installation in DIR/source, exports its sample project through the export wizard
(a member of the project checks five modules and names the package; PNG files of every page go to
DIR/pictures) and prints the table of contents of the package the host took. Then it makes an
installation without projects in DIR/target and imports the package into it twice through the
import wizard: first the project is created from the package, then the package is imported into
the open project (pictures in DIR/pictures/import and DIR/pictures/import-again). Last it prints
what DIR/target holds of the project beside what DIR/source holds. DIR must be new or hold an
earlier demo.
)",
                     RunDemo});

} // namespace velmora
