#pragma once

#include "host/ziptool/ZipEntryName.h"
#include "host/ziptool/ZipToolSettings.h"

#include <zip.h>

#include <string>
#include <vector>

// The checks an archive passes before anything of it is written. Each answers the reason it refuses
// the archive, or "" when it accepts it.
namespace host {

struct UnpackEntry {
    zip_uint64_t index;
    ZipEntryName name;
    zip_uint64_t size;           // declared, before deflating
    zip_uint64_t compressedSize; // declared
};

// Names, kinds (links and special files are refused), encryption, compression methods, and the
// largest single file the tool unpacks in memory.
std::string ListEntries(zip_t* archive, std::vector<UnpackEntry>& entries);
std::string CheckEntryCount(zip_int64_t count, const TZipToolSettings& settings);
// The ratio compares with the compressed sizes, so padding the archive does not help a bomb through.
std::string CheckTotalSize(const std::vector<UnpackEntry>& entries, const TZipToolSettings& settings);
// A name cannot be both a file and a folder; no file may come twice; and no two names may differ
// only in case, since the callers' file system takes them for one.
std::string CheckNames(const std::vector<UnpackEntry>& entries);
// What is already below the destination must not lead the writing elsewhere, and read-only files
// are not replaced.
std::string CheckExisting(const std::string& root, const std::vector<UnpackEntry>& entries);

// Unpacks the entry into the file at path, through buffer; a damaged entry, or one longer or
// shorter than it declares, is refused.
std::string CopyEntryToFile(zip_t* archive, const UnpackEntry& entry, const std::string& path,
                            std::vector<char>& buffer);

// The first count parts of the name, joined by "/".
std::string PrefixOf(const ZipEntryName& name, std::size_t count);

} // namespace host
