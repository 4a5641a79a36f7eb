#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An entry made of zeros, deflated without ever holding them whole: declaredSize says how large
// it claims to be, actualSize how large it inflates.
struct ZeroEntry {
    std::string name;
    std::uint64_t declaredSize;
    std::uint64_t actualSize;
};
void WriteZeroArchive(const std::string& path, const std::vector<ZeroEntry>& entries);
