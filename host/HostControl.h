#pragma once

#include "core/HostApi.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The stand-in host's control interface, for tests and the velmora command. The host's state lives in
// the installation folder (base.db, one database per project, the package store); the records below
// are kept in memory as well, in call order.
namespace host {

// Creates a sample installation in folder (which must not hold base.db yet) and opens it: users,
// persons, three projects with their databases, the modules of Vek_PackMod, "~Vek~Temp", the package
// store and the temporary folder. The administrator and the first person are users.
// With withProjects false the installation has the users, persons and modules but no project (an
// import target).
void CreateSampleInstallation(const std::string& folder, bool withProjects = true);
// Opens an existing installation: the program folder becomes folder. Resets the session.
void OpenInstallation(const std::string& folder);
void CloseInstallation();
std::string InstallationFolder();
std::string BaseDatabasePath();
std::string ProjectDatabasePath(const std::string& prjId);
std::string PackageStoreFolder();
// Projects\<id>\ResFile\, the project's materials.
std::string ProjectMaterialsFolder(const std::string& prjId);

// The build of the plug-in the installation runs, recorded in base.db (a sample installation runs the
// full build). The module libraries shape their results by it: inside "~Vek~Temp\CommonReader\" in
// the full build (folders allowed), files only in the reduced build.
enum class PluginBuild { Full, Reduced };
void SetInstalledPluginBuild(PluginBuild build);
PluginBuild InstalledPluginBuild();
std::string TempFolder(const std::string& moduleCode);

// The most entries a list of a project part may hold (the persons of a project, say): a part that
// lists more is refused unread by whatever reads it.
inline constexpr std::size_t MaxProjectPartList = 10000;
// Writes the project part that VekCreatePrj reads: folder\PrjInfo.xml with the project's fields
// (element PrjInfo, attributes as in a package) and its persons (PrjPerInfo with PrjPer elements).
void WriteProjectPart(const std::string& prjId, const std::string& folder);

// Sample data names, for tests.
inline constexpr char SampleProjectId[] = "XM2026001";
inline constexpr char SecondProjectId[] = "XM2026002";
inline constexpr char ThirdProjectId[] = "XM2026003";
inline constexpr char SampleMemberId[] = "200000000000000011";
inline constexpr char SampleOutsiderId[] = "200000000000000099";

// Session. An unknown user raises.
void SetCurrentUser(const std::string& userId);
std::string CurrentUser();
void SetWorkingStyle(std::uint8_t style);
std::uint8_t WorkingStyle();
// Answers false (and opens nothing) for an unknown project.
bool OpenProject(const std::string& prjId);
void CloseProject();
std::string OpenProjectId();
void SetSelectedAccountBook(const std::string& id);

// Host objects handed out by the getters; the host does not own them. A connection set here is
// handed out instead of the host's own until it is set back to null. The host's own connections
// (base database, open project's database) stay valid until the project changes or the
// installation closes.
void SetApplication(framework::TApplication* application);
void SetScreen(framework::TScreen* screen);
void SetHintWindowClass(framework::THintWindowClass hintWindowClass);
void SetBaseConnection(ado::TADOConnection* connection);
void SetProjectConnection(ado::TADOConnection* connection);

// Injected failures, by host function name; each stays until cleared. An answer replaces the
// function's work: a number for functions with a result, a text for those that fill a var text,
// nothing for the others. Raise makes the function throw rtl::Exception(message). Absent makes
// VekGetAppInterface answer nil for that function. Kill ends the process with SIGKILL there, as a
// crash would (for a test's child process).
// A module library's entry is named by the entry and the entry id ("VekPackage_Export#1"); the package
// library's entries by their names ("VekPackage_PrjRes").
// Steps inside a function are named after it, for Raise and Kill: "VekCreatePrj.Files" (the new
// project's files are built), "VekCreatePrj.Rows" (its rows are written, not committed),
// "VekCreatePrj.Move" (its folder is in place, the rows not committed) and "StoreProjectPart.Rows"
// (the project-part import's rows are written, not committed).
void InjectAnswer(const std::string& function, std::int64_t value);
void InjectTextAnswer(const std::string& function, const std::string& text);
void InjectRaise(const std::string& function, const std::string& message);
void InjectAbsent(const std::string& function);
void InjectKill(const std::string& function);
void ClearInjections();

// What was recorded.
struct LogRow {
    std::string Message;
    int Level = 0;
    std::string User;
    std::string ModuleCode;
    std::string Program;
    int Kind = 0;
    std::string Time;
};
std::vector<LogRow> LogRows(); // from base.db, in order of writing

enum class ProcessCallKind { Begin, Change, Hide, End };
struct ProcessCall {
    ProcessCallKind Kind;
    std::string Text;
    framework::TCustomForm* Owner = nullptr;
    bool Matched = true; // false for an End, Change or Hide with no progress window shown
};
std::vector<ProcessCall> ProcessCalls();
// True when every Begin was followed by an End and no call came without a window.
bool EveryProcessEnded();
// Called on every progress-window call (velmora prints them).
void SetProcessObserver(std::function<void(const ProcessCall&)> observer);

struct PackageTaken {
    std::string Source;
    std::string StoredAs; // the copy in the package store
    std::string TypeName; // empty for ReferenceDataPackage
    std::string Memo;
    bool Extended = false;
};
std::vector<PackageTaken> PackagesTaken();
std::vector<std::string> ProjectsCreated();
std::vector<std::string> ProjectsOpened();

struct PrjOptionRow {
    std::string UserID, Optype, OpMemo, OpTime;
};
std::vector<PrjOptionRow> PrjOptionRows();

// The last error a plug-in handed over with VekReportError, as "source: message"; empty when none.
std::string LastPluginError();

// Forgets the records and the injections, keeps the installation and the session.
void ClearRecords();

} // namespace host
