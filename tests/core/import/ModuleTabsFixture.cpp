#include "tests/core/import/ModuleTabsFixture.h"
#include "tests/support/CraftedPackage.h"

#include "core/HostApi.h"
#include "core/PackageDocument.h"

#include "platform/ado/ADOCommand.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"
#include "platform/win/Library.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using namespace tarnwick;

ItemSetup SampleItem(const std::string& caption, const std::string& appFileName) {
    const tests::SampleModule& m = tests::SampleModuleOf(caption);
    return {caption,
            {{"ModGuid", m.guid},
             {"ModCaption", caption},
             {"ModDllFile", m.library},
             {"EntryID", m.entryId},
             {"AppName", caption},
             {"AppFileName", appFileName}}};
}

ItemSetup With(ItemSetup item, const std::string& name, const std::string& value) {
    for (auto& [key, v] : item.attributes)
        if (key == name) {
            v = value;
            return item;
        }
    item.attributes.emplace_back(name, value);
    return item;
}

ItemSetup Without(ItemSetup item, const std::string& name) {
    std::erase_if(item.attributes, [&](const auto& a) { return a.first == name; });
    return item;
}

void ModuleTabsTest::SetUp() {
    ImportTest::SetUp();
    InstallTestLibrary("TestModule.dll", "Mods/TestModule.dll");
    m_loadRecord = m_folder + "/load-record.txt";
    setenv("TARNWICK_LOAD_RECORD", m_loadRecord.c_str(), 1);
}

void ModuleTabsTest::TearDown() {
    unsetenv("TARNWICK_LOAD_RECORD");
    for (int id = 0; id <= 300; ++id)
        unsetenv(("TESTMODULE_VekPackage_Import_ANSWER_" + std::to_string(id)).c_str());
    ImportTest::TearDown();
}

void ModuleTabsTest::InstallTestLibrary(const std::string& built, const std::string& as) {
    const fs::path target = m_folder + "/" + as;
    fs::create_directories(target.parent_path());
    fs::copy_file(std::string(TEST_LIBS) + "/" + built, target, fs::copy_options::overwrite_existing);
}

void ModuleTabsTest::SetModuleLibrary(const std::string& caption, const std::string& library) {
    ado::TADOCommand command;
    command.SetConnection(GetBaseDBConnection());
    command.SetCommandText("update Vek_PackMod set ModDllFile = " + rtl::QuotedStr(library) +
                           " where ModCaption = " + rtl::QuotedStr(caption));
    command.Execute();
}

std::vector<TestModuleCall>& ModuleTabsTest::TestModuleCalls(const std::string& as) {
    win::HMODULE lib = win::LoadLibraryA((m_folder + "/" + as).c_str());
    EXPECT_NE(lib, nullptr) << as;
    auto calls = reinterpret_cast<TTestModuleCalls>(win::GetProcAddress(lib, "TestModule_Calls"));
    return *calls();
}

void ModuleTabsTest::Answer(std::int32_t entryId, std::int32_t answer) {
    setenv(("TESTMODULE_VekPackage_Import_ANSWER_" + std::to_string(entryId)).c_str(),
           std::to_string(answer).c_str(), 1);
}

std::string ModuleTabsTest::LoadRecord() const {
    return rtl::FileExists(m_loadRecord) ? rtl::ReadFileBytes(m_loadRecord) : std::string();
}

std::string ModuleTabsTest::WriteWorkPackage(const std::vector<ItemSetup>& items, const std::string& version,
                                             const std::string& prjId) {
    xml::TXMLDocument doc;
    xml::TXMLNode root = PreparePackageDocument(doc, "", "测试包", "", version);
    root.AddChild(PrjInfoNode).SetAttributes("PrjID", prjId);
    xml::TXMLNode list = root.AddChild(ExportItemInfoNode);
    for (const ItemSetup& item : items) {
        xml::TXMLNode node = list.AddChild(item.node);
        for (const auto& [name, value] : item.attributes)
            node.SetAttributes(name, value);
    }
    const std::string folder = WorkFolder();
    rtl::ForceDirectories(folder);
    // Each plain file name gets its file, each plain folder name its folder with one file.
    for (const ItemSetup& item : items)
        for (const auto& [attribute, value] : item.attributes) {
            std::string name = value;
            const bool isFolder = !name.empty() && name.back() == '\\';
            if (isFolder)
                name.pop_back();
            if (attribute != "AppFileName" || name.empty() || name == ".." ||
                name.find_first_of("\\/") != std::string::npos)
                continue;
            if (isFolder) {
                rtl::ForceDirectories(folder + name);
                rtl::WriteFileBytes(folder + name + "\\data.txt", "rows of " + item.node);
            } else {
                rtl::WriteFileBytes(folder + name, "rows of " + item.node);
            }
        }
    doc.SaveToFile(folder + PackageDocumentName);
    return folder + PackageDocumentName;
}
