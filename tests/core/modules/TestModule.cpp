#include "tests/core/modules/TestModule.h"

#include "core/ModuleEntryPoints.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Numbers.h"

#include <cstdlib>
#include <stdexcept>

#define MODULE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

class TestModuleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::vector<TestModuleCall>& Calls() {
    static std::vector<TestModuleCall> calls;
    return calls;
}

[[maybe_unused]] void Record(TestModuleCall call) {
    const char* mode = std::getenv(("TESTMODULE_" + call.Entry).c_str());
    const std::string entry = call.Entry;
    Calls().push_back(std::move(call));
    const std::string behaviour = mode ? mode : "";
    if (behaviour == "raise")
        throw rtl::Exception(entry + " failed in the module");
    if (behaviour == "raise-own")
        throw TestModuleError(entry + " failed with the module's own error");
    if (behaviour == "raise-other")
        throw 42;
}

[[maybe_unused]] TestModuleCall Call(const char* entry, framework::TApplication* app,
                                     framework::TScreen* screen, framework::THintWindowClass hwc,
                                     std::int32_t entryId) {
    TestModuleCall call;
    call.Entry = entry;
    call.App = app;
    call.Screen = screen;
    call.Hwc = hwc;
    call.EntryId = entryId;
    return call;
}

} // namespace

MODULE_EXPORT std::vector<TestModuleCall>* TestModule_Calls() {
    return &Calls();
}

#ifndef TESTMODULE_WITHOUT_ENTRIES

MODULE_EXPORT std::int32_t VekPackage_View(framework::TApplication* app, framework::TScreen* screen,
                                           framework::THintWindowClass hwc, std::int32_t entryId) {
    Record(Call("VekPackage_View", app, screen, hwc, entryId));
    return entryId + 1000;
}

MODULE_EXPORT void VekPackage_ExportProc(framework::TApplication* app, framework::TScreen* screen,
                                         framework::THintWindowClass hwc, std::int32_t entryId,
                                         tarnwick::TModuleParent parent) {
    TestModuleCall call = Call("VekPackage_ExportProc", app, screen, hwc, entryId);
    call.Parent = parent;
    Record(call);
}

MODULE_EXPORT void VekPackage_Export(sharemem::PText* result, framework::TApplication* app,
                                     framework::TScreen* screen, framework::THintWindowClass hwc,
                                     std::int32_t entryId) {
    Record(Call("VekPackage_Export", app, screen, hwc, entryId));
    sharemem::AssignVar(result, "~Vek~Temp\\CommonReader\\export" + rtl::IntToStr(entryId));
}

MODULE_EXPORT void VekPackage_Free(framework::TApplication* app, framework::TScreen* screen,
                                   framework::THintWindowClass hwc, std::int32_t entryId,
                                   std::uint8_t closing) {
    TestModuleCall call = Call("VekPackage_Free", app, screen, hwc, entryId);
    call.Closing = closing;
    Record(call);
}

MODULE_EXPORT void VekPackage_ImportProc(framework::TApplication* app, framework::TScreen* screen,
                                         framework::THintWindowClass hwc, std::int32_t entryId,
                                         const char* path, tarnwick::TModuleParent parent) {
    TestModuleCall call = Call("VekPackage_ImportProc", app, screen, hwc, entryId);
    call.Path = path ? path : "";
    call.Parent = parent;
    Record(call);
}

MODULE_EXPORT std::int32_t VekPackage_Import(framework::TApplication* app, framework::TScreen* screen,
                                             framework::THintWindowClass hwc, std::int32_t entryId,
                                             const char* path) {
    TestModuleCall call = Call("VekPackage_Import", app, screen, hwc, entryId);
    call.Path = path ? path : "";
    Record(call);
    const char* answer = std::getenv(("TESTMODULE_VekPackage_Import_ANSWER_" + rtl::IntToStr(entryId)).c_str());
    return answer ? rtl::StrToInt(answer) : tarnwick::ImportNothing;
}

MODULE_EXPORT void VekPackage_ResIDs(sharemem::PText* resFile, framework::TApplication* app,
                                     const char* resIds) {
    TestModuleCall call = Call("VekPackage_ResIDs", app, nullptr, nullptr, 0);
    call.ResIds = resIds ? resIds : "";
    Record(call);
    sharemem::AssignVar(resFile, "res:" + call.ResIds);
}

MODULE_EXPORT void VekPackage_PrjRes(sharemem::PText* dir, framework::TApplication* app,
                                     framework::TScreen* screen, framework::THintWindowClass hwc,
                                     std::int32_t mode) {
    TestModuleCall call = Call("VekPackage_PrjRes", app, screen, hwc, 0);
    call.Mode = mode;
    Record(call);
    sharemem::AssignVar(dir, "materials" + rtl::IntToStr(mode));
}

MODULE_EXPORT void VekPackage_GDRes(sharemem::PText* dir, tarnwick::TModuleTreeView treeView) {
    TestModuleCall call = Call("VekPackage_GDRes", nullptr, nullptr, nullptr, 0);
    call.Parent = treeView;
    Record(call);
    sharemem::AssignVar(dir, std::string_view("archive"));
}

#endif
