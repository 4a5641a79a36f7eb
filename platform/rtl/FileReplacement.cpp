#include "platform/rtl/FileReplacement.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/StagingFolders.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace rtl {

namespace {

// Unique among this process's writers and, by the process id, among the processes beside it.
std::string TemporaryName(std::string_view target) {
    static std::atomic<int> counter{0};
    const std::string folder = ExtractFilePath(target);
    const std::string name = ExtractFileName(target);
    std::string temporary;
    do
        temporary = folder + StagingFolderName(name, ++counter, ReplacingMarker);
    while (FileGetAttr(temporary) != -1);
    return temporary;
}

bool Replaceable(std::string_view target) {
    const int attr = FileGetAttr(target);
    return attr == -1 || (attr & faSymLink) || !(attr & (faDirectory | faReadOnly));
}

bool AFileMayStandAt(std::string_view target) {
    return !target.empty() && !HasTrailingPathDelimiter(target) && Replaceable(target);
}

void RemoveTemporary(const std::string& temporary) {
    if (FileGetAttr(temporary) != -1)
        DeleteFile(temporary);
}

} // namespace

bool WriteReplacing(std::string_view target, const std::function<bool(const std::string& temporary)>& write) {
    if (!AFileMayStandAt(target))
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

void MoveFileReplacing(std::string_view from, std::string_view to) {
    if (!AFileMayStandAt(to))
        throw EInOutError("Cannot replace file \"" + std::string(to) + "\" with \"" + std::string(from) +
                          "\"");
    if (::rename(ToNativePath(from).c_str(), ToNativePath(to).c_str()) == 0)
        return;
    if (errno != EXDEV)
        throw EInOutError("Cannot move file \"" + std::string(from) + "\" to \"" + std::string(to) +
                          "\": " + std::strerror(errno));
    CopyFileReplacing(from, to);
    DeleteFile(from);
}

int SweepLeftoversOf(std::string_view target) {
    const std::string own = "." + ExtractFileName(target) + "." + std::string(ReplacingMarker) + "-";
    TStagingSweep sweep;
    sweep.markers = {ReplacingMarker};
    sweep.keep = [&](std::string_view name) { return name.substr(0, own.size()) != own; };
    return SweepStagingFoldersIn(ExtractFileDir(target), sweep);
}

} // namespace rtl
