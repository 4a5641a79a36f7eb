#pragma once

#include "host/Database.h"
#include "host/HostControl.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The host's state behind the exported functions and the control interface.
namespace host::detail {

struct Injection {
    enum Kind { Answer, TextAnswer, Raise, Absent, Kill } kind = Answer;
    std::int64_t number = 0;
    std::string text;
};

struct State {
    std::string folder; // with trailing separator, empty when no installation is open
    Database base;
    Database project;
    std::string user = tarnwick::AdministratorUserId;
    std::uint8_t workingStyle = 0;
    std::string openProject;
    std::string accountBook;
    framework::TApplication* application = nullptr;
    framework::TScreen* screen = nullptr;
    framework::THintWindowClass hintWindowClass = nullptr;
    ado::TADOConnection* baseConnection = nullptr;
    ado::TADOConnection* projectConnection = nullptr;
    std::map<std::string, Injection> injections;
    std::vector<ProcessCall> processCalls;
    int processDepth = 0;
    bool processFault = false;
    std::function<void(const ProcessCall&)> processObserver;
    std::vector<PackageTaken> packages;
    std::vector<std::string> created;
    std::vector<std::string> opened;
    std::vector<void*> libraries;
    std::string lastPluginError;
};

State& S();
// Raises for an injected raise; ends the process for an injected kill; answers an injected answer;
// nothing otherwise.
std::optional<Injection> Intercept(const std::string& function);
bool IsAbsent(const std::string& function);
void RequireInstallation();
// A project identifier that is safe as a folder name.
void CheckProjectId(const std::string& prjId);
bool ProjectExists(const std::string& prjId);
// A project whose id differs only in case takes the folder too: the file adapter matches a missing
// name case-insensitively.
bool ProjectFolderTaken(const std::string& prjId);
void RecordProcess(ProcessCallKind kind, const std::string& text, framework::TCustomForm* owner);
void WriteLog(const std::string& message, int level, const std::string& user, const std::string& moduleCode,
              const std::string& program, int kind);
std::string NowText();

// Project records.
void LoadProjectRecord(const std::string& prjId, tarnwick::TVekPrjInfo& rec);
std::int32_t TakePackage(const std::string& file, const std::string& typeName, const std::string& memo,
                         bool extended);
// VekCreatePrj: from the folders "XMGL\" and "ResFile\" or the files "XMGL.pck" and "ResFile.pck".
// 1 created, and now the open project; -1 no readable project part; -2 unsafe project id; -3 the
// project exists (its id in any case); -4 the packed materials do not unpack; -5 the project could not
// be written (no space, a write error). Every answer but 1 leaves nothing of the project.
std::int32_t CreateProject(const std::string& prjPath, const std::string& resPath);
// Stores the project part in folder into its project, which must be the open one, for a member of it
// or the administrator; raises rtl::Exception saying why otherwise, and when it fails, with nothing
// changed. Answers the PrjID.
std::string StoreProjectPart(const std::string& folder);
// Raises rtl::Exception saying why unless an import may change project prjId: it is the open project,
// and the current user is a member of it in this installation or the administrator.
void RequireImportTarget(const std::string& prjId);
// Copies a folder tree, leaving links out; removes one without following links.
void CopyTree(const std::string& from, const std::string& to);
bool RemoveTree(const std::string& folder);
std::vector<std::string> ProjectPersons(const std::string& prjId);
std::string PersonInfo(const std::string& perUUID);

} // namespace host::detail
