#pragma once

#include <zip.h>

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

namespace host {

// An entry's data deflated (raw, without a zlib header) as an archive stores it.
struct TDeflated {
    std::string data;
    std::uint32_t crc = 0;
    std::uint64_t size = 0; // before deflating
};

// Deflates at the level given (1 to 9); incompressible data comes out in stored blocks, a few bytes
// larger than it went in, as other archivers write it.
TDeflated DeflateBytes(std::string_view bytes, int level);

// A libzip source whose data was deflated elsewhere (on another thread), so that libzip copies it
// into the archive as it stands. take runs when libzip first asks for the entry; what it raises
// ends the archive, with the message in failure.
zip_source_t* NewDeflatedSource(zip_t* archive, std::function<TDeflated()> take, std::time_t modified,
                                std::string& failure);

} // namespace host
