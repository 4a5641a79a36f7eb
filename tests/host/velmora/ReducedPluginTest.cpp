// The reduced plug-in on installations of its own, and packages moving between the two builds, run
// through the velmora command as a program.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

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

bool Has(const std::string& output, const std::string& text) {
    return output.find(text) != std::string::npos;
}

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
    EXPECT_TRUE(Has(out, "TarnwickReduced.so")) << out;
    EXPECT_TRUE(Has(out, "PackageVersion = 2\n"));
    EXPECT_TRUE(Has(out, "XMGL.pck: 1 file"));
    EXPECT_TRUE(Has(out, "[host] the work folder ~Vek~Temp\\XMGL is empty\n"));
    EXPECT_TRUE(Has(out, "[host] created the project XM2026001\n"));
    EXPECT_TRUE(Has(out, "[compare] B holds the project exactly as A does\n"));
    EXPECT_FALSE(Has(out, "[log] ")) << "the reduced build writes no log entry";
    EXPECT_FALSE(Has(out, "[record] ")) << "the reduced build adds no operation record";
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
    EXPECT_TRUE(Has(intoFull.output, "[host] created the project XM2026001\n")) << intoFull.output;
    EXPECT_TRUE(Has(intoFull.output, "[record] 导入项目: XM2026001")) << intoFull.output;
    const CommandRun same = Velmora("compare " + reduced + " " + fullTarget + " XM2026001");
    EXPECT_TRUE(Has(same.output, "[compare]   =  审计通知书.txt (46 bytes)\n")) << same.output;

    // The reduced build reads no version-3 package and says nothing about it.
    const std::string reducedTarget = (folder / "reduced-target").string();
    ASSERT_EQ(Velmora("init " + reducedTarget + " --empty --reduced").status, 0);
    const CommandRun intoReduced =
        Velmora("import " + reducedTarget + " " + full + "/PackageStore/p.Package --user " + Member);
    EXPECT_TRUE(Has(intoReduced.output, "VekPackPortInfo answered -1\n")) << intoReduced.output;
    EXPECT_FALSE(Has(intoReduced.output, "[message]")) << intoReduced.output;
    EXPECT_FALSE(Has(intoReduced.output, "[host] created the project")) << intoReduced.output;
}

} // namespace
