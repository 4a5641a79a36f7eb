#include "core/ModuleCalls.h"
#include "core/ModuleLibraryPath.h"
#include "tests/core/modules/InstallationFixture.h"

#include "platform/rtl/Exceptions.h"

using namespace tarnwick;

namespace {

constexpr char Module[] = "Mods\\TestModule.dll";
constexpr char Package[] = "System/API/VekPackage.dll";

using ModuleCallsTest = InstallationTest;

framework::TComponent* const Sheet = reinterpret_cast<framework::TComponent*>(0x5000);

TEST_F(ModuleCallsTest, EveryEntryGetsTheHostObjectsAndItsArguments) {
    EXPECT_EQ(CallModuleView(Module, 7), 1007);
    EXPECT_EQ(CallModuleExportProc(Module, 8, Sheet), 0);
    EXPECT_EQ(CallModuleExport(Module, 9), "~Vek~Temp\\CommonReader\\export9");
    EXPECT_EQ(CallModuleFree(Module, 10, 1), 0);
    EXPECT_EQ(CallModuleImportProc(Module, 11, "D:\\包\\XMGL\\", Sheet), 0);
    EXPECT_EQ(CallModuleImport(Module, 201, "包\\ResFile\\"), ImportNothing);
    EXPECT_EQ(CallPackageResIDs("R1,R2"), "res:R1,R2");
    EXPECT_EQ(CallPackageGDRes(Sheet), "archive");
    EXPECT_TRUE(Boxes().empty());

    const auto& calls = CallsOf("Mods/TestModule.dll");
    ASSERT_EQ(calls.size(), 6u);
    for (const TestModuleCall& c : calls) {
        EXPECT_EQ(c.App, framework::Application()) << c.Entry;
        EXPECT_EQ(c.Screen, framework::Screen()) << c.Entry;
        EXPECT_EQ(c.Hwc, framework::HintWindowClass()) << c.Entry;
    }
    EXPECT_EQ(calls[0].Entry, "VekPackage_View");
    EXPECT_EQ(calls[1].Parent, Sheet);
    EXPECT_EQ(calls[1].EntryId, 8);
    EXPECT_EQ(calls[2].EntryId, 9);
    EXPECT_EQ(calls[3].Closing, 1);
    EXPECT_EQ(calls[4].Path, "D:\\包\\XMGL\\");
    EXPECT_EQ(calls[4].Parent, Sheet);
    EXPECT_EQ(calls[5].EntryId, 201);
    EXPECT_EQ(calls[5].Path, "包\\ResFile\\");

    const auto& package = CallsOf(Package);
    ASSERT_EQ(package.size(), 2u);
    EXPECT_EQ(package[0].ResIds, "R1,R2");
    EXPECT_EQ(package[0].App, framework::Application());
    EXPECT_EQ(package[1].Entry, "VekPackage_GDRes");
    EXPECT_EQ(package[1].Parent, Sheet);
}

TEST_F(ModuleCallsTest, OnlyTheMaterialsEntryUnloadsItsLibrary) {
    EXPECT_EQ(CallPackagePrjRes(3), "materials3");
    EXPECT_FALSE(Loaded(Package));
    CallModuleView(Module, 1);
    EXPECT_TRUE(Loaded("Mods/TestModule.dll"));
    CallPackageResIDs("R1");
    EXPECT_TRUE(Loaded(Package));

    const auto& package = CallsOf(Package);
    EXPECT_EQ(CallPackagePrjRes(2), "materials2");
    ASSERT_EQ(package.size(), 2u);
    EXPECT_EQ(package[1].Mode, 2);
    EXPECT_EQ(package[1].Screen, framework::Screen());
}

void ExpectEverythingSkipped(const std::string& library, const std::vector<framework::TDialogRecord>& boxes) {
    EXPECT_EQ(CallModuleView(library, 1), -1) << library;
    EXPECT_EQ(CallModuleExportProc(library, 1, Sheet), -1) << library;
    EXPECT_EQ(CallModuleExport(library, 1), "") << library;
    EXPECT_EQ(CallModuleFree(library, 1, 0), -1) << library;
    EXPECT_EQ(CallModuleImportProc(library, 1, "p", Sheet), -1) << library;
    EXPECT_EQ(CallModuleImport(library, 1, "p"), -1) << library;
    EXPECT_TRUE(boxes.empty()) << library;
}

TEST_F(ModuleCallsTest, MissingLibrariesAndEntriesSkipTheCall) {
    ExpectEverythingSkipped("Mods\\Absent.dll", Boxes());
    ExpectEverythingSkipped("Mods\\NoEntries.dll", Boxes());
    ExpectEverythingSkipped("", Boxes());
    EXPECT_TRUE(CallsOf("Mods/NoEntries.dll").empty());

    Install("TestModuleNoEntries.dll", Package);
    EXPECT_EQ(CallPackageResIDs("R1"), "");
    EXPECT_EQ(CallPackagePrjRes(1), "");
    EXPECT_EQ(CallPackageGDRes(Sheet), "");
    std::filesystem::remove(m_folder + "/" + Package);
    EXPECT_EQ(CallPackageResIDs("R1"), "");
    EXPECT_EQ(CallPackagePrjRes(1), "");
    EXPECT_EQ(CallPackageGDRes(Sheet), "");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ModuleCallsTest, LibraryNamesLeavingTheProgramFolderAreNeverLoaded) {
    const std::string outside = m_folder + "_outside";
    std::filesystem::remove_all(outside);
    std::filesystem::create_directories(outside);
    std::filesystem::copy_file(std::string(TEST_LIBS) + "/TestModule.dll", outside + "/Evil.dll");
    Install("TestModule.dll", "~Vek~Temp/CommonReader/Evil.dll");
    Install("TestModule.dll", "Mods/Sub/Evil.dll");
    std::filesystem::create_directory_symlink(outside, m_folder + "/Mods/OutLink");
    std::filesystem::create_symlink(outside + "/Evil.dll", m_folder + "/Mods/Evil.dll");
    std::filesystem::create_symlink(m_folder + "/~Vek~Temp/CommonReader/Evil.dll",
                                    m_folder + "/Mods/Work.dll");

    const std::string refused[] = {
        m_folder + "/Mods/Sub/Evil.dll", // absolute
        "\\Mods\\Sub\\Evil.dll",
        "C:Mods\\Sub\\Evil.dll", // drive
        "Mods\\Sub\\..\\Sub\\Evil.dll",
        "Mods/../Mods/Sub/Evil.dll",
        "Mods\\OutLink\\Evil.dll", // a linked folder outside
        "Mods\\Evil.dll",          // a linked file outside
        "~Vek~Temp\\CommonReader\\Evil.dll",
        "~VEK~TEMP\\commonreader\\evil.dll",
        "Mods\\Work.dll", // a link into the work folder
    };
    for (const std::string& name : refused) {
        EXPECT_EQ(ModuleLibraryPath(name), "") << name;
        ExpectEverythingSkipped(name, Boxes());
    }
    EXPECT_FALSE(Loaded("Mods/Sub/Evil.dll"));
    EXPECT_FALSE(Loaded("~Vek~Temp/CommonReader/Evil.dll"));
    void* outsideLib = dlopen((outside + "/Evil.dll").c_str(), RTLD_NOW | RTLD_NOLOAD);
    EXPECT_EQ(outsideLib, nullptr);

    // The same file under a sound name loads, in any letter case.
    EXPECT_EQ(CallModuleView("mods\\sub\\EVIL.dll", 4), 1004);
    EXPECT_TRUE(Loaded("Mods/Sub/Evil.dll"));
    std::filesystem::remove_all(outside);
}

struct Policy {
    const char* entry;
    std::string box; // empty: silent
};

TEST_F(ModuleCallsTest, AnErrorInsideAnEntryFollowsItsPolicy) {
    const Policy policies[] = {
        {"VekPackage_View", "装载 VekPackage_View 失败！"},
        {"VekPackage_ExportProc", "装载 VekPackage_ExportProc 失败！"},
        {"VekPackage_ResIDs", "装载 VekPackage_ResIDs 失败！"},
        {"VekPackage_GDRes", "Load API Error: Load VekPackage Error"},
        {"VekPackage_Export", ""},
        {"VekPackage_Free", ""},
        {"VekPackage_ImportProc", ""},
        {"VekPackage_Import", ""},
    };
    for (const char* behaviour : {"raise", "raise-own", "raise-other"}) {
        for (const Policy& p : policies) {
            SCOPED_TRACE(std::string(p.entry) + " " + behaviour);
            Behave(p.entry, behaviour);
            framework::DialogService().ClearRecords();
            if (!p.box.empty())
                framework::ScriptedUser().AnswerBox(framework::IDOK);
            const std::string e = p.entry;
            if (e == "VekPackage_View")
                EXPECT_EQ(CallModuleView(Module, 1), -1);
            else if (e == "VekPackage_ExportProc")
                EXPECT_EQ(CallModuleExportProc(Module, 1, Sheet), -1);
            else if (e == "VekPackage_ResIDs")
                EXPECT_EQ(CallPackageResIDs("R1"), "");
            else if (e == "VekPackage_GDRes")
                EXPECT_EQ(CallPackageGDRes(Sheet), "");
            else if (e == "VekPackage_Export")
                EXPECT_EQ(CallModuleExport(Module, 1), "");
            else if (e == "VekPackage_Free")
                EXPECT_EQ(CallModuleFree(Module, 1, 1), -1);
            else if (e == "VekPackage_ImportProc")
                EXPECT_EQ(CallModuleImportProc(Module, 1, "p", Sheet), -1);
            else
                EXPECT_EQ(CallModuleImport(Module, 1, "p"), -1);
            unsetenv((std::string("TESTMODULE_") + p.entry).c_str());
            if (p.box.empty()) {
                EXPECT_TRUE(Boxes().empty());
                continue;
            }
            ASSERT_EQ(Boxes().size(), 1u);
            EXPECT_EQ(Boxes()[0].kind, framework::TDialogKind::MessageBox);
            EXPECT_EQ(Boxes()[0].text, p.box);
            EXPECT_EQ(Boxes()[0].title, "Velmora");
            EXPECT_EQ(Boxes()[0].flags, 64);
        }
    }
}

TEST_F(ModuleCallsTest, AMaterialsErrorIsPassedOnAfterTheLibraryIsGone) {
    const std::pair<const char*, std::string> cases[] = {
        {"raise", "VekPackage_PrjRes failed in the module"},
        {"raise-own", "VekPackage_PrjRes failed with the module's own error"},
        {"raise-other", "VekPackage_PrjRes raised an unknown error"},
    };
    for (const auto& [behaviour, message] : cases) {
        Behave("VekPackage_PrjRes", behaviour);
        try {
            CallPackagePrjRes(1);
            ADD_FAILURE() << behaviour << ": no error passed on";
        } catch (const rtl::Exception& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
        EXPECT_FALSE(Loaded(Package)) << behaviour;
    }
    EXPECT_TRUE(Boxes().empty());
}

} // namespace
