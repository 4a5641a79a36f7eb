#include "host/ziptool/DeflatedSource.h"

#include "host/ziptool/CaughtError.h"
#include "platform/rtl/Exceptions.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>
#include <new>
#include <optional>

namespace host {

namespace {

struct DeflatedSourceState {
    DeflatedSourceState(std::function<TDeflated()> take, std::time_t modified, std::string& failure)
        : take(std::move(take)), modified(modified), failure(&failure) {
        zip_error_init(&error);
    }
    ~DeflatedSourceState() { zip_error_fini(&error); }

    std::function<TDeflated()> take;
    std::time_t modified;
    std::string* failure;
    std::optional<TDeflated> deflated;
    std::uint64_t compressedSize = 0;
    std::size_t position = 0;
    zip_error_t error;
};

bool Load(DeflatedSourceState& state) {
    if (state.deflated)
        return true;
    std::string failure = CaughtError([&] {
        state.deflated = state.take();
        state.compressedSize = state.deflated->data.size();
        return std::string();
    });
    if (failure.empty())
        return true;
    *state.failure = std::move(failure);
    zip_error_set(&state.error, ZIP_ER_READ, 0);
    return false;
}

zip_int64_t Stat(DeflatedSourceState& state, void* data, zip_uint64_t length) {
    if (length < sizeof(zip_stat_t) || !Load(state))
        return -1;
    auto* st = static_cast<zip_stat_t*>(data);
    zip_stat_init(st);
    st->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC |
                ZIP_STAT_ENCRYPTION_METHOD | ZIP_STAT_MTIME;
    st->size = state.deflated->size;
    st->comp_size = state.compressedSize;
    st->comp_method = ZIP_CM_DEFLATE;
    st->crc = state.deflated->crc;
    st->encryption_method = ZIP_EM_NONE;
    st->mtime = state.modified;
    return sizeof(zip_stat_t);
}

zip_int64_t Read(DeflatedSourceState& state, void* data, zip_uint64_t length) {
    const std::string& bytes = state.deflated->data;
    const std::size_t n = static_cast<std::size_t>(std::min<zip_uint64_t>(length, bytes.size() - state.position));
    std::memcpy(data, bytes.data() + state.position, n);
    state.position += n;
    return static_cast<zip_int64_t>(n);
}

zip_int64_t Callback(void* userdata, void* data, zip_uint64_t length, zip_source_cmd_t command) {
    auto* state = static_cast<DeflatedSourceState*>(userdata);
    switch (command) {
    case ZIP_SOURCE_STAT:
        return Stat(*state, data, length);
    case ZIP_SOURCE_OPEN:
        state->position = 0;
        return Load(*state) ? 0 : -1;
    case ZIP_SOURCE_READ:
        return Read(*state, data, length);
    case ZIP_SOURCE_CLOSE:
        // The data is written once; keep only what a later stat reports.
        if (state->deflated)
            std::string().swap(state->deflated->data);
        return 0;
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&state->error, data, length);
    case ZIP_SOURCE_FREE:
        delete state;
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
        zip_error_set(&state->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

} // namespace

TDeflated DeflateBytes(std::string_view bytes, int level) {
    if (bytes.size() > UINT_MAX / 2)
        throw rtl::Exception("The data is too large to compress in one piece");
    TDeflated result;
    result.size = bytes.size();
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::bad_alloc();
    result.data.resize(deflateBound(&stream, static_cast<uLong>(bytes.size())));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(result.data.data());
    stream.avail_out = static_cast<uInt>(result.data.size());
    // The output buffer holds the bound, so one call finishes the stream.
    const int rc = deflate(&stream, Z_FINISH);
    deflateEnd(&stream);
    if (rc != Z_STREAM_END)
        throw rtl::Exception("The data could not be compressed");
    result.data.resize(stream.total_out);
    result.crc = static_cast<std::uint32_t>(crc32_z(0, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
    return result;
}

zip_source_t* NewDeflatedSource(zip_t* archive, std::function<TDeflated()> take, std::time_t modified,
                                std::string& failure) {
    auto* state = new DeflatedSourceState(std::move(take), modified, failure);
    zip_source_t* source = zip_source_function(archive, Callback, state);
    if (source == nullptr)
        delete state;
    return source;
}

} // namespace host
