#include "platform/rtl/FileReplacement.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace rtl {

namespace {

// Unique among this process's writers and, by the process id, among the processes beside it.
std::string TemporaryName(std::string_view target) {
    static std::atomic<unsigned> counter{0};
    const std::string stem = std::string(target) + "." + std::to_string(::getpid()) + "-";
    std::string name;
    do
        name = stem + std::to_string(++counter) + ".part";
    while (FileGetAttr(name) != -1);
    return name;
}

bool Replaceable(std::string_view target) {
    const int attr = FileGetAttr(target);
    return attr == -1 || (attr & faSymLink) || !(attr & (faDirectory | faReadOnly));
}

void RemoveTemporary(const std::string& temporary) {
    if (FileGetAttr(temporary) != -1)
        DeleteFile(temporary);
}

} // namespace

bool WriteReplacing(std::string_view target, const std::function<bool(const std::string& temporary)>& write) {
    if (target.empty() || HasTrailingPathDelimiter(target) || !Replaceable(target))
        return false;
    const std::string temporary = TemporaryName(target);
    bool written = false;
    try {
        written = write(temporary) && FileExists(temporary);
    } catch (...) {
        RemoveTemporary(temporary);
        throw;
    }
    if (!written) {
        RemoveTemporary(temporary);
        return false;
    }
    // The adapter's own rename never replaces a file; this one must, in a single step.
    if (::rename(ToNativePath(temporary).c_str(), ToNativePath(target).c_str()) != 0) {
        RemoveTemporary(temporary);
        return false;
    }
    return true;
}

void CopyFileReplacing(std::string_view from, std::string_view to) {
    const bool copied = WriteReplacing(to, [&](const std::string& temporary) {
        CopyFileBytes(from, temporary);
        return true;
    });
    if (!copied)
        throw EInOutError("Cannot replace file \"" + std::string(to) + "\" with a copy of \"" + std::string(from) + "\"");
}

} // namespace rtl
