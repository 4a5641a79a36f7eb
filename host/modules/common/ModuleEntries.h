#pragma once

#include "core/HostApi.h"

#include <cstdint>

namespace framework {
class TComponent;
}

// The entry points every module library exports, and those of the package library. Pages are built
// inside the tab sheet the caller hands over; the archive request hands over the host's tree view.
namespace host::modules {
using TModuleParent = framework::TComponent*;
using TModuleTreeView = framework::TComponent*;
} // namespace host::modules

extern "C" {

std::int32_t stdcall VekPackage_View(framework::TApplication* app, framework::TScreen* screen,
                                     framework::THintWindowClass hintWindowClass, std::int32_t entryId);
void stdcall VekPackage_ExportProc(framework::TApplication* app, framework::TScreen* screen,
                                   framework::THintWindowClass hintWindowClass, std::int32_t entryId,
                                   host::modules::TModuleParent parent);
void stdcall VekPackage_Export(sharemem::PText* result, framework::TApplication* app,
                               framework::TScreen* screen, framework::THintWindowClass hintWindowClass,
                               std::int32_t entryId);
void stdcall VekPackage_Free(framework::TApplication* app, framework::TScreen* screen,
                             framework::THintWindowClass hintWindowClass, std::int32_t entryId,
                             std::uint8_t closing);
void stdcall VekPackage_ImportProc(framework::TApplication* app, framework::TScreen* screen,
                                   framework::THintWindowClass hintWindowClass, std::int32_t entryId,
                                   const char* path, host::modules::TModuleParent parent);
std::int32_t stdcall VekPackage_Import(framework::TApplication* app, framework::TScreen* screen,
                                       framework::THintWindowClass hintWindowClass, std::int32_t entryId,
                                       const char* path);

// The package library.
void stdcall VekPackage_ResIDs(sharemem::PText* resFile, framework::TApplication* app, const char* resIds);
void stdcall VekPackage_PrjRes(sharemem::PText* dir, framework::TApplication* app, framework::TScreen* screen,
                               framework::THintWindowClass hintWindowClass, std::int32_t mode);
void stdcall VekPackage_GDRes(sharemem::PText* dir, host::modules::TModuleTreeView treeView);

} // extern "C"
