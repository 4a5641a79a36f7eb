// The import of crafted packages into a sample installation through VekPackPortInfo, as the host
// calls it, with a scripted user pressing the wizard's import button: 1,000 valid items (each a
// small database of audit matters), then 100,000 empty items and 100,000 persons of the project,
// which must be refused before any work. The installation lies on a disk, where each flush of a
// database costs what it costs a user. Prints each time, the flushes each imported item costs and the
// growth of the installation's base database (the log and the records) against their bounds; exits
// non-zero when a bound is missed.
#include "bench/support/Bounds.h"
#include "bench/support/FlushCounter.h"
#include "core/Exports.h"
#include "host/Database.h"
#include "host/HostControl.h"
#include "host/velmora/Session.h"
#include "tests/support/CraftedPackage.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/framework/ScriptedUser.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <linux/magic.h>
#include <sys/resource.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using bench::Check;
using bench::Report;

constexpr int kValidItems = 1000;
constexpr int kCraftedChildren = 100000;
constexpr double kMiB = 1024.0 * 1024.0;

struct Run {
    double seconds = 0;
    double cpuSeconds = 0; // user and system: what the run itself did, without its waits for the disk
    bench::FlushCalls flushes;
    std::int32_t result = 0;
};

double CpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

Run Import(const fs::path& package) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    const bench::FlushCalls flushesBefore = bench::FlushCallsSoFar();
    Run run;
    run.result = VekPackPortInfo(framework::HintWindowClass(), framework::Application(), framework::Screen(),
                                 "", -1, 0, package.c_str());
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpuSeconds = CpuSeconds() - cpuStart;
    run.flushes = bench::FlushCallsSoFar() - flushesBefore;
    return run;
}

// The bench works on a disk: a memory file system flushes nothing, and would hide what flushes cost.
void RequireDisk(const fs::path& folder) {
    struct statfs s {};
    Check(::statfs(folder.c_str(), &s) == 0, "cannot tell the file system of " + folder.string());
    Check(s.f_type != TMPFS_MAGIC && s.f_type != RAMFS_MAGIC, folder.string() + " lies in memory, not on a disk");
}

// A database of one audit matter, as the audit-matters module exports it.
std::string MattersDatabase(const fs::path& work, const std::string& id) {
    const fs::path file = work / "matter.db";
    fs::remove(file);
    {
        host::Database db;
        db.Open(file.string(), true);
        db.Exec("pragma synchronous = off");
        db.Exec("create table XM_AuditMatter (MatterID TEXT PRIMARY KEY, MatterName TEXT, Amount REAL)");
        db.Run("insert into XM_AuditMatter values (?,?,?)", {id, "事项" + id, "1"});
    }
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

tests::CraftedDocument SampleProjectDocument() {
    tests::CraftedDocument doc;
    doc.prjId = host::SampleProjectId;
    doc.persons = {host::SampleMemberId};
    return doc;
}

struct ValidImport {
    Run run;
    double baseGrowthMiB = 0;
};

// Imports count items of audit matters (ids prefix + number) into the open sample project, the
// wizard's import button pressed and its report answered.
ValidImport ImportValidItems(const fs::path& work, const std::string& prefix, int count) {
    tests::CraftedDocument valid = SampleProjectDocument();
    std::vector<std::pair<std::string, std::string>> files;
    valid.items = std::vector<std::string>{};
    for (int i = 0; i < count; ++i) {
        const std::string name = prefix + std::to_string(i) + ".db";
        valid.items->push_back(tests::SampleItem("审计事项", name));
        files.emplace_back(name, MattersDatabase(work, prefix + std::to_string(i)));
    }
    const fs::path package = work / (prefix + ".Package");
    tests::WriteCraftedPackage(package.string(), tests::CraftedXml(valid), files);
    const fs::path base = fs::path(host::BaseDatabasePath());
    const auto baseBefore = fs::file_size(base);
    framework::ScriptedUser().ScriptFor("TFrm_MainReaderUnPack").Click("btnHorzNext").Close();
    framework::ScriptedUser().AnswerBox(framework::IDOK);
    ValidImport result;
    result.run = Import(package);
    Check(result.run.result == 1, "the valid package did not import: " + std::to_string(result.run.result));
    result.baseGrowthMiB = static_cast<double>(fs::file_size(base) - baseBefore) / kMiB;
    host::Database db;
    db.Open(host::ProjectDatabasePath(host::SampleProjectId), false);
    Check(db.Query("select count(*) from XM_AuditMatter where MatterID like ?", {prefix + "%"}).at(0).at(0) ==
              std::to_string(count),
          "the valid package did not bring every audit matter");
    return result;
}

// The refusal's one box, answered; answers the text shown.
std::string RefusalText(const fs::path& package, Run& run) {
    framework::DialogService().ClearRecords();
    framework::ScriptedUser().AnswerBox(framework::IDOK);
    run = Import(package);
    const auto& boxes = framework::DialogService().Records();
    return boxes.size() == 1 ? boxes.front().text : "(" + std::to_string(boxes.size()) + " boxes)";
}

} // namespace

