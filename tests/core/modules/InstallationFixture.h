#pragma once

#include "host/HostControl.h"
#include "tests/core/modules/TestModule.h"
#include "tests/support/SampleInstallationTest.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/win/Library.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>

// A sample installation with the test module in "Mods\", one without entries beside it, and the
// test module as the package library. The application is titled like the host's.
class InstallationTest : public SampleInstallationTest {
protected:
    InstallationTest() : SampleInstallationTest("core_module_test") {}

    void SetUp() override {
        SampleInstallationTest::SetUp();
        Install("TestModule.dll", "Mods/TestModule.dll");
        Install("TestModuleNoEntries.dll", "Mods/NoEntries.dll");
        std::filesystem::remove(m_folder + "/System/API/VekPackage.dll");
        Install("TestModule.dll", "System/API/VekPackage.dll");
        m_title = framework::Application()->Title();
        framework::Application()->SetTitle("Velmora");
        framework::DialogService().ClearRecords();
    }

    void TearDown() override {
        for (const char* entry : Entries)
            unsetenv((std::string("TESTMODULE_") + entry).c_str());
        for (win::HMODULE lib : m_held)
            win::FreeLibrary(lib);
        framework::ScriptedUser().Reset();
        framework::DialogService().ClearRecords();
        framework::Application()->SetTitle(m_title);
        SampleInstallationTest::TearDown();
    }

    void Install(const std::string& built, const std::string& as) {
        std::filesystem::create_directories(std::filesystem::path(m_folder + "/" + as).parent_path());
        std::filesystem::copy_file(std::string(TEST_LIBS) + "/" + built, m_folder + "/" + as,
                                   std::filesystem::copy_options::overwrite_existing);
    }

    // The calls the library at that place saw; it stays loaded until the test ends.
    std::vector<TestModuleCall>& CallsOf(const std::string& file) {
        win::HMODULE lib = win::LoadLibraryA((m_folder + "/" + file).c_str());
        EXPECT_NE(lib, nullptr) << file;
        m_held.push_back(lib);
        auto calls = reinterpret_cast<TTestModuleCalls>(win::GetProcAddress(lib, "TestModule_Calls"));
        return *calls();
    }

    bool Loaded(const std::string& file) const {
        void* lib = dlopen((m_folder + "/" + file).c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (lib)
            dlclose(lib);
        return lib != nullptr;
    }

    static void Behave(const char* entry, const char* behaviour) {
        setenv((std::string("TESTMODULE_") + entry).c_str(), behaviour, 1);
    }

    const std::vector<framework::TDialogRecord>& Boxes() const {
        return framework::DialogService().Records();
    }

    static constexpr const char* Entries[] = {
        "VekPackage_View",   "VekPackage_ExportProc", "VekPackage_Export",
        "VekPackage_Free",   "VekPackage_ImportProc", "VekPackage_Import",
        "VekPackage_ResIDs", "VekPackage_PrjRes",     "VekPackage_GDRes"};

    std::string m_title;
    std::vector<win::HMODULE> m_held;
};
