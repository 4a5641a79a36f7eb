// A host process: it loads the plug-in from a sample installation and calls its exports by name.

#include "core/Exports.h"

#include "host/HostControl.h"
#include "tests/core/entry/ProbeState.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/framework/TypInfo.h"
#include "platform/sharemem/ShareMem.h"
#include "platform/win/Library.h"
#include "platform/win/Ole.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;
using sharemem::CountedText;

namespace {

struct Slots {
    framework::TApplication* application;
    framework::TScreen* screen;
    framework::THintWindowClass hintWindowClass;
    bool operator==(const Slots&) const = default;
};

Slots CurrentSlots() {
    return {framework::Application(), framework::Screen(), framework::HintWindowClass()};
}

void PutInSlots(const Slots& s) {
    framework::SetApplication(s.application);
    framework::SetScreen(s.screen);
    framework::SetHintWindowClass(s.hintWindowClass);
}

void Touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "x";
}

class EntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::path(TARNWICK_BINARY_DIR) / "core_entry_test" /
                   ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(m_folder);
        host::CreateSampleInstallation(m_folder.string());
        m_hostApplication->SetExeName((m_folder / "Velmora").string());
        m_before = CurrentSlots();
        // What the framework's slots hold when the host loads the plug-in.
        m_own = {m_ownApplication.get(), m_ownScreen.get(), framework::FindClassInfo("TOpenDialog")};
        PutInSlots(m_own);
        m_host = {m_hostApplication.get(), m_hostScreen.get(), framework::FindClassInfo("TComponent")};
        ASSERT_NE(m_own.hintWindowClass, nullptr);
        ASSERT_NE(m_host.hintWindowClass, nullptr);
        ASSERT_NE(m_own.hintWindowClass, m_host.hintWindowClass);
    }

    void TearDown() override {
        if (m_plugin)
            win::FreeLibrary(m_plugin);
        PutInSlots(m_before);
        framework::ScriptedUser().Reset();
        framework::DialogService().ClearRecords();
        host::CloseInstallation();
        fs::remove_all(m_folder);
    }

    // Loads the plug-in the way the host does: the library file in the program folder, by path text.
    void Load(const char* builtFile = TARNWICK_PLUGIN) {
        const fs::path installed = m_folder / fs::path(builtFile).filename();
        fs::copy_file(builtFile, installed, fs::copy_options::overwrite_existing);
        m_plugin = win::LoadLibraryA(installed.string().c_str());
        ASSERT_NE(m_plugin, nullptr) << win::LastLibraryError();
    }

    bool Unload() {
        const bool freed = win::FreeLibrary(m_plugin);
        m_plugin = nullptr;
        return freed;
    }

    template <class F> F Bind(const char* name) {
        return reinterpret_cast<F>(win::GetProcAddress(m_plugin, name));
    }

    std::int32_t RunAppEvn(std::int32_t mode, std::int32_t param = 0) {
        auto run = Bind<tarnwick::TRunAppEvn>("RunAppEvn");
        return run(m_host.hintWindowClass, m_host.application, m_host.screen, 77, mode, param, 88);
    }

    std::int32_t VekPackPortInfo(std::int32_t mode, const char* flag, const char* text) {
        auto run = Bind<tarnwick::TVekPackPortInfo>("VekPackPortInfo");
        return run(m_host.hintWindowClass, m_host.application, m_host.screen, flag, mode, 99, text);
    }

    fs::path CommonReader() const { return m_folder / "~Vek~Temp" / "CommonReader"; }

    // A work folder as an earlier run would leave it: nested folders and a read-only file.
    void FillCommonReader() {
        Touch(CommonReader() / "Package.XML");
        Touch(CommonReader() / "ResFile" / "Docs" / "a.doc");
        Touch(CommonReader() / "locked.dat");
        fs::permissions(CommonReader() / "locked.dat", fs::perms::owner_read);
    }

    fs::path m_folder;
    Slots m_before{};
    std::unique_ptr<framework::TApplication> m_ownApplication =
        std::make_unique<framework::TApplication>(nullptr);
    std::unique_ptr<framework::TScreen> m_ownScreen = std::make_unique<framework::TScreen>(nullptr);
    std::unique_ptr<framework::TApplication> m_hostApplication =
        std::make_unique<framework::TApplication>(nullptr);
    std::unique_ptr<framework::TScreen> m_hostScreen = std::make_unique<framework::TScreen>(nullptr);
    Slots m_own{};
    Slots m_host{};
    win::HMODULE m_plugin = nullptr;
};

