// The materials module imports a packed 项目资料 item of 200 MiB into an existing project whose
// materials it replaces (the reduced build's item "ResFile.pck"). The files it unpacked for the
// import are moved into the project; beside it, in the same run, the unpack followed by a copy into
// the project that the move spares. Bytes written (the process's write count) and time of each are
// printed, and their ratio.
#include "host/AppInterface.h"
#include "host/HostControl.h"
#include "host/HostState.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/win/Library.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 20;
constexpr std::size_t kFileSize = 10 << 20;

void Check(bool ok, const std::string& what) {
    if (!ok)
        throw std::runtime_error(what);
}

unsigned long long BytesWritten() {
    std::ifstream io("/proc/self/io");
    for (std::string key; io >> key;) {
        unsigned long long value = 0;
        io >> value;
        if (key == "wchar:")
            return value;
    }
    throw std::runtime_error("no /proc/self/io");
}

struct Figures {
    unsigned long long bytes = 0;
    double seconds = 0;
};

template <class Work> Figures Measure(Work work) {
    const unsigned long long bytes = BytesWritten();
    const auto start = std::chrono::steady_clock::now();
    work();
    return {BytesWritten() - bytes,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()};
}

using TImport = std::int32_t (*)(void*, void*, void*, std::int32_t, const char*);

} // namespace

int main() try {
    const fs::path work =
        fs::temp_directory_path() / ("tarnwick-materials-bench-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work);
    host::CreateSampleInstallation((work / "inst").string());
    host::SetInstalledPluginBuild(host::PluginBuild::Reduced);
    Check(host::OpenProject(host::SampleProjectId), "the sample project does not open");

    const std::string source = (work / "source").string() + "/";
    fs::create_directories(source);
    std::mt19937 random(39);
    for (int i = 0; i < kFiles; ++i) {
        std::string bytes(kFileSize, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random());
        rtl::WriteFileBytes(source + "底稿" + std::to_string(i) + ".dat", bytes);
    }
    const std::string item = (work / "ResFile.pck").string();
    sharemem::CountedText out;
    Check(CompressFile(out.Var(), source.c_str(), item.c_str()) == 1, "cannot pack: " + out.Str());
    const std::string materials = host::ProjectMaterialsFolder(host::SampleProjectId);

    void* library = win::LoadLibraryA((host::InstallationFolder() + "Modules\\ProjectMaterials.dll").c_str());
    Check(library != nullptr, "the materials module does not load");
    auto import = reinterpret_cast<TImport>(win::GetProcAddress(library, "VekPackage_Import"));
    Check(import != nullptr, "no VekPackage_Import");

    Figures copied, moved;
    for (int round = 0; round < 2; ++round) {
        const std::string scratch = (work / "scratch").string() + "/";
        const Figures c = Measure([&] {
            sharemem::CountedText unpacked;
            Check(ExtractFile(unpacked.Var(), item.c_str(), scratch.c_str()) == 1, "cannot unpack");
            host::detail::CopyTree(scratch, materials);
            host::detail::RemoveTree(scratch);
        });
        const Figures m =
            Measure([&] { Check(import(nullptr, nullptr, nullptr, 2, item.c_str()) == 1, "import failed"); });
        if (round == 0 || c.seconds < copied.seconds)
            copied = c;
        if (round == 0 || m.seconds < moved.seconds)
            moved = m;
    }
    Check(rtl::ReadFileBytes(materials + "底稿0.dat") == rtl::ReadFileBytes(source + "底稿0.dat"),
          "materials differ");
    const double mib = 1024.0 * 1024.0;
    std::printf("packed 项目资料 of %d MiB into an existing project (best of 2):\n",
                int(kFiles * (kFileSize >> 20)));
    std::printf("  unpack, then copy: %8.1f MiB written, %.2f s\n", copied.bytes / mib, copied.seconds);
    std::printf("  unpack, then move: %8.1f MiB written, %.2f s\n", moved.bytes / mib, moved.seconds);
    std::printf("  move / copy: %.2f of the bytes, %.2f of the time\n",
                double(moved.bytes) / double(copied.bytes), moved.seconds / copied.seconds);
    host::CloseInstallation();
    fs::remove_all(work);
    return 0;
} catch (const std::exception& e) {
    std::fprintf(stderr, "bench_materials_import: %s\n", e.what());
    return 1;
}
