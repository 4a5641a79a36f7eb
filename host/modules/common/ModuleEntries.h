#pragma once

#include "core/ModuleContract.h"

#include <cstdint>
#include <type_traits>

// The entry points every module library exports, and those of the package library, with the
// signatures the plug-in calls them by.
namespace host::modules {
using tarnwick::TModuleParent;
using tarnwick::TModuleTreeView;
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

static_assert(std::is_same_v<decltype(&VekPackage_View), tarnwick::TVekPackage_View>);
static_assert(std::is_same_v<decltype(&VekPackage_ExportProc), tarnwick::TVekPackage_ExportProc>);
static_assert(std::is_same_v<decltype(&VekPackage_Export), tarnwick::TVekPackage_Export>);
static_assert(std::is_same_v<decltype(&VekPackage_Free), tarnwick::TVekPackage_Free>);
static_assert(std::is_same_v<decltype(&VekPackage_ImportProc), tarnwick::TVekPackage_ImportProc>);
static_assert(std::is_same_v<decltype(&VekPackage_Import), tarnwick::TVekPackage_Import>);
static_assert(std::is_same_v<decltype(&VekPackage_ResIDs), tarnwick::TVekPackage_ResIDs>);
static_assert(std::is_same_v<decltype(&VekPackage_PrjRes), tarnwick::TVekPackage_PrjRes>);
static_assert(std::is_same_v<decltype(&VekPackage_GDRes), tarnwick::TVekPackage_GDRes>);
