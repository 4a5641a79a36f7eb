#pragma once

#include "host/ziptool/NameTree.h"
#include "host/ziptool/ZipEntryName.h"
#include "host/ziptool/ZipToolSettings.h"

#include <zip.h>

#include <string>
#include <vector>

namespace rtl {
class TOpenFolder;
}

// The checks an archive passes before anything of it is written. Each answers the reason it refuses
// the archive, or "" when it accepts it.
namespace host {

struct UnpackEntry {
    zip_uint64_t index;
    ZipEntryName name;
    zip_uint64_t size;           // declared, before deflating
    zip_uint64_t compressedSize; // declared
    // The folder that holds the file in the name tree; a folder entry's own node.
    TNameTree::Index folder = TNameTree::Root;
};

// Names, kinds (links and special files are refused), encryption, compression methods, and the
// largest single file the tool unpacks in memory.
std::string ListEntries(zip_t* archive, std::vector<UnpackEntry>& entries);
std::string CheckEntryCount(zip_int64_t count, const TZipToolSettings& settings);
// The ratio compares with the compressed sizes, so padding the archive does not help a bomb through.
std::string CheckTotalSize(const std::vector<UnpackEntry>& entries, const TZipToolSettings& settings);
// Puts every name into the tree (see TNameTree::Add for what it refuses) and notes each entry's folder.
std::string CheckNames(std::vector<UnpackEntry>& entries, TNameTree& tree);
// Every name must still fit in a path below a folder whose path is rootLength bytes long.
std::string CheckPathLengths(const std::vector<UnpackEntry>& entries, std::size_t rootLength);
// What is already below the destination must not lead the writing elsewhere, and read-only files
// are not replaced. Each folder of the destination that the archive shares is listed once.
std::string CheckExisting(const std::string& root, const TNameTree& tree);
// The file system of the destination must have room for the declared content, in whole blocks,
// and for as many new files and folders as the tree holds.
std::string CheckFreeSpace(const std::string& root, const std::vector<UnpackEntry>& entries, const TNameTree& tree);

// Unpacks the entry into a new file of its last name in folder, through buffer. Answers "" or why
// the archive is refused: a damaged entry, or one longer or shorter than it declares. The writing's
// own failures (no space, no permission) raise rtl::EInOutError.
std::string CopyEntryToFile(zip_t* archive, const UnpackEntry& entry, const rtl::TOpenFolder& folder,
                            std::vector<char>& buffer);

} // namespace host
