// Crafted packages imported by `velmora import` (VekPackPortInfo, mode -1, with a scripted user)
// into an installation without projects: a package whose one extra entry lies 1,900 folders deep,
// which imports (or is refused) within a second, one with twenty names of 65 KB (32,764 levels
// each), and one whose project part lists 1,000,000 persons (in "XMGL\" of the full build's package
// and in "XMGL.pck" of the reduced build's), each refused within a second and in less than 100 MiB,
// with no project created. Each run's time and peak resident memory are printed beside their
// bounds; afterwards no staging or work folder may be left. Exits non-zero when a bound is missed.
#include "bench/support/Bounds.h"
#include "bench/support/MemoryFolder.h"
#include "bench/support/ProgramRun.h"
#include "host/HostControl.h"

#include <zip.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
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

// "PrjInfo.xml" of the project part with this many persons.
std::string ProjectPartOf(std::size_t persons) {
    std::string part = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><VekProject><PrjInfo PrjID=\"";
    part += host::SampleProjectId;
    part += "\" PrjName=\"测试项目\"><PrjPerInfo>";
    for (std::size_t i = 0; i < persons; ++i)
        part += "<PrjPer PerUUID=\"" + std::to_string(300000000000000000 + i) + "\" PerName=\"某人\"/>";
    return part + "</PrjPerInfo></PrjInfo></VekProject>";
}

// The package with the entry replaced by these bytes.
fs::path Replaced(const fs::path& base, const fs::path& crafted, const std::string& name, const std::string& bytes) {
    fs::copy_file(base, crafted, fs::copy_options::overwrite_existing);
    int error = 0;
    zip_t* archive = zip_open(crafted.c_str(), 0, &error);
    Check(archive != nullptr, "cannot open " + crafted.string());
    zip_source_t* data = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    Check(zip_file_add(archive, name.c_str(), data, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) >= 0,
          "cannot replace " + name);
    Check(zip_close(archive) == 0, "cannot write " + crafted.string());
    return crafted;
}

// An archive of one entry, as bytes.
std::string PackedFile(const fs::path& work, const std::string& name, const std::string& bytes) {
    const fs::path file = work / "packed.zip";
    fs::remove(file);
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE, &error);
    Check(archive != nullptr, "cannot create " + file.string());
    zip_source_t* data = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    Check(zip_file_add(archive, name.c_str(), data, ZIP_FL_ENC_UTF_8) >= 0, "cannot add " + name);
    Check(zip_close(archive) == 0, "cannot write " + file.string());
    std::ifstream in(file, std::ios::binary);
    std::string packed((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    fs::remove(file);
    return packed;
}

struct Outcome {
    bench::ProgramRun run;
    bool imported = false;
};

Outcome Import(const fs::path& velmora, const fs::path& work, const fs::path& package, bool reduced = false) {
    const fs::path target = work / "B";
    fs::remove_all(target);
    std::vector<std::string> init = {velmora.string(), "init", target.string(), "--empty"};
    if (reduced)
        init.push_back("--reduced");
    RunProgram(init, work, work / "init.log");
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

        const std::string persons = ProjectPartOf(1000000);
        const Outcome crowded =
            Import(velmora, work, Replaced(base, work / "crowded.Package", "XMGL/PrjInfo.xml", persons));
        Check(!crowded.imported, "the package of 1,000,000 persons was imported");
        Check(!fs::exists(work / "B" / "Projects" / host::SampleProjectId), "a project was created");

        RunProgram({velmora.string(), "init", (work / "A2").string(), "--reduced"}, work, work / "init.log");
        RunProgram({velmora.string(), "export", (work / "A2").string(), "--user", host::SampleMemberId, "--project",
                    host::SampleProjectId, "--modules", "项目信息,审计事项", "--name", "base"},
                   work, work / "export.log");
        const fs::path base2 = work / "A2" / "PackageStore" / "base.Package";
        Check(fs::exists(base2), "the reduced build's export wrote no package");
        const Outcome crowded2 = Import(
            velmora, work,
            Replaced(base2, work / "crowded2.Package", "XMGL.pck", PackedFile(work, "PrjInfo.xml", persons)), true);
        Check(!crowded2.imported, "the version-2 package of 1,000,000 persons was imported");
        Check(!fs::exists(work / "B" / "Projects" / host::SampleProjectId), "a project was created");

        ok = Report("seconds to import a package 1,900 folders deep", deep.run.seconds, 1.0) && ok;
        ok = Report("seconds to refuse twenty names of 65 KB", refused.run.seconds, 1.0) && ok;
        ok = Report("MiB at the peak refusing them", refused.run.peakMiB, 100.0) && ok;
        ok = Report("seconds to refuse a project part of 1,000,000 persons", crowded.run.seconds, 1.0) && ok;
        ok = Report("MiB at the peak refusing it", crowded.run.peakMiB, 100.0) && ok;
        ok = Report("seconds to refuse it packed in XMGL.pck (version 2)", crowded2.run.seconds, 1.0) && ok;
        ok = Report("MiB at the peak refusing it packed", crowded2.run.peakMiB, 100.0) && ok;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_crafted_packages: %s\n", e.what());
        ok = false;
    }
    fs::remove_all(work);
    return ok ? 0 : 1;
}
