#include "host/HostState.h"
#include "host/InstallationSweep.h"
#include "host/ProjectStaging.h"
#include "host/ziptool/VekZipTool.h"

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileReplacement.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/ProgramFolder.h"
#include "platform/rtl/RemoveTree.h"
#include "platform/rtl/Text.h"
#include "platform/win/Library.h"
#include "platform/xml/XMLDocument.h"
#include "platform/xml/XMLListLength.h"

#include <dlfcn.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <iterator>

namespace host {

namespace detail {

namespace {

// The PrjInfo fields in record order: T text, D date (day number), I integer.
struct PrjField {
    const char* name;
    char kind;
};
constexpr PrjField kPrjFields[] = {
    {"PrjID", 'T'},
    {"PrjName", 'T'},
    {"PrjReportOrgan", 'T'},
    {"AuditContent", 'T'},
    {"PrjExecuteOrganID", 'T'},
    {"PrjExecuteOrgan", 'T'},
    {"AuditStyle", 'T'},
    {"PrjLevel", 'T'},
    {"PrjClass", 'T'},
    {"SpecialClass", 'T'},
    {"OrgFunction", 'T'},
    {"PlanExecStartDate", 'D'},
    {"PlanExecEndDate", 'D'},
    {"ValidWorkDays", 'I'},
    {"PrjPersonsQuantity", 'I'},
    {"AuditArea", 'T'},
    {"IsLeaderGive", 'I'},
    {"IsGranted", 'I'},
    {"IsReport", 'I'},
    {"ProjectRely", 'T'},
    {"AuditObject", 'T'},
    {"AuditEmphasis", 'T'},
    {"ReMark", 'T'},
    {"AuditedCorpID", 'T'},
    {"AuditedCorpName", 'T'},
    {"LastAuditDate", 'D'},
    {"LastAuditOrg", 'T'},
    {"AuthorizedField", 'T'},
    {"SupervisorOrg", 'T'},
    {"AuditSpan", 'T'},
    {"IsIndividual", 'I'},
    {"STATTARGENAME", 'T'},
    {"STATTARGEID", 'T'},
};
constexpr const char* kPersonFields[] = {"PerUUID", "PerName", "PerSex",  "PerAge",
                                         "PerJob",  "PerRole", "PerMemo", "LoginName"};

std::string ProjectColumns() {
    std::string s;
    for (const PrjField& f : kPrjFields) {
        if (!s.empty())
            s += ", ";
        s += f.name;
        s += f.kind == 'T' ? " TEXT" : f.kind == 'D' ? " REAL" : " INTEGER";
        if (std::string_view(f.name) == "PrjID")
            s += " PRIMARY KEY";
    }
    return s;
}

const char* const kBaseSchema[] = {
    "create table Vek_PackMod (ModGUID TEXT, ModCaption TEXT, ModDllFile TEXT, EntryID INTEGER, ModMemo "
    "TEXT, "
    "ModInPrj INTEGER, ModCheck INTEGER, ModIndex INTEGER)",
    "create table Vek_PrjOption (UserID TEXT, Optype TEXT, OpMemo TEXT, OpTime TEXT)",
    "create table Vek_User (UserID TEXT PRIMARY KEY, LoginName TEXT, UserName TEXT)",
    "create table Vek_Person (PerUUID TEXT PRIMARY KEY, PerName TEXT, PerSex TEXT, PerAge TEXT, PerJob TEXT, "
    "PerRole TEXT, PerMemo TEXT, LoginName TEXT)",
    "create table Vek_PrjPerson (PrjID TEXT, PerUUID TEXT, PRIMARY KEY (PrjID, PerUUID))",
    "create table Vek_Log (LogNo INTEGER PRIMARY KEY AUTOINCREMENT, LogTime TEXT, Message TEXT, Level "
    "INTEGER, "
    "UserID TEXT, ModuleCode TEXT, Program TEXT, LogKind INTEGER)",
    "create table Vek_DataPackage (PackNo INTEGER PRIMARY KEY AUTOINCREMENT, Source TEXT, StoredAs TEXT, "
    "TypeName TEXT, Memo TEXT, TakenAt TEXT)",
};

const char* const kProjectSchema[] = {
    "create table Vek_ResTrv (ResID TEXT PRIMARY KEY, ResTypeName TEXT, ResCaption TEXT)",
    "create table XM_AuditMatter (MatterID TEXT PRIMARY KEY, MatterName TEXT, Amount REAL)",
    "create table XM_AuditAnalysis (AnalysisID TEXT PRIMARY KEY, AccBookID TEXT, Subject TEXT, Amount REAL, "
    "Note TEXT)",
};

// The module libraries of an installation: the built file (next to the host library) and the name
// Vek_PackMod gives it below the program folder.
struct ModuleFile {
    const char* built;
    const char* installed;
};
constexpr ModuleFile kModuleFiles[] = {
    {"libvelmora_mod_projectinfo.so", "Modules\\ProjectInfo.dll"},
    {"libvelmora_mod_materials.so", "Modules\\ProjectMaterials.dll"},
    {"libvelmora_mod_personnel.so", "Modules\\Personnel.dll"},
    {"libvelmora_mod_audit.so", "Modules\\AuditMatters.dll"},
    {"libvelmora_package.so", "System\\API\\VekPackage.dll"},
};

std::string HostLibraryFolder() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&HostLibraryFolder), &info) || !info.dli_fname)
        throw rtl::Exception("the host library cannot find its own file");
    return rtl::ExtractFilePath(info.dli_fname);
}

