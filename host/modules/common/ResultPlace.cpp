#include "host/modules/common/ResultPlace.h"

#include "host/HostState.h"
#include "host/modules/common/ModuleLibrary.h"

#include "platform/rtl/FileReplacement.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/ProgramFolder.h"
#include "platform/rtl/StagingFolders.h"
#include "platform/rtl/Text.h"

#include <atomic>

namespace host::modules {

namespace {

// Named by the staging rule, so that what a killed process leaves is swept at the next start.
std::string ScratchFolder(const std::string& name) {
    static std::atomic<int> counter{0};
    return ReducedResultFolder() + rtl::StagingFolderName(name, ++counter, rtl::WorkingMarker) + "\\";
}

} // namespace

bool ReducedBuild() {
    return host::InstalledPluginBuild() == host::PluginBuild::Reduced;
}

std::string CommonReaderFolder() {
    return rtl::IncludeTrailingPathDelimiter(rtl::ProgramFolder()) + "~Vek~Temp\\CommonReader\\";
}

std::string ReducedResultFolder() {
    std::string folder = rtl::IncludeTrailingPathDelimiter(host::TempFolder("XMGL"));
    rtl::ForceDirectories(folder);
    return folder;
}

std::string FreshScratchFolder(const std::string& name) {
    std::string folder = ScratchFolder(name);
    host::detail::RemoveTree(folder);
    rtl::ForceDirectories(folder);
    return folder;
}

std::string FreshResultFolder(const std::string& name) {
    std::string folder = ReducedBuild() ? ScratchFolder(name) : CommonReaderFolder() + name + "\\";
    host::detail::RemoveTree(folder);
    if (!rtl::ForceDirectories(folder) && !rtl::DirectoryExists(folder))
        throw EModuleFailure(ResultNotWritten, "cannot create " + folder);
    return folder;
}

std::string ResultFile(const std::string& name) {
    std::string folder = ReducedBuild() ? ReducedResultFolder() : CommonReaderFolder();
    if (!rtl::ForceDirectories(folder) && !rtl::DirectoryExists(folder))
        throw EModuleFailure(ResultNotWritten, "cannot create " + folder);
    return folder + name;
}

std::string PackResult(const std::string& folder, const std::string& archiveName) {
    const std::string archive = ReducedResultFolder() + archiveName;
    rtl::DeleteFile(archive);
    sharemem::CountedText out;
    // Packed under a temporary name whose leftover, and that of the tool beside it, a later start
    // sweeps.
    const bool packed = rtl::WriteReplacing(archive, [&](const std::string& temporary) {
        return ::CompressFile(out.Var(), folder.c_str(), temporary.c_str()) == 1;
    });
    host::detail::RemoveTree(folder);
    if (!packed)
        throw EModuleFailure(ResultNotWritten, "cannot pack " + archive + ": " + out.Str());
    return archive;
}

ItemFolder::ItemFolder(const std::string& item) {
    if (rtl::DirectoryExists(item)) {
        m_path = rtl::IncludeTrailingPathDelimiter(item);
        return;
    }
    if (!rtl::FileExists(item))
        throw rtl::Exception("item not found: " + item);
    m_scratch = ScratchFolder(rtl::ChangeFileExt(rtl::ExtractFileName(item), ""));
    host::detail::RemoveTree(m_scratch);
    rtl::ForceDirectories(m_scratch);
    sharemem::CountedText out;
    if (::ExtractFile(out.Var(), item.c_str(), m_scratch.c_str()) != 1)
        throw rtl::Exception("item does not unpack: " + item + ": " + out.Str());
    m_path = m_scratch;
}

ItemFolder::~ItemFolder() {
    if (!m_scratch.empty())
        host::detail::RemoveTree(m_scratch);
}

std::string CurrentProjectSerial() {
    sharemem::CountedText serial;
    ::VekGetCurPrjSerial(serial.Var());
    return rtl::Trim(serial.Str());
}

std::string OpenProjectSerial() {
    std::string s = CurrentProjectSerial();
    if (s.empty())
        throw EModuleFailure(NoProjectOpen, "no project is open");
    return s;
}

bool HoldsFiles(const std::string& folder) {
    const std::string dir = rtl::IncludeTrailingPathDelimiter(folder);
    rtl::TSearchRec rec;
    bool found = false;
    for (int rc = rtl::FindFirst(dir + "*.*", rtl::faAnyFile, rec); rc == 0 && !found;
         rc = rtl::FindNext(rec)) {
        if (rec.Name == "." || rec.Name == ".." || (rec.Attr & rtl::faSymLink))
            continue;
        found = (rec.Attr & rtl::faDirectory) ? HoldsFiles(dir + rec.Name) : true;
    }
    rtl::FindClose(rec);
    return found;
}

} // namespace host::modules