TEST_F(EntryTest, LoadStartsOleAndKeepsTheSlotsWhichUnloadRestores) {
    const int oleBefore = win::OleInitCount();
    Load();
    EXPECT_EQ(win::OleInitCount(), oleBefore + 1);
    EXPECT_EQ(CurrentSlots(), m_own);

    // The getters before any export: nothing recorded yet, and no slot touched.
    EXPECT_EQ(Bind<tarnwick::TGetPackageVer>("GetPackageVer")(), 0);
    const std::size_t blocks = sharemem::LiveBlocks();
    CountedText dir("stale text the host held");
    Bind<tarnwick::TGetPackageDir>("GetPackageDir")(dir.Var());
    EXPECT_TRUE(dir.Empty());
    EXPECT_EQ(sharemem::LiveBlocks(), blocks);
    Bind<tarnwick::TGetPackageDir>("GetPackageDir")(nullptr);
    EXPECT_EQ(CurrentSlots(), m_own);

    // Hint window class, application, screen: the first three arguments in that order.
    EXPECT_EQ(RunAppEvn(2), -1);
    EXPECT_EQ(CurrentSlots(), m_host);
    // They stay there after the export.
    EXPECT_EQ(Bind<tarnwick::TGetPackageVer>("GetPackageVer")(), 0);
    EXPECT_EQ(CurrentSlots(), m_host);

    EXPECT_TRUE(Unload());
    EXPECT_EQ(CurrentSlots(), m_own);
    EXPECT_EQ(win::OleInitCount(), oleBefore);
}

TEST_F(EntryTest, RunAppEvnAnswersForEveryMode) {
    // Mode 0 shows the export wizard, which the user closes. The import asks for a file, and the
    // user cancels.
    const std::int32_t modes[] = {-1, 0, 1, 2, 3, -2, INT32_MIN, INT32_MAX};
    Load();
    for (const std::int32_t mode : modes) {
        SCOPED_TRACE(mode);
        FillCommonReader();
        if (mode == -1)
            framework::ScriptedUser().CancelFile();
        if (mode == 0)
            framework::ScriptedUser().ScriptFor("TFrm_MainReaderPack").Click("btnCancel");
        EXPECT_EQ(RunAppEvn(mode, 5), mode == 0 ? 1 : -1);
        EXPECT_FALSE(fs::exists(CommonReader()));
        EXPECT_TRUE(fs::exists(m_folder / "~Vek~Temp"));
        EXPECT_EQ(CurrentSlots(), m_host);
        EXPECT_EQ(framework::ScriptedUser().PendingScripts(), 0u);
    }
    // Without a work folder there is nothing to clean up.
    fs::remove_all(CommonReader());
    EXPECT_EQ(RunAppEvn(2), -1);
    EXPECT_EQ(host::LastPluginError(), "");
}

TEST_F(EntryTest, VekPackPortInfoAnswersForEveryMode) {
    // Mode 0 shows the export wizard in port mode on the module tabs of the rows it could check,
    // and the user closes it. The imports find no file: one is missing, and the user cancels the
    // choice of the other.
    struct Case {
        std::int32_t mode;
        const char* flag;
        const char* text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {-1, "1", "/tmp/none.Package", -1},
        {-1, nullptr, nullptr, -1},
        {0, "", "项目信息,系统人员", 0},
        {1, "", "", -1},
        {2, nullptr, nullptr, -1},
        {-2, "1", "x", -1},
        {INT32_MIN, "", "", -1},
    };
    Load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        FillCommonReader();
        if (c.mode == -1 && !c.text)
            framework::ScriptedUser().CancelFile();
        if (c.mode == 0) {
            // The personnel module's page lists the open project's persons.
            ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
            framework::ScriptedUser().ScriptFor("TFrm_MainReaderPack").Click("btnCancel");
        }
        EXPECT_EQ(VekPackPortInfo(c.mode, c.flag, c.text), c.expected);
        EXPECT_FALSE(fs::exists(CommonReader()));
        EXPECT_EQ(CurrentSlots(), m_host);
        EXPECT_EQ(framework::ScriptedUser().PendingScripts(), 0u);
    }
    EXPECT_EQ(host::LastPluginError(), "");
}