void InstallModuleFiles(const std::string& root) {
    const std::string from = HostLibraryFolder();
    for (const ModuleFile& m : kModuleFiles) {
        if (!rtl::FileExists(from + m.built))
            throw rtl::Exception(std::string("module library not built: ") + from + m.built);
        rtl::CopyFileBytes(from + m.built, root + m.installed);
    }
}

std::string DateText(const std::string& dayNumber) {
    return dayNumber.empty() ? "0" : dayNumber;
}

double ToDouble(const std::string& s) {
    if (s.empty())
        return 0;
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    return end && *end == '\0' ? v : 0;
}

std::string ProjectsFolder() {
    return S().folder + "Projects\\";
}

// A project's folder: its database and its materials folder "ResFile\".
void CreateProjectFiles(const std::string& projectFolder) {
    const std::string folder = rtl::IncludeTrailingPathDelimiter(projectFolder);
    rtl::ForceDirectories(folder + "ResFile");
    Database db;
    db.Open(folder + "Project.db", true);
    for (const char* sql : kProjectSchema)
        db.Exec(sql);
}

void InsertProject(const std::vector<std::string>& values) {
    std::string sql = "insert into Vek_Project values (";
    for (std::size_t i = 0; i < values.size(); ++i)
        sql += i ? ",?" : "?";
    S().base.Run(sql + ")", values);
}

void InsertPerson(const std::vector<std::string>& person) {
    S().base.Run("insert or ignore into Vek_Person values (?,?,?,?,?,?,?,?)", person);
}

} // namespace

State& S() {
    static State state;
    return state;
}

void CopyTree(const std::string& from, const std::string& to) {
    rtl::ForceDirectories(to);
    rtl::TSearchRec rec;
    std::string src = rtl::IncludeTrailingPathDelimiter(from);
    std::string dst = rtl::IncludeTrailingPathDelimiter(to);
    for (int rc = rtl::FindFirst(src + "*.*", rtl::faAnyFile, rec); rc == 0; rc = rtl::FindNext(rec)) {
        if (rec.Name == "." || rec.Name == ".." || (rec.Attr & rtl::faSymLink))
            continue;
        if (rec.Attr & rtl::faDirectory)
            CopyTree(src + rec.Name, dst + rec.Name);
        else
            rtl::CopyFileBytes(src + rec.Name, dst + rec.Name);
    }
    rtl::FindClose(rec);
}

bool RemoveTree(const std::string& folder) {
    return rtl::RemoveTree(folder);
}

std::optional<Injection> Intercept(const std::string& function) {
    auto it = S().injections.find(function);
    if (it == S().injections.end() || it->second.kind == Injection::Absent)
        return std::nullopt;
    if (it->second.kind == Injection::Raise)
        throw rtl::Exception(it->second.text);
    if (it->second.kind == Injection::Kill)
        ::kill(::getpid(), SIGKILL);
    return it->second;
}

bool IsAbsent(const std::string& function) {
    auto it = S().injections.find(function);
    return it != S().injections.end() && it->second.kind == Injection::Absent;
}

void RequireInstallation() {
    if (S().folder.empty())
        throw rtl::Exception("the host has no installation open");
}

void CheckProjectId(const std::string& prjId) {
    if (prjId.empty() || prjId == "." || prjId == ".." ||
        prjId.find_first_of("\\/:*?\"<>|") != std::string::npos)
        throw rtl::Exception("invalid project identifier: \"" + prjId + "\"");
}

bool ProjectExists(const std::string& prjId) {
    RequireInstallation();
    return !S().base.Query("select PrjID from Vek_Project where PrjID = ?", {prjId}).empty();
}

bool ProjectFolderTaken(const std::string& prjId) {
    RequireInstallation();
    return !S().base.Query("select PrjID from Vek_Project where PrjID = ? collate nocase", {prjId}).empty();
}

