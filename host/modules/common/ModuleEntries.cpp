#include "host/modules/common/ModuleEntries.h"

#include "host/HostState.h"
#include "host/modules/common/ModuleLibrary.h"
#include "host/modules/common/ModulePage.h"

#include "platform/rtl/Numbers.h"

#include <exception>

using namespace host::modules;

namespace {

std::string EntryName(const char* entry, std::int32_t entryId) {
    return std::string(entry) + "#" + rtl::IntToStr(entryId);
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) std::int32_t stdcall VekPackage_View(framework::TApplication*,
                                                                            framework::TScreen*,
                                                                            framework::THintWindowClass,
                                                                            std::int32_t entryId) {
    if (auto injected = host::detail::Intercept(EntryName("VekPackage_View", entryId)))
        return static_cast<std::int32_t>(injected->number);
    // The caller ignores the answer; it is the number of lines the export page would list, -1 when
    // that cannot be told (no project open, say).
    try {
        return static_cast<std::int32_t>(TheModule().ExportContent(entryId).Items.size());
    } catch (const std::exception&) {
        return -1;
    }
}

__attribute__((visibility("default"))) void stdcall VekPackage_ExportProc(framework::TApplication*,
                                                                          framework::TScreen*,
                                                                          framework::THintWindowClass,
                                                                          std::int32_t entryId,
                                                                          TModuleParent parent) {
    if (host::detail::Intercept(EntryName("VekPackage_ExportProc", entryId)))
        return;
    if (parent == nullptr)
        throw rtl::Exception("VekPackage_ExportProc: no parent for the page");
    BuildModulePage("VekPackage_ExportProc", entryId, parent, TheModule().ExportContent(entryId));
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
    // Both wizards release their tabs this way; the closing byte only tells which one it is.
    if (host::detail::Intercept(EntryName("VekPackage_Free", entryId)))
        return;
    FreeModulePage(entryId);
}

__attribute__((visibility("default"))) void stdcall
VekPackage_ImportProc(framework::TApplication*, framework::TScreen*, framework::THintWindowClass,
                      std::int32_t entryId, const char* path, TModuleParent parent) {
    if (host::detail::Intercept(EntryName("VekPackage_ImportProc", entryId)))
        return;
    std::string item = path ? path : "";
    // A preview puts "@&@" in front of the item; the page shows the item all the same.
    if (item.rfind("@&@", 0) == 0)
        item.erase(0, 3);
    if (item.empty())
        throw rtl::Exception("VekPackage_ImportProc: no item to show");
    if (parent == nullptr)
        throw rtl::Exception("VekPackage_ImportProc: no parent for the page");
    BuildModulePage("VekPackage_ImportProc", entryId, parent, TheModule().ImportContent(entryId, item));
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