TEST_F(EntryTest, CleanUpRemovesLinksNeverWhatTheyPointTo) {
    const fs::path outside = m_folder / "Outside";
    Touch(outside / "keep.txt");
    FillCommonReader();
    fs::create_directory_symlink(outside, CommonReader() / "linked folder");
    fs::create_symlink(outside / "keep.txt", CommonReader() / "ResFile" / "linked file");
    Load();
    framework::ScriptedUser().CancelFile();
    EXPECT_EQ(RunAppEvn(-1), -1);
    EXPECT_FALSE(fs::exists(fs::symlink_status(CommonReader())));
    EXPECT_TRUE(fs::exists(outside / "keep.txt"));

    // A work folder that is itself a link goes as a link.
    fs::create_directory_symlink(outside, CommonReader());
    EXPECT_EQ(RunAppEvn(2), -1);
    EXPECT_FALSE(fs::exists(fs::symlink_status(CommonReader())));
    EXPECT_TRUE(fs::exists(outside / "keep.txt"));
}

TEST_F(EntryTest, WorkFolderIsNeverTakenFromTheCurrentFolder) {
    // The work folder lies below the program folder, the same one module libraries are loaded from,
    // whatever the application's executable name says.
    const fs::path scratch = m_folder / "Elsewhere";
    Touch(scratch / "~Vek~Temp" / "CommonReader" / "keep.txt");
    const fs::path previous = fs::current_path();
    fs::current_path(scratch);
    Load();
    for (const char* exeName : {"Velmora", "", "/elsewhere/Velmora"}) {
        SCOPED_TRACE(exeName);
        m_hostApplication->SetExeName(exeName);
        FillCommonReader();
        EXPECT_EQ(RunAppEvn(2), -1);
        EXPECT_FALSE(fs::exists(CommonReader()));
    }
    fs::current_path(previous);
    EXPECT_TRUE(fs::exists(scratch / "~Vek~Temp" / "CommonReader" / "keep.txt"));
}

TEST_F(EntryTest, ImportRecordsTheVersionItFoundAndStopsLoudlyBeforeTheWizard) {
    const fs::path staging = m_folder / "Staging";
    fs::create_directories(staging);
    std::ofstream(staging / "Package.XML")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?><VekPackage><PackageInfo PackageVersion=\"3\"/>"
           "<ExportItemInfo><系统人员 ModCaption=\"系统人员\"/></ExportItemInfo></VekPackage>";
    const fs::path package = m_folder / "Packages" / "项目.Package";
    fs::create_directories(package.parent_path());
    CountedText out;
    ASSERT_EQ(CompressFile(out.Var(), staging.string().c_str(), package.string().c_str()), 1);
    Load();
    auto version = Bind<tarnwick::TGetPackageVer>("GetPackageVer");
    auto folder = Bind<tarnwick::TGetPackageDir>("GetPackageDir");

    // The administrator's package is prepared; the wizard it ends in is not in this build, which
    // reaches the export's guard: -1, and the extracted package is left for a look.
    EXPECT_EQ(VekPackPortInfo(-1, "1", package.string().c_str()), -1);
    EXPECT_EQ(version(), 3);
    EXPECT_TRUE(fs::exists(CommonReader() / "Package.XML"));
    EXPECT_TRUE(fs::exists(package));
    EXPECT_TRUE(host::EveryProcessEnded());

    const fs::path garbage = m_folder / "Packages" / "garbage.Package";
    std::ofstream(garbage) << "no archive";
    framework::ScriptedUser().AnswerBox(framework::IDOK, "数据包格式不正确或非项目数据包，请检查后导入！");
    EXPECT_EQ(VekPackPortInfo(-1, "", garbage.string().c_str()), -1);
    EXPECT_EQ(version(), -1);
    EXPECT_FALSE(fs::exists(CommonReader()));

    fs::remove_all(staging);
    fs::create_directories(staging);
    std::ofstream(staging / "perinfo.per") << "persons";
    ASSERT_EQ(CompressFile(out.Var(), staging.string().c_str(), package.string().c_str()), 1);
    framework::ScriptedUser().AnswerBox(framework::IDOK);
    EXPECT_EQ(VekPackPortInfo(-1, "", package.string().c_str()), -1);
    EXPECT_EQ(version(), 0);
    EXPECT_EQ(framework::ScriptedUser().PendingAnswers(), 0u);

    // The folder getter belongs to the export and the archive package, not to the import.
    CountedText dir("stale");
    folder(dir.Var());
    EXPECT_TRUE(dir.Empty());
}

