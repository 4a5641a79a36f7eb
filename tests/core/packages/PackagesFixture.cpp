#include "tests/core/packages/PackagesFixture.h"

#include "tests/support/LogEntries.h"

#include "core/PackageDocument.h"
#include "host/ziptool/VekZipTool.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/framework/TypInfo.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;
using sharemem::CountedText;

void PackagesTest::SetUp() {
    SampleInstallationTest::SetUp();
    framework::TApplication* app = framework::Application();
    m_savedExeName = app->ExeName();
    m_savedTitle = app->Title();
    m_savedMainForm = app->MainForm();
    app->SetExeName(m_folder + "/Velmora");
    app->SetTitle("Velmora");
    m_mainForm = std::make_unique<framework::TForm>(nullptr);
    app->SetMainForm(m_mainForm.get());
    host::SetApplication(app);
    host::SetScreen(framework::Screen());
    host::SetHintWindowClass(framework::HintWindowClass());
    framework::DialogService().ClearRecords();
    framework::ScriptedUser().Reset();
    tarnwick::SetPackageClock(nullptr);
    m_logSeen = host::LogRows().size();
}

void PackagesTest::TearDown() {
    EXPECT_EQ(framework::ScriptedUser().PendingAnswers(), 0u) << "a box that was expected never came";
    EXPECT_TRUE(host::EveryProcessEnded());
    tarnwick::SetPackageClock(nullptr);
    framework::ScriptedUser().Reset();
    framework::DialogService().ClearRecords();
    framework::TApplication* app = framework::Application();
    app->SetMainForm(m_savedMainForm);
    m_mainForm.reset();
    app->SetExeName(m_savedExeName);
    app->SetTitle(m_savedTitle);
    host::SetApplication(nullptr);
    host::SetScreen(nullptr);
    host::SetHintWindowClass(nullptr);
    SampleInstallationTest::TearDown();
}

bool PackagesTest::ResourcePackage(const std::string& resIds, const std::string& packageFile) {
    return VekPackResIDs(framework::HintWindowClass(), framework::Application(), framework::Screen(), 0, 0, 0,
                         0, CountedText(resIds).Get(), CountedText(packageFile).Get());
}

std::int32_t PackagesTest::ArchivePackage(framework::TTreeView* tree, const std::string& caption,
                                          const std::string& memo) {
    return VekGDBPck(tree, CountedText(caption).Get(), CountedText(memo).Get());
}

std::int32_t PackagesTest::PortInfo(const std::string& flag, std::int32_t mode, const std::string& text) {
    return VekPackPortInfo(framework::HintWindowClass(), framework::Application(), framework::Screen(),
                           flag.c_str(), mode, 0, text.c_str());
}

std::int32_t PackagesTest::AppEvn(std::int32_t mode, std::int32_t param) {
    return RunAppEvn(framework::HintWindowClass(), framework::Application(), framework::Screen(), 0, mode, param,
                     0);
}

framework::TTreeView* PackagesTest::Tree(const std::vector<std::string>& nodes, bool handle) {
    auto* tree = new framework::TTreeView(m_mainForm.get());
    tree->SetParent(m_mainForm.get());
    for (const std::string& node : nodes)
        tree->Items()->Add(nullptr, node);
    if (handle)
        tree->HandleNeeded();
    return tree;
}

std::string PackagesTest::Unpack(const std::string& package) {
    const std::string folder = m_folder + "/Unpacked/" + std::to_string(++m_unpacked);
    std::string out;
    EXPECT_TRUE(host::ExtractFile(package, folder, out)) << out;
    return folder;
}

void PackagesTest::LoadDocument(const std::string& folder, xml::TXMLDocument& doc) {
    tarnwick::LoadPackageDocument(doc, folder + "/");
}

std::vector<std::string> PackagesTest::Files(const std::string& folder) {
    std::vector<std::string> files;
    if (!fs::exists(folder))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (!entry.is_directory())
            files.push_back(fs::relative(entry.path(), folder).string());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> PackagesTest::NewLogEntries() {
    return tests::NewLogEntries(m_logSeen);
}

std::vector<std::string> PackagesTest::BoxTexts() const {
    std::vector<std::string> texts;
    for (const framework::TDialogRecord& box : framework::DialogService().Records())
        texts.push_back(box.text);
    return texts;
}
