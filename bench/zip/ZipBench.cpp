// Packing against "zip -r -6" and unpacking against "unzip" on a generated folder of 40 MiB (half
// text of about 1 MiB a file, half incompressible files in a sub-folder), the median of three
// alternating pairs; then the growth of unpacking time from 10,000 to 100,000 entries, unpacking
// 10,000 small entries against "unzip" (what each entry costs), and the time to refuse an archive
// bomb. Exits non-zero when a bound is missed.
#include "bench/support/Bounds.h"
#include "bench/support/MemoryFolder.h"
#include "bench/support/ProseText.h"
#include "host/ziptool/DeflatedSource.h"
#include "host/ziptool/VekZipTool.h"
#include "platform/rtl/FileSystem.h"

#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using bench::Check;
using bench::Report;

constexpr int kPairs = 3;
constexpr int kFilesPerHalf = 20;
constexpr std::size_t kFileSize = 1 << 20;

double Seconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Shell(const std::string& command) {
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("failed: " + command);
}

void MakeSource(const fs::path& source) {
    std::mt19937 random(26);
    fs::create_directories(source / "data");
    for (int i = 0; i < kFilesPerHalf; ++i) {
        rtl::WriteFileBytes((source / ("text" + std::to_string(i) + ".txt")).string(), bench::ProseText(random, kFileSize));
        std::string noise(kFileSize, '\0');
        for (char& c : noise)
            c = static_cast<char>(random());
        rtl::WriteFileBytes((source / "data" / ("noise" + std::to_string(i) + ".bin")).string(), noise);
    }
}

struct Ratios {
    double pack, unpack, size;
};

Ratios CompareWithPeers(const fs::path& work) {
    const fs::path source = work / "source";
    MakeSource(source);
    const fs::path ours = work / "ours.zip", theirs = work / "theirs.zip";
    std::vector<double> pack, zip, unpack, unzip;
    for (int pair = 0; pair < kPairs; ++pair) {
        fs::remove(ours);
        fs::remove(theirs);
        std::string out;
        pack.push_back(Seconds([&] { Check(host::CompressFile(source.string(), ours.string(), out), out); }));
        zip.push_back(Seconds([&] { Shell("cd '" + work.string() + "' && zip -q -r -6 theirs.zip source"); }));

        fs::remove_all(work / "unpacked-ours");
        fs::remove_all(work / "unpacked-theirs");
        unpack.push_back(Seconds([&] {
            Check(host::ExtractFile(theirs.string(), (work / "unpacked-ours").string(), out), out);
        }));
        unzip.push_back(Seconds([&] { Shell("unzip -q '" + theirs.string() + "' -d '" + (work / "unpacked-theirs").string() + "'"); }));
    }
    Shell("unzip -tqq '" + ours.string() + "' >/dev/null");
    Shell("diff -r '" + (work / "unpacked-ours").string() + "' '" + (work / "unpacked-theirs").string() + "'");
    std::printf("pack    %.3f s   zip -r -6 %.3f s\n", Median(pack), Median(zip));
    std::printf("unpack  %.3f s   unzip     %.3f s\n", Median(unpack), Median(unzip));
    return {Median(pack) / Median(zip), Median(unpack) / Median(unzip),
            static_cast<double>(fs::file_size(ours)) / static_cast<double>(fs::file_size(theirs))};
}

