#include "host/AppInterface.h"
#include "host/HostState.h"
#include "host/UserListFile.h"
#include "host/ziptool/VekZipTool.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"
#include "platform/win/Library.h"

#define HOST_EXPORT __attribute__((visibility("default")))

using namespace host::detail;
using sharemem::PText;

namespace {

std::string Str(const char* text) {
    return text ? text : "";
}

void RequireVar(PText* var, const char* function) {
    if (!var)
        throw rtl::Exception(std::string(function) + ": no variable given");
}

// A var-text function: the injected text, or what fill computes.
template <class Fill> void AnswerText(const char* function, PText* var, Fill fill) {
    RequireVar(var, function);
    if (auto injected = Intercept(function)) {
        sharemem::AssignVar(var, injected->text);
        return;
    }
    sharemem::AssignVar(var, fill());
}

template <class Work> std::int32_t AnswerNumber(const char* function, Work work) {
    if (auto injected = Intercept(function))
        return static_cast<std::int32_t>(injected->number);
    return work();
}

template <class Work> void AnswerNothing(const char* function, Work work) {
    if (Intercept(function))
        return;
    work();
}

struct NamedFunction {
    const char* module;
    const char* function;
    void* address;
};

} // namespace

extern "C" {

HOST_EXPORT std::uint8_t stdcall VekGetWorkingStyle() {
    return static_cast<std::uint8_t>(AnswerNumber("VekGetWorkingStyle", [] { return S().workingStyle; }));
}

HOST_EXPORT void* stdcall VekGetAppInterface(const char* module, const char* function, std::int32_t kind) {
    Intercept("VekGetAppInterface");
    const std::string name = Str(function);
    if (name.empty() || IsAbsent(name))
        return nullptr;
    if (kind == 1) {
        static const NamedFunction functions[] = {
            {"XMGL", "ReferenceDataPackage", reinterpret_cast<void*>(&ReferenceDataPackage)},
            {"XMGL", "ReferenceDataPackageEx", reinterpret_cast<void*>(&ReferenceDataPackageEx)},
            {"XMGL", "VekCreatePrj", reinterpret_cast<void*>(&VekCreatePrj)},
            {"SJFX", "GetSelAccBookID", reinterpret_cast<void*>(&GetSelAccBookID)},
        };
        for (const NamedFunction& f : functions)
            if (rtl::SameText(f.module, Str(module)) && name == f.function)
                return f.address;
        return nullptr;
    }
    if (kind == 0) {
        std::string path = Str(module);
        if (path.empty())
            return nullptr;
        if (!rtl::IsPathDelimiter(path.front()) && !S().folder.empty())
            path = S().folder + path;
        win::HMODULE lib = win::LoadLibraryA(path.c_str());
        if (!lib)
            return nullptr;
        void* address = win::GetProcAddress(lib, name.c_str());
        if (!address) {
            win::FreeLibrary(lib);
            return nullptr;
        }
        S().libraries.push_back(lib);
        return address;
    }
    return nullptr;
}

HOST_EXPORT void stdcall GetCurUUID(PText* id) {
    AnswerText("GetCurUUID", id, [] { return S().user; });
}

HOST_EXPORT void stdcall GetCurPrjSerial(PText* serial) {
    AnswerText("GetCurPrjSerial", serial, [] { return S().openProject; });
}

HOST_EXPORT void stdcall VekReportError(const char* source, const char* message) {
    S().lastPluginError = Str(source) + ": " + Str(message);
}

HOST_EXPORT framework::TApplication* stdcall VekGetApplication() {
    Intercept("VekGetApplication");
    return S().application;
}

HOST_EXPORT framework::TScreen* stdcall VekGetScreen() {
    Intercept("VekGetScreen");
    return S().screen;
}

HOST_EXPORT framework::THintWindowClass stdcall VekGetHintWinClass() {
    Intercept("VekGetHintWinClass");
    return S().hintWindowClass;
}

HOST_EXPORT void stdcall VekGetCurUUID(PText* id) {
    AnswerText("VekGetCurUUID", id, [] { return S().user; });
}

HOST_EXPORT std::int32_t stdcall VekOpenProject(PText prjId, std::int32_t /*mode*/) {
    return AnswerNumber("VekOpenProject",
                        [&] { return host::OpenProject(sharemem::ToString(prjId)) ? 1 : 0; });
}

HOST_EXPORT void stdcall VekGetCurPrjSerial(PText* serial) {
    AnswerText("VekGetCurPrjSerial", serial, [] { return S().openProject; });
}

HOST_EXPORT void stdcall VekLoadPrj(tarnwick::TVekPrjInfo* rec, PText serial) {
    if (!rec)
        throw rtl::Exception("VekLoadPrj: no record given");
    AnswerNothing("VekLoadPrj", [&] { LoadProjectRecord(sharemem::ToString(serial), *rec); });
}

HOST_EXPORT bool stdcall VekProjectExist(PText prjId) {
    return AnswerNumber("VekProjectExist",
                        [&] { return ProjectExists(sharemem::ToString(prjId)) ? 1 : 0; }) != 0;
}

HOST_EXPORT ado::TADOConnection* stdcall GetBaseDBConnection() {
    Intercept("GetBaseDBConnection");
    return S().baseConnection ? S().baseConnection : S().base.Connection();
}

HOST_EXPORT ado::TADOConnection* stdcall GetCurPrjDBConnection() {
    Intercept("GetCurPrjDBConnection");
    if (S().projectConnection)
        return S().projectConnection;
    return S().openProject.empty() ? nullptr : S().project.Connection();
}

HOST_EXPORT void stdcall GetUserListByPrj(PText* fileName) {
    AnswerText("GetUserListByPrj", fileName, []() -> std::string {
        if (S().openProject.empty())
            return "";
        RequireInstallation();
        std::string file = S().folder + "~Vek~Temp\\PrjUserList.xml";
        rtl::ForceDirectories(S().folder + "~Vek~Temp");
        host::WriteUserListFile(file, ProjectPersons(S().openProject));
        return file;
    });
}

HOST_EXPORT void stdcall GetUserInfo(PText* info, const char* perUUID) {
    AnswerText("GetUserInfo", info, [&] { return PersonInfo(Str(perUUID)); });
}

HOST_EXPORT void stdcall BeginProcess(framework::TCustomForm* owner, std::int32_t /*reserved*/,
                                      const char* text) {
    AnswerNothing("BeginProcess", [&] { RecordProcess(host::ProcessCallKind::Begin, Str(text), owner); });
}

HOST_EXPORT void stdcall ChangeTransInfo(const char* text) {
    AnswerNothing("ChangeTransInfo",
                  [&] { RecordProcess(host::ProcessCallKind::Change, Str(text), nullptr); });
}

HOST_EXPORT void stdcall HideProcess() {
    AnswerNothing("HideProcess", [] { RecordProcess(host::ProcessCallKind::Hide, "", nullptr); });
}

HOST_EXPORT void stdcall EndProcess() {
    AnswerNothing("EndProcess", [] { RecordProcess(host::ProcessCallKind::End, "", nullptr); });
}

HOST_EXPORT void stdcall VekLogWrite(const char* message, std::int32_t level, const char* user,
                                     const char* moduleCode, const char* program, std::int32_t kind) {
    AnswerNothing("VekLogWrite",
                  [&] { WriteLog(Str(message), level, Str(user), Str(moduleCode), Str(program), kind); });
}

HOST_EXPORT std::int32_t stdcall CompressFile(PText* out, const char* source, const char* dest) {
    RequireVar(out, "CompressFile");
    if (auto injected = Intercept("CompressFile")) {
        sharemem::AssignVar(out, injected->text);
        return static_cast<std::int32_t>(injected->number);
    }
    std::string text;
    bool done = host::CompressFile(Str(source), Str(dest), text);
    sharemem::AssignVar(out, text);
    return done ? 1 : 0;
}

HOST_EXPORT std::int32_t stdcall ExtractFile(PText* out, const char* archive, const char* destDir) {
    RequireVar(out, "ExtractFile");
    if (auto injected = Intercept("ExtractFile")) {
        sharemem::AssignVar(out, injected->text);
        return static_cast<std::int32_t>(injected->number);
    }
    std::string text;
    const host::TExtractResult result = host::ExtractArchive(Str(archive), Str(destDir), text);
    sharemem::AssignVar(out, text);
    return static_cast<std::int32_t>(result);
}

HOST_EXPORT void stdcall GetAppTempPathY(PText* path, const char* moduleCode) {
    AnswerText("GetAppTempPathY", path, [&] {
        RequireInstallation();
        std::string folder = host::TempFolder(Str(moduleCode));
        rtl::ForceDirectories(folder);
        return folder;
    });
}

HOST_EXPORT std::int32_t stdcall ReferenceDataPackage(PText file, std::int32_t /*reserved*/) {
    return AnswerNumber("ReferenceDataPackage",
                        [&] { return TakePackage(sharemem::ToString(file), "", "", false); });
}

HOST_EXPORT std::int32_t stdcall ReferenceDataPackageEx(PText file, PText typeName, PText memo) {
    return AnswerNumber("ReferenceDataPackageEx", [&] {
        return TakePackage(sharemem::ToString(file), sharemem::ToString(typeName), sharemem::ToString(memo),
                           true);
    });
}

HOST_EXPORT std::int32_t stdcall VekCreatePrj(PText prjPath, PText resPath) {
    return AnswerNumber("VekCreatePrj", [&] {
        return CreateProject(sharemem::ToString(prjPath), sharemem::ToString(resPath));
    });
}

HOST_EXPORT void stdcall GetSelAccBookID(PText* id) {
    AnswerText("GetSelAccBookID", id, [] { return S().accountBook; });
}

} // extern "C"
