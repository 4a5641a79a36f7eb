#pragma once

#include <string>

namespace host {

// The compression tool. Archives are ZIP files with UTF-8 entry names. Both functions answer true
// on success; on failure they answer false with the reason in out and raise nothing. On success out
// says what was done.

// Source is either a folder, whose whole content is packed under relative names (sub-folders kept),
// or files joined by "@&@", each packed under its bare file name (a trailing empty piece is ignored).
// A single file packs as a list of one. Links inside a packed folder are left out, and so is the
// destination when it lies inside the source. An existing destination is replaced atomically: it
// keeps its old content unless the new archive was written completely.
bool CompressFile(const std::string& source, const std::string& dest, std::string& out);

// What an extraction answers. The numbers are those the tool's exported ExtractFile answers, so that
// a caller can tell a package it must refuse from a destination that could not take it without
// reading the reason, which is for people.
enum class TExtractResult : int {
    Done = 1,
    // Not an archive, damaged, or holding what the tool refuses (see ExtractArchive).
    ArchiveRefused = 0,
    // The destination could not take the content: no space left, no permission, a write error, or
    // something in the way below it.
    DestinationFailed = -1,
};

// Unpacks the archive into destDir, creating it when missing. The archive is checked whole before
// anything is written: an absolute, drive, UNC or ".." name, a link or other special entry, an
// encrypted or damaged entry, a name longer than a file system takes or reaching deeper than a path
// may be long, or a file that is no archive at all extracts nothing; so does a destination without
// the free space the archive declares. Nothing is written through a link that already exists below
// destDir. Time and memory grow linearly with the number and total length of the names.
TExtractResult ExtractArchive(const std::string& archive, const std::string& destDir, std::string& out);
// ExtractArchive, answering whether it was done.
bool ExtractFile(const std::string& archive, const std::string& destDir, std::string& out);

} // namespace host