void WriteEmptyEntries(const fs::path& archivePath, int count) {
    int error = 0;
    zip_t* archive = zip_open(archivePath.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    Check(archive != nullptr, "cannot create " + archivePath.string());
    for (int i = 0; i < count; ++i) {
        const std::string name = "many/entry" + std::to_string(i) + ".txt";
        zip_source_t* empty = zip_source_buffer(archive, nullptr, 0, 0);
        Check(zip_file_add(archive, name.c_str(), empty, 0) >= 0, "cannot add " + name);
    }
    Check(zip_close(archive) == 0, "cannot write " + archivePath.string());
}

double UnpackSeconds(const fs::path& folder, int count) {
    const fs::path work = bench::MemoryFolderOr(folder);
    fs::create_directories(work);
    const fs::path archive = work / ("many" + std::to_string(count) + ".zip");
    WriteEmptyEntries(archive, count);
    const fs::path dest = work / ("many" + std::to_string(count));
    std::string out;
    const double seconds = Seconds([&] { Check(host::ExtractFile(archive.string(), dest.string(), out), out); });
    fs::remove_all(dest);
    const double peer = Seconds([&] { Shell("unzip -q '" + archive.string() + "' -d '" + dest.string() + "'"); });
    fs::remove_all(dest);
    if (work != folder)
        fs::remove_all(work);
    std::printf("unpack %d empty entries %.3f s   unzip %.3f s   (in %s)\n", count, seconds, peer,
                work.parent_path().c_str());
    return seconds;
}

void WriteSmallEntries(const fs::path& archivePath, int count) {
    int error = 0;
    zip_t* archive = zip_open(archivePath.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    Check(archive != nullptr, "cannot create " + archivePath.string());
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        texts.push_back("entry " + std::to_string(i) + ": a small text of the kind a module writes.\n");
        const std::string name = "small/entry" + std::to_string(i) + ".txt";
        zip_source_t* text = zip_source_buffer(archive, texts.back().data(), texts.back().size(), 0);
        Check(zip_file_add(archive, name.c_str(), text, 0) >= 0, "cannot add " + name);
    }
    Check(zip_close(archive) == 0, "cannot write " + archivePath.string());
}

// Small entries against unzip, alternating, the median of each: what unpacking costs per entry.
double SmallEntriesRatio(const fs::path& folder, int count) {
    const fs::path work = bench::MemoryFolderOr(folder);
    fs::create_directories(work);
    const fs::path archive = work / "small.zip";
    WriteSmallEntries(archive, count);
    const fs::path ours = work / "small-ours", theirs = work / "small-theirs";
    std::vector<double> unpack, unzip;
    for (int pair = 0; pair < kPairs; ++pair) {
        fs::remove_all(ours);
        fs::remove_all(theirs);
        std::string out;
        unpack.push_back(Seconds([&] { Check(host::ExtractFile(archive.string(), ours.string(), out), out); }));
        unzip.push_back(Seconds([&] { Shell("unzip -q '" + archive.string() + "' -d '" + theirs.string() + "'"); }));
    }
    Shell("diff -r '" + ours.string() + "' '" + theirs.string() + "'");
    if (work != folder)
        fs::remove_all(work);
    std::printf("unpack %d small entries %.3f s   unzip %.3f s   (in %s)\n", count, Median(unpack), Median(unzip),
                work.parent_path().c_str());
    return Median(unpack) / Median(unzip);
}

// Four entries of 1 GiB of zeros, deflated once and stored four times: about 4 MiB of archive.
double BombSeconds(const fs::path& work) {
    constexpr std::uint64_t kGiB = std::uint64_t(1) << 30;
    const std::string zeros(1 << 20, '\0');
    host::TDeflated deflated;
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_RLE);
    std::vector<char> out(1 << 16);
    for (std::uint64_t left = kGiB; left > 0;) {
        left -= zeros.size();
        deflated.crc = static_cast<std::uint32_t>(crc32(deflated.crc, reinterpret_cast<const Bytef*>(zeros.data()), zeros.size()));
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.data()));
        stream.avail_in = static_cast<uInt>(zeros.size());
        do {
            stream.next_out = reinterpret_cast<Bytef*>(out.data());
            stream.avail_out = static_cast<uInt>(out.size());
            deflate(&stream, left == 0 ? Z_FINISH : Z_NO_FLUSH);
            deflated.data.append(out.data(), out.size() - stream.avail_out);
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    deflated.size = kGiB;

    const fs::path bomb = work / "bomb.zip";
    int error = 0;
    zip_t* archive = zip_open(bomb.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    std::string failure;
    for (int i = 0; i < 4; ++i) {
        zip_source_t* source = host::NewDeflatedSource(archive, [&] { return deflated; }, 0, failure);
        Check(zip_file_add(archive, ("part" + std::to_string(i)).c_str(), source, 0) >= 0, "cannot add to the bomb");
    }
    Check(zip_close(archive) == 0, "cannot write the bomb: " + failure);
    std::printf("bomb: %.1f MiB of archive declaring 4 GiB\n", static_cast<double>(fs::file_size(bomb)) / (1 << 20));

    const fs::path dest = work / "bomb-dest";
    std::string message;
    const double seconds = Seconds([&] { Check(!host::ExtractFile(bomb.string(), dest.string(), message), "the bomb was unpacked"); });
    Check(!fs::exists(dest), "the bomb left a destination");
    for (const auto& entry : fs::directory_iterator(work))
        Check(entry.path().filename().string().find("unpacking") == std::string::npos, "the bomb left a staging folder");
    std::printf("bomb refused in %.3f s: %s\n", seconds, message.c_str());
    return seconds;
}

} // namespace

int main() {
    const fs::path work = fs::temp_directory_path() / ("tarnwick-zip-bench-" + std::to_string(::getpid()));
    fs::create_directories(work);
    bool ok = true;
    try {
        const Ratios ratios = CompareWithPeers(work);
        const double small = UnpackSeconds(work, 10000), large = UnpackSeconds(work, 100000);
        const double smallEntries = SmallEntriesRatio(work, 10000);
        const double bomb = BombSeconds(work);
        ok = Report("pack time / zip -r -6", ratios.pack, 1.0) && ok;
        ok = Report("unpack time / unzip", ratios.unpack, 1.0) && ok;
        ok = Report("archive size / zip -r -6", ratios.size, 1.02) && ok;
        // Linear time gives about 10; the quadratic resolution it replaced gave about 100.
        ok = Report("unpack 100,000 entries / 10,000 entries", large / small, 20.0) && ok;
        ok = Report("unpack 10,000 small entries / unzip", smallEntries, 1.0) && ok;
        ok = Report("seconds to refuse the bomb", bomb, 0.5) && ok;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_zip: %s\n", e.what());
        ok = false;
    }
    fs::remove_all(work);
    return ok ? 0 : 1;
}
