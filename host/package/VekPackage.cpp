#include "host/HostState.h"
#include "host/modules/common/Materials.h"
#include "host/modules/common/ModuleEntries.h"
#include "host/modules/common/ModuleLibrary.h"

#include <exception>

// The package library "System\API\VekPackage.dll": the project materials for the resource export,
// the resource file for a list of resource ids, and the archive material.
using namespace host::modules;

#define PACKAGE_EXPORT __attribute__((visibility("default")))

extern "C" {

PACKAGE_EXPORT void stdcall VekPackage_PrjRes(sharemem::PText* dir, framework::TApplication*,
                                              framework::TScreen*, framework::THintWindowClass,
                                              std::int32_t) {
    if (!dir)
        throw rtl::Exception("VekPackage_PrjRes: no result variable");
    if (auto injected = host::detail::Intercept("VekPackage_PrjRes")) {
        sharemem::AssignVar(dir, injected->text);
        return;
    }
    std::string answer;
    try {
        answer = ExportMaterials();
    } catch (const EModuleFailure& e) {
        answer = e.Code() == NoProjectOpen ? NothingSelected : e.Code();
    } catch (const std::exception&) {
        answer = ExportFailed;
    }
    sharemem::AssignVar(dir, answer);
}

PACKAGE_EXPORT void stdcall VekPackage_ResIDs(sharemem::PText* resFile, framework::TApplication*,
                                              const char* resIds) {
    if (!resFile)
        throw rtl::Exception("VekPackage_ResIDs: no result variable");
    if (auto injected = host::detail::Intercept("VekPackage_ResIDs")) {
        sharemem::AssignVar(resFile, injected->text);
        return;
    }
    std::string answer;
    try {
        answer = PackResourceMaterials(resIds ? resIds : "");
    } catch (const std::exception&) {
        answer.clear();
    }
    sharemem::AssignVar(resFile, answer);
}

PACKAGE_EXPORT void stdcall VekPackage_GDRes(sharemem::PText* dir, TModuleTreeView) {
    if (!dir)
        throw rtl::Exception("VekPackage_GDRes: no result variable");
    if (auto injected = host::detail::Intercept("VekPackage_GDRes")) {
        sharemem::AssignVar(dir, injected->text);
        return;
    }
    std::string answer;
    try {
        answer = ArchiveMaterials();
    } catch (const std::exception&) {
        answer.clear();
    }
    sharemem::AssignVar(dir, answer);
}

} // extern "C"
