#pragma once

#include "core/VekPrjInfo.h"
#include "platform/sharemem/ShareMem.h"
#include "platform/win/WinConst.h"

#include <cstdint>

// The host's objects are the framework's and the data layer's; only pointers cross here.
namespace framework {
class TApplication;
class TScreen;
class TCustomForm;
class TClassInfo;
using THintWindowClass = const TClassInfo*;
} // namespace framework

namespace ado {
class TADOConnection;
}

namespace tarnwick {

// The administrator account, recognised by an exact comparison with the current user's identifier.
inline constexpr char AdministratorUserId[] = "100000000000000001";

// Functions the host hands out through VekGetAppInterface.
using TReferenceDataPackage = std::int32_t stdcall (*)(sharemem::PText file, std::int32_t reserved);
using TReferenceDataPackageEx = std::int32_t stdcall (*)(sharemem::PText file, sharemem::PText typeName,
                                                         sharemem::PText memo);
using TVekCreatePrj = std::int32_t stdcall (*)(sharemem::PText prjPath, sharemem::PText resPath);
using TGetSelAccBookID = void stdcall (*)(sharemem::PText* id);

// What the compression tool's ExtractFile answers: a package the import must refuse is told from a
// destination that could not take it by the code, never by the reason's text.
inline constexpr std::int32_t ExtractDone = 1;
// Not an archive, damaged, or holding what no package holds (names too long, paths too deep, too
// many or too large entries): nothing was written.
inline constexpr std::int32_t ExtractArchiveRefused = 0;
// The destination could not take the content (no space left, no permission, a write error):
// nothing was left there.
inline constexpr std::int32_t ExtractDestinationFailed = -1;

} // namespace tarnwick

// The host program and its libraries, bound by name when the plug-in is loaded. Counted texts are
// sharemem::PText, var texts PText* (the host releases the old content), zero-terminated texts
// const char*. Errors of a host function arrive as C++ exceptions (rtl::Exception).
extern "C" {

// The host program.
std::uint8_t stdcall VekGetWorkingStyle();
void* stdcall VekGetAppInterface(const char* module, const char* function, std::int32_t kind);
void stdcall GetCurUUID(sharemem::PText* id);
void stdcall GetCurPrjSerial(sharemem::PText* serial);
// Takes an error that a plug-in export cannot raise across the C boundary; the host keeps the last.
void stdcall VekReportError(const char* source, const char* message);

// VekPlatFormAPI
framework::TApplication* stdcall VekGetApplication();
framework::TScreen* stdcall VekGetScreen();
framework::THintWindowClass stdcall VekGetHintWinClass();
void stdcall VekGetCurUUID(sharemem::PText* id);
std::int32_t stdcall VekOpenProject(sharemem::PText prjId, std::int32_t mode);

// VekProjectInfoAPI
void stdcall VekGetCurPrjSerial(sharemem::PText* serial);
void stdcall VekLoadPrj(tarnwick::TVekPrjInfo* rec, sharemem::PText serial);
bool stdcall VekProjectExist(sharemem::PText prjId);

// VekDBConAPI
ado::TADOConnection* stdcall GetBaseDBConnection();
ado::TADOConnection* stdcall GetCurPrjDBConnection();

// VekPersonManageAPI
void stdcall GetUserListByPrj(sharemem::PText* fileName);
void stdcall GetUserInfo(sharemem::PText* info, const char* perUUID);

// VekProcessAPI
void stdcall BeginProcess(framework::TCustomForm* owner, std::int32_t reserved, const char* text);
void stdcall ChangeTransInfo(const char* text);
void stdcall HideProcess();
void stdcall EndProcess();

// VekLogAPI
void stdcall VekLogWrite(const char* message, std::int32_t level, const char* user, const char* moduleCode,
                         const char* program, std::int32_t kind);

// VekZipTool: the reason of a failure is in out, for people. CompressFile answers 1 when the work
// was done, 0 otherwise; ExtractFile answers one of the Extract* codes (namespace tarnwick).
std::int32_t stdcall CompressFile(sharemem::PText* out, const char* source, const char* dest);
std::int32_t stdcall ExtractFile(sharemem::PText* out, const char* archive, const char* destDir);

// VekDataIntegrateAPI
void stdcall GetAppTempPathY(sharemem::PText* path, const char* moduleCode);

} // extern "C"
