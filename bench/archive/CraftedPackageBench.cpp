// Crafted packages imported by `velmora import` (VekPackPortInfo, mode -1, with a scripted user)
// into an installation without projects: a package whose one extra entry lies 1,900 folders deep,
// which imports (or is refused) within a second, and one with twenty names of 65 KB (32,764 levels
// each), which is refused within a second and in less than 100 MiB. Each run's time and peak
// resident memory are printed beside their bounds; afterwards no staging or work folder may be
// left. Exits non-zero when a bound is missed.
#include "bench/support/Bounds.h"
#include "bench/support/MemoryFolder.h"
#include "bench/support/ProgramRun.h"
#include "host/HostControl.h"

#include <zip.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using bench::Check;
using bench::Report;
using bench::RunProgram;

std::string Deep(std::size_t levels) {
    std::string name;
    for (std::size_t i = 0; i < levels; ++i)
        name += "a/";
    return name + "f.txt";
}

// The package with these entries added, names as given.
fs::path Crafted(const fs::path& base, const fs::path& crafted, const std::vector<std::string>& names) {
    fs::copy_file(base, crafted, fs::copy_options::overwrite_existing);
    int error = 0;
    zip_t* archive = zip_open(crafted.c_str(), 0, &error);
    Check(archive != nullptr, "cannot open " + crafted.string());
    for (const std::string& name : names) {
        zip_source_t* data = zip_source_buffer(archive, "x", 1, 0);
        Check(zip_file_add(archive, name.c_str(), data, ZIP_FL_ENC_RAW) >= 0, "cannot add a crafted name");
    }
    Check(zip_close(archive) == 0, "cannot write " + crafted.string());
    return crafted;
}

struct Outcome {
    bench::ProgramRun run;
    bool imported = false;
};

Outcome Import(const fs::path& velmora, const fs::path& work, const fs::path& package) {
    const fs::path target = work / "B";
    fs::remove_all(target);
    RunProgram({velmora.string(), "init", target.string(), "--empty"}, work, work / "init.log");
    Outcome outcome;
    outcome.run = RunProgram({velmora.string(), "import", target.string(), package.string(), "--user",
                              host::SampleMemberId},
                             work, work / "import.log");
    outcome.imported = outcome.run.exitCode == 0;
    for (const auto& entry : fs::directory_iterator(target / "~Vek~Temp"))
        Check(entry.path().filename() == "XMGL", "the import left " + entry.path().string());
    std::printf("%s: %s in %.2f s, %.0f MiB peak\n", package.filename().c_str(),
                outcome.imported ? "imported" : "refused", outcome.run.seconds, outcome.run.peakMiB);
    return outcome;
}

} // namespace

int main() {
    const fs::path velmora = fs::read_symlink("/proc/self/exe").parent_path() / "velmora";
    const fs::path work =
        bench::MemoryFolderOr(fs::temp_directory_path() / ("tarnwick-crafted-bench-" + std::to_string(::getpid())));
    fs::create_directories(work);
    std::printf("installations in %s\n", work.parent_path().c_str());
    bool ok = true;
    try {
        RunProgram({velmora.string(), "init", (work / "A").string()}, work, work / "init.log");
        RunProgram({velmora.string(), "export", (work / "A").string(), "--user", host::SampleMemberId, "--project",
                    host::SampleProjectId, "--modules", "项目信息,审计事项", "--name", "base"},
                   work, work / "export.log");
        const fs::path base = work / "A" / "PackageStore" / "base.Package";
        Check(fs::exists(base), "the export wrote no package");

        const Outcome deep = Import(velmora, work, Crafted(base, work / "deep.Package", {Deep(1900)}));
        std::vector<std::string> huge;
        for (int i = 0; i < 20; ++i)
            huge.push_back(std::string(1, static_cast<char>('b' + i)) + "/" + Deep(32764)); // 65,535 bytes
        const Outcome refused = Import(velmora, work, Crafted(base, work / "huge.Package", huge));
        Check(!refused.imported, "the package of 65 KB names was imported");

        ok = Report("seconds to import a package 1,900 folders deep", deep.run.seconds, 1.0) && ok;
        ok = Report("seconds to refuse twenty names of 65 KB", refused.run.seconds, 1.0) && ok;
        ok = Report("MiB at the peak refusing them", refused.run.peakMiB, 100.0) && ok;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_crafted_packages: %s\n", e.what());
        ok = false;
    }
    fs::remove_all(work);
    return ok ? 0 : 1;
}