std::string NowText() {
    return rtl::FormatDateTime("yyyy-mm-dd hh:nn:ss", rtl::Now());
}

void RecordProcess(ProcessCallKind kind, const std::string& text, framework::TCustomForm* owner) {
    State& s = S();
    ProcessCall call{kind, text, owner, true};
    switch (kind) {
    case ProcessCallKind::Begin:
        ++s.processDepth;
        break;
    case ProcessCallKind::End:
        if (s.processDepth == 0)
            call.Matched = false;
        else
            --s.processDepth;
        break;
    default:
        call.Matched = s.processDepth > 0;
        break;
    }
    if (!call.Matched)
        s.processFault = true;
    s.processCalls.push_back(call);
    if (s.processObserver)
        s.processObserver(call);
}

void WriteLog(const std::string& message, int level, const std::string& user, const std::string& moduleCode,
              const std::string& program, int kind) {
    RequireInstallation();
    S().base.Run("insert into Vek_Log (LogTime, Message, Level, UserID, ModuleCode, Program, LogKind) "
                 "values (?,?,?,?,?,?,?)",
                 {NowText(), message, rtl::IntToStr(level), user, moduleCode, program, rtl::IntToStr(kind)});
}

void LoadProjectRecord(const std::string& prjId, tarnwick::TVekPrjInfo& r) {
    RequireInstallation();
    auto rows = S().base.Query("select * from Vek_Project where PrjID = ?", {prjId});
    if (rows.empty())
        return;
    const Database::Row& v = rows.front();
    std::size_t i = 0;
    auto t = [&](tarnwick::Text& f) { f = tarnwick::Text(v.at(i++)); };
    auto d = [&](tarnwick::TDateTime& f) { f = ToDouble(v.at(i++)); };
    auto n = [&](std::int32_t& f) { f = static_cast<std::int32_t>(rtl::StrToIntDef(v.at(i++), 0)); };
    t(r.PrjID), t(r.PrjName), t(r.PrjReportOrgan), t(r.AuditContent), t(r.PrjExecuteOrganID);
    t(r.PrjExecuteOrgan), t(r.AuditStyle), t(r.PrjLevel), t(r.PrjClass), t(r.SpecialClass), t(r.OrgFunction);
    d(r.PlanExecStartDate), d(r.PlanExecEndDate), n(r.ValidWorkDays), n(r.PrjPersonsQuantity), t(r.AuditArea);
    n(r.IsLeaderGive), n(r.IsGranted), n(r.IsReport), t(r.ProjectRely), t(r.AuditObject), t(r.AuditEmphasis);
    t(r.ReMark), t(r.AuditedCorpID), t(r.AuditedCorpName), d(r.LastAuditDate), t(r.LastAuditOrg);
    t(r.AuthorizedField), t(r.SupervisorOrg), t(r.AuditSpan), n(r.IsIndividual), t(r.STATTARGENAME);
    t(r.STATTARGEID);
    // The host's own part repeats some leading fields.
    r.HostPrjExecuteOrgan = r.PrjExecuteOrgan;
    r.HostOrgFunction = r.OrgFunction;
    r.HostPrjPersonsQuantity = r.PrjPersonsQuantity;
    r.HostAuditArea = r.AuditArea;
    r.HostReMark = r.ReMark;
    r.HostAuthorizedField = r.AuthorizedField;
    r.HostSupervisorOrg = r.SupervisorOrg;
    r.HostAuditSpan = r.AuditSpan;
    r.HostIsIndividual = r.IsIndividual;
    r.HostAuditedCorpName = r.AuditedCorpName;
    r.HostLastAuditDate = r.LastAuditDate;
}

std::int32_t TakePackage(const std::string& file, const std::string& typeName, const std::string& memo,
                         bool extended) {
    RequireInstallation();
    if (file.empty() || !rtl::FileExists(file))
        return 0;
    std::string store = PackageStoreFolder();
    rtl::ForceDirectories(store);
    std::string name = rtl::ExtractFileName(file);
    std::string stored = store + name;
    for (int n = 2; rtl::FileExists(stored); ++n)
        stored =
            store + rtl::ChangeFileExt(name, "") + "(" + rtl::IntToStr(n) + ")" + rtl::ExtractFileExt(name);
    // A copy cut short must not stand in the store beside the good ones.
    rtl::CopyFileReplacing(file, stored);
    S().base.Run("insert into Vek_DataPackage (Source, StoredAs, TypeName, Memo, TakenAt) values (?,?,?,?,?)",
                 {file, stored, typeName, memo, NowText()});
    S().packages.push_back({file, stored, typeName, memo, extended});
    return 1;
}

