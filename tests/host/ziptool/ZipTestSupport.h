#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// Archive helpers for the tests: they use libzip directly, so that the archives under test are
// built and read independently of the tool.

struct RawEntry {
    std::string name;
    std::string data;
    bool symlink = false;
    bool folder = false;
};

// Writes an archive holding exactly these entries, names stored as given.
void WriteRawArchive(const std::string& path, const std::vector<RawEntry>& entries);
// Adds these entries to an existing archive, names stored as given.
void AddRawEntries(const std::string& path, const std::vector<RawEntry>& entries);
// The entry names as stored.
std::set<std::string> ArchiveNames(const std::string& path);
// Every file and folder below root, relative, folders with a trailing "/".
std::set<std::string> TreeOf(const std::string& root);
std::string AllByteValues();
// Writes the file, creating its folders.
void PutFile(const std::string& path, const std::string& bytes);
