#pragma once

#include "core/ModuleEntryPoints.h"

// The entry points every module library exports, and those of the package library.
namespace host::modules {
using tarnwick::TModuleParent;
using tarnwick::TModuleTreeView;
} // namespace host::modules