TEST_F(EntryTest, VekPackResIDsHandsItsErrorToTheHost) {
    FillCommonReader();
    Load();
    auto pack = Bind<tarnwick::TVekPackResIDs>("VekPackResIDs");
    CountedText ids("R1,R2"), file((m_folder / "res.Package").string());
    // Without the host's work folder the document cannot be saved.
    fs::remove_all(m_folder / "~Vek~Temp" / "XMGL");
    EXPECT_FALSE(
        pack(m_host.hintWindowClass, m_host.application, m_host.screen, 1, 2, 3, 4, ids.Get(), file.Get()));
    EXPECT_EQ(CurrentSlots(), m_host);
    EXPECT_EQ(host::LastPluginError().rfind("VekPackResIDs: ", 0), 0u) << host::LastPluginError();
    // This export has no work-folder clean-up.
    EXPECT_TRUE(fs::exists(CommonReader() / "Package.XML"));
}

TEST_F(EntryTest, VekGDBPckTakesTheObjectsFromThePlatformLibrary) {
    Load();
    auto archive = Bind<tarnwick::TVekGDBPck>("VekGDBPck");
    host::SetApplication(m_host.application);
    host::SetScreen(m_host.screen);
    host::SetHintWindowClass(m_host.hintWindowClass);
    CountedText caption("归档"), memo("memo");
    // Without a tree view there is nothing to archive.
    EXPECT_EQ(archive(nullptr, caption.Get(), memo.Get()), 0);
    EXPECT_EQ(CurrentSlots(), m_host);
    EXPECT_EQ(host::LastPluginError(), "");

    // The getters are asked in order; an error of one reaches the host the same way.
    PutInSlots(m_own);
    host::InjectRaise("VekGetScreen", "screen lost");
    EXPECT_EQ(archive(nullptr, caption.Get(), memo.Get()), 0);
    EXPECT_EQ(host::LastPluginError(), "VekGDBPck: screen lost");
    EXPECT_EQ(framework::Application(), m_host.application);
    EXPECT_EQ(framework::Screen(), m_own.screen);
    EXPECT_EQ(framework::HintWindowClass(), m_own.hintWindowClass);
}

