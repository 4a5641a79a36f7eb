#pragma once

#include "core/HostApi.h"

#include <cstdint>

namespace framework {
class TComponent;
}

// What the plug-in passes to a module library and to the package library, and what it relies on.
// Each entry is fetched by its name; texts are pointers to their first character (an empty text may
// arrive as nil), and var texts are counted texts that the entry assigns.
namespace tarnwick {

// The tab sheet a module builds its page in, and the host's tree view for the archive material.
using TModuleParent = framework::TComponent*;
using TModuleTreeView = framework::TComponent*;

using TVekPackage_View = std::int32_t stdcall (*)(framework::TApplication* app, framework::TScreen* screen,
                                                  framework::THintWindowClass hintWindowClass,
                                                  std::int32_t entryId);
using TVekPackage_ExportProc = void stdcall (*)(framework::TApplication* app, framework::TScreen* screen,
                                                framework::THintWindowClass hintWindowClass,
                                                std::int32_t entryId, TModuleParent parent);
using TVekPackage_Export = void stdcall (*)(sharemem::PText* result, framework::TApplication* app,
                                            framework::TScreen* screen,
                                            framework::THintWindowClass hintWindowClass,
                                            std::int32_t entryId);
// closing: 1 when the export wizard closes, 0 for the import wizard.
using TVekPackage_Free = void stdcall (*)(framework::TApplication* app, framework::TScreen* screen,
                                          framework::THintWindowClass hintWindowClass, std::int32_t entryId,
                                          std::uint8_t closing);
using TVekPackage_ImportProc = void stdcall (*)(framework::TApplication* app, framework::TScreen* screen,
                                                framework::THintWindowClass hintWindowClass,
                                                std::int32_t entryId, const char* path, TModuleParent parent);
using TVekPackage_Import = std::int32_t stdcall (*)(framework::TApplication* app, framework::TScreen* screen,
                                                    framework::THintWindowClass hintWindowClass,
                                                    std::int32_t entryId, const char* path);

// The package library.
using TVekPackage_ResIDs = void stdcall (*)(sharemem::PText* resFile, framework::TApplication* app,
                                            const char* resIds);
using TVekPackage_PrjRes = void stdcall (*)(sharemem::PText* dir, framework::TApplication* app,
                                            framework::TScreen* screen,
                                            framework::THintWindowClass hintWindowClass, std::int32_t mode);
using TVekPackage_GDRes = void stdcall (*)(sharemem::PText* dir, TModuleTreeView treeView);

// The package library, below the program folder.
inline constexpr char PackageLibraryFile[] = "System\\API\\VekPackage.dll";

// ModuleExportResult: a file or folder path, or one of these.
inline constexpr char ExportNothingSelected[] = "-2";
inline constexpr char ExportFailed[] = "-1";
inline constexpr char ExportNoProject[] = "-3";
inline constexpr char ExportNotWritten[] = "-4";

// ModuleImportResult.
inline constexpr std::int32_t ImportDone = 1;
inline constexpr std::int32_t ImportNotDone = 0;
inline constexpr std::int32_t ImportFailed = -1;
inline constexpr std::int32_t ImportNothing = -2;

// The answer of a wrapper whose library or entry is not there.
inline constexpr std::int32_t ModuleCallSkipped = -1;

} // namespace tarnwick
