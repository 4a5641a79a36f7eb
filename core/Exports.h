#pragma once

#include "core/HostApi.h"

#include <cstdint>

namespace framework {
class TTreeView;
}

// Marks the definition of an export; each plug-in's version script still decides what is exported.
#define TARNWICK_EXPORT __attribute__((visibility("default")))

// The plug-in's exports, bound by the host by name. Tarnwick exports all six; Tarnwick reduced build
// only RunAppEvn, VekPackPortInfo and VekPackResIDs. The reserved arguments are never read.
extern "C" {

// 1 after the export wizard was shown (mode 0); -1 in every other case.
std::int32_t stdcall RunAppEvn(framework::THintWindowClass hintWindowClass,
                               framework::TApplication* application, framework::TScreen* screen,
                               std::int32_t reserved1, std::int32_t mode, std::int32_t param,
                               std::int32_t reserved2);
// Mode -1: the import entry's result; mode 0: 0 when the wizard ended cancelled, else 1; other modes -1.
std::int32_t stdcall VekPackPortInfo(framework::THintWindowClass hintWindowClass,
                                     framework::TApplication* application, framework::TScreen* screen,
                                     const char* flag, std::int32_t mode, std::int32_t reserved,
                                     const char* text);
bool stdcall VekPackResIDs(framework::THintWindowClass hintWindowClass, framework::TApplication* application,
                           framework::TScreen* screen, std::int32_t reserved1, std::int32_t reserved2,
                           std::int32_t reserved3, std::int32_t reserved4, sharemem::PText resIds,
                           sharemem::PText packageFile);
std::int32_t stdcall VekGDBPck(framework::TTreeView* tree, sharemem::PText caption, sharemem::PText memo);
std::int32_t stdcall GetPackageVer();
void stdcall GetPackageDir(sharemem::PText* dir);

} // extern "C"

namespace tarnwick {

// The host's view of the exports, for binding them with GetProcAddress.
using TRunAppEvn = decltype(&RunAppEvn);
using TVekPackPortInfo = decltype(&VekPackPortInfo);
using TVekPackResIDs = decltype(&VekPackResIDs);
using TVekGDBPck = decltype(&VekGDBPck);
using TGetPackageVer = decltype(&GetPackageVer);
using TGetPackageDir = decltype(&GetPackageDir);

} // namespace tarnwick
