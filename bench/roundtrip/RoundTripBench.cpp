// The export of a sample project whose materials total 50 and 200 MiB (a third prose files, a third
// rows of its database, a third incompressible files), run by `velmora export` (the plug-in's
// wizard, mode 0, with a scripted user), against "zip -r -6" of the project's folder: the time of
// each as the best of alternating pairs, and the peak memory of each against the package's size.
// Then the import of that package by `velmora import` (mode -1, the project created from the
// package) into an installation without projects, against "unzip" of the package.
// Exits non-zero when a bound is missed.
#include "bench/support/Bounds.h"
#include "bench/support/ProgramRun.h"
#include "bench/support/ProseText.h"
#include "host/HostControl.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using bench::Check;
using bench::Report;

constexpr int kPairs = 2;
constexpr std::size_t kMiB = std::size_t(1) << 20;
constexpr std::size_t kRowText = 96;
constexpr char kModules[] = "项目信息,项目资料,系统人员,审计事项";

struct Run {
    double seconds = 0;
    double peakMiB = 0;
};

// Runs a program in a folder, its output into a log file; the time and the peak resident memory.
// A failed run stops the benchmark with the end of its log.
Run RunProgram(const std::vector<std::string>& argv, const fs::path& folder, const fs::path& log) {
    const bench::ProgramRun ran = bench::RunProgram(argv, folder, log);
    if (ran.exitCode != 0) {
        std::ifstream in(log);
        std::string line, tail;
        while (std::getline(in, line))
            tail = tail.size() > 4000 ? line + "\n" : tail + line + "\n";
        throw std::runtime_error(argv.front() + " " + argv.at(1) + " failed:\n" + tail);
    }
    return {ran.seconds, ran.peakMiB};
}

std::size_t FolderBytes(const fs::path& folder) {
    std::size_t bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            bytes += entry.file_size();
    return bytes;
}

void AddRows(const fs::path& database, std::size_t bytes, std::mt19937& random) {
    sqlite3* db = nullptr;
    Check(sqlite3_open(database.c_str(), &db) == SQLITE_OK, "cannot open " + database.string());
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "insert into XM_AuditMatter values (?,?,?)", -1, &insert, nullptr);
    const std::string prose = bench::ProseText(random, 4 * kMiB);
    for (std::size_t i = 0; i * (kRowText + 24) < bytes; ++i) {
        const std::string id = "B" + std::to_string(1000000 + i);
        const std::string name = prose.substr((i * 7919) % (prose.size() - kRowText), kRowText);
        sqlite3_bind_text(insert, 1, id.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 3, static_cast<double>(random() % 10000000) / 100.0);
        Check(sqlite3_step(insert) == SQLITE_DONE, sqlite3_errmsg(db));
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// The sample installation, its sample project grown to about mib MiB. Answers the project's folder.
fs::path MakeInstallation(const fs::path& folder, std::size_t mib) {
    host::CreateSampleInstallation(folder.string());
    const fs::path project = folder / "Projects" / host::SampleProjectId;
    host::CloseInstallation();
    std::mt19937 random(static_cast<unsigned>(mib));
    const std::size_t third = mib * kMiB / 3;
    fs::create_directories(project / "ResFile" / "扫描件");
    for (std::size_t i = 0; i * kMiB < third; ++i) {
        std::ofstream(project / "ResFile" / ("底稿" + std::to_string(i) + ".txt"), std::ios::binary)
            << bench::ProseText(random, kMiB);
        std::string noise(kMiB, '\0');
        for (char& c : noise)
            c = static_cast<char>(random());
        std::ofstream(project / "ResFile" / "扫描件" / ("扫描" + std::to_string(i) + ".bin"), std::ios::binary)
            << noise;
    }
    AddRows(project / "Project.db", third, random);
    return project;
}

fs::path StoredPackage(const fs::path& installation) {
    for (const auto& entry : fs::directory_iterator(installation / "PackageStore"))
        if (entry.path().extension() == ".Package")
            return entry.path();
    throw std::runtime_error("the export handed no package to the host");
}

struct Measures {
    std::size_t materials = 0, package = 0, peerArchive = 0;
    Run exportRun, zipRun, importRun, unzipRun;
};

Run Best(const Run& a, const Run& b) {
    return {std::min(a.seconds, b.seconds), std::max(a.peakMiB, b.peakMiB)};
}

Measures Measure(const fs::path& velmora, const fs::path& work, std::size_t mib) {
    const fs::path installation = work / ("A" + std::to_string(mib));
    const fs::path project = MakeInstallation(installation, mib);
    Measures m;
    m.materials = FolderBytes(project);
    const fs::path peer = work / "peer.zip";
    for (int pair = 0; pair < kPairs; ++pair) {
        for (const auto& entry : fs::directory_iterator(installation / "PackageStore"))
            fs::remove(entry.path());
        fs::remove(peer);
        const Run ours = RunProgram({velmora.string(), "export", installation.string(), "--user",
                                     host::SampleMemberId, "--project", host::SampleProjectId, "--modules",
                                     kModules, "--name", "基准" + std::to_string(pair)},
                                    work, work / "export.log");
        const Run zip = RunProgram({"zip", "-q", "-r", "-6", peer.string(), "."}, project, work / "zip.log");
        m.exportRun = pair == 0 ? ours : Best(m.exportRun, ours);
        m.zipRun = pair == 0 ? zip : Best(m.zipRun, zip);
    }
    const fs::path package = StoredPackage(installation);
    m.package = fs::file_size(package);
    m.peerArchive = fs::file_size(peer);
    const fs::path target = work / ("B" + std::to_string(mib)), unpacked = work / "unpacked";
    for (int pair = 0; pair < kPairs; ++pair) {
        fs::remove_all(target);
        fs::remove_all(unpacked);
        RunProgram({velmora.string(), "init", target.string(), "--empty"}, work, work / "init.log");
        const Run ours = RunProgram({velmora.string(), "import", target.string(), package.string(), "--user",
                                     host::SampleMemberId},
                                    work, work / "import.log");
        const Run unzip = RunProgram({"unzip", "-q", package.string(), "-d", unpacked.string()}, work, work / "unzip.log");
        m.importRun = pair == 0 ? ours : Best(m.importRun, ours);
        m.unzipRun = pair == 0 ? unzip : Best(m.unzipRun, unzip);
    }
    Check(FolderBytes(target / "Projects" / host::SampleProjectId / "ResFile") ==
              FolderBytes(project / "ResFile"),
          "the import did not bring every material");
    std::printf("%3zu MiB: import %.2f s, %.0f MiB peak | unzip %.2f s, %.0f MiB peak\n", mib, m.importRun.seconds,
                m.importRun.peakMiB, m.unzipRun.seconds, m.unzipRun.peakMiB);
    fs::remove_all(target);
    std::printf("%3zu MiB of materials: export %.2f s, %.0f MiB peak, package %.1f MiB | zip -r -6 %.2f s, %.0f MiB "
                "peak, archive %.1f MiB\n",
                mib, m.exportRun.seconds, m.exportRun.peakMiB, static_cast<double>(m.package) / kMiB,
                m.zipRun.seconds, m.zipRun.peakMiB, static_cast<double>(m.peerArchive) / kMiB);
    fs::remove_all(installation);
    return m;
}

} // namespace

