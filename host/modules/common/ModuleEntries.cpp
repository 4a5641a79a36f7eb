#include "host/modules/common/ModuleEntries.h"

#include "host/HostState.h"
#include "host/modules/common/ModuleLibrary.h"

#include "platform/rtl/Numbers.h"

#include <exception>

using namespace host::modules;

namespace {

std::string EntryName(const char* entry, std::int32_t entryId) {
    return std::string(entry) + "#" + rtl::IntToStr(entryId);
}

[[noreturn]] void NoPageYet(const char* entry) {
    throw rtl::Exception(std::string(entry) + ": page not available yet");
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) std::int32_t stdcall VekPackage_View(framework::TApplication*,
                                                                            framework::TScreen*,
                                                                            framework::THintWindowClass,
                                                                            std::int32_t entryId) {
    if (auto injected = host::detail::Intercept(EntryName("VekPackage_View", entryId)))
        return static_cast<std::int32_t>(injected->number);
    NoPageYet("VekPackage_View");
}

__attribute__((visibility("default"))) void stdcall VekPackage_ExportProc(framework::TApplication*,
                                                                          framework::TScreen*,
                                                                          framework::THintWindowClass,
                                                                          std::int32_t entryId,
                                                                          TModuleParent) {
    if (host::detail::Intercept(EntryName("VekPackage_ExportProc", entryId)))
        return;
    NoPageYet("VekPackage_ExportProc");
}

__attribute__((visibility("default"))) void stdcall VekPackage_Export(sharemem::PText* result,
                                                                      framework::TApplication*,
                                                                      framework::TScreen*,
                                                                      framework::THintWindowClass,
                                                                      std::int32_t entryId) {
    if (!result)
        throw rtl::Exception("VekPackage_Export: no result variable");
    if (auto injected = host::detail::Intercept(EntryName("VekPackage_Export", entryId))) {
        sharemem::AssignVar(result, injected->text);
        return;
    }
    std::string answer;
    try {
        answer = TheModule().Export(entryId);
    } catch (const EModuleFailure& e) {
        answer = e.Code();
    } catch (const std::exception&) {
        answer = ExportFailed;
    }
    sharemem::AssignVar(result, answer);
}

__attribute__((visibility("default"))) void stdcall VekPackage_Free(framework::TApplication*,
                                                                    framework::TScreen*,
                                                                    framework::THintWindowClass,
                                                                    std::int32_t entryId, std::uint8_t) {
    // No page has been built that would need releasing.
    host::detail::Intercept(EntryName("VekPackage_Free", entryId));
}

__attribute__((visibility("default"))) void stdcall VekPackage_ImportProc(framework::TApplication*,
                                                                          framework::TScreen*,
                                                                          framework::THintWindowClass,
                                                                          std::int32_t entryId, const char*,
                                                                          TModuleParent) {
    if (host::detail::Intercept(EntryName("VekPackage_ImportProc", entryId)))
        return;
    NoPageYet("VekPackage_ImportProc");
}

__attribute__((visibility("default"))) std::int32_t stdcall VekPackage_Import(framework::TApplication*,
                                                                              framework::TScreen*,
                                                                              framework::THintWindowClass,
                                                                              std::int32_t entryId,
                                                                              const char* path) {
    if (auto injected = host::detail::Intercept(EntryName("VekPackage_Import", entryId)))
        return static_cast<std::int32_t>(injected->number);
    const std::string item = path ? path : "";
    // A preview path ("@&@" in front) never imports.
    if (item.empty() || item.rfind("@&@", 0) == 0)
        return ImportFailed;
    try {
        return TheModule().Import(entryId, item);
    } catch (const std::exception&) {
        return ImportFailed;
    }
}

} // extern "C"
