#include "tests/support/CraftedPackage.h"
#include "tests/support/SmallFileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct CommandRun {
    int status = -1;
    std::string output;
};

CommandRun Velmora(const std::string& arguments) {
    const std::string command = std::string(TARNWICK_BINARY_DIR) + "/bin/velmora " + arguments + " 2>&1";
    CommandRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        run.output.append(buffer.data(), n);
    run.status = pclose(pipe);
    return run;
}

bool Has(const std::string& output, const std::string& line) {
    return output.find(line + "\n") != std::string::npos;
}

bool Contains(const std::string& output, const std::string& text) {
    return output.find(text) != std::string::npos;
}

// The lines starting "velmora: ", with which a command says why it failed.
std::vector<std::string> Complaints(const std::string& output) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < output.size();) {
        const std::size_t end = std::min(output.find('\n', at), output.size());
        if (output.compare(at, 9, "velmora: ") == 0)
            lines.push_back(output.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

std::string FileBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// A package exported from a sample installation arrives whole in an installation without projects:
// the project is created from it, every module imports, and a second import into the open project
// leaves it as the source holds it.
TEST(VelmoraDemo, TheRoundTripReproducesTheProject) {
    const fs::path folder = fs::path(TARNWICK_BINARY_DIR) / "host_velmora_test" / "demo";
    fs::remove_all(folder);
    const CommandRun run = Velmora("demo " + folder.string());
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string& out = run.output;

    const std::vector<std::string> lines = {
        "[user] presses 建立(&P)",
        "[wizard]   系统人员  (tab hidden)",
        "[log] 解包进行中...: 项目资料导入成功！  审计事项导入成功！  审计分析导入成功！",
        "[record] 导入项目: XM2026001 (user 200000000000000011)",
        "[record] 项目信息导入: XM2026001:项目资料 (user 200000000000000011)",
        "[record] 项目信息导入: XM2026001:审计事项 (user 200000000000000011)",
        "[record] 项目信息导入: XM2026001:审计分析 (user 200000000000000011)",
        "[host] created the project XM2026001",
        "[compare]   =  审计通知书.txt (46 bytes)",
        "[compare]   =  M001 | 往来款项核对 | 125000.5",
        "[compare] B holds the project exactly as A does",
    };
    for (const std::string& line : lines)
        EXPECT_TRUE(Has(out, line)) << line;
    // Each progress line counts what the work folders hold so far.
    for (const char* step : {"正在导入项目资料．．．", "正在导入系统人员．．．"})
        EXPECT_NE(out.find(std::string("[progress] ") + step + "  (work folders: "), std::string::npos) << step;
    // The second import finds the project open: nothing is created, nothing asked.
    const std::string again = out.substr(out.find("import-again"));
    EXPECT_EQ(again.find("建立"), std::string::npos);
    EXPECT_TRUE(Has(again, "[record] 项目信息导入: XM2026001:审计事项 (user 200000000000000011)"));

    for (const char* picture : {"import/01-project-creation.png", "import/02-module-tab-项目资料.png",
                                "import/05-message.png", "import-again/04-message.png"})
        EXPECT_TRUE(fs::exists(folder / "pictures" / picture)) << picture;
}

TEST(VelmoraImport, APreviewImportsNothingAndABadPackageIsRefused) {
    const fs::path folder = fs::path(TARNWICK_BINARY_DIR) / "host_velmora_test" / "preview";
    fs::remove_all(folder);
    ASSERT_EQ(Velmora("init " + (folder / "a").string()).status, 0);
    ASSERT_EQ(Velmora("export " + (folder / "a").string() +
                      " --user 200000000000000011 --project XM2026001 --modules 审计事项 --name p")
                  .status,
              0);
    const std::string package = (folder / "a" / "PackageStore" / "p.Package").string();
    const CommandRun preview = Velmora("import " + (folder / "a").string() + " " + package +
                                " --user 200000000000000011 --project XM2026001 --preview");
    EXPECT_EQ(preview.status, 0) << preview.output;
    EXPECT_TRUE(Has(preview.output, "[user] selects the tab 审计事项")) << preview.output;
    EXPECT_EQ(preview.output.find("presses 导入"), std::string::npos);
    EXPECT_EQ(preview.output.find("[record]"), std::string::npos);

    fs::create_directories(folder / "junk");
    std::FILE* junk = std::fopen((folder / "junk" / "x.Package").c_str(), "w");
    std::fputs("not a package", junk);
    std::fclose(junk);
    const CommandRun bad = Velmora("import " + (folder / "a").string() + " " + (folder / "junk" / "x.Package").string());
    EXPECT_NE(bad.status, 0);
    EXPECT_TRUE(Has(bad.output, "[message] 数据包格式不正确或非项目数据包，请检查后导入！")) << bad.output;
}

// The plug-in answers 1 once its wizard ran, whatever came of the import: an item that failed to
// import makes the command fail all the same, with one line saying so.
TEST(VelmoraImport, AnItemThatFailsToImportMakesTheImportFail) {
    const fs::path folder = fs::path(TARNWICK_BINARY_DIR) / "host_velmora_test" / "failing-item";
    for (const std::string build : {"", " --reduced"}) {
        SCOPED_TRACE(build.empty() ? "full" : "reduced");
        fs::remove_all(folder);
        const std::string a = (folder / "A").string(), package = (folder / "broken.Package").string();
        ASSERT_EQ(Velmora("init " + a + build).status, 0);
        tests::CraftedDocument doc;
        doc.version = build.empty() ? "3" : "2";
        doc.prjId = "XM2026001";
        doc.persons = {"200000000000000011"};
        doc.items = std::vector<std::string>{tests::SampleItem("审计事项", "审计事项.db")};
        tests::WriteCraftedPackage(package, tests::CraftedXml(doc), {{"审计事项.db", "no database"}});

        const CommandRun run =
            Velmora("import " + a + " " + package + " --user 200000000000000011 --project XM2026001");
        EXPECT_NE(run.status, 0) << run.output;
        EXPECT_TRUE(Has(run.output, "[host] VekPackPortInfo answered 1")) << run.output;
        EXPECT_TRUE(Has(run.output, "[message] 审计事项导入失败！")) << run.output;
        EXPECT_EQ(Complaints(run.output), std::vector<std::string>{"velmora: the import failed: 审计事项导入失败！"})
            << run.output;
    }
    fs::remove_all(folder);
}

// A package of one project-bound module names its project, without the project information: it
// imports into that project where a member has it open, and makes no project where it is missing.
TEST(VelmoraImport, APackageOfOneProjectBoundModuleImportsIntoItsOwnProjectOnly) {
    const fs::path folder = fs::path(TARNWICK_BINARY_DIR) / "host_velmora_test" / "one-module";
    fs::remove_all(folder);
    for (const std::string build : {"", " --reduced"}) {
        SCOPED_TRACE(build.empty() ? "full" : "reduced");
        const std::string a = (folder / "A").string(), b = (folder / "B").string(), c = (folder / "C").string();
        fs::remove_all(folder);
        ASSERT_EQ(Velmora("init " + a + build).status, 0);
        ASSERT_EQ(Velmora("init " + b + build).status, 0);
        ASSERT_EQ(Velmora("init " + c + " --empty" + build).status, 0);
        const CommandRun exported =
            Velmora("export " + a + " --user 200000000000000011 --project XM2026001 --modules 审计事项 --name p");
        ASSERT_EQ(exported.status, 0) << exported.output;
        const std::string package = a + "/PackageStore/p.Package";
        const CommandRun contents = Velmora("contents " + package);
        EXPECT_TRUE(Has(contents.output, "  PrjInfo: XM2026001 2026年度财务收支审计 (PrjInfoExport False)"))
            << contents.output;

        const CommandRun intoProject =
            Velmora("import " + b + " " + package + " --user 200000000000000011 --project XM2026001");
        EXPECT_EQ(intoProject.status, 0) << intoProject.output;
        EXPECT_TRUE(Has(intoProject.output, "[message] 审计事项导入成功！")) << intoProject.output;

        const CommandRun nowhere = Velmora("import " + c + " " + package + " --user 200000000000000011");
        EXPECT_NE(nowhere.status, 0) << nowhere.output;
        EXPECT_TRUE(Has(nowhere.output, "[message] 没有打开项目！")) << nowhere.output;
        EXPECT_FALSE(Contains(nowhere.output, "[host] created the project")) << nowhere.output;
    }
    fs::remove_all(folder);
}

// The README's road without a project: the system's persons go into a file chosen in the save
// dialog, and the administrator imports them into another installation. A chosen file that exists
// is replaced only after the question, and a package that cannot be written leaves the old one.
TEST(VelmoraExport, WithoutAProjectTheSystemsPersonsTravelInAChosenFile) {
    const fs::path folder = fs::path(TARNWICK_BINARY_DIR) / "host_velmora_test" / "no-project";
    fs::remove_all(folder);
    const std::string a = (folder / "A").string(), b = (folder / "B").string();
    ASSERT_EQ(Velmora("init " + a).status, 0);
    ASSERT_EQ(Velmora("init " + b + " --empty").status, 0);
    const std::string chosen = (folder / "人员").string(), package = chosen + ".Package";

    const CommandRun exported = Velmora("export " + a + " --modules 系统人员 --save " + chosen);
    EXPECT_EQ(exported.status, 0) << exported.output;
    EXPECT_TRUE(Has(exported.output, "[message] 数据包导出成功！")) << exported.output;
    EXPECT_TRUE(Has(exported.output, "[host] the package was written to " + package)) << exported.output;
    EXPECT_FALSE(Contains(exported.output, "失败")) << exported.output;
    const CommandRun imported = Velmora("import " + b + " " + package);
    EXPECT_EQ(imported.status, 0) << imported.output;
    EXPECT_TRUE(Has(imported.output, "[message] 系统人员导入成功！")) << imported.output;

    // The package is there now: the question names it, and only Yes replaces it.
    const std::string question = "[question] 该文件已经存在,确实要覆盖吗？\r\n" + package;
    const std::string first = FileBytes(package);
    const CommandRun kept = Velmora("export " + a + " --modules 系统人员 --save " + chosen + " --answer no");
    EXPECT_NE(kept.status, 0) << kept.output;
    EXPECT_TRUE(Contains(kept.output, question)) << kept.output;
    EXPECT_TRUE(Has(kept.output, "velmora: the export made no package (RunAppEvn answered 1)")) << kept.output;
    EXPECT_EQ(FileBytes(package), first);
    fs::permissions(package, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const CommandRun readOnly = Velmora("export " + a + " --modules 系统人员 --save " + chosen + " --answer yes");
    EXPECT_NE(readOnly.status, 0) << readOnly.output;
    EXPECT_TRUE(Has(readOnly.output, "[message] 数据包导出失败！")) << readOnly.output;
    EXPECT_TRUE(Has(readOnly.output, "[host] no package was written to " + package)) << readOnly.output;
    EXPECT_EQ(FileBytes(package), first);
    fs::permissions(package, fs::perms::owner_write, fs::perm_options::add);
    const CommandRun replaced = Velmora("export " + a + " --modules 系统人员 --save " + chosen + " --answer yes");
    EXPECT_EQ(replaced.status, 0) << replaced.output;
    EXPECT_TRUE(Has(replaced.output, "[host] the package was written to " + package)) << replaced.output;
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_TRUE(entry.path().filename() == "A" || entry.path().filename() == "B" ||
                    entry.path().filename() == "人员.Package")
            << entry.path();
}

// An installation below a linked folder (a linked home or data folder) works as any other.
TEST(VelmoraInstallation, InstallationsBelowALinkedFolderExportAndImport) {
    const fs::path folder = fs::path(TARNWICK_BINARY_DIR) / "host_velmora_test" / "linked";
    fs::remove_all(folder);
    fs::create_directories(folder / "real");
    fs::create_directory_symlink(folder / "real", folder / "home");
    struct Build {
        std::string flag, name;
    };
    for (const Build& build : {Build{"", "full"}, Build{" --reduced", "reduced"}}) {
        SCOPED_TRACE(build.name);
        const std::string a = (folder / "home" / (build.name + "-A")).string();
        const std::string b = (folder / "home" / (build.name + "-B")).string();
        const CommandRun init = Velmora("init " + a + build.flag);
        ASSERT_EQ(init.status, 0) << init.output;
        ASSERT_EQ(Velmora("init " + b + " --empty" + build.flag).status, 0);
        const CommandRun exported = Velmora("export " + a + " --user 200000000000000011 --project XM2026001 "
                                            "--modules 项目信息,项目资料,审计事项 --name 链接");
        ASSERT_EQ(exported.status, 0) << exported.output;
        const CommandRun imported =
            Velmora("import " + b + " " + a + "/PackageStore/链接.Package --user 200000000000000011");
        EXPECT_EQ(imported.status, 0) << imported.output;
        EXPECT_TRUE(Has(imported.output, "[host] created the project XM2026001")) << imported.output;
        EXPECT_TRUE(fs::is_regular_file(folder / "real" / fs::path(b).filename() / "base.db"));
    }
    fs::remove_all(folder);
}

// Every command copies the built plug-in into the installation; a copy that does not fit leaves the
// installed plug-in as it was and nothing beside it.
TEST(VelmoraInstallation, APlugInCopyThatDoesNotFitLeavesTheInstalledOne) {
    const fs::path folder = fs::path(TARNWICK_BINARY_DIR) / "host_velmora_test" / "full-disk";
    tests::SmallFileSystem disk(folder.string(), std::size_t(1) << 30);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    const fs::path installation = folder / "A";
    ASSERT_EQ(Velmora("init " + installation.string()).status, 0);
    const fs::path plugin = installation / "Tarnwick.so";
    const std::string installed = FileBytes(plugin);
    ASSERT_TRUE(disk.Resize(disk.UsedBytes() + installed.size() / 2));

    const CommandRun run = Velmora("export " + installation.string() +
                                   " --user 200000000000000011 --project XM2026001 --modules 项目信息 --name p");
    EXPECT_NE(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("velmora: "), std::string::npos) << run.output;
    EXPECT_TRUE(FileBytes(plugin) == installed) << "the installed plug-in changed";
    for (const auto& entry : fs::directory_iterator(installation))
        EXPECT_FALSE(entry.path().filename().string().starts_with("Tarnwick.so.")) << entry.path();
}

// The reduced plug-in on installations of its own, and packages moving between the two builds.

fs::path Folder(const std::string& name) {
    const fs::path folder = fs::path(TARNWICK_BINARY_DIR) / "host_velmora_reduced_test" / name;
    fs::remove_all(folder);
    fs::create_directories(folder.parent_path());
    return folder;
}

constexpr char Member[] = "200000000000000011";

TEST(VelmoraReduced, TheRoundTripOnTheReducedPlugInReproducesTheProjectWithoutATrace) {
    const fs::path folder = Folder("demo");
    const CommandRun run = Velmora("demo " + folder.string() + " --reduced");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string& out = run.output;
    EXPECT_TRUE(Contains(out, "TarnwickReduced.so")) << out;
    EXPECT_TRUE(Contains(out, "PackageVersion = 2\n"));
    EXPECT_TRUE(Contains(out, "XMGL.pck: 1 file"));
    EXPECT_TRUE(Contains(out, "[host] the work folder ~Vek~Temp\\XMGL is empty\n"));
    EXPECT_TRUE(Contains(out, "[host] created the project XM2026001\n"));
    EXPECT_TRUE(Contains(out, "[compare] B holds the project exactly as A does\n"));
    EXPECT_FALSE(Contains(out, "[log] ")) << "the reduced build writes no log entry";
    EXPECT_FALSE(Contains(out, "[record] ")) << "the reduced build adds no operation record";
}

TEST(VelmoraReduced, PackagesMoveBetweenTheBuildsWhereTheirVersionsAllow) {
    const fs::path folder = Folder("cross");
    const std::string reduced = (folder / "reduced").string(), full = (folder / "full").string();
    ASSERT_EQ(Velmora("init " + reduced + " --reduced").status, 0);
    ASSERT_EQ(Velmora("init " + full).status, 0);
    const std::string exportArgs = std::string(" --user ") + Member +
                                   " --project XM2026001 --modules 项目信息,项目资料,审计事项 --name p";
    ASSERT_EQ(Velmora("export " + reduced + exportArgs).status, 0);
    ASSERT_EQ(Velmora("export " + full + exportArgs).status, 0);

    // The full build reads the reduced build's version-2 package, creating its project from the
    // packed parts.
    const std::string fullTarget = (folder / "full-target").string();
    ASSERT_EQ(Velmora("init " + fullTarget + " --empty").status, 0);
    const CommandRun intoFull =
        Velmora("import " + fullTarget + " " + reduced + "/PackageStore/p.Package --user " + Member);
    EXPECT_EQ(intoFull.status, 0) << intoFull.output;
    EXPECT_TRUE(Contains(intoFull.output, "[host] created the project XM2026001\n")) << intoFull.output;
    EXPECT_TRUE(Contains(intoFull.output, "[record] 导入项目: XM2026001")) << intoFull.output;
    const CommandRun same = Velmora("compare " + reduced + " " + fullTarget + " XM2026001");
    EXPECT_TRUE(Contains(same.output, "[compare]   =  审计通知书.txt (46 bytes)\n")) << same.output;

    // The reduced build reads no version-3 package and says it cannot read it.
    const std::string reducedTarget = (folder / "reduced-target").string();
    ASSERT_EQ(Velmora("init " + reducedTarget + " --empty --reduced").status, 0);
    const CommandRun intoReduced =
        Velmora("import " + reducedTarget + " " + full + "/PackageStore/p.Package --user " + Member);
    EXPECT_TRUE(Contains(intoReduced.output, "VekPackPortInfo answered -1\n")) << intoReduced.output;
    EXPECT_TRUE(Contains(intoReduced.output, "[message] 数据包格式不正确或非项目数据包，请检查后导入！\n"))
        << intoReduced.output;
    EXPECT_FALSE(Contains(intoReduced.output, "[host] created the project")) << intoReduced.output;
}

} // namespace