int main() {
    const fs::path velmora = fs::read_symlink("/proc/self/exe").parent_path() / "velmora";
    const fs::path work = fs::temp_directory_path() / ("tarnwick-round-trip-bench-" + std::to_string(::getpid()));
    fs::create_directories(work);
    bool ok = true;
    try {
        const Measures small = Measure(velmora, work, 50);
        const Measures large = Measure(velmora, work, 200);
        const double packageMiB = static_cast<double>(large.package) / kMiB;
        ok = Report("export time / zip -r -6 (200 MiB)", large.exportRun.seconds / large.zipRun.seconds, 1.3) && ok;
        ok = Report("export peak memory / package size (200 MiB)", large.exportRun.peakMiB / packageMiB, 1.0) && ok;
        // Memory that does not grow with the package stays near 1; a copy of the package in memory
        // gives about 4.
        ok = Report("export peak memory, 200 MiB / 50 MiB", large.exportRun.peakMiB / small.exportRun.peakMiB, 1.5) && ok;
        ok = Report("import time / unzip (200 MiB)", large.importRun.seconds / large.unzipRun.seconds, 1.3) && ok;
        ok = Report("import peak memory / package size (200 MiB)", large.importRun.peakMiB / packageMiB, 1.0) && ok;
        ok = Report("import peak memory, 200 MiB / 50 MiB", large.importRun.peakMiB / small.importRun.peakMiB, 1.5) && ok;
        std::printf("%-52s %6.2f\n", "import time, 200 MiB / 50 MiB", large.importRun.seconds / small.importRun.seconds);
        std::printf("%-52s %6.2f\n", "export time, 200 MiB / 50 MiB", large.exportRun.seconds / small.exportRun.seconds);
        std::printf("%-52s %6.2f\n", "zip -r -6 time, 200 MiB / 50 MiB", large.zipRun.seconds / small.zipRun.seconds);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_round_trip: %s\n", e.what());
        ok = false;
    }
    fs::remove_all(work);
    return ok ? 0 : 1;
}