namespace {

// Reads folder\PrjInfo.xml: the record's values in column order and its persons. False when the part
// is missing or unreadable, or holds a list longer than any project has, which is not read whole.
bool ReadProjectPart(const std::string& folder, std::vector<std::string>& values,
                     std::vector<std::vector<std::string>>& persons) {
    std::string projectFile = rtl::IncludeTrailingPathDelimiter(folder) + "PrjInfo.xml";
    if (!rtl::FileExists(projectFile) || xml::HoldsListLongerThan(projectFile, MaxProjectPartList))
        return false;
    xml::TXMLDocument doc;
    try {
        doc.LoadFromFile(projectFile);
    } catch (const rtl::Exception&) {
        return false;
    }
    xml::TXMLNode info = doc.DocumentElement().IsNull()
                             ? xml::TXMLNode()
                             : doc.DocumentElement().ChildNodes().FindNode("PrjInfo");
    if (info.IsNull())
        return false;
    values.clear();
    for (const PrjField& f : kPrjFields) {
        std::string v = info.Attributes(f.name).value_or("");
        if (f.kind == 'I')
            v = rtl::IntToStr(rtl::StrToIntDef(v, 0));
        else if (f.kind == 'D')
            v = DateText(v);
        values.push_back(v);
    }
    persons.clear();
    // One step per person: counting or indexing the list would walk it on every step.
    xml::TXMLNode list = info.ChildNodes().FindNode("PrjPerInfo");
    for (xml::TXMLNode per = list ? list.ChildNodes().First() : xml::TXMLNode(); per;
         per = per.NextSibling()) {
        if (per.NodeType() != xml::ntElement || per.NodeName() != "PrjPer")
            continue;
        std::vector<std::string> person;
        for (const char* field : kPersonFields)
            person.push_back(per.Attributes(field).value_or(""));
        if (!person.front().empty())
            persons.push_back(person);
    }
    return true;
}

void StorePersons(const std::string& prjId, const std::vector<std::vector<std::string>>& persons) {
    for (const auto& person : persons) {
        InsertPerson(person);
        S().base.Run("insert or ignore into Vek_PrjPerson values (?,?)", {prjId, person.front()});
    }
}

// The packed form of a part is unpacked into a folder of the host's own; an archive that does not
// unpack answers false.
bool UnpackPart(const std::string& archive, const std::string& folder) {
    RemoveTree(folder);
    rtl::ForceDirectories(folder);
    std::string out;
    return host::ExtractFile(archive, folder, out);
}

bool IsPackedPart(const std::string& part) {
    return !part.empty() && !rtl::HasTrailingPathDelimiter(part) && rtl::FileExists(part);
}

constexpr std::int32_t ProjectCreated = 1;
constexpr std::int32_t NoProjectPart = -1;
constexpr std::int32_t UnsafeProjectId = -2;
constexpr std::int32_t ProjectExistsAlready = -3;
constexpr std::int32_t MaterialsDoNotUnpack = -4;
constexpr std::int32_t ProjectNotWritten = -5;

// The project's files are built in a staging folder and its rows in one transaction; the folder
// moves into place just before the commit. A process that ends in between leaves a folder without
// rows, still marked as the creation's: no project, and swept when the host starts again or by the
// next creation.
std::int32_t BuildProject(const std::vector<std::string>& values,
                          const std::vector<std::vector<std::string>>& persons,
                          const std::string& resFolder) {
    const std::string prjId = values.front();
    SweepStaleProjectStagings(ProjectsFolder());
    ProjectStaging staging(ProjectsFolder(), prjId);
    CreateProjectFiles(staging.Folder());
    if (rtl::DirectoryExists(resFolder))
        CopyTree(resFolder, staging.Folder() + "ResFile");
    Intercept("VekCreatePrj.Files");

    Transaction transaction(S().base);
    if (ProjectFolderTaken(prjId))
        return ProjectExistsAlready;
    InsertProject(values);
    StorePersons(prjId, persons);
    Intercept("VekCreatePrj.Rows");
    staging.MoveIntoPlace();
    Intercept("VekCreatePrj.Move");
    transaction.Commit();
    staging.Keep();
    return ProjectCreated;
}

bool IsProjectMember(const std::string& prjId, const std::string& userId) {
    return !S().base
                .Query("select PerUUID from Vek_PrjPerson where PrjID = ? and PerUUID = ? collate nocase",
                       {prjId, userId})
                .empty();
}

} // namespace