TEST_F(EntryTest, ReducedBuildHasThreeExportsAndTheSameEntry) {
    const int oleBefore = win::OleInitCount();
    Load(TARNWICK_REDUCED_PLUGIN);
    EXPECT_EQ(win::OleInitCount(), oleBefore + 1);
    for (const char* absent : {"VekGDBPck", "GetPackageVer", "GetPackageDir"})
        EXPECT_EQ(win::GetProcAddress(m_plugin, absent), nullptr) << absent;

    FillCommonReader();
    EXPECT_EQ(RunAppEvn(2), -1);
    EXPECT_FALSE(fs::exists(CommonReader()));
    EXPECT_EQ(CurrentSlots(), m_host);
    FillCommonReader();
    EXPECT_EQ(VekPackPortInfo(0, "", "项目信息"), -1);
    EXPECT_TRUE(fs::exists(CommonReader()));

    auto pack = Bind<tarnwick::TVekPackResIDs>("VekPackResIDs");
    EXPECT_FALSE(
        pack(m_host.hintWindowClass, m_host.application, m_host.screen, 0, 0, 0, 0, nullptr, nullptr));
    EXPECT_EQ(host::LastPluginError(), "");

    EXPECT_TRUE(Unload());
    EXPECT_EQ(CurrentSlots(), m_own);
    EXPECT_EQ(win::OleInitCount(), oleBefore);
}

// The probe plug-in: the real entry and exports over workers that answer or raise as told.
class ExportResultTest : public EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        Load(TARNWICK_PROBE_PLUGIN);
        m_probe = Bind<TProbeStateFunction>("TarnwickProbeState")();
        ASSERT_NE(m_probe, nullptr);
    }

    void Expect(std::int32_t answer, const std::string& raise) {
        m_probe->answer = answer;
        m_probe->raise = raise;
        m_probe->calls.clear();
    }

    // The one worker call the export made, with the host's objects in the slots.
    ProbeCall OnlyCall(const std::string& routine) {
        EXPECT_EQ(m_probe->calls.size(), 1u);
        if (m_probe->calls.size() != 1)
            return {};
        const ProbeCall& call = m_probe->calls.front();
        EXPECT_EQ(call.routine, routine);
        EXPECT_EQ(call.application, m_host.application);
        EXPECT_EQ(call.screen, m_host.screen);
        EXPECT_EQ(call.hintWindowClass, m_host.hintWindowClass);
        return call;
    }

    ProbeState* m_probe = nullptr;
};

TEST_F(ExportResultTest, RunAppEvnAnswersOneOnlyAfterTheWizard) {
    struct Case {
        std::int32_t mode;
        std::int32_t answer;
        const char* raise;
        std::int32_t expected;
        bool folderRemoved;
        const char* routine;
    };
    const Case cases[] = {
        {0, 0, "", 1, true, "ShowExportWizard"},
        {0, 0, "wizard failed", -1, false, "ShowExportWizard"},
        {-1, 1, "", -1, true, "ImportPackage"},
        {-1, 0, "import failed", -1, true, "ImportPackage"},
        {1, 1, "", 1, true, "RunResourceExport"},
        {1, -1, "export failed", -1, true, "RunResourceExport"},
        {2, 1, "", -1, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " " + c.raise);
        FillCommonReader();
        Expect(c.answer, c.raise);
        EXPECT_EQ(RunAppEvn(c.mode, 42), c.expected);
        EXPECT_EQ(fs::exists(CommonReader()), !c.folderRemoved);
        if (!*c.routine) {
            EXPECT_TRUE(m_probe->calls.empty());
            continue;
        }
        const ProbeCall call = OnlyCall(c.routine);
        if (c.mode == -1) {
            // The user picks the file; a full import, not a preview.
            EXPECT_EQ(call.text1, "");
            EXPECT_EQ(call.text2, "");
        }
        if (c.mode == 1) {
            EXPECT_EQ(call.number, 42);
        }
    }
}

