#include "ModuleSupport.h"

#include "host/Database.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Paths.h"
#include "platform/win/Library.h"

#include <filesystem>

namespace modtest {

namespace {

std::vector<std::vector<std::string>> Rows(const std::string& db, const std::string& sql,
                                           const std::vector<std::string>& params = {}) {
    host::Database d;
    d.Open(db, false);
    return d.Query(sql, params);
}

} // namespace

std::vector<ModuleRow> RegisteredModules() {
    std::vector<ModuleRow> rows;
    for (const auto& r :
         Rows(host::BaseDatabasePath(),
              "select ModCaption, ModDllFile, EntryID, ModInPrj from Vek_PackMod order by ModIndex"))
        rows.push_back(
            {r[0], r[1], static_cast<std::int32_t>(rtl::StrToIntDef(r[2], 0)), rtl::StrToIntDef(r[3], 0)});
    return rows;
}

const ModuleRow& Registered(const std::string& caption) {
    static std::vector<ModuleRow> rows;
    rows = RegisteredModules();
    for (const ModuleRow& r : rows)
        if (r.Caption == caption)
            return r;
    throw rtl::Exception("no module " + caption);
}

LoadedLibrary::LoadedLibrary(const std::string& file) {
    const std::string path = host::InstallationFolder() + file;
    m_handle = win::LoadLibraryA(path.c_str());
    if (!m_handle)
        throw rtl::Exception("cannot load " + path + ": " + win::LastLibraryError());
}

LoadedLibrary::~LoadedLibrary() {
    win::FreeLibrary(m_handle);
}

void* LoadedLibrary::Entry(const char* name) const {
    return win::GetProcAddress(m_handle, name);
}

std::string LoadedLibrary::Export(std::int32_t entryId) const {
    auto entry = reinterpret_cast<decltype(&VekPackage_Export)>(Entry("VekPackage_Export"));
    if (!entry)
        throw rtl::Exception("no VekPackage_Export");
    sharemem::CountedText result("stale");
    entry(result.Var(), nullptr, nullptr, nullptr, entryId);
    return result.Str();
}

std::int32_t LoadedLibrary::Import(std::int32_t entryId, const std::string& path) const {
    auto entry = reinterpret_cast<decltype(&VekPackage_Import)>(Entry("VekPackage_Import"));
    if (!entry)
        throw rtl::Exception("no VekPackage_Import");
    return entry(nullptr, nullptr, nullptr, entryId, path.c_str());
}

std::string ExportModule(const std::string& caption) {
    const ModuleRow& row = Registered(caption);
    return LoadedLibrary(row.DllFile).Export(row.EntryID);
}

std::int32_t ImportModule(const std::string& caption, const std::string& path, std::int32_t entryId) {
    const ModuleRow& row = Registered(caption);
    return LoadedLibrary(row.DllFile).Import(entryId ? entryId : row.EntryID, path);
}

std::string ItemName(const std::string& result) {
    if (std::filesystem::is_directory(rtl::ToNativePath(result)))
        return rtl::ExtractFileName(rtl::ExcludeTrailingPathDelimiter(result)) + "\\";
    return rtl::ExtractFileName(result);
}

std::map<std::string, std::string> FilesBelow(const std::string& folder) {
    std::map<std::string, std::string> files;
    const std::filesystem::path root = rtl::ToNativePath(folder);
    if (!std::filesystem::exists(root))
        return files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root))
        if (e.is_regular_file())
            files[std::filesystem::relative(e.path(), root).generic_string()] =
                rtl::ReadFileBytes(e.path().string());
    return files;
}

Snapshot TakeSnapshot(const std::string& prjId) {
    Snapshot s;
    auto project = Rows(host::BaseDatabasePath(), "select * from Vek_Project where PrjID = ?", {prjId});
    if (!project.empty())
        s.Project = project.front();
    s.Persons = Rows(host::BaseDatabasePath(),
                     "select p.*, typeof(p.PerAge) from Vek_Person p join Vek_PrjPerson m on m.PerUUID = "
                     "p.PerUUID where m.PrjID = ? order by p.PerUUID",
                     {prjId});
    const std::string db = host::ProjectDatabasePath(prjId);
    s.Matters = Rows(db, "select *, typeof(Amount) from XM_AuditMatter order by MatterID");
    s.Analysis =
        Rows(db, "select *, typeof(Amount) from XM_AuditAnalysis where AccBookID = 'ZT-0001' order by "
                 "AnalysisID");
    s.Materials = FilesBelow(host::ProjectMaterialsFolder(prjId));
    return s;
}

} // namespace modtest