// An import changes only the project it was prepared for, which the host knows as the open one: the
// preparation goes on into the open project only when it is the package's, and opens or creates the
// package's project to import into it; the modules import into the open project. Only a member of
// that project in this installation, or the administrator, who is bound to no project, may change it.
void RequireImportTarget(const std::string& prjId) {
    const State& s = S();
    if (s.openProject.empty())
        throw rtl::Exception("a change of project \"" + prjId + "\" is refused: no project is open");
    if (prjId != s.openProject)
        throw rtl::Exception("a change of project \"" + prjId + "\" is refused: the open project is \"" +
                             s.openProject + "\"");
    if (s.user != tarnwick::AdministratorUserId && !IsProjectMember(prjId, s.user))
        throw rtl::Exception("a change of project \"" + prjId + "\" is refused: user \"" + s.user +
                             "\" is no member of the project");
}

std::int32_t CreateProject(const std::string& prjPath, const std::string& resPath) {
    RequireInstallation();
    const bool packed = IsPackedPart(prjPath);
    std::string prjFolder = prjPath;
    std::string resFolder = resPath;
    const std::string unpackFolder = TempFolder("XMGL") + "\\CreatePrj\\";
    struct Cleanup {
        std::string folder;
        ~Cleanup() { RemoveTree(folder); }
    } cleanup{unpackFolder};
    if (packed) {
        if (!UnpackPart(prjPath, unpackFolder))
            return NoProjectPart;
        prjFolder = unpackFolder;
    }
    std::vector<std::string> values;
    std::vector<std::vector<std::string>> persons;
    if (!ReadProjectPart(prjFolder, values, persons))
        return NoProjectPart;
    const std::string prjId = values.front();
    try {
        CheckProjectId(prjId);
    } catch (const rtl::Exception&) {
        return UnsafeProjectId;
    }
    if (ProjectFolderTaken(prjId))
        return ProjectExistsAlready;
    const bool packedMaterials = IsPackedPart(resPath);
    if (packedMaterials) {
        // The import goes on with the materials module on this folder.
        resFolder = S().folder + "~Vek~Temp\\XMGL\\ResFile\\";
        if (!UnpackPart(resPath, resFolder)) {
            RemoveTree(resFolder);
            return MaterialsDoNotUnpack;
        }
    }
    std::int32_t result;
    try {
        result = BuildProject(values, persons, resFolder);
    } catch (const std::exception&) {
        // No space, a write error: nothing of the project stays.
        result = ProjectNotWritten;
    }
    if (result != ProjectCreated) {
        if (packedMaterials)
            RemoveTree(resFolder);
        return result;
    }
    S().created.push_back(prjId);
    // The import goes on into the project it created, as into one it opened.
    S().project.Open(ProjectDatabasePath(prjId), false);
    S().openProject = prjId;
    return ProjectCreated;
}

std::string StoreProjectPart(const std::string& folder) {
    RequireInstallation();
    std::vector<std::string> values;
    std::vector<std::vector<std::string>> persons;
    if (!ReadProjectPart(folder, values, persons))
        throw rtl::Exception("no project part in " + folder);
    const std::string prjId = values.front();
    CheckProjectId(prjId);
    RequireImportTarget(prjId);
    std::string sql = "update Vek_Project set ";
    for (std::size_t i = 1; i < std::size(kPrjFields); ++i)
        sql += std::string(i > 1 ? ", " : "") + kPrjFields[i].name + " = ?";
    std::vector<std::string> params(values.begin() + 1, values.end());
    params.push_back(prjId);
    Transaction transaction(S().base);
    S().base.Run(sql + " where PrjID = ?", params);
    StorePersons(prjId, persons);
    Intercept("StoreProjectPart.Rows");
    transaction.Commit();
    return prjId;
}

std::vector<std::string> ProjectPersons(const std::string& prjId) {
    RequireInstallation();
    std::vector<std::string> ids;
    for (const auto& row :
         S().base.Query("select PerUUID from Vek_PrjPerson where PrjID = ? order by rowid", {prjId}))
        ids.push_back(row.at(0));
    return ids;
}

std::string PersonInfo(const std::string& perUUID) {
    RequireInstallation();
    auto rows =
        S().base.Query("select PerName, PerSex, PerAge, PerJob, PerRole, PerMemo, LoginName from Vek_Person "
                       "where PerUUID = ?",
                       {perUUID});
    if (rows.empty())
        return "";
    std::string info;
    for (std::size_t i = 0; i < rows.front().size(); ++i)
        info += (i ? "@&@" : "") + rows.front()[i];
    return info;
}

} // namespace detail

using namespace detail;

namespace {

void ResetSession() {
    State& s = S();
    s.user = tarnwick::AdministratorUserId;
    s.workingStyle = 0;
    s.openProject.clear();
    s.accountBook.clear();
    s.project.Close();
}

void FreeLibraries() {
    for (void* lib : S().libraries)
        win::FreeLibrary(lib);
    S().libraries.clear();
}

struct SampleProject {
    const char* id;
    const char* name;
    const char* corp;
    std::vector<const char*> members;
};

} // namespace

