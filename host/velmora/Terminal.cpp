#include "host/velmora/Terminal.h"

#include "host/velmora/TreeTally.h"

#include <cstdio>
#include <iostream>

namespace velmora {

void Say(const std::string& who, const std::string& text) {
    std::cout << "[" << who << "] " << text << std::endl;
}

std::string FolderTally(const std::vector<std::string>& folders) {
    TreeTally tally;
    for (const std::string& folder : folders)
        AddToTally(folder, tally);
    char text[64];
    std::snprintf(text, sizeof text, "%ju %s, %.1f MiB", tally.files, tally.files == 1 ? "file" : "files",
                  static_cast<double>(tally.bytes) / (1 << 20));
    return text;
}

void Complain(const std::string& text) {
    std::cerr << "velmora: " << text << std::endl;
}

} // namespace velmora
