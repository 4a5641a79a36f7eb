#include "tests/core/import/ImportFixture.h"

#include "tests/support/LogEntries.h"

#include "core/HostApi.h"
#include "core/PackageDocument.h"

#include "platform/ado/ADOQuery.h"
#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/xml/XMLDocument.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

std::optional<TPackageItemModule> ModuleOf(const std::string& caption) {
    ado::TADOQuery query;
    query.SetConnection(GetBaseDBConnection());
    query.SQL().SetText(
        "select ModGUID, ModCaption, ModDllFile, EntryID from Vek_PackMod where ModCaption = :C");
    query.Parameters().ParamByName("C").SetAsString(caption);
    query.Open();
    if (query.Eof())
        return std::nullopt;
    return TPackageItemModule{query.Fields()[0].AsString(), query.Fields()[1].AsString(),
                              query.Fields()[2].AsString(), query.Fields()[3].AsString()};
}

void Put(const std::string& path, const std::string& bytes) {
    rtl::ForceDirectories(rtl::ExtractFilePath(path));
    rtl::WriteFileBytes(path, bytes);
}

} // namespace

void ImportTest::SetUp() {
    SampleInstallationTest::SetUp();
    framework::TApplication* app = framework::Application();
    m_savedExeName = app->ExeName();
    m_savedTitle = app->Title();
    app->SetExeName(m_folder + "/Velmora");
    app->SetTitle("Velmora");
    framework::DialogService().ClearRecords();
    framework::ScriptedUser().Reset();
    m_savedForms = ImportForms();
    ImportForms().CreateProject = [this](const std::string& projectPart, const std::string& resourcePart) {
        m_creationCalls.push_back({projectPart, resourcePart});
        return m_creationAnswer;
    };
    ImportForms().ShowWizard = [this](const std::string& folder, const std::string& userKind, bool preview) {
        m_wizardCalls.push_back({folder, userKind, preview});
    };
    m_logSeen = host::LogRows().size();
}

void ImportTest::TearDown() {
    EXPECT_EQ(framework::ScriptedUser().PendingAnswers(), 0u) << "a box that was expected never came";
    ImportForms() = m_savedForms;
    framework::ScriptedUser().Reset();
    framework::DialogService().ClearRecords();
    framework::Application()->SetExeName(m_savedExeName);
    framework::Application()->SetTitle(m_savedTitle);
    SampleInstallationTest::TearDown();
}

std::string ImportTest::WorkFolder() const {
    return m_folder + "/~Vek~Temp\\CommonReader\\";
}

std::string ImportTest::PackageXml(const PackageRecipe& recipe) {
    xml::TXMLDocument doc;
    xml::TXMLNode root = PreparePackageDocument(doc, recipe.typeName, "测试包", "", recipe.version.value_or(""));
    if (!recipe.version)
        FindRootNode(doc, PackageInfoNode).SetAttributes("PackageVersion", std::nullopt);
    if (recipe.prjId) {
        xml::TXMLNode info = root.AddChild(PrjInfoNode);
        info.SetAttributes("PrjID", *recipe.prjId);
        info.SetAttributes("PrjName", "测试项目");
        for (const auto& [name, value] : recipe.prjAttributes)
            info.SetAttributes(name, value);
        info.SetAttributes("PrjInfoExport", recipe.prjInfoExport);
        xml::TXMLNode persons = info.AddChild(PrjPerInfoNode);
        for (const std::string& person : recipe.persons)
            persons.AddChild(PrjPerNode).SetAttributes("PerUUID", person);
    }
    if (recipe.items) {
        xml::TXMLNode items = root.AddChild(ExportItemInfoNode);
        for (const std::string& caption : *recipe.items) {
            const auto named = recipe.itemModules.find(caption);
            std::optional<TPackageItemModule> module =
                ModuleOf(named == recipe.itemModules.end() ? caption : named->second);
            if (module)
                module->ModCaption = caption;
            AddPackageItem(items, caption, module, caption + ".db");
        }
    }
    return doc.SaveToString();
}

std::string ImportTest::MakePackage(const std::string& name, const PackageRecipe& recipe) {
    std::vector<std::pair<std::string, std::string>> files = {{PackageDocumentName, PackageXml(recipe)}};
    if (recipe.items && recipe.itemFiles)
        for (const std::string& caption : *recipe.items)
            files.emplace_back(caption + ".db", "rows of " + caption);
    if (recipe.projectParts && recipe.version == "3") {
        files.emplace_back("XMGL/PrjInfo.xml", "<VekProject/>");
        files.emplace_back("ResFile/审计通知书.txt", "notice");
    } else if (recipe.projectParts) {
        files.emplace_back("XMGL.pck", "project part");
        files.emplace_back("ResFile.pck", "materials");
    }
    files.insert(files.end(), recipe.files.begin(), recipe.files.end());
    return MakePackageOfFiles(name, files);
}

std::string ImportTest::MakePackageOfFiles(const std::string& name,
                                           const std::vector<std::pair<std::string, std::string>>& files) {
    const std::string staging = m_folder + "/Staging/" + name + "/";
    fs::remove_all(staging);
    fs::create_directories(staging);
    for (const auto& [path, bytes] : files)
        Put(staging + path, bytes);
    const std::string package = m_folder + "/Packages/" + name + ".Package";
    rtl::ForceDirectories(m_folder + "/Packages");
    sharemem::CountedText out;
    if (CompressFile(out.Var(), staging.c_str(), package.c_str()) != 1)
        throw std::runtime_error("cannot pack " + name + ": " + out.Str());
    return package;
}

std::string ImportTest::MakeFile(const std::string& name, const std::string& bytes) {
    const std::string path = m_folder + "/Packages/" + name;
    Put(path, bytes);
    return path;
}

void ImportTest::ExpectBoxes(const std::vector<std::string>& texts, int reply) {
    for (const std::string& text : texts)
        framework::ScriptedUser().AnswerBox(text == OpenProjectQuestion ? reply : framework::IDOK, text);
}

std::vector<std::string> ImportTest::BoxTexts() const {
    std::vector<std::string> texts;
    for (const framework::TDialogRecord& box : framework::DialogService().Records())
        texts.push_back(box.text);
    return texts;
}

std::vector<std::string> ImportTest::NewLogEntries() {
    return tests::NewLogEntries(m_logSeen);
}

void ImportTest::StartOver(const std::string& userId) {
    m_logSeen = host::LogRows().size();
    host::CloseProject();
    host::ClearRecords();
    host::SetCurrentUser(userId);
    framework::ScriptedUser().Reset();
    framework::DialogService().ClearRecords();
    m_wizardCalls.clear();
    m_creationCalls.clear();
}

std::map<std::string, std::string> ImportTest::TreeOutsideWorkFolder() const {
    std::map<std::string, std::string> tree;
    const fs::path root(m_folder);
    const fs::path work = root / "~Vek~Temp" / "CommonReader";
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const fs::path& path = it->path();
        if (path == work) {
            it.disable_recursion_pending();
            continue;
        }
        const std::string relative = fs::relative(path, root).string();
        if (relative.rfind("base.db", 0) == 0)
            continue;
        const fs::file_status status = it->symlink_status();
        if (fs::is_symlink(status))
            tree[relative] = "link to " + fs::read_symlink(path).string();
        else if (fs::is_directory(status))
            tree[relative] = "folder";
        else
            tree[relative] = std::to_string(fs::file_size(path)) + " bytes, written " +
                             std::to_string(fs::last_write_time(path).time_since_epoch().count());
    }
    return tree;
}