int main() {
    const fs::path work = fs::path("/var/tmp") / ("tarnwick-import-bench-" + std::to_string(::getpid()));
    bool ok = true;
    try {
        fs::create_directories(work);
        RequireDisk(work);
        bench::CheckFlushesAreCounted(work.string());
        const fs::path installation = work / "A";
        host::CreateSampleInstallation(installation.string());
        // The base database, which takes each item's log entry and operation record, lies right in
        // the installation's folder; the project's database, into which the module imports, below it.
        bench::WatchFlushesIn(installation.string());
        velmora::PrepareApplication();
        host::SetCurrentUser(host::SampleMemberId);
        Check(host::OpenProject(host::SampleProjectId), "the sample project does not open");

        const ValidImport small = ImportValidItems(work, "S", kValidItems / 10);
        const ValidImport large = ImportValidItems(work, "B", kValidItems);

        tests::CraftedDocument emptyItems = SampleProjectDocument();
        emptyItems.items = std::vector<std::string>(kCraftedChildren, "<a/>");
        const fs::path emptyItemsPackage = work / "empty-items.Package";
        tests::WriteCraftedPackage(emptyItemsPackage.string(), tests::CraftedXml(emptyItems), {});
        Run emptyRefused;
        const std::string emptyText = RefusalText(emptyItemsPackage, emptyRefused);
        Check(emptyRefused.result == -1 && emptyText.find("数据项多于") != std::string::npos,
              "100,000 empty items were not refused: " + emptyText);

        tests::CraftedDocument persons = SampleProjectDocument();
        persons.persons.assign(kCraftedChildren, host::SampleMemberId);
        persons.items = std::vector<std::string>{tests::SampleItem("审计事项", "P0.db")};
        const fs::path personsPackage = work / "persons.Package";
        tests::WriteCraftedPackage(personsPackage.string(), tests::CraftedXml(persons),
                                   {{"P0.db", MattersDatabase(work, "P0")}});
        Run personsRefused;
        const std::string personsText = RefusalText(personsPackage, personsRefused);
        Check(personsRefused.result == -1 && personsText.find("项目人员多于") != std::string::npos,
              "100,000 persons were not refused: " + personsText);

        ok = Report("import of 1,000 valid items (s)", large.run.seconds, 10.0) && ok;
        // The flushes per item the import makes for its log entry and record (the base database's),
        // then all of them: the module's own import into the project's database comes on top.
        const double items = kValidItems;
        const bench::FlushCalls& flushes = large.run.flushes;
        ok = Report("fsync+fdatasync per item, log and record (base.db)", flushes.inWatchedFolder / items, 4.0) &&
             ok;
        std::printf("%-52s %6.2f  (fsync %.2f, fdatasync %.2f)\n", "fsync+fdatasync per item, module's import too",
                    flushes.Total() / items, flushes.fsync / items, flushes.fdatasync / items);
        // Linear: each item costs the same work in a large package as in a small one. The work is
        // measured as processor time, which the disk's load on a shared machine does not sway.
        const auto perItemRatio = [&](double largeSeconds, double smallSeconds) {
            return (largeSeconds / kValidItems) / (smallSeconds / (kValidItems / 10));
        };
        ok = Report("processor time per item, 1,000 items / 100 items",
                    perItemRatio(large.run.cpuSeconds, small.run.cpuSeconds), 1.5) &&
             ok;
        std::printf("%-52s %6.2f\n", "wall time per item, 1,000 items / 100 items",
                    perItemRatio(large.run.seconds, small.run.seconds));
        ok = Report("base.db growth by the 1,000 items (MiB)", large.baseGrowthMiB, 4.0) && ok;
        ok = Report("refusal of 100,000 empty items (s)", emptyRefused.seconds, 1.0) && ok;
        ok = Report("refusal of 100,000 persons (s)", personsRefused.seconds, 1.0) && ok;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_import: %s\n", e.what());
        ok = false;
    }
    host::CloseInstallation();
    fs::remove_all(work);
    return ok ? 0 : 1;
}
