#pragma once

#include "core/ModuleContract.h"

#include <type_traits>

// The entry points a module library or the package library exports, declared from the contract's
// types: a library that includes this and defines an entry with another signature does not compile.
extern "C" {
std::remove_pointer_t<tarnwick::TVekPackage_View> VekPackage_View;
std::remove_pointer_t<tarnwick::TVekPackage_ExportProc> VekPackage_ExportProc;
std::remove_pointer_t<tarnwick::TVekPackage_Export> VekPackage_Export;
std::remove_pointer_t<tarnwick::TVekPackage_Free> VekPackage_Free;
std::remove_pointer_t<tarnwick::TVekPackage_ImportProc> VekPackage_ImportProc;
std::remove_pointer_t<tarnwick::TVekPackage_Import> VekPackage_Import;
std::remove_pointer_t<tarnwick::TVekPackage_ResIDs> VekPackage_ResIDs;
std::remove_pointer_t<tarnwick::TVekPackage_PrjRes> VekPackage_PrjRes;
std::remove_pointer_t<tarnwick::TVekPackage_GDRes> VekPackage_GDRes;
}
