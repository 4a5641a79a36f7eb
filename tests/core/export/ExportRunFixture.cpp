#include "tests/core/export/ExportRunFixture.h"

#include "tests/support/LogEntries.h"

#include "core/HostApi.h"
#include "core/WorkFolders.h"
#include "core/export/ExportRunRoutines.h"
#include "core/export/UntFrmEdtPckName.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Numbers.h"

#include <zip.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

namespace fs = std::filesystem;
using namespace tarnwick;

bool TRunWizard::IsItemChecked(const std::string& caption) const {
    return std::find(checked.begin(), checked.end(), caption) != checked.end();
}

bool TRunWizard::AskPackageNameAndMemo(std::string& name, std::string& memo) {
    return tarnwick::AskPackageNameAndMemo(name, memo);
}

void ExportRunTest::SetUp() {
    SampleInstallationTest::SetUp();
    framework::Application()->SetTitle("Velmora");
    framework::DialogService().ClearRecords();
    framework::ScriptedUser().Reset();
    // The sample modules write files of their own for the reduced build, and folders for Tarnwick.
    host::SetInstalledPluginBuild(BuildTrait::Reduced ? host::PluginBuild::Reduced : host::PluginBuild::Full);
    host::SetCurrentUser(host::SampleMemberId);
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    host::ClearRecords();
    m_logSeen = 0;
}

void ExportRunTest::TearDown() {
    EXPECT_EQ(framework::ScriptedUser().PendingAnswers(), 0u) << "a box the test expected was not shown";
    EXPECT_EQ(framework::ScriptedUser().PendingScripts(), 0u) << "a dialog the test expected was not shown";
    framework::ScriptedUser().Reset();
    framework::DialogService().ClearRecords();
    host::ClearInjections();
    SampleInstallationTest::TearDown();
}

void ExportRunTest::ChooseModules(const std::vector<std::string>& captions) {
    m_wizard.tabs.clear();
    m_wizard.checked = captions;
    for (const std::string& caption : captions) {
        const std::optional<TPackageItemModule> row = ReadPackModRow(caption);
        ASSERT_TRUE(row) << caption;
        m_wizard.tabs.push_back({caption, rtl::StrToInt(row->EntryID), row->ModDllFile});
    }
}

void ExportRunTest::NamePackage(const std::string& name, const std::string& memo) {
    framework::TUserScript& script = framework::ScriptedUser().ScriptFor("TFrmEdtPckFile");
    script.Type("EdtName", name);
    if (!memo.empty())
        script.Type("EdtMemo", memo);
    script.Click("btnok");
}

void ExportRunTest::ExpectBox(const std::string& text, int button) {
    framework::ScriptedUser().AnswerBox(button, text);
}

void ExportRunTest::RunExport() {
    ExportPackage(m_wizard);
}

std::vector<std::string> ExportRunTest::BoxTexts() const {
    std::vector<std::string> texts;
    for (const framework::TDialogRecord& record : framework::DialogService().Records())
        if (record.kind == framework::TDialogKind::MessageBox || record.kind == framework::TDialogKind::Message)
            texts.push_back(record.text);
    return texts;
}

std::vector<std::string> ExportRunTest::NewLogEntries() {
    return tests::NewLogEntries(m_logSeen);
}

std::string ExportRunTest::WorkFolder() const {
    return rtl::ToNativePath(BuildTrait::Reduced ? XmglFolder() : CommonReaderFolder());
}

bool ExportRunTest::WorkFolderLeftClear() const {
    if constexpr (BuildTrait::Reduced)
        return fs::is_directory(WorkFolder()) && fs::is_empty(WorkFolder());
    return !fs::exists(WorkFolder());
}

namespace {

using ZipArchive = std::unique_ptr<zip_t, decltype(&zip_discard)>;

ZipArchive OpenArchive(const std::string& path) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (!archive)
        throw std::runtime_error("not a ZIP archive: " + path);
    return ZipArchive(archive, &zip_discard);
}

} // namespace

std::vector<std::string> ExportRunTest::EntryNames(const std::string& package) {
    ZipArchive archive = OpenArchive(package);
    std::vector<std::string> names;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive.get(), 0); ++i)
        names.push_back(zip_get_name(archive.get(), i, 0));
    std::sort(names.begin(), names.end());
    return names;
}

std::string ExportRunTest::EntryText(const std::string& package, const std::string& entry) {
    ZipArchive archive = OpenArchive(package);
    zip_stat_t stat;
    if (zip_stat(archive.get(), entry.c_str(), 0, &stat) != 0)
        throw std::runtime_error(package + " has no entry " + entry);
    std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(zip_fopen(archive.get(), entry.c_str(), 0), &zip_fclose);
    std::string bytes(stat.size, '\0');
    if (!file || zip_fread(file.get(), bytes.data(), stat.size) != static_cast<zip_int64_t>(stat.size))
        throw std::runtime_error("cannot read " + entry + " of " + package);
    return bytes;
}

std::vector<std::string> ExportRunTest::Outline(const std::string& packageXml) {
    xml::TXMLDocument doc;
    doc.LoadFromString(packageXml);
    std::vector<std::string> lines;
    std::function<void(const xml::TXMLNode&)> walk = [&](const xml::TXMLNode& node) {
        std::string line = node.NodeName();
        for (const std::string& name : node.AttributeNames())
            line += " " + name + "=" + node.Attributes(name).value_or("");
        lines.push_back(line);
        for (int i = 0; i < node.ChildNodes().Count(); ++i)
            walk(node.ChildNodes()[i]);
    };
    walk(doc.DocumentElement());
    return lines;
}