void CreateSampleInstallation(const std::string& folder, bool withProjects) {
    std::string root = rtl::IncludeTrailingPathDelimiter(folder);
    if (rtl::FileExists(root + "base.db"))
        throw rtl::Exception("an installation exists already in " + folder);
    rtl::ForceDirectories(root);
    for (const char* sub :
         {"~Vek~Temp", "~Vek~Temp\\XMGL", "PackageStore", "Temp\\XMGL", "Projects", "Modules", "System\\API"})
        rtl::ForceDirectories(root + sub);
    {
        Database db;
        db.Open(root + "base.db", true);
        for (const char* sql : kBaseSchema)
            db.Exec(sql);
        db.Exec("create table Vek_Project (" + ProjectColumns() + ")");
        db.Exec("create table Vek_Installation (Name TEXT PRIMARY KEY, Value TEXT)");
        db.Exec("insert into Vek_Installation values ('PluginBuild', 'Full')");
    }
    InstallModuleFiles(root);
    OpenInstallation(root);
    Database& b = S().base;
    b.Exec("begin");
    const std::vector<std::vector<std::string>> modules = {
        {"{6A1F0C2E-0001-4C57-9E10-000000000001}", "项目信息", "Modules\\ProjectInfo.dll", "1",
         "项目基本信息", "1", "-1", "1"},
        {"{6A1F0C2E-0002-4C57-9E10-000000000002}", "项目资料", "Modules\\ProjectMaterials.dll", "2",
         "项目资料文件", "1", "-1", "2"},
        {"{6A1F0C2E-0003-4C57-9E10-000000000003}", "系统人员", "Modules\\Personnel.dll", "3", "系统人员信息",
         "0", "0", "3"},
        {"{6A1F0C2E-0004-4C57-9E10-000000000004}", "审计事项", "Modules\\AuditMatters.dll", "4",
         "项目数据库中的审计事项", "1", "-1", "4"},
        {"{6A1F0C2E-0005-4C57-9E10-000000000005}", "审计分析", "Modules\\AuditMatters.dll", "5",
         "所选账套的审计分析", "2", "-1", "5"},
    };
    for (const auto& m : modules)
        b.Run("insert into Vek_PackMod values (?,?,?,?,?,?,?,?)", m);
    const std::vector<std::vector<std::string>> persons = {
        {SampleMemberId, "张明", "男", "38", "审计师", "组长", "", "zhangming"},
        {"200000000000000012", "李华", "女", "31", "审计员", "组员", "负责资料", "lihua"},
        {"200000000000000013", "王强", "男", "45", "高级审计师", "主审", "", "wangqiang"},
        {SampleOutsiderId, "赵丽", "女", "27", "审计员", "组员", "", "zhaoli"},
    };
    for (const auto& p : persons) {
        InsertPerson(p);
        b.Run("insert into Vek_User values (?,?,?)", {p[0], p[7], p[1]});
    }
    b.Run("insert into Vek_User values (?,?,?)", {tarnwick::AdministratorUserId, "admin", "系统管理员"});
    std::vector<SampleProject> projects = {
        {SampleProjectId,
         "2026年度财务收支审计",
         "北岭市水务集团",
         {SampleMemberId, "200000000000000012", "200000000000000013"}},
        {SecondProjectId, "专项资金审计", "北岭市交通局", {"200000000000000013", SampleOutsiderId}},
        {ThirdProjectId, "经济责任审计", "北岭市粮食储备公司", {}},
    };
    if (!withProjects)
        projects.clear();
    for (const SampleProject& p : projects) {
        std::vector<std::string> v = {p.id,
                                      p.name,
                                      "北岭市审计局",
                                      "财务收支",
                                      "ORG001",
                                      "北岭市审计局第一审计处",
                                      "就地审计",
                                      "市级",
                                      "财政审计",
                                      "无",
                                      "监督",
                                      "46023",
                                      "46053.5",
                                      "22",
                                      rtl::IntToStr(static_cast<long long>(p.members.size())),
                                      "北岭市",
                                      "1",
                                      "0",
                                      "1",
                                      "审计法",
                                      p.corp,
                                      "内部控制",
                                      "",
                                      "CORP-" + std::string(p.id),
                                      p.corp,
                                      "45292",
                                      "北岭市审计局",
                                      "全部",
                                      "北岭市国资委",
                                      "2025年度",
                                      "0",
                                      "统计目标",
                                      "ST01"};
        InsertProject(v);
        for (const char* m : p.members)
            b.Run("insert into Vek_PrjPerson values (?,?)", {p.id, m});
    }
    b.Exec("commit");
    for (const SampleProject& p : projects) {
        CreateProjectFiles(ProjectsFolder() + p.id);
        Database db;
        db.Open(ProjectDatabasePath(p.id), false);
        db.Run("insert into Vek_ResTrv values (?,?,?)", {"R001", "DGGL_SJSX", "审计事项"});
        db.Run("insert into Vek_ResTrv values (?,?,?)", {"R002", "DGGL_ZL", "项目资料"});
        db.Run("insert into Vek_ResTrv values (?,?,?)", {"R003", "DGGL_ZL", "审计通知书.txt"});
        db.Run("insert into XM_AuditMatter values (?,?,?)", {"M001", "往来款项核对", "125000.5"});
        db.Run("insert into XM_AuditMatter values (?,?,?)", {"M002", "固定资产盘点", "88000"});
        db.Run("insert into XM_AuditAnalysis values (?,?,?,?,?)",
               {"A001", "ZT-0001", "应收账款", "52000.25", "账龄分析"});
        db.Run("insert into XM_AuditAnalysis values (?,?,?,?,?)",
               {"A002", "ZT-0001", "管理费用", "9100", ""});
        rtl::WriteFileBytes(ProjectMaterialsFolder(p.id) + "审计通知书.txt",
                            std::string("审计通知书: ") + p.name + "\n");
    }
}

