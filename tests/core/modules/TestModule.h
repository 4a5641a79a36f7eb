#pragma once

#include "core/ModuleContract.h"

#include <string>
#include <vector>

// What the test module library saw of each call. Its behaviour per entry comes from the environment
// variable TESTMODULE_<entry>: unset answers normally, "raise" throws rtl::Exception, "raise-own"
// throws an error class of the library's own, "raise-other" throws a non-exception value.
// VekPackage_Import answers -2 unless TESTMODULE_VekPackage_Import_ANSWER_<entry id> gives a number.
struct TestModuleCall {
    std::string Entry;
    framework::TApplication* App = nullptr;
    framework::TScreen* Screen = nullptr;
    framework::THintWindowClass Hwc = nullptr;
    std::int32_t EntryId = 0;
    std::string Path;
    framework::TComponent* Parent = nullptr;
    int Closing = -1;
    std::int32_t Mode = 0;
    std::string ResIds;
};

using TTestModuleCalls = std::vector<TestModuleCall>* (*)();