TEST_F(ExportResultTest, VekPackPortInfoAnswersItsWorkersResult) {
    struct Case {
        std::int32_t mode;
        std::int32_t answer;
        const char* raise;
        std::int32_t expected;
        bool folderRemoved;
        const char* routine;
    };
    const Case cases[] = {
        {-1, -3, "", -3, true, "ImportPackage"},
        {-1, 1, "", 1, true, "ImportPackage"},
        {-1, 1, "import failed", -1, false, "ImportPackage"},
        {0, framework::mrCancel, "", 0, true, "ShowExportWizardInPortMode"},
        {0, framework::mrOk, "", 1, true, "ShowExportWizardInPortMode"},
        {0, framework::mrCancel, "wizard failed", -1, false, "ShowExportWizardInPortMode"},
        {3, 1, "", -1, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " " + std::to_string(c.answer) + " " + c.raise);
        FillCommonReader();
        Expect(c.answer, c.raise);
        EXPECT_EQ(VekPackPortInfo(c.mode, "1", "项目信息,系统人员"), c.expected);
        EXPECT_EQ(fs::exists(CommonReader()), !c.folderRemoved);
        if (!*c.routine) {
            EXPECT_TRUE(m_probe->calls.empty());
            continue;
        }
        const ProbeCall call = OnlyCall(c.routine);
        EXPECT_EQ(call.text1, "项目信息,系统人员"); // the file name, or the captions to check
        if (c.mode == -1) {
            EXPECT_EQ(call.text2, "1");
        }
    }
}

TEST_F(ExportResultTest, AnApplicationWithoutProgramFolderStillGetsItsWorkFolderCleanedUp) {
    m_hostApplication->SetExeName("Velmora");
    FillCommonReader();
    Expect(framework::mrOk, "");
    EXPECT_EQ(VekPackPortInfo(0, "", "项目信息"), 1);
    EXPECT_FALSE(fs::exists(CommonReader()));
    FillCommonReader();
    Expect(0, "");
    EXPECT_EQ(RunAppEvn(0), 1);
    EXPECT_FALSE(fs::exists(CommonReader()));
}

TEST_F(ExportResultTest, PackageRequestsPassArgumentsAndAnswersThrough) {
    auto pack = Bind<tarnwick::TVekPackResIDs>("VekPackResIDs");
    CountedText ids("R1,R2"), file((m_folder / "res.Package").string());
    Expect(1, "");
    EXPECT_TRUE(
        pack(m_host.hintWindowClass, m_host.application, m_host.screen, 1, 2, 3, 4, ids.Get(), file.Get()));
    ProbeCall call = OnlyCall("PackProjectResources");
    EXPECT_EQ(call.text1, "R1,R2");
    EXPECT_EQ(call.text2, (m_folder / "res.Package").string());
    Expect(0, "");
    EXPECT_FALSE(
        pack(m_host.hintWindowClass, m_host.application, m_host.screen, 1, 2, 3, 4, ids.Get(), file.Get()));

    host::SetApplication(m_host.application);
    host::SetScreen(m_host.screen);
    host::SetHintWindowClass(m_host.hintWindowClass);
    auto archive = Bind<tarnwick::TVekGDBPck>("VekGDBPck");
    auto* tree = reinterpret_cast<framework::TTreeView*>(m_hostScreen.get());
    CountedText caption("归档"), memo("说明");
    Expect(1, "");
    EXPECT_EQ(archive(tree, caption.Get(), memo.Get()), 1);
    call = OnlyCall("BuildArchivePackage");
    EXPECT_EQ(call.tree, tree);
    EXPECT_EQ(call.text1, "归档");
    EXPECT_EQ(call.text2, "说明");
    EXPECT_EQ(host::LastPluginError(), "");
}

TEST_F(ExportResultTest, GettersReportWhatTheLastRunRecorded) {
    auto version = Bind<tarnwick::TGetPackageVer>("GetPackageVer");
    auto folder = Bind<tarnwick::TGetPackageDir>("GetPackageDir");
    m_probe->packageVersion = 3;
    m_probe->packageFolder = CommonReader().string() + "/";
    EXPECT_EQ(VekPackPortInfo(-1, "", "a.Package"), 0);
    EXPECT_EQ(version(), 3);

    const std::size_t blocks = sharemem::LiveBlocks();
    CountedText dir("the host's previous text");
    folder(dir.Var());
    EXPECT_EQ(dir.Str(), CommonReader().string() + "/");
    EXPECT_EQ(sharemem::LiveBlocks(), blocks + 1); // the old text released, the copy allocated
    const std::string before = dir.Str();
    folder(dir.Var());
    EXPECT_EQ(dir.Str(), before);
    EXPECT_EQ(sharemem::LiveBlocks(), blocks + 1);
}

} // namespace