void WriteProjectPart(const std::string& prjId, const std::string& folder) {
    RequireInstallation();
    auto rows = S().base.Query("select * from Vek_Project where PrjID = ?", {prjId});
    if (rows.empty())
        throw rtl::Exception("unknown project: \"" + prjId + "\"");
    xml::TXMLDocument doc;
    doc.SetActive(true);
    doc.SetVersion("1.0");
    doc.SetEncoding("UTF-8");
    xml::TXMLNode info = doc.AddChild("VekProject").AddChild("PrjInfo");
    for (std::size_t i = 0; i < std::size(kPrjFields); ++i) {
        std::string v = rows.front().at(i);
        if (kPrjFields[i].kind == 'D')
            v = rtl::FloatToStrGeneral(ToDouble(v), 15);
        info.SetAttributes(kPrjFields[i].name, v);
    }
    xml::TXMLNode persons = info.AddChild("PrjPerInfo");
    for (const auto& person :
         S().base.Query("select p.PerUUID, p.PerName, p.PerSex, p.PerAge, p.PerJob, p.PerRole, "
                        "p.PerMemo, p.LoginName from Vek_PrjPerson m join Vek_Person p on "
                        "p.PerUUID = m.PerUUID where m.PrjID = ? order by m.rowid",
                        {prjId})) {
        xml::TXMLNode per = persons.AddChild("PrjPer");
        for (std::size_t i = 0; i < std::size(kPersonFields); ++i)
            per.SetAttributes(kPersonFields[i], person.at(i));
    }
    rtl::ForceDirectories(folder);
    doc.SaveToFile(rtl::IncludeTrailingPathDelimiter(folder) + "PrjInfo.xml");
}

void OpenInstallation(const std::string& folder) {
    std::string root = rtl::IncludeTrailingPathDelimiter(folder);
    CloseInstallation();
    S().base.Open(root + "base.db", false);
    S().folder = root;
    rtl::SetProgramFolder(rtl::ToNativePath(root));
    ResetSession();
    ClearRecords();
    SweepInstallationLeftovers(root);
}

void CloseInstallation() {
    ResetSession();
    FreeLibraries();
    S().base.Close();
    S().folder.clear();
}

std::string InstallationFolder() {
    return S().folder;
}
std::string BaseDatabasePath() {
    return S().folder + "base.db";
}
std::string ProjectDatabasePath(const std::string& prjId) {
    CheckProjectId(prjId);
    return S().folder + "Projects\\" + prjId + "\\Project.db";
}
std::string ProjectMaterialsFolder(const std::string& prjId) {
    CheckProjectId(prjId);
    return S().folder + "Projects\\" + prjId + "\\ResFile\\";
}
std::string PackageStoreFolder() {
    return S().folder + "PackageStore\\";
}
std::string TempFolder(const std::string& moduleCode) {
    CheckProjectId(moduleCode); // the same rule: one safe folder name
    return S().folder + "Temp\\" + moduleCode;
}

void SetInstalledPluginBuild(PluginBuild build) {
    RequireInstallation();
    S().base.Exec("create table if not exists Vek_Installation (Name TEXT PRIMARY KEY, Value TEXT)");
    S().base.Run("insert or replace into Vek_Installation values ('PluginBuild', ?)",
                 {build == PluginBuild::Reduced ? "Reduced" : "Full"});
}

