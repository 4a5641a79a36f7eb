#include "platform/rtl/ProgramFolder.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Paths.h"

#include <mutex>
#include <unistd.h>

namespace rtl {

namespace {
std::mutex g_mutex;
std::string g_override;

std::string ExecutableFolder() {
    std::string path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= path.size())
        throw Exception("The program's own path cannot be read from /proc/self/exe");
    path.resize(static_cast<std::size_t>(n));
    return path.substr(0, path.find_last_of('/') + 1);
}
} // namespace

std::string ProgramFolder() {
    {
        std::lock_guard lock(g_mutex);
        if (!g_override.empty())
            return g_override;
    }
    return ExecutableFolder();
}

void SetProgramFolder(const std::string& folder) {
    std::lock_guard lock(g_mutex);
    g_override = folder.empty() ? std::string() : IncludeTrailingPathDelimiter(folder);
}

} // namespace rtl
