#include "tests/host/ziptool/ZeroArchive.h"

#include "host/ziptool/DeflatedSource.h"

#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace {

host::TDeflated DeflatedZeros(std::uint64_t count) {
    static const std::string zeros(1 << 20, '\0');
    host::TDeflated result;
    z_stream stream{};
    // Runs of one byte are what a bomb is made of; this strategy deflates them fastest.
    deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_RLE);
    char out[65536];
    for (std::uint64_t left = count;;) {
        const std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(left, zeros.size()));
        left -= chunk;
        result.crc = static_cast<std::uint32_t>(crc32(result.crc, reinterpret_cast<const Bytef*>(zeros.data()), chunk));
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.data()));
        stream.avail_in = static_cast<uInt>(chunk);
        int rc;
        do {
            stream.next_out = reinterpret_cast<Bytef*>(out);
            stream.avail_out = sizeof out;
            rc = deflate(&stream, left == 0 ? Z_FINISH : Z_NO_FLUSH);
            result.data.append(out, sizeof out - stream.avail_out);
        } while (stream.avail_out == 0);
        if (left == 0 && rc == Z_STREAM_END)
            break;
    }
    deflateEnd(&stream);
    result.size = count;
    return result;
}

} // namespace

void WriteZeroArchive(const std::string& path, const std::vector<ZeroEntry>& entries) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr)
        throw std::runtime_error("zip_open failed");
    std::string failure;
    for (const ZeroEntry& entry : entries) {
        host::TDeflated deflated = DeflatedZeros(entry.actualSize);
        deflated.size = entry.declaredSize;
        zip_source_t* source = host::NewDeflatedSource(
            archive, [deflated] { return deflated; }, 0, failure);
        if (source == nullptr || zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0)
            throw std::runtime_error("cannot add " + entry.name);
    }
    if (zip_close(archive) != 0)
        throw std::runtime_error("zip_close failed: " + failure);
}