PluginBuild InstalledPluginBuild() {
    RequireInstallation();
    auto table =
        S().base.Query("select name from sqlite_master where type = 'table' and name = 'Vek_Installation'");
    if (table.empty())
        return PluginBuild::Full;
    auto rows = S().base.Query("select Value from Vek_Installation where Name = 'PluginBuild'");
    return !rows.empty() && rows.front().at(0) == "Reduced" ? PluginBuild::Reduced : PluginBuild::Full;
}

void SetCurrentUser(const std::string& userId) {
    RequireInstallation();
    if (S().base.Query("select UserID from Vek_User where UserID = ?", {userId}).empty())
        throw rtl::Exception("unknown user: \"" + userId + "\"");
    S().user = userId;
}
std::string CurrentUser() {
    return S().user;
}
void SetWorkingStyle(std::uint8_t style) {
    S().workingStyle = style;
}
std::uint8_t WorkingStyle() {
    return S().workingStyle;
}

bool OpenProject(const std::string& prjId) {
    RequireInstallation();
    S().opened.push_back(prjId);
    if (prjId.empty() || prjId.find_first_of("\\/:*?\"<>|") != std::string::npos || !ProjectExists(prjId))
        return false;
    // Opening the open project again keeps its connection, which the plug-in may be holding.
    if (prjId == S().openProject && S().project.IsOpen())
        return true;
    S().project.Open(ProjectDatabasePath(prjId), false);
    S().openProject = prjId;
    return true;
}

void CloseProject() {
    S().project.Close();
    S().openProject.clear();
}
std::string OpenProjectId() {
    return S().openProject;
}
void SetSelectedAccountBook(const std::string& id) {
    S().accountBook = id;
}

void SetApplication(framework::TApplication* application) {
    S().application = application;
}
void SetScreen(framework::TScreen* screen) {
    S().screen = screen;
}
void SetHintWindowClass(framework::THintWindowClass hintWindowClass) {
    S().hintWindowClass = hintWindowClass;
}
void SetBaseConnection(ado::TADOConnection* connection) {
    S().baseConnection = connection;
}
void SetProjectConnection(ado::TADOConnection* connection) {
    S().projectConnection = connection;
}

void InjectAnswer(const std::string& function, std::int64_t value) {
    S().injections[function] = {Injection::Answer, value, rtl::IntToStr(value)};
}
void InjectTextAnswer(const std::string& function, const std::string& text) {
    S().injections[function] = {Injection::TextAnswer, rtl::StrToIntDef(text, 0), text};
}
void InjectRaise(const std::string& function, const std::string& message) {
    S().injections[function] = {Injection::Raise, 0, message};
}
void InjectAbsent(const std::string& function) {
    S().injections[function] = {Injection::Absent, 0, ""};
}
void InjectKill(const std::string& function) {
    S().injections[function] = {Injection::Kill, 0, ""};
}
void ClearInjections() {
    S().injections.clear();
}

std::vector<LogRow> LogRows() {
    RequireInstallation();
    std::vector<LogRow> rows;
    for (const auto& r :
         S().base.Query("select Message, Level, UserID, ModuleCode, Program, LogKind, LogTime from "
                        "Vek_Log order by LogNo"))
        rows.push_back({r[0], rtl::StrToIntDef(r[1], 0), r[2], r[3], r[4], rtl::StrToIntDef(r[5], 0), r[6]});
    return rows;
}

std::vector<ProcessCall> ProcessCalls() {
    return S().processCalls;
}
bool EveryProcessEnded() {
    return S().processDepth == 0 && !S().processFault;
}
void SetProcessObserver(std::function<void(const ProcessCall&)> observer) {
    S().processObserver = std::move(observer);
}
std::vector<PackageTaken> PackagesTaken() {
    return S().packages;
}
std::vector<std::string> ProjectsCreated() {
    return S().created;
}
std::vector<std::string> ProjectsOpened() {
    return S().opened;
}

std::vector<PrjOptionRow> PrjOptionRows() {
    RequireInstallation();
    std::vector<PrjOptionRow> rows;
    for (const auto& r :
         S().base.Query("select UserID, Optype, OpMemo, OpTime from Vek_PrjOption order by rowid"))
        rows.push_back({r[0], r[1], r[2], r[3]});
    return rows;
}

std::string LastPluginError() {
    return S().lastPluginError;
}

void ClearRecords() {
    State& s = S();
    s.lastPluginError.clear();
    s.injections.clear();
    s.processCalls.clear();
    s.processDepth = 0;
    s.processFault = false;
    s.packages.clear();
    s.created.clear();
    s.opened.clear();
}

} // namespace host
