#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace host {

// The folder and file names of an archive entry, or the reason it is refused. "\" and "/" both
// separate names; "." and empty names are dropped; a trailing separator marks a folder.
struct ZipEntryName {
    std::vector<std::string> parts;
    bool isFolder = false;
    std::string refusal;

    bool Refused() const { return !refusal.empty(); }
    // The parts joined by "/".
    std::string Joined() const;
};

// The name as the callers' file system compares it: ASCII letters in lower case.
std::string Folded(std::string name);

// Refuses what could reach outside the destination or that no file system of the callers can hold:
// absolute ("/x", "\x"), UNC ("\\server\share"), drive ("C:") and ".." names, any ":", control
// characters, text that is not UTF-8, a part longer than MaxNameBytes, and a name longer than
// MaxPathBytes (checked first, so a huge name costs no more than its length).
ZipEntryName ParseZipEntryName(std::string_view name);

// The name in quotes for a message; a long one is cut to its start, with its length.
std::string ShownName(std::string_view name);

} // namespace host
