#pragma once

#include <cstdint>
#include <string>

namespace velmora {

// The plain files in a tree and the bytes they hold.
struct TreeTally {
    std::uintmax_t files = 0;
    std::uintmax_t bytes = 0;
};

// Adds what path holds: a plain file counts as itself, a folder with everything below it. Links
// are counted as nothing and never followed; an absent path holds nothing. The walk moves one open
// folder down and up the tree, so its time is linear in the entries and its memory grows with the
// depth, not with the length of the paths inside.
void AddToTally(const std::string& path, TreeTally& tally);

} // namespace velmora
