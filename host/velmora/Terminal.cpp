#include "host/velmora/Terminal.h"

#include "platform/rtl/FileSystem.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace velmora {

void Say(const std::string& who, const std::string& text) {
    std::cout << "[" << who << "] " << text << std::endl;
}

std::string FolderTally(const std::vector<std::string>& folders) {
    namespace fs = std::filesystem;
    std::uintmax_t files = 0, bytes = 0;
    for (const std::string& folder : folders) {
        std::error_code error;
        for (fs::recursive_directory_iterator it(rtl::ToNativePath(folder), error), end; !error && it != end;
             it.increment(error)) {
            if (it->is_regular_file(error)) {
                ++files;
                bytes += it->file_size(error);
            }
        }
    }
    char text[64];
    std::snprintf(text, sizeof text, "%ju %s, %.1f MiB", files, files == 1 ? "file" : "files",
                  static_cast<double>(bytes) / (1 << 20));
    return text;
}

void Complain(const std::string& text) {
    std::cerr << "velmora: " << text << std::endl;
}

} // namespace velmora
